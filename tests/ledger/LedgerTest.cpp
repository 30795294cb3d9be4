#include "LogGenerator.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerDay.h"
#include "ledger/LedgerInput.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"

#include "chart/SeriesHost.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class LedgerTest : public ::testing::Test {
protected:
    LedgerTest() { SetCurrentTexts(TextArrayId::English); }
    ~LedgerTest() override { SetCurrentTexts(TextArrayId::German); }

    QString Write(const QByteArray& bytes, const QString& name) {
        const QString path = Dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString WriteDay(const QDate& date, const loggen::DayOptions& options, QString name = {}) {
        if (name.isEmpty())
            name = date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv");
        return Write(loggen::GenerateDay(date, options).Bytes, name);
    }

    // The day record of the analysis, read the way a multi-day analysis reads a further file.
    std::unique_ptr<TDay> AnalysisDay(const QString& file) {
        LogReader reader;
        LogLines lines;
        ChannelUnits units;
        const DateTime date = reader.OpenDayFile(file, lines, units);
        auto day = std::make_unique<TDay>(date, &Chart, &Chart2);
        day->ReadLines(&lines, reader);
        return day;
    }

    QTemporaryDir Dir;
    MemoryHost Chart;
    MemoryHost Chart2;
};

} // namespace

TEST_F(LedgerTest, EnergyAndVolumeAreTheDayRecordsForSamplesAndGeneratedDays) {
    QStringList files;
    QDirIterator samples(QStringLiteral(SOLVISTA_SOURCE_DIR "/samples"), {"*.csv"}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (samples.hasNext())
        files << samples.next();
    ASSERT_GE(files.size(), 5);
    int seed = 1;
    for (const loggen::DateStyle style : {loggen::DateStyle::YearFirst, loggen::DateStyle::DayFirst,
                                          loggen::DateStyle::DayFirstTwoDigitYear}) {
        for (const bool gap : {false, true}) {
            loggen::DayOptions options;
            options.Style = style;
            options.Gap = gap;
            options.IntervalMinutes = gap ? 5 : 1;
            options.FaultChance = gap ? 0.02 : 0.0;
            options.EmptyChance = gap ? 0.02 : 0.0;
            options.Sunny = seed % 2 == 1;
            options.Seed = static_cast<std::uint32_t>(seed);
            files << WriteDay(QDate(2011, 3, seed), options);
            ++seed;
        }
    }
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        LogReader reader;
        const LedgerRow row = ReadLedgerDay(file, reader);
        const auto day = AnalysisDay(file);
        // The same code: equal to the last bit, not merely close.
        EXPECT_EQ(row.EnergyKWh, day->GetEnergy());
        EXPECT_EQ(row.VolumeL, day->GetVolume());
        EXPECT_EQ(Date(row.Start), day->StartDate());
    }
}

TEST_F(LedgerTest, ADayCountsOutputTimesStartsExtremesAndTheLongestGap) {
    // Ten-minute lines, one hour missing after 00:30, R1 off-on-off-on, R2 never there,
    // T2 "Err" throughout, a stray line before the last accepted one.
    const QByteArray file = "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n"
                            "2010-04-30 00:00;20,5;Err;;;;;;0;0;0\r\n"
                            "2010-05-01 00:10;21,5;Err;;;;;;0;0;100\r\n"
                            "2010-05-01 00:20;19,0;Err;;;;;;0;0;100\r\n"
                            "2010-05-01 00:30;22,0;Err;;;;;;0;0;0\r\n"
                            "2010-05-01 01:30;18,0;Err;;;;;;0;0;50\r\n"
                            "2010-05-01 01:00;99,0;Err;;;;;;0;0;0\r\n"
                            "2010-05-01 23:30;20,0;Err;;;;;;0;0;50\r\n";
    LogReader reader;
    const LedgerRow row = ReadLedgerDay(Write(file, "20100501.csv"), reader);
    EXPECT_EQ(row.Start, QDate(2010, 5, 1));
    EXPECT_EQ(row.TMin[0], 18.0);
    EXPECT_EQ(row.TMax[0], 22.0); // the dropped line's 99 is not counted
    EXPECT_TRUE(std::isnan(row.TMin[1]));
    EXPECT_TRUE(std::isnan(row.TMax[2]));
    EXPECT_EQ(row.RecordedMinutes, 6);
    // 01:30 to 23:30, longer than the hour missing after 00:30.
    EXPECT_DOUBLE_EQ(row.LongestGapMinutes, 22 * 60.0);
    EXPECT_EQ(row.Starts[0], 2);
    // On 00:10-00:30, then 01:30 to midnight.
    EXPECT_NEAR(row.OnHours[0], 20.0 / 60 + 22.5, 1e-9);
    EXPECT_EQ(row.OnHours[1], 0.0);
    EXPECT_EQ(row.Starts[1], 0);
}

TEST_F(LedgerTest, AMonthWithMissingDaysAgreesWithTheMultiDayMonthTotals) {
    loggen::DayOptions options;
    options.IntervalMinutes = 15;
    QStringList files;
    for (QDate d(2010, 3, 1); d <= QDate(2010, 4, 2); d = d.addDays(1))
        if (d.day() != 7 && d.day() != 8 && d.day() != 20)
            files << WriteDay(d, options);

    Ledger ledger;
    ledger.ReadFiles(files);
    EXPECT_TRUE(ledger.Skipped().empty());
    const std::vector<LedgerRow> months = ledger.Months();
    ASSERT_EQ(months.size(), 2u);
    EXPECT_EQ(months[0].Period(), "2010-03");
    EXPECT_EQ(months[0].DaysWithData, 28);
    EXPECT_EQ(months[0].DaysWithoutFile, 3);
    // April runs only to the last day read.
    EXPECT_EQ(months[1].DaysWithData, 2);
    EXPECT_EQ(months[1].DaysWithoutFile, 0);

    TAnalysisData data([](const AppError& error) { FAIL() << error.what(); });
    data.LoadRange(Date(QDate(2010, 3, 1)), Date(QDate(2010, 4, 2)),
                   static_cast<unsigned>(files.size()), files.first(), &Chart, &Chart2);
    for (qsizetype i = 1; i < files.size(); ++i)
        data.AddFile(files[i]);
    data.BuildMonthTotals();
    size_t m = 0;
    for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext()) {
        const ChartSeries& energy = *month->TotalSlot(1).Series;
        const ChartSeries& volume = *month->TotalSlot(0).Series;
        double energySum = 0;
        double volumeSum = 0;
        for (int i = 0; i < energy.Count(); ++i) {
            energySum += energy.YValue(i);
            volumeSum += volume.YValue(i);
        }
        ASSERT_LT(m, months.size());
        EXPECT_DOUBLE_EQ(months[m].EnergyKWh, energySum);
        EXPECT_DOUBLE_EQ(months[m].VolumeL, volumeSum);
        ++m;
    }
    EXPECT_EQ(m, months.size());
}

TEST_F(LedgerTest, ARangeAcrossAYearEndBoundsDaysAndTheDaysWithoutAFile) {
    loggen::DayOptions options;
    options.IntervalMinutes = 60;
    QStringList files;
    for (QDate d(2010, 12, 28); d <= QDate(2011, 1, 4); d = d.addDays(1))
        if (d != QDate(2011, 1, 2))
            files << WriteDay(d, options);
    Ledger ledger;
    ledger.SetRange(QDate(2010, 12, 30), QDate(2011, 1, 3));
    ledger.ReadFiles(files);
    EXPECT_EQ(ledger.FilesRead(), 7);
    ASSERT_EQ(ledger.Days().size(), 4u);
    EXPECT_EQ(ledger.Days().front().Start, QDate(2010, 12, 30));
    const std::vector<LedgerRow> years = ledger.Years();
    ASSERT_EQ(years.size(), 2u);
    EXPECT_EQ(years[0].Period(), "2010");
    EXPECT_EQ(years[0].DaysWithData, 2);
    EXPECT_EQ(years[0].DaysWithoutFile, 0);
    EXPECT_EQ(years[1].Period(), "2011");
    EXPECT_EQ(years[1].DaysWithData, 2);
    EXPECT_EQ(years[1].DaysWithoutFile, 1);
    EXPECT_DOUBLE_EQ(years[0].EnergyKWh + years[1].EnergyKWh,
                     ledger.Days()[0].EnergyKWh + ledger.Days()[1].EnergyKWh +
                         ledger.Days()[2].EnergyKWh + ledger.Days()[3].EnergyKWh);
    EXPECT_EQ(ledger.FilesBetween(QDate(2011, 1, 1), QDate(2011, 1, 31)).size(), 2);
}

TEST_F(LedgerTest, FilesPassedOverKeepTheirReasonsAndADayIsDatedByItsData) {
    loggen::DayOptions options;
    options.IntervalMinutes = 30;
    // Named the 5th, holding the 7th.
    const QString moved = WriteDay(QDate(2010, 5, 7), options, "20100505.csv");
    const QString second = WriteDay(QDate(2010, 5, 7), options, "other/20100507.csv");
    const QString notLog = Write("just some text\r\nwithout a heading\r\n", "20100508.csv");
    const QString headingOnly =
        Write("DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n", "20100509.csv");
    const QString faultsOnly = Write("DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n"
                                     "2010-05-10 00:00;Err;Err\r\n2010-05-10 00:01;;Err\r\n",
                                     "20100510.csv");
    Ledger ledger;
    ledger.ReadFiles({moved, second, notLog, headingOnly, faultsOnly, Dir.filePath("none.csv")});
    ASSERT_EQ(ledger.Days().size(), 1u);
    EXPECT_EQ(ledger.Days()[0].Start, QDate(2010, 5, 7));
    EXPECT_EQ(ledger.Days()[0].File, moved);
    EXPECT_EQ(ledger.FilesRead(), 2);

    std::map<QString, QString> reasons;
    for (const LedgerSkip& skip : ledger.Skipped())
        reasons[skip.File] = skip.Reason;
    ASSERT_EQ(reasons.size(), 5u);
    EXPECT_EQ(reasons[notLog], "The file you specified is not a valid log file.");
    EXPECT_EQ(reasons[headingOnly], "The file you specified does not contain measured values.");
    EXPECT_EQ(reasons[faultsOnly], "The file you specified does not contain measured values.");
    EXPECT_EQ(reasons[second], "Another file of the same day was read: " + moved);
    EXPECT_TRUE(reasons[Dir.filePath("none.csv")].startsWith("Error occurred while opening file"));
}

TEST_F(LedgerTest, ACancelledScanKeepsWhatWasRead) {
    loggen::DayOptions options;
    options.IntervalMinutes = 60;
    QStringList files;
    for (int i = 0; i < 20; ++i)
        files << WriteDay(QDate(2010, 6, 1).addDays(i), options);
    LedgerProgress progress;
    progress.Cancel = true;
    Ledger ledger;
    EXPECT_FALSE(ledger.ReadFiles(files, &progress));
    EXPECT_TRUE(ledger.Days().empty());
    EXPECT_EQ(progress.Total, 20);

    LedgerProgress again;
    EXPECT_TRUE(ledger.ReadFiles(files, &again));
    EXPECT_EQ(again.Done, 20);
    EXPECT_EQ(ledger.Days().size(), 20u);
}

TEST_F(LedgerTest, FoldersInEveryLayoutAndFilesTogetherAreCollectedWithinTheRange) {
    loggen::DayOptions options;
    options.IntervalMinutes = 60;
    const QString flat = Dir.filePath("flat");
    const QString months = Dir.filePath("months");
    const QString years = Dir.filePath("years");
    ASSERT_EQ(
        loggen::WriteDays(flat, QDate(2010, 1, 30), 4, loggen::FolderLayout::Flat, options).size(),
        4);
    ASSERT_EQ(loggen::WriteDays(months, QDate(2010, 3, 30), 4, loggen::FolderLayout::MonthFolders,
                                options)
                  .size(),
              4);
    ASSERT_EQ(loggen::WriteDays(years, QDate(2010, 12, 30), 4,
                                loggen::FolderLayout::YearMonthFolders, options)
                  .size(),
              4);
    const QString single = WriteDay(QDate(2011, 6, 1), options, "any name.csv");
    const LedgerInput all =
        CollectLedgerInput({flat, months, years, single, Dir.filePath("nothing")}, {}, {});
    EXPECT_EQ(all.Files.size(), 13);
    ASSERT_EQ(all.Missing.size(), 1u);
    EXPECT_EQ(all.Missing[0].File, Dir.filePath("nothing"));

    // A range narrows the folders' files by their names; a named file is always taken.
    const LedgerInput range =
        CollectLedgerInput({flat, years, single}, QDate(2010, 1, 31), QDate(2011, 1, 1));
    EXPECT_EQ(range.Files.size(), 3 + 3 + 1);
}
