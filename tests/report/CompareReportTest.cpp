#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "report/ReportRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

struct Outcome {
    int Status = -1;
    QString Out;
    QString Err;
};

// June 2010 and June 2011 in a year-month tree, hourly lines; 10 June 2011 has no file and the
// pump runs without flow on two days of June 2011.
class CompareReportTest : public ::testing::Test {
protected:
    CompareReportTest() : OldConfig(qgetenv("XDG_CONFIG_HOME")) {
        SetCurrentTexts(TextArrayId::English);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
    }
    ~CompareReportTest() override {
        SetCurrentTexts(TextArrayId::German);
        if (OldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", OldConfig);
    }
    static void SetUpTestSuite() {
        Data = new QTemporaryDir;
        loggen::DayOptions options;
        options.IntervalMinutes = 10;
        for (const QDate& day : {QDate(2011, 6, 5), QDate(2011, 6, 20)})
            options.Faults.push_back({loggen::Fault::PumpWithoutFlow, day, 12 * 60, 40});
        for (int year : {2010, 2011})
            for (QDate d(year, 6, 1); d.month() == 6; d = d.addDays(1)) {
                if (d == QDate(2011, 6, 10))
                    continue;
                options.Seed = static_cast<std::uint32_t>(d.toJulianDay());
                const QString path =
                    loggen::DayFilePath(Data->path(), d, loggen::FolderLayout::YearMonthFolders);
                QDir().mkpath(QFileInfo(path).path());
                QFile file(path);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(loggen::GenerateDay(d, options).Bytes);
            }
    }
    static void TearDownTestSuite() {
        delete Data;
        Data = nullptr;
    }

    Outcome Report(QStringList arguments) {
        arguments << Data->path();
        Outcome run;
        QTextStream out(&run.Out);
        QTextStream err(&run.Err);
        run.Status = RunReport(arguments, out, err, false);
        return run;
    }
    // The CSV lines of a run, heading first.
    QStringList CsvLines(const QStringList& arguments) {
        const Outcome run = Report(QStringList{"--format", "csv"} + arguments);
        EXPECT_EQ(run.Status, 0) << run.Err.toStdString();
        return run.Out.trimmed().split('\n');
    }
    static double Field(const QStringList& lines, int line, const char* key) {
        const qsizetype at = lines[0].split(';').indexOf(QLatin1String(key));
        EXPECT_GE(at, 0) << key;
        const QString field = lines[line].split(';').value(at);
        return field.isEmpty() ? NAN : field.toDouble();
    }

    static QTemporaryDir* Data;
    QByteArray OldConfig;
    QTemporaryDir Config;
};

QTemporaryDir* CompareReportTest::Data = nullptr;

} // namespace

TEST_F(CompareReportTest, EachMonthIsTheLedgersRowOfThatMonthAndTheDifferencesFollow) {
    const QStringList compared = CsvLines({"--compare", "2010-06", "2011-06"});
    ASSERT_EQ(compared.size(), 5);
    EXPECT_EQ(compared[0], CsvLines({"--from", "2010-06", "--to", "2010-06"})[0]);
    // The very lines the ledger writes for those months, every column.
    EXPECT_EQ(compared[1], CsvLines({"--from", "2010-06", "--to", "2010-06"})[1]);
    EXPECT_EQ(compared[2], CsvLines({"--from", "2011-06", "--to", "2011-06"})[1]);
    EXPECT_TRUE(compared[3].startsWith("difference;"));
    EXPECT_TRUE(compared[4].startsWith("difference_percent;"));
    EXPECT_EQ(Field(compared, 2, "days_without_file"), 1.0);

    for (const char* key : {"energy_kwh", "volume_l", "r1_on_hours", "r1_starts", "r2_starts"}) {
        const double first = Field(compared, 1, key);
        const double second = Field(compared, 2, key);
        EXPECT_DOUBLE_EQ(Field(compared, 3, key), second - first) << key;
        if (first != 0.0) {
            EXPECT_DOUBLE_EQ(Field(compared, 4, key), (second - first) / first * 100.0) << key;
        } else {
            EXPECT_TRUE(std::isnan(Field(compared, 4, key))) << key;
        }
    }
    EXPECT_NE(Field(compared, 3, "energy_kwh"), 0.0);
    // Extremes, day counts and events are shown, not compared.
    for (const char* key :
         {"t1_max_c", "days_with_data", "recorded_min", "pump_without_flow_events"}) {
        EXPECT_TRUE(std::isnan(Field(compared, 3, key))) << key;
        EXPECT_TRUE(std::isnan(Field(compared, 4, key))) << key;
    }
}

TEST_F(CompareReportTest, DaysAndYearsAreRowsAsAWholeAndADayWithoutAFileComparesAsNothing) {
    const QStringList days = CsvLines({"--compare", "2010-06-15", "2011-06-10"});
    ASSERT_EQ(days.size(), 5);
    EXPECT_TRUE(days[1].startsWith("2010-06-15;"));
    EXPECT_EQ(days[1], CsvLines({"--by", "day", "--from", "2010-06-15", "--to", "2010-06-15"})[1]);
    EXPECT_TRUE(days[2].startsWith("2011-06-10;"));
    EXPECT_EQ(Field(days, 2, "days_with_data"), 0.0);
    EXPECT_EQ(Field(days, 2, "days_without_file"), 1.0);
    EXPECT_EQ(Field(days, 2, "energy_kwh"), 0.0);
    EXPECT_DOUBLE_EQ(Field(days, 3, "energy_kwh"), -Field(days, 1, "energy_kwh"));
    EXPECT_DOUBLE_EQ(Field(days, 4, "energy_kwh"), -100.0);
    // Against nothing there is no percentage.
    const QStringList turned = CsvLines({"--compare", "2011-06-10", "2010-06-15"});
    EXPECT_TRUE(std::isnan(Field(turned, 4, "energy_kwh")));

    const Outcome years = Report({"--compare", "2010", "2011", "--format", "json"});
    ASSERT_EQ(years.Status, 0) << years.Err.toStdString();
    const QJsonArray rows = QJsonDocument::fromJson(years.Out.toUtf8()).array();
    ASSERT_EQ(rows.size(), 4);
    const Outcome year2011 =
        Report({"--by", "year", "--from", "2011", "--to", "2011", "--format", "json"});
    EXPECT_EQ(rows[1].toObject(),
              QJsonDocument::fromJson(year2011.Out.toUtf8()).array()[0].toObject());
    EXPECT_EQ(rows[1].toObject().value("days_without_file").toInt(), 365 - 29);
    EXPECT_EQ(rows[2].toObject().value("period").toString(), "difference");
    EXPECT_TRUE(rows[2].toObject().value("t1_min_c").isNull());
    EXPECT_EQ(rows[3].toObject().value("period").toString(), "difference_percent");
    EXPECT_DOUBLE_EQ(rows[2].toObject().value("energy_kwh").toDouble(),
                     rows[1].toObject().value("energy_kwh").toDouble() -
                         rows[0].toObject().value("energy_kwh").toDouble());
}

TEST_F(CompareReportTest, WithHealthTheEventsOfBothPeriodsAreCountedByKind) {
    const QStringList compared = CsvLines({"--health", "--compare", "2010-06", "2011-06"});
    ASSERT_EQ(compared.size(), 5);
    EXPECT_TRUE(compared[0].startsWith("period;sensor_fault_events;"));
    EXPECT_FALSE(compared[0].contains("energy_kwh"));
    // The counts are what the event list of each period holds.
    const char* periods[] = {"2010-06", "2011-06"};
    for (int p = 0; p < 2; ++p) {
        const QStringList events =
            CsvLines({"--health", "--from", periods[p], "--to", periods[p]}).mid(1);
        for (const char* kind : {"pump-without-flow", "recording-gap", "sensor-fault"}) {
            const QString key = QString::fromLatin1(kind).replace('-', '_') + "_events";
            const auto listed = std::count_if(events.begin(), events.end(), [&](const QString& l) {
                return l.startsWith(QLatin1String(kind) + ';');
            });
            EXPECT_EQ(Field(compared, p + 1, key.toLatin1().constData()), double(listed))
                << periods[p] << ' ' << kind;
        }
    }
    EXPECT_EQ(Field(compared, 1, "pump_without_flow_events"), 0.0);
    EXPECT_EQ(Field(compared, 2, "pump_without_flow_events"), 2.0);
    EXPECT_EQ(Field(compared, 3, "pump_without_flow_events"), 2.0);
    EXPECT_TRUE(std::isnan(Field(compared, 4, "pump_without_flow_events")));
    EXPECT_GE(Field(compared, 2, "recording_gap_events"), 1.0); // the missing day
}

TEST_F(CompareReportTest, TheTextTableNamesTheDifferencesInTheLanguageChosen) {
    const Outcome run = Report({"--language", "de", "--compare", "2010-06", "2011-06"});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    const QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[1].startsWith("2010-06 "));
    EXPECT_TRUE(lines[3].startsWith("Differenz "));
    EXPECT_TRUE(lines[4].startsWith("Differenz in % "));
    // Percentages with one decimal, a German decimal comma.
    const QStringList cells =
        lines[4].mid(QStringLiteral("Differenz in %").size()).split(' ', Qt::SkipEmptyParts);
    EXPECT_TRUE(cells[0].contains(QRegularExpression("^-?[0-9]+,[0-9]$")))
        << cells[0].toStdString();
}

TEST_F(CompareReportTest, CompareTakesTwoPeriodsAndNoOtherRange) {
    for (const QStringList& arguments :
         {QStringList{"--compare", "2010-06"}, QStringList{"--compare"},
          QStringList{"--compare", "2010-13", "2011-06"},
          QStringList{"--compare", "2010-06", "June"},
          QStringList{"--compare", "2010-06", "2011-06", "--from", "2010-06"},
          QStringList{"--to", "2011", "--compare", "2010-06", "2011-06"},
          QStringList{"--by", "day", "--compare", "2010-06", "2011-06"}}) {
        QString out;
        QString err;
        QTextStream o(&out);
        QTextStream e(&err);
        EXPECT_EQ(RunReport(arguments, o, e, false), 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(out.isEmpty());
        EXPECT_EQ(err.count('\n'), 1) << err.toStdString();
    }
    // Periods where nothing was logged: no file could be read.
    EXPECT_EQ(Report({"--compare", "2008", "2009"}).Status, 1);
}
