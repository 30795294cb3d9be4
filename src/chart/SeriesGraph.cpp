#include "chart/SeriesGraph.h"

#include "chart/StripDrawing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

KeyPixels::KeyPixels(const QCPAxis& axis)
    : FAxis(axis), FPlain(axis.scaleType() == QCPAxis::stLinear && !axis.rangeReversed() &&
                          axis.orientation() == Qt::Horizontal && axis.axisRect() != nullptr),
      FLower(axis.range().lower), FSize(axis.range().size()),
      FWidth(FPlain ? axis.axisRect()->width() : 0), FLeft(FPlain ? axis.axisRect()->left() : 0) {}

SeriesGraph::SeriesGraph(QCPAxis* keyAxis, QCPAxis* valueAxis) : QCPGraph(keyAxis, valueAxis) {}

void SeriesGraph::getOptimizedLineData(QVector<QCPGraphData>* lineData,
                                       const QCPGraphDataContainer::const_iterator& begin,
                                       const QCPGraphDataContainer::const_iterator& end) const {
    const QCPAxis* keyAx = mKeyAxis.data();
    if (lineData == nullptr || keyAx == nullptr || mValueAxis.isNull() || begin == end ||
        !mAdaptiveSampling || keyAx->scaleType() != QCPAxis::stLinear) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    const KeyPixels px(*keyAx);
    // Sampled only where there are at least two points per pixel on average.
    const double span = std::abs(px.ToPixel(begin->key) - px.ToPixel((end - 1)->key));
    if (!(2 * span + 2 < static_cast<double>(std::numeric_limits<int>::max())) ||
        static_cast<double>(end - begin) < static_cast<double>(static_cast<int>(2 * span + 2))) {
        QCPGraph::getOptimizedLineData(lineData, begin, end);
        return;
    }
    const int reversedFactor = keyAx->pixelOrientation();
    const int reversedRound = reversedFactor == -1 ? 1 : 0;
    const auto startOf = [&](double key) {
        return px.ToKey(static_cast<int>(px.ToPixel(key) + reversedRound));
    };
    auto it = begin;
    double minValue = it->value;
    double maxValue = it->value;
    auto intervalFirst = it;
    double intervalStart = startOf(begin->key);
    double lastIntervalEnd = intervalStart;
    // One pixel in keys; a linear axis keeps it the same for every column.
    const double epsilon =
        std::abs(intervalStart - px.ToKey(px.ToPixel(intervalStart) + 1.0 * reversedFactor));
    int intervalCount = 1;
    const auto closeInterval = [&](bool farOn, double lastValue, double lastKey) {
        if (intervalCount >= 2) {
            if (lastIntervalEnd < intervalStart - epsilon)
                lineData->append(QCPGraphData(intervalStart + epsilon * 0.2, intervalFirst->value));
            lineData->append(QCPGraphData(intervalStart + epsilon * 0.25, minValue));
            lineData->append(QCPGraphData(intervalStart + epsilon * 0.75, maxValue));
            if (farOn)
                lineData->append(QCPGraphData(intervalStart + epsilon * 0.8, lastValue));
        } else {
            lineData->append(QCPGraphData(lastKey, lastValue));
        }
    };
    ++it;
    while (true) {
        // Within the same pixel. A NaN is neither lower nor higher, as in the library. Kept in
        // locals of the loop, which the closing lambda cannot reach: they stay in registers.
        const double bound = intervalStart + epsilon;
        double low = minValue, high = maxValue;
        int count = intervalCount;
        for (; it != end && it->key < bound; ++it) {
            const double value = it->value;
            low = value < low ? value : low;
            high = value > high ? value : high;
            ++count;
        }
        minValue = low;
        maxValue = high;
        intervalCount = count;
        if (it == end)
            break;
        closeInterval(it->key > intervalStart + epsilon * 2, (it - 1)->value, (it - 1)->key);
        lastIntervalEnd = (it - 1)->key;
        minValue = it->value;
        maxValue = it->value;
        intervalFirst = it;
        intervalStart = startOf(it->key);
        intervalCount = 1;
        ++it;
    }
    closeInterval(false, (end - 1)->value, (end - 1)->key);
}

void SeriesGraph::SetBars(bool bars, double origin, double widthFraction) {
    FBars = bars;
    FOrigin = origin;
    FWidthFraction = widthFraction;
}

namespace {

bool Usable(const QPointF& p) { return !std::isnan(p.x()) && !std::isnan(p.y()); }

// Keeps of the points within each `step` pixels across the first, the lowest, the highest and
// the last, in their order; gaps stay where they are.
void Coarsen(const QVector<QPointF>& points, double step, QVector<QPointF>& out) {
    out.clear();
    for (qsizetype i = 0; i < points.size();) {
        if (!Usable(points[i])) {
            out.push_back(points[i++]);
            continue;
        }
        const double bucket = std::floor(points[i].x() / step);
        qsizetype low = i, high = i, last = i;
        const qsizetype first = i;
        for (++i;
             i < points.size() && Usable(points[i]) && std::floor(points[i].x() / step) == bucket;
             ++i) {
            if (points[i].y() < points[low].y())
                low = i;
            if (points[i].y() > points[high].y())
                high = i;
            last = i;
        }
        qsizetype kept = -1;
        for (const qsizetype k : {first, std::min(low, high), std::max(low, high), last})
            if (k != kept)
                out.push_back(points[kept = k]);
    }
}

// QPointF's own comparison is fuzzy, and costs more than the rest of a point's handling here. The
// points compared are copies of one another or not the same point at all.
bool Same(const QPointF& a, const QPointF& b) { return a.x() == b.x() && a.y() == b.y(); }

// Zoomed out, the library hands on each pixel column's lowest and highest value, always in that
// order, so each column is joined to the next by a diagonal as tall as the column. Walked from the
// end nearer to where the line arrives, a column is one vertical stroke and the joins stay short:
// the same columns are covered with about half the stroking.
void FoldColumns(const QVector<QPointF>& points, std::vector<QPointF>& folded) {
    folded.clear();
    bool arrived = false;
    double arrival = 0.0;
    for (qsizetype i = 0; i < points.size();) {
        if (!Usable(points[i])) {
            folded.push_back(points[i]);
            arrived = false;
            ++i;
            continue;
        }
        const double column = std::floor(points[i].x());
        double low = points[i].y(), high = low;
        qsizetype next = i + 1;
        for (;
             next < points.size() && Usable(points[next]) && std::floor(points[next].x()) == column;
             ++next) {
            low = std::min(low, points[next].y());
            high = std::max(high, points[next].y());
        }
        const double x = points[next - 1].x() > points[i].x() ? column + 0.5 : points[i].x();
        const double from = arrived ? arrival : points[i].y();
        const bool downwards = std::abs(from - low) <= std::abs(from - high);
        folded.emplace_back(x, downwards ? low : high);
        if (high > low)
            folded.emplace_back(x, downwards ? high : low);
        arrival = folded.back().y();
        arrived = true;
        i = next;
    }
}

// Whether b continues the straight horizontal or vertical run that ends in a, the same way on.
bool ContinuesRun(const QLineF& run, const QPointF& a, const QPointF& b) {
    if (!Same(run.p2(), a))
        return false;
    if (run.dy() == 0.0 && b.y() == a.y())
        return (b.x() - a.x()) * run.dx() > 0.0;
    if (run.dx() == 0.0 && b.x() == a.x())
        return (b.y() - a.y()) * run.dy() > 0.0;
    return false;
}

} // namespace

void SeriesGraph::StrokeSegments(const QVector<QPointF>& points, bool aliased, bool stairs,
                                 std::vector<QLineF>& segments) {
    static thread_local std::vector<QPointF> folded;
    const QPointF* begin = points.constData();
    const QPointF* end = begin + points.size();
    // Dense means more keys than about one and a half per pixel column; stairs hand on two points
    // per key.
    const auto first = std::find_if(begin, end, Usable);
    const auto last =
        std::find_if(std::make_reverse_iterator(end), std::make_reverse_iterator(begin), Usable);
    if (first != end && static_cast<double>(points.size()) >
                            (stairs ? 2.0 : 1.0) * (1.5 * std::abs(last->x() - first->x()) + 2.0)) {
        FoldColumns(points, folded);
        begin = folded.data();
        end = begin + folded.size();
    }
    segments.clear();
    segments.reserve(static_cast<size_t>(end - begin));
    // Square caps make the short segments of a polyline overlap, and the overlap is what costs. A
    // run that goes straight on is stroked as one segment: exactly for horizontal and vertical
    // stretches (stairs, a value that holds), and within a quarter pixel for a line going right,
    // as long as every point passed over stays that close to the one segment.
    const double tolerance = aliased ? 0.0 : 0.25;
    // The slopes from a run's start that pass every point of the run within the tolerance are
    // kept as fractions with positive denominators, compared by cross-multiplying: this runs for
    // every point of every line at every redraw.
    struct Run {
        QPointF Start, End;
        bool Sloped = false;
        double LowN = 0.0, LowD = 1.0, HighN = 0.0, HighD = 1.0;
        void Narrow(double tol) {
            const double dx = End.x() - Start.x(), dy = End.y() - Start.y();
            if ((dy - tol) * LowD > LowN * dx)
                LowN = dy - tol, LowD = dx;
            if ((dy + tol) * HighD < HighN * dx)
                HighN = dy + tol, HighD = dx;
        }
        void Begin(const QPointF& a, const QPointF& b, double tol) {
            Start = a;
            End = b;
            Sloped = b.x() > a.x();
            const double dx = b.x() - a.x(), dy = b.y() - a.y();
            LowN = dy - tol, LowD = dx, HighN = dy + tol, HighD = dx;
        }
        bool Takes(const QPointF& b) const {
            if (!Sloped || !(b.x() > End.x()))
                return false;
            const double dx = b.x() - Start.x(), dy = b.y() - Start.y();
            return dy * LowD >= LowN * dx && dy * HighD <= HighN * dx;
        }
    };
    bool pending = false;
    Run run;
    for (const QPointF* p = begin; p + 1 < end; ++p) {
        // A null point breaks the line on both sides.
        if (!Usable(p[0]) || !Usable(p[1])) {
            if (pending)
                segments.emplace_back(run.Start, run.End);
            pending = false;
            continue;
        }
        // Without antialiasing the library rounds to whole pixels; so does this.
        const QPointF a = aliased ? QPointF(p[0].toPoint()) : p[0];
        const QPointF b = aliased ? QPointF(p[1].toPoint()) : p[1];
        if (pending && Same(run.End, a)) {
            if (Same(a, b))
                continue; // a dot where the run ends is inside its cap
            if (Same(run.Start, run.End)) {
                run.Begin(a, b, tolerance); // the same for a dot where a segment starts
                continue;
            }
            if (run.Takes(b)) {
                run.End = b;
                run.Narrow(tolerance);
                continue;
            }
            if (ContinuesRun(QLineF(run.Start, run.End), a, b)) {
                run.End = b;
                run.Sloped = false;
                continue;
            }
        }
        if (pending)
            segments.emplace_back(run.Start, run.End);
        run.Begin(a, b, tolerance);
        pending = true;
    }
    if (pending)
        segments.emplace_back(run.Start, run.End);
}

void SeriesGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const {
    // The library draws a fast polyline one segment per call, and the painter's set-up per call
    // costs more than a short segment itself. One call for all segments draws the same lines.
    // Printing and vector output keep the library's own way, and so do pictures for image files
    // with thin lines: there the library strokes one polyline, whose joins antialias more finely.
    // With a wide pen that polyline's overlapping joins cost seconds, so a picture draws wide
    // lines as the window does.
    const bool thinPicture =
        painter->modes().testFlag(QCPPainter::pmNoCaching) && painter->pen().widthF() <= 4.0;
    if (painter->modes().testFlag(QCPPainter::pmVectorized) || thinPicture ||
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
    // Kept from one draw to the next: a fresh buffer of this size per series and redraw comes from
    // the top of the heap and is handed back to the system when freed, which costs more than the
    // drawing.
    static thread_local std::vector<QLineF> segments;
    // A wide pen covers detail finer than a quarter of its width anyway, and each segment costs
    // time with the square of the width: a day of segments at width 99 took seconds.
    const double step = painter->pen().widthF() / 4.0;
    static thread_local QVector<QPointF> coarse;
    if (step > 1.0)
        Coarsen(lines, step, coarse);
    StrokeSegments(step > 1.0 ? coarse : lines, !painter->antialiasing(), lineStyle() == lsStepLeft,
                   segments);
    if (StripDrawing* strips = StripDrawing::For(*painter);
        strips != nullptr && strips->Lines(*painter, segments.data(), segments.size()))
        return;
    painter->QPainter::drawLines(segments.data(), static_cast<int>(segments.size()));
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
    const KeyPixels keys(*keyAx);
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
    static thread_local std::vector<QRectF> fills;
    fills.clear();
    int spans = 0;
    auto cover = [&](double left, double right, double value) {
        const double top = valueAx->coordToPixel(value);
        const double x0 = std::floor(left);
        const double width = std::max(1.0, std::round(right) - x0);
        const double y0 = std::min(top, basePx), y1 = std::max(top, basePx);
        const double c0 = std::max(x0 - firstColumn, 0.0);
        const double c1 = std::min(x0 + width - firstColumn, static_cast<double>(columnCount));
        if (c1 - c0 > 8.0) {
            // Wide enough to be drawn as it is.
            fills.emplace_back(x0, y0, width, y1 - y0);
            spans += static_cast<int>(std::lround(y1) - std::lround(y0));
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
    // The run is kept in locals that no lambda captures, so that they stay in registers.
    bool open = false;
    double runLeft = 0.0, runRight = 0.0, runValue = 0.0;
    for (auto it = begin; it != end; ++it) {
        if (std::isnan(it->value)) {
            if (open)
                cover(runLeft, runRight, runValue);
            open = false;
            continue;
        }
        const double left = keys.ToPixel(it->key - half);
        const double right = keys.ToPixel(it->key + half);
        // Adjacent bars of equal height touch (or overlap) on screen once zoomed out.
        if (open && it->value == runValue && left <= runRight + 1.0) {
            runRight = std::max(runRight, right);
            continue;
        }
        if (open)
            cover(runLeft, runRight, runValue);
        open = true;
        runLeft = left;
        runRight = right;
        runValue = it->value;
    }
    if (open)
        cover(runLeft, runRight, runValue);
    // A one-pixel column is filled row by row, so a tall column costs as many fill calls as it has
    // rows. The union is cut into rectangles per side of the base instead, level by level as in a
    // skyline: a smooth day of bars then costs about as many rows as its outline is long.
    const int baseRow = static_cast<int>(std::lround(basePx));
    std::vector<int> above(columns.size()), below(columns.size());
    for (size_t c = 0; c < columns.size(); ++c) {
        if (!columns[c].Used)
            continue;
        above[c] = std::max(0, baseRow - static_cast<int>(std::lround(columns[c].Top)));
        below[c] = std::max(0, static_cast<int>(std::lround(columns[c].Bottom)) - baseRow);
    }
    auto fillSide = [&](const std::vector<int>& heights, int direction) {
        struct Open {
            size_t Start;
            int Height;
        };
        std::vector<Open> levels;
        auto emit = [&](size_t from, size_t to, int low, int high) {
            const int y = direction < 0 ? baseRow - high : baseRow + low;
            fills.emplace_back(QRect(firstColumn + static_cast<int>(from), y,
                                     static_cast<int>(to - from), high - low));
            spans += high - low;
        };
        for (size_t c = 0; c <= heights.size(); ++c) {
            const int height = c < heights.size() ? heights[c] : 0;
            size_t start = c;
            while (!levels.empty() && levels.back().Height > height) {
                const Open top = levels.back();
                levels.pop_back();
                emit(top.Start, c, std::max(height, levels.empty() ? 0 : levels.back().Height),
                     top.Height);
                start = top.Start;
            }
            if (height > (levels.empty() ? 0 : levels.back().Height))
                levels.push_back({start, height});
        }
    };
    fillSide(above, -1);
    fillSide(below, 1);
    FLastBarSpans = spans;
    FLastBarRects = static_cast<int>(fills.size());
    if (StripDrawing* strips = StripDrawing::For(*painter);
        strips == nullptr || !strips->Rects(*painter, fills.data(), fills.size()))
        painter->drawRects(fills.data(), static_cast<int>(fills.size()));
}
