// Faults that run over midnight, each side too short for its kind: a range is one stretch of time.
#include "HealthFixture.h"
#include "LogGenerator.h"

#include "health/HealthCheck.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {

struct Straddle {
    loggen::Fault Kind;
    EventKind Found;
    int Start; // minute of the first day
    int Minutes;
    int Interval;
};

std::string Name(const ::testing::TestParamInfo<Straddle>& info) {
    std::string name = loggen::FaultName(info.param.Kind);
    std::replace(name.begin(), name.end(), '-', '_');
    return name + "_every_" + std::to_string(info.param.Interval) + "_min";
}

class MidnightTest : public ::testing::TestWithParam<Straddle> {
protected:
    // Three days around `midnight` (the start of its date) with the fault planted; the files.
    QStringList Plant(const QDate& midnight, const Straddle& s) {
        Options.IntervalMinutes = s.Interval;
        Options.Faults = {{s.Kind, midnight.addDays(-1), s.Start, s.Minutes, ChT3}};
        return loggen::WriteDays(Dir.filePath(midnight.toString(Qt::ISODate)), midnight.addDays(-2),
                                 3, loggen::FolderLayout::Flat, Options);
    }
    // Where the fault shows, from the generator's own account of the two days.
    std::pair<DateTime, DateTime> Planted(const QDate& midnight) const {
        const loggen::GeneratedDay before = loggen::GenerateDay(midnight.addDays(-1), Options);
        const loggen::GeneratedDay after = loggen::GenerateDay(midnight, Options);
        EXPECT_EQ(before.Planted.size(), 1U);
        EXPECT_EQ(after.Planted.size(), 1U);
        DateTime day = 0;
        EncodeDate(midnight.year(), midnight.month(), midnight.day(), day);
        return {day - 1.0 + before.Planted.at(0).StartMinute / MinutesPerDay,
                day + after.Planted.at(0).EndMinute / MinutesPerDay};
    }
    std::vector<HealthEvent> Window(const QStringList& files, const QDate& first) {
        DateTime from = 0;
        EncodeDate(first.year(), first.month(), first.day(), from);
        Data = std::make_unique<TAnalysisData>();
        Data->LoadRange(from, from + 2.0, static_cast<unsigned>(files.size()), files[0], &Chart,
                        &Chart2);
        for (const QString& file : files.mid(1))
            Data->AddFile(file);
        return CheckAnalysis(*Data, {}, {});
    }

    QTemporaryDir Dir;
    loggen::DayOptions Options;
    MemoryHost Chart;
    MemoryHost Chart2;
    std::unique_ptr<TAnalysisData> Data;
};

TEST_P(MidnightTest, IsFoundOnceWithItsTrueStartAndEndWithinAMonthAndOverItsEnd) {
    const Straddle s = GetParam();
    for (const QDate midnight : {QDate(2010, 6, 16), QDate(2010, 7, 1), QDate(2010, 8, 1)}) {
        const std::string where = midnight.toString(Qt::ISODate).toStdString();
        const QStringList files = Plant(midnight, s);
        ASSERT_EQ(files.size(), 3) << where;
        const auto [start, end] = Planted(midnight);
        DateTime day = 0;
        EncodeDate(midnight.year(), midnight.month(), midnight.day(), day);
        // Each side alone is too short for the kind: a check of one day finds nothing.
        HealthThresholds limits;
        for (const QString& file : files.mid(1, 2)) {
            const std::vector<HealthEvent> alone = CheckFiles({file}, 0.0, 0.0, {}, limits);
            EXPECT_TRUE(std::none_of(alone.begin(), alone.end(),
                                     [&](const HealthEvent& e) { return e.Kind == s.Found; }))
                << where << " " << file.toStdString();
        }
        ASSERT_LT(start, day);
        ASSERT_GT(end, day);

        // The window of the three days and the report's reading of the files, in any order.
        const std::vector<HealthEvent> window = Window(files, midnight.addDays(-2));
        const std::vector<HealthEvent> report =
            CheckFiles({files[2], files[0], files[1]}, 0.0, 0.0, {}, limits);
        for (const std::vector<HealthEvent>* events : {&window, &report}) {
            ASSERT_EQ(events->size(), 1U)
                << where << ": " << EventKindKey(events->empty() ? s.Found : events->at(0).Kind);
            const HealthEvent& event = events->front();
            EXPECT_EQ(event.Kind, s.Found) << where;
            EXPECT_SPAN(event, start, end);
            if (s.Found == EventKind::StuckSensor) {
                EXPECT_EQ(event.Channels.front(), ChT3) << where;
            }
            if (s.Found == EventKind::PumpWithoutFlow || s.Found == EventKind::RecordingGap) {
                EXPECT_NEAR(event.Value, (end - start) * MinutesPerDay, 0.05) << where;
            }
        }
        ExpectSameEvents(report, window);
    }
}

// Each side is shorter than the least duration (stuck 6 h, no flow 10 min, missed yield 20 min,
// heat loss 15 min, gap 15 min, cycling 6 starts within an hour).
INSTANTIATE_TEST_SUITE_P(
    EveryDurationKind, MidnightTest,
    ::testing::Values(
        Straddle{loggen::Fault::StuckSensor, EventKind::StuckSensor, 19 * 60, 9 * 60, 1},
        Straddle{loggen::Fault::PumpWithoutFlow, EventKind::PumpWithoutFlow, 1434, 12, 1},
        Straddle{loggen::Fault::MissedYield, EventKind::MissedYield, 1428, 24, 1},
        Straddle{loggen::Fault::HeatLoss, EventKind::HeatLoss, 1431, 18, 1},
        Straddle{loggen::Fault::RecordingGap, EventKind::RecordingGap, 1430, 20, 1},
        Straddle{loggen::Fault::PumpCycling, EventKind::PumpCycling, 1420, 40, 1},
        Straddle{loggen::Fault::PumpWithoutFlow, EventKind::PumpWithoutFlow, 1435, 10, 5},
        Straddle{loggen::Fault::StuckSensor, EventKind::StuckSensor, 18 * 60 + 10, 10 * 60, 10}),
    Name);

class MidnightJoinTest : public HealthFixture {};

TEST_F(MidnightJoinTest, AGapOverMidnightOrAnotherValueKeepsThePiecesApart) {
    // 1 May ends with eight minutes of the pump running dry and T3 held at 60 from 20:00 while
    // the collector moves by 10 K every two hours; 2 May goes on with both, but after 20 minutes
    // without a line.
    const auto collector = [](int m) { return 20.0 + (m % 120) / 12.0; };
    TestDay first(1);
    first.Set(ChR1, 1432, 1440, 100.0).Set(ChT3, 1200, 1440, 60.0).Set(ChT1, 0, 1440, collector);
    TestDay second(2);
    second.Set(ChR1, 0, 30, 100.0).Set(ChT3, 0, 300, 60.0).Set(ChT1, 0, 1440, collector);
    second.Drop(0, 20);
    const QString one = Write(first);
    const QString two = Write(second);
    const std::vector<HealthEvent> apart = CheckFiles({one, two}, 0.0, 0.0, {}, {});
    EXPECT_TRUE(OfKind(apart, EventKind::StuckSensor).empty());
    const std::vector<HealthEvent> dry = OfKind(apart, EventKind::PumpWithoutFlow);
    ASSERT_EQ(dry.size(), 1U); // the ten minutes of the 2nd alone
    EXPECT_SPAN(dry[0], At(2, 20), At(2, 30));

    // Without the gap, joined; with T3 at another value on the 2nd, not.
    second = TestDay(2);
    second.Set(ChR1, 0, 5, 100.0).Set(ChT3, 0, 300, 60.0).Set(ChT1, 0, 1440, collector);
    Write(second);
    const std::vector<HealthEvent> joined = CheckFiles({one, two}, 0.0, 0.0, {}, {});
    ASSERT_EQ(joined.size(), 2U);
    EXPECT_EQ(joined[0].Kind, EventKind::StuckSensor);
    EXPECT_SPAN(joined[0], At(1, 1200), At(2, 300));
    EXPECT_DOUBLE_EQ(joined[0].Value, 60.0);
    EXPECT_EQ(joined[1].Kind, EventKind::PumpWithoutFlow);
    EXPECT_SPAN(joined[1], At(1, 1432), At(2, 5));
    EXPECT_DOUBLE_EQ(joined[1].Value, 13.0);
    second.Set(ChT3, 0, 300, 61.0);
    Write(second);
    EXPECT_TRUE(OfKind(CheckFiles({one, two}, 0.0, 0.0, {}, {}), EventKind::StuckSensor).empty());
}

} // namespace
