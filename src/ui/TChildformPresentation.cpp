#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChannelPanel.h"
#include "ui/FrameLook.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QCheckBox>
#include <QFrame>

void TChildform::UpdateAxes() {
    FAxes->Update([this](int channel) { return IsChecked(channel); },
                  [this](int channel) { return UnitOf(channel); }, AnalysisData.get(), FSettings);
}

double TChildform::LowerChartMargin(MarginSide side) const { return FAxes->LowerMargin(side); }

QCheckBox* TChildform::CheckBoxOf(int channel) const { return PanelLeft->Box(channel); }

void TChildform::SetChannelCaption(QCheckBox* box, const QString& label,
                                   const QString& defaultText) {
    box->setText(label == DefaultLabel ? defaultText : label);
}

void TChildform::ApplyCaptions() {
    for (int channel = 0; channel < ChannelCount; ++channel)
        SetChannelCaption(CheckBoxOf(channel),
                          FSettings.Labels[static_cast<size_t>(SlotOfChannel(channel))],
                          Text(ChannelPanel::DefaultCaptionText(channel)));
}

void TChildform::ApplySettings(const WindowSettings& settings) {
    FSettings = settings;
    // An inverted range is refused by the chart; the window still takes the rest of the settings
    // and reports the refusal afterwards, so one bad default cannot make every new window fail.
    QString rangeError;
    try {
        WindowAxes::SetRange(*Chart, ChartAxis::Left, settings.AxisMin, settings.AxisMax);
        WindowAxes::SetRange(*Chart, ChartAxis::Right, settings.AxisMin, settings.AxisMax);
    } catch (const AppError& error) {
        rangeError = error.Message();
    }
    for (int channel = 0; channel < ChannelCount; ++channel) {
        Paint(PanelLeft->Swatch(channel),
              ColorFromRef(settings.Colors[static_cast<size_t>(SlotOfChannel(channel))]));
    }
    ApplyCaptions();
    if (AnalysisData) {
        AnalysisData->ApplySettings(FSettings);
        FReference->Sync(); // its colours are the period's, lightened
        UpdateAxes();
    }
    if (!rangeError.isEmpty())
        AppError::Raise(rangeError);
}
