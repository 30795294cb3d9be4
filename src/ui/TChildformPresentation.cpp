#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/FrameLook.h"

#include <QCheckBox>
#include <QFrame>

#include <cmath>
#include <initializer_list>

namespace {

QString JoinUnits(const QStringList& units) { return units.join(QStringLiteral("   ")); }

void AddUnit(QStringList& list, const QString& unit, bool skipEmpty) {
    if (skipEmpty && unit.isEmpty())
        return;
    if (!list.contains(unit))
        list.append(unit);
}

} // namespace

void TChildform::ApplyFixedChartProperties() {
    for (ChartSurface* chart : {Chart, Chart2}) {
        chart->SetBackgroundColor(Qt::white);
        chart->SetLegendVisible(false);
        chart->SetPanAllowed(false);
    }
    Chart->SetZoomAllowed(true);
    Chart->SetMinimum(ChartAxis::Left, -40);
    Chart->SetMaximum(ChartAxis::Left, 250);
    Chart->SetAutomatic(ChartAxis::Left, false);
    Chart->SetAutomatic(ChartAxis::Right, false);
    Chart->SetGridVisible(ChartAxis::Right, false);
    Chart->SetDateFormat(QStringLiteral("hh:mm"));
    Chart->ClearTitle();

    Chart2->SetZoomAllowed(false);
    Chart2->SetTitleVisible(false);
    Chart2->SetAutomatic(ChartAxis::Left, false);
    SetAxisRange(*Chart2, 0, -2, 57);
    Chart2->SetIncrement(ChartAxis::Left, 5);
    Chart2->SetGridVisible(ChartAxis::Left, true);
    Chart2->SetTickLength(ChartAxis::Left, 2);
    Chart2->SetIncrement(ChartAxis::Right, 10);
    Chart2->SetGridVisible(ChartAxis::Right, true);
    Chart2->SetTickLength(ChartAxis::Right, 2);
    // Only the four band positions are named; every other value label stays blank.
    Chart2->SetAxisLabelHook([](ChartAxis axis, QString& text) {
        if (axis != ChartAxis::Left)
            return;
        if (text == QLatin1String("50"))
            text = QStringLiteral("R1");
        else if (text == QLatin1String("35"))
            text = QStringLiteral("R2");
        else if (text == QLatin1String("20"))
            text = QStringLiteral("R3");
        else if (text == QLatin1String("5"))
            text = QStringLiteral("RErr");
        else
            text.clear();
    });
    Chart->CopyBottomAxisTo(*Chart2);
    Chart2->SetMarginsPercent(3, 3, 2);
    Chart2->FollowPlotEdgesOf(Chart);
}

void TChildform::SetAxisRange(ChartSurface& chart, int axis, double minimum, double maximum) {
    const ChartAxis which = axis == 0 ? ChartAxis::Left : ChartAxis::Right;
    // Whichever bound would cross the current other bound goes second.
    if (minimum > chart.Maximum(which)) {
        chart.SetMaximum(which, maximum);
        chart.SetMinimum(which, minimum);
    } else {
        chart.SetMinimum(which, minimum);
        chart.SetMaximum(which, maximum);
    }
}

void TChildform::SetChannelCaption(QCheckBox* box, const QString& label,
                                   const QString& defaultText) {
    box->setText(label == DefaultLabel ? defaultText : label);
}

void TChildform::ApplyCaptions() {
    for (int channel = 0; channel < ChannelCount; ++channel)
        SetChannelCaption(CheckBoxOf(channel),
                          FSettings.Labels[static_cast<size_t>(SlotOfChannel(channel))],
                          Text(DefaultCaptionText(channel)));
}

void TChildform::ApplySettings(const WindowSettings& settings) {
    FSettings = settings;
    // An inverted range is refused by the chart; the window still takes the rest of the settings
    // and reports the refusal afterwards, so one bad default cannot make every new window fail.
    QString rangeError;
    try {
        SetAxisRange(*Chart, 0, settings.AxisMin, settings.AxisMax);
        SetAxisRange(*Chart, 1, settings.AxisMin, settings.AxisMax);
    } catch (const AppError& error) {
        rangeError = error.Message();
    }
    for (int channel = 0; channel < ChannelCount; ++channel) {
        Paint(FSwatches[static_cast<size_t>(channel)],
              ColorFromRef(settings.Colors[static_cast<size_t>(SlotOfChannel(channel))]));
    }
    ApplyCaptions();
    if (AnalysisData) {
        AnalysisData->ApplySettings(FSettings);
        UpdateAxes();
    }
    if (!rangeError.isEmpty())
        AppError::Raise(rangeError);
}

void TChildform::UpdateAxes() {
    QStringList inputs, others, outputs;
    bool anyInput = false, anyOther = false;
    for (int channel : {ChT1, ChT2, ChT3, ChT4, ChT5, ChT6, ChTD})
        if (IsChecked(channel)) {
            anyInput = true;
            AddUnit(inputs, UnitOf(channel), false);
        }
    for (int channel : {ChFlow, ChPower, ChVolume, ChEnergy})
        if (IsChecked(channel)) {
            anyOther = true;
            AddUnit(others, UnitOf(channel), false);
        }
    for (int channel : {ChR1, ChR2, ChR3, ChRError})
        if (IsChecked(channel))
            AddUnit(outputs, UnitOf(channel), true);

    for (ChartSurface* chart : {Chart, Chart2})
        for (ChartAxis axis : {ChartAxis::Left, ChartAxis::Right})
            chart->SetAxisTitle(axis, QString());
    Chart->SetAxisTitle(ChartAxis::Left, JoinUnits(inputs));
    Chart2->SetAxisTitle(ChartAxis::Left, JoinUnits(outputs));
    FOthersOnRight = anyInput && anyOther;
    if (FOthersOnRight) {
        Chart->SetAxisTitle(ChartAxis::Right, JoinUnits(others));
    } else if (!others.isEmpty()) {
        const QString left = Chart->AxisTitle(ChartAxis::Left);
        Chart->SetAxisTitle(ChartAxis::Left,
                            left.isEmpty() ? JoinUnits(others)
                                           : left + QStringLiteral("   ") + JoinUnits(others));
    }
    Chart->SetAxisVisible(ChartAxis::Right, FOthersOnRight);
    if (AnalysisData) {
        for (int channel : {ChFlow, ChPower, ChVolume, ChEnergy})
            AnalysisData->SetChannelAxis(channel,
                                         FOthersOnRight ? ValueAxis::Right : ValueAxis::Left);
        for (int channel : {ChR1, ChR2, ChR3, ChRError})
            AnalysisData->SetChannelAxis(channel, ValueAxis::Left);
    }
    UpdateLowerMargins();
    if (FSettings.DynamicScaling)
        ApplyDynamicScaling();
}

void TChildform::UpdateLowerMargins() {
    Chart2->SetMarginsPercent(LowerChartMargin(MarginSide::Left),
                              FOthersOnRight ? LowerChartMargin(MarginSide::Right) : 3.0, 2.0);
}

void TChildform::ApplyDynamicScaling() {
    for (ChartAxis axis : {ChartAxis::Left, ChartAxis::Right}) {
        Chart->SetAutomatic(axis, true);
        Chart->AdjustToData(axis);
        // Round outwards so the lowest value stays inside the axis, also below zero.
        const double low = std::floor(Chart->Minimum(axis));
        const double high = std::trunc(Chart->Maximum(axis));
        Chart->SetAutomatic(axis, false);
        SetAxisRange(*Chart, axis == ChartAxis::Left ? 0 : 1, low - 0.2, high + 1);
    }
    UpdateLowerMargins();
    bool anyShown = false;
    for (int channel = 0; channel < ChannelCount; ++channel)
        if (!IsOutputChannel(channel) && IsChecked(channel))
            anyShown = true;
    if (!anyShown) {
        if (Chart->Minimum(ChartAxis::Left) <= 250)
            Chart->SetMaximum(ChartAxis::Left, FSettings.AxisMax);
        Chart->SetMinimum(ChartAxis::Left, FSettings.AxisMin);
        Chart->SetMaximum(ChartAxis::Left, FSettings.AxisMax);
    }
}

double TChildform::LowerChartMargin(MarginSide side) const {
    const int w = Chart2->width();
    if (side == MarginSide::Left) {
        if (Chart->Maximum(ChartAxis::Left) < 1000)
            return 3;
        return w > 1190 ? 4 : w > 730 ? 5 : 6;
    }
    if (Chart->Maximum(ChartAxis::Right) < 1000)
        return w > 1450 ? 5 : w > 1020 ? 6 : w > 800 ? 7 : w > 650 ? 8 : 9;
    return w > 1450   ? 6
           : w > 1100 ? 7
           : w > 935  ? 8
           : w > 775  ? 9
           : w > 680  ? 10
           : w > 590  ? 11
                      : 12;
}
