#include "ledger/LedgerColumns.h"

#include "core/Channels.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerTexts.h"

namespace {

std::vector<LedgerColumn> MakeColumns() {
    std::vector<LedgerColumn> columns = {
        {"energy_kwh", "Energy", TextColumnEnergy, "", "kWh", 2,
         [](const LedgerRow& r) { return r.EnergyKWh; }},
        {"volume_l", "Volume", TextColumnVolume, "", "l", 0,
         [](const LedgerRow& r) { return r.VolumeL; }},
        {"days_with_data", "Days", TextColumnDaysWithData, "", "", 0,
         [](const LedgerRow& r) { return double(r.DaysWithData); }},
        {"days_without_file", "Missing", TextColumnDaysWithoutFile, "", "", 0,
         [](const LedgerRow& r) { return double(r.DaysWithoutFile); }},
        {"recorded_min", "Recorded", TextColumnRecorded, "", "min", 0,
         [](const LedgerRow& r) { return double(r.RecordedMinutes); }},
        {"longest_gap_min", "Longest gap", TextColumnLongestGap, "", "min", 1,
         [](const LedgerRow& r) { return r.LongestGapMinutes; }},
    };
    static const char* const temperatures[] = {"T1", "T2", "T3", "T4", "T5", "T6", "TD"};
    for (int i = 0; i < LedgerTemperatureCount; ++i) {
        const QString name = QString::fromLatin1(temperatures[i]);
        const auto n = static_cast<size_t>(i);
        columns.push_back({name.toLower() + "_min_c", name + " min", TextColumnMin, name,
                           QStringLiteral("\u00B0C"), 1,
                           [n](const LedgerRow& r) { return r.TMin[n]; }});
        columns.push_back({name.toLower() + "_max_c", name + " max", TextColumnMax, name,
                           QStringLiteral("\u00B0C"), 1,
                           [n](const LedgerRow& r) { return r.TMax[n]; }});
    }
    static const char* const outputs[] = {"R1", "R2", "R3", "RError"};
    for (int k = 0; k < LedgerOutputCount; ++k) {
        const QString name = QString::fromLatin1(outputs[k]);
        const auto n = static_cast<size_t>(k);
        columns.push_back({name.toLower() + "_on_hours", name + " on", TextColumnOn, name, "h", 2,
                           [n](const LedgerRow& r) { return r.OnHours[n]; }});
        columns.push_back({name.toLower() + "_starts", name + " starts", TextColumnStarts, name, "",
                           0, [n](const LedgerRow& r) { return double(r.Starts[n]); }});
    }
    return columns;
}

} // namespace

QString LedgerColumn::LocalName() const {
    if (Channel.isEmpty())
        return Text(NameText);
    QString channel = Channel;
    for (int c = 0; c < ChannelCount; ++c)
        if (Channel == QLatin1String(ChannelShortNames[static_cast<size_t>(c)]))
            channel = LanguageFormat::ChannelName(c);
    return FormatText(Text(NameText), channel);
}

QString LedgerColumn::LocalHeading() const {
    return Unit.isEmpty() ? LocalName() : QStringLiteral("%1 [%2]").arg(LocalName(), Unit);
}

const std::vector<LedgerColumn>& LedgerColumns() {
    static const std::vector<LedgerColumn> columns = MakeColumns();
    return columns;
}
