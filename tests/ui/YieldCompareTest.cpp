#include "YieldFixture.h"

#include "LogGenerator.h"
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/LanguageFormat.h"
#include "ui/TYieldCompare.h"
#include "ui/TYieldWindow.h"

#include <QComboBox>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <cmath>

namespace {

class YieldCompareTest : public YieldFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        ASSERT_TRUE(Logs.isValid());
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        // May 2010 to June 2011, without the 10th of June 2011.
        const QStringList written = loggen::WriteDays(
            Logs.path(), QDate(2010, 5, 1), 426, loggen::FolderLayout::YearMonthFolders, options);
        ASSERT_EQ(written.size(), 426);
        for (const QString& file : written) {
            if (file.endsWith("20110610.csv")) {
                ASSERT_TRUE(QFile::remove(file));
            }
        }
    }
    static const LedgerRow& Row(const std::vector<LedgerRow>& rows, QDate start) {
        for (const LedgerRow& row : rows)
            if (row.Start == start)
                return row;
        static const LedgerRow none;
        ADD_FAILURE() << "no row " << start.toString().toStdString();
        return none;
    }
    // The bars of a series: its points without the nulls that end each bar's slot.
    static std::vector<double> Bars(const ChartSeries& series) {
        std::vector<double> bars;
        for (int i = 0; i < series.Count(); ++i)
            if (!series.IsNull(i))
                bars.push_back(series.YValue(i));
        return bars;
    }
    static int Column(const QTableWidget& table, const QString& heading) {
        for (int c = 0; c < table.columnCount(); ++c)
            if (table.horizontalHeaderItem(c)->text() == heading)
                return c;
        return -1;
    }
};

} // namespace

TEST_F(YieldCompareTest, AMonthOpensAgainstTheSameMonthAYearEarlierWithTheLedgersFigures) {
    TMainform form(StoreInTemp());
    TYieldWindow* window = OpenYieldWindow(form);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(window->ButtonCompare->isEnabled());
    // The window opens on its last month, June 2011; its 10th has no file.
    window->ButtonCompare->click();
    TYieldCompare* compare = window->Comparison();
    ASSERT_NE(compare, nullptr);
    EXPECT_EQ(compare->First().Start, QDate(2010, 6, 1));
    EXPECT_EQ(compare->Second().Start, QDate(2011, 6, 1));
    EXPECT_EQ(compare->Second().Level, LedgerLevel::Month);

    const std::vector<LedgerRow> months = window->Result().Months();
    const LedgerRow& june2010 = Row(months, QDate(2010, 6, 1));
    const LedgerRow& june2011 = Row(months, QDate(2011, 6, 1));
    ASSERT_EQ(june2011.DaysWithData, 29);
    const QTableWidget& table = *compare->Table;
    ASSERT_EQ(table.rowCount(), 4);
    EXPECT_EQ(table.item(0, 0)->text(), LanguageFormat::MonthYear(QDate(2010, 6, 1)));
    EXPECT_EQ(table.item(1, 0)->text(), LanguageFormat::MonthYear(QDate(2011, 6, 1)));
    EXPECT_EQ(table.item(2, 0)->text(), "Difference");
    const int energy = Column(table, "Energy [kWh]");
    const int volume = Column(table, "Volume [l]");
    const int days = Column(table, "Days with data");
    ASSERT_GT(energy, 0);
    ASSERT_GT(volume, 0);
    ASSERT_GT(days, 0);
    // The cells are the ledger's rows, as the window's own table shows them.
    EXPECT_EQ(table.item(0, energy)->text(), LanguageFormat::Number(june2010.EnergyKWh, 2));
    EXPECT_EQ(table.item(1, energy)->text(), LanguageFormat::Number(june2011.EnergyKWh, 2));
    const double change = june2011.EnergyKWh - june2010.EnergyKWh;
    EXPECT_EQ(table.item(2, energy)->text(),
              (change > 0 ? "+" : "") + LanguageFormat::Number(change, 2));
    EXPECT_EQ(table.item(3, energy)->text(),
              (change > 0 ? "+" : "") +
                  LanguageFormat::Number(change / june2010.EnergyKWh * 100.0, 1));
    EXPECT_DOUBLE_EQ(compare->Difference().Percent[static_cast<size_t>(volume - 1)],
                     (june2011.VolumeL - june2010.VolumeL) / june2010.VolumeL * 100.0);
    // Day counts are shown for both, not compared.
    EXPECT_EQ(table.item(1, days)->text(), "29");
    EXPECT_EQ(table.item(2, days)->text(), LanguageFormat::Number(LedgerRow::None, 0));

    // The chart: the daily energy of both months, day for day; the missing 10th has no bar.
    ASSERT_FALSE(compare->Chart->isHidden());
    ASSERT_EQ(compare->Series().size(), 2u);
    std::vector<double> expected2010, expected2011;
    for (const LedgerRow& day : window->Result().Days()) {
        if (day.Start.year() == 2010 && day.Start.month() == 6)
            expected2010.push_back(day.EnergyKWh);
        if (day.Start.year() == 2011 && day.Start.month() == 6 && day.DaysWithData > 0)
            expected2011.push_back(day.EnergyKWh);
    }
    EXPECT_EQ(Bars(*compare->Series()[0]), expected2010);
    EXPECT_EQ(expected2011.size(), 29u);
    const ChartSeries& second = *compare->Series()[1];
    std::vector<double> shown2011;
    for (int i = 0; i < second.Count(); ++i)
        if (!second.IsNull(i)) {
            // Each bar sits on its day of the month, the second period right of the first.
            const int dayOfMonth = static_cast<int>(std::floor(second.XValue(i))) -
                                   static_cast<int>(std::floor(compare->Series()[0]->XValue(0))) +
                                   1;
            EXPECT_NE(dayOfMonth, 10);
            shown2011.push_back(second.YValue(i));
        }
    EXPECT_EQ(shown2011, expected2011);
    EXPECT_GT(second.XValue(0), compare->Series()[0]->XValue(0));
}

TEST_F(YieldCompareTest, YearsCompareByMonthAMonthAgainstAYearByTheTableAloneAndANewScanCloses) {
    TMainform form(StoreInTemp());
    TYieldWindow* window = OpenYieldWindow(form);
    ASSERT_NE(window, nullptr);
    window->ButtonCompare->click();
    TYieldCompare* compare = window->Comparison();
    ASSERT_NE(compare, nullptr);

    ASSERT_TRUE(compare->ChoosePeriods(LedgerLevel::Year, QDate(2010, 1, 1), LedgerLevel::Year,
                                       QDate(2011, 1, 1)));
    const std::vector<LedgerRow> years = window->Result().Years();
    ASSERT_EQ(years.size(), 2u);
    EXPECT_DOUBLE_EQ(compare->Difference().Absolute[0], years[1].EnergyKWh - years[0].EnergyKWh);
    ASSERT_FALSE(compare->Chart->isHidden());
    // By month: May to December 2010 against January to June 2011.
    EXPECT_EQ(Bars(*compare->Series()[0]).size(), 8u);
    EXPECT_EQ(Bars(*compare->Series()[1]).size(), 6u);
    EXPECT_DOUBLE_EQ(Bars(*compare->Series()[1]).back(),
                     Row(window->Result().Months(), QDate(2011, 6, 1)).EnergyKWh);

    // A month against a year: no common axis, the table still compares them.
    ASSERT_TRUE(compare->ChoosePeriods(LedgerLevel::Month, QDate(2010, 7, 1), LedgerLevel::Year,
                                       QDate(2011, 1, 1)));
    EXPECT_TRUE(compare->Chart->isHidden());
    EXPECT_EQ(compare->Table->rowCount(), 4);
    EXPECT_FALSE(compare->ChoosePeriods(LedgerLevel::Month, QDate(2009, 7, 1), LedgerLevel::Year,
                                        QDate(2011, 1, 1)));

    // The first month has no partner a year earlier: it is compared with itself, not with a
    // month that is not there.
    compare->ChooseAround(LedgerLevel::Day, QDate(2010, 5, 17));
    EXPECT_EQ(compare->First().Start, QDate(2010, 5, 1));
    EXPECT_EQ(compare->Second().Start, QDate(2010, 5, 1));
    // Without a partner a year earlier, the month before.
    compare->ChooseAround(LedgerLevel::Month, QDate(2010, 9, 1));
    EXPECT_EQ(compare->First().Start, QDate(2010, 8, 1));

    // The rows it shows are the result a new scan replaces: it closes with the scan.
    Prompts.ExpectFile(Logs.path());
    window->ButtonFolder->click();
    window->WaitForScan();
    QApplication::processEvents();
    EXPECT_EQ(window->Comparison(), nullptr);
    window->close();
}
