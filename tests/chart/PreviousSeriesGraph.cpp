#include "chart/PreviousSeriesGraph.h"

#include <algorithm>
#include <cmath>
#include <vector>

// The lines as the surface drew them before wide pens and pictures took a way of their own, kept
// word for word (but for the names) so that the new drawing can be held to the old pictures.

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

void PreviousStrokeSegments(const QVector<QPointF>& points, bool aliased, bool stairs,
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

} // namespace

void PreviousSeriesGraph::drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const {
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
    PreviousStrokeSegments(step > 1.0 ? coarse : lines, !painter->antialiasing(),
                           lineStyle() == lsStepLeft, segments);
    painter->QPainter::drawLines(segments.data(), static_cast<int>(segments.size()));
}
