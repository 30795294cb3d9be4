#include "health/HealthEvent.h"

const char* EventKindKey(EventKind kind) {
    switch (kind) {
    case EventKind::SensorFault:
        return "sensor-fault";
    case EventKind::StuckSensor:
        return "stuck-sensor";
    case EventKind::PumpWithoutFlow:
        return "pump-without-flow";
    case EventKind::MissedYield:
        return "missed-yield";
    case EventKind::Stagnation:
        return "stagnation";
    case EventKind::HeatLoss:
        return "heat-loss";
    case EventKind::PumpCycling:
        return "pump-cycling";
    case EventKind::FaultOutput:
        return "fault-output";
    case EventKind::RecordingGap:
        return "recording-gap";
    }
    return "unknown";
}

QString FigureUnit(EventKind kind) {
    switch (kind) {
    case EventKind::SensorFault:
        return QStringLiteral("readings");
    case EventKind::StuckSensor:
    case EventKind::Stagnation:
        return QStringLiteral("°C");
    case EventKind::MissedYield:
    case EventKind::HeatLoss:
        return QStringLiteral("K");
    case EventKind::PumpCycling:
        return QStringLiteral("starts");
    case EventKind::PumpWithoutFlow:
    case EventKind::FaultOutput:
    case EventKind::RecordingGap:
        return QStringLiteral("min");
    }
    return QString();
}

EventCounts CountByKind(const std::vector<HealthEvent>& events) {
    EventCounts counts{};
    for (const HealthEvent& event : events)
        ++counts[static_cast<size_t>(event.Kind)];
    return counts;
}
