#include "LogGenerator.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QSlider>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace {

constexpr double Hour = 1.0 / 24.0;
constexpr double Tolerance = 1e-9;

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class ChildformNavigationTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentTexts(TextArrayId::English); }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QString WriteDay(const QDate& date) {
        loggen::DayOptions options;
        options.IntervalMinutes = 30;
        const QString path = Dir.filePath(date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, options).Bytes);
        return path;
    }
    void LoadRange(const QDate& first, int days) {
        Form.BeginMultiDayLoad(days, WriteDay(first), Date(first), Date(first.addDays(days - 1)));
        for (int i = 1; i < days; ++i)
            Form.AddMultiDayFile(WriteDay(first.addDays(i)));
        Form.FinishMultiDayLoad();
    }
    template <typename T> T* Find(const char* name) {
        T* found = Form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    ChartSurface& Chart() { return *Find<ChartSurface>("Chart"); }
    ChartSurface& Chart2() { return *Find<ChartSurface>("Chart2"); }
    QSlider& Slider() { return *Find<QSlider>("SliderTime"); }
    QComboBox& Span() { return *Find<QComboBox>("SpanTime"); }
    double Lo() { return Chart().Minimum(ChartAxis::Bottom); }
    double Hi() { return Chart().Maximum(ChartAxis::Bottom); }
    QString Title() { return Chart().TitleLine(0); }
    // The days whose series the upper chart draws.
    std::set<double> DaysDrawn() {
        std::set<double> days;
        for (const ChartSeries* series : Chart().Series())
            if (series->Count() > 2)
                days.insert(std::floor(series->XValue(series->Count() / 2)));
        return days;
    }
    void ExpectWindow(double lo, double hi) {
        EXPECT_NEAR(Lo(), lo, Tolerance);
        EXPECT_NEAR(Hi(), hi, Tolerance);
        EXPECT_NEAR(Chart2().Minimum(ChartAxis::Bottom), lo, Tolerance)
            << "the lower chart follows";
        EXPECT_NEAR(Chart2().Maximum(ChartAxis::Bottom), hi, Tolerance);
    }
    void Mouse(QWidget* widget, QEvent::Type type, QPointF at) {
        const Qt::MouseButtons held =
            type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(Qt::LeftButton);
        QMouseEvent event(type, at, widget->mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
    // Drags across the upper chart from one time to another, at mid height.
    void Drag(double from, double to) {
        ChartSurface& chart = Chart();
        const double y = chart.yAxis->axisRect()->center().y();
        const QPointF start(chart.xAxis->coordToPixel(from), y);
        const QPointF end(chart.xAxis->coordToPixel(to), y + 40);
        Mouse(&chart, QEvent::MouseButtonPress, start);
        Mouse(&chart, QEvent::MouseMove, (start + end) / 2);
        Mouse(&chart, QEvent::MouseMove, end);
        Mouse(&chart, QEvent::MouseButtonRelease, end);
        QApplication::processEvents(); // the surface finishes a zoom in a queued call
    }
    void ShowForm() {
        Form.resize(1000, 700);
        Form.show();
        QApplication::processEvents();
        Chart().replot();
        Chart2().replot();
    }
    void HoldScroll(const char* button, int ticks) {
        auto* b = Find<QToolButton>(button);
        Mouse(b, QEvent::MouseButtonPress, QPointF(5, 5));
        auto* timer = Find<QTimer>("ScrollTimer");
        EXPECT_TRUE(timer->isActive());
        EXPECT_EQ(timer->interval(), 25);
        for (int i = 0; i < ticks; ++i)
            Form.ScrollTimerTick();
        Mouse(b, QEvent::MouseButtonRelease, QPointF(5, 5));
        EXPECT_FALSE(timer->isActive());
    }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
};

} // namespace

TEST_F(ChildformNavigationTest, SpanChangesKeepTheDayAndClampTheHours) {
    const QDate first(2010, 4, 29);
    LoadRange(first, 4); // 29 April to 2 May: two months
    const double d0 = Date(first);
    Q_EMIT Span().activated(0); // the user picks "1 hour"
    ExpectWindow(d0, d0 + Hour);
    EXPECT_EQ(Slider().maximum(), 23);
    EXPECT_TRUE(Slider().isEnabled());
    EXPECT_TRUE(Chart().interactions().testFlag(QCP::iRangeDrag)) << "hours pan";
    EXPECT_EQ(Chart().selectionRectMode(), QCP::srmNone) << "and do not zoom";

    Slider().setValue(23);
    ExpectWindow(d0 + 23 * Hour, d0 + 1);
    Form.SpanTimeChange(1); // "3 hours" from hour 23 stays inside the day
    ExpectWindow(d0 + 21 * Hour, d0 + 1);
    EXPECT_EQ(Slider().maximum(), 21);
    EXPECT_EQ(Slider().value(), 21);
    Form.SpanTimeChange(2);
    ExpectWindow(d0 + 16 * Hour, d0 + 16 * Hour + 8 * Hour);
    EXPECT_EQ(Title(), "29. April 2010");

    Form.SpanTimeChange(3);
    ExpectWindow(d0, d0 + 1);
    EXPECT_EQ(Slider().maximum(), 3);
    EXPECT_EQ(Slider().value(), 0);
    EXPECT_EQ(Chart().selectionRectMode(), QCP::srmZoom);
    EXPECT_FALSE(Chart().interactions().testFlag(QCP::iRangeDrag));
    auto* volume = Find<QCheckBox>("CB_Volume");
    EXPECT_FALSE(volume->isEnabled());

    Form.SpanTimeChange(4);
    ExpectWindow(Date(QDate(2010, 4, 1)), Date(QDate(2010, 5, 1)));
    EXPECT_EQ(Title(), "April 2010");
    EXPECT_EQ(Chart().DateFormat(), "dd.");
    EXPECT_EQ(Chart2().DateFormat(), "dd.");
    EXPECT_EQ(Slider().maximum(), 1);
    EXPECT_TRUE(volume->isEnabled());
    volume->setChecked(true);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_TRUE(volume->isChecked());
    Slider().setValue(1);
    ExpectWindow(Date(QDate(2010, 5, 1)), Date(QDate(2010, 6, 1)));
    EXPECT_EQ(Title(), "May 2010");

    // "1 hour" straight from the month: the month's first day, hour 0.
    Form.SpanTimeChange(0);
    const double may1 = Date(QDate(2010, 5, 1));
    ExpectWindow(may1, may1 + Hour);
    EXPECT_EQ(Title(), "01. May 2010");
    EXPECT_EQ(Chart().DateFormat(), "hh:mm");
    EXPECT_FALSE(volume->isChecked()) << "day totals leave with the month";
    EXPECT_FALSE(volume->isEnabled());
    EXPECT_EQ(Slider().value(), 0);
    EXPECT_EQ(Slider().maximum(), 23);
    Form.SpanTimeChange(3);
    EXPECT_EQ(Slider().value(), 2) << "1 May is the third day";
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(ChildformNavigationTest, TypedTextShowsTheDayAndIsNotInserted) {
    LoadRange(QDate(2010, 5, 1), 2);
    const double d0 = Date(QDate(2010, 5, 1));
    Form.SpanTimeChange(4);
    QLineEdit* edit = Span().lineEdit();
    edit->setText("half a day");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(Span().count(), 5);
    ExpectWindow(d0, d0 + 1);
    EXPECT_EQ(Span().currentIndex(), 3);
    EXPECT_EQ(Slider().maximum(), 1);
    Slider().setValue(1);
    ExpectWindow(d0 + 1, d0 + 2); // the slider moves by days again

    // Text that names an item chooses it.
    edit->setText("1 hour");
    QApplication::sendEvent(edit, &enter);
    EXPECT_EQ(Span().count(), 5);
    ExpectWindow(d0 + 1, d0 + 1 + Hour);
}

// Filling and selecting the items is the program's doing: the span handler must stay out of it.
TEST_F(ChildformNavigationTest, LoadingDoesNotRunTheSpanHandler) {
    LoadRange(QDate(2010, 4, 29), 3);
    Form.SpanTimeChange(4);
    auto* volume = Find<QCheckBox>("CB_Volume");
    volume->setChecked(true);
    ASSERT_TRUE(volume->isChecked());
    LoadRange(QDate(2010, 4, 29), 3);
    EXPECT_EQ(Span().currentIndex(), 3) << "the load selected the day";
    EXPECT_EQ(Span().count(), 5);
    Form.LoadLogFile(WriteDay(QDate(2010, 5, 3)));
    EXPECT_EQ(Span().currentIndex(), 3);
    EXPECT_EQ(Span().count(), 4);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    ExpectWindow(Date(QDate(2010, 5, 3)), Date(QDate(2010, 5, 4)));
}

TEST_F(ChildformNavigationTest, JumpsStopAtBothEnds) {
    const QDate first(2010, 4, 29);
    LoadRange(first, 3);
    const double d0 = Date(first);
    auto* left = Find<QToolButton>("ButtonJumpLeft");
    auto* right = Find<QToolButton>("ButtonJumpRight");

    left->click();
    ExpectWindow(d0, d0 + 1);
    right->click();
    right->click();
    ExpectWindow(d0 + 2, d0 + 3);
    EXPECT_EQ(Title(), "01. May 2010");
    right->click();
    ExpectWindow(d0 + 2, d0 + 3);
    EXPECT_EQ(Slider().value(), 2);

    // Hours: by a day at the same hours, the slider keeps its hour.
    Form.SpanTimeChange(1);
    Slider().setValue(5);
    right->click();
    ExpectWindow(d0 + 2 + 5 * Hour, d0 + 2 + 8 * Hour);
    left->click();
    left->click();
    ExpectWindow(d0 + 5 * Hour, d0 + 8 * Hour);
    EXPECT_EQ(Title(), "29. April 2010");
    left->click();
    ExpectWindow(d0 + 5 * Hour, d0 + 8 * Hour);
    EXPECT_EQ(Slider().value(), 5);
    right->click();
    EXPECT_EQ(Title(), "30. April 2010");

    // Month: to the first or the last month; at the first, nothing at all.
    Form.SpanTimeChange(4);
    const double april = Date(QDate(2010, 4, 1));
    ExpectWindow(april, april + 30);
    left->click();
    ExpectWindow(april, april + 30);
    EXPECT_EQ(Title(), "April 2010");
    right->click();
    ExpectWindow(april + 30, april + 61);
    right->click();
    EXPECT_EQ(Slider().value(), 1);
    EXPECT_EQ(Title(), "May 2010");
    // The scroll buttons click by a month there.
    Find<QToolButton>("ButtonScrollLeft")->click();
    EXPECT_EQ(Title(), "April 2010");
    Find<QToolButton>("ButtonScrollLeft")->click();
    EXPECT_EQ(Title(), "April 2010");
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(ChildformNavigationTest, HoldingAScrollButtonForASecondMovesByADay) {
    const QDate first(2010, 4, 29);
    LoadRange(first, 3);
    const double d0 = Date(first);
    Find<QCheckBox>("CB_T1")->setChecked(true);
    HoldScroll("ButtonScrollRight", 40);
    EXPECT_NEAR(Lo(), d0 + 1, 1e-6);
    EXPECT_NEAR(Hi() - Lo(), 1, 1e-6);
    // Whichever side of midnight the sum of steps ends on, the two days touched are named.
    const double day = std::floor(Lo());
    EXPECT_EQ(Title(), day == d0 ? "29. Apr 2010 + 30. Apr 2010" : "30. Apr 2010 + 01. May 2010");
    EXPECT_EQ(Slider().value(), 1) << "the nearer day";
    EXPECT_EQ(DaysDrawn(), (std::set<double>{day, day + 1}));

    // Ticks after the release only stop the timer.
    Form.ScrollTimerTick();
    EXPECT_NEAR(Lo(), d0 + 1, 1e-6);

    // Past the last day the window goes on; the slider stays at the end, and a jump right shows
    // the last day whole again.
    HoldScroll("ButtonScrollRight", 70);
    EXPECT_GT(Lo(), d0 + 2.5);
    EXPECT_EQ(Slider().value(), 2);
    Find<QToolButton>("ButtonJumpRight")->click();
    ExpectWindow(d0 + 2, d0 + 3);
    EXPECT_EQ(Title(), "01. May 2010");
    EXPECT_EQ(DaysDrawn(), std::set<double>{d0 + 2});

    // The space key steps once per press, its repeats included.
    auto* button = Find<QToolButton>("ButtonScrollLeft");
    for (bool repeat : {false, true, true}) {
        QKeyEvent space(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QString(" "), repeat);
        QApplication::sendEvent(button, &space);
    }
    EXPECT_NEAR(Lo(), d0 + 2 - 3 * 0.025, 1e-9);
    EXPECT_FALSE(Find<QTimer>("ScrollTimer")->isActive());
    EXPECT_EQ(Title(), "30. Apr 2010 + 01. May 2010");
    EXPECT_EQ(Slider().value(), 2);
}

TEST_F(ChildformNavigationTest, ScrollingInHoursFollowsTheNearestHourAcrossMidnight) {
    const QDate first(2010, 4, 29);
    LoadRange(first, 3);
    const double d0 = Date(first);
    Form.SpanTimeChange(1); // 3 hours
    Slider().setValue(21);
    // 30 steps of a 3-hour window are 2 h 15 min. Hours 22 and 23 cannot start 3 hours, so the
    // next day's hour 0 is nearest.
    HoldScroll("ButtonScrollRight", 30);
    EXPECT_NEAR(Lo(), d0 + 23.25 * Hour, 1e-9);
    EXPECT_EQ(Slider().value(), 0);
    EXPECT_EQ(Title(), "29. Apr 2010 + 30. Apr 2010");
    Find<QToolButton>("ButtonJumpRight")->click();
    // The current day is the second one now.
    ExpectWindow(d0 + 2, d0 + 2 + 3 * Hour);

    Slider().setValue(1);
    HoldScroll("ButtonScrollLeft", 40);
    EXPECT_NEAR(Lo(), d0 + 2 - 2 * Hour, 1e-9);
    EXPECT_EQ(Slider().value(), 21) << "the last hour of the day before is the nearest";
    Find<QToolButton>("ButtonJumpLeft")->click();
    ExpectWindow(d0 + 21 * Hour, d0 + 1);
}

TEST_F(ChildformNavigationTest, AShortZoomWidensToAnHourAroundItsMiddle) {
    const QDate day(2010, 5, 1);
    LoadRange(day, 2);
    const double d0 = Date(day);
    ShowForm();
    Drag(d0 + 10 * Hour, d0 + 10 * Hour + 20.0 / 1440);
    ASSERT_TRUE(Chart().CanUndoZoom()) << "the drag zoomed";
    const double middle = d0 + 10 * Hour + 10.0 / 1440;
    EXPECT_NEAR(Hi() - Lo(), Hour, 1e-9);
    EXPECT_NEAR((Hi() + Lo()) / 2, middle, 2.0 / 1440) << "within a pixel of the drag";
    ExpectWindow(Lo(), Hi());

    Chart().UndoZoom();
    ExpectWindow(d0, d0 + 1);
}

TEST_F(ChildformNavigationTest, PanningAcrossMidnightFetchesTheNextDay) {
    const QDate first(2010, 5, 1);
    LoadRange(first, 2);
    const double d0 = Date(first);
    Find<QCheckBox>("CB_T1")->setChecked(true);
    Form.SpanTimeChange(0);
    Slider().setValue(23);
    ShowForm();
    EXPECT_EQ(DaysDrawn(), std::set<double>{d0});
    Drag(d0 + 23.8 * Hour, d0 + 23.3 * Hour); // the contents follow the mouse to the left
    EXPECT_GT(Hi(), d0 + 1);
    ExpectWindow(Lo(), Hi());
    EXPECT_EQ(DaysDrawn(), (std::set<double>{d0, d0 + 1}));
    EXPECT_EQ(Slider().value(), 23);
    EXPECT_EQ(Title(), "01. May 2010");
}

// A zoom's undo restores a range the series of other days were fetched for: the day jumped to
// must still get its own series.
TEST_F(ChildformNavigationTest, ZoomScrollAndJumpDrawTheDayJumpedTo) {
    const QDate first(2010, 5, 1);
    LoadRange(first, 2);
    const double d0 = Date(first);
    Find<QCheckBox>("CB_T1")->setChecked(true);
    ShowForm();
    Drag(d0 + 20 * Hour, d0 + 23 * Hour);
    ASSERT_TRUE(Chart().CanUndoZoom());
    int ticks = 0;
    auto* button = Find<QToolButton>("ButtonScrollRight");
    Mouse(button, QEvent::MouseButtonPress, QPointF(5, 5));
    while (Lo() < d0 + 1.05 && ticks++ < 200)
        Form.ScrollTimerTick();
    Mouse(button, QEvent::MouseButtonRelease, QPointF(5, 5));
    ASSERT_EQ(DaysDrawn(), std::set<double>{d0 + 1});
    EXPECT_EQ(Slider().value(), 1);
    Find<QToolButton>("ButtonJumpLeft")->click();
    ExpectWindow(d0, d0 + 1);
    EXPECT_EQ(DaysDrawn(), std::set<double>{d0});
    EXPECT_EQ(Title(), "01. May 2010");
}

TEST_F(ChildformNavigationTest, TheNavigationButtonsShowTheirGlyphs) {
    for (const char* name :
         {"ButtonJumpLeft", "ButtonScrollLeft", "ButtonScrollRight", "ButtonJumpRight"}) {
        auto* button = Find<QToolButton>(name);
        EXPECT_TRUE(button->text().isEmpty()) << name;
        EXPECT_FALSE(button->icon().pixmap(16, 16).isNull()) << name;
    }
}

TEST_F(ChildformNavigationTest, DecemberEndsOnTheFirstOfJanuaryAndOneFileHasNoDaySlider) {
    LoadRange(QDate(2009, 12, 31), 2);
    Form.SpanTimeChange(4);
    ExpectWindow(Date(QDate(2009, 12, 1)), Date(QDate(2010, 1, 1)));
    EXPECT_EQ(Title(), "December 2009");
    Find<QToolButton>("ButtonJumpRight")->click();
    ExpectWindow(Date(QDate(2010, 1, 1)), Date(QDate(2010, 2, 1)));

    // A single day: the slider has hours to offer, but no other day.
    Form.LoadLogFile(WriteDay(QDate(2010, 5, 1)));
    Form.SpanTimeChange(2);
    EXPECT_TRUE(Slider().isEnabled());
    EXPECT_EQ(Slider().maximum(), 16);
    Form.SpanTimeChange(3);
    EXPECT_FALSE(Slider().isEnabled());
    Find<QToolButton>("ButtonJumpRight")->click();
    ExpectWindow(Date(QDate(2010, 5, 1)), Date(QDate(2010, 5, 2)));
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

// ---- zoom and its undo ----

namespace {
// With nothing shown, the left axis holds the settings' range and the right one at least that
// (dynamic scaling widens it a little at every fit); a zoom leaves either far narrower.
void ExpectUnzoomedValueAxes(ChartSurface& chart) {
    const WindowSettings defaults = WindowSettings::FactoryDefaults();
    EXPECT_EQ(chart.Minimum(ChartAxis::Left), defaults.AxisMin);
    EXPECT_EQ(chart.Maximum(ChartAxis::Left), defaults.AxisMax);
    EXPECT_LE(chart.Minimum(ChartAxis::Right), defaults.AxisMin);
    EXPECT_GE(chart.Maximum(ChartAxis::Right), defaults.AxisMax);
    EXPECT_FALSE(chart.CanUndoZoom());
}
} // namespace

TEST_F(ChildformNavigationTest, TwoZoomsThenASpanChangeLeaveNoZoomedAxis) {
    const QDate day(2010, 5, 1);
    LoadRange(day, 2);
    const double d0 = Date(day);
    ShowForm();
    ExpectUnzoomedValueAxes(Chart());
    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Drag(d0 + 9 * Hour, d0 + 12 * Hour);
    ASSERT_TRUE(Chart().CanUndoZoom());
    ASSERT_NE(Chart().Maximum(ChartAxis::Left), WindowSettings::FactoryDefaults().AxisMax);
    Form.SpanTimeChange(2); // "8 hours"
    ExpectWindow(d0, d0 + 8 * Hour);
    ExpectUnzoomedValueAxes(Chart());
    Form.SpanTimeChange(3);
    ExpectWindow(d0, d0 + 1);
    ExpectUnzoomedValueAxes(Chart());

    // The slider and the jumps undo a double zoom just as well.
    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Drag(d0 + 9 * Hour, d0 + 12 * Hour);
    Slider().setValue(1);
    ExpectWindow(d0 + 1, d0 + 2);
    ExpectUnzoomedValueAxes(Chart());
    Drag(d0 + 1 + 6 * Hour, d0 + 1 + 18 * Hour);
    Drag(d0 + 1 + 9 * Hour, d0 + 1 + 12 * Hour);
    Find<QToolButton>("ButtonJumpLeft")->click();
    ExpectWindow(d0, d0 + 1);
    ExpectUnzoomedValueAxes(Chart());
}

TEST_F(ChildformNavigationTest, TheUserUndoesTheZoomByGestureAndCodeByCall) {
    const QDate day(2010, 5, 1);
    LoadRange(day, 2);
    const double d0 = Date(day);
    ShowForm();
    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Drag(d0 + 9 * Hour, d0 + 12 * Hour);
    ExpectWindow(Lo(), Hi());
    ASSERT_LT(Hi() - Lo(), 0.25);
    Drag(d0 + 11 * Hour, d0 + 10 * Hour); // right to left
    ExpectWindow(d0, d0 + 1);
    ExpectUnzoomedValueAxes(Chart());

    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Chart().UndoZoom();
    ExpectWindow(d0, d0 + 1);
    ExpectUnzoomedValueAxes(Chart());
    Form.ApplyTexts();
    EXPECT_EQ(Chart().UndoZoomAction()->text(), "Undo zoom");
    EXPECT_EQ(Title(), "01. May 2010");
}

// Scrolled while zoomed, the undo returns to the day of the zoom: its series are fetched and the
// slider points to it again.
TEST_F(ChildformNavigationTest, UndoAfterScrollingWhileZoomedDrawsTheDayReturnedTo) {
    const QDate first(2010, 5, 1);
    LoadRange(first, 2);
    const double d0 = Date(first);
    Find<QCheckBox>("CB_T1")->setChecked(true);
    ShowForm();
    Drag(d0 + 20 * Hour, d0 + 23 * Hour);
    auto* button = Find<QToolButton>("ButtonScrollRight");
    Mouse(button, QEvent::MouseButtonPress, QPointF(5, 5));
    for (int ticks = 0; Lo() < d0 + 1.05 && ticks < 200; ++ticks)
        Form.ScrollTimerTick();
    Mouse(button, QEvent::MouseButtonRelease, QPointF(5, 5));
    ASSERT_EQ(DaysDrawn(), std::set<double>{d0 + 1});
    ASSERT_EQ(Slider().value(), 1);
    Chart().setFocus();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Chart(), &escape);
    ExpectWindow(d0, d0 + 1);
    EXPECT_EQ(DaysDrawn(), std::set<double>{d0});
    EXPECT_EQ(Slider().value(), 0);
}

TEST_F(ChildformNavigationTest, ALoadIntoAZoomedOrPannedWindowStartsUnzoomedInTheDaySpan) {
    const QDate first(2010, 5, 1);
    LoadRange(first, 2);
    const double d0 = Date(first);
    ShowForm();
    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Drag(d0 + 9 * Hour, d0 + 12 * Hour);
    const QDate next(2010, 6, 10);
    LoadRange(next, 3);
    ExpectWindow(Date(next), Date(next) + 1);
    ExpectUnzoomedValueAxes(Chart());

    Form.SpanTimeChange(0); // hours pan and do not zoom
    ASSERT_TRUE(Chart().interactions().testFlag(QCP::iRangeDrag));
    LoadRange(first, 2);
    EXPECT_EQ(Chart().selectionRectMode(), QCP::srmZoom) << "the day span zooms";
    EXPECT_FALSE(Chart().interactions().testFlag(QCP::iRangeDrag)) << "and does not pan";

    Drag(d0 + 6 * Hour, d0 + 18 * Hour);
    Drag(d0 + 9 * Hour, d0 + 12 * Hour);
    Form.LoadLogFile(WriteDay(next));
    ExpectWindow(Date(next), Date(next) + 1);
    ExpectUnzoomedValueAxes(Chart());
}

TEST_F(ChildformNavigationTest, TheLowerChartFollowsAPanAsItHappens) {
    const QDate first(2010, 5, 1);
    LoadRange(first, 2);
    const double d0 = Date(first);
    Form.SpanTimeChange(1);
    ShowForm();
    ChartSurface& chart = Chart();
    const double y = chart.yAxis->axisRect()->center().y();
    const QPointF start(chart.xAxis->coordToPixel(d0 + 2 * Hour), y);
    Mouse(&chart, QEvent::MouseButtonPress, start);
    Mouse(&chart, QEvent::MouseMove, start - QPointF(100, 0));
    ASSERT_GT(Lo(), d0) << "the pan moved the window";
    EXPECT_NEAR(Chart2().Minimum(ChartAxis::Bottom), Lo(), Tolerance) << "before the release";
    EXPECT_NEAR(Chart2().Maximum(ChartAxis::Bottom), Hi(), Tolerance);
    Mouse(&chart, QEvent::MouseButtonRelease, start - QPointF(100, 0));
    ExpectWindow(Lo(), Hi());
}

// Daily totals belong to the month span: a new analysis that starts in the day span takes the
// ticks of the old one's totals away instead of drawing a day's total across the chart.
TEST_F(ChildformNavigationTest, ANewAnalysisDrawsNoDailyTotalsOutsideTheMonth) {
    LoadRange(QDate(2010, 4, 29), 4);
    Form.SpanTimeChange(4);
    auto* volume = Find<QCheckBox>("CB_Volume");
    auto* energy = Find<QCheckBox>("CB_Energy");
    volume->setChecked(true);
    energy->setChecked(true);
    ASSERT_EQ(Chart().ActiveSeriesCount(), 2);
    LoadRange(QDate(2010, 6, 1), 3);
    EXPECT_EQ(Span().currentIndex(), 3);
    for (QCheckBox* box : {volume, energy}) {
        EXPECT_FALSE(box->isChecked()) << box->objectName().toStdString();
        EXPECT_FALSE(box->isEnabled()) << box->objectName().toStdString();
    }
    EXPECT_EQ(Chart().ActiveSeriesCount(), 0);
    EXPECT_TRUE(Chart().AxisTitle(ChartAxis::Left).isEmpty());
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}
