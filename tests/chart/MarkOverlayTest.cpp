#include "chart/MarkOverlay.h"

#include "chart/ChartMarks.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"

#include <QApplication>
#include <QPaintEvent>
#include <QScreen>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const QColor CursorGrey(40, 40, 40);
const QColor BoxGrey(150, 150, 150);

// Collects the regions the surface paints.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
    QRegion Painted;
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            Painted |= static_cast<QPaintEvent*>(event)->region();
            ++Paints;
        }
        return false;
    }
};

// A shown surface with one line, drawn and painted once.
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
        QApplication::processEvents();
    }
    int CursorPixel(double key) const {
        return static_cast<int>(std::round(surface.PixelOfKey(key)));
    }
    // What the window shows: the pixels painted so far, where grab() would paint all anew.
    QImage Screen() {
        QApplication::processEvents();
        return QGuiApplication::primaryScreen()->grabWindow(surface.winId()).toImage();
    }
    ChartSurface surface;
    ChartSeries series;
};

} // namespace

TEST(MarkOverlay, MovingTheCursorRepaintsWhereItWasAndIsAndLeavesNoTrail) {
    DrawnSurface drawn;
    QSignalSpy replots(&drawn.surface, &QCustomPlot::beforeReplot);
    MarkOverlay* cursor = drawn.surface.Cursor();
    // Off the grid lines, which stand at every quarter of the range.
    drawn.surface.Marks().SetCursor(0.3);
    cursor->Redraw();
    const int y = drawn.surface.PlotArea().center().y();
    ASSERT_EQ(QColor(drawn.Screen().pixel(drawn.CursorPixel(0.3), y)), CursorGrey);

    PaintRecorder recorder(drawn.surface);
    for (double key : {0.55, 0.8}) {
        drawn.surface.Marks().SetCursor(key);
        cursor->Redraw();
    }
    const QImage screen = drawn.Screen();
    EXPECT_EQ(replots.count(), 0) << "the series were drawn again";
    ASSERT_GT(recorder.Paints, 0) << "nothing was painted";
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.8), y)), CursorGrey);
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.3), y)), QColor(Qt::white)) << "a trail";
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.55), y)), QColor(Qt::white)) << "a trail";
    EXPECT_TRUE(recorder.Painted.contains(QPoint(drawn.CursorPixel(0.3), y)));
    EXPECT_FALSE(recorder.Painted.contains(QPoint(drawn.CursorPixel(0.65), y)))
        << "between the lines nothing changed";
    const QRect whole = drawn.surface.rect();
    int painted = 0;
    for (const QRect& rect : recorder.Painted)
        painted += rect.width() * rect.height();
    EXPECT_LT(painted, whole.width() * whole.height() / 20) << "the chart was painted whole";
}

TEST(MarkOverlay, AShrinkingSpanAndAMovingBoxLeaveNoTrail) {
    DrawnSurface drawn;
    MarkOverlay* cursor = drawn.surface.Cursor();
    const QRect area = drawn.surface.PlotArea();
    const int y = area.bottom() - 5;
    drawn.surface.Marks().SetSpan(0.1, 0.6, ChartMarks::SpanKind::User);
    cursor->SetReadout({{QStringLiteral("T1: 45,2 °C"), Qt::red}}, true);
    cursor->Redraw();
    QImage screen = drawn.Screen();
    const QRect leftBox = cursor->LastBoxRect();
    const QColor shaded(screen.pixel(drawn.CursorPixel(0.45), y));
    ASSERT_NE(shaded, QColor(Qt::white)) << "no shading";
    ASSERT_EQ(QColor(screen.pixel(leftBox.left(), leftBox.center().y())), BoxGrey);

    // The span's own model change repaints it; the box moves with the readout's next redraw.
    drawn.surface.Marks().SetSpan(0.1, 0.3, ChartMarks::SpanKind::User);
    cursor->SetReadout({{QStringLiteral("T1: 45,2 °C"), Qt::red}}, false);
    cursor->Redraw();
    screen = drawn.Screen();
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.45), y)), QColor(Qt::white));
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.2), y)), shaded);
    EXPECT_NE(QColor(screen.pixel(leftBox.left(), leftBox.center().y())), BoxGrey);
    const QRect rightBox = cursor->LastBoxRect();
    // A one-pixel outline lies right of and below the rectangle's last column and row.
    EXPECT_EQ(QColor(screen.pixel(rightBox.right() + 1, rightBox.center().y())), BoxGrey);

    drawn.surface.Marks().ClearSpan();
    screen = drawn.Screen();
    EXPECT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.2), y)), QColor(Qt::white));
}

TEST(MarkOverlay, SavedAndPrintedChartsLeaveCursorSpanAndReadoutOut) {
    DrawnSurface drawn;
    MarkOverlay* cursor = drawn.surface.Cursor();
    drawn.surface.Marks().SetCursor(0.47);
    drawn.surface.Marks().SetSpan(0.1, 0.3, ChartMarks::SpanKind::User);
    cursor->SetReadout({{QStringLiteral("12:00"), Qt::black}}, true);
    cursor->Redraw();
    const QRect area = drawn.surface.PlotArea();
    const int y = area.bottom() - 5;
    const QImage screen = drawn.surface.grab().toImage();
    const QRect box = cursor->LastBoxRect();
    ASSERT_EQ(QColor(screen.pixel(drawn.CursorPixel(0.47), y)), CursorGrey);
    ASSERT_NE(QColor(screen.pixel(drawn.CursorPixel(0.21), y)), QColor(Qt::white)) << "no shading";
    ASSERT_EQ(QColor(screen.pixel(box.left(), box.center().y())), BoxGrey);

    const QImage saved = drawn.surface.toPixmap(600, 300).toImage();
    EXPECT_EQ(QColor(saved.pixel(drawn.CursorPixel(0.47), y)), QColor(Qt::white));
    EXPECT_EQ(QColor(saved.pixel(drawn.CursorPixel(0.21), y)), QColor(Qt::white));
    EXPECT_NE(QColor(saved.pixel(box.left(), box.center().y())), BoxGrey) << "the readout";
}

TEST(MarkOverlay, TheReadoutBoxStandsOnTheSideItIsGiven) {
    DrawnSurface drawn;
    MarkOverlay* cursor = drawn.surface.Cursor();
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

TEST(MarkOverlay, TheChartShowsItsBackgroundAroundThePlotAfterAChange) {
    DrawnSurface drawn;
    const QPoint margin(2, 2);
    ASSERT_EQ(QColor(drawn.Screen().pixel(margin)), QColor(Qt::white));
    drawn.surface.SetBackgroundColor(QColor(255, 255, 200));
    QApplication::processEvents(); // the queued replot
    EXPECT_EQ(QColor(drawn.Screen().pixel(margin)), QColor(255, 255, 200));
    // A translucent background still shows; what lies beneath is the window system's.
    drawn.surface.SetBackgroundColor(QColor(0, 0, 255, 128));
    QApplication::processEvents();
    const QColor seen(drawn.Screen().pixel(margin));
    EXPECT_GT(seen.blue(), seen.red());
}
