#include "LogFileFixture.h"

#include "LogGenerator.h"

#include <QFileInfo>

namespace {
class GeneratedLogTest : public LogFileFixture {};

int NullPoints(const ChartSeries& series) {
    int nulls = 0;
    for (int i = 0; i < series.Count(); ++i)
        nulls += series.IsNull(i);
    return nulls;
}
} // namespace

// The generator and the reader must agree, or neither the samples nor the benchmarks mean much.
TEST_F(GeneratedLogTest, EveryDateStyleReadsAsAWholeDayWithTheGeneratorsSums) {
    const QDate date(2010, 3, 1);
    for (const loggen::DateStyle style : {loggen::DateStyle::YearFirst, loggen::DateStyle::DayFirst,
                                          loggen::DateStyle::DayFirstTwoDigitYear}) {
        loggen::DayOptions options;
        options.Style = style;
        const loggen::GeneratedDay generated = loggen::GenerateDay(date, options);
        ASSERT_EQ(generated.DataLines, 1440);
        auto day = Load(generated.Bytes);
        DateTime expected = 0.0;
        ASSERT_TRUE(EncodeDate(2010, 3, 1, expected));
        EXPECT_EQ(day->StartDate(), expected) << "the midnight record belongs to the file's day";
        const ChartSeries& t1 = day->SeriesAt(ChT1);
        ASSERT_EQ(t1.Count(), 1440);
        EXPECT_EQ(NullPoints(t1), 0);
        EXPECT_NEAR(t1.XValue(0), expected, 1e-9);
        EXPECT_NEAR(t1.XValue(1439), expected + 1439.0 / 1440.0, 1e-9);
        EXPECT_GT(generated.Volume, 100.0) << "the pump ran";
        EXPECT_NEAR(day->GetVolume(), generated.Volume, 1e-6);
        EXPECT_NEAR(day->GetEnergy(), generated.EnergyKWh, 1e-6);
        EXPECT_EQ(Units[ChT1], QStringLiteral("[°C]"));
        EXPECT_EQ(Units[ChPower], QStringLiteral("[kW]"));
    }
}

TEST_F(GeneratedLogTest, GapsAndFaultsReachTheSeries) {
    loggen::DayOptions options;
    options.IntervalMinutes = 5;
    options.Gap = true;
    options.FaultChance = 0.01;
    options.EmptyChance = 0.01;
    options.Seed = 7;
    const loggen::GeneratedDay generated = loggen::GenerateDay(QDate(2011, 7, 14), options);
    EXPECT_LT(generated.DataLines, 288);
    auto day = Load(generated.Bytes);
    EXPECT_NEAR(day->Interval(), 5.0 / 1440.0, 1e-9);
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    EXPECT_GE(NullPoints(t1), 1) << "the missing hours break the line";
    EXPECT_LT(t1.Count() - NullPoints(t1), generated.DataLines) << "Err and empty give no value";
}

TEST(LogGenerator, WritesTheThreeFolderLayouts) {
    QTemporaryDir dir;
    const QDate first(2009, 12, 30);
    const auto paths = loggen::WriteDays(
        dir.path(), first, 3, loggen::FolderLayout::YearMonthFolders, loggen::DayOptions{});
    ASSERT_EQ(paths.size(), 3);
    EXPECT_TRUE(paths[2].endsWith(QStringLiteral("/2010/01/20100101.csv")));
    EXPECT_TRUE(QFileInfo(paths[0]).isFile());
    EXPECT_TRUE(loggen::DayFilePath(QStringLiteral("/r"), first, loggen::FolderLayout::MonthFolders)
                    .endsWith(QStringLiteral("/r/12/20091230.csv")));
    EXPECT_EQ(loggen::DayFilePath(QStringLiteral("/r"), first, loggen::FolderLayout::Flat),
              QStringLiteral("/r/20091230.csv"));
    EXPECT_TRUE(loggen::WriteDays(QStringLiteral("/proc/none"), first, 1,
                                  loggen::FolderLayout::Flat, loggen::DayOptions{})
                    .isEmpty());
}
