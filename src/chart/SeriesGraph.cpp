#include "chart/SeriesGraph.h"

#include <cmath>

SeriesGraph::SeriesGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void SeriesGraph::SetBars(bool bars, double origin, double widthFraction) {
    FBars = bars;
    FOrigin = origin;
    FWidthFraction = widthFraction;
}

void SeriesGraph::draw(QCPPainter* painter) {
    if (!FBars) {
        QCPGraph::draw(painter);
        return;
    }
    QCPAxis* keyAx = keyAxis();
    QCPAxis* valueAx = valueAxis();
    if (!keyAx || !valueAx || mDataContainer->isEmpty())
        return;
    auto begin = mDataContainer->findBegin(keyAx->range().lower);
    auto end = mDataContainer->findEnd(keyAx->range().upper);
    // The slot is the smallest key distance; one-minute data gives one-minute slots.
    double slot = 0.0;
    for (auto it = mDataContainer->constBegin(); it + 1 != mDataContainer->constEnd(); ++it) {
        const double d = (it + 1)->key - it->key;
        if (d > 0.0 && (slot == 0.0 || d < slot))
            slot = d;
    }
    if (slot == 0.0)
        slot = 1.0 / 1440.0;
    const double half = slot * FWidthFraction / 2.0;
    const double basePx = valueAx->coordToPixel(FOrigin);
    painter->setPen(Qt::NoPen);
    painter->setBrush(mPen.color());
    painter->setAntialiasing(false);
    int rects = 0;
    bool open = false;
    double runLeft = 0.0, runRight = 0.0, runValue = 0.0;
    auto flush = [&] {
        if (!open)
            return;
        const double top = valueAx->coordToPixel(runValue);
        const double left = std::floor(runLeft);
        const double width = std::max(1.0, std::round(runRight) - left);
        painter->drawRect(QRectF(left, std::min(top, basePx), width, std::abs(top - basePx)));
        ++rects;
        open = false;
    };
    for (auto it = begin; it != end; ++it) {
        if (std::isnan(it->value)) {
            flush();
            continue;
        }
        const double left = keyAx->coordToPixel(it->key - half);
        const double right = keyAx->coordToPixel(it->key + half);
        // Adjacent bars of equal height touch (or overlap) on screen once zoomed out.
        if (open && it->value == runValue && left <= runRight + 1.0) {
            runRight = std::max(runRight, right);
            continue;
        }
        flush();
        open = true;
        runLeft = left;
        runRight = right;
        runValue = it->value;
    }
    flush();
    FLastBarRects = rects;
}
