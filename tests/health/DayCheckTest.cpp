#include "HealthFixture.h"

#include "health/HealthEvent.h"
#include "health/HealthFormat.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

using Events = std::vector<HealthEvent>;

class DayCheckTest : public HealthFixture {};

TEST_F(DayCheckTest, AQuietDayHasNoEvent) { EXPECT_TRUE(Check(TestDay()).empty()); }

TEST_F(DayCheckTest, ErrFieldsAndImpossibleTemperaturesAreSensorFaultsPerChannelAndRun) {
    TestDay day;
    day.Set(ChT4, 600, 605, "Err").Set(ChT4, 606, 607, "Err"); // two runs: 605 has a value
    day.Set(ChFlow, 700, 701, "Err");
    day.Set(ChT3, 800, 803, 250.1).Set(ChT5, 900, 902, -40.5).Set(ChT6, 950, 960, 250.0);
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 5U);
    for (const HealthEvent& event : found)
        EXPECT_EQ(event.Kind, EventKind::SensorFault);
    EXPECT_SPAN(found[0], At(1, 600), At(1, 605));
    EXPECT_EQ(found[0].Channels, std::vector<int>{ChT4});
    EXPECT_EQ(found[0].Value, 5.0);
    EXPECT_SPAN(found[1], At(1, 606), At(1, 607));
    EXPECT_EQ(found[1].Value, 1.0);
    EXPECT_EQ(found[2].Channels, std::vector<int>{ChFlow});
    EXPECT_SPAN(found[3], At(1, 800), At(1, 803));
    EXPECT_EQ(found[3].Channels, std::vector<int>{ChT3});
    EXPECT_EQ(found[3].Value, 3.0);
    EXPECT_EQ(found[4].Channels, std::vector<int>{ChT5});

    HealthThresholds narrow;
    narrow.SensorMaxC = 100.0;
    EXPECT_EQ(OfKind(Check(TestDay().Set(ChT2, 10, 12, 100.1), {}, narrow), EventKind::SensorFault)
                  .size(),
              1U);
}

TEST_F(DayCheckTest, StuckSensorNeedsSixHoursAndAMovingCollector) {
    const auto rising = [](int minute) { return 20.0 + (minute - 480) * 0.02; }; // 7.2 K in 6 h
    TestDay day;
    day.Set(ChT1, 480, 900, rising).Set(ChT3, 480, 840, 44.4); // 6 hours exactly
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].Kind, EventKind::StuckSensor);
    EXPECT_SPAN(found[0], At(1, 480), At(1, 840));
    EXPECT_EQ(found[0].Channels, (std::vector<int>{ChT3, ChT1}));
    EXPECT_NEAR(found[0].Value, 44.4, 1e-4);

    // 5 h 59 min, or a collector moving 4 K: a steady store, not a stuck sensor.
    EXPECT_TRUE(Check(TestDay().Set(ChT1, 480, 900, rising).Set(ChT3, 480, 839, 44.4)).empty());
    EXPECT_TRUE(Check(TestDay()
                          .Set(ChT1, 480, 900, [](int m) { return 20.0 + (m - 480) / 90.0; })
                          .Set(ChT3, 480, 900, 44.4))
                    .empty());

    // The collector itself is the reference; another collector makes T1 the stuck one once it
    // has moved: an input that never changes has no sensor, and raises nothing.
    ChannelRoles roles;
    roles.Collector = ChT3;
    const auto risingT3 = [](int m) { return 10.0 + m * 0.01; };
    EXPECT_TRUE(
        Check(TestDay().Set(ChT3, 0, 1440, risingT3).Set(ChT1, 0, 1440, 30.0), roles).empty());
    const Events other = Check(TestDay()
                                   .Set(ChT3, 0, 1440, risingT3)
                                   .Set(ChT1, 0, 1440, 30.0)
                                   .Set(ChT1, 0, 60, [](int m) { return 25.0 + m * 0.05; }),
                               roles);
    ASSERT_EQ(other.size(), 1U);
    EXPECT_EQ(other[0].Channels, (std::vector<int>{ChT1, ChT3}));
    EXPECT_SPAN(other[0], At(1, 60), At(2, 0));
}

// A day's extremes and a channel's longest hold rule finders out before they look line by line:
// a hold interrupted by missing values, and a bad value on the last line of a day whose line
// count is no multiple of four, must still be found.
TEST_F(DayCheckTest, QuickRulingOutMissesNothing) {
    const auto rising = [](int minute) { return 20.0 + (minute - 480) * 0.02; };
    TestDay day;
    day.Drop(100, 101);
    day.Set(ChT1, 480, 900, rising).Set(ChT3, 480, 840, 44.4).Set(ChT3, 600, 610, "");
    day.Set(ChT5, 1439, 1440, 250.5);
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].Kind, EventKind::StuckSensor);
    EXPECT_SPAN(found[0], At(1, 480), At(1, 840));
    EXPECT_EQ(found[1].Kind, EventKind::SensorFault);
    EXPECT_EQ(found[1].Channels, std::vector<int>{ChT5});
    EXPECT_SPAN(found[1], At(1, 1439), At(2, 0));
}

TEST_F(DayCheckTest, PumpWithoutFlowFromTenMinutesAndOnlyWhereFlowIsLogged) {
    TestDay day;
    day.Set(ChR1, 600, 610, 100.0); // 10 min dry
    day.Set(ChR1, 700, 709, 100.0); // 9 min: not yet
    day.Set(ChR1, 800, 830, 100.0).Set(ChFlow, 800, 815, 8.0).Set(ChFlow, 820, 821, ""); // 815..830
    const Events found = OfKind(Check(day), EventKind::PumpWithoutFlow);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_SPAN(found[0], At(1, 600), At(1, 610));
    EXPECT_EQ(found[0].Channels, (std::vector<int>{ChR1, ChFlow, ChPower}));
    EXPECT_DOUBLE_EQ(found[0].Value, 10.0);
    // A line without a Flow value does not break the run.
    EXPECT_SPAN(found[1], At(1, 815), At(1, 830));

    TestDay noMeter;
    noMeter.Set(ChFlow, 0, 1440, "").Set(ChR1, 600, 700, 100.0);
    EXPECT_TRUE(OfKind(Check(noMeter), EventKind::PumpWithoutFlow).empty());
}

TEST_F(DayCheckTest, MissedYieldStagnationAndHeatLossFollowCollectorStoreAndPump) {
    TestDay day;
    // Collector 10 K above the store (T2 is 25.x) for 20 minutes with the pump off.
    day.Set(ChT1, 600, 620, [](int m) { return 35.7 + (m % 3) * 0.1; });
    day.Set(ChT1, 700, 719, 50.0); // 19 minutes only
    // Stagnation: no least duration, and it is not also a missed yield.
    day.Set(ChT1, 800, 803, 121.0).Set(ChT1, 803, 804, 119.0);
    // The pump running while the collector is below the store loses heat.
    day.Set(ChR1, 1200, 1215, 100.0).Set(ChFlow, 1200, 1215, 8.0);
    day.Set(ChR1, 1300, 1314, 100.0).Set(ChFlow, 1300, 1314, 8.0);
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 3U);
    EXPECT_EQ(found[0].Kind, EventKind::MissedYield);
    EXPECT_SPAN(found[0], At(1, 600), At(1, 620));
    EXPECT_EQ(found[0].Channels, (std::vector<int>{ChT1, ChT2, ChR1}));
    EXPECT_NEAR(found[0].Value, 10.9, 0.05);
    EXPECT_EQ(found[1].Kind, EventKind::Stagnation);
    EXPECT_SPAN(found[1], At(1, 800), At(1, 803));
    EXPECT_DOUBLE_EQ(found[1].Value, 121.0);
    EXPECT_EQ(found[2].Kind, EventKind::HeatLoss);
    EXPECT_SPAN(found[2], At(1, 1200), At(1, 1215));
    EXPECT_NEAR(found[2].Value, 5.1, 0.25);
    EXPECT_EQ(found[2].Channels, (std::vector<int>{ChT1, ChT2, ChR1, ChPower}));

    // With the store on T5 the collector is 15 K under it all day: no missed yield at 600.
    ChannelRoles roles;
    roles.Store = ChT5;
    EXPECT_EQ(OfKind(Check(day, roles), EventKind::MissedYield).size(), 0U);
    EXPECT_EQ(OfKind(Check(day, roles), EventKind::HeatLoss).size(), 1U);
}

TEST_F(DayCheckTest, PumpCyclingCountsStartsWithinAnHour) {
    TestDay day;
    // Six starts 10 minutes apart, each run 3 minutes: 05:00 .. 05:53.
    for (int k = 0; k < 6; ++k)
        day.Set(ChR1, 300 + 10 * k, 303 + 10 * k, 100.0)
            .Set(ChFlow, 300 + 10 * k, 303 + 10 * k, 8.0);
    // Five starts within an hour later on are a pump at work.
    for (int k = 0; k < 5; ++k)
        day.Set(ChR1, 600 + 12 * k, 605 + 12 * k, 100.0)
            .Set(ChFlow, 600 + 12 * k, 605 + 12 * k, 8.0);
    Events found = Check(day);
    ASSERT_EQ(found.size(), 1U);
    EXPECT_EQ(found[0].Kind, EventKind::PumpCycling);
    EXPECT_SPAN(found[0], At(1, 300), At(1, 353));
    EXPECT_DOUBLE_EQ(found[0].Value, 6.0);

    // Starts 11 minutes apart: the sixth comes 55 minutes after the first, the seventh at 66.
    TestDay slow;
    for (int k = 0; k < 7; ++k)
        slow.Set(ChR1, 300 + 11 * k, 302 + 11 * k, 100.0)
            .Set(ChFlow, 300 + 11 * k, 302 + 11 * k, 8.0);
    found = Check(slow);
    ASSERT_EQ(found.size(), 1U);
    EXPECT_SPAN(found[0], At(1, 300), At(1, 368));
    HealthThresholds strict;
    strict.PumpCycleStarts = 7;
    EXPECT_TRUE(Check(slow, {}, strict).empty());
}

TEST_F(DayCheckTest, FaultOutputIsEveryRunOfRErrorOn) {
    TestDay day;
    day.Set(ChRError, 100, 101, 100.0).Set(ChRError, 500, 530, 1.0);
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].Kind, EventKind::FaultOutput);
    EXPECT_SPAN(found[0], At(1, 100), At(1, 101));
    EXPECT_SPAN(found[1], At(1, 500), At(1, 530));
    EXPECT_DOUBLE_EQ(found[1].Value, 30.0);
    EXPECT_EQ(found[1].Channels, std::vector<int>{ChRError});
}

TEST_F(DayCheckTest, RecordingGapsFromFifteenMissingMinutesAtTheInterval) {
    TestDay day;
    day.Drop(0, 20).Drop(300, 315).Drop(600, 614).Drop(1430, 1440);
    const Events found = Check(day);
    ASSERT_EQ(found.size(), 2U);
    EXPECT_EQ(found[0].Kind, EventKind::RecordingGap);
    EXPECT_SPAN(found[0], At(1, 0), At(1, 20));
    EXPECT_DOUBLE_EQ(found[0].Value, 20.0);
    EXPECT_SPAN(found[1], At(1, 300), At(1, 315));

    // A logger writing every 15 minutes has no gap between its lines, but one when one is missing.
    TestDay sparse;
    for (int m = 0; m < 1440; ++m)
        if (m % 15 != 0 || (m >= 600 && m < 615))
            sparse.Drop(m, m + 1);
    const Events sparseFound = Check(sparse);
    ASSERT_EQ(sparseFound.size(), 1U);
    EXPECT_SPAN(sparseFound[0], At(1, 600), At(1, 615));

    // A run over a gap is two runs, and neither reaches ten minutes.
    TestDay broken;
    broken.Set(ChR1, 590, 630, 100.0).Drop(596, 626);
    const Events brokenFound = Check(broken);
    ASSERT_EQ(brokenFound.size(), 1U);
    EXPECT_EQ(brokenFound[0].Kind, EventKind::RecordingGap);
}

TEST_F(DayCheckTest, ARangeJoinsEventsOverMidnightAndReportsMissingDays) {
    // 1 May ends with the fault output on and a gap from 23:30; 2 May starts with both; 3 and 4
    // May have no file.
    TestDay first(1);
    first.Set(ChRError, 1400, 1430, 100.0).Drop(1430, 1440);
    TestDay second(2);
    second.Set(ChRError, 0, 60, 100.0).Drop(0, 30);
    TestDay fifth(5);
    const QString one = Write(first);
    const QString two = Write(second);
    const QString five = Write(fifth);
    TAnalysisData data;
    DateTime from = 0;
    DateTime to = 0;
    EncodeDate(2010, 5, 1, from);
    EncodeDate(2010, 5, 5, to);
    data.LoadRange(from, to, 3, one, &Chart, &Chart2);
    data.AddFile(two);
    data.AddFile(five);
    const Events found = CheckAnalysis(data, {}, {});
    ASSERT_EQ(found.size(), 4U);
    EXPECT_EQ(found[0].Kind, EventKind::FaultOutput);
    EXPECT_SPAN(found[0], At(1, 1400), At(1, 1430));
    EXPECT_EQ(found[1].Kind, EventKind::RecordingGap);
    EXPECT_SPAN(found[1], At(1, 1430), At(2, 30));
    EXPECT_DOUBLE_EQ(found[1].Value, 40.0); // 10 minutes on the 1st, 30 on the 2nd
    EXPECT_EQ(found[2].Kind, EventKind::FaultOutput);
    EXPECT_SPAN(found[2], At(2, 30), At(2, 60));
    EXPECT_EQ(found[3].Kind, EventKind::RecordingGap);
    EXPECT_SPAN(found[3], At(3, 0), At(5, 0));
    EXPECT_DOUBLE_EQ(found[3].Value, 2 * MinutesPerDay);
    EXPECT_EQ(CountByKind(found)[static_cast<size_t>(EventKind::RecordingGap)], 2);

    // Read without chart series, as a report reads a folder: the same events; a file that
    // cannot be read is named with its reason and the rest is checked.
    std::vector<FileFailure> failures;
    const Events fromFiles = CheckFiles({five, one, Dir.filePath(QStringLiteral("none.csv")), two},
                                        from, to, {}, {}, &failures);
    ExpectSameEvents(fromFiles, found);
    ASSERT_EQ(failures.size(), 1U);
    EXPECT_TRUE(failures[0].File.endsWith(QStringLiteral("none.csv")));
    EXPECT_FALSE(failures[0].Reason.isEmpty());
    // Open ends take the first and last day read.
    EXPECT_EQ(CheckFiles({one, five}, 0.0, 0.0, {}, {}).back().End, At(5, 0));
}

TEST(HealthThresholdsTest, IniValuesOverrideDefaultsAndNonsenseFallsBack) {
    const HealthThresholds defaults;
    EXPECT_EQ(HealthThresholds::FromValues(defaults.ToValues()), defaults);
    EXPECT_EQ(defaults.ToValues().value(QStringLiteral("SensorMaxC")), QStringLiteral("250"));
    EXPECT_EQ(defaults.ToValues().size(), HealthThresholds::Keys().size());

    const HealthThresholds read = HealthThresholds::FromValues({
        {QStringLiteral("gapminutes"), QStringLiteral(" 30 ")},
        {QStringLiteral("StagnationC"), QStringLiteral("135.5")},
        {QStringLiteral("NoFlowMinutes"), QStringLiteral("ten")},
        {QStringLiteral("HeatLossMinutes"), QStringLiteral("-5")},
        {QStringLiteral("PumpCycleStarts"), QStringLiteral("1")},
        {QStringLiteral("SensorMinC"), QStringLiteral("300")},
        {QStringLiteral("Unknown"), QStringLiteral("1")},
    });
    EXPECT_EQ(read.GapMinutes, 30.0);
    EXPECT_EQ(read.StagnationC, 135.5);
    EXPECT_EQ(read.NoFlowMinutes, defaults.NoFlowMinutes);
    EXPECT_EQ(read.HeatLossMinutes, defaults.HeatLossMinutes);
    EXPECT_EQ(read.PumpCycleStarts, defaults.PumpCycleStarts);
    EXPECT_EQ(read.SensorMinC, defaults.SensorMinC); // above the maximum
    EXPECT_EQ(read.SensorMaxC, defaults.SensorMaxC);
}

} // namespace

TEST(HealthFormatTest, TextCsvAndJsonNameKindTimesChannelsAndFigure) {
    DateTime day = 0;
    EncodeDate(2010, 6, 5, day);
    const std::vector<HealthEvent> events = {
        {EventKind::PumpWithoutFlow,
         day + 0.5,
         day + 0.5 + 30.0 / MinutesPerDay,
         {ChR1, ChFlow},
         30.0},
        // An end a hair before midnight is midnight.
        {EventKind::RecordingGap, day + 0.99, day + 1.0 - 1e-10, {}, 14.4},
    };
    EXPECT_EQ(HealthCsv(events).toStdString(),
              "kind;start;end;channels;value\n"
              "pump-without-flow;2010-06-05T12:00:00;2010-06-05T12:30:00;R1,Flow;30\n"
              "recording-gap;2010-06-05T23:45:36;2010-06-06T00:00:00;;14.4\n");
    const QString text = HealthText(events);
    EXPECT_TRUE(text.startsWith(QStringLiteral("pump-without-flow  2010-06-05T12:00:00  ")));
    EXPECT_TRUE(text.contains(QStringLiteral("R1,Flow")));
    EXPECT_TRUE(text.contains(QStringLiteral("30 min\n")));
    EXPECT_EQ(text.count(QLatin1Char('\n')), 2);

    const QJsonArray array = QJsonDocument::fromJson(HealthJson(events).toUtf8()).array();
    ASSERT_EQ(array.size(), 2);
    const QJsonObject first = array[0].toObject();
    EXPECT_EQ(first.value(QStringLiteral("kind")).toString(), QStringLiteral("pump-without-flow"));
    EXPECT_EQ(first.value(QStringLiteral("start")).toString(),
              QStringLiteral("2010-06-05T12:00:00"));
    EXPECT_EQ(first.value(QStringLiteral("end")).toString(), QStringLiteral("2010-06-05T12:30:00"));
    EXPECT_EQ(first.value(QStringLiteral("channels")).toArray(),
              QJsonArray({QStringLiteral("R1"), QStringLiteral("Flow")}));
    EXPECT_EQ(first.value(QStringLiteral("value")).toDouble(), 30.0);
    EXPECT_TRUE(array[1].toObject().value(QStringLiteral("channels")).toArray().isEmpty());
    EXPECT_EQ(HealthJson({}).trimmed(), QStringLiteral("[\n]"));
}
