#include "logdata/ChannelReadings.h"

#include "chart/ChartSeries.h"
#include "core/Channels.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double Minute = 1.0 / MinutesPerDay;
// Times closer than this (about 0.1 ms) are the same moment.
constexpr double SameTime = 1e-9;

// The number of points at or before `time`: points keep their time order.
int CountUpTo(const ChartSeries& series, DateTime time) {
    int lo = 0;
    int hi = series.Count();
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (series.XValue(mid) <= time)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

// The last value point at or before index `i`, or -1.
int ValueAtOrBefore(const ChartSeries& series, int i) {
    while (i >= 0 && series.IsNull(i))
        --i;
    return i;
}

int ValueAtOrAfter(const ChartSeries& series, int i) {
    while (i < series.Count() && series.IsNull(i))
        ++i;
    return i < series.Count() ? i : -1;
}

} // namespace

ChannelReadings::ChannelReadings(const TAnalysisData& data) {
    if (!data.HasData())
        return;
    if (data.IsMultiDay()) {
        for (const TMonth* month = data.GetFirstMonth(); month != nullptr;
             month = month->GetNext()) {
            for (const TDay* day = month->FirstDayOfChain(); day != nullptr; day = day->GetNext())
                FDays.push_back({day->StartDate(), day});
            const DateTime start = month->StartDate();
            const DateTime end = month->EndDate();
            FVolume.push_back({start, end, month->TotalSlot(0).Series.get(), 1.0});
            FEnergy.push_back({start, end, month->TotalSlot(1).Series.get(), 1.0});
        }
    } else {
        const TDay& day = data.GetDay(0);
        FDays.push_back({day.StartDate(), &day});
    }
    // The days of a month are chained in the order they were read.
    std::stable_sort(FDays.begin(), FDays.end(),
                     [](const DayEntry& a, const DayEntry& b) { return a.Start < b.Start; });
    const auto byStart = [](const Piece& a, const Piece& b) { return a.Start < b.Start; };
    std::stable_sort(FVolume.begin(), FVolume.end(), byStart);
    std::stable_sort(FEnergy.begin(), FEnergy.end(), byStart);
}

size_t ChannelReadings::PieceCount(int channel) const {
    if (channel == ChVolume)
        return FVolume.size();
    if (channel == ChEnergy)
        return FEnergy.size();
    return channel >= 0 && channel < FileChannelCount ? FDays.size() : 0;
}

ChannelReadings::Piece ChannelReadings::PieceOf(int channel, size_t index) const {
    if (channel == ChVolume || channel == ChEnergy) {
        Piece piece = channel == ChVolume ? FVolume[index] : FEnergy[index];
        piece.Bars = piece.Series->Kind() == SeriesKind::Bar;
        return piece;
    }
    const TDay& day = *FDays[index].Day;
    // A day whose interval is unknown (its last line followed a gap) counts one-minute lines.
    const double interval = day.Interval() > 0.0 ? day.Interval() : Minute;
    // An output is drawn from its band series; its values stay in the channel's own.
    const ChartSeries& drawn = IsOutputChannel(channel)
                                   ? day.SeriesAt(TDay::BarSlotBase + channel - ChR1)
                                   : day.SeriesAt(channel);
    return {day.StartDate(), day.StartDate() + 1.0, &day.SeriesAt(channel), interval,
            drawn.Kind() == SeriesKind::Bar};
}

std::optional<size_t> ChannelReadings::PieceBefore(int channel, DateTime time) const {
    size_t lo = 0;
    size_t hi = PieceCount(channel);
    while (lo < hi) {
        const size_t mid = lo + (hi - lo) / 2;
        if (PieceOf(channel, mid).Start <= time)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0)
        return std::nullopt;
    return lo - 1;
}

ChannelReadings::Reading ChannelReadings::ValueAt(int channel, DateTime time) const {
    if (PieceCount(channel) == 0)
        return {};
    // Under a bar, the point read is the one whose bar reaches `time`: the last one at or
    // before half an interval later.
    const Piece near = PieceOf(channel, PieceBefore(channel, time).value_or(0));
    if (near.Bars)
        time += near.Interval / 2.0;
    std::optional<size_t> p = PieceBefore(channel, time);
    // Before the first point of its day, the point at or before lies in the day before.
    for (int tries = 0; p && tries < 2; ++tries) {
        const Piece piece = PieceOf(channel, *p);
        const int i = ValueAtOrBefore(*piece.Series, CountUpTo(*piece.Series, time) - 1);
        if (i >= 0) {
            const DateTime x = piece.Series->XValue(i);
            if (time - x < piece.Interval - SameTime)
                return {true, piece.Series->YValue(i), x};
            return {};
        }
        if (*p == 0)
            break;
        p = *p - 1;
    }
    return {};
}

std::optional<DateTime> ChannelReadings::NextPoint(int channel, DateTime time, bool forward) const {
    const size_t count = PieceCount(channel);
    if (count == 0)
        return std::nullopt;
    const std::optional<size_t> before = PieceBefore(channel, time);
    if (forward) {
        for (size_t p = before.value_or(0); p < count; ++p) {
            const ChartSeries& s = *PieceOf(channel, p).Series;
            const int i = ValueAtOrAfter(s, CountUpTo(s, time + SameTime));
            if (i >= 0)
                return s.XValue(i);
        }
        return std::nullopt;
    }
    if (!before)
        return std::nullopt;
    for (size_t p = *before + 1; p-- > 0;) {
        const ChartSeries& s = *PieceOf(channel, p).Series;
        const int i = ValueAtOrBefore(s, CountUpTo(s, time - SameTime) - 1);
        if (i >= 0)
            return s.XValue(i);
    }
    return std::nullopt;
}

std::optional<DateTime> ChannelReadings::EdgePoint(int channel, DateTime from, DateTime to,
                                                   bool last) const {
    const std::optional<DateTime> t = last ? NextPoint(channel, to + 2 * SameTime, false)
                                           : NextPoint(channel, from - 2 * SameTime, true);
    if (t && *t >= from - SameTime && *t <= to + SameTime)
        return t;
    return std::nullopt;
}

ChannelReadings::Statistics ChannelReadings::SpanStatistics(int channel, DateTime from,
                                                            DateTime to) const {
    Statistics stats;
    if (!(from < to))
        return stats;
    double total = 0.0;
    const size_t count = PieceCount(channel);
    for (size_t p = PieceBefore(channel, from).value_or(0); p < count; ++p) {
        const Piece piece = PieceOf(channel, p);
        if (piece.Start >= to)
            break;
        const ChartSeries& s = *piece.Series;
        for (int i = ValueAtOrAfter(s, CountUpTo(s, from - SameTime)); i >= 0 && i < s.Count();
             ++i) {
            if (s.IsNull(i))
                continue;
            const DateTime x = s.XValue(i);
            if (x >= to)
                break;
            if (x < from)
                continue;
            const double v = s.YValue(i);
            if (stats.Count == 0 || v < stats.Minimum) {
                stats.Minimum = v;
                stats.MinimumTime = x;
            }
            if (stats.Count == 0 || v > stats.Maximum) {
                stats.Maximum = v;
                stats.MaximumTime = x;
            }
            total += v;
            ++stats.Count;
        }
        if (channel == ChFlow || channel == ChPower || IsOutputChannel(channel)) {
            const DaySums sums = FDays[p].Day->SumsWithin(from, to);
            if (channel == ChFlow)
                stats.Sum += sums.Volume();
            else if (channel == ChPower)
                stats.Sum += sums.Energy();
            else {
                stats.OnHours += sums.OnHours(channel - ChR1);
                stats.Starts += sums.Starts(channel - ChR1);
            }
        }
    }
    if (stats.Count > 0)
        stats.Mean = total / stats.Count;
    return stats;
}
