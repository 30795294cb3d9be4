#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "chart/SeriesGraph.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr double Minute = 1.0 / 1440.0;
const QColor BarColour(255, 0, 0);
const QColor LineColour(0, 0, 255);

struct Drawn {
    QImage Image;
    QRect Area;
};

Drawn Draw(ChartSurface& surface, double from, double to, double low, double high) {
    surface.resize(600, 300);
    surface.SetLegendVisible(false);
    surface.SetGridVisible(ChartAxis::Bottom, false);
    surface.SetGridVisible(ChartAxis::Left, false);
    surface.SetAutomatic(ChartAxis::Bottom, false);
    surface.SetAutomatic(ChartAxis::Left, false);
    surface.SetMaximum(ChartAxis::Bottom, to);
    surface.SetMinimum(ChartAxis::Bottom, from);
    surface.SetMaximum(ChartAxis::Left, high);
    surface.SetMinimum(ChartAxis::Left, low);
    surface.replot(QCustomPlot::rpImmediateRefresh);
    return {surface.grab().toImage(), surface.axisRect()->rect()};
}

bool Is(const QImage& image, int x, int y, const QColor& colour) {
    return image.pixelColor(x, y) == colour;
}

} // namespace

// Zoomed out, many bars share a pixel column: the column must show the farthest of them on each
// side of the base, as filling them one over the other would, and gaps must stay empty.
TEST(SeriesGraph, DenseBarsCoverEachColumnWithTheirUnion) {
    ChartSurface surface;
    ChartSeries bars(SeriesKind::Bar);
    bars.SetColor(BarColour);
    bars.SetBarOrigin(0.0);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> height(-40.0, 100.0);
    const int count = 7 * 1440;
    std::vector<double> values;
    for (int i = 0; i < count; ++i) {
        // Half a day without values in the middle of the week.
        const bool gap = i >= 3 * 1440 && i < 3 * 1440 + 720;
        values.push_back(gap ? std::numeric_limits<double>::quiet_NaN() : height(random));
        gap ? bars.AddNull(i * Minute) : bars.AddXY(i * Minute, values.back());
    }
    surface.AddSeries(&bars);
    const Drawn drawn = Draw(surface, 0.0, 7.0, -50.0, 110.0);
    QCPAxis* key = surface.xAxis;
    QCPAxis* value = surface.yAxis;

    // The cover of each column from the bars themselves: at least a pixel wide, 75 % of a slot.
    const double half = Minute * ChartSeries::BarWidthPercent / 100.0 / 2.0;
    std::vector<double> top(static_cast<size_t>(drawn.Image.width()), 1e9);
    std::vector<double> bottom(static_cast<size_t>(drawn.Image.width()), -1e9);
    const double base = value->coordToPixel(0.0);
    for (int i = 0; i < count; ++i) {
        if (std::isnan(values[static_cast<size_t>(i)]))
            continue;
        const double x0 = std::floor(key->coordToPixel(i * Minute - half));
        const double width = std::max(1.0, std::round(key->coordToPixel(i * Minute + half)) - x0);
        const double y = value->coordToPixel(values[static_cast<size_t>(i)]);
        for (int c = static_cast<int>(x0); c < static_cast<int>(x0 + width); ++c) {
            top[static_cast<size_t>(c)] = std::min({top[static_cast<size_t>(c)], y, base});
            bottom[static_cast<size_t>(c)] = std::max({bottom[static_cast<size_t>(c)], y, base});
        }
    }
    int checked = 0, empty = 0;
    for (int c = drawn.Area.left() + 2; c < drawn.Area.right() - 2; ++c) {
        const auto i = static_cast<size_t>(c);
        if (top[i] > bottom[i]) {
            for (int y = drawn.Area.top() + 1; y < drawn.Area.bottom() - 1; ++y)
                ASSERT_FALSE(Is(drawn.Image, c, y, BarColour)) << "column " << c << " row " << y;
            ++empty;
            continue;
        }
        const int high = static_cast<int>(std::ceil(top[i])) + 1;
        const int low = static_cast<int>(std::floor(bottom[i])) - 1;
        if (low <= high)
            continue; // too short to tell its ends
        EXPECT_TRUE(Is(drawn.Image, c, high, BarColour)) << "column " << c;
        EXPECT_TRUE(Is(drawn.Image, c, low, BarColour)) << "column " << c;
        if (top[i] - 2 > drawn.Area.top()) {
            EXPECT_FALSE(Is(drawn.Image, c, static_cast<int>(std::floor(top[i])) - 2, BarColour))
                << "column " << c;
        }
        if (bottom[i] + 2 < drawn.Area.bottom()) {
            EXPECT_FALSE(Is(drawn.Image, c, static_cast<int>(std::ceil(bottom[i])) + 2, BarColour))
                << "column " << c;
        }
        ++checked;
    }
    EXPECT_GT(checked, 400);
    EXPECT_GT(empty, 20);
    // At most one rectangle per pixel column on each side of the base, not one per bar.
    EXPECT_LE(surface.GraphOf(&bars)->LastBarRects(), 2 * (drawn.Area.width() + 2));
}

// A smooth hump of one-minute bars over a day is filled in bands, not column by column: the rows
// filled stay near the hump's height, far below its area in pixel columns times rows.
TEST(SeriesGraph, SmoothBarsAreFilledInBands) {
    ChartSurface surface;
    ChartSeries bars(SeriesKind::Bar);
    bars.SetColor(BarColour);
    for (int i = 0; i < 1440; ++i)
        bars.AddXY(i * Minute, 100.0 * std::sin(3.14159265 * i / 1440.0));
    surface.AddSeries(&bars);
    const Drawn drawn = Draw(surface, 0.0, 1.0, 0.0, 110.0);
    const int height =
        static_cast<int>(surface.yAxis->coordToPixel(0.0) - surface.yAxis->coordToPixel(100.0));
    const SeriesGraph* graph = surface.GraphOf(&bars);
    EXPECT_LE(graph->LastBarSpans(), 2 * height + 4);
    // Still solid: the hump's middle and both flanks are filled, the sky above it is not.
    const QPointF middle(surface.xAxis->coordToPixel(0.5), surface.yAxis->coordToPixel(50.0));
    const QPointF flank(surface.xAxis->coordToPixel(0.1), surface.yAxis->coordToPixel(20.0));
    const QPointF sky(surface.xAxis->coordToPixel(0.1), surface.yAxis->coordToPixel(60.0));
    EXPECT_TRUE(
        Is(drawn.Image, static_cast<int>(middle.x()), static_cast<int>(middle.y()), BarColour));
    EXPECT_TRUE(
        Is(drawn.Image, static_cast<int>(flank.x()), static_cast<int>(flank.y()), BarColour));
    EXPECT_FALSE(Is(drawn.Image, static_cast<int>(sky.x()), static_cast<int>(sky.y()), BarColour));
}

// Zoomed in, bars wider than a few pixels stay separate rectangles with the gap between them.
TEST(SeriesGraph, WideBarsKeepTheirOwnWidth) {
    ChartSurface surface;
    ChartSeries bars(SeriesKind::Bar);
    bars.SetColor(BarColour);
    for (int i = 0; i < 10; ++i)
        bars.AddXY(i * Minute, i % 2 == 0 ? 10.0 : 20.0);
    surface.AddSeries(&bars);
    const Drawn drawn = Draw(surface, -Minute, 10 * Minute, 0.0, 25.0);
    const int y = static_cast<int>(surface.yAxis->coordToPixel(5.0));
    const int centre = static_cast<int>(surface.xAxis->coordToPixel(4 * Minute));
    const int between = static_cast<int>(surface.xAxis->coordToPixel(4.5 * Minute));
    EXPECT_TRUE(Is(drawn.Image, centre, y, BarColour));
    EXPECT_FALSE(Is(drawn.Image, between, y, BarColour));
    EXPECT_EQ(surface.GraphOf(&bars)->LastBarRects(), 10);
}

// A null point breaks a line on both of its sides.
TEST(SeriesGraph, LinesBreakAtNullPoints) {
    ChartSurface surface;
    ChartSeries line;
    line.SetColor(LineColour);
    line.SetLineWidth(2);
    for (int i = 0; i <= 1440; ++i)
        (i > 600 && i < 840) ? line.AddNull(i * Minute) : line.AddXY(i * Minute, 50.0);
    surface.AddSeries(&line);
    const Drawn drawn = Draw(surface, 0.0, 1.0, 0.0, 100.0);
    const int y = static_cast<int>(std::round(surface.yAxis->coordToPixel(50.0)));
    auto blueIn = [&](double from, double to) {
        int found = 0;
        for (int x = static_cast<int>(surface.xAxis->coordToPixel(from));
             x <= static_cast<int>(surface.xAxis->coordToPixel(to)); ++x)
            for (int dy = -2; dy <= 2; ++dy)
                found += drawn.Image.pixelColor(x, y + dy).blue() > 200 &&
                         drawn.Image.pixelColor(x, y + dy).red() < 100;
        return found;
    };
    EXPECT_GT(blueIn(100 * Minute, 500 * Minute), 0);
    EXPECT_EQ(blueIn(610 * Minute, 830 * Minute), 0);
    EXPECT_GT(blueIn(900 * Minute, 1400 * Minute), 0);
}

namespace {

QImage Stroke(const std::vector<QLineF>& segments) {
    QImage image(400, 200, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(BarColour, 2));
    painter.drawLines(segments.data(), static_cast<int>(segments.size()));
    return image;
}

std::vector<QLineF> EverySegment(const QVector<QPointF>& points) {
    std::vector<QLineF> segments;
    for (qsizetype i = 1; i < points.size(); ++i)
        if (!std::isnan(points[i - 1].y()) && !std::isnan(points[i].y()))
            segments.emplace_back(points[i - 1], points[i]);
    return segments;
}

// Pixels one stroke covers (nearly) fully and the other leaves (nearly) blank.
int Disagreements(const QImage& a, const QImage& b) {
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const int ga = a.pixelColor(x, y).green(), gb = b.pixelColor(x, y).green();
            count += (ga < 64 && gb > 240) || (gb < 64 && ga > 240);
        }
    return count;
}

} // namespace

// Stairs, a value that holds, repeated points and a gap: joined runs cover what every single
// segment covers, with far fewer segments.
TEST(SeriesGraph, JoinedRunsCoverWhatEverySegmentCovers) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    QVector<QPointF> points;
    for (int i = 0; i < 120; ++i) {
        // Stairs as the library hands them on: across to the next key, then up or down.
        const double level = (i / 30) % 2 == 0 ? 150.4 : 40.6;
        points << QPointF(10.0 + i, level) << QPointF(11.0 + i, level);
    }
    points << QPointF(131.0, nan);
    for (int i = 0; i < 100; ++i)
        points << QPointF(140.0 + i, 80.3) << QPointF(140.0 + i, 80.3);
    points << QPointF(240.0, 60.0) << QPointF(260.5, 60.0) << QPointF(250.0, 60.0);
    points << QPointF(270.0, nan) << QPointF(300.0, 20.0) << QPointF(300.0, 20.0);
    points << QPointF(301.0, nan) << QPointF(320.0, 100.0) << QPointF(380.0, 130.0);

    std::vector<QLineF> joined;
    SeriesGraph::StrokeSegments(points, false, false, joined);
    EXPECT_EQ(Disagreements(Stroke(joined), Stroke(EverySegment(points))), 0);
    // Four levels of stairs and the three steps between them, the held value as one run, the drop
    // from it, the run after it and its turn back, the lone dot and the last slope: 13, not 458.
    EXPECT_EQ(joined.size(), 13u);
    for (const QLineF& segment : joined) {
        EXPECT_FALSE(std::isnan(segment.y1()) || std::isnan(segment.y2()));
        EXPECT_TRUE(segment.x1() < 131.0 || segment.x1() > 131.0) << "a segment across the gap";
    }
}

// Zoomed out, each pixel column's points become one vertical stroke, and the columns covered
// reach as high and as low as with every segment drawn.
TEST(SeriesGraph, DenseColumnsKeepTheirExtent) {
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0.0, 6.0);
    QVector<QPointF> points;
    for (int i = 0; i < 300 * 12; ++i)
        points << QPointF(50.0 + i / 12.0, 100.0 + 50.0 * std::sin(i / 400.0) + noise(random));
    std::vector<QLineF> folded;
    SeriesGraph::StrokeSegments(points, false, false, folded);
    EXPECT_LE(folded.size(), 2u * 301u);
    const QImage mine = Stroke(folded), every = Stroke(EverySegment(points));
    auto extent = [](const QImage& image, int x) {
        int top = -1, bottom = -1;
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y).green() < 64) {
                top = top < 0 ? y : top;
                bottom = y;
            }
        return std::pair(top, bottom);
    };
    // A wide pen smears a steep stroke into the neighbouring columns, so each column's extent in
    // one picture must lie within the other's extent over that column and its neighbours.
    auto within = [&](const QImage& inner, const QImage& outer, int x) {
        const auto [top, bottom] = extent(inner, x);
        int outerTop = 1000, outerBottom = -1;
        for (int c = x - 1; c <= x + 1; ++c) {
            const auto [t, b] = extent(outer, c);
            outerTop = std::min(outerTop, t);
            outerBottom = std::max(outerBottom, b);
        }
        return top >= outerTop - 1 && bottom <= outerBottom + 1 && top >= 0;
    };
    for (int x = 53; x < 347; ++x) {
        EXPECT_TRUE(within(mine, every, x)) << "column " << x;
        EXPECT_TRUE(within(every, mine, x)) << "column " << x;
    }
}

// A line going right with wiggles under a quarter pixel is stroked as a few long segments, yet a
// one-pixel spike on it survives, and no pixel changes from covered to blank or back.
TEST(SeriesGraph, NearlyStraightRunsAreJoinedAndBendsKept) {
    QVector<QPointF> points;
    for (int i = 0; i <= 300; ++i) {
        const double wiggle = 0.1 * std::sin(i * 1.7);
        const double spike = i == 150 ? -1.5 : 0.0;
        points << QPointF(50.0 + i, 150.0 - 0.3 * i + wiggle + spike);
    }
    std::vector<QLineF> joined;
    SeriesGraph::StrokeSegments(points, false, false, joined);
    EXPECT_LE(joined.size(), 10u);
    EXPECT_EQ(Disagreements(Stroke(joined), Stroke(EverySegment(points))), 0);
    // The spike's tip is a corner of the stroke.
    const bool tipKept = std::any_of(joined.begin(), joined.end(), [&](const QLineF& segment) {
        return segment.p2() == points[150] || segment.p1() == points[150];
    });
    EXPECT_TRUE(tipKept);
}

namespace {

// Both samplings of the same points: the library's and the graph's own.
class SamplingProbe : public SeriesGraph {
public:
    using SeriesGraph::SeriesGraph;
    std::pair<QVector<QCPGraphData>, QVector<QCPGraphData>> Both() const {
        QVector<QCPGraphData> library, own;
        const auto begin = mDataContainer->findBegin(keyAxis()->range().lower);
        const auto end = mDataContainer->findEnd(keyAxis()->range().upper);
        QCPGraph::getOptimizedLineData(&library, begin, end);
        getOptimizedLineData(&own, begin, end);
        return {library, own};
    }
};

bool Identical(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

} // namespace

// Drawing a month maps every key by its own arithmetic instead of the library's calls: the pixels
// and the sampled points must be the library's, bit for bit, whatever the range and the width.
TEST(SeriesGraph, OwnKeyMappingAndSamplingAreTheLibrarys) {
    QCustomPlot plot;
    auto* graph = new SamplingProbe(plot.xAxis, plot.yAxis);
    std::mt19937 random(7);
    std::uniform_real_distribution<double> step(-1.0, 1.0);
    double value = 40.0;
    for (int i = 0; i < 31 * 1440; ++i) {
        value += step(random);
        const bool gap = i % 997 < 3;
        graph->addData(40299.0 + i * Minute,
                       gap ? std::numeric_limits<double>::quiet_NaN() : value);
    }
    int compared = 0;
    for (const int width : {1600, 613, 97}) {
        plot.resize(width, 400);
        for (const auto& [from, to] :
             {std::pair{40299.0, 40330.0}, std::pair{40301.3, 40303.9},
              std::pair{40310.25, 40310.75}, std::pair{40250.0, 40400.0}}) {
            plot.xAxis->setRange(from, to);
            plot.replot(QCustomPlot::rpImmediateRefresh);
            const KeyPixels keys(*plot.xAxis);
            for (double key = from; key <= to; key += (to - from) / 1013.0) {
                ASSERT_EQ(keys.ToPixel(key), plot.xAxis->coordToPixel(key)) << key;
                const double pixel = plot.xAxis->coordToPixel(key);
                ASSERT_EQ(keys.ToKey(pixel), plot.xAxis->pixelToCoord(pixel)) << pixel;
            }
            const auto [library, own] = graph->Both();
            ASSERT_EQ(own.size(), library.size()) << width << " " << from;
            for (qsizetype i = 0; i < own.size(); ++i) {
                ASSERT_EQ(own[i].key, library[i].key) << i;
                ASSERT_TRUE(Identical(own[i].value, library[i].value)) << i;
            }
            compared += static_cast<int>(own.size());
        }
    }
    EXPECT_GT(compared, 10000); // the sampling did run, not only the one-to-one copy
}
