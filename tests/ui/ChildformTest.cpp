#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ChildformTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentTexts(TextArrayId::English); }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    template <typename T> T* Find(const TChildform& form, const char* name) {
        T* found = form.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    ScriptedPrompts prompts;
};

const char* const InputNames[] = {"T1", "T2", "T3", "T4", "T5", "T6", "TD"};
const char* const OtherNames[] = {"Flow", "Power", "Volume", "Energy"};
const char* const OutputNames[] = {"R1", "R2", "R3", "RError"};

} // namespace

TEST_F(ChildformTest, PanelHoldsEachGroupsBoxesInOrderWithTagsAndSwatches) {
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    const auto check = [&](const char* group, const auto& names, std::initializer_list<int> tags) {
        auto* box = Find<QGroupBox>(form, group);
        ASSERT_NE(box, nullptr);
        int y = -1;
        auto tag = tags.begin();
        for (const char* name : names) {
            const QString shortName = QString::fromLatin1(name);
            auto* cb = box->findChild<QCheckBox*>(QStringLiteral("CB_") + shortName);
            auto* swatch = box->findChild<QFrame*>(QStringLiteral("Color_") + shortName);
            ASSERT_NE(cb, nullptr) << name;
            ASSERT_NE(swatch, nullptr) << name;
            EXPECT_GT(cb->y(), y) << name;
            y = cb->y();
            EXPECT_EQ(swatch->y(), cb->y());
            EXPECT_EQ(cb->property("tag").toInt(), *tag++) << name;
        }
    };
    check("GroupBoxInputs", InputNames, {0, 1, 2, 3, 4, 5, 6});
    check("GroupBoxOthers", OtherNames, {7, 8, 13, 14});
    check("GroupBoxOutputs", OutputNames, {9, 10, 11, 12});
    EXPECT_FALSE(Find<QCheckBox>(form, "CB_Volume")->isEnabled());
    EXPECT_FALSE(Find<QCheckBox>(form, "CB_Energy")->isEnabled());
    EXPECT_TRUE(Find<QCheckBox>(form, "CB_Flow")->isEnabled());

    for (const char* name : {"PanelLeft", "PanelGraph", "PanelCharts", "PanelZoomX"})
        Find<QFrame>(form, name);
    for (const char* name :
         {"ButtonJumpLeft", "ButtonScrollLeft", "ButtonScrollRight", "ButtonJumpRight"})
        Find<QToolButton>(form, name);
    Find<QSplitter>(form, "ChartSplitter");
    EXPECT_EQ(Find<QLabel>(form, "LabelHeadline")->text(),
              QStringLiteral("Selectable measured value:"));
    EXPECT_EQ(Find<QGroupBox>(form, "GroupBoxOthers")->title(),
              QStringLiteral("Other measured values "));
    auto* slider = Find<QSlider>(form, "SliderTime");
    EXPECT_FALSE(slider->isEnabled());
    EXPECT_EQ(slider->maximum(), 0);
    auto* timer = Find<QTimer>(form, "ScrollTimer");
    EXPECT_FALSE(timer->isActive());
    EXPECT_EQ(timer->interval(), 50);
    EXPECT_GE(form.minimumWidth(), 700);
    EXPECT_GE(form.width(), 860);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("New"));
    EXPECT_FALSE(form.HasData());
    EXPECT_FALSE(form.HasVisibleSeries());
}

TEST_F(ChildformTest, CheckingABoxInAnEmptyWindowReportsAndUnchecksIt) {
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    int notified = 0;
    QObject::connect(&form, &TChildform::ActiveFormChanged, &form, [&] { ++notified; });
    prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    auto* box = Find<QCheckBox>(form, "CB_T3");
    box->click();
    ASSERT_EQ(prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(prompts.AskedPrompts()[0].Text,
              QStringLiteral("Please open a log file (*.csv) first."));
    EXPECT_FALSE(box->isChecked());
    // Unchecking with no series shown does nothing further, not even the notification.
    EXPECT_EQ(notified, 0);

    EXPECT_THROW(form.GraphCheckboxClicked(nullptr, 0), AppError);
    EXPECT_THROW(form.ShowChannel(15), AppError);
    EXPECT_THROW(form.HideChannel(15), AppError);
}

TEST_F(ChildformTest, CaptionsAndSwatchesFollowTheSettingsAndTheLanguage) {
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.Labels[SlotPower] = QStringLiteral("Collector power");
    settings.Colors[SlotPower] = 0x00FF8000; // blue 255, green 128, red 0
    TChildform form(nullptr, settings);
    EXPECT_EQ(Find<QCheckBox>(form, "CB_Power")->text(), QStringLiteral("Collector power"));
    EXPECT_EQ(Find<QCheckBox>(form, "CB_Volume")->text(), QStringLiteral("Sum of flow rate"));
    EXPECT_EQ(Find<QCheckBox>(form, "CB_RError")->text(), QStringLiteral("Fault indicator output"));
    EXPECT_EQ(Find<QFrame>(form, "Color_Power")->palette().color(QPalette::Window),
              QColor(0, 128, 255));

    SetCurrentTexts(TextArrayId::German);
    form.ApplyTexts();
    EXPECT_EQ(Find<QCheckBox>(form, "CB_Volume")->text(), Text(65));
    EXPECT_NE(Text(65), QStringLiteral("Sum of flow rate"));
    EXPECT_EQ(Find<QCheckBox>(form, "CB_Power")->text(), QStringLiteral("Collector power"));
}

TEST_F(ChildformTest, FixedRangeFromSettingsInvertedLimitsStillApplyTheRest) {
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.DynamicScaling = false;
    settings.AxisMin = 300; // above the current maximum: must be ordered to be accepted
    settings.AxisMax = 400;
    TChildform form(nullptr, settings);
    auto* chart = Find<ChartSurface>(form, "Chart");
    EXPECT_EQ(chart->Minimum(ChartAxis::Left), 300);
    EXPECT_EQ(chart->Maximum(ChartAxis::Left), 400);
    EXPECT_EQ(chart->Maximum(ChartAxis::Right), 400);

    WindowSettings inverted = settings;
    inverted.AxisMin = 50;
    inverted.AxisMax = 10;
    inverted.Labels[SlotT1] = QStringLiteral("Collector");
    EXPECT_THROW(form.ApplySettings(inverted), AppError);
    EXPECT_EQ(form.Settings(), inverted);
    EXPECT_EQ(Find<QCheckBox>(form, "CB_T1")->text(), QStringLiteral("Collector"));
    EXPECT_EQ(chart->Maximum(ChartAxis::Left), 400);

    // A new window with such settings is kept, with its captions, and carries the refusal.
    TChildform fresh(nullptr, inverted);
    EXPECT_FALSE(fresh.SettingsError().isEmpty());
    EXPECT_EQ(Find<QCheckBox>(fresh, "CB_T1")->text(), QStringLiteral("Collector"));
    EXPECT_TRUE(form.SettingsError().isEmpty());
}

TEST_F(ChildformTest, LowerMarginFollowsWidthAndLabelWidth) {
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.DynamicScaling = false;
    TChildform form(nullptr, settings);
    auto* chart2 = Find<ChartSurface>(form, "Chart2");
    chart2->resize(1000, 119);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Left), 3);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 7);
    settings.AxisMax = 1500;
    form.ApplySettings(settings);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Left), 5);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 8);
    chart2->resize(1200, 119);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Left), 4);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 7);
    chart2->resize(500, 119);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Left), 6);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 12);
    settings.AxisMax = 999;
    form.ApplySettings(settings);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 9);
    chart2->resize(1451, 119);
    EXPECT_EQ(form.LowerChartMargin(MarginSide::Right), 5);
}

TEST_F(ChildformTest, DynamicScalingRoundsOutwardsAndFallsBackToTheFixedRange) {
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.DynamicScaling = true;
    settings.AxisMin = -10;
    settings.AxisMax = 120;
    TChildform form(nullptr, settings);
    auto* chart = Find<ChartSurface>(form, "Chart");
    auto* box = Find<QCheckBox>(form, "CB_T1");
    {
        // As if the channel had been shown: its series lies on the chart and its box is checked.
        const QSignalBlocker quiet(box);
        box->setChecked(true);
    }
    ChartSeries series;
    series.AddXY(40000.25, 20.7);
    series.AddXY(40000.50, 64.3);
    chart->AddSeries(&series);
    form.UpdateAxes();
    EXPECT_NEAR(chart->Minimum(ChartAxis::Left), 19.8, 1e-9);
    EXPECT_NEAR(chart->Maximum(ChartAxis::Left), 65.0, 1e-9);

    // A negative minimum is rounded down, so the lowest value stays inside the axis.
    series.AddXY(40000.75, -10.5);
    form.UpdateAxes();
    EXPECT_NEAR(chart->Minimum(ChartAxis::Left), -11.2, 1e-9);
    EXPECT_LT(chart->Minimum(ChartAxis::Left), -10.5);

    {
        const QSignalBlocker quiet(box);
        box->setChecked(false);
    }
    form.UpdateAxes();
    EXPECT_EQ(chart->Minimum(ChartAxis::Left), -10);
    EXPECT_EQ(chart->Maximum(ChartAxis::Left), 120);
    chart->RemoveSeries(&series);
}

TEST_F(ChildformTest, ClearingUnchecksTheDayChannelsButKeepsTheMonthTotals) {
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    auto* volume = Find<QCheckBox>(form, "CB_Volume");
    auto* flow = Find<QCheckBox>(form, "CB_Flow");
    for (QCheckBox* box : {volume, flow}) {
        const QSignalBlocker quiet(box);
        box->setChecked(true);
    }
    form.ClearAnalysis();
    EXPECT_TRUE(volume->isChecked());
    EXPECT_FALSE(flow->isChecked());
    EXPECT_TRUE(prompts.AskedPrompts().empty());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("New"));
}
