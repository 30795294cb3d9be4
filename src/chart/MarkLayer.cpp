#include "chart/MarkLayer.h"

#include "chart/ChartMarks.h"

MarkLayer::MarkLayer(QCustomPlot* plot, const ChartMarks* marks)
    : QCPLayerable(plot, QString()), FMarks(marks) {
    // Above the grid lines, below the series.
    setLayer(QStringLiteral("grid"));
}

void MarkLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    applyAntialiasingHint(painter, true, QCP::aeItems); // as the plot's items are drawn
}

QRect MarkLayer::clipRect() const {
    return mParentPlot->axisRect() ? mParentPlot->axisRect()->rect() : QRect();
}

void MarkLayer::draw(QCPPainter* painter) {
    QCPAxisRect* rect = mParentPlot->axisRect();
    if (rect == nullptr || FMarks == nullptr)
        return;
    QCPAxis* time = rect->axis(QCPAxis::atBottom);
    for (const ChartMarks::Mark& mark : FMarks->Entries()) {
        if (!mark.Style.Behind)
            continue;
        const QPointF a(time->coordToPixel(mark.From), rect->top());
        const QPointF b(time->coordToPixel(mark.To), rect->top() + 1.0 * rect->height());
        if (a.toPoint() == b.toPoint())
            continue;
        const QRectF span = QRectF(a, b).normalized();
        if (!span.adjusted(-1, -1, 1, 1).intersects(clipRect()))
            continue;
        painter->setPen(Qt::NoPen);
        painter->setBrush(mark.Style.Fill);
        painter->drawRect(span);
    }
}
