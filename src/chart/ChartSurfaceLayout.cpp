#include "chart/ChartSurface.h"

#include <cmath>

// Output at a size of its own: the surface is laid out as if it were that big, then drawn scaled.

QMargins ChartSurface::MarginsAt(QSize size) {
    const auto px = [](double percent, int length) {
        return static_cast<int>(std::lround(percent * length / 100.0));
    };
    int left = px(FMargins[0], size.width());
    int right = px(FMargins[1], size.width());
    if (FLeader != nullptr && FLeader->width() == width())
        std::tie(left, right) = FLeader->PlotEdgesAt(size);
    return QMargins(left, px(FMargins[2], size.height()), right, 0);
}

std::pair<int, int> ChartSurface::PlotEdgesAt(QSize size) {
    const QRect screen = viewport();
    setViewport(QRect(QPoint(0, 0), size));
    if (FMargins[0] >= 0.0)
        axisRect()->setMargins(MarginsAt(size));
    FitAutomaticAxes();
    updateLayout();
    const QCPAxisRect* rect = axisRect();
    const std::pair<int, int> edges{rect->left() - rect->outerRect().left(),
                                    rect->outerRect().right() - rect->right()};
    setViewport(screen);
    ApplyMargins();
    updateLayout();
    return edges;
}

void ChartSurface::DrawLaidOut(QCPPainter& painter, QPointF topLeft, QSize layout, double scale) {
    if (layout.width() <= 0 || layout.height() <= 0 || !(scale > 0.0))
        return;
    FitAutomaticAxes();
    if (FMargins[0] >= 0.0)
        axisRect()->setMargins(MarginsAt(layout));
    painter.save();
    painter.translate(topLeft);
    painter.scale(scale, scale);
    toPainter(&painter, layout.width(), layout.height());
    FLaidOutPlotArea = axisRect()->rect();
    painter.restore();
    // The screen's layout comes back with the next replot.
    ApplyMargins();
    replot();
}
