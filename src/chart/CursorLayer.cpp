#include "chart/CursorLayer.h"

#include <cmath>
#include <limits>

const QString CursorLayer::LayerName = QStringLiteral("cursor");

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

CursorLayer::CursorLayer(QCustomPlot* plot)
    : QCPLayerable(plot, QString()), FKey(NaN), FFrom(NaN), FTo(NaN) {
    // On top of everything, so that its buffer is the only one above the chart's.
    if (!plot->layer(LayerName))
        plot->addLayer(LayerName, plot->layer(plot->layerCount() - 1), QCustomPlot::limAbove);
    QCPLayer* own = plot->layer(LayerName);
    own->setMode(QCPLayer::lmBuffered);
    setLayer(own);
}

void CursorLayer::SetKey(double key) { FKey = key; }

void CursorLayer::SetSpan(double from, double to) {
    FFrom = std::min(from, to);
    FTo = std::max(from, to);
    if (std::isnan(from) || std::isnan(to))
        FFrom = FTo = NaN;
}

void CursorLayer::SetReadout(std::vector<Line> lines, bool onLeft) {
    FLines = std::move(lines);
    FOnLeft = onLeft;
}

void CursorLayer::Redraw() {
    if (QCPLayer* own = layer())
        own->replot();
}

void CursorLayer::applyDefaultAntialiasingHint(QCPPainter* painter) const {
    painter->setAntialiasing(false);
}

QRect CursorLayer::clipRect() const {
    return mParentPlot->axisRect() ? mParentPlot->axisRect()->rect() : QRect();
}

void CursorLayer::draw(QCPPainter* painter) {
    FLastBox = QRect();
    // Saved images and print paint without caching; the cursor belongs to the screen only.
    if (painter->modes().testFlag(QCPPainter::pmNoCaching))
        return;
    QCPAxisRect* rect = mParentPlot->axisRect();
    if (rect == nullptr)
        return;
    const QRect area = rect->rect();
    QCPAxis* time = rect->axis(QCPAxis::atBottom);
    if (!std::isnan(FFrom)) {
        const double a = std::max<double>(area.left(), time->coordToPixel(FFrom));
        const double b = std::min<double>(area.right() + 1, time->coordToPixel(FTo));
        if (b > a) {
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor(70, 130, 180, 60));
            painter->drawRect(QRectF(a, area.top(), std::max(1.0, b - a), area.height()));
        }
    }
    if (!std::isnan(FKey)) {
        const double x = std::round(time->coordToPixel(FKey));
        if (x >= area.left() && x <= area.right()) {
            painter->setPen(QPen(QColor(40, 40, 40), 1));
            painter->drawLine(QLineF(x, area.top(), x, area.bottom()));
        }
    }
    if (!FLines.empty())
        DrawReadout(painter, area);
}

void CursorLayer::DrawReadout(QCPPainter* painter, const QRect& area) {
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
