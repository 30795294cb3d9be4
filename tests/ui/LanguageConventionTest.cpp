#include "MainformFixture.h"

#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "core/LanguageFormat.h"
#include "ledger/Ledger.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChartCursor.h"
#include "ui/HealthPanel.h"
#include "ui/TChildform.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QHeaderView>
#include <QLocale>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

// The windows the design leaves open speak the program's language, whatever the system's locale:
// these cases run in every test run, and again under an English and a German system locale.

namespace {

// The system's locale as code that asks QLocale() sees it, for the length of a case.
class SystemLocale {
public:
    explicit SystemLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~SystemLocale() { QLocale::setDefault(QLocale::system()); }
    SystemLocale(const SystemLocale&) = delete;
    SystemLocale& operator=(const SystemLocale&) = delete;
};

const QLocale EnglishSystem(QLocale::English, QLocale::UnitedKingdom);
const QLocale GermanSystem(QLocale::German, QLocale::Germany);

// The wrong decimal mark for the language: a point in German, a comma in English.
bool HasForeignMark(const QString& text, bool german) {
    return text.contains(german ? QLatin1Char('.') : QLatin1Char(','));
}

QTreeWidgetItem* Child(QTreeWidgetItem* parent, const QString& text) {
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i)->text(0) == text)
            return parent->child(i);
    return nullptr;
}

class LanguageConventionYield : public MainformFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        ASSERT_TRUE(Logs.isValid());
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
    }
    QTemporaryDir Logs;
};

} // namespace

TEST_F(LanguageConventionYield, TheYieldWindowSpeaksTheProgramsLanguageOverTheSystems) {
    for (const bool german : {true, false}) {
        SCOPED_TRACE(german ? "German under an English system" : "English under a German system");
        const SystemLocale system(german ? EnglishSystem : GermanSystem);
        TMainform form(StoreInTemp());
        Start(form);
        (german ? form.ActionLanguageGerman : form.ActionLanguageEnglish)->trigger();
        Prompts.ExpectFile(Logs.path());
        form.ActionYieldOverview->trigger();
        TYieldWindow* window = form.YieldWindowOf();
        ASSERT_NE(window, nullptr);
        window->WaitForScan();

        QTreeWidget* table = window->Table;
        ASSERT_EQ(table->topLevelItemCount(), 2);
        QTreeWidgetItem* y2011 = table->topLevelItem(1);
        double sum2011 = 0;
        double march = 0;
        for (const LedgerRow& day : window->Result().Days()) {
            if (day.Start.year() == 2011)
                sum2011 += day.EnergyKWh;
            if (day.Start >= QDate(2011, 3, 1))
                march = std::max(march, day.EnergyKWh);
        }
        const QString energy = y2011->text(1);
        EXPECT_EQ(energy, QString::number(sum2011, 'f', 2).replace('.', german ? ',' : '.'));
        for (int c = 1; c < table->columnCount(); ++c)
            EXPECT_FALSE(HasForeignMark(y2011->text(c), german)) << y2011->text(c).toStdString();
        QTreeWidgetItem* marchItem = Child(y2011, german ? "März 2011" : "March 2011");
        ASSERT_NE(marchItem, nullptr);
        ASSERT_EQ(marchItem->childCount(), 5);
        EXPECT_EQ(marchItem->child(0)->text(0), german ? "Do. 10.03.2011" : "Thu 10.03.2011");
        QStringList headings;
        for (int c = 0; c < table->columnCount(); ++c)
            headings << table->headerItem()->text(c);
        EXPECT_TRUE(headings.contains(german ? "Störung ein [h]" : "RError on [h]"))
            << headings.join('|').toStdString();
        if (german) {
            EXPECT_FALSE(headings.join('|').contains("RError"));
        }

        // The daily chart opens on the last month with data, its axis from zero to just above the
        // highest day.
        ChartSurface* days = window->ChartDays;
        EXPECT_EQ(days->TitleLine(0),
                  german ? "Energie je Tag März 2011" : "Energy per day March 2011");
        EXPECT_EQ(marchItem, table->currentItem()) << "the table shows the month chosen";
        EXPECT_EQ(days->Minimum(ChartAxis::Left), 0.0);
        EXPECT_GE(days->Maximum(ChartAxis::Left), march);
        EXPECT_LE(days->Maximum(ChartAxis::Left), march * 1.2);
        EXPECT_GE(days->Minimum(ChartAxis::Bottom), 40603.0) << "1 March 2011";
        EXPECT_EQ(window->ChartMonths->Minimum(ChartAxis::Left), 0.0);

        // A month chosen in the table is shown and stays chosen when the language changes.
        QTreeWidgetItem* december =
            Child(table->topLevelItem(0), german ? "Dezember 2010" : "December 2010");
        ASSERT_NE(december, nullptr);
        table->setCurrentItem(december);
        EXPECT_EQ(days->TitleLine(0),
                  german ? "Energie je Tag Dezember 2010" : "Energy per day December 2010");
        (german ? form.ActionLanguageEnglish : form.ActionLanguageGerman)->trigger();
        EXPECT_EQ(days->TitleLine(0),
                  german ? "Energy per day December 2010" : "Energie je Tag Dezember 2010");
        EXPECT_FALSE(HasForeignMark(table->topLevelItem(1)->text(1), !german));
        window->close();
    }
}

namespace {

class LanguageConventionPanels : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    // 1 to 3 May 2010 with a pump running dry on the 1st and a stagnating collector on the 2nd.
    void LoadRange() {
        loggen::DayOptions options;
        options.IntervalMinutes = 5;
        options.Faults = {
            {loggen::Fault::PumpWithoutFlow, QDate(2010, 5, 1), 12 * 60, 30, 0},
            {loggen::Fault::Stagnation, QDate(2010, 5, 2), 13 * 60, 20, 0},
        };
        const QStringList paths = loggen::WriteDays(Dir.path(), QDate(2010, 5, 1), 3,
                                                    loggen::FolderLayout::Flat, options);
        ASSERT_EQ(paths.size(), 3);
        DateTime first = 0;
        DateTime last = 0;
        EncodeDate(2010, 5, 1, first);
        EncodeDate(2010, 5, 3, last);
        Form.BeginMultiDayLoad(3, paths[0], first, last);
        Form.AddMultiDayFile(paths[1]);
        Form.AddMultiDayFile(paths[2]);
        Form.FinishMultiDayLoad();
    }

    QTemporaryDir Dir;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
};

} // namespace

TEST_F(LanguageConventionPanels, HealthAndSpanPanelsNameAndNumberInTheProgramsLanguage) {
    LoadRange();
    Form.findChild<QCheckBox*>(QStringLiteral("CB_T1"))->setChecked(true);
    Form.findChild<QPushButton*>(QStringLiteral("ButtonHealth"))->click();
    for (const bool german : {true, false}) {
        SCOPED_TRACE(german ? "German under an English system" : "English under a German system");
        const SystemLocale system(german ? EnglishSystem : GermanSystem);
        SetCurrentTexts(german ? TextArrayId::German : TextArrayId::English);
        Form.ApplyTexts();

        EXPECT_EQ(Form.findChild<QComboBox*>(QStringLiteral("ComboFlow"))->currentText(),
                  german ? "Durchfluss" : "Flow");
        EXPECT_EQ(Form.findChild<QComboBox*>(QStringLiteral("ComboPump"))->currentText(), "R1");
        QTreeWidget& list = *Form.Health()->List();
        ASSERT_GE(list.topLevelItemCount(), 2);
        bool dry = false;
        for (int i = 0; i < list.topLevelItemCount(); ++i) {
            const QTreeWidgetItem* item = list.topLevelItem(i);
            const QString channels = item->text(4);
            EXPECT_FALSE(HasForeignMark(item->text(3), german)) << item->text(3).toStdString();
            if (item->text(0) != (german ? "Pumpe ohne Durchfluss" : "Pump without flow"))
                continue;
            dry = true;
            EXPECT_EQ(channels, german ? "R1, Durchfluss, Leistung" : "R1, Flow, Power");
            EXPECT_EQ(item->text(3), "30 min");
        }
        EXPECT_TRUE(dry);

        // The span statistics: a mean has a decimal more than the readings, so it shows the mark.
        DateTime from = 0;
        EncodeDate(2010, 5, 1, from);
        Form.findChild<ChartCursor*>()->MarkSpan(from + 0.25, from + 0.75);
        const auto* span = Form.findChild<QTableWidget*>(QStringLiteral("TableSpan"));
        ASSERT_NE(span, nullptr);
        ASSERT_GE(span->rowCount(), 1);
        const QString mean = span->item(0, 5)->text();
        EXPECT_TRUE(mean.contains(german ? ',' : '.')) << mean.toStdString();
        EXPECT_FALSE(HasForeignMark(mean, german));
    }
}
