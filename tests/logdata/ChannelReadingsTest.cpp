#include "LogFileFixture.h"

#include "logdata/ChannelReadings.h"
#include "logdata/TAnalysisData.h"
#include "settings/WindowSettings.h"

#include <QDate>

#include <cmath>

namespace {

constexpr double Minute = 1.0 / 1440.0;
// Time stamps are day counts near 40,000: a span's own ends carry about 1e-11 days of rounding.
constexpr double Clock = 1e-8;

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

DateTime At(const QDate& date, int hour, int minute, int second = 0) {
    return Date(date) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

bool PumpOn(int minute) {
    return (minute >= 8 * 60 && minute < 8 * 60 + 30) || (minute >= 12 * 60 && minute < 13 * 60) ||
           minute >= 23 * 60 + 50;
}

// One-minute lines with known values: T1 is the minute of the day / 10, the pump (R1) runs
// 08:00-08:29, 12:00-12:59 and 23:50-23:59 with a flow of 10 l/min and 1000 W. Lines 10:03 to
// 10:09 are missing, and the Power field of 12:30 reads "Err". The midnight record carries the
// previous day's date, as the logger writes it.
QByteArray KnownDay(const QDate& date, const QByteArray& flow = "10,0") {
    QByteArray out = "DATE & TIME;T1[C];T2[C];T3[C];T4[C];T5[C];T6[C];Tds[C];V'[l/min];P[W];R1[%];"
                     "R2[%];R3[%];R![%]\r\n";
    for (int minute = 0; minute < 1440; ++minute) {
        if (minute >= 603 && minute < 610)
            continue;
        const QDate stamp = minute == 0 ? date.addDays(-1) : date;
        const bool on = PumpOn(minute);
        const QByteArray power = minute == 12 * 60 + 30 ? "Err" : on ? "1000" : "0";
        out += stamp.toString(QStringLiteral("yyyy-MM-dd")).toLatin1() +
               QStringLiteral(" %1:%2")
                   .arg(minute / 60, 2, 10, QLatin1Char('0'))
                   .arg(minute % 60, 2, 10, QLatin1Char('0'))
                   .toLatin1() +
               ";" + QByteArray::number(minute / 10.0, 'f', 1).replace('.', ',') +
               ";20,0;30,0;40,0;50,0;60,0;70,0;" + (on ? flow : "0,0") + ";" + power + ";" +
               (on ? "100" : "0") + ";0;0;0\r\n";
    }
    return out;
}

class ChannelReadingsTest : public LogFileFixture {
protected:
    ChannelReadingsTest() : Data({}, &Reader) {}

    QString WriteKnownDay(const QDate& date) {
        return Write(KnownDay(date), date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
    }
    void LoadOne(const QDate& date) { Data.LoadFile(WriteKnownDay(date), &Chart, &Chart2); }
    void LoadTwo(const QDate& first) {
        Data.LoadRange(Date(first), Date(first.addDays(1)), 2, WriteKnownDay(first), &Chart,
                       &Chart2);
        Data.AddFile(WriteKnownDay(first.addDays(1)));
        Data.BuildMonthTotals();
    }

    TAnalysisData Data;
};

const QDate May1(2010, 5, 1);

} // namespace

TEST_F(ChannelReadingsTest, TheReadoutTakesThePointAtOrBeforeWithinOneIntervalAndNothingInAGap) {
    LoadOne(May1);
    const ChannelReadings readings(Data);
    const auto value = [&](DateTime t) { return readings.ValueAt(ChT1, t); };

    // First and last point, and each held for one interval only.
    EXPECT_TRUE(value(At(May1, 0, 0)).HasValue);
    EXPECT_DOUBLE_EQ(value(At(May1, 0, 0)).Value, 0.0);
    EXPECT_FALSE(value(At(May1, 0, 0) - 1e-6).HasValue) << "before the first point";
    EXPECT_DOUBLE_EQ(value(At(May1, 23, 59, 50)).Value, 143.9);
    EXPECT_FALSE(value(At(May1, 23, 59) + Minute).HasValue) << "one interval after the last";
    EXPECT_DOUBLE_EQ(value(At(May1, 14, 30, 59)).Value, 87.0);
    EXPECT_DOUBLE_EQ(value(At(May1, 14, 30, 59)).Time, At(May1, 14, 30));

    // The gap after 10:02: its own interval, then nothing up to the line after the gap, whose
    // null point does not hide the value logged at the same moment.
    EXPECT_DOUBLE_EQ(value(At(May1, 10, 2, 40)).Value, 60.2);
    EXPECT_FALSE(value(At(May1, 10, 3)).HasValue);
    EXPECT_FALSE(value(At(May1, 10, 9, 59)).HasValue);
    EXPECT_DOUBLE_EQ(value(At(May1, 10, 10)).Value, 61.0);

    // An "Err" field has no value, even though the line was logged.
    EXPECT_FALSE(readings.ValueAt(ChPower, At(May1, 12, 30, 10)).HasValue);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChPower, At(May1, 12, 31)).Value, 1.0) << "kW";
    // Outputs read as their level in percent.
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(May1, 8, 15)).Value, 100.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(May1, 8, 30)).Value, 0.0);
}

TEST_F(ChannelReadingsTest, StepsGoFromLoggedPointToLoggedPointOverGapsAndMidnight) {
    const QDate april30(2010, 4, 30);
    LoadTwo(april30);
    const ChannelReadings readings(Data);
    EXPECT_DOUBLE_EQ(*readings.NextPoint(ChT1, At(april30, 10, 2), true), At(april30, 10, 10));
    EXPECT_DOUBLE_EQ(*readings.NextPoint(ChT1, At(april30, 10, 10), false), At(april30, 10, 2));
    EXPECT_DOUBLE_EQ(*readings.NextPoint(ChT1, At(april30, 23, 59), true), At(May1, 0, 0));
    EXPECT_DOUBLE_EQ(*readings.NextPoint(ChT1, At(May1, 0, 0), false), At(april30, 23, 59));
    EXPECT_FALSE(readings.NextPoint(ChT1, At(May1, 23, 59), true));
    EXPECT_FALSE(readings.NextPoint(ChT1, At(april30, 0, 0), false));
    EXPECT_DOUBLE_EQ(*readings.EdgePoint(ChT1, At(april30, 10, 5), At(May1, 0, 30), false),
                     At(april30, 10, 10));
    EXPECT_DOUBLE_EQ(*readings.EdgePoint(ChT1, At(april30, 10, 5), At(May1, 0, 30), true),
                     At(May1, 0, 30));
    EXPECT_FALSE(readings.EdgePoint(ChT1, At(april30, 10, 4), At(april30, 10, 8), true));

    // Across midnight and the month end, each day answers for its own time.
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChT1, At(april30, 23, 59, 30)).Value, 143.9);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChT1, At(May1, 0, 0, 30)).Value, 0.0);
    // The daily totals of the month are read per calendar day.
    EXPECT_NEAR(readings.ValueAt(ChEnergy, At(May1, 15, 0)).Value, Data.GetDay(1).GetEnergy(),
                1e-12);
}

TEST_F(ChannelReadingsTest, AWholeDaySpanSumsExactlyTheDaysVolumeAndEnergy) {
    LoadOne(May1);
    const ChannelReadings readings(Data);
    const TDay& day = Data.GetDay(0);
    const double start = Date(May1);
    // 30 + 59 + 10 minutes at 1 kW: the minute before the "Err" line is not counted.
    ASSERT_NEAR(day.GetEnergy(), 99.0 / 60.0, 1e-9);
    const auto energy = [&](DateTime a, DateTime b) {
        return readings.SpanStatistics(ChPower, a, b).Sum;
    };
    EXPECT_NEAR(energy(start, start + 1.0), day.GetEnergy(), 1e-12);
    EXPECT_NEAR(readings.SpanStatistics(ChFlow, start, start + 1.0).Sum, day.GetVolume(), 1e-9);
    // Parts of the day, and the carry to midnight belongs to the last minute.
    EXPECT_NEAR(energy(start, At(May1, 12, 0)), 0.5, Clock);
    EXPECT_NEAR(energy(At(May1, 12, 0), start + 1.0), 69.0 / 60.0, Clock);
    EXPECT_NEAR(energy(At(May1, 8, 10), At(May1, 8, 20)), 10.0 / 60.0, Clock);
    EXPECT_NEAR(energy(At(May1, 23, 59, 30), start + 1.0), 0.5 / 60.0, Clock);
    EXPECT_EQ(readings.SpanStatistics(ChT1, start, start + 1.0).Sum, 0.0);
}

TEST_F(ChannelReadingsTest, OutputsCountTheirOnTimeAndStarts) {
    LoadOne(May1);
    const ChannelReadings readings(Data);
    const double start = Date(May1);
    const auto whole = readings.SpanStatistics(ChR1, start, start + 1.0);
    EXPECT_NEAR(whole.OnHours * 60.0, 100.0, 1e-6);
    EXPECT_EQ(whole.Starts, 3);
    const auto afternoon = readings.SpanStatistics(ChR1, At(May1, 12, 0), start + 1.0);
    EXPECT_NEAR(afternoon.OnHours * 60.0, 70.0, 1e-6);
    EXPECT_EQ(afternoon.Starts, 2);
    // Running when the span begins is no start.
    const auto running = readings.SpanStatistics(ChR1, At(May1, 12, 30), At(May1, 13, 30));
    EXPECT_NEAR(running.OnHours * 60.0, 30.0, 1e-6);
    EXPECT_EQ(running.Starts, 0);
    EXPECT_EQ(readings.SpanStatistics(ChR2, start, start + 1.0).Starts, 0);
}

TEST_F(ChannelReadingsTest, ExtremesAndMeanCoverEveryDayOfTheSpan) {
    const QDate april30(2010, 4, 30);
    LoadTwo(april30);
    const ChannelReadings readings(Data);
    const auto noon = readings.SpanStatistics(ChT1, At(april30, 12, 0), At(april30, 13, 0));
    EXPECT_EQ(noon.Count, 60);
    EXPECT_DOUBLE_EQ(noon.Minimum, 72.0);
    EXPECT_DOUBLE_EQ(noon.MinimumTime, At(april30, 12, 0));
    EXPECT_DOUBLE_EQ(noon.Maximum, 77.9);
    EXPECT_DOUBLE_EQ(noon.MaximumTime, At(april30, 12, 59));
    EXPECT_NEAR(noon.Mean, 74.95, 1e-9);

    const auto night = readings.SpanStatistics(ChT1, At(april30, 23, 0), At(May1, 1, 0));
    EXPECT_EQ(night.Count, 120);
    EXPECT_DOUBLE_EQ(night.Minimum, 0.0);
    EXPECT_DOUBLE_EQ(night.MinimumTime, At(May1, 0, 0));
    EXPECT_DOUBLE_EQ(night.Maximum, 143.9);
    EXPECT_DOUBLE_EQ(night.MaximumTime, At(april30, 23, 59));
    const auto pump = readings.SpanStatistics(ChR1, At(april30, 23, 0), At(May1, 1, 0));
    EXPECT_NEAR(pump.OnHours * 60.0, 10.0, 1e-6);
    EXPECT_EQ(pump.Starts, 1);
    EXPECT_NEAR(readings.SpanStatistics(ChPower, At(april30, 23, 0), At(May1, 1, 0)).Sum,
                10.0 / 60.0, Clock);
    // Two whole days: the sum of both days' Energy.
    EXPECT_NEAR(readings.SpanStatistics(ChPower, Date(april30), Date(May1) + 1.0).Sum,
                Data.GetDay(0).GetEnergy() + Data.GetDay(1).GetEnergy(), 1e-12);
    EXPECT_EQ(readings.SpanStatistics(ChT1, At(april30, 10, 4), At(april30, 10, 8)).Count, 0)
        << "a span inside a gap has no values";
}

TEST_F(ChannelReadingsTest, BarsReadTheBarUnderTheCursorInEverySpan) {
    // Four days of a month with different daily Volume (100 pump minutes at 10, 11, 12, 13 l/min).
    const QDate june1(2010, 6, 1);
    Data.LoadRange(Date(june1), Date(june1.addDays(3)), 4,
                   Write(KnownDay(june1, "10,0"), QStringLiteral("20100601.csv")), &Chart, &Chart2);
    for (int d = 1; d < 4; ++d) {
        const QDate date = june1.addDays(d);
        Data.AddFile(Write(KnownDay(date, QByteArray::number(10 + d) + ",0"),
                           date.toString(QStringLiteral("yyyyMMdd")) + ".csv"));
    }
    Data.BuildMonthTotals();
    DataState lowest = DataState::Absent;
    const DateTime month = Date(june1);
    for (int channel : {ChVolume, ChR1, ChFlow})
        Data.ShowChannel(&Chart, channel, lowest, month + 30, month);
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.OthersShowBars = true;
    settings.RShowBars = true;
    Data.ApplySettings(settings);

    const ChannelReadings readings(Data);
    for (int d = 0; d < 4; ++d) {
        const QDate date = june1.addDays(d);
        const double volume = Data.GetDay(static_cast<unsigned>(d)).GetVolume();
        ASSERT_NEAR(volume, 100.0 * (10 + d), 1e-6);
        for (const auto& [hour, minute] : {std::pair{0, 30}, {11, 59}, {12, 0}, {23, 59}}) {
            const ChannelReadings::Reading r = readings.ValueAt(ChVolume, At(date, hour, minute));
            EXPECT_TRUE(r.HasValue);
            EXPECT_NEAR(r.Value, volume, 1e-6)
                << date.toString(Qt::ISODate).toStdString() << " " << hour << ":" << minute;
        }
    }
    EXPECT_FALSE(readings.ValueAt(ChVolume, At(june1, 0, 0) - 1e-6).HasValue);
    // The month's bars go on with the days without a file, at zero, never the last day's total.
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChVolume, Date(june1.addDays(4)) + 1e-6).Value, 0.0);

    // One-minute bars of an output and of the flow, read as an hour span shows them: each bar
    // spans half a minute either side of its point. R1 switches on at 08:00 and off at 08:30.
    const QDate june2 = june1.addDays(1);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(june2, 7, 59, 20)).Value, 0.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(june2, 7, 59, 40)).Value, 100.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(june2, 8, 29, 20)).Value, 100.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(june2, 8, 29, 40)).Value, 0.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChFlow, At(june2, 7, 59, 40)).Value, 11.0);
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChFlow, At(june2, 7, 59, 40)).Time, At(june2, 8, 0));
    // The bar of a day's first point reaches back over midnight into the day before's time.
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChT1, At(june2, 0, 0) - 10.0 / 86400).Value, 143.9)
        << "T1 is a line: at or before";
    EXPECT_DOUBLE_EQ(readings.ValueAt(ChR1, At(june2, 0, 0) - 10.0 / 86400).Time, At(june2, 0, 0));

    // Drawn as lines again, the same moments read the point at or before.
    settings.OthersShowBars = false;
    settings.RShowBars = false;
    Data.ApplySettings(settings);
    const ChannelReadings lines(Data);
    EXPECT_NEAR(lines.ValueAt(ChVolume, At(june2, 11, 59)).Value, Data.GetDay(0).GetVolume(), 1e-6);
    EXPECT_DOUBLE_EQ(lines.ValueAt(ChR1, At(june2, 7, 59, 40)).Value, 0.0);
}
