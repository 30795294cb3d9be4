#include "health/HealthCheck.h"

#include "health/DayCheck.h"
#include "health/DayEdges.h"
#include "health/DayReadings.h"
#include "health/ProfileRoles.h"
#include "ledger/LedgerTexts.h"
#include "logdata/DayLineReader.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double Slack = 0.5 / 86400.0;
constexpr int InputCount = ChTD + 1;

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

// How far each input moved over the days seen. An input that never changes in any day of a
// range has no sensor connected (plants leave inputs unused): holding still is no fault there.
struct InputMotion {
    std::array<double, InputCount> Low;
    std::array<double, InputCount> High;

    InputMotion() {
        Low.fill(INFINITY);
        High.fill(-INFINITY);
    }
    // The check has found each input's extremes already (its finders need them).
    void Add(const DayCheck& check) {
        for (int c = 0; c < InputCount; ++c) {
            Low[static_cast<size_t>(c)] = std::min(Low[static_cast<size_t>(c)], check.LowOf(c));
            High[static_cast<size_t>(c)] = std::max(High[static_cast<size_t>(c)], check.HighOf(c));
        }
    }
    void Add(const InputMotion& other) {
        for (size_t c = 0; c < Low.size(); ++c) {
            Low[c] = std::min(Low[c], other.Low[c]);
            High[c] = std::max(High[c], other.High[c]);
        }
    }
    bool Moved(int channel) const {
        return channel < 0 || channel >= InputCount ||
               High[static_cast<size_t>(channel)] > Low[static_cast<size_t>(channel)];
    }
    void DropStill(std::vector<HealthEvent>& events) const {
        std::erase_if(events, [this](const HealthEvent& event) {
            return event.Kind == EventKind::StuckSensor && !event.Channels.empty() &&
                   !Moved(event.Channels.front());
        });
    }
};

std::vector<HealthEvent> CheckReadings(const DayReadings& readings, const ChannelRoles& roles,
                                       const HealthThresholds& limits, DayEdges* edges,
                                       InputMotion& motion) {
    DayCheck check(readings, roles, limits);
    if (edges != nullptr)
        check.KeepEdges(*edges);
    motion.Add(check);
    std::vector<HealthEvent> events = check.FindAll();
    DropUnusedInputs(events, roles);
    return events;
}

// Joins and judges what the days left at their edges, adds the days of [first, last] that are
// not held as whole-day gaps, then sorts, joins what meets at midnight and drops the short edges
// kept for joining.
void FinishRange(std::vector<HealthEvent>& events, std::vector<const DayEdges*> days,
                 DateTime first, DateTime last, const HealthThresholds& limits) {
    std::stable_sort(days.begin(), days.end(),
                     [](const DayEdges* a, const DayEdges* b) { return a->Day < b->Day; });
    JoinDayEdges(days, limits, events);
    std::vector<DateTime> held;
    for (const DayEdges* day : days)
        held.push_back(day->Day);
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

void Append(std::vector<HealthEvent>& events, const std::vector<HealthEvent>& found) {
    events.insert(events.end(), found.begin(), found.end());
}

} // namespace

struct HealthDays::Day {
    DayEdges Edges;
    std::vector<HealthEvent> Events;
    InputMotion Motion;
};

namespace {

class HealthWorker : public DayWorker {
public:
    HealthWorker(std::vector<HealthDays::Day>& days, const ChannelRoles& roles,
                 const HealthThresholds& limits)
        : Days(days), Roles(roles), Limits(limits) {}
    void Begin(DateTime day, int lines) override { Readings.Begin(day, lines); }
    void Line(const DayLine& line) override { Readings.Take(line); }
    void End(size_t index, const QString&, const DayLineReader& reading) override {
        Readings.Finish(reading.Sums());
        HealthDays::Day& day = Days[index];
        day.Events = CheckReadings(Readings, Roles, Limits, &day.Edges, day.Motion);
    }

private:
    std::vector<HealthDays::Day>& Days;
    const ChannelRoles& Roles;
    const HealthThresholds& Limits;
    DayReadings Readings;
};

} // namespace

HealthDays::HealthDays(const ChannelRoles& roles, const HealthThresholds& limits)
    : FRoles(roles), FLimits(limits) {}

HealthDays::~HealthDays() = default;

void HealthDays::Prepare(size_t files) { FRead.assign(files, Day()); }

std::unique_ptr<DayWorker> HealthDays::MakeWorker() {
    return std::make_unique<HealthWorker>(FRead, FRoles, FLimits);
}

void HealthDays::Take(size_t index) { FDays.push_back(std::move(FRead[index])); }

std::vector<HealthEvent> HealthDays::Events(DateTime from, DateTime to) const {
    std::vector<HealthEvent> events;
    if (FDays.empty())
        return events;
    std::vector<const DayEdges*> days;
    InputMotion motion;
    for (const Day& day : FDays) {
        Append(events, day.Events);
        days.push_back(&day.Edges);
        motion.Add(day.Motion);
    }
    const auto [low, high] =
        std::minmax_element(days.begin(), days.end(),
                            [](const DayEdges* a, const DayEdges* b) { return a->Day < b->Day; });
    FinishRange(events, days, from != 0.0 ? from : (*low)->Day, to != 0.0 ? to : (*high)->Day,
                FLimits);
    motion.DropStill(events);
    return events;
}

std::vector<HealthEvent> CheckDay(const TDay& day, const ChannelRoles& roles,
                                  const HealthThresholds& limits) {
    const DayReadings readings(day);
    InputMotion motion;
    std::vector<HealthEvent> events = CheckReadings(readings, roles, limits, nullptr, motion);
    motion.DropStill(events);
    return events;
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
    if (!data.IsMultiDay())
        return CheckDay(data.GetDay(0), roles, limits);
    std::vector<const TDay*> held;
    for (const TMonth* month = data.GetFirstMonth(); month != nullptr; month = month->GetNext())
        for (const TDay* day = month->FirstDayOfChain(); day != nullptr; day = day->GetNext())
            held.push_back(day);
    std::vector<DayEdges> edges(held.size());
    std::vector<const DayEdges*> days;
    InputMotion motion;
    for (size_t i = 0; i < held.size(); ++i) {
        const DayReadings readings(*held[i]);
        Append(events, CheckReadings(readings, roles, limits, &edges[i], motion));
        days.push_back(&edges[i]);
    }
    FinishRange(events, std::move(days), data.GetFirstDate(), data.GetLastDate(), limits);
    motion.DropStill(events);
    return events;
}

std::vector<HealthEvent> CheckFiles(const QStringList& files, DateTime from, DateTime to,
                                    const ChannelRoles& roles, const HealthThresholds& limits,
                                    std::vector<FileFailure>* failures) {
    DayFileReading reading(TextLedgerSameDay);
    reading.SetRange(from, to);
    HealthDays health(roles, limits);
    reading.Read(files, {&health});
    if (failures != nullptr)
        failures->insert(failures->end(), reading.Skipped().begin(), reading.Skipped().end());
    return health.Events(from, to);
}
