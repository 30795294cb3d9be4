#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "health/HealthLedger.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerColumns.h"
#include "report/ReportOptions.h"
#include "report/ReportRun.h"
#include "report/ReportWriter.h"

#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TMonth.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Outcome {
    int Status = -1;
    QString Out;
    QString Err;
};

class ReportTest : public ::testing::Test {
protected:
    // The run reads the user's settings: each test has a settings folder of its own, empty
    // unless it writes one.
    ReportTest() : OldConfig(qgetenv("XDG_CONFIG_HOME")) {
        SetCurrentTexts(TextArrayId::English);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(Config.path()));
    }
    ~ReportTest() override {
        SetCurrentTexts(TextArrayId::German);
        if (OldConfig.isNull())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", OldConfig);
    }
    void StoreLanguage(int number) {
        ASSERT_TRUE(QDir().mkpath(Config.filePath(QStringLiteral("Tarvex"))));
        QFile ini(Config.filePath(QStringLiteral("Tarvex/Solvista.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[Main]\r\nLanguage=%1\r\n").arg(number).toLatin1());
    }

    Outcome Report(const QStringList& arguments) {
        Outcome run;
        QTextStream out(&run.Out);
        QTextStream err(&run.Err);
        run.Status = RunReport(arguments, out, err, false);
        return run;
    }

    // Days of a year-month folder tree with hourly lines; `skip` days are left out.
    void WriteDays(QDate first, QDate last, const std::vector<QDate>& skip = {}) {
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        for (QDate d = first; d <= last; d = d.addDays(1)) {
            if (std::find(skip.begin(), skip.end(), d) != skip.end())
                continue;
            options.Seed = static_cast<std::uint32_t>(d.toJulianDay());
            const QString path =
                loggen::DayFilePath(Dir.path(), d, loggen::FolderLayout::YearMonthFolders);
            QDir().mkpath(QFileInfo(path).path());
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(loggen::GenerateDay(d, options).Bytes);
        }
    }

    QByteArray OldConfig;
    QTemporaryDir Config;
    QTemporaryDir Dir;
};

} // namespace

TEST_F(ReportTest, UsageErrorsExitTwoWithOneLineOnStandardError) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"--by", "week", "x"}, QStringList{"--by"},
          QStringList{"--format=xml", "x"}, QStringList{"--from", "2011-02-30", "x"},
          QStringList{"--from", "2011-05", "--to", "2011-04", "x"}, QStringList{"--colour", "x"}}) {
        const Outcome run = Report(arguments);
        EXPECT_EQ(run.Status, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.Out.isEmpty());
        EXPECT_EQ(run.Err.count('\n'), 1) << run.Err.toStdString();
    }
    const Outcome help = Report({"--help"});
    EXPECT_EQ(help.Status, 0);
    EXPECT_TRUE(help.Out.startsWith("Usage: solvista-report"));
}

TEST_F(ReportTest, NothingReadableExitsOneAndNamesTheFilesWithTheirReasons) {
    QFile text(Dir.filePath("notes.csv"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("a list of things\n");
    text.close();
    const Outcome run = Report({Dir.filePath("notes.csv"), Dir.filePath("gone")});
    EXPECT_EQ(run.Status, 1);
    EXPECT_TRUE(run.Out.isEmpty());
    EXPECT_TRUE(run.Err.contains(Dir.filePath("notes.csv") +
                                 ": The file you specified is not a valid log file."));
    EXPECT_TRUE(run.Err.contains(Dir.filePath("gone") + ": Error occurred while opening file"));
    // An empty folder holds nothing to read either.
    EXPECT_EQ(Report({Dir.path()}).Status, 1);
}

// What comes from outside cannot forge a line on the terminal, and every failure says why.
TEST_F(ReportTest, NamesAndOptionsFromOutsideStayOnTheirLine) {
    const Outcome forged = Report({"--x\n\x1b[2Jsolvista-report: all well", Dir.path()});
    EXPECT_EQ(forged.Status, 2);
    EXPECT_EQ(forged.Err, "solvista-report: unknown option --x\\n\\x1b[2Jsolvista-report: all well "
                          "(try --help)\n");
    // Dates end where the text ends, a line break included, and take ASCII digits only.
    for (const char* date : {"2010\n", "2010-05\n", "2010-05-01\n", "\u0662\u0660\u0661\u0660"}) {
        EXPECT_EQ(Report({QStringLiteral("--to=") + QString::fromUtf8(date), Dir.path()}).Status, 2)
            << date;
        EXPECT_FALSE(ParseReportDate(QString::fromUtf8(date), false).isValid()) << date;
    }
    EXPECT_EQ(ParseReportDate("2010", true), QDate(2010, 12, 31));

    const QString odd = Dir.filePath(QStringLiteral("20100501\n\x1b[31m.csv"));
    QFile file(odd);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a log\n");
    file.close();
    const QString folderLikeADay = Dir.filePath(QStringLiteral("20100502.csv"));
    ASSERT_TRUE(QDir().mkdir(folderLikeADay));
    const QString fifo = Dir.filePath(QStringLiteral("20100503.csv"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const Outcome run = Report({odd, folderLikeADay, fifo, Dir.filePath("gone.csv")});
    EXPECT_EQ(run.Status, 1);
    const QStringList lines = run.Err.split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.size(), 5) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains("20100501\\n\\x1b[31m.csv: The file you specified is not a valid"))
        << run.Err.toStdString();
    EXPECT_TRUE(run.Err.contains(folderLikeADay + ": No files were found"));
    EXPECT_TRUE(run.Err.contains(fifo + ": Error occurred while opening file: This is not an "
                                        "ordinary file"));
    EXPECT_TRUE(run.Err.contains("gone.csv: Error occurred while opening file: The file does "
                                 "not exist."));
}

TEST_F(ReportTest, CsvHasAHeadingAndOneLinePerMonthWithDecimalPoints) {
    WriteDays(QDate(2011, 1, 30), QDate(2011, 3, 2), {QDate(2011, 2, 14)});
    const Outcome run = Report({"--format", "csv", Dir.path()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(run.Err.isEmpty());
    QStringList lines = run.Out.split('\n');
    ASSERT_EQ(lines.takeLast(), "");
    ASSERT_EQ(lines.size(), 4);
    const QStringList heading = lines[0].split(';');
    EXPECT_EQ(heading.mid(0, 3), (QStringList{"period", "energy_kwh", "volume_l"}));
    EXPECT_TRUE(heading.contains("t1_max_c"));
    EXPECT_TRUE(heading.contains("r1_on_hours"));
    EXPECT_TRUE(lines[2].startsWith("2011-02;"));
    for (const QString& line : lines.mid(1)) {
        const QStringList cells = line.split(';');
        EXPECT_EQ(cells.size(), heading.size());
        EXPECT_FALSE(line.contains(','));
        EXPECT_TRUE(cells[1].contains('.'));
    }
    const QStringList february = lines[2].split(';');
    EXPECT_EQ(february[heading.indexOf("days_with_data")], "27");
    EXPECT_EQ(february[heading.indexOf("days_without_file")], "1");
}

TEST_F(ReportTest, JsonIsAnArrayOfRowsWithPeriodsAndUnitsInTheNames) {
    WriteDays(QDate(2010, 12, 30), QDate(2011, 1, 2));
    const Outcome run = Report({"--by=day", "--format=json", "--from", "2010-12-31", Dir.path()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(run.Out.toUtf8(), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    ASSERT_TRUE(document.isArray());
    const QJsonArray rows = document.array();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0]["period"].toString(), "2010-12-31");
    EXPECT_EQ(rows[2]["period"].toString(), "2011-01-02");

    Ledger ledger;
    ledger.ReadFiles({loggen::DayFilePath(Dir.path(), QDate(2011, 1, 1),
                                          loggen::FolderLayout::YearMonthFolders)});
    const QJsonObject day = rows[1].toObject();
    EXPECT_NEAR(day["energy_kwh"].toDouble(), ledger.Days()[0].EnergyKWh, 0.005);
    EXPECT_NEAR(day["volume_l"].toDouble(), ledger.Days()[0].VolumeL, 0.5);
    // The ledger's columns, the period and the health check's count per kind.
    EXPECT_EQ(day.size(),
              static_cast<qsizetype>(LedgerColumns().size() + HealthEventColumns().size()) + 1);
    for (const LedgerColumn& column : LedgerColumns())
        EXPECT_TRUE(day.contains(column.Key)) << column.Key.toStdString();
    EXPECT_TRUE(day["t1_max_c"].isDouble());
    // The year form gives whole years.
    const Outcome years = Report({"--by", "year", "--format", "json", Dir.path()});
    const QJsonArray yearRows = QJsonDocument::fromJson(years.Out.toUtf8()).array();
    ASSERT_EQ(yearRows.size(), 2);
    EXPECT_EQ(yearRows[1]["period"].toString(), "2011");
}

TEST_F(ReportTest, TheTextTableSpeaksTheCurrentLanguageAndAlignsItsColumns) {
    LedgerRow row;
    row.Level = LedgerLevel::Month;
    row.Start = QDate(2011, 3, 1);
    row.EnergyKWh = 1234.5;
    row.DaysWithData = 31;
    const ReportWriter writer(LedgerColumns());
    for (const bool german : {true, false}) {
        // A system of the other language changes nothing.
        QLocale::setDefault(german ? QLocale(QLocale::English, QLocale::UnitedKingdom)
                                   : QLocale(QLocale::German, QLocale::Germany));
        SetCurrentTexts(german ? TextArrayId::German : TextArrayId::English);
        const QStringList lines = writer.Text({row}).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2);
        EXPECT_TRUE(lines[0].simplified().startsWith(german ? "Zeitraum Energie [kWh] Volumen [l]"
                                                            : "Period Energy [kWh] Volume [l]"))
            << lines[0].toStdString();
        EXPECT_TRUE(lines[0].contains(german ? "Tage mit Daten" : "Days with data"));
        const QStringList cells = lines[1].split(' ', Qt::SkipEmptyParts);
        EXPECT_EQ(cells[0], "2011-03");
        EXPECT_EQ(cells[1], german ? "1234,50" : "1234.50");
        EXPECT_EQ(lines[0].size(), lines[1].size());
        // No temperature recorded: a dash, not a number.
        EXPECT_TRUE(lines[1].endsWith("0"));
        EXPECT_TRUE(lines[1].contains(" - "));
    }
    QLocale::setDefault(QLocale::system());
}

TEST_F(ReportTest, TheLanguageIsTheOneChosenInTheProgramOrOnTheCommandLine) {
    WriteDays(QDate(2010, 6, 1), QDate(2010, 6, 3));
    QFile stray(Dir.filePath(QStringLiteral("2010/06/20100604.csv")));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.write("not a log\n");
    stray.close();
    const auto heading = [](const Outcome& run) {
        return run.Out.section('\n', 0, 0).simplified();
    };

    // Nothing chosen yet: English, as before.
    Outcome run = Report({Dir.path()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    EXPECT_TRUE(heading(run).startsWith("Period Energy [kWh]"));
    EXPECT_TRUE(run.Err.contains("not a valid log file"));

    StoreLanguage(1);
    run = Report({Dir.path()});
    EXPECT_TRUE(heading(run).startsWith("Zeitraum Energie [kWh]")) << heading(run).toStdString();
    const QStringList june = run.Out.section('\n', 1, 1).split(' ', Qt::SkipEmptyParts);
    ASSERT_GE(june.size(), 2);
    EXPECT_TRUE(june[1].contains(',')) << june[1].toStdString();
    EXPECT_TRUE(run.Err.contains(QString::fromUtf8("keine gültige Log-Datei")))
        << run.Err.toStdString();
    // Files for other programs keep their form.
    const Outcome csv = Report({"--format", "csv", Dir.path()});
    EXPECT_TRUE(csv.Out.startsWith("period;energy_kwh;"));
    EXPECT_TRUE(csv.Out.section('\n', 1, 1).section(';', 1, 1).contains('.'));

    run = Report({"--language", "en", Dir.path()});
    EXPECT_TRUE(heading(run).startsWith("Period Energy [kWh]"));
    run = Report({"--language=fr", Dir.path()});
    EXPECT_TRUE(heading(run).startsWith(QString::fromUtf8("Période Énergie [kWh]")));
    StoreLanguage(7); // English (US)
    EXPECT_TRUE(heading(Report({Dir.path()})).startsWith("Period"));

    run = Report({"--language", "nl", Dir.path()});
    EXPECT_EQ(run.Status, 2);
    EXPECT_TRUE(run.Err.startsWith("solvista-report: --language takes de, en,"));
    const QString help = Report({"--help"}).Out;
    EXPECT_TRUE(help.contains("--language LANG"));
    EXPECT_TRUE(help.contains("the language\n                    chosen in Solvista"));
}

TEST_F(ReportTest, TheProgramItselfReportsItsStatus) {
    QProcess process;
    process.start(QStringLiteral(SOLVISTA_REPORT), {"--by", "fortnight", Dir.path()});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 2);
    EXPECT_TRUE(process.readAllStandardError().startsWith("solvista-report: --by takes"));
    process.start(QStringLiteral(SOLVISTA_REPORT), {"--version"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(process.readAllStandardOutput().startsWith("solvista-report 1."));
}

TEST_F(ReportTest, AGeneratedYearGivesTwelveMonthsThatAgreeWithAMultiDayAnalysis) {
    WriteDays(QDate(2010, 1, 1), QDate(2010, 12, 31));
    const Outcome run = Report({"--format", "csv", Dir.path()});
    ASSERT_EQ(run.Status, 0) << run.Err.toStdString();
    QStringList lines = run.Out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 13);
    const qsizetype energyAt = lines[0].split(';').indexOf("energy_kwh");

    // The same files as the multi-day dialog hands them to an analysis.
    QStringList files;
    for (QDate d(2010, 1, 1); d.year() == 2010; d = d.addDays(1))
        files << loggen::DayFilePath(Dir.path(), d, loggen::FolderLayout::YearMonthFolders);
    MemoryHost chart, chart2;
    TAnalysisData data([](const AppError& error) { FAIL() << error.what(); });
    DateTime first = 0, last = 0;
    EncodeDate(2010, 1, 1, first);
    EncodeDate(2010, 12, 31, last);
    data.LoadRange(first, last, static_cast<unsigned>(files.size()), files.first(), &chart,
                   &chart2);
    for (qsizetype i = 1; i < files.size(); ++i)
        data.AddFile(files[i]);
    data.BuildMonthTotals();
    int m = 1;
    for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext()) {
        const ChartSeries& energy = *month->TotalSlot(1).Series;
        double total = 0;
        for (int i = 0; i < energy.Count(); ++i)
            total += energy.YValue(i);
        ASSERT_LT(m, lines.size());
        const QStringList cells = lines[m].split(';');
        EXPECT_EQ(cells[0], QDate(2010, m, 1).toString("yyyy-MM"));
        EXPECT_NEAR(cells[energyAt].toDouble(), total, 1e-9 * total) << cells[0].toStdString();
        ++m;
    }
    EXPECT_EQ(m, 13);
}

TEST_F(ReportTest, HealthListsTheEventsOfAFolderAsTextCsvAndJson) {
    // The user's thresholds come from a settings file of this test's own.
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", Dir.filePath(QStringLiteral("config")).toUtf8());
    QDir().mkpath(Dir.filePath(QStringLiteral("config/Tarvex")));
    {
        QFile ini(Dir.filePath(QStringLiteral("config/Tarvex/Solvista.ini")));
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write("[Health]\r\nGapMinutes=30\r\n");
    }
    loggen::DayOptions options;
    options.Faults = {{loggen::Fault::PumpWithoutFlow, QDate(2010, 6, 2), 12 * 60, 30, 0},
                      {loggen::Fault::RecordingGap, QDate(2010, 6, 2), 15 * 60, 20, 0}};
    const QString folder = Dir.filePath(QStringLiteral("days"));
    // 1 to 4 June without the 3rd.
    ASSERT_EQ(
        loggen::WriteDays(folder, QDate(2010, 6, 1), 2, loggen::FolderLayout::Flat, options).size(),
        2);
    ASSERT_EQ(
        loggen::WriteDays(folder, QDate(2010, 6, 4), 1, loggen::FolderLayout::Flat, options).size(),
        1);

    const Outcome json = Report({"--health", "--format", "json", folder});
    EXPECT_EQ(json.Status, 0) << json.Err.toStdString();
    const QJsonArray events = QJsonDocument::fromJson(json.Out.toUtf8()).array();
    ASSERT_EQ(events.size(), 2) << json.Out.toStdString(); // a 20-minute gap is below 30
    const QJsonObject dry = events[0].toObject();
    EXPECT_EQ(dry.value("kind").toString(), QStringLiteral("pump-without-flow"));
    EXPECT_EQ(dry.value("start").toString(), QStringLiteral("2010-06-02T12:00:00"));
    EXPECT_EQ(dry.value("end").toString(), QStringLiteral("2010-06-02T12:30:00"));
    EXPECT_EQ(dry.value("channels").toArray().first().toString(), QStringLiteral("R1"));
    EXPECT_EQ(dry.value("value").toDouble(), 30.0);
    const QJsonObject missing = events[1].toObject();
    EXPECT_EQ(missing.value("kind").toString(), QStringLiteral("recording-gap"));
    EXPECT_EQ(missing.value("start").toString(), QStringLiteral("2010-06-03T00:00:00"));
    EXPECT_EQ(missing.value("end").toString(), QStringLiteral("2010-06-04T00:00:00"));

    const Outcome csv =
        Report({"--health", "--format=csv", "--from", "2010-06-02", "--to", "2010-06-02", folder});
    EXPECT_EQ(csv.Out, QStringLiteral("kind;start;end;channels;value\n"
                                      "pump-without-flow;2010-06-02T12:00:00;"
                                      "2010-06-02T12:30:00;R1,Flow,Power;30\n"));
    const Outcome text = Report({"--health", folder});
    EXPECT_EQ(text.Out.count('\n'), 2);
    EXPECT_TRUE(text.Out.startsWith(QStringLiteral("pump-without-flow")));

    // The ledger's rows count the events per kind: the day's own, and the month's sum.
    for (const char* by : {"day", "month"}) {
        const Outcome ledger = Report({"--by", by, "--format", "csv", folder});
        const QStringList lines = ledger.Out.trimmed().split('\n');
        const QStringList heading = lines[0].split(';');
        const qsizetype dryAt = heading.indexOf("pump_without_flow_events");
        const qsizetype gapAt = heading.indexOf("recording_gap_events");
        ASSERT_GT(dryAt, 0) << lines[0].toStdString();
        ASSERT_GT(gapAt, 0);
        EXPECT_EQ(heading.count(),
                  static_cast<qsizetype>(LedgerColumns().size() + HealthEventColumns().size()) + 1);
        const QString period = QLatin1String(by) == "day" ? "2010-06-02" : "2010-06";
        bool seen = false;
        for (const QString& line : lines) {
            const QStringList cells = line.split(';');
            if (cells[0] == period) {
                seen = true;
                EXPECT_EQ(cells[dryAt], "1") << line.toStdString();
                EXPECT_EQ(cells[gapAt], "0"); // 20 minutes: below the user's 30
            } else if (cells[0] == "2010-06-01") {
                EXPECT_EQ(cells[dryAt], "0");
            }
        }
        EXPECT_TRUE(seen) << by;
    }

    const Outcome none = Report({"--health", Dir.filePath(QStringLiteral("nothing"))});
    EXPECT_EQ(none.Status, 1);
    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}
