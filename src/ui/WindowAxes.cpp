#include "ui/WindowAxes.h"

#include "core/AppError.h"
#include "core/Channels.h"
#include "logdata/TAnalysisData.h"
#include "settings/WindowSettings.h"

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

void WindowAxes::ApplyFixedProperties() {
    for (ChartSurface* chart : {&Chart, &Chart2}) {
        chart->SetBackgroundColor(Qt::white);
        chart->SetLegendVisible(false);
        chart->SetPanAllowed(false);
    }
    Chart.SetZoomAllowed(true);
    Chart.SetMinimum(ChartAxis::Left, -40);
    Chart.SetMaximum(ChartAxis::Left, 250);
    Chart.SetAutomatic(ChartAxis::Left, false);
    Chart.SetAutomatic(ChartAxis::Right, false);
    Chart.SetGridVisible(ChartAxis::Right, false);
    Chart.SetDateFormat(QStringLiteral("hh:mm"));
    Chart.ClearTitle();

    Chart2.SetZoomAllowed(false);
    Chart2.SetTitleVisible(false);
    Chart2.SetAutomatic(ChartAxis::Left, false);
    SetRange(Chart2, ChartAxis::Left, -2, 57);
    Chart2.SetIncrement(ChartAxis::Left, 5);
    Chart2.SetGridVisible(ChartAxis::Left, true);
    Chart2.SetTickLength(ChartAxis::Left, 2);
    Chart2.SetIncrement(ChartAxis::Right, 10);
    Chart2.SetGridVisible(ChartAxis::Right, true);
    Chart2.SetTickLength(ChartAxis::Right, 2);
    // Only the four band positions are named; every other value label stays blank.
    Chart2.SetAxisLabelHook([](ChartAxis axis, QString& text) {
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
    Chart.CopyBottomAxisTo(Chart2);
    Chart2.SetMarginsPercent(3, 3, 2);
    Chart2.FollowPlotEdgesOf(&Chart);
}

void WindowAxes::SetRange(ChartSurface& chart, ChartAxis which, double minimum, double maximum) {
    if (minimum > chart.Maximum(which)) {
        chart.SetMaximum(which, maximum);
        chart.SetMinimum(which, minimum);
    } else {
        chart.SetMinimum(which, minimum);
        chart.SetMaximum(which, maximum);
    }
}

void WindowAxes::Update(const Checked& checked, const Unit& unit, TAnalysisData* data,
                        const WindowSettings& settings) {
    QStringList inputs, others, outputs;
    bool anyInput = false, anyOther = false;
    for (int channel : {ChT1, ChT2, ChT3, ChT4, ChT5, ChT6, ChTD})
        if (checked(channel)) {
            anyInput = true;
            AddUnit(inputs, unit(channel), false);
        }
    for (int channel : {ChFlow, ChPower, ChVolume, ChEnergy})
        if (checked(channel)) {
            anyOther = true;
            AddUnit(others, unit(channel), false);
        }
    for (int channel : {ChR1, ChR2, ChR3, ChRError})
        if (checked(channel))
            AddUnit(outputs, unit(channel), true);

    for (ChartSurface* chart : {&Chart, &Chart2})
        for (ChartAxis axis : {ChartAxis::Left, ChartAxis::Right})
            chart->SetAxisTitle(axis, QString());
    Chart.SetAxisTitle(ChartAxis::Left, JoinUnits(inputs));
    Chart2.SetAxisTitle(ChartAxis::Left, JoinUnits(outputs));
    FOthersOnRight = anyInput && anyOther;
    if (FOthersOnRight) {
        Chart.SetAxisTitle(ChartAxis::Right, JoinUnits(others));
    } else if (!others.isEmpty()) {
        const QString left = Chart.AxisTitle(ChartAxis::Left);
        Chart.SetAxisTitle(ChartAxis::Left, left.isEmpty()
                                                ? JoinUnits(others)
                                                : left + QStringLiteral("   ") + JoinUnits(others));
    }
    Chart.SetAxisVisible(ChartAxis::Right, FOthersOnRight);
    if (data != nullptr) {
        for (int channel : {ChFlow, ChPower, ChVolume, ChEnergy})
            data->SetChannelAxis(channel, FOthersOnRight ? ValueAxis::Right : ValueAxis::Left);
        for (int channel : {ChR1, ChR2, ChR3, ChRError})
            data->SetChannelAxis(channel, ValueAxis::Left);
    }
    UpdateLowerMargins();
    if (settings.DynamicScaling)
        ApplyDynamicScaling(checked, settings);
}

void WindowAxes::UpdateLowerMargins() {
    Chart2.SetMarginsPercent(LowerMargin(MarginSide::Left),
                             FOthersOnRight ? LowerMargin(MarginSide::Right) : 3.0, 2.0);
}

void WindowAxes::ApplyDynamicScaling(const Checked& checked, const WindowSettings& settings) {
    for (ChartAxis axis : {ChartAxis::Left, ChartAxis::Right}) {
        Chart.SetAutomatic(axis, true);
        Chart.AdjustToData(axis);
        // Round outwards so the lowest value stays inside the axis, also below zero.
        const double low = std::floor(Chart.Minimum(axis));
        const double high = std::trunc(Chart.Maximum(axis));
        Chart.SetAutomatic(axis, false);
        SetRange(Chart, axis, low - 0.2, high + 1);
    }
    UpdateLowerMargins();
    bool anyShown = false;
    for (int channel = 0; channel < ChannelCount; ++channel)
        if (!IsOutputChannel(channel) && checked(channel))
            anyShown = true;
    if (!anyShown) {
        if (Chart.Minimum(ChartAxis::Left) <= 250)
            Chart.SetMaximum(ChartAxis::Left, settings.AxisMax);
        Chart.SetMinimum(ChartAxis::Left, settings.AxisMin);
        Chart.SetMaximum(ChartAxis::Left, settings.AxisMax);
    }
}

double WindowAxes::LowerMargin(MarginSide side) const {
    const int w = Chart2.width();
    if (side == MarginSide::Left) {
        if (Chart.Maximum(ChartAxis::Left) < 1000)
            return 3;
        return w > 1190 ? 4 : w > 730 ? 5 : 6;
    }
    if (Chart.Maximum(ChartAxis::Right) < 1000)
        return w > 1450 ? 5 : w > 1020 ? 6 : w > 800 ? 7 : w > 650 ? 8 : 9;
    return w > 1450   ? 6
           : w > 1100 ? 7
           : w > 935  ? 8
           : w > 775  ? 9
           : w > 680  ? 10
           : w > 590  ? 11
                      : 12;
}

void WindowAxes::SetTimeRange(double start, double end) {
    const double currentMin = Chart.Minimum(ChartAxis::Bottom);
    const double currentMax = Chart.Maximum(ChartAxis::Bottom);
    const auto apply = [&](bool minimumFirst) {
        for (ChartSurface* chart : {&Chart, &Chart2}) {
            if (minimumFirst) {
                chart->SetMinimum(ChartAxis::Bottom, start);
                chart->SetMaximum(ChartAxis::Bottom, end);
            } else {
                chart->SetMaximum(ChartAxis::Bottom, end);
                chart->SetMinimum(ChartAxis::Bottom, start);
            }
        }
    };
    if (start >= currentMax) {
        apply(false);
    } else if (end <= currentMin) {
        apply(true);
    } else {
        try {
            apply(false);
        } catch (const AppError&) {
            apply(true);
        }
    }
}
