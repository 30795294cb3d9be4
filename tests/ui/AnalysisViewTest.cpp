#include "ui/analysis/AnalysisView.h"

#include "LogGenerator.h"
#include "chart/SeriesHost.h"
#include "logdata/TAnalysisData.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

// The time window without a single widget: a data set on in-memory hosts and the view's signals.
namespace {

constexpr double Hour = AnalysisView::Hour;

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class AnalysisViewTest : public ::testing::Test {
protected:
    QString WriteDay(const QDate& date) {
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        const QString path = Dir.filePath(date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, options).Bytes);
        return path;
    }
    void Load(const QDate& first, int days) {
        Data.LoadRange(Date(first), Date(first.addDays(days - 1)), static_cast<unsigned>(days),
                       WriteDay(first), &Host, &Host2);
        for (int i = 1; i < days; ++i)
            Data.AddFile(WriteDay(first.addDays(i)));
        QObject::connect(&View, &AnalysisView::WindowChanged, &View,
                         [this](DateTime from, DateTime to) {
                             Windows.push_back({from, to});
                         });
        QObject::connect(&View, &AnalysisView::TitleChanged, &View,
                         [this](const QString& title) { Title = title; });
        View.Start(&Data, Data.IsMultiDay() ? 5 : 4, true);
    }
    void ExpectWindow(double from, double to) {
        ASSERT_FALSE(Windows.empty());
        EXPECT_NEAR(Windows.back().first, from, 1e-9);
        EXPECT_NEAR(Windows.back().second, to, 1e-9);
        EXPECT_NEAR(View.From(), from, 1e-9);
        EXPECT_NEAR(View.To(), to, 1e-9);
    }

    QTemporaryDir Dir;
    MemoryHost Host;
    MemoryHost Host2;
    TAnalysisData Data;
    AnalysisView View;
    std::vector<std::pair<double, double>> Windows;
    QString Title;
};

} // namespace

TEST_F(AnalysisViewTest, SpansAndJumpsCrossMonthEndsAndTheYearEnd) {
    const QDate first(2009, 12, 30);
    Load(first, 4); // 30 December to 2 January
    const double d0 = Date(first);
    ExpectWindow(d0, d0 + 1);
    EXPECT_EQ(View.Span(), AnalysisView::DayItem);
    EXPECT_EQ(View.SliderMax(), 3);
    EXPECT_EQ(Title, "30. December 2009");

    QSignalSpy moves(&View, &AnalysisView::MoveStarting);
    View.JumpRight();
    View.JumpRight();
    ExpectWindow(d0 + 2, d0 + 3);
    EXPECT_EQ(View.DayIndex, 2);
    EXPECT_EQ(View.SliderPos(), 2);
    EXPECT_EQ(moves.count(), 2) << "each move first ends a zoom";

    View.SelectSpan(AnalysisView::MonthItem); // the month of the day in view: January
    EXPECT_TRUE(View.MonthMode);
    ExpectWindow(Date(QDate(2010, 1, 1)), Date(QDate(2010, 2, 1)));
    EXPECT_EQ(View.MonthIndex, 1);
    EXPECT_EQ(View.SliderMax(), 1);
    View.ScrollClick(true); // a month back: December
    ExpectWindow(Date(QDate(2009, 12, 1)), Date(QDate(2010, 1, 1)));
    EXPECT_EQ(View.SliderPos(), 0);
    const size_t shown = Windows.size();
    View.ScrollStep(true); // a held button does not move a month
    EXPECT_EQ(Windows.size(), shown);

    View.SelectSpan(-1); // typed text: the day, the first of the month shown
    EXPECT_FALSE(View.MonthMode);
    EXPECT_EQ(View.Span(), AnalysisView::DayItem);
    ExpectWindow(d0, d0 + 1);
    View.JumpLeft(); // at the first day, the day again
    ExpectWindow(d0, d0 + 1);
}

TEST_F(AnalysisViewTest, HoursScrollAcrossMidnightAndTheNearestHourFollows) {
    const QDate first(2010, 5, 1);
    Load(first, 2);
    const double d0 = Date(first);
    View.SelectSpan(AnalysisView::ThreeHours);
    ExpectWindow(d0, d0 + 3 * Hour);
    EXPECT_EQ(View.SliderMax(), 21);
    View.Slide(21);
    ExpectWindow(d0 + 21 * Hour, d0 + 1);

    // Forty steps of a fortieth move the window by its width: into the next day.
    for (int i = 0; i < 40; ++i)
        View.ScrollStep(false);
    EXPECT_NEAR(View.From(), d0 + 1, 1e-9);
    EXPECT_EQ(View.DayIndex, 1);
    EXPECT_EQ(View.StartHour, 0);
    EXPECT_EQ(View.EndHour, 3);
    EXPECT_EQ(View.SliderPos(), 0);
    EXPECT_EQ(Title, "02. May 2010");
    View.JumpLeft(); // the same hours of the day before
    ExpectWindow(d0, d0 + 3 * Hour);

    // A zoom or pan elsewhere: scrolling goes on from there, the title names every day touched.
    View.SetViewed(d0 + 23 * Hour, d0 + 25 * Hour);
    View.FollowWindow();
    EXPECT_EQ(Title, "01. May 2010 + 02. May 2010");
    // The nearest hour start to 23:00 is the next midnight (one hour), not 21:00 (two).
    EXPECT_EQ(View.DayIndex, 1);
    EXPECT_EQ(View.StartHour, 0);
    EXPECT_EQ(View.SliderPos(), 0);
}

TEST_F(AnalysisViewTest, SeriesAreFetchedOnlyWhenOtherDaysComeIntoView) {
    const QDate first(2010, 5, 1);
    Load(first, 2);
    const double d0 = Date(first);
    EXPECT_TRUE(View.DaysChange(d0, d0 + 1)) << "nothing fetched yet";
    View.Fetched(d0, d0 + 1);
    EXPECT_FALSE(View.DaysChange(d0 + 2 * Hour, d0 + 5 * Hour));
    EXPECT_TRUE(View.DaysChange(d0 + 0.5, d0 + 1.5));
    View.ForgetFetched();
    EXPECT_TRUE(View.DaysChange(d0, d0 + 1));
}

TEST_F(AnalysisViewTest, AnEventsSpanGetsTheLeastHourSpanThatHoldsItWithRoom) {
    const QDate first(2010, 5, 1);
    Load(first, 3);
    const double d1 = Date(first) + 1;
    View.ShowSpan(d1 + 13 * Hour, d1 + 13 * Hour + 20.0 / 1440); // ten minutes' room each side
    EXPECT_EQ(View.Span(), AnalysisView::ThreeHours);
    ExpectWindow(d1 + 12 * Hour, d1 + 15 * Hour);
    EXPECT_EQ(View.SliderPos(), 12);
    EXPECT_EQ(Title, "02. May 2010");

    View.ShowSpan(d1 + 22 * Hour, d1 + 25 * Hour); // over midnight: its first day whole
    EXPECT_EQ(View.Span(), AnalysisView::DayItem);
    ExpectWindow(d1, d1 + 1);

    View.ShowSpan(d1 - 0.5, d1 + 1.5); // longer than a day: its month
    EXPECT_TRUE(View.MonthMode);
    ExpectWindow(Date(QDate(2010, 5, 1)), Date(QDate(2010, 6, 1)));
    View.ShowSpan(d1 + 13 * Hour, d1 + 13.5 * Hour); // and back to hours from the month
    EXPECT_FALSE(View.MonthMode);
    EXPECT_EQ(View.Span(), AnalysisView::ThreeHours);
}
