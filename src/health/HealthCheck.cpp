#include "health/HealthCheck.h"

#include "health/DayCheck.h"
#include "health/DayReadings.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Slack = 0.5 / 86400.0;

bool ByStart(const HealthEvent& a, const HealthEvent& b) {
    if (a.Start != b.Start)
        return a.Start < b.Start;
    return a.Kind < b.Kind;
}

// The figure of two joined events: durations and counts add up, the others keep the larger.
double JoinedValue(EventKind kind, double a, double b) {
    switch (kind) {
    case EventKind::SensorFault:
    case EventKind::PumpWithoutFlow:
    case EventKind::FaultOutput:
    case EventKind::RecordingGap:
        return a + b;
    default:
        return std::max(a, b);
    }
}

} // namespace

namespace {

std::vector<HealthEvent> CheckOneDay(const TDay& day, const ChannelRoles& roles,
                                     const HealthThresholds& limits, bool edgeGaps) {
    const DayReadings readings(day);
    DayCheck check(readings, day, roles, limits);
    check.ReportEdgeGaps(edgeGaps);
    return check.FindAll();
}

} // namespace

std::vector<HealthEvent> CheckDay(const TDay& day, const ChannelRoles& roles,
                                  const HealthThresholds& limits) {
    return CheckOneDay(day, roles, limits, false);
}

void JoinTouchingEvents(std::vector<HealthEvent>& events) {
    std::vector<HealthEvent> joined;
    joined.reserve(events.size());
    for (HealthEvent& event : events) {
        // The partner, if any, is among the latest events: a day has only so many.
        auto partner = joined.rend();
        const auto stop = joined.size() > 256 ? joined.rbegin() + 256 : joined.rend();
        for (auto it = joined.rbegin(); it != stop; ++it)
            if (it->Kind == event.Kind && it->Channels == event.Channels &&
                std::abs(it->End - event.Start) <= Slack) {
                partner = it;
                break;
            }
        if (partner == joined.rend()) {
            joined.push_back(std::move(event));
            continue;
        }
        partner->End = std::max(partner->End, event.End);
        partner->Value = JoinedValue(event.Kind, partner->Value, event.Value);
    }
    events.swap(joined);
}

std::vector<HealthEvent> CheckAnalysis(const TAnalysisData& data, const ChannelRoles& roles,
                                       const HealthThresholds& limits) {
    std::vector<HealthEvent> events;
    if (!data.HasData() || data.GetDayCount() == 0)
        return events;
    std::vector<const TDay*> days;
    if (data.IsMultiDay()) {
        for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext())
            for (const TDay* day = month->FirstDayOfChain(); day != nullptr; day = day->GetNext())
                days.push_back(day);
    } else {
        days.push_back(&data.GetDay(0));
    }
    for (const TDay* day : days) {
        std::vector<HealthEvent> found = CheckOneDay(*day, roles, limits, data.IsMultiDay());
        events.insert(events.end(), std::make_move_iterator(found.begin()),
                      std::make_move_iterator(found.end()));
    }
    if (data.IsMultiDay()) {
        // A day of the range without a file is a day without a line.
        std::vector<DateTime> held;
        for (const TDay* day : days)
            held.push_back(FloorDay(day->StartDate()));
        std::sort(held.begin(), held.end());
        for (DateTime date = FloorDay(data.GetFirstDate()); date <= data.GetLastDate() + Slack;
             date += 1.0)
            if (!std::binary_search(held.begin(), held.end(), date))
                events.push_back({EventKind::RecordingGap, date, date + 1.0, {}, MinutesPerDay});
    }
    std::stable_sort(events.begin(), events.end(), ByStart);
    JoinTouchingEvents(events);
    // Short missing times at the days' edges were kept only to be joined over midnight.
    const double shortest = limits.GapMinutes / MinutesPerDay - Slack;
    std::erase_if(events, [shortest](const HealthEvent& event) {
        return event.Kind == EventKind::RecordingGap && event.End - event.Start < shortest;
    });
    return events;
}
