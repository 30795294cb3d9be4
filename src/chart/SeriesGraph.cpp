#include "chart/SeriesGraph.h"

#include <algorithm>
#include <cmath>
#include <vector>

SeriesGraph::SeriesGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void SeriesGraph::SetBars(bool bars, double origin, double widthFraction) {
    FBars = bars;
    FOrigin = origin;
    FWidthFraction = widthFraction;
}

void SeriesGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const {
    // The library draws a fast polyline one segment per call, and the painter's set-up per call
    // costs more than a short segment itself. One call for all segments draws the same lines.
    // Printing and vector output keep the library's own way.
    if (painter->modes().testFlag(QCPPainter::pmVectorized) ||
        painter->modes().testFlag(QCPPainter::pmNoCaching) ||
        painter->pen().style() != Qt::SolidLine || painter->pen().color().alpha() == 0) {
        QCPGraph::drawLinePlot(painter, lines);
        return;
    }
    applyDefaultAntialiasingHint(painter);
    if (qFuzzyCompare(painter->pen().widthF(), 1.0)) {
        QPen cosmetic = painter->pen();
        cosmetic.setWidth(0);
        painter->setPen(cosmetic);
    }
    const bool aliased = !painter->antialiasing();
    auto usable = [](const QPointF& p) { return !std::isnan(p.x()) && !std::isnan(p.y()); };
    QVector<QLineF> segments;
    segments.reserve(lines.size());
    for (qsizetype i = 1; i < lines.size(); ++i) {
        // A null point breaks the line on both sides.
        if (!usable(lines[i - 1]) || !usable(lines[i]))
            continue;
        // Without antialiasing the library rounds to whole pixels; so does this.
        segments.append(aliased ? QLineF(lines[i - 1].toPoint(), lines[i].toPoint())
                                : QLineF(lines[i - 1], lines[i]));
    }
    painter->QPainter::drawLines(segments.constData(), static_cast<int>(segments.size()));
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
    // Zoomed out, many one-pixel bars of different heights fall on the same pixel columns and
    // would be filled over each other one by one. Their union is kept per column instead: what
    // covers a column is the span from the farthest bar above the base to the farthest below.
    const QRect area = keyAx->axisRect()->rect();
    const int firstColumn = area.left() - 1;
    const int columnCount = area.width() + 2;
    struct Column {
        double Top = 0.0, Bottom = 0.0;
        bool Used = false;
    };
    std::vector<Column> columns(static_cast<size_t>(std::max(0, columnCount)));
    int rects = 0;
    auto cover = [&](double left, double right, double value) {
        const double top = valueAx->coordToPixel(value);
        const double x0 = std::floor(left);
        const double width = std::max(1.0, std::round(right) - x0);
        const double y0 = std::min(top, basePx), y1 = std::max(top, basePx);
        const double c0 = std::max(x0 - firstColumn, 0.0);
        const double c1 = std::min(x0 + width - firstColumn, static_cast<double>(columnCount));
        if (c1 - c0 > 8.0) {
            // Wide enough to be drawn as it is.
            painter->drawRect(QRectF(x0, y0, width, y1 - y0));
            ++rects;
            return;
        }
        for (auto c = static_cast<int>(c0); c < static_cast<int>(c1); ++c) {
            Column& column = columns[static_cast<size_t>(c)];
            if (!column.Used) {
                column = Column{y0, y1, true};
            } else {
                column.Top = std::min(column.Top, y0);
                column.Bottom = std::max(column.Bottom, y1);
            }
        }
    };
    bool open = false;
    double runLeft = 0.0, runRight = 0.0, runValue = 0.0;
    auto flush = [&] {
        if (open)
            cover(runLeft, runRight, runValue);
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
    // Neighbouring columns with the same cover become one rectangle.
    for (size_t c = 0; c < columns.size();) {
        const Column& column = columns[c];
        size_t next = c + 1;
        if (column.Used) {
            while (next < columns.size() && columns[next].Used && columns[next].Top == column.Top &&
                   columns[next].Bottom == column.Bottom)
                ++next;
            painter->drawRect(QRectF(static_cast<double>(firstColumn) + static_cast<double>(c),
                                     column.Top, static_cast<double>(next - c),
                                     column.Bottom - column.Top));
            ++rects;
        }
        c = next;
    }
    FLastBarRects = rects;
}
