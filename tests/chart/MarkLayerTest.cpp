#include "chart/MarkLayer.h"

#include "chart/ChartMarks.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QColor CursorGrey(40, 40, 40);

// A shown surface with one line, drawn once, so that its paint buffers exist.
struct DrawnSurface {
    DrawnSurface() {
        surface.resize(600, 300);
        series.AddXY(0.0, 1.0);
        series.AddXY(1.0, 2.0);
        surface.AddSeries(&series);
        surface.SetMinimum(ChartAxis::Left, 0.0);
        surface.SetMaximum(ChartAxis::Left, 10.0);
        surface.show();
        surface.replot();
    }
    int CursorPixel(double key) const {
        return static_cast<int>(std::round(surface.PixelOfKey(key)));
    }
    ChartSurface surface;
    ChartSeries series;
};

} // namespace

TEST(MarkLayer, MovingTheCursorRedrawsItsLayerAloneAndShowsOnScreen) {
    DrawnSurface drawn;
    QSignalSpy replots(&drawn.surface, &QCustomPlot::beforeReplot);
    MarkLayer* cursor = drawn.surface.Cursor();
    for (double key : {0.25, 0.5, 0.75}) {
        drawn.surface.Marks().SetCursor(key);
        cursor->Redraw();
    }
    EXPECT_EQ(replots.count(), 0) << "the series were drawn again";
    const QImage screen = drawn.surface.grab().toImage();
    const int x = drawn.CursorPixel(0.75);
    const int y = drawn.surface.PlotArea().center().y();
    EXPECT_EQ(QColor(screen.pixel(x, y)), CursorGrey);
    EXPECT_NE(QColor(screen.pixel(drawn.CursorPixel(0.25), y)), CursorGrey) << "old cursor left";
}

TEST(MarkLayer, SavedAndPrintedChartsLeaveCursorSpanAndReadoutOut) {
    DrawnSurface drawn;
    MarkLayer* cursor = drawn.surface.Cursor();
    drawn.surface.Marks().SetCursor(0.47);
    drawn.surface.Marks().SetSpan(0.1, 0.3, ChartMarks::SpanKind::User);
    cursor->SetReadout({{QStringLiteral("12:00"), Qt::black}}, true);
    cursor->Redraw();
    const QRect area = drawn.surface.PlotArea();
    const int y = area.bottom() - 5;
    const QImage screen = drawn.surface.grab().toImage();
    ASSERT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.47), y)), CursorGrey);
    ASSERT_NE(QColor(screen.pixel(drawn.CursorPixel(0.21), y)), QColor(Qt::white)) << "no shading";
    ASSERT_FALSE(cursor->LastBoxRect().isEmpty());

    const QImage saved = drawn.surface.toPixmap(600, 300).toImage();
    EXPECT_EQ(QColor(saved.pixel(drawn.CursorPixel(0.47), y)), QColor(Qt::white));
    EXPECT_EQ(QColor(saved.pixel(drawn.CursorPixel(0.21), y)), QColor(Qt::white));
    EXPECT_TRUE(cursor->LastBoxRect().isEmpty()) << "the readout went into the image";
}

TEST(MarkLayer, TheReadoutBoxStandsOnTheSideItIsGiven) {
    DrawnSurface drawn;
    MarkLayer* cursor = drawn.surface.Cursor();
    const QRect area = drawn.surface.PlotArea();
    cursor->SetReadout({{QStringLiteral("T1: 45,2 °C"), Qt::red}}, true);
    cursor->Redraw();
    EXPECT_LT(cursor->LastBoxRect().right(), area.center().x());
    cursor->SetReadout({{QStringLiteral("T1: 45,2 °C"), Qt::red}}, false);
    cursor->Redraw();
    EXPECT_GT(cursor->LastBoxRect().left(), area.center().x());
    cursor->SetReadout({}, false);
    drawn.surface.Marks().SetCursor(std::numeric_limits<double>::quiet_NaN());
    cursor->Redraw();
    EXPECT_TRUE(cursor->LastBoxRect().isEmpty());
}
