#pragma once

#include <QList>
#include <QMap>
#include <QString>

// A limit's default and the range a value read from a file or the command line must lie in.
struct HealthLimit {
    double Default;
    double Min;
    double Max;
};

// The limits the health check judges a plant by: this is the one place their defaults and
// ranges are set, side by side. They are kept in the "Health" section of the INI file under the
// names of `Keys()`.
namespace healthlimit {
//                                  default    min      max
inline constexpr HealthLimit SensorMinC{-40.0, -100.0, 100.0};     // below: a sensor fault
inline constexpr HealthLimit SensorMaxC{250.0, 0.0, 1000.0};       // above: a sensor fault
inline constexpr HealthLimit StuckHours{6.0, 0.25, 720.0};         // a temperature unchanged ...
inline constexpr HealthLimit StuckCollectorMoveK{5.0, 0.1, 200.0}; // ... while the collector moves
inline constexpr HealthLimit NoFlowMinutes{10.0, 1.0, 10080.0};    // pump on with Flow 0
inline constexpr HealthLimit MissedYieldK{10.0, 0.1, 200.0};       // collector above the store ...
inline constexpr HealthLimit MissedYieldMinutes{20.0, 1.0, 10080.0}; // ... with the pump off
inline constexpr HealthLimit StagnationC{120.0, 30.0, 400.0};        // collector, pump off
inline constexpr HealthLimit HeatLossMinutes{15.0, 1.0, 10080.0};    // collector below the store
inline constexpr HealthLimit PumpCycleStarts{6.0, 2.0, 1000.0};      // starts of the pump ...
inline constexpr HealthLimit PumpCycleMinutes{60.0, 1.0, 10080.0};   // ... within this time
inline constexpr HealthLimit GapMinutes{15.0, 1.0, 10080.0};         // no line for this long
} // namespace healthlimit

struct HealthThresholds {
    double SensorMinC = healthlimit::SensorMinC.Default;
    double SensorMaxC = healthlimit::SensorMaxC.Default;
    double StuckHours = healthlimit::StuckHours.Default;
    double StuckCollectorMoveK = healthlimit::StuckCollectorMoveK.Default;
    double NoFlowMinutes = healthlimit::NoFlowMinutes.Default;
    double MissedYieldK = healthlimit::MissedYieldK.Default;
    double MissedYieldMinutes = healthlimit::MissedYieldMinutes.Default;
    double StagnationC = healthlimit::StagnationC.Default;
    double HeatLossMinutes = healthlimit::HeatLossMinutes.Default;
    double PumpCycleStarts = healthlimit::PumpCycleStarts.Default;
    double PumpCycleMinutes = healthlimit::PumpCycleMinutes.Default;
    double GapMinutes = healthlimit::GapMinutes.Default;

    struct Key {
        const char* Name;
        double HealthThresholds::*Member;
        HealthLimit Limit;
    };
    static const QList<Key>& Keys();

    // Values that are missing keep their defaults; values that are not numbers or lie outside
    // their range keep them too, with a warning on standard error naming key and value.
    static HealthThresholds FromValues(const QMap<QString, QString>& values);
    QMap<QString, QString> ToValues() const;

    bool operator==(const HealthThresholds&) const = default;
};
