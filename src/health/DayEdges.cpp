#include "health/DayEdges.h"

#include <algorithm>
#include <cmath>

namespace {

// Half a second: time stamps are whole seconds at best, sums of them are not exact.
constexpr double Slack = 0.5 / 86400.0;
constexpr double Minute = 1.0 / MinutesPerDay;

bool SameFault(const EdgePiece& a, const EdgePiece& b) {
    const HealthEvent& x = a.Event;
    const HealthEvent& y = b.Event;
    if (x.Kind != y.Kind || x.Channels.empty() || y.Channels.empty() ||
        x.Channels.front() != y.Channels.front())
        return false;
    // A sensor stuck at another value is another fault.
    return x.Kind != EventKind::StuckSensor || x.Value == y.Value;
}

void Judge(const EdgePiece& piece, const HealthThresholds& limits,
           std::vector<HealthEvent>& events) {
    const HealthEvent& event = piece.Event;
    if (!LastsLongEnough(event.Kind, event.Start, event.End, limits))
        return;
    if (event.Kind == EventKind::StuckSensor &&
        !(piece.CollectorHigh - piece.CollectorLow >= limits.StuckCollectorMoveK - 1e-9))
        return;
    events.push_back(event);
    if (event.Kind == EventKind::PumpWithoutFlow)
        events.back().Value = std::round((event.End - event.Start) * MinutesPerDay * 10.0) / 10.0;
}

// Whether `next` goes on where `day` ended: the day after, with no recording gap over midnight
// (the rule a day applies between its own lines).
bool Continues(const DayEdges& day, const DayEdges& next, const HealthThresholds& limits) {
    return day.HasLines && next.HasLines && std::abs(next.Day - day.Day - 1.0) < Slack &&
           next.FirstLine - day.LastEnd < limits.GapMinutes * Minute - Slack;
}

void JoinPieces(const std::vector<const DayEdges*>& days, const HealthThresholds& limits,
                std::vector<HealthEvent>& events) {
    std::vector<EdgePiece> open; // reaching the end of the day before
    const DayEdges* previous = nullptr;
    for (const DayEdges* day : days) {
        const bool goesOn = previous != nullptr && Continues(*previous, *day, limits);
        std::vector<EdgePiece> next;
        for (const EdgePiece& piece : day->Pieces) {
            auto partner = open.end();
            if (goesOn && piece.AtStart)
                partner = std::find_if(open.begin(), open.end(),
                                       [&](const EdgePiece& p) { return SameFault(p, piece); });
            EdgePiece joined = piece;
            if (partner != open.end()) {
                joined = std::move(*partner);
                open.erase(partner);
                joined.Event.End = piece.Event.End;
                joined.Event.Value = std::max(joined.Event.Value, piece.Event.Value);
                if (piece.Event.Channels.size() > joined.Event.Channels.size())
                    joined.Event.Channels = piece.Event.Channels;
                joined.CollectorLow = std::min(joined.CollectorLow, piece.CollectorLow);
                joined.CollectorHigh = std::max(joined.CollectorHigh, piece.CollectorHigh);
                joined.AtEnd = piece.AtEnd;
            }
            if (joined.AtEnd)
                next.push_back(std::move(joined));
            else
                Judge(joined, limits, events);
        }
        for (const EdgePiece& left : open)
            Judge(left, limits, events);
        open = std::move(next);
        previous = day;
    }
    for (const EdgePiece& left : open)
        Judge(left, limits, events);
}

void FindCyclingOverDays(const std::vector<const DayEdges*>& days, const HealthThresholds& limits,
                         std::vector<HealthEvent>& events) {
    const auto onward = [&](size_t i) {
        return i + 1 < days.size() && Continues(*days[i], *days[i + 1], limits) &&
               days[i + 1]->PumpOnAtStart;
    };
    // Where the pump's run from each day's first line ends, followed over midnight.
    std::vector<DateTime> until(days.size());
    for (size_t i = days.size(); i-- > 0;)
        until[i] = days[i]->PumpOnAllDay && onward(i) ? until[i + 1] : days[i]->PumpOnUntil;
    std::vector<PumpStart> starts;
    int pump = -1;
    for (size_t i = 0; i < days.size(); ++i) {
        for (PumpStart start : days[i]->Starts) {
            if (start.RunsToDayEnd && onward(i))
                start.RunEnd = until[i + 1];
            starts.push_back(start);
        }
        pump = days[i]->Starts.empty() ? pump : days[i]->Pump;
    }
    if (pump >= 0)
        FindCyclingWindows(starts, pump, limits, events);
}

} // namespace

bool LastsLongEnough(EventKind kind, DateTime start, DateTime end, const HealthThresholds& limits) {
    const double length = end - start;
    switch (kind) {
    case EventKind::StuckSensor:
        return length >= limits.StuckHours / 24.0 - Slack;
    case EventKind::PumpWithoutFlow:
        return length * MinutesPerDay >= limits.NoFlowMinutes - 1e-6;
    case EventKind::MissedYield:
        return length >= limits.MissedYieldMinutes * Minute - Slack;
    case EventKind::HeatLoss:
        return length >= limits.HeatLossMinutes * Minute - Slack;
    case EventKind::RecordingGap:
        return length >= limits.GapMinutes * Minute - Slack;
    default:
        return true;
    }
}

void FindCyclingWindows(const std::vector<PumpStart>& starts, int pump,
                        const HealthThresholds& limits, std::vector<HealthEvent>& events) {
    // Held to its range before the conversion: limits may come from anywhere, not only the file.
    const double limit = limits.PumpCycleStarts;
    const double bounded = limit >= healthlimit::PumpCycleStarts.Min
                               ? std::min(limit, healthlimit::PumpCycleStarts.Max)
                               : healthlimit::PumpCycleStarts.Min;
    const auto needed = static_cast<size_t>(std::ceil(bounded - 1e-9));
    const double window = limits.PumpCycleMinutes * Minute;
    size_t groupFirst = 0;
    size_t groupLast = 0;
    size_t most = 0;
    bool open = false;
    // The event lasts until the pump stops after its last start.
    const auto close = [&] {
        events.push_back({EventKind::PumpCycling,
                          starts[groupFirst].Time,
                          starts[groupLast].RunEnd,
                          {pump},
                          static_cast<double>(most)});
    };
    size_t end = 0;
    for (size_t first = 0; first < starts.size(); ++first) {
        end = std::max(end, first);
        while (end < starts.size() && starts[end].Time - starts[first].Time < window - Slack)
            ++end;
        const size_t inWindow = end - first; // starts[first .. end)
        if (inWindow < needed)
            continue;
        if (open && first <= groupLast) {
            groupLast = std::max(groupLast, end - 1);
            most = std::max(most, inWindow);
        } else {
            if (open)
                close();
            open = true;
            groupFirst = first;
            groupLast = end - 1;
            most = inWindow;
        }
    }
    if (open)
        close();
}

void JoinDayEdges(const std::vector<const DayEdges*>& days, const HealthThresholds& limits,
                  std::vector<HealthEvent>& events) {
    JoinPieces(days, limits, events);
    FindCyclingOverDays(days, limits, events);
}
