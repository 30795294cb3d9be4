#include "LogFileFixture.h"

#include "logdata/TMonth.h"

namespace {

DateTime Date(int year, int month, int day) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(year, month, day, d));
    return d;
}

// A short day file: a line every six hours, the flow and power held to midnight.
QByteArray DayFile(int year, int month, int day, double flow, int power) {
    QByteArray bytes = "DATE & TIME;T1[C];T2[C];T3[C];T4[C];T5[C];T6[C];Tds[C];V'[l/min];P[W];"
                       "R1;R2;R3;R!\r\n";
    for (int hour = 0; hour < 24; hour += 6)
        bytes +=
            QStringLiteral("%1-%2-%3 %4:00;20,0;21,0;22,0;23,0;24,0;25,0;26,0;%5;%6;1;0;0;0\r\n")
                .arg(year)
                .arg(month, 2, 10, QLatin1Char('0'))
                .arg(day, 2, 10, QLatin1Char('0'))
                .arg(hour, 2, 10, QLatin1Char('0'))
                .arg(QString::number(flow).replace('.', ','))
                .arg(power)
                .toLatin1();
    return bytes;
}

class MonthChainTest : public LogFileFixture {
protected:
    // A chain of consecutive months starting at (month, year); the first owns none of the others.
    std::vector<std::unique_ptr<TMonth>> Chain(int month, int year, int count) {
        std::vector<std::unique_ptr<TMonth>> months;
        for (int i = 0; i < count; ++i) {
            months.push_back(std::make_unique<TMonth>(
                month, year, months.empty() ? nullptr : months.back().get(), &Chart));
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
        return months;
    }
    std::unique_ptr<TDay> Empty(DateTime date) {
        return std::make_unique<TDay>(date, &Chart, &Chart2);
    }
};

} // namespace

TEST_F(MonthChainTest, MonthsSpanTheYearEnd) {
    auto months = Chain(12, 2009, 2);
    EXPECT_DOUBLE_EQ(months[0]->StartDate(), Date(2009, 12, 1));
    EXPECT_DOUBLE_EQ(months[0]->EndDate(), Date(2010, 1, 1));
    EXPECT_DOUBLE_EQ(months[1]->EndDate(), Date(2010, 2, 1));
    EXPECT_EQ(months[0]->GetNext(), months[1].get());
    EXPECT_EQ(months[1]->GetPrev(), months[0].get());
    EXPECT_TRUE(months[1]->Matches(1, 2010));
    EXPECT_FALSE(months[1]->Matches(1, 2009));
    EXPECT_EQ(MessageOf([&] { TMonth(1, 2010, nullptr, nullptr); }), "Illegal State (30)");
    EXPECT_EQ(MessageOf([&] { TMonth(13, 2010, nullptr, &Chart); }), "Illegal State(31).");
}

// March and May hold days, April none: the empty month gets no month index.
TEST_F(MonthChainTest, IndexQueriesSkipMonthsWithoutDays) {
    auto months = Chain(3, 2010, 3);
    months[0]->AddDay(Empty(Date(2010, 3, 30)));
    months[0]->AddDay(Empty(Date(2010, 3, 31)));
    months[2]->AddDay(Empty(Date(2010, 5, 1)));
    months[2]->AddDay(Empty(Date(2010, 5, 2)));
    const TMonth& first = *months[0];
    EXPECT_EQ(first.GetMonthCount(), 2);
    EXPECT_DOUBLE_EQ(first.GetDateByMonthIndex(0), Date(2010, 3, 1));
    EXPECT_DOUBLE_EQ(first.GetDateByMonthIndex(1), Date(2010, 5, 1));
    EXPECT_EQ(first.GetDayIndexByMonth(1), 2);
    EXPECT_EQ(first.GetMonthIndexByDay(1), 0);
    EXPECT_EQ(first.GetMonthIndexByDay(2), 1);
    EXPECT_EQ(first.GetMonthIndexByDay(3), 1);
    EXPECT_DOUBLE_EQ(first.GetStartDate(2), Date(2010, 5, 1));
    EXPECT_DOUBLE_EQ(first.GetStartDate(3), Date(2010, 5, 2));

    EXPECT_EQ(MessageOf([&] { first.GetMonthIndexByDay(4); }),
              "TMonth::GetMonthIndexByDay - Reached End of Data");
    EXPECT_EQ(MessageOf([&] { first.GetDayIndexByMonth(2); }),
              "TMonth::GetDayIndexByMonth - Reached End of Data");
    EXPECT_EQ(MessageOf([&] { first.GetDateByMonthIndex(2); }),
              "GetDateByMonthIndex - Reached End of Data");
    EXPECT_EQ(MessageOf([&] { first.GetStartDate(4); }), "Illegal State(41)");
}

TEST_F(MonthChainTest, AnEmptyLastMonthAnswersWithItsOwnFirstDay) {
    auto months = Chain(4, 2010, 2);
    months[0]->AddDay(Empty(Date(2010, 4, 30)));
    EXPECT_DOUBLE_EQ(months[1]->GetDateByMonthIndex(0), Date(2010, 5, 1));
    EXPECT_EQ(MessageOf([&] { months[0]->GetStartDate(1); }),
              "TMonth->GetStartDate(Index) - Index out of Bounds Exception");
}

TEST_F(MonthChainTest, DaysLeavingTheMonthKeepItsCountAndChain) {
    auto months = Chain(5, 2010, 1);
    TMonth& may = *months[0];
    auto first = Empty(Date(2010, 5, 1));
    TDay* firstDay = first.get();
    may.AddDay(std::move(first));
    may.AddDay(Empty(Date(2010, 5, 2)));
    may.AddDay(Empty(Date(2010, 5, 3)));
    delete firstDay;
    EXPECT_EQ(may.GetDayCount(), 2);
    EXPECT_DOUBLE_EQ(may.GetStartDate(0), Date(2010, 5, 2));
    EXPECT_DOUBLE_EQ(may.GetStartDate(1), Date(2010, 5, 3));
    EXPECT_EQ(may.FirstDayOfChain()->GetPrev(), nullptr);
}

TEST_F(MonthChainTest, TotalsGiveEveryCalendarDayOnePointAtNoon) {
    auto months = Chain(5, 2010, 2);
    TMonth& may = *months[0];
    may.AddDay(Load(DayFile(2010, 5, 2, 2.0, 1000)));
    may.AddDay(Load(DayFile(2010, 5, 4, 3.0, 500)));
    may.BuildTotals();
    months[1]->BuildTotals();
    const ChartSeries& volume = *may.TotalSlot(0).Series;
    const ChartSeries& energy = *may.TotalSlot(1).Series;
    ASSERT_EQ(volume.Count(), 31);
    ASSERT_EQ(energy.Count(), 31);
    for (int i = 0; i < 31; ++i) {
        EXPECT_DOUBLE_EQ(volume.XValue(i), Date(2010, 5, 1) + i + 0.5);
        if (i != 1 && i != 3) {
            EXPECT_EQ(volume.YValue(i), 0.0) << "day " << i + 1;
            EXPECT_EQ(energy.YValue(i), 0.0) << "day " << i + 1;
        }
    }
    // Held from each line to the next and the last to midnight: a whole day at the same rate.
    EXPECT_NEAR(volume.YValue(1), 2.0 * 1440, 1e-9);
    EXPECT_NEAR(energy.YValue(1), 24.0, 1e-9);
    EXPECT_NEAR(volume.YValue(3), 3.0 * 1440, 1e-9);
    EXPECT_NEAR(energy.YValue(3), 12.0, 1e-9);
    EXPECT_EQ(may.TotalSlot(0).State, DataState::Valid);
    EXPECT_EQ(months[1]->TotalSlot(0).Series->Count(), 0) << "a month without days stays empty";
    EXPECT_EQ(months[1]->TotalSlot(0).State, DataState::Absent);
}

// A second file of a date, or one whose content is a day early, must not cost the rest of the
// month its totals.
TEST_F(MonthChainTest, TotalsPassOverDaysOutOfOrder) {
    auto months = Chain(5, 2010, 1);
    TMonth& may = *months[0];
    may.AddDay(Load(DayFile(2010, 5, 3, 1.0, 0)));
    may.AddDay(Load(DayFile(2010, 5, 3, 9.0, 0)));
    may.AddDay(Load(DayFile(2010, 5, 2, 9.0, 0)));
    may.AddDay(Load(DayFile(2010, 5, 6, 4.0, 0)));
    may.BuildTotals();
    const ChartSeries& volume = *may.TotalSlot(0).Series;
    ASSERT_EQ(volume.Count(), 31);
    EXPECT_EQ(volume.YValue(1), 0.0) << "taken in chain order: 2 May comes too late";
    EXPECT_NEAR(volume.YValue(2), 1440.0, 1e-9) << "the first file of 3 May";
    EXPECT_NEAR(volume.YValue(5), 4.0 * 1440, 1e-9) << "6 May is still taken";
}

TEST_F(MonthChainTest, EnergyOverAMonthEndShowsBothMonthsAndOneLegendEntry) {
    auto months = Chain(4, 2010, 3);
    months[0]->AddDay(Load(DayFile(2010, 4, 30, 1.0, 100)));
    months[1]->AddDay(Load(DayFile(2010, 5, 1, 1.0, 100)));
    months[2]->AddDay(Load(DayFile(2010, 6, 1, 1.0, 100)));
    for (auto& m : months)
        m->BuildTotals();
    DataState lowest = DataState::Absent;
    months[0]->ShowChannel(&Chart, ChEnergy, lowest, true, Date(2010, 5, 2), Date(2010, 4, 29));
    EXPECT_EQ(Chart.ActiveSeriesCount(), 2);
    EXPECT_TRUE(months[0]->TotalSlot(1).Series->ShowInLegend());
    EXPECT_FALSE(months[1]->TotalSlot(1).Series->ShowInLegend());
    EXPECT_FALSE(months[2]->TotalSlot(1).Shown);
    EXPECT_EQ(lowest, DataState::Valid);

    months[0]->ApplyChannelStyle(ChEnergy, "Energy", false, true, 3, Qt::red);
    EXPECT_EQ(months[1]->TotalSlot(1).Series->Kind(), SeriesKind::Bar);
    EXPECT_EQ(months[1]->TotalSlot(1).Series->Color(), QColor(Qt::red));
    EXPECT_EQ(months[2]->TotalSlot(1).Series->Kind(), SeriesKind::Line) << "not shown: unstyled";
    EXPECT_EQ(months[2]->TotalSlot(1).Series->Title(), "Energy");
    months[0]->ApplyChannelStyle(ChEnergy, "Energy", false, false, 3, Qt::red);
    EXPECT_EQ(months[1]->TotalSlot(1).Series->Kind(), SeriesKind::Line);
    EXPECT_EQ(months[1]->TotalSlot(1).Series->LineWidth(), 3);

    // A day channel: the days of every overlapping month, one legend entry in all.
    months[0]->ShowChannel(&Chart, ChT1, lowest, true, Date(2010, 5, 2), Date(2010, 4, 29));
    EXPECT_EQ(Chart.ActiveSeriesCount(), 4);
    EXPECT_TRUE(months[0]->FirstDayOfChain()->SeriesAt(ChT1).ShowInLegend());
    EXPECT_FALSE(months[1]->FirstDayOfChain()->SeriesAt(ChT1).ShowInLegend());
    months[0]->HideChannel(ChEnergy);
    months[0]->HideChannel(ChT1);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 0);
    EXPECT_FALSE(months[0]->TotalSlot(1).Shown);
}
