#include "YieldFixture.h"

#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "ledger/LedgerTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/TChildform.h"
#include "support/FileSizeLimit.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>

namespace {

class YieldWindowTest : public YieldFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        ASSERT_TRUE(Logs.isValid());
        // Two years in year/month folders with hourly lines, a gap in March 2011, and a stray
        // text file among them.
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        ASSERT_EQ(loggen::WriteDays(Logs.path(), QDate(2010, 11, 20), 60,
                                    loggen::FolderLayout::YearMonthFolders, options)
                      .size(),
                  60);
        ASSERT_EQ(loggen::WriteDays(Logs.path(), QDate(2011, 3, 10), 5,
                                    loggen::FolderLayout::YearMonthFolders, options)
                      .size(),
                  5);
        QFile stray(Logs.filePath(QStringLiteral("2011/03/20110320.csv")));
        ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
        stray.write("not a log\n");
    }
};

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& period) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == period)
            return parent->child(i);
    return nullptr;
}

} // namespace

TEST_F(YieldWindowTest, TheTableHoldsYearsMonthsAndDaysWithTotals) {
    TMainform form(StoreInTemp());
    Start(form);
    TYieldWindow* window = OpenYieldWindow(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), "Yield overview");
    // The folder dialog started in the last-used folder and the choice was stored.
    ASSERT_FALSE(Prompts.FileDialogs().empty());
    EXPECT_EQ(Prompts.FileDialogs().back().Filter, "Choose the folder of the log files");
    EXPECT_EQ(form.Store()->GetMainSettings().LastUsedDir, Logs.path());

    QTreeWidget* table = window->Table;
    ASSERT_EQ(table->topLevelItemCount(), 2);
    QTreeWidgetItem* y2010 = table->topLevelItem(0);
    QTreeWidgetItem* y2011 = table->topLevelItem(1);
    EXPECT_EQ(y2010->text(0), "2010");
    EXPECT_EQ(y2010->childCount(), 2); // November and December
    EXPECT_EQ(y2011->childCount(), 3); // January to March
    QTreeWidgetItem* february = Child(y2011, "February 2011");
    ASSERT_NE(february, nullptr);
    EXPECT_EQ(february->childCount(), 0);
    QTreeWidgetItem* march = Child(y2011, "March 2011");
    ASSERT_NE(march, nullptr);
    EXPECT_EQ(march->childCount(), 5);
    EXPECT_EQ(table->headerItem()->text(1), "Energy [kWh]");
    EXPECT_EQ(table->headerItem()->text(3), "Days with data");

    // Year Energy is the sum of its days, as the table shows them.
    const Ledger& ledger = window->Result();
    double sum2011 = 0;
    for (const LedgerRow& day : ledger.Days())
        if (day.Start.year() == 2011)
            sum2011 += day.EnergyKWh;
    EXPECT_EQ(y2011->text(1), QString::number(sum2011, 'f', 2)); // no thousands separator
    EXPECT_EQ(y2011->text(3), "23");                             // 1 to 18 January, 10 to 14 March
    // The stray file is named below the table.
    EXPECT_TRUE(window->LabelPassedOver->toolTip().contains("20110320.csv"));

    // Exported as CSV: a heading and a line per row of the table.
    const QString csv = Logs.filePath("yield.csv");
    Prompts.ExpectFile(csv);
    window->ButtonExport->click();
    QFile exported(csv);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = exported.readAll().split('\n');
    EXPECT_TRUE(lines[0].startsWith("period;energy_kwh;volume_l;"));
    EXPECT_EQ(lines[1].split(';')[0], "2010");
    EXPECT_EQ(lines.size(), 1 + 2 + 5 + 65 + 1);
    exported.close();

    // On a full disk the export says so and the earlier one stays.
    const QByteArray before = lines.join('\n');
    {
        const FileSizeLimit disk(4096);
        ASSERT_TRUE(disk.Active);
        Prompts.ExpectFile(csv);
        Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
        window->ButtonExport->click();
    }
    ASSERT_FALSE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, Text(TextYieldNotWritten) +
                                                      QStringLiteral("\n\n") + csv +
                                                      QStringLiteral("\nThe disk is full."));
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(exported.readAll(), before);
    window->close();
}

TEST_F(YieldWindowTest, DoubleClicksOpenADayAndAMonthInAnalysisWindows) {
    TMainform form(StoreInTemp());
    Start(form);
    TYieldWindow* window = OpenYieldWindow(form);
    ASSERT_NE(window, nullptr);
    QTreeWidgetItem* y2010 = window->Table->topLevelItem(0);
    QTreeWidgetItem* december = Child(y2010, "December 2010");
    ASSERT_NE(december, nullptr);
    ASSERT_EQ(december->childCount(), 31);

    // The first, empty analysis window takes the day.
    window->TableDoubleClick(december->child(24));
    ASSERT_EQ(form.AnalysisWindows().size(), 1u);
    const TAnalysisData* day = form.AnalysisWindows()[0]->Data();
    ASSERT_NE(day, nullptr);
    EXPECT_FALSE(day->IsMultiDay());
    EXPECT_TRUE(day->GetFileName(0).endsWith("20101225.csv"));
    // Opened from here, the day shows curves: collector and store, flow, power and the pump.
    const auto ticked = [](const TChildform* analysis) {
        QStringList names;
        for (QCheckBox* box : analysis->findChildren<QCheckBox*>())
            if (box->objectName().startsWith(QStringLiteral("CB_")) && box->isChecked())
                names << box->objectName().mid(3);
        names.sort();
        return names;
    };
    const QStringList yieldChannels{"Flow", "Power", "R1", "T1", "T2"};
    EXPECT_EQ(ticked(form.AnalysisWindows()[0]), yieldChannels);
    EXPECT_TRUE(form.AnalysisWindows()[0]->HasVisibleSeries());

    // The month goes to a new window beside it, as a multi-day analysis of its 31 days.
    window->TableDoubleClick(december);
    ASSERT_EQ(form.AnalysisWindows().size(), 2u);
    const TAnalysisData* month = form.AnalysisWindows()[1]->Data();
    ASSERT_NE(month, nullptr);
    EXPECT_TRUE(month->IsMultiDay());
    EXPECT_EQ(month->GetDayCount(), 31u);
    EXPECT_EQ(ticked(form.AnalysisWindows()[1]), yieldChannels);
    // Choosing the month shows its days on the second chart.
    window->Table->setCurrentItem(december);
    EXPECT_TRUE(window->ChartDays->TitleLine(0).startsWith("Energy per day"));
    EXPECT_TRUE(Prompts.Exhausted());
    window->close();
}

TEST_F(YieldWindowTest, ACancelledScanShowsWhatWasReadAndTheTextsFollowTheLanguage) {
    TMainform form(StoreInTemp());
    Start(form);
    Prompts.ExpectFile(QString()); // the first folder dialog is cancelled
    form.ActionYieldOverview->trigger();
    TYieldWindow* window = form.YieldWindowOf();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->Table->topLevelItemCount(), 0);
    window->ScanFolder(Logs.path());
    window->CancelScan();
    EXPECT_FALSE(window->Scanning());
    EXPECT_LE(window->Result().Days().size(), 65u);
    EXPECT_TRUE(window->ButtonFolder->isEnabled());

    form.ActionLanguageGerman->trigger();
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8("Ertragsübersicht"));
    EXPECT_EQ(form.ActionYieldOverview->text(), QString::fromUtf8("Ertragsübersicht"));
    EXPECT_EQ(window->ButtonExport->text(), "Exportieren");
    window->close();
}
