#include "chart/MarkLayer.h"

#include "chart/ChartMarks.h"

#include <cmath>

const QString MarkLayer::LayerName = QStringLiteral("cursor");

MarkLayer::MarkLayer(QCustomPlot* plot, const ChartMarks* marks, bool behind)
    : QCPLayerable(plot, QString()), FMarks(marks), FBehind(behind) {
    if (behind) {
        // Above the grid lines, below the series.
        setLayer(QStringLiteral("grid"));
        return;
    }
    // On top of everything, so that its buffer is the only one above the chart's.
    if (!plot->layer(LayerName))
        plot->addLayer(LayerName, plot->layer(plot->layerCount() - 1), QCustomPlot::limAbove);
    QCPLayer* own = plot->layer(LayerName);
    own->setMode(QCPLayer::lmBuffered);
    setLayer(own);
}

void MarkLayer::SetReadout(std::vector<Line> lines, bool onLeft) {
    FLines = std::move(lines);
    FOnLeft = onLeft;
}

void MarkLayer::Redraw() {
    if (QCPLayer* own = layer())
        own->replot();
}

void MarkLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    if (FBehind)
        applyAntialiasingHint(painter, true, QCP::aeItems); // as the plot's items are drawn
    else
        painter->setAntialiasing(false);
}

QRect MarkLayer::clipRect() const {
    return mParentPlot->axisRect() ? mParentPlot->axisRect()->rect() : QRect();
}

void MarkLayer::draw(QCPPainter* painter) {
    QCPAxisRect* rect = mParentPlot->axisRect();
    if (rect == nullptr || FMarks == nullptr)
        return;
    if (FBehind) {
        DrawBehind(painter, rect);
        return;
    }
    FLastBox = QRect();
    // Saved images and print paint without caching; what is in front belongs to the screen.
    if (painter->modes().testFlag(QCPPainter::pmNoCaching))
        return;
    const QRect area = rect->rect();
    QCPAxis* time = rect->axis(QCPAxis::atBottom);
    for (const ChartMarks::Mark& mark : FMarks->Entries()) {
        if (mark.Style.Behind)
            continue;
        if (mark.From < mark.To) {
            const double a = std::max<double>(area.left(), time->coordToPixel(mark.From));
            const double b = std::min<double>(area.right() + 1, time->coordToPixel(mark.To));
            if (b > a) {
                painter->setPen(Qt::NoPen);
                painter->setBrush(mark.Style.Fill);
                painter->drawRect(QRectF(a, area.top(), std::max(1.0, b - a), area.height()));
            }
            continue;
        }
        const double x = std::round(time->coordToPixel(mark.From));
        if (x >= area.left() && x <= area.right()) {
            painter->setPen(QPen(mark.Style.Fill, 1));
            painter->drawLine(QLineF(x, area.top(), x, area.bottom()));
        }
    }
    if (!FLines.empty())
        DrawReadout(painter, area);
}

void MarkLayer::DrawBehind(QCPPainter* painter, QCPAxisRect* rect) {
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

void MarkLayer::DrawReadout(QCPPainter* painter, const QRect& area) {
    const QFontMetrics metrics(mParentPlot->font());
    int width = 0;
    for (const Line& line : FLines)
        width = std::max(width, metrics.horizontalAdvance(line.Text));
    const int pad = 5;
    const int lineHeight = metrics.height();
    QRect box(0, area.top() + pad, width + 2 * pad,
              lineHeight * static_cast<int>(FLines.size()) + 2 * pad);
    box.moveLeft(FOnLeft ? area.left() + pad : area.right() - pad - box.width());
    painter->setFont(mParentPlot->font());
    painter->setPen(QPen(QColor(150, 150, 150), 1));
    painter->setBrush(QColor(255, 255, 255, 225));
    painter->drawRect(box);
    int y = box.top() + pad;
    for (const Line& line : FLines) {
        QColor ink = line.Colour.isValid() ? line.Colour : QColor(Qt::black);
        // Light channel colours (yellow, light green) stay readable on the white box.
        if (ink.lightness() > 150)
            ink = ink.darker(160);
        painter->setPen(ink);
        painter->drawText(QRect(box.left() + pad, y, width, lineHeight),
                          Qt::AlignLeft | Qt::AlignVCenter, line.Text);
        y += lineHeight;
    }
    FLastBox = box;
}
