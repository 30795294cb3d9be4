#pragma once

#include <QMap>
#include <QString>

// The limits the health check judges a plant by, with their defaults: this is the one place
// they are set. They are kept in the "Health" section of the INI file under the names of
// `Keys()`.
struct HealthThresholds {
    double SensorMinC = -40.0;        // a temperature below reads as a sensor fault
    double SensorMaxC = 250.0;        // a temperature above reads as a sensor fault
    double StuckHours = 6.0;          // a temperature unchanged this long ...
    double StuckCollectorMoveK = 5.0; // ... while the collector moves by this much is stuck
    double NoFlowMinutes = 10.0;      // pump on with Flow 0 this long
    double MissedYieldK = 10.0;       // collector this much above the store ...
    double MissedYieldMinutes = 20.0; // ... this long with the pump off
    double StagnationC = 120.0;       // collector at or above with the pump off
    double HeatLossMinutes = 15.0;    // pump on with the collector below the store this long
    double PumpCycleStarts = 6.0;     // this many starts of the pump ...
    double PumpCycleMinutes = 60.0;   // ... within this time
    double GapMinutes = 15.0;         // no line for this long

    struct Key {
        const char* Name;
        double HealthThresholds::*Member;
    };
    static const QList<Key>& Keys();

    // Values that are missing, not numbers or out of sense keep their defaults.
    static HealthThresholds FromValues(const QMap<QString, QString>& values);
    QMap<QString, QString> ToValues() const;

    bool operator==(const HealthThresholds&) const = default;
};
