#include "ui/analysis/ReferencePeriod.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"
#include "core/OutOfMemoryError.h"
#include "ledger/CompareTexts.h"
#include "logdata/ChannelReadings.h"
#include "logdata/DayFileCollection.h"
#include "logdata/DayFilesAhead.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"
#include "ui/ErrorBoundary.h"
#include "ui/ReadoutFormat.h"
#include "ui/analysis/AnalysisView.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

namespace {

// Slots of the month's daily totals, apart from the days' slots.
constexpr int TotalSlotBase = 100;

QString DayText(DateTime day) { return DatePattern::Format(QStringLiteral("dd.mm.yyyy"), day); }

} // namespace

ReferencePeriod::ReferencePeriod(ChartSurface& chart, ChartSurface& chart2, AnalysisView& view,
                                 DataSource period, std::function<void()> axesChanged,
                                 QObject* parent)
    : QObject(parent), Chart(chart), Chart2(chart2), FPeriod(std::move(period)),
      FAxesChanged(std::move(axesChanged)), FHost(std::make_unique<MemoryHost>()),
      FHost2(std::make_unique<MemoryHost>()) {
    connect(&view, &AnalysisView::Cleared, this, [this] { Clear(); });
    // The window sets the title anew for every day it moves to; the line follows.
    connect(&view, &AnalysisView::TitleChanged, this, [this] {
        FTitleLine.clear();
        ShowTitleLine(Active());
    });
}

ReferencePeriod::~ReferencePeriod() = default;

QColor ReferencePeriod::Lighter(const QColor& colour) {
    // Two thirds of the way to white: still the channel's hue, never mistaken for it.
    const auto blend = [](int c) { return c + (255 - c) * 2 / 3; };
    return QColor(blend(colour.red()), blend(colour.green()), blend(colour.blue()));
}

void ReferencePeriod::Load(const ReferenceShift& shift, DateTime first, DateTime last) {
    const TAnalysisData* period = FPeriod();
    if (period == nullptr || period->GetDayCount() == 0)
        return;
    const DateTime periodFirst =
        period->IsMultiDay() ? period->GetFirstDate() : period->GetStartDate(0);
    const DateTime periodLast =
        period->IsMultiDay() ? period->GetLastDate() : period->GetStartDate(0);
    DateTime from = 0.0;
    DateTime to = -1.0;
    if (shift.ReferenceRange(periodFirst, periodLast, from, to)) {
        if (first > 0.0)
            from = std::max(from, std::floor(first));
        if (last > 0.0)
            to = std::min(to, std::floor(last));
    }
    const QString dates = to > from ? DayText(from) + QStringLiteral("\u2013") + DayText(to)
                                    : DayText(to >= from ? from : periodFirst);
    std::vector<DayFile> found;
    if (to >= from)
        DayFileCollection::InRange(QFileInfo(period->GetDayFileName(0)).absolutePath(), from,
                                   static_cast<int>(to - from) + 1, found);
    if (found.empty())
        AppError::Raise(FormatText(Text(TextCompareNoFiles), dates));
    QStringList files;
    for (const DayFile& file : found)
        files << file.Path;

    // Read as a multi-day analysis reads its range: a file that fails is named and passed over.
    const QString firstFile = files.first();
    auto data = std::make_unique<TAnalysisData>([firstFile](const AppError& error) {
        OnAppException(AppError(FileErrorText(firstFile, error.Message())));
    });
    data->LoadRange(from, to, static_cast<unsigned>(files.size()), firstFile, FHost.get(),
                    FHost2.get());
    {
        DayFilesAhead ahead(*data, files, 1);
        for (qsizetype i = 1; i < files.size(); ++i) {
            try {
                data->AddRead(ahead.Take(i));
            } catch (const OutOfMemoryError&) {
                throw;
            } catch (const AppError& error) {
                OnAppException(AppError(FileErrorText(files[i], error.Message())));
            }
        }
    }
    if (data->GetDayCount() == 0)
        AppError::Raise(FormatText(Text(TextCompareNoFiles), dates));
    if (data->IsMultiDay())
        data->BuildMonthTotals();

    Clear();
    FData = std::move(data);
    FShift = shift;
    FFirst = from;
    FLast = to;
    for (unsigned i = 0; i < FData->GetDayCount(); ++i)
        FDays[FData->GetStartDate(i)] = &FData->GetDay(i);
    FReadings = std::make_unique<ChannelReadings>(*FData);
    Sync();
    ShowTitleLine(true);
    Q_EMIT Changed();
}

void ReferencePeriod::Clear() {
    if (!Active())
        return;
    const bool hadSeries = !FShown.empty();
    FShown.clear();
    FReadings.reset();
    FDays.clear();
    FData.reset();
    ShowTitleLine(false);
    if (hadSeries && FAxesChanged)
        FAxesChanged();
    Q_EMIT Changed();
}

QString ReferencePeriod::Dates() const {
    if (!Active())
        return {};
    return FLast > FFirst ? DayText(FFirst) + QStringLiteral("\u2013") + DayText(FLast)
                          : DayText(FFirst);
}

QString ReferencePeriod::TitleLine() const {
    return FormatText(Text(TextCompareTitleLine), Dates());
}

void ReferencePeriod::ShowTitleLine(bool shown) {
    if (!FTitleLine.isEmpty()) {
        QStringList lines;
        for (int i = 0; i < Chart.TitleCount(); ++i)
            if (Chart.TitleLine(i) != FTitleLine)
                lines << Chart.TitleLine(i);
        Chart.ClearTitle();
        for (const QString& line : lines)
            Chart.AddTitle(line);
        FTitleLine.clear();
    }
    if (shown && Chart.TitleCount() > 0) {
        FTitleLine = TitleLine();
        Chart.AddTitle(FTitleLine);
    }
}

const TDay* ReferencePeriod::ReferenceDayOf(DateTime periodDay) const {
    const std::optional<DateTime> partner = FShift.ReferenceDay(periodDay);
    if (!partner)
        return nullptr;
    const auto it = FDays.find(*partner);
    return it == FDays.end() ? nullptr : it->second;
}

void ReferencePeriod::CopyStyle(const ChartSeries& from, ChartSeries& to) {
    to.SetUnderlay(true);
    to.SetShowInLegend(false);
    to.SetKind(from.Kind());
    to.SetStairs(from.Stairs());
    to.SetBarOrigin(from.BarOrigin());
    to.SetColor(Lighter(from.Color()));
    to.SetTitle(from.Title());
    to.SetLineWidth(from.LineWidth());
    to.SetAxis(from.Axis());
}

std::unique_ptr<ChartSeries> ReferencePeriod::MovedCopy(const ChartSeries& source,
                                                        double days) const {
    auto copy = std::make_unique<ChartSeries>(source.Kind());
    copy->Reserve(source.Count());
    source.ForEachPoint([&](DateTime x, double y) {
        if (std::isnan(y))
            copy->AddNull(x + days);
        else
            copy->AddXY(x + days, y);
    });
    return copy;
}

std::unique_ptr<ChartSeries> ReferencePeriod::MonthTotals(int slot, DateTime from,
                                                          DateTime to) const {
    auto totals = std::make_unique<ChartSeries>(SeriesKind::Line);
    for (const TMonth* month = FData->GetFirstMonth(); month != nullptr; month = month->GetNext()) {
        const ChartSeries* series = month->TotalSlot(slot).Series.get();
        if (series == nullptr)
            continue;
        series->ForEachPoint([&](DateTime x, double y) {
            const std::optional<DateTime> at = FShift.ToPeriod(x);
            if (at && *at >= from && *at < to && !std::isnan(y))
                totals->AddXY(*at, y);
        });
    }
    return totals;
}

void ReferencePeriod::Sync() {
    std::map<Key, std::unique_ptr<ChartSeries>> kept;
    bool changed = false;
    const auto keep = [&](const Key& key, const ChartSeries& shown, const auto& make) {
        std::unique_ptr<ChartSeries> series;
        if (const auto it = FShown.find(key); it != FShown.end()) {
            series = std::move(it->second);
            FShown.erase(it);
        } else {
            series = make();
        }
        CopyStyle(shown, *series);
        if (series->Host() != shown.Host()) {
            shown.Host()->AddSeries(series.get());
            changed = true;
        }
        kept[key] = std::move(series);
    };
    const TAnalysisData* period = FPeriod();
    if (Active() && period != nullptr && period->GetDayCount() > 0) {
        for (unsigned i = 0; i < period->GetDayCount(); ++i) {
            const TDay& day = period->GetDay(i);
            const TDay* partner = nullptr;
            bool looked = false;
            for (int s = 0; s < TDay::SlotCount; ++s) {
                const ChartSeries* shown = day.SlotAt(s).Series.get();
                if (shown == nullptr || shown->Host() == nullptr)
                    continue;
                if (!looked) {
                    partner = ReferenceDayOf(day.StartDate());
                    looked = true;
                }
                if (partner == nullptr)
                    break;
                keep(Key{partner, s, shown->Host()}, *shown, [&] {
                    return MovedCopy(partner->SeriesAt(s), day.StartDate() - partner->StartDate());
                });
            }
        }
        for (const TMonth* month = period->GetFirstMonth(); month != nullptr;
             month = month->GetNext())
            for (int k = 0; k < 2; ++k) {
                const ChartSeries* shown = month->TotalSlot(k).Series.get();
                if (shown == nullptr || shown->Host() == nullptr || !FData->IsMultiDay())
                    continue;
                keep(Key{month, TotalSlotBase + k, shown->Host()}, *shown,
                     [&] { return MonthTotals(k, month->StartDate(), month->EndDate()); });
            }
    }
    changed = changed || !FShown.empty();
    FShown = std::move(kept); // the series no longer wanted leave the charts
    if (changed && FAxesChanged)
        FAxesChanged();
}

ReferencePeriod::Reading ReferencePeriod::ValueAt(int channel, DateTime periodTime) {
    Reading reading;
    if (!Active())
        return reading;
    const std::optional<DateTime> at = FShift.ToReference(periodTime);
    if (!at)
        return reading;
    reading.Day = std::floor(*at);
    // Midnight ends the day before as much as it begins the next: a day's last point is there.
    if (FDays.count(reading.Day) == 0 &&
        !(*at == reading.Day && FDays.count(reading.Day - 1.0) != 0)) {
        reading.Is = Reading::State::NoFile;
        return reading;
    }
    const ChannelReadings::Reading value = FReadings->ValueAt(channel, *at);
    reading.Is = value.HasValue ? Reading::State::Value : Reading::State::NoValue;
    reading.Value = value.Value;
    return reading;
}

std::optional<ExportReference> ReferencePeriod::ExportColumns() {
    if (!Active())
        return std::nullopt;
    ExportReference columns;
    columns.First = FFirst;
    columns.Last = FLast;
    columns.ValueAt = [this](int channel, DateTime periodTime) -> std::optional<double> {
        const Reading reading = ValueAt(channel, periodTime);
        if (reading.Is != Reading::State::Value)
            return std::nullopt;
        return reading.Value;
    };
    return columns;
}

QString ReferencePeriod::ReadoutSuffix(int channel, DateTime periodTime,
                                       std::optional<double> own) {
    const Reading reference = ValueAt(channel, periodTime);
    if (reference.Is != Reading::State::Value && reference.Is != Reading::State::NoValue)
        return {};
    const QString none = QStringLiteral("\u2013");
    const int decimals = readout::Decimals(channel);
    QString value = none;
    QString difference = none;
    if (reference.Is == Reading::State::Value) {
        value = readout::Number(reference.Value, decimals);
        if (own) {
            const double d = *own - reference.Value;
            difference = readout::Number(d, decimals);
            if (difference != readout::Number(0.0, decimals) && d > 0.0)
                difference.prepend(QLatin1Char('+'));
        }
    }
    return QStringLiteral("  (") + Text(TextReadoutReference).arg(value, difference) +
           QLatin1Char(')');
}

QString ReferencePeriod::ReadoutNote(DateTime periodTime) {
    if (!Active())
        return {};
    const Reading reference = ValueAt(ChT1, periodTime);
    if (reference.Is == Reading::State::NoPartner)
        return Text(TextReadoutNoPartner);
    if (reference.Is == Reading::State::NoFile)
        return FormatText(Text(TextReadoutNoFile), DayText(reference.Day));
    return {};
}

std::optional<ChannelReadings::Statistics>
ReferencePeriod::SpanStatistics(int channel, DateTime from, DateTime to) {
    if (!Active() || !(to > from))
        return std::nullopt;
    const std::optional<DateTime> start = FShift.ToReference(from);
    // A span that ends at midnight ends with its last day, whatever follows that day.
    const DateTime last = std::ceil(to) == to ? to - 1.0 : to;
    const std::optional<DateTime> end = FShift.ToReference(last);
    if (!start || !end)
        return std::nullopt;
    return FReadings->SpanStatistics(channel, *start, *end + (to - last));
}
