#pragma once

#include "health/ChannelRoles.h"
#include "health/DayEdges.h"
#include "health/DayReadings.h"
#include "health/HealthEvent.h"
#include "health/HealthThresholds.h"

#include <array>
#include <cmath>
#include <vector>

// Finds the events of one day. Each finder appends to `events` in time order.
class DayCheck {
public:
    DayCheck(const DayReadings& readings, const ChannelRoles& roles,
             const HealthThresholds& limits);

    // For a range: what touches the day's start or end is left for the range to join with the
    // neighbouring days' before its length is judged. Runs of the kinds with a least duration go
    // to `edges` unjudged, and so do the pump's starts (no cycling is judged here); missing time
    // at the day's edges is reported as a recording gap however short.
    void KeepEdges(DayEdges& edges) { Edges = &edges; }

    // Every kind, sorted by start.
    std::vector<HealthEvent> FindAll();

    void FindSensorFaults(std::vector<HealthEvent>& events) const;
    void FindStuckSensors(std::vector<HealthEvent>& events) const;
    void FindPumpWithoutFlow(std::vector<HealthEvent>& events) const;
    void FindMissedYield(std::vector<HealthEvent>& events) const;
    void FindStagnation(std::vector<HealthEvent>& events) const;
    void FindHeatLoss(std::vector<HealthEvent>& events) const;
    void FindPumpCycling(std::vector<HealthEvent>& events) const;
    void FindFaultOutput(std::vector<HealthEvent>& events) const;
    void FindRecordingGaps(std::vector<HealthEvent>& events) const;

    // A channel's lowest and highest value of the day (infinite ones where it has none). Known
    // for the inputs and the channels the roles name; the others are unbounded.
    double LowOf(int channel) const {
        return IsFileChannel(channel) ? Low[static_cast<size_t>(channel)] : INFINITY;
    }
    double HighOf(int channel) const {
        return IsFileChannel(channel) ? High[static_cast<size_t>(channel)] : -INFINITY;
    }

private:
    enum class Verdict { No, Yes, Unknown };
    struct Run {
        int First;
        int Last;
        DateTime End;
        bool AtStart; // nothing before it in the day says No, and no recording gap
        bool AtEnd;   // nor after it
    };
    // Runs of lines where `verdict` says Yes. A line it cannot judge neither extends nor ends a
    // run; a recording gap ends it. A run ends at the next line's time, or one interval after its
    // last line where no line follows.
    template <typename Judge> std::vector<Run> Runs(Judge verdict) const;
    // Every finder asks this of most lines, several times: worked out once per day.
    bool BreakBefore(int line) const { return Breaks[static_cast<size_t>(line)] != 0; }
    std::vector<int> WithPower(std::vector<int> channels) const;
    // Leaves a run touching the day's edges to the range; true when it did.
    bool KeptForRange(const Run& run, const HealthEvent& event) const;
    // The last line of the pump's run that holds `line` (a line without a value continues it).
    int PumpRunLast(int line) const;
    std::vector<PumpStart> PumpStarts() const;
    void KeepPumpEdges() const;
    double LongestHold(int channel) const;
    void Extremes(int channel);
    bool NeverOn(int channel) const { return !(HighOf(channel) > 0.0); }
    DateTime EndAfter(int line) const {
        if (line + 1 < R.Count() && !BreakBefore(line + 1))
            return R.Time(line + 1);
        return R.Time(line) + R.Interval();
    }
    double V(int channel, int line) const {
        return IsFileChannel(channel) ? R.Value(channel, line) : DayReadings::NoValue;
    }
    bool IsFileChannel(int channel) const { return channel >= 0 && channel < FileChannelCount; }

    const DayReadings& R;
    ChannelRoles Roles;
    HealthThresholds Limits;
    DayEdges* Edges = nullptr;
    std::vector<char> Breaks; // per line: a recording gap lies before it
    int FirstBreak = 0;       // the first line with a gap before it (Count() when none)
    int LastBreak = 0;        // the last one (0 when none)
    std::array<double, FileChannelCount> Low{};
    std::array<double, FileChannelCount> High{};
};
