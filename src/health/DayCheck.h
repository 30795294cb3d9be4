#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "health/HealthThresholds.h"

#include <vector>

class DayReadings;

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
    bool BreakBefore(int line) const;
    std::vector<int> WithPower(std::vector<int> channels) const;
    DateTime EndAfter(int line) const;
    double V(int channel, int line) const;
    bool IsFileChannel(int channel) const { return channel >= 0 && channel < FileChannelCount; }

    const DayReadings& R;
    ChannelRoles Roles;
    HealthThresholds Limits;
    bool EdgeGapsAll = false;
};
