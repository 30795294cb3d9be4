// Holds every place that states a day's figures to the others: the day record, the span
// statistics, the yield ledger and the report; the health panel's events to the report's.
#include "LogGenerator.h"
#include "chart/SeriesHost.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "health/HealthFormat.h"
#include "ledger/Ledger.h"
#include "logdata/ChannelReadings.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"
#include "report/ReportRun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace {

constexpr DateTime May1 = 40299.0;
constexpr double Minute = 1.0 / MinutesPerDay;

QByteArray Stamp(int minute, bool dayFirst = false) {
    const int day = 1 + minute / 1440;
    const int m = minute % 1440;
    const QString time = QStringLiteral("%1:%2")
                             .arg(m / 60, 2, 10, QLatin1Char('0'))
                             .arg(m % 60, 2, 10, QLatin1Char('0'));
    if (dayFirst)
        return QStringLiteral("%1.05.10 %2").arg(day, 2, 10, QLatin1Char('0')).arg(time).toLatin1();
    return QStringLiteral("2010-05-%1 %2").arg(day, 2, 10, QLatin1Char('0')).arg(time).toLatin1();
}

// A plant day: Flow and Power while the pump runs in bursts, R2 at part speed, RError now and
// then. `power` writes the Power field of a running minute.
struct DayText {
    int Interval = 1;
    bool DayFirst = false;
    QByteArray PowerOn = "1500";
    std::function<QByteArray(int minute, const QByteArray& line)> Edit;

    QByteArray Bytes() const {
        QByteArray out = DayFirst ? "dd.mm.yy hh:mm;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n"
                                  : "DATE & TIME;T1[C];T2[C];T3[C];T4[C];T5[C];T6[C];Tds[C];"
                                    "V';P[W];R1;R2;R3;R!\r\n";
        for (int m = 0; m < 1440; m += Interval) {
            const bool on = m >= 360 && m < 1200 && (m / 25) % 3 != 0;
            QByteArray line = Stamp(m, DayFirst);
            line += ';' + QByteArray::number(30 + (m % 97) / 10) + ",5;41,2;12;13;14;15;16";
            line += on ? QByteArray(";12,5;") + PowerOn : QByteArray(";0;0");
            line += on ? ";100" : ";0";
            line += (m / 40) % 2 == 1 ? ";40" : ";0";
            line += ";0";
            line += (m >= 900 && m < 915) ? ";100" : ";0";
            out += Edit ? Edit(m, line) : line;
            out += "\r\n";
        }
        return out;
    }
};

// The edge cases of reading a day, each a different way a line can count.
std::map<QString, QByteArray> EdgeCaseDays() {
    std::map<QString, QByteArray> days;
    days["watts"] = DayText().Bytes();
    DayText kilowatts;
    kilowatts.PowerOn = "1,5";
    days["kilowatts"] = kilowatts.Bytes();
    DayText bare;
    bare.Edit = [](int m, const QByteArray& line) { return m >= 630 && m < 640 ? Stamp(m) : line; };
    days["bare stamps"] = bare.Bytes();
    DayText empty;
    empty.Edit = [](int m, const QByteArray& line) {
        return m >= 600 && m < 630 ? Stamp(m) + ";;;;;;;;;;;;;" : line;
    };
    days["lines without values"] = empty.Bytes();
    DayText stopping;
    stopping.Edit = [](int m, const QByteArray& line) {
        return m == 700 ? Stamp(m) + ";57.3;1;2;3;4;5;6;12,5;1500;100;0;0;0" : line;
    };
    days["a stopping field"] = stopping.Bytes();
    DayText faults;
    faults.Edit = [](int m, const QByteArray& line) {
        if (m >= 500 && m < 520)
            return Stamp(m) + ";Err;41,2;12;13;14;15;16;Err;Err;Err;0;0;0";
        return line;
    };
    days["Err"] = faults.Bytes();
    DayText gaps;
    gaps.Edit = [](int m, const QByteArray& line) {
        return (m >= 300 && m < 420) || (m >= 1430) ? QByteArray() : line;
    };
    days["gaps"] = gaps.Bytes().replace("\r\n\r\n", "\r\n").replace("\r\n\r\n", "\r\n");
    DayText midnight;
    midnight.Edit = [](int m, const QByteArray& line) {
        return m == 0 ? QByteArray("2010-04-30") + line.mid(10) : line;
    };
    days["midnight record"] = midnight.Bytes();
    DayText twoDigits;
    twoDigits.DayFirst = true;
    days["two-digit years"] = twoDigits.Bytes();
    DayText fives;
    fives.Interval = 5;
    days["five-minute lines"] = fives.Bytes();
    DayText order;
    order.Edit = [](int m, const QByteArray& line) {
        // A line stamped before the one it follows is dropped; one of the same moment counts.
        if (m == 800)
            return line + "\r\n" + Stamp(790) + ";1;1;1;1;1;1;1;99;9999;100;100;100;100";
        if (m == 801)
            return line + "\r\n" + Stamp(801) + ";1;1;1;1;1;1;1;3;300;0;100;0;0";
        return line;
    };
    days["out of order and repeated"] = order.Bytes();
    return days;
}

class DifferentialTest : public ::testing::Test {
protected:
    DifferentialTest() {
        SetCurrentTexts(TextArrayId::English);
        // The report reads the user's thresholds: a folder without settings gives the defaults
        // the panel is checked with here.
        OldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", Dir.filePath(QStringLiteral("config")).toUtf8());
    }
    ~DifferentialTest() override {
        SetCurrentTexts(TextArrayId::German);
        if (OldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", OldConfig);
    }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QString Report(const QStringList& arguments) {
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        EXPECT_EQ(RunReport(arguments, outStream, errStream, false), 0) << err.toStdString();
        return out;
    }

    // The report's events as the panel's list would format them.
    QString ReportEvents(const QStringList& files) {
        return Report(QStringList{"--health", "--format=json"} + files);
    }

    // A day's whole-day figures from the span statistics, the day record and the ledger.
    static void ExpectOneFigure(const TAnalysisData& data, const TDay& day, const LedgerRow& row,
                                const std::string& name) {
        const ChannelReadings readings(data);
        const DateTime from = day.StartDate();
        const DateTime to = from + 1.0;
        EXPECT_EQ(readings.SpanStatistics(ChFlow, from, to).Sum, day.GetVolume()) << name;
        EXPECT_EQ(row.VolumeL, day.GetVolume()) << name;
        EXPECT_EQ(readings.SpanStatistics(ChPower, from, to).Sum, day.GetEnergy()) << name;
        EXPECT_EQ(row.EnergyKWh, day.GetEnergy()) << name;
        for (int k = 0; k < DayOutputCount; ++k) {
            const auto stats = readings.SpanStatistics(ChR1 + k, from, to);
            EXPECT_EQ(stats.OnHours, row.OnHours[static_cast<size_t>(k)]) << name << " R" << k;
            EXPECT_EQ(stats.Starts, row.Starts[static_cast<size_t>(k)]) << name << " R" << k;
            EXPECT_EQ(stats.OnHours, day.Sums().OnHours(k)) << name;
        }
    }

    // Spans cut at logged moments that tile [from, to) add up to the whole; with `shift`, each
    // inner cut lies that far after its moment, inside a rectangle.
    static void ExpectTilesAddUp(const TAnalysisData& data, DateTime from, DateTime to, int every,
                                 const std::string& name, double shift = 0.0) {
        const ChannelReadings readings(data);
        std::vector<DateTime> cuts{from};
        for (std::optional<DateTime> t = readings.NextPoint(ChT1, from, true); t && *t < to;
             t = readings.NextPoint(ChT1, *t, true))
            if (static_cast<int>(std::round((*t - from) / Minute)) % every == 0)
                cuts.push_back(*t + shift);
        cuts.push_back(to);
        ASSERT_GT(cuts.size(), 4U) << name;
        for (const int channel : {int(ChFlow), int(ChPower), int(ChR1), int(ChR2), int(ChRError)}) {
            double sum = 0.0;
            int starts = 0;
            for (size_t i = 0; i + 1 < cuts.size(); ++i) {
                const auto part = readings.SpanStatistics(channel, cuts[i], cuts[i + 1]);
                sum += IsOutputChannel(channel) ? part.OnHours : part.Sum;
                starts += part.Starts;
            }
            const auto whole = readings.SpanStatistics(channel, from, to);
            const double expected = IsOutputChannel(channel) ? whole.OnHours : whole.Sum;
            EXPECT_NEAR(sum, expected, 1e-9 * std::max(1.0, std::abs(expected)))
                << name << " channel " << channel;
            EXPECT_EQ(starts, whole.Starts) << name << " channel " << channel;
        }
    }

    QTemporaryDir Dir;
    QByteArray OldConfig;
    MemoryHost Chart;
    MemoryHost Chart2;
};

} // namespace

TEST_F(DifferentialTest, EveryEdgeCaseDayStatesOneVolumeEnergyOnTimeAndStartsEverywhere) {
    for (const auto& [name, bytes] : EdgeCaseDays()) {
        const QString path = Write(QStringLiteral("20100501.csv"), bytes);
        TAnalysisData data;
        data.LoadFile(path, &Chart, &Chart2);
        const TDay& day = data.GetDay(0);
        ASSERT_EQ(day.StartDate(), May1) << name.toStdString();
        Ledger ledger;
        ledger.ReadFiles({path});
        ASSERT_EQ(ledger.Days().size(), 1U) << name.toStdString();
        ExpectOneFigure(data, day, ledger.Days()[0], name.toStdString());
        ExpectTilesAddUp(data, May1, May1 + 1.0, 37, name.toStdString());
        // The panel's events and the report's, from the same lines.
        EXPECT_EQ(ReportEvents({path}), HealthJson(CheckAnalysis(data, {}, {})))
            << name.toStdString();
    }
}

TEST_F(DifferentialTest, SpansCutBetweenLoggedMomentsCountOnlyTheirPartOfARectangle) {
    const std::map<QString, QByteArray> days = EdgeCaseDays();
    for (const QString name : {"watts", "kilowatts", "five-minute lines", "gaps"}) {
        TAnalysisData data;
        data.LoadFile(Write(QStringLiteral("20100501.csv"), days.at(name)), &Chart, &Chart2);
        // Cut 20 s after a moment: every inner cut splits a rectangle in two.
        ExpectTilesAddUp(data, May1, May1 + 1.0, 37, name.toStdString(), 20.0 / 86400.0);
    }
    TAnalysisData data;
    data.LoadFile(Write(QStringLiteral("20100501.csv"), days.at("watts")), &Chart, &Chart2);
    const ChannelReadings readings(data);
    const DateTime second = 1.0 / 86400.0;
    // 06:10 holds 12.5 l/min and 1500 W until 06:11: half a minute of it.
    const DateTime at = May1 + 370 * Minute;
    const auto flow = readings.SpanStatistics(ChFlow, at + 15 * second, at + 45 * second);
    EXPECT_NEAR(flow.Sum, 12.5 * 0.5, 1e-6);
    const auto power = readings.SpanStatistics(ChPower, at + 15 * second, at + 45 * second);
    EXPECT_NEAR(power.Sum, 1.5 / 120.0, 1e-9);
    // R2 runs at 23:59; the carry to midnight is a rectangle like the others.
    const auto r2 = readings.SpanStatistics(ChR2, May1 + 1.0 - 30 * second, May1 + 1.0);
    EXPECT_NEAR(r2.OnHours, 1.0 / 120.0, 1e-9);
    EXPECT_EQ(r2.Starts, 0);
}

TEST_F(DifferentialTest, TheEdgeCasesThemselvesCountWhatTheDaysRuleSays) {
    // What the cases above must not hide: each way of counting is the day's own.
    const std::map<QString, QByteArray> days = EdgeCaseDays();
    const auto volume = [&](const QString& name) {
        TAnalysisData data;
        data.LoadFile(Write(QStringLiteral("20100501.csv"), days.at(name)), &Chart, &Chart2);
        return data.GetDay(0).GetVolume();
    };
    const double full = volume("watts");
    // Ten bare stamps during a run lose their ten minutes of Flow, as the day's rule says.
    EXPECT_LT(volume("bare stamps"), full);
    // Stopped at 11:40: no carry, nothing after it.
    EXPECT_LT(volume("a stopping field"), full / 2);
    // Thirty minutes of lines without values are still lines the logger wrote: no recording gap,
    // in the panel as in the report (the panel once saw one, having only the series to go by).
    TAnalysisData data;
    data.LoadFile(Write(QStringLiteral("20100501.csv"), days.at("lines without values")), &Chart,
                  &Chart2);
    const std::vector<HealthEvent> events = CheckAnalysis(data, {}, {});
    EXPECT_FALSE(events.empty()); // the day's RError minutes, at least
    EXPECT_TRUE(std::none_of(events.begin(), events.end(), [](const HealthEvent& e) {
        return e.Kind == EventKind::RecordingGap;
    }));
}

TEST_F(DifferentialTest, GeneratedDaysAgreeDayByDayAndMonthByMonthAcrossMidnight) {
    loggen::DayOptions options;
    options.Gap = true;
    options.FaultChance = 0.002;
    options.EmptyChance = 0.002;
    options.IntervalMinutes = 2;
    options.Faults = {{loggen::Fault::PumpCycling, QDate(2010, 6, 29), 23 * 60, 90, 0},
                      {loggen::Fault::RecordingGap, QDate(2010, 7, 1), 0, 40, 0}};
    const QStringList files =
        loggen::WriteDays(Dir.filePath(QStringLiteral("days")), QDate(2010, 6, 24), 14,
                          loggen::FolderLayout::Flat, options);
    ASSERT_EQ(files.size(), 14);
    TAnalysisData data;
    DateTime first = 0;
    DateTime last = 0;
    EncodeDate(2010, 6, 24, first);
    EncodeDate(2010, 7, 7, last);
    data.LoadRange(first, last, static_cast<unsigned>(files.size()), files[0], &Chart, &Chart2);
    for (const QString& file : files.mid(1))
        data.AddFile(file);
    data.BuildMonthTotals();
    Ledger ledger;
    ledger.ReadFiles(files);
    ASSERT_EQ(ledger.Days().size(), 14U);

    for (unsigned i = 0; i < data.GetDayCount(); ++i) {
        const TDay& day = data.GetDay(i);
        const DateParts parts = DecodeDate(day.StartDate());
        const LedgerRow* row = ledger.DayRow(QDate(parts.Year, parts.Month, parts.Day));
        ASSERT_NE(row, nullptr);
        ExpectOneFigure(data, day, *row, row->Period().toStdString());
    }
    // The months of the ledger are the month totals of the analysis.
    const std::vector<LedgerRow> months = ledger.Months();
    ASSERT_EQ(months.size(), 2U);
    size_t m = 0;
    for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext()) {
        double volume = 0.0;
        double energy = 0.0;
        for (const TDay* day = month->FirstDayOfChain(); day != nullptr; day = day->GetNext()) {
            volume += day->GetVolume();
            energy += day->GetEnergy();
        }
        ASSERT_LT(m, months.size());
        EXPECT_NEAR(months[m].VolumeL, volume, 1e-9 * volume);
        EXPECT_NEAR(months[m].EnergyKWh, energy, 1e-9 * energy);
        ++m;
    }
    // Spans over midnight, cut at logged moments, add up to the days they cover.
    ExpectTilesAddUp(data, first, last + 1.0, 293, "fortnight");
    // The panel's events for the analysis are the report's for the files.
    EXPECT_EQ(ReportEvents(files), HealthJson(CheckAnalysis(data, {}, {})));
}

TEST_F(DifferentialTest, AYearsDayRowsAddUpToItsYearRowInTheMachineFormats) {
    loggen::DayOptions options;
    options.IntervalMinutes = 10;
    const QString folder = Dir.filePath(QStringLiteral("year"));
    ASSERT_EQ(loggen::WriteDays(folder, QDate(2011, 1, 1), 365, loggen::FolderLayout::Flat, options)
                  .size(),
              365);
    const auto column = [](const QString& csv, const QString& key) {
        QStringList lines = csv.trimmed().split('\n');
        const qsizetype at = lines.takeFirst().split(';').indexOf(key);
        std::vector<double> values;
        for (const QString& line : lines)
            values.push_back(line.split(';')[at].toDouble());
        return values;
    };
    const QString days = Report({"--by=day", "--format=csv", folder});
    const QString year = Report({"--by=year", "--format=csv", folder});
    for (const char* key : {"energy_kwh", "volume_l", "r1_on_hours"}) {
        const std::vector<double> each = column(days, key);
        ASSERT_EQ(each.size(), 365U);
        double sum = 0.0;
        for (const double v : each)
            sum += v;
        const std::vector<double> total = column(year, key);
        ASSERT_EQ(total.size(), 1U);
        EXPECT_NEAR(sum, total[0], 1e-9 * total[0]) << key;
    }
    // JSON reads back to the same doubles as CSV.
    const QJsonArray rows =
        QJsonDocument::fromJson(Report({"--by=year", "--format=json", folder}).toUtf8()).array();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].toObject()["energy_kwh"].toDouble(), column(year, "energy_kwh")[0]);
}

TEST_F(DifferentialTest, InputsThatNeverChangeRaiseNoStuckSensorButOnesThatMovedEarlierDo) {
    loggen::DayOptions options;
    options.IntervalMinutes = 5;
    options.Faults = {{loggen::Fault::StuckSensor, QDate(2010, 6, 10), 8 * 60, 420, ChT3},
                      {loggen::Fault::PumpWithoutFlow, QDate(2010, 6, 20), 12 * 60, 30, 0}};
    const QStringList files =
        loggen::WriteDays(Dir.filePath(QStringLiteral("quarter")), QDate(2010, 6, 1), 30,
                          loggen::FolderLayout::Flat, options);
    ASSERT_EQ(files.size(), 30);
    // T5 and T6 have no sensor; T4 has one until the 15th, then it holds still.
    for (qsizetype i = 0; i < files.size(); ++i) {
        QFile file(files[i]);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = file.readAll().split('\n');
        file.close();
        for (qsizetype n = 1; n < lines.size(); ++n) {
            QList<QByteArray> fields = lines[n].split(';');
            if (fields.size() < 8)
                continue;
            fields[5] = fields[6] = "20,0";
            if (i >= 14)
                fields[4] = "33,0";
            lines[n] = fields.join(';');
        }
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(lines.join('\n'));
    }
    const QJsonArray events = QJsonDocument::fromJson(ReportEvents(files).toUtf8()).array();
    int stuckT4 = 0;
    bool stuckT3 = false;
    bool dry = false;
    for (const QJsonValue& value : events) {
        const QJsonObject event = value.toObject();
        const QString kind = event["kind"].toString();
        const QString channel = event["channels"].toArray().first().toString();
        if (kind == "stuck-sensor") {
            EXPECT_NE(channel, "T5");
            EXPECT_NE(channel, "T6");
            stuckT4 += channel == "T4" ? 1 : 0;
            stuckT3 =
                stuckT3 || (channel == "T3" && event["start"].toString() == "2010-06-10T08:00:00");
        }
        dry = dry ||
              (kind == "pump-without-flow" && event["start"].toString() == "2010-06-20T12:00:00");
    }
    EXPECT_GT(stuckT4, 0);
    EXPECT_TRUE(stuckT3);
    EXPECT_TRUE(dry);

    // The panel of a multi-day analysis of the same files finds the same.
    TAnalysisData data;
    DateTime first = 0;
    DateTime last = 0;
    EncodeDate(2010, 6, 1, first);
    EncodeDate(2010, 6, 30, last);
    data.LoadRange(first, last, static_cast<unsigned>(files.size()), files[0], &Chart, &Chart2);
    for (const QString& file : files.mid(1))
        data.AddFile(file);
    EXPECT_EQ(ReportEvents(files), HealthJson(CheckAnalysis(data, {}, {})));
}

TEST_F(DifferentialTest, FaultsOverMidnightAreOneEventInThePanelAndTheReport) {
    // Each duration kind over a midnight, each side too short for it; the cycling over a month's
    // end. Every fifth file comes first, so the report does not read the days in order.
    loggen::DayOptions options;
    options.Faults = {{loggen::Fault::StuckSensor, QDate(2010, 6, 24), 19 * 60, 9 * 60, ChT4},
                      {loggen::Fault::PumpWithoutFlow, QDate(2010, 6, 25), 1434, 12, 0},
                      {loggen::Fault::MissedYield, QDate(2010, 6, 26), 1428, 24, 0},
                      {loggen::Fault::HeatLoss, QDate(2010, 6, 27), 1431, 18, 0},
                      {loggen::Fault::RecordingGap, QDate(2010, 6, 28), 1430, 20, 0},
                      {loggen::Fault::PumpCycling, QDate(2010, 6, 30), 1420, 40, 0}};
    QStringList files = loggen::WriteDays(Dir.filePath(QStringLiteral("days")), QDate(2010, 6, 24),
                                          9, loggen::FolderLayout::Flat, options);
    ASSERT_EQ(files.size(), 9);
    TAnalysisData data;
    DateTime first = 0;
    EncodeDate(2010, 6, 24, first);
    data.LoadRange(first, first + 8.0, static_cast<unsigned>(files.size()), files[0], &Chart,
                   &Chart2);
    for (const QString& file : files.mid(1))
        data.AddFile(file);
    const std::vector<HealthEvent> panel = CheckAnalysis(data, {}, {});
    EventCounts expected{};
    for (const EventKind kind :
         {EventKind::StuckSensor, EventKind::PumpWithoutFlow, EventKind::MissedYield,
          EventKind::HeatLoss, EventKind::RecordingGap, EventKind::PumpCycling})
        expected[static_cast<size_t>(kind)] = 1;
    EXPECT_EQ(CountByKind(panel), expected);
    for (const HealthEvent& event : panel)
        EXPECT_LT(FloorDay(event.Start), FloorDay(event.End)) << EventKindKey(event.Kind);
    for (int i = 0; i < files.size(); i += 5)
        files.move(i, 0);
    EXPECT_EQ(ReportEvents(files), HealthJson(panel));
    // The report's rows count each once, on the day it starts.
    QStringList rows = Report({"--by=day", "--format=csv", Dir.filePath(QStringLiteral("days"))})
                           .trimmed()
                           .split('\n');
    const QStringList heading = rows.takeFirst().split(';');
    ASSERT_EQ(rows.size(), 9);
    for (int k = 0; k < EventKindCount; ++k) {
        const auto kind = static_cast<EventKind>(k);
        const qsizetype at = heading.indexOf(
            QString::fromLatin1(EventKindKey(kind)).replace('-', '_') + QStringLiteral("_events"));
        ASSERT_GE(at, 0) << EventKindKey(kind);
        for (qsizetype day = 0; day < rows.size(); ++day) {
            const bool starts = std::any_of(panel.begin(), panel.end(), [&](const HealthEvent& e) {
                return e.Kind == kind && FloorDay(e.Start) == first + static_cast<double>(day);
            });
            EXPECT_EQ(rows[day].split(';')[at].toDouble(), starts ? 1.0 : 0.0)
                << EventKindKey(kind) << " day " << day;
        }
    }
}
