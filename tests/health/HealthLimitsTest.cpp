#include "HealthFixture.h"

#include "health/HealthThresholds.h"

#include <random>

namespace {

using Events = std::vector<HealthEvent>;

// A day of one-minute lines on which the pump starts three times within an hour, each run with
// flow, and one line is missing.
TestDay BusyDay() {
    TestDay day;
    for (const int start : {600, 620, 640})
        day.Set(ChR1, start, start + 5, 100.0).Set(ChFlow, start, start + 5, 8.0);
    day.Drop(900, 930);
    return day;
}

QString Warnings(const QMap<QString, QString>& values, HealthThresholds& read) {
    testing::internal::CaptureStderr();
    read = HealthThresholds::FromValues(values);
    return QString::fromStdString(testing::internal::GetCapturedStderr());
}

class HealthLimitsTest : public HealthFixture {};

} // namespace

TEST(HealthThresholdsTest, ValuesOutsideTheirRangeKeepTheDefaultWithAWarning) {
    const HealthThresholds defaults;
    for (const HealthThresholds::Key& key : HealthThresholds::Keys()) {
        EXPECT_EQ(defaults.*key.Member, key.Limit.Default) << key.Name;
        EXPECT_LE(key.Limit.Min, key.Limit.Default) << key.Name;
        EXPECT_GE(key.Limit.Max, key.Limit.Default) << key.Name;
        const QString name = QLatin1String(key.Name);
        HealthThresholds read;
        // The ends of the range are taken as they are, without a word.
        for (const double edge : {key.Limit.Min, key.Limit.Max}) {
            if (name == QLatin1String("SensorMinC") && edge == key.Limit.Max)
                continue; // would not be below SensorMaxC's default any more
            EXPECT_EQ(Warnings({{name, QString::number(edge, 'g', 17)}}, read), QString());
            EXPECT_EQ(read.*key.Member, edge) << key.Name;
        }
        for (const char* outside : {"1e300", "-1e300", "1e-300", "inf", "nan", "0x10", ""}) {
            bool number = false;
            const double value = QString::fromLatin1(outside).toDouble(&number);
            if (number && value >= key.Limit.Min && value <= key.Limit.Max)
                continue; // near 0 is a fair temperature
            const QString warning = Warnings({{name, QLatin1String(outside)}}, read);
            EXPECT_EQ(read, defaults) << key.Name << " " << outside;
            EXPECT_TRUE(warning.contains(name + QLatin1Char('=') + QLatin1String(outside)))
                << warning.toStdString();
        }
    }
    // A forged value cannot start a line of its own on the terminal.
    HealthThresholds read;
    const QString warning = Warnings({{"GapMinutes", "5\nsolvista: all fine"}}, read);
    EXPECT_EQ(warning.count(QLatin1Char('\n')), 1) << warning.toStdString();
    EXPECT_TRUE(warning.contains(QStringLiteral("5\\nsolvista: all fine")));
}

TEST_F(HealthLimitsTest, HugeAndTinyLimitsFromTheFileChangeNothing) {
    const Events expected = Check(BusyDay());
    ASSERT_EQ(OfKind(expected, EventKind::RecordingGap).size(), 1U);
    HealthThresholds forged;
    // Without bounds, the first makes every start a cycling event (and a cast beyond size_t),
    // the second every line a gap.
    Warnings({{"PumpCycleStarts", "1e300"}, {"GapMinutes", "1e-300"}}, forged);
    ExpectSameEvents(CheckAnalysis(*Data, {}, forged), expected);

    // Three starts in an hour are cycling once the limit is three.
    HealthThresholds three;
    Warnings({{"PumpCycleStarts", "3"}}, three);
    EXPECT_EQ(OfKind(CheckAnalysis(*Data, {}, three), EventKind::PumpCycling).size(), 1U);
    // Limits set in code rather than read are held to their range all the same.
    HealthThresholds direct;
    direct.PumpCycleStarts = 1e300;
    EXPECT_TRUE(OfKind(CheckAnalysis(*Data, {}, direct), EventKind::PumpCycling).empty());
}

// Random [Health] sections of odd numbers and text: every limit ends inside its range, and the
// check of a day runs through them (the sanitizers stop at any conversion out of range).
TEST_F(HealthLimitsTest, RandomHealthSectionsStayInRange) {
    Check(BusyDay());
    std::mt19937 random(32);
    const char* const odd[] = {
        "1e300",      "-1e300", "1e-300", "-0",   "0",          "2",
        "1.5",        "nan",    "inf",    "-inf", "1e19",       "18446744073709551616",
        "4294967296", " 7 ",    "x",      "1,5",  "-2147483649"};
    const QList<HealthThresholds::Key>& keys = HealthThresholds::Keys();
    std::uniform_int_distribution<int> pickKey(0, static_cast<int>(keys.size()) - 1);
    std::uniform_int_distribution<int> pickOdd(0, static_cast<int>(std::size(odd)) - 1);
    std::uniform_real_distribution<double> exponent(-320.0, 308.0);
    for (int round = 0; round < 150; ++round) {
        QMap<QString, QString> values;
        for (int n = 0; n < 6; ++n) {
            const QString name = QLatin1String(keys[pickKey(random)].Name);
            const double sign = (random() & 1) != 0 ? -1.0 : 1.0;
            values[name] = (random() & 1) != 0
                               ? QLatin1String(odd[pickOdd(random)])
                               : QString::number(sign * std::pow(10.0, exponent(random)), 'g', 17);
        }
        HealthThresholds read;
        Warnings(values, read);
        for (const HealthThresholds::Key& key : keys) {
            EXPECT_GE(read.*key.Member, key.Limit.Min) << key.Name;
            EXPECT_LE(read.*key.Member, key.Limit.Max) << key.Name;
        }
        EXPECT_LT(read.SensorMinC, read.SensorMaxC);
        const Events events = CheckAnalysis(*Data, {}, read);
        EXPECT_LE(events.size(), 1440U) << round;
    }
}
