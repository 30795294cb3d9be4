#pragma once

#include "health/ChannelRoles.h"
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

    // Missing time at the start and end of the day is reported however short, for a range to
    // join with the next day's before it judges the length.
    void ReportEdgeGaps(bool all) { EdgeGapsAll = all; }

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
    };
    // Runs of lines where `verdict` says Yes. A line it cannot judge neither extends nor ends a
    // run; a recording gap ends it. A run ends at the next line's time, or one interval after its
    // last line where no line follows.
    template <typename Judge> std::vector<Run> Runs(Judge verdict) const;
    // Every finder asks this of most lines, several times: worked out once per day.
    bool BreakBefore(int line) const { return Breaks[static_cast<size_t>(line)] != 0; }
    std::vector<int> WithPower(std::vector<int> channels) const;
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
    bool EdgeGapsAll = false;
    std::vector<char> Breaks; // per line: a recording gap lies before it
    std::array<double, FileChannelCount> Low{};
    std::array<double, FileChannelCount> High{};
};
