#include "health/HealthCheck.h"

#include "health/DayCheck.h"
#include "health/DayReadings.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "logdata/LogReader.h"
#include "logdata/ReadingThreads.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <cmath>

namespace {

constexpr double Slack = 0.5 / 86400.0;
constexpr int TextNoMemory = 98;

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
    DayCheck check(readings, roles, limits);
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

namespace {

// Adds the days of [first, last] that are not held as whole-day gaps, then sorts, joins what
// meets at midnight and drops the short edges kept for joining.
void FinishRange(std::vector<HealthEvent>& events, std::vector<DateTime> held, DateTime first,
                 DateTime last, const HealthThresholds& limits) {
    std::sort(held.begin(), held.end());
    for (DateTime date = FloorDay(first); date <= last + Slack; date += 1.0)
        if (!std::binary_search(held.begin(), held.end(), date))
            events.push_back({EventKind::RecordingGap, date, date + 1.0, {}, MinutesPerDay});
    std::stable_sort(events.begin(), events.end(), ByStart);
    JoinTouchingEvents(events);
    const double shortest = limits.GapMinutes / MinutesPerDay - Slack;
    std::erase_if(events, [shortest](const HealthEvent& event) {
        return event.Kind == EventKind::RecordingGap && event.End - event.Start < shortest;
    });
}

void Append(std::vector<HealthEvent>& events, std::vector<HealthEvent>&& found) {
    events.insert(events.end(), std::make_move_iterator(found.begin()),
                  std::make_move_iterator(found.end()));
}

} // namespace

std::vector<HealthEvent> CheckAnalysis(const TAnalysisData& data, const ChannelRoles& roles,
                                       const HealthThresholds& limits) {
    std::vector<HealthEvent> events;
    if (!data.HasData() || data.GetDayCount() == 0)
        return events;
    if (!data.IsMultiDay())
        return CheckDay(data.GetDay(0), roles, limits);
    std::vector<DateTime> held;
    for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext())
        for (const TDay* day = month->FirstDayOfChain(); day != nullptr; day = day->GetNext()) {
            Append(events, CheckOneDay(*day, roles, limits, true));
            held.push_back(FloorDay(day->StartDate()));
        }
    FinishRange(events, std::move(held), data.GetFirstDate(), data.GetLastDate(), limits);
    return events;
}

std::vector<HealthEvent> CheckFiles(const QStringList& files, DateTime from, DateTime to,
                                    const ChannelRoles& roles, const HealthThresholds& limits,
                                    std::vector<FileFailure>* failures) {
    // Each file is read and checked on its own, in parallel as the ledger reads.
    struct Outcome {
        bool Read = false;
        DateTime Day = 0.0;
        std::vector<HealthEvent> Events;
        QString Reason;
    };
    const auto count = static_cast<size_t>(files.size());
    std::vector<Outcome> outcomes(count);
    std::atomic<size_t> next{0};
    const auto work = [&] {
        LogReader reader;
        DayReadings readings;
        for (size_t i = next++; i < count; i = next++) {
            Outcome& outcome = outcomes[i];
            try {
                readings.Read(files[static_cast<int>(i)], reader);
                outcome.Day = FloorDay(readings.DayStart());
                DayCheck check(readings, roles, limits);
                check.ReportEdgeGaps(true);
                outcome.Events = check.FindAll();
                outcome.Read = true;
            } catch (const AppError& error) {
                outcome.Reason = error.Message();
            } catch (const std::bad_alloc&) {
                outcome.Reason = Text(TextNoMemory);
            }
        }
    };
    OnReadingThreads(count, work);

    std::vector<HealthEvent> events;
    std::vector<DateTime> held;
    for (size_t i = 0; i < count; ++i) {
        Outcome& outcome = outcomes[i];
        if (!outcome.Read) {
            if (failures != nullptr)
                failures->push_back({files[static_cast<int>(i)], outcome.Reason});
            continue;
        }
        const DateTime day = outcome.Day;
        if ((from != 0.0 && day < from) || (to != 0.0 && day > to))
            continue;
        // A second file of a day is passed over, as the ledger does.
        if (std::find(held.begin(), held.end(), day) != held.end())
            continue;
        Append(events, std::move(outcome.Events));
        held.push_back(day);
    }
    if (held.empty())
        return events;
    const auto [low, high] = std::minmax_element(held.begin(), held.end());
    const DateTime first = from != 0.0 ? from : *low;
    const DateTime last = to != 0.0 ? to : *high;
    FinishRange(events, std::move(held), first, last, limits);
    return events;
}
