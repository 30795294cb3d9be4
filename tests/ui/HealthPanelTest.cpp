#include "LogGenerator.h"
#include "chart/ChartMarks.h"
#include "chart/ChartSurface.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/HealthPanel.h"
#include "ui/SpanPanel.h"
#include "ui/TChildform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class HealthPanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Form.ApplyTexts();
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    // Three days of 1 to 3 May 2010 with a pump running dry on the 1st, a stagnating
    // collector on the 2nd and a fault output from the 2nd's evening into the 3rd.
    void LoadRange() {
        loggen::DayOptions options;
        options.IntervalMinutes = 5;
        options.Faults = {
            {loggen::Fault::PumpWithoutFlow, QDate(2010, 5, 1), 12 * 60, 30, 0},
            {loggen::Fault::Stagnation, QDate(2010, 5, 2), 13 * 60, 20, 0},
            {loggen::Fault::FaultOutput, QDate(2010, 5, 2), 22 * 60, 120, 0},
            {loggen::Fault::FaultOutput, QDate(2010, 5, 3), 0, 60, 0},
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
    template <typename T> T* Find(const char* name) {
        T* found = Form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static DateTime At(int day, int minute) {
        DateTime date = 0;
        EncodeDate(2010, 5, day, date);
        return date + minute / MinutesPerDay;
    }

    QTemporaryDir Dir;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
};

TEST_F(HealthPanelTest, ListsTheEventsOnceShownWithCountsAndSortsByAnyColumn) {
    LoadRange();
    HealthPanel& panel = *Form.Health();
    QTreeWidget& list = *panel.List();
    EXPECT_FALSE(panel.isVisibleTo(&Form));
    EXPECT_TRUE(panel.Events().empty()); // not checked while hidden
    Find<QPushButton>("ButtonHealth")->click();
    EXPECT_TRUE(panel.isVisibleTo(&Form));

    ASSERT_EQ(panel.Events().size(), 3U);
    ASSERT_EQ(list.topLevelItemCount(), 3);
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Pump without flow"));
    EXPECT_EQ(list.topLevelItem(0)->text(1), QStringLiteral("01.05.2010 12:00"));
    EXPECT_EQ(list.topLevelItem(0)->text(2), QStringLiteral("12:30"));
    EXPECT_EQ(list.headerItem()->text(3), QStringLiteral("Value"));
    EXPECT_EQ(list.topLevelItem(0)->text(3), QStringLiteral("30 min"));
    EXPECT_EQ(list.topLevelItem(0)->text(4), QStringLiteral("R1, Flow, Power"));
    // The fault output over midnight is one event of three hours.
    EXPECT_EQ(list.topLevelItem(2)->text(0), QStringLiteral("Fault output"));
    EXPECT_EQ(list.topLevelItem(2)->text(2), QStringLiteral("03.05.2010 01:00"));
    EXPECT_EQ(list.topLevelItem(2)->text(3), QStringLiteral("180 min"));
    const QString counts = Find<QLabel>("LabelHealthCounts")->text();
    EXPECT_TRUE(counts.contains(QStringLiteral("Stagnation: 1"))) << counts.toStdString();
    EXPECT_TRUE(counts.contains(QStringLiteral("Fault output: 1")));

    list.sortByColumn(3, Qt::DescendingOrder); // by figure: 180 min, 130 °C, 30 min
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Fault output"));
    EXPECT_EQ(list.topLevelItem(2)->text(0), QStringLiteral("Pump without flow"));
    list.sortByColumn(0, Qt::AscendingOrder);
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Fault output"));
    EXPECT_EQ(list.topLevelItem(1)->text(0), QStringLiteral("Pump without flow"));

    SetCurrentTexts(TextArrayId::German);
    Form.ApplyTexts();
    EXPECT_EQ(list.headerItem()->text(0), QStringLiteral("Art"));
    EXPECT_EQ(Find<QPushButton>("ButtonHealth")->text(), QStringLiteral("Anlagenzustand"));
    // Still sorted by kind, now by the German names.
    EXPECT_EQ(list.topLevelItem(0)->text(0), QStringLiteral("Pumpe ohne Durchfluss"));
    EXPECT_EQ(list.topLevelItem(2)->text(0), QString::fromUtf8("Störmeldeausgang"));
}

TEST_F(HealthPanelTest, ChoosingAnEventShowsItsSpanTicksItsChannelsAndMarksBothCharts) {
    LoadRange();
    Find<QPushButton>("ButtonHealth")->click();
    HealthPanel& panel = *Form.Health();
    ChartSurface& chart = *Find<ChartSurface>("Chart");
    ChartSurface& chart2 = *Find<ChartSurface>("Chart2");

    Find<QCheckBox>("CB_T2")->setChecked(true); // the user's own choice

    // Stagnation 13:00 to 13:20 on the 2nd: with ten minutes' room it needs the three hours
    // from 12:00.
    panel.GoToRow(1);
    EXPECT_EQ(Find<QComboBox>("SpanTime")->currentIndex(), 1);
    EXPECT_NEAR(chart.Minimum(ChartAxis::Bottom), At(2, 12 * 60), 1e-9);
    EXPECT_NEAR(chart.Maximum(ChartAxis::Bottom), At(2, 15 * 60), 1e-9);
    EXPECT_EQ(Find<QSlider>("SliderTime")->value(), 12);
    EXPECT_TRUE(Find<QCheckBox>("CB_T1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CB_R1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CB_T3")->isChecked());
    EXPECT_TRUE(chart.TitleLine(0).contains(QStringLiteral("02.")) ||
                chart.TitleLine(0).startsWith(QStringLiteral("02")))
        << chart.TitleLine(0).toStdString();
    EXPECT_NEAR(chart.Marks().SpanFrom(), At(2, 13 * 60), 1e-9);
    EXPECT_NEAR(chart.Marks().SpanTo(), At(2, 13 * 60 + 20), 1e-9);
    EXPECT_NEAR(chart2.Marks().SpanFrom(), At(2, 13 * 60), 1e-9);
    EXPECT_EQ(&chart.Marks(), &chart2.Marks()) << "one span for both charts";
    EXPECT_EQ(chart.Marks().Span(), ChartMarks::SpanKind::Event);
    EXPECT_GT(chart.ActiveSeriesCount(), 0);
    // The span panel lists the event's span with the shown channels.
    auto* spanPanel = Find<SpanPanel>("PanelSpanStatistics");
    EXPECT_TRUE(spanPanel->isVisibleTo(&Form));
    const QStringList table = spanPanel->TableText().split(QLatin1Char('\n'));
    ASSERT_GE(table.size(), 5);
    EXPECT_TRUE(table[0].contains(QStringLiteral("02.05.2010 13:00"))) << table[0].toStdString();
    EXPECT_TRUE(table[0].contains(QStringLiteral("02.05.2010 13:20"))) << table[0].toStdString();
    const QStringList t1 = table[2].split(QLatin1Char('\t'));
    ASSERT_GE(t1.size(), 4);
    EXPECT_TRUE(t1[0].startsWith(QStringLiteral("Temperature sensor 1"))) << t1[0].toStdString();
    // The collector stood at its stagnation level over the whole span.
    EXPECT_EQ(t1[1], QStringLiteral("130.0")) << table[2].toStdString();
    EXPECT_EQ(t1[3], QStringLiteral("130.0"));

    // Three hours over midnight: the whole first day of it, from the month span as well.
    Form.SpanTimeChange(4);
    panel.GoToRow(2);
    EXPECT_EQ(Find<QComboBox>("SpanTime")->currentIndex(), 3);
    EXPECT_NEAR(chart.Minimum(ChartAxis::Bottom), At(2, 0), 1e-9);
    EXPECT_NEAR(chart.Maximum(ChartAxis::Bottom), At(3, 0), 1e-9);
    EXPECT_EQ(Find<QSlider>("SliderTime")->value(), 1);
    EXPECT_TRUE(Find<QCheckBox>("CB_RError")->isChecked());
    EXPECT_NEAR(chart2.Marks().SpanTo(), At(3, 60), 1e-9);
    // The stagnation's channels went with it; the user's stayed.
    EXPECT_FALSE(Find<QCheckBox>("CB_T1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CB_R1")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CB_T2")->isChecked());

    // Half an hour from noon on the 1st: 3 hours from 11:00.
    panel.List()->setCurrentItem(panel.List()->topLevelItem(0));
    EXPECT_EQ(Find<QComboBox>("SpanTime")->currentIndex(), 1);
    EXPECT_NEAR(chart.Minimum(ChartAxis::Bottom), At(1, 11 * 60), 1e-9);
    EXPECT_NEAR(chart.Maximum(ChartAxis::Bottom), At(1, 14 * 60), 1e-9);
    EXPECT_TRUE(Find<QCheckBox>("CB_Flow")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CB_R1")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("CB_RError")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("CB_T2")->isChecked());

    // Escape on a chart clears the event's span as it clears the user's.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&chart2, &escape);
    EXPECT_FALSE(chart.Marks().HasSpan());
    EXPECT_FALSE(spanPanel->isVisibleTo(&Form));
    panel.GoToRow(0);
    EXPECT_TRUE(chart.Marks().HasSpan());

    // Another analysis clears list and marks.
    Form.ClearAnalysis();
    EXPECT_FALSE(chart.Marks().HasSpan());
    EXPECT_FALSE(chart2.Marks().HasSpan());
    EXPECT_FALSE(spanPanel->isVisibleTo(&Form));
    EXPECT_EQ(panel.List()->topLevelItemCount(), 0);
}

TEST_F(HealthPanelTest, RolesChosenInThePanelChangeWhatIsFound) {
    LoadRange();
    Find<QPushButton>("ButtonHealth")->click();
    HealthPanel& panel = *Form.Health();
    ChannelRoles roles = panel.Roles();
    EXPECT_EQ(roles, ChannelRoles{});
    roles.Flow = -1; // no flow meter: the dry pump is not seen
    panel.SetRoles(roles);
    EXPECT_EQ(panel.Events().size(), 2U);
    EXPECT_EQ(Find<QComboBox>("ComboFlow")->currentText(), QStringLiteral("(none)"));
    roles.Flow = ChFlow;
    roles.Pump = ChR2; // an output that never runs: the pump's work is now missed yield
    panel.SetRoles(roles);
    int withR2 = 0;
    for (const HealthEvent& event : panel.Events()) {
        EXPECT_EQ(std::count(event.Channels.begin(), event.Channels.end(), ChR1), 0);
        withR2 += static_cast<int>(std::count(event.Channels.begin(), event.Channels.end(), ChR2));
    }
    EXPECT_GT(withR2, 0);
}

} // namespace
