#include "LogGenerator.h"
#include "MainformFixture.h"
#include "chart/ChartSurface.h"
#include "core/Channels.h"
#include "core/GuideTexts.h"
#include "ui/TChildform.h"
#include "ui/TMainform.h"
#include "ui/WindowGuide.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QToolButton>

namespace {

class FirstViewTest : public MainformFixture {
protected:
    QString WriteDay(const QDate& date) {
        const QString path = Temp.filePath(date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, loggen::DayOptions()).Bytes);
        return path;
    }
    static QStringList Ticked(const TChildform& form) {
        QStringList names;
        for (QCheckBox* box : form.findChildren<QCheckBox*>())
            if (box->objectName().startsWith(QStringLiteral("CB_")) && box->isChecked())
                names << box->objectName().mid(3);
        names.sort();
        return names;
    }
    static QLabel* Hint(const TChildform& form) {
        return form.findChild<QLabel*>(QStringLiteral("LabelNoChannelHint"));
    }
};

} // namespace

// A window with data and nothing ticked says what to do, in the chart and in the user's language,
// and says nothing once a curve is drawn, while empty, or in the chart's picture.
TEST_F(FirstViewTest, AnEmptyChartExplainsItselfButNotInItsPicture) {
    SetCurrentTexts(TextArrayId::English);
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    form.resize(1000, 700);
    form.show();
    QLabel* hint = Hint(form);
    ASSERT_NE(hint, nullptr);
    ChartSurface* chart = form.findChild<ChartSurface*>(QStringLiteral("Chart"));
    EXPECT_TRUE(hint->isHidden()) << "an empty window has nothing to tick";
    form.LoadLogFile(WriteDay(QDate(2010, 6, 1)));
    QApplication::processEvents();
    chart->replot();
    ASSERT_FALSE(hint->isHidden());
    EXPECT_EQ(hint->text(), QStringLiteral("Tick a measured value on the left to draw it."));
    EXPECT_TRUE(chart->rect().contains(hint->geometry())) << "inside the chart";

    const QImage withHint = chart->Picture();
    hint->hide();
    EXPECT_EQ(chart->Picture(), withHint) << "the saved and printed picture has no hint";
    hint->show();

    auto* t1 = form.findChild<QCheckBox*>(QStringLiteral("CB_T1"));
    t1->setChecked(true);
    QApplication::processEvents();
    EXPECT_TRUE(hint->isHidden());
    t1->setChecked(false);
    QApplication::processEvents();
    EXPECT_FALSE(hint->isHidden());

    SetCurrentTexts(TextArrayId::French);
    form.ApplyTexts();
    EXPECT_EQ(hint->text(), Text(TextNoChannelHint));
    EXPECT_NE(hint->text(), LanguageTexts(TextArrayId::English)[TextNoChannelHint]);
    // The span controls explain themselves as well.
    EXPECT_EQ(form.findChild<QToolButton*>(QStringLiteral("ButtonJumpLeft"))->toolTip(),
              Text(TextTipJumpLeft));
    EXPECT_EQ(form.findChild<QToolButton*>(QStringLiteral("ButtonScrollRight"))->toolTip(),
              Text(TextTipScrollRight));
    EXPECT_EQ(form.findChild<QComboBox*>(QStringLiteral("SpanTime"))->toolTip(), Text(TextTipSpan));

    form.ClearAnalysis();
    QApplication::processEvents();
    EXPECT_TRUE(hint->isHidden());
}

// Opening ticks nothing unless asked, as the design has it; the setting or the command line's
// list ticks channels, the list taking precedence.
TEST_F(FirstViewTest, OpeningTicksTheChosenChannelsOnly) {
    const QString day = WriteDay(QDate(2010, 6, 1));
    {
        TMainform form(StoreInTemp());
        Start(form);
        form.OpenLogFile(day);
        QApplication::processEvents(); // the queued redraw
        ASSERT_EQ(form.AnalysisWindows().size(), 1u);
        EXPECT_EQ(Ticked(*form.AnalysisWindows()[0]), QStringList());
        EXPECT_FALSE(Hint(*form.AnalysisWindows()[0])->isHidden());
    }
    {
        SettingsStore store(Os);
        WindowSettings settings = store.GetNewWindowSettings();
        settings.OpenChannels = QStringLiteral("T1,Power,R1,Volume");
        store.SetNewWindowSettings(settings);
    }
    TMainform form(StoreInTemp());
    Start(form);
    form.OpenLogFile(day);
    TChildform* window = form.AnalysisWindows()[0];
    // Volume has no daily bar in a one-day analysis: its box stays greyed and unticked.
    EXPECT_EQ(Ticked(*window), (QStringList{"Power", "R1", "T1"}));
    EXPECT_TRUE(window->HasVisibleSeries());
    EXPECT_TRUE(Hint(*window)->isHidden());

    for (int i = 0; i < 2; ++i) {
        form.MdiArea->setActiveSubWindow(nullptr);
        form.SelectTargetWindow();
    }
    form.MdiArea->setActiveSubWindow(TMainform::SubWindowOf(form.AnalysisWindows()[2]));
    form.OpenLogFile(day, std::vector<int>{ChT2, ChFlow});
    EXPECT_EQ(Ticked(*form.AnalysisWindows()[2]), (QStringList{"Flow", "T2"}));
}
