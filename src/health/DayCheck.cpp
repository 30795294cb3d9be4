#include "health/DayCheck.h"

#include "health/DayReadings.h"

#include <algorithm>
#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Half a second: time stamps are whole seconds at best, sums of them are not exact.
constexpr double Slack = 0.5 / 86400.0;
constexpr double Minute = 1.0 / MinutesPerDay;

bool On(double level) { return level > 0.0; }

} // namespace

DayCheck::DayCheck(const DayReadings& readings, const ChannelRoles& roles,
                   const HealthThresholds& limits)
    : R(readings), Roles(roles), Limits(limits), Breaks(static_cast<size_t>(readings.Count())) {
    const double limit = Limits.GapMinutes * Minute - Slack;
    FirstBreak = R.Count();
    for (int i = 1; i < R.Count(); ++i) {
        Breaks[static_cast<size_t>(i)] = R.MissingBefore(i) >= limit ? 1 : 0;
        if (Breaks[static_cast<size_t>(i)] != 0) {
            FirstBreak = std::min(FirstBreak, i);
            LastBreak = i;
        }
    }
    // The extremes of the inputs (whether one ever moves) and of the channels a finder can be
    // ruled out by; the others stay unbounded.
    for (int c = 0; c < FileChannelCount; ++c) {
        Low[static_cast<size_t>(c)] = -INFINITY;
        High[static_cast<size_t>(c)] = INFINITY;
        if (c <= ChTD || c == Roles.Collector || c == Roles.Store || c == Roles.Pump ||
            c == ChRError)
            Extremes(c);
    }
}

void DayCheck::Extremes(int channel) {
    // No comparison with a missing value (NaN) holds, so those are passed over. Several lanes, so
    // that each comparison need not wait for the one before.
    const int n = R.Count();
    const double* v = R.Values(channel);
    double low = INFINITY;
    double high = -INFINITY;
    int i = 0;
#if defined(__SSE2__)
    // A packed minimum keeps its second operand where the first is NaN, as the scalar rule does.
    __m128d low0 = _mm_set1_pd(INFINITY), low1 = low0;
    __m128d high0 = _mm_set1_pd(-INFINITY), high1 = high0;
    for (; i + 4 <= n; i += 4) {
        const __m128d a = _mm_loadu_pd(v + i);
        const __m128d b = _mm_loadu_pd(v + i + 2);
        low0 = _mm_min_pd(a, low0);
        low1 = _mm_min_pd(b, low1);
        high0 = _mm_max_pd(a, high0);
        high1 = _mm_max_pd(b, high1);
    }
    alignas(16) double lanes[4];
    _mm_store_pd(lanes, _mm_min_pd(low0, low1));
    low = std::min(lanes[0], lanes[1]);
    _mm_store_pd(lanes + 2, _mm_max_pd(high0, high1));
    high = std::max(lanes[2], lanes[3]);
#endif
    for (; i < n; ++i) {
        low = v[i] < low ? v[i] : low;
        high = v[i] > high ? v[i] : high;
    }
    Low[static_cast<size_t>(channel)] = low;
    High[static_cast<size_t>(channel)] = high;
}

std::vector<int> DayCheck::WithPower(std::vector<int> channels) const {
    // What the pump carried shows in the power: nothing, or heat taken from the store.
    if (IsFileChannel(Roles.Power) && R.HasValues(Roles.Power))
        channels.push_back(Roles.Power);
    return channels;
}

bool DayCheck::KeptForRange(const Run& run, const HealthEvent& event) const {
    if (Edges == nullptr || !(run.AtStart || run.AtEnd))
        return false;
    Edges->Pieces.push_back({event, run.AtStart, run.AtEnd});
    return true;
}

template <typename Judge> std::vector<DayCheck::Run> DayCheck::Runs(Judge verdict) const {
    std::vector<Run> runs;
    int first = -1;
    int last = -1;
    bool fromStart = true; // nothing has said No since the day's start
    bool atStart = false;
    for (int i = 0; i < R.Count(); ++i) {
        if (BreakBefore(i)) {
            if (first >= 0)
                runs.push_back({first, last, R.Time(last) + R.Interval(), atStart, false});
            first = -1;
            fromStart = false;
        }
        const Verdict v = verdict(i);
        if (v == Verdict::Yes) {
            if (first < 0) {
                first = i;
                atStart = fromStart;
            }
            last = i;
        } else if (v == Verdict::No) {
            if (first >= 0)
                runs.push_back({first, last, EndAfter(last), atStart, false});
            first = -1;
            fromStart = false;
        }
    }
    if (first >= 0)
        runs.push_back({first, last, EndAfter(last), atStart, true});
    return runs;
}

std::vector<HealthEvent> DayCheck::FindAll() {
    std::vector<HealthEvent> events;
    if (Edges != nullptr) {
        *Edges = DayEdges();
        Edges->Day = FloorDay(R.DayStart());
        Edges->HasLines = R.Count() > 0;
        if (Edges->HasLines) {
            Edges->FirstLine = R.Time(0);
            Edges->LastEnd = R.Time(R.Count() - 1) + R.Interval();
        }
    }
    FindSensorFaults(events);
    FindStuckSensors(events);
    FindPumpWithoutFlow(events);
    FindMissedYield(events);
    FindStagnation(events);
    FindHeatLoss(events);
    if (Edges != nullptr)
        KeepPumpEdges();
    else
        FindPumpCycling(events);
    FindFaultOutput(events);
    FindRecordingGaps(events);
    std::stable_sort(events.begin(), events.end(),
                     [](const HealthEvent& a, const HealthEvent& b) { return a.Start < b.Start; });
    return events;
}

void DayCheck::FindSensorFaults(std::vector<HealthEvent>& events) const {
    // "Err" fields, one event per channel and run of lines that carry one.
    std::vector<HealthEvent> found;
    for (int c = 0; c < FileChannelCount; ++c) {
        int first = -1;
        int last = -1;
        int count = 0;
        const auto close = [&] {
            if (first >= 0)
                found.push_back({EventKind::SensorFault,
                                 R.Time(first),
                                 EndAfter(last),
                                 {c},
                                 static_cast<double>(count)});
        };
        for (const DayReadings::FaultMark& mark : R.FaultMarks()) {
            if (mark.Channel != c)
                continue;
            const int line = R.LineAt(mark.Time);
            if (line >= R.Count() || line == last)
                continue;
            if (first < 0 || line != last + 1 || BreakBefore(line)) {
                close();
                first = line;
                count = 0;
            }
            last = line;
            ++count;
        }
        close();
    }
    // Temperatures no sensor can read.
    for (int c = ChT1; c <= ChTD; ++c) {
        if (!R.HasValues(c))
            continue;
        if (LowOf(c) >= Limits.SensorMinC && HighOf(c) <= Limits.SensorMaxC)
            continue;
        const auto outside = [&](int i) {
            const double v = R.Value(c, i);
            if (std::isnan(v))
                return Verdict::Unknown;
            return v < Limits.SensorMinC || v > Limits.SensorMaxC ? Verdict::Yes : Verdict::No;
        };
        for (const Run& run : Runs(outside)) {
            int count = 0;
            for (int i = run.First; i <= run.Last; ++i)
                count += outside(i) == Verdict::Yes ? 1 : 0;
            found.push_back({EventKind::SensorFault,
                             R.Time(run.First),
                             run.End,
                             {c},
                             static_cast<double>(count)});
        }
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const HealthEvent& a, const HealthEvent& b) { return a.Start < b.Start; });
    events.insert(events.end(), found.begin(), found.end());
}

// An upper bound on how long a channel's value holds, in days: from the line where it changed to
// the line where it changes again (or one interval past the day's last line), a missing value
// counting as no change. Nearly every channel of a sound day stays far below the stuck limit, and
// this loop has no branch that data could mispredict, unlike the exact one.
double DayCheck::LongestHold(int channel) const {
    if (R.Count() == 0)
        return 0.0;
    double longest = 0.0;
    DateTime start = R.Time(0);
    // Two maxima taken in turn, so that each need not wait for the one before.
    double other = 0.0;
    const auto step = [&](int i, double& most) {
        const double a = R.Value(channel, i - 1);
        const double b = R.Value(channel, i);
        const bool same = a == b || std::isnan(a) || std::isnan(b);
        const DateTime t = R.Time(i);
        most = std::max(most, t - start);
        start = same ? start : t;
    };
    int i = 1;
    for (; i + 1 < R.Count(); i += 2) {
        step(i, longest);
        step(i + 1, other);
    }
    if (i < R.Count())
        step(i, longest);
    return std::max({longest, other, R.Time(R.Count() - 1) + R.Interval() - start});
}

void DayCheck::FindStuckSensors(std::vector<HealthEvent>& events) const {
    const int collector = Roles.Collector;
    if (!IsFileChannel(collector) || !R.HasValues(collector))
        return;
    std::vector<HealthEvent> found;
    for (int c = ChT1; c <= ChTD; ++c) {
        if (c == collector || !R.HasValues(c))
            continue;
        const bool holdsLong = LongestHold(c) >= Limits.StuckHours / 24.0 - Slack;
        if (!holdsLong && Edges == nullptr)
            continue;
        int valued = 0; // the first line with a value
        while (valued < R.Count() && std::isnan(R.Value(c, valued)))
            ++valued;
        if (valued == R.Count())
            continue;
        int first = -1;
        int last = -1;
        double held = 0.0;
        const auto close = [&](DateTime end, bool toEnd) {
            const bool atStart = first == valued && first < FirstBreak;
            const bool atEnd = toEnd && last >= LastBreak;
            const bool edge = Edges != nullptr && (atStart || atEnd);
            if (first < 0 || (!edge && end - R.Time(first) < Limits.StuckHours / 24.0 - Slack))
                return;
            double low = INFINITY;
            double high = -INFINITY;
            for (int i = first; i <= last; ++i) {
                const double t = R.Value(collector, i);
                if (!std::isnan(t)) {
                    low = std::min(low, t);
                    high = std::max(high, t);
                }
            }
            const HealthEvent event{
                EventKind::StuckSensor, R.Time(first), end, {c, collector}, held};
            if (edge)
                Edges->Pieces.push_back({event, atStart, atEnd, low, high});
            else if (high - low >= Limits.StuckCollectorMoveK - 1e-9)
                found.push_back(event);
        };
        const auto scan = [&](int from, int stop, bool firstOnly) {
            for (int i = from; i < stop; ++i) {
                const double v = R.Value(c, i);
                if (std::isnan(v))
                    continue;
                if (first >= 0 && BreakBefore(i)) {
                    close(R.Time(last) + R.Interval(), false);
                    first = -1;
                    if (firstOnly)
                        return;
                }
                if (first >= 0 && v == held) {
                    last = i;
                    continue;
                }
                if (first >= 0) {
                    close(EndAfter(last), false);
                    first = -1;
                    if (firstOnly)
                        return;
                }
                first = last = i;
                held = v;
            }
            // Cut short at `stop`, where a differing value or a gap ends the run.
            if (firstOnly && first >= 0) {
                close(BreakBefore(stop) ? R.Time(last) + R.Interval() : EndAfter(last), false);
                first = -1;
            }
        };
        // Holding briefly all day, only the runs at the day's edges are of interest: the first,
        // and the last, which begins where a line with a value differs or a gap lies before.
        int begin = R.Count() - 1;
        while (std::isnan(R.Value(c, begin)))
            --begin;
        const double tail = R.Value(c, begin);
        for (int i = begin - 1; !holdsLong && i >= valued && !BreakBefore(begin); --i)
            if (!std::isnan(R.Value(c, i))) {
                if (R.Value(c, i) != tail)
                    break;
                begin = i;
            }
        if (!holdsLong && begin > valued) {
            scan(0, begin, true);
            scan(begin, R.Count(), false);
        } else {
            scan(0, R.Count(), false);
        }
        if (first >= 0)
            close(EndAfter(last), true);
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const HealthEvent& a, const HealthEvent& b) { return a.Start < b.Start; });
    events.insert(events.end(), found.begin(), found.end());
}

void DayCheck::FindPumpWithoutFlow(std::vector<HealthEvent>& events) const {
    if (NeverOn(Roles.Pump))
        return;
    const int pump = Roles.Pump;
    const int flow = Roles.Flow;
    // Only where Flow is logged: a plant without a flow meter writes no Flow at all.
    if (!IsFileChannel(pump) || !IsFileChannel(flow) || !R.HasValues(flow))
        return;
    const auto dry = [&](int i) {
        const double p = V(pump, i);
        const double f = V(flow, i);
        if (std::isnan(p) || std::isnan(f))
            return Verdict::Unknown;
        return On(p) && f <= 0.0 ? Verdict::Yes : Verdict::No;
    };
    for (const Run& run : Runs(dry)) {
        const double minutes = (run.End - R.Time(run.First)) * MinutesPerDay;
        const HealthEvent event{EventKind::PumpWithoutFlow, R.Time(run.First), run.End,
                                WithPower({pump, flow}), std::round(minutes * 10.0) / 10.0};
        if (!KeptForRange(run, event) &&
            LastsLongEnough(event.Kind, event.Start, event.End, Limits))
            events.push_back(event);
    }
}

void DayCheck::FindMissedYield(std::vector<HealthEvent>& events) const {
    if (!(HighOf(Roles.Collector) - LowOf(Roles.Store) >= Limits.MissedYieldK))
        return;
    const int collector = Roles.Collector;
    const int store = Roles.Store;
    const int pump = Roles.Pump;
    // A stagnating collector is its own kind: the controller keeps the pump off on purpose.
    const auto missed = [&](int i) {
        const double t = V(collector, i);
        const double s = V(store, i);
        const double p = V(pump, i);
        if (std::isnan(t) || std::isnan(s) || std::isnan(p))
            return Verdict::Unknown;
        return !On(p) && t - s >= Limits.MissedYieldK && t < Limits.StagnationC ? Verdict::Yes
                                                                                : Verdict::No;
    };
    for (const Run& run : Runs(missed)) {
        const bool edge = Edges != nullptr && (run.AtStart || run.AtEnd);
        if (!edge && !LastsLongEnough(EventKind::MissedYield, R.Time(run.First), run.End, Limits))
            continue;
        double most = 0.0;
        for (int i = run.First; i <= run.Last; ++i)
            if (missed(i) == Verdict::Yes)
                most = std::max(most, V(collector, i) - V(store, i));
        const HealthEvent event{
            EventKind::MissedYield, R.Time(run.First), run.End, {collector, store, pump}, most};
        if (!KeptForRange(run, event))
            events.push_back(event);
    }
}

void DayCheck::FindStagnation(std::vector<HealthEvent>& events) const {
    if (!(HighOf(Roles.Collector) >= Limits.StagnationC))
        return;
    const int collector = Roles.Collector;
    const int pump = Roles.Pump;
    const auto hot = [&](int i) {
        const double t = V(collector, i);
        const double p = V(pump, i);
        if (std::isnan(t) || std::isnan(p))
            return Verdict::Unknown;
        return !On(p) && t >= Limits.StagnationC ? Verdict::Yes : Verdict::No;
    };
    for (const Run& run : Runs(hot)) {
        double most = -INFINITY;
        for (int i = run.First; i <= run.Last; ++i)
            if (hot(i) == Verdict::Yes)
                most = std::max(most, V(collector, i));
        events.push_back(
            {EventKind::Stagnation, R.Time(run.First), run.End, {collector, pump}, most});
    }
}

void DayCheck::FindHeatLoss(std::vector<HealthEvent>& events) const {
    if (NeverOn(Roles.Pump))
        return;
    const int collector = Roles.Collector;
    const int store = Roles.Store;
    const int pump = Roles.Pump;
    const auto losing = [&](int i) {
        const double t = V(collector, i);
        const double s = V(store, i);
        const double p = V(pump, i);
        if (std::isnan(t) || std::isnan(s) || std::isnan(p))
            return Verdict::Unknown;
        return On(p) && t < s ? Verdict::Yes : Verdict::No;
    };
    for (const Run& run : Runs(losing)) {
        const bool edge = Edges != nullptr && (run.AtStart || run.AtEnd);
        if (!edge && !LastsLongEnough(EventKind::HeatLoss, R.Time(run.First), run.End, Limits))
            continue;
        double most = 0.0;
        for (int i = run.First; i <= run.Last; ++i)
            if (losing(i) == Verdict::Yes)
                most = std::max(most, V(store, i) - V(collector, i));
        const HealthEvent event{EventKind::HeatLoss, R.Time(run.First), run.End,
                                WithPower({collector, store, pump}), most};
        if (!KeptForRange(run, event))
            events.push_back(event);
    }
}

int DayCheck::PumpRunLast(int line) const {
    const int pump = Roles.Pump;
    while (line + 1 < R.Count() && !BreakBefore(line + 1) &&
           (std::isnan(V(pump, line + 1)) || On(V(pump, line + 1))))
        ++line;
    return line;
}

std::vector<PumpStart> DayCheck::PumpStarts() const {
    // The starts are the day's own (the ledger and the span statistics count the same ones).
    std::vector<PumpStart> starts;
    int previous = -1;
    for (const DateTime time : R.StartTimes(Roles.Pump - ChR1)) {
        const int line = R.LineAt(time);
        if (line >= R.Count() || line == previous)
            continue;
        previous = line;
        const int last = PumpRunLast(line);
        starts.push_back({R.Time(line), EndAfter(last), last == R.Count() - 1});
    }
    return starts;
}

void DayCheck::FindPumpCycling(std::vector<HealthEvent>& events) const {
    if (NeverOn(Roles.Pump))
        return;
    const int pump = Roles.Pump;
    if (!IsOutputChannel(pump) || !R.HasValues(pump))
        return;
    FindCyclingWindows(PumpStarts(), pump, Limits, events);
}

void DayCheck::KeepPumpEdges() const {
    const int pump = Roles.Pump;
    if (!IsOutputChannel(pump) || !R.HasValues(pump) || R.Count() == 0)
        return;
    Edges->Pump = pump;
    if (!NeverOn(pump))
        Edges->Starts = PumpStarts();
    const double level = V(pump, 0);
    Edges->PumpOnAtStart = std::isnan(level) || On(level);
    if (Edges->PumpOnAtStart) {
        const int last = PumpRunLast(0);
        Edges->PumpOnAllDay = last == R.Count() - 1;
        Edges->PumpOnUntil = EndAfter(last);
    }
}

void DayCheck::FindFaultOutput(std::vector<HealthEvent>& events) const {
    if (NeverOn(ChRError))
        return;
    if (!R.HasValues(ChRError))
        return;
    const auto raised = [&](int i) {
        const double v = R.Value(ChRError, i);
        if (std::isnan(v))
            return Verdict::Unknown;
        return On(v) ? Verdict::Yes : Verdict::No;
    };
    for (const Run& run : Runs(raised)) {
        const double minutes = (run.End - R.Time(run.First)) * MinutesPerDay;
        events.push_back({EventKind::FaultOutput,
                          R.Time(run.First),
                          run.End,
                          {ChRError},
                          std::round(minutes * 10.0) / 10.0});
    }
}

void DayCheck::FindRecordingGaps(std::vector<HealthEvent>& events) const {
    const double limit = Limits.GapMinutes * Minute - Slack;
    const auto add = [&](DateTime start, DateTime end, bool edge = false) {
        if (end - start >= limit || (edge && Edges != nullptr && end - start > Slack))
            events.push_back({EventKind::RecordingGap,
                              start,
                              end,
                              {},
                              std::round((end - start) * MinutesPerDay * 10.0) / 10.0});
    };
    if (R.Count() == 0) {
        add(R.DayStart(), R.DayEnd(), true);
        return;
    }
    add(R.DayStart(), R.Time(0), true);
    for (int i = 1; i < R.Count(); ++i)
        if (BreakBefore(i))
            add(R.Time(i - 1) + R.Interval(), R.Time(i));
    add(R.Time(R.Count() - 1) + R.Interval(), R.DayEnd(), true);
}
