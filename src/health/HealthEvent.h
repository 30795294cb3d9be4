#pragma once

#include "core/DateTime.h"

#include <QString>

#include <array>
#include <vector>

enum class EventKind {
    SensorFault,
    StuckSensor,
    PumpWithoutFlow,
    MissedYield,
    Stagnation,
    HeatLoss,
    PumpCycling,
    FaultOutput,
    RecordingGap
};
inline constexpr int EventKindCount = 9;

// Something that went wrong in the plant, from `Start` to `End`, with the channels that show it
// and one measured figure whose meaning depends on the kind (`FigureUnit`).
struct HealthEvent {
    EventKind Kind = EventKind::SensorFault;
    DateTime Start = 0.0;
    DateTime End = 0.0;
    std::vector<int> Channels;
    double Value = 0.0;

    bool operator==(const HealthEvent&) const = default;
};

using EventCounts = std::array<int, EventKindCount>;

// A name for files and command lines ("sensor-fault", "pump-without-flow", ...).
const char* EventKindKey(EventKind kind);
// What the figure of a kind is: "readings", "°C", "min", "K" or "starts".
QString FigureUnit(EventKind kind);
EventCounts CountByKind(const std::vector<HealthEvent>& events);
