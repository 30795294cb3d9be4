#include "LogFileFixture.h"
#include "core/FileTexts.h"

#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TMonth.h"
#include "settings/WindowSettings.h"

#include <QDir>

#include <map>

namespace {

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class AnalysisDataTest : public LogFileFixture {
protected:
    AnalysisDataTest()
        : Data([this](const AppError& error) { Reported.append(error.Message()); }, &Reader) {}

    // A day of hourly lines for `date`, written under the name of `nameDate`.
    QString WriteDay(const QDate& date, const QDate& nameDate = {}) {
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        options.Seed = static_cast<std::uint32_t>(date.toJulianDay());
        const QDate named = nameDate.isValid() ? nameDate : date;
        return Write(loggen::GenerateDay(date, options).Bytes,
                     named.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv"));
    }

    void LoadRange(const QDate& first, const QDate& last, unsigned count, const QString& file) {
        Data.LoadRange(Date(first), Date(last), count, file, &Chart, &Chart2);
    }

    QStringList Reported;
    TAnalysisData Data;
};

} // namespace

TEST_F(AnalysisDataTest, ARangeOverAMonthEndIsCountedByDayAndMonth) {
    const QDate first(2010, 4, 29);
    LoadRange(first, first.addDays(4), 5, WriteDay(first));
    for (int i = 1; i < 5; ++i)
        Data.AddFile(WriteDay(first.addDays(i)));
    Data.BuildMonthTotals();
    EXPECT_TRUE(Reported.isEmpty());
    EXPECT_TRUE(Data.IsMultiDay());
    EXPECT_EQ(Data.GetDayCount(), 5u);
    EXPECT_EQ(Data.GetMonthCount(), 2);
    EXPECT_EQ(Data.GetDayIndexByMonth(1), 2);
    EXPECT_EQ(Data.GetMonthIndexByDay(2), 1);
    EXPECT_DOUBLE_EQ(Data.GetStartDate(2), Date(QDate(2010, 5, 1)));
    EXPECT_DOUBLE_EQ(Data.GetDateByMonthIndex(1), Date(QDate(2010, 5, 1)));
    EXPECT_EQ(MessageOf([&] { Data.GetStartDate(5); }), "Illegal State (6).");
    EXPECT_EQ(Data.GetFileName(0), Dir.filePath(QStringLiteral("20100429.csv")));
    EXPECT_EQ(MessageOf([&] { Data.GetFileName(5); }), "Illegal State(5).");
    EXPECT_EQ(Data.GetUnit(ChVolume), "[l]");
    EXPECT_EQ(Data.GetUnit(ChEnergy), "[kWh]");
    EXPECT_EQ(Data.GetUnit(ChPower), "[kW]");
    EXPECT_EQ(Data.GetUnit(15), QString());
    EXPECT_EQ(Data.GetFirstMonth()->TotalSlot(0).Series->Count(), 30);
}

TEST_F(AnalysisDataTest, ASingleFileOrARangeOfOneIsASingleDay) {
    const QString file = WriteDay(QDate(2010, 5, 2));
    Data.LoadFile(file, &Chart, &Chart2);
    EXPECT_TRUE(Data.HasData());
    EXPECT_FALSE(Data.IsMultiDay());
    EXPECT_EQ(Data.GetDayCount(), 1u);
    EXPECT_EQ(Data.GetMonthCount(), 1);
    EXPECT_DOUBLE_EQ(Data.GetStartDate(0), Date(QDate(2010, 5, 2)));
    EXPECT_DOUBLE_EQ(Data.GetFirstDate(), Date(QDate(2010, 5, 2)));
    EXPECT_EQ(Data.GetDayFileName(0), file);
    EXPECT_EQ(MessageOf([&] { Data.GetDateByMonthIndex(0); }), "Illegal State (8).");
    EXPECT_EQ(MessageOf([&] { Data.GetMonthIndexByDay(0); }), "Illegal State (10).");
    EXPECT_EQ(MessageOf([&] { Data.GetDayIndexByMonth(0); }), "Illegal State (12).");

    TAnalysisData range({}, &Reader);
    range.LoadRange(Date(QDate(2010, 5, 2)), Date(QDate(2010, 5, 2)), 1, file, &Chart, &Chart2);
    EXPECT_FALSE(range.IsMultiDay());
    EXPECT_EQ(range.GetMonthCount(), 1);
    EXPECT_EQ(range.GetDayCount(), 1u);
}

TEST_F(AnalysisDataTest, ADayOutsideTheRangeIsRefusedAndTheOthersAreRead) {
    const QDate first(2010, 5, 1);
    LoadRange(first, first.addDays(2), 3, WriteDay(first));
    EXPECT_EQ(MessageOf([&] { Data.AddFile(WriteDay(QDate(2010, 7, 1), first.addDays(1))); }),
              "Illegal State(4)");
    Data.AddFile(WriteDay(first.addDays(2)));
    EXPECT_EQ(Data.GetDayCount(), 2u);
    EXPECT_DOUBLE_EQ(Data.GetStartDate(1), Date(first.addDays(2)));
}

TEST_F(AnalysisDataTest, DaysOverAYearEndFindTheirMonthsAndDaysBeyondEitherEndAreRefused) {
    const QDate first(2010, 11, 30);
    LoadRange(first, QDate(2011, 2, 1), 4, WriteDay(first));
    for (const QDate& day : {QDate(2010, 12, 31), QDate(2011, 1, 1), QDate(2011, 2, 1)})
        Data.AddFile(WriteDay(day));
    // Named inside the range, dated a month before its first and after its last, and a year off.
    for (const QDate& date : {QDate(2010, 10, 31), QDate(2011, 3, 1), QDate(2010, 1, 15)})
        EXPECT_EQ(MessageOf([&] { Data.AddFile(WriteDay(date, QDate(2011, 1, 2))); }),
                  "Illegal State(4)")
            << date.toString(Qt::ISODate).toStdString();
    std::map<std::pair<int, int>, int> days;
    for (const TMonth* month = Data.GetFirstMonth(); month != nullptr; month = month->GetNext())
        days[{month->GetYear(), month->GetMonth()}] = month->GetDayCount();
    const std::map<std::pair<int, int>, int> expected{
        {{2010, 11}, 1}, {{2010, 12}, 1}, {{2011, 1}, 1}, {{2011, 2}, 1}};
    EXPECT_EQ(days, expected);
    EXPECT_DOUBLE_EQ(Data.GetStartDate(2), Date(QDate(2011, 1, 1)));
}

TEST_F(AnalysisDataTest, AnUnreadableFirstFileIsReportedAndTheRangeStaysOpen) {
    const QDate first(2010, 5, 1);
    const QString broken = Write(QByteArray(IsoHeading) + "\r\n", QStringLiteral("20100501.csv"));
    LoadRange(first, first.addDays(1), 2, broken);
    ASSERT_EQ(Reported.size(), 1);
    EXPECT_EQ(Reported[0], Text(85)) << "no measured values";
    EXPECT_TRUE(Data.HasData());
    EXPECT_EQ(Data.GetDayCount(), 0u);
    EXPECT_EQ(MessageOf([&] { Data.GetStartDate(0); }), "Illegal State (6).");
    DataState lowest = DataState::Absent;
    Data.ShowChannel(&Chart, ChT1, lowest, Date(first) + 1, Date(first));
    EXPECT_EQ(lowest, DataState::Absent);
    Data.AddFile(WriteDay(first.addDays(1)));
    EXPECT_EQ(Data.GetDayCount(), 1u);
    EXPECT_EQ(Data.GetMonthCount(), 1);
}

TEST_F(AnalysisDataTest, OpeningErrorsNameTheFile) {
    const QString missing = Dir.filePath(QStringLiteral("20100501.csv"));
    EXPECT_EQ(MessageOf([&] { Data.LoadFile(missing, &Chart, &Chart2); }),
              Text(84) + "\n\n" + missing + "\n\n" + Text(TextFileMissing))
        << "the whole name as passed, and why";
    EXPECT_EQ(MessageOf([&] { Data.LoadFile(missing, &Chart, nullptr); }), "Illegal State (2)");
    TAnalysisData range({}, &Reader);
    EXPECT_EQ(MessageOf([&] { range.LoadRange(0, 1, 2, missing, nullptr, &Chart2); }),
              "Illegal State (1)");

    const QString foreign = Write("Date;A;B\r\n2010-05-01 00:00;1;2\r\n");
    EXPECT_EQ(MessageOf([&] { Data.LoadFile(foreign, &Chart, &Chart2); }), Text(86));
    const QString blankFirst = Write(QByteArray("\r\n") + IsoHeading + "\r\n", "blank.csv");
    EXPECT_EQ(MessageOf([&] { range.LoadRange(0, 40, 2, blankFirst, &Chart, &Chart2); }), Text(86))
        << "a range's first line must be the heading";

    const QDate first(2010, 5, 1);
    LoadRange(first, first.addDays(2), 3, WriteDay(first));
    const QString gone = Dir.filePath(QStringLiteral("20100502.csv"));
    EXPECT_EQ(MessageOf([&] { Data.AddFile(gone); }),
              Text(84) + "\n\n20100502.csv\n\n" + Text(TextFileMissing))
        << "a further file is named without its folder";
    EXPECT_EQ(Data.GetDayCount(), 1u);
}

// Read by position, a stray file with other columns would put foreign values into the analysis.
TEST_F(AnalysisDataTest, AFurtherFileWithOtherColumnsIsRefused) {
    const QDate first(2010, 5, 1);
    LoadRange(first, first.addDays(1), 2, WriteDay(first));
    QByteArray stray = loggen::GenerateDay(first.addDays(1), {}).Bytes;
    stray.replace("V'[l/min]", "X[bar]");
    EXPECT_EQ(MessageOf([&] { Data.AddFile(Write(stray, "20100502.csv")); }), Text(86));
    EXPECT_EQ(Data.GetDayCount(), 1u);
    EXPECT_EQ(Data.GetUnit(ChFlow), "[l/min]") << "the refused file's units are not taken";
}

// The spreadsheet hand-over needs the file of the day shown, not of the n-th file read.
TEST_F(AnalysisDataTest, EachDayKeepsItsOwnFileName) {
    const QDate first(2010, 4, 30);
    const QString april = WriteDay(first);
    LoadRange(first, first.addDays(2), 3, april);
    const QString may = WriteDay(first.addDays(1));
    Data.AddFile(may);
    // Named for 2 May but holding 29 April: read third, it is the second day of April's chain,
    // ahead of May's day.
    const QString early = WriteDay(QDate(2010, 4, 29), first.addDays(2));
    Data.AddFile(early);
    ASSERT_EQ(Data.GetFileName(1), may);
    EXPECT_EQ(Data.GetDayFileName(0), april);
    EXPECT_EQ(Data.GetDayFileName(1), early);
    EXPECT_EQ(Data.GetDayFileName(2), may);
    EXPECT_EQ(MessageOf([&] { Data.GetDayFileName(3); }), "Illegal State (6).");
}

TEST_F(AnalysisDataTest, SettingsStyleEverySeriesWithStoredOrDefaultLabels) {
    Data.LoadFile(WriteDay(QDate(2010, 5, 2)), &Chart, &Chart2);
    DataState lowest = DataState::Absent;
    const DateTime from = Date(QDate(2010, 5, 2));
    for (int channel : {ChT1, ChT2, ChR2})
        Data.ShowChannel(&Chart, channel, lowest, from + 1, from);
    EXPECT_EQ(lowest, DataState::Valid);
    ASSERT_EQ(Chart.ActiveSeriesCount(), 2);
    ASSERT_EQ(Chart2.ActiveSeriesCount(), 1);
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.Labels[SlotT2] = QStringLiteral("Collector");
    settings.LineWidth = 4;
    settings.RShowBars = true;
    Data.ApplySettings(settings);
    const ChartSeries& t1 = *Chart.Series()[0];
    const ChartSeries& t2 = *Chart.Series()[1];
    const ChartSeries& r2 = *Chart2.Series()[0];
    EXPECT_EQ(t1.Title(), Text(56));
    EXPECT_EQ(t2.Title(), "Collector");
    EXPECT_EQ(t1.Color(), QColor(255, 0, 0)) << "stored colours hold red in the lowest byte";
    EXPECT_EQ(t1.LineWidth(), 4);
    EXPECT_EQ(r2.Kind(), SeriesKind::Bar);
    EXPECT_EQ(r2.Color(), QColor(0, 128, 0));
    EXPECT_EQ(r2.Title(), Text(68));

    Data.HideChannel(&Chart, ChT1);
    Data.HideChannel(&Chart, ChR2);
    EXPECT_EQ(Chart.ActiveSeriesCount(), 1);
    EXPECT_EQ(Chart2.ActiveSeriesCount(), 0);
}

TEST(ColorRefTest, RedSitsInTheLowestByteBothWays) {
    EXPECT_EQ(ColorFromRef(0x0000FF), QColor(255, 0, 0));
    EXPECT_EQ(ColorFromRef(14934235), QColor(219, 224, 227)) << "the frame grey";
    EXPECT_EQ(RefFromColor(QColor(219, 224, 227)), 14934235u);
    EXPECT_EQ(RefFromColor(ColorFromRef(0x123456)), 0x123456u);
}

// A year of one-minute files, loaded as the multi-day dialog drives it; the month totals must
// equal the sums the generator computed from the values it wrote.
TEST_F(AnalysisDataTest, AGeneratedYearLoadsWithExactMonthTotals) {
    const QDate first(2011, 1, 1);
    const int days = 365;
    std::map<int, double> volumeByMonth;
    std::map<int, double> energyByMonth;
    QStringList files;
    for (int i = 0; i < days; ++i) {
        const QDate date = first.addDays(i);
        loggen::DayOptions options;
        options.Sunny = i % 3 != 2;
        options.Seed = static_cast<std::uint32_t>(i + 1);
        const loggen::GeneratedDay day = loggen::GenerateDay(date, options);
        volumeByMonth[date.month()] += day.Volume;
        energyByMonth[date.month()] += day.EnergyKWh;
        files.append(Write(day.Bytes, date.toString(QStringLiteral("yyyyMMdd")) + ".csv"));
    }
    LoadRange(first, first.addDays(days - 1), static_cast<unsigned>(days), files[0]);
    for (int i = 1; i < days; ++i)
        Data.AddFile(files[i]);
    Data.BuildMonthTotals();
    ASSERT_TRUE(Reported.isEmpty());
    ASSERT_EQ(Data.GetDayCount(), static_cast<unsigned>(days));
    ASSERT_EQ(Data.GetMonthCount(), 12);
    int month = 1;
    for (const TMonth* m = Data.GetFirstMonth(); m != nullptr; m = m->GetNext(), ++month) {
        const ChartSeries& volume = *m->TotalSlot(0).Series;
        const ChartSeries& energy = *m->TotalSlot(1).Series;
        ASSERT_EQ(volume.Count(), QDate(2011, month, 1).daysInMonth());
        double v = 0.0;
        double e = 0.0;
        for (int i = 0; i < volume.Count(); ++i) {
            v += volume.YValue(i);
            e += energy.YValue(i);
        }
        EXPECT_NEAR(v, volumeByMonth[month], 1e-6 * volumeByMonth[month]) << "month " << month;
        EXPECT_NEAR(e, energyByMonth[month], 1e-6 * energyByMonth[month]) << "month " << month;
    }
    EXPECT_EQ(month, 13);
    EXPECT_EQ(Data.GetDayIndexByMonth(11), 334);
    EXPECT_DOUBLE_EQ(Data.GetStartDate(364), Date(QDate(2011, 12, 31)));
}
