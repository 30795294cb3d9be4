#include "LogFileFixture.h"

#include "logdata/DayOwner.h"

namespace {

struct RecordingMonth : DayOwner {
    void RemoveDay(TDay* day) override { Removed.push_back(day); }
    std::vector<TDay*> Removed;
};

} // namespace

class TDayTest : public LogFileFixture {
protected:
    std::unique_ptr<TDay> MakeDay(DateTime start) {
        auto day = std::make_unique<TDay>(start, &Chart, &Chart2);
        day->ReadLine("2010-05-01 00:00;1;;;;;;;;;;;3", Reader);
        return day;
    }
};

TEST_F(TDayTest, SeriesOfANewDay) {
    TDay day(40000, &Chart, &Chart2);
    EXPECT_EQ(day.SeriesAt(ChR1).Kind(), SeriesKind::Line);
    EXPECT_TRUE(day.SeriesAt(ChR1).Stairs());
    EXPECT_FALSE(day.SeriesAt(ChT1).Stairs());
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(day.SeriesAt(TDay::BarSlotBase + k).Kind(), SeriesKind::Bar);
        EXPECT_DOUBLE_EQ(day.SeriesAt(TDay::BarSlotBase + k).BarOrigin(), 44.5 - 15 * k);
    }
    EXPECT_EQ(day.SlotAt(ChEnergy).State, DataState::Absent);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 0);
}

TEST_F(TDayTest, ShowsOverlappingDaysAndGivesTheLegendToTheFirstDrawnSeries) {
    auto d1 = MakeDay(40000);
    auto d2 = MakeDay(40001);
    auto d3 = MakeDay(40002);
    d1->Append(d2.get());
    d1->Append(d3.get());
    bool shown = false;
    DataState lowest = DataState::Absent;
    // The first day touches the span only at its end.
    EXPECT_FALSE(d1->ShowChannel(ChR3, shown, lowest, true, 40002.5, 40001));
    EXPECT_TRUE(shown);
    EXPECT_EQ(lowest, DataState::Valid);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 0);
    ASSERT_EQ(Chart2.ActiveSeriesCount(), 2);
    EXPECT_EQ(Chart2.Series()[0], &d2->SeriesAt(TDay::BarSlotBase + 2));
    EXPECT_TRUE(d2->SeriesAt(TDay::BarSlotBase + 2).ShowInLegend());
    EXPECT_FALSE(d3->SeriesAt(TDay::BarSlotBase + 2).ShowInLegend());

    shown = false;
    EXPECT_TRUE(d1->ShowChannel(ChT1, shown, lowest, true, 40000, 39999));
    EXPECT_FALSE(shown);

    d1->HideChannel(ChR3);
    EXPECT_EQ(Chart2.ActiveSeriesCount(), 0);
    EXPECT_FALSE(d2->SlotAt(TDay::BarSlotBase + 2).Shown);
    EXPECT_DOUBLE_EQ(d1->GetStartDate(2), 40002);
    EXPECT_EQ(MessageOf([&] { d1->GetStartDate(3); }), "Illegal State(41)");
}

TEST_F(TDayTest, StylingOutputsAsLinesKeepsTheirBands) {
    auto day = MakeDay(40000);
    bool shown = false;
    DataState lowest = DataState::Absent;
    day->ShowChannel(ChR3, shown, lowest, true, 40001, 40000);
    day->ApplyChannelStyle(ChR3, "Pump", false, false, 2, Qt::red);
    const ChartSeries& bars = day->SeriesAt(TDay::BarSlotBase + 2);
    EXPECT_EQ(bars.Kind(), SeriesKind::Line);
    EXPECT_TRUE(bars.Stairs());
    EXPECT_EQ(bars.LineWidth(), 2);
    EXPECT_EQ(bars.Title(), "Pump");
    EXPECT_EQ(bars.Color(), QColor(Qt::red));
    EXPECT_DOUBLE_EQ(bars.YValue(0), 14.5 + 0.5 + 0.3);

    const int changes = Chart2.ChangeCount();
    day->ApplyChannelStyle(ChR3, "Pump", false, false, 2, Qt::red);
    EXPECT_EQ(Chart2.ChangeCount(), changes);
    day->ApplyChannelStyle(ChR3, "Pump", true, false, 2, Qt::red);
    EXPECT_EQ(bars.Kind(), SeriesKind::Bar);
    EXPECT_DOUBLE_EQ(bars.BarOrigin(), 14.5);
}

TEST_F(TDayTest, OtherChannelsAsBarsStandOnZero) {
    auto day = MakeDay(40000);
    bool shown = false;
    DataState lowest = DataState::Absent;
    day->ShowChannel(ChFlow, shown, lowest, true, 40001, 40000);
    day->SetChannelAxis(ChFlow, ValueAxis::Right);
    day->ApplyChannelStyle(ChFlow, "Flow", false, true, 3, Qt::blue);
    const ChartSeries& flow = day->SeriesAt(ChFlow);
    EXPECT_EQ(flow.Kind(), SeriesKind::Bar);
    EXPECT_DOUBLE_EQ(flow.BarOrigin(), 0.0);
    EXPECT_EQ(flow.Axis(), ValueAxis::Left);
    EXPECT_EQ(flow.Color(), QColor(Qt::blue));
}

TEST_F(TDayTest, LeavingDaysUnlinkAndTellTheirMonth) {
    RecordingMonth first;
    RecordingMonth second;
    auto d1 = MakeDay(40000);
    auto d2 = std::make_unique<TDay>(40001, &Chart, &Chart2);
    auto d3 = MakeDay(40002);
    d1->Append(d2.get());
    d1->Append(d3.get());
    d2->SetMonth(&first);
    d2->SetMonth(&first);
    EXPECT_TRUE(first.Removed.empty());
    d2->SetMonth(&second);
    ASSERT_EQ(first.Removed.size(), 1u);
    bool shown = false;
    DataState lowest = DataState::Absent;
    d2->ShowChannel(ChT1, shown, lowest, false, 40002, 40000.5);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 1);
    d2.reset();
    EXPECT_EQ(second.Removed.size(), 1u);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 0);
    EXPECT_EQ(d1->GetNext(), d3.get());
    EXPECT_EQ(d3->GetPrev(), d1.get());
}
