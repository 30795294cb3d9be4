#include "chart/PreviousSeriesGraph.h"
#include "chart/ChartSeries.h"
#include "chart/StripDrawing.h"

#include <QImage>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <random>
#include <vector>

// The surface's drawing against the drawing code it had before, on the same day at the same size:
// the pictures must agree pixel for pixel within a small tolerance, in the window and in a picture
// for an image file, at the usual line width and at the widest.

namespace {

constexpr double Minute = 1.0 / 1440.0;
constexpr QSize Size(900, 500);
constexpr double LeftLow = -10.0, LeftHigh = 120.0;

// A day as the logger writes it: seven temperatures in tenths of a degree, one with a gap, flow
// and power on the right axis, an output as stairs.
std::vector<std::unique_ptr<ChartSeries>> Day(int width, int shifted = -1, double shift = 0.0) {
    std::vector<std::unique_ptr<ChartSeries>> day;
    std::mt19937 random(11);
    std::normal_distribution<double> noise(0.0, 0.4);
    const QColor colours[] = {
        Qt::red,        Qt::blue,  QColor(255, 0, 128), Qt::darkGreen,      QColor(255, 128, 0),
        Qt::darkYellow, Qt::black, QColor(0, 128, 255), QColor(0, 255, 64), Qt::darkBlue};
    for (int s = 0; s < 10; ++s) {
        auto series = std::make_unique<ChartSeries>();
        series->SetColor(colours[s]);
        series->SetLineWidth(width);
        if (s >= 7 && s < 9)
            series->SetAxis(ValueAxis::Right);
        series->SetStairs(s == 9);
        for (int i = 0; i < 1440; ++i) {
            const double t = i / 1440.0;
            double value = 0.0;
            if (s < 7)
                value = 20.0 + 8.0 * s +
                        30.0 * std::sin(3.14159 * t * (1.0 + 0.3 * s)) *
                            std::exp(-std::pow(t - 0.55, 2) * 6.0);
            else if (s < 9)
                value = std::max(0.0, 12.0 * std::sin(3.14159 * (t - 0.3) / 0.45) * (s - 6));
            else
                value = (i / 37) % 3 == 0 ? 5.0 : 15.0;
            value = std::round((value + (s < 9 ? noise(random) : 0.0)) * 10.0) / 10.0;
            if (s == shifted)
                value += shift;
            if (s == 3 && i > 700 && i < 760)
                series->AddNull(i * Minute);
            else
                series->AddXY(i * Minute, value);
        }
        day.push_back(std::move(series));
    }
    return day;
}

void Lay(ChartSurface& surface, const std::vector<std::unique_ptr<ChartSeries>>& day) {
    surface.resize(Size);
    surface.SetLegendVisible(false);
    for (const auto& series : day)
        surface.AddSeries(series.get());
    surface.SetAutomatic(ChartAxis::Bottom, false);
    surface.SetAutomatic(ChartAxis::Left, false);
    surface.SetAutomatic(ChartAxis::Right, false);
    surface.SetMaximum(ChartAxis::Bottom, 1.0);
    surface.SetMinimum(ChartAxis::Bottom, 0.0);
    surface.SetMaximum(ChartAxis::Left, LeftHigh);
    surface.SetMinimum(ChartAxis::Left, LeftLow);
    surface.SetMaximum(ChartAxis::Right, 30.0);
    surface.SetMinimum(ChartAxis::Right, 0.0);
    surface.SetAxisVisible(ChartAxis::Right, true);
}

enum class Path { Window, Picture };

QImage Drawn(ChartSurface& surface, Path path) {
    if (path == Path::Picture)
        return surface.Picture().convertToFormat(QImage::Format_RGB32);
    surface.replot(QCustomPlot::rpImmediateRefresh);
    return surface.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

struct Comparison {
    int Ink = 0;       // pixels not white in either picture
    int Differing = 0; // pixels whose colours differ by more than a quarter in some channel
    double Share() const { return Ink == 0 ? 1.0 : static_cast<double>(Differing) / Ink; }
};

Comparison Compare(const QImage& a, const QImage& b) {
    Comparison result;
    if (a.size() != b.size())
        return {1, 1};
    for (int y = 0; y < a.height(); ++y) {
        const auto* p = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const auto* q = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            const QRgb white = qRgb(255, 255, 255);
            if ((p[x] & 0xffffff) == (white & 0xffffff) && (q[x] & 0xffffff) == (white & 0xffffff))
                continue;
            ++result.Ink;
            const int d =
                std::max({std::abs(qRed(p[x]) - qRed(q[x])), std::abs(qGreen(p[x]) - qGreen(q[x])),
                          std::abs(qBlue(p[x]) - qBlue(q[x]))});
            result.Differing += d > 64;
        }
    }
    return result;
}

// At most this share of the drawn pixels may differ (a wide picture differs from the window in
// 0.07 %, text mostly); one series of ten drawn a pixel off changes 3.4-4 %.
constexpr double Tolerance = 0.005;

QImage Draw(ChartSurface& surface, int width, Path path, int shifted = -1, double shift = 0.0) {
    const auto day = Day(width, shifted, shift);
    Lay(surface, day);
    QImage image = Drawn(surface, path);
    surface.RemoveAllSeries();
    return image;
}

} // namespace

TEST(DrawingComparison, NewDrawingKeepsThePreviousPictures) {
    // The window's series are drawn in strips; three put their edges across the day.
    StripDrawing::SetStrips(3);
    struct Case {
        int Width;
        Path Now, Before;
    };
    // A picture of wide lines was the library's polyline, which took seconds; it now shows what
    // the window showed.
    for (const Case& c :
         {Case{2, Path::Window, Path::Window}, Case{2, Path::Picture, Path::Picture},
          Case{99, Path::Window, Path::Window}, Case{99, Path::Picture, Path::Window}}) {
        SCOPED_TRACE(testing::Message() << "width " << c.Width << " path "
                                        << (c.Now == Path::Window ? "window" : "picture"));
        ChartSurface now;
        PreviousSurface before;
        const QImage previous = Draw(before, c.Width, c.Before);
        const Comparison same = Compare(Draw(now, c.Width, c.Now), previous);
        EXPECT_LE(same.Share(), Tolerance) << same.Differing << " of " << same.Ink;
        EXPECT_GT(same.Ink, Size.width() * 20); // the lines were drawn

        // The same comparison sees a temperature drawn a pixel higher (a wide band shows a shift
        // only along its edges, which others mostly cover).
        if (c.Width == 2) {
            const double onePixel = (LeftHigh - LeftLow) / now.PlotArea().height();
            const Comparison off = Compare(Draw(now, c.Width, c.Now, 1, onePixel), previous);
            EXPECT_GT(off.Share(), Tolerance) << off.Differing << " of " << off.Ink;
        }
    }
    StripDrawing::SetStrips(0);
}

// The window's buffer is copied straight into the window's memory: at the chart's place in the
// window, and not over a widget that lies on top of the chart.
TEST(DrawingComparison, WindowShowsTheChartWhereItLies) {
    QWidget window;
    window.resize(1000, 600);
    ChartSurface surface;
    surface.setParent(&window);
    const auto day = Day(2);
    Lay(surface, day);
    surface.move(37, 21);
    QLabel over(QStringLiteral("on top"), &window);
    over.setAutoFillBackground(true);
    over.setGeometry(600, 300, 200, 100);
    over.raise();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    surface.replot(QCustomPlot::rpImmediateRefresh);
    const QImage shown =
        window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
    // Rendered afresh into a picture of another pixel format, where the painter draws the buffer.
    QImage packed(window.size(), QImage::Format_RGB888);
    window.render(&packed);
    const QImage rendered = packed.convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), rendered.size());
    EXPECT_TRUE(shown == rendered);
    QImage blank(Size, QImage::Format_RGB32);
    blank.fill(Qt::white);
    EXPECT_GT(Compare(shown.copy(QRect(QPoint(37, 21), Size)), blank).Ink, Size.width() * 20);
}
