#pragma once

#include "core/DateTime.h"

#include <cmath>

// A left-rectangle sum over the lines of a day: at each line that holds a value, the time since
// the previous read line times the value of the previous line that held one. The time of a line
// without a value is not added, and the first value only starts the sum.
class LeftRectangleSum {
public:
    // `perDay` turns days into the sum's unit (1440 for minutes, 24 for hours).
    explicit LeftRectangleSum(double perDay) : FPerDay(perDay) {}

    // `since`: the time of the previous read line, 0 before the first.
    void Add(DateTime since, DateTime time, double value) {
        if (since != 0.0)
            FSum += (time - since) * FPerDay * FLast;
        FLast = value;
    }
    // Holds the last value on for `days`.
    void Carry(double days) { FSum += days * FPerDay * FLast; }
    void Scale(double factor) { FSum *= factor; }
    double Sum() const { return FSum; }
    double Last() const { return FLast; }

private:
    double FPerDay;
    double FSum = 0.0;
    double FLast = 0.0;
};

// The day's Volume (litres, from Flow in litres per minute) and Energy (kWh, from Power in watts
// when every Power value of the file is whole, else in kilowatts), following the lines of one
// file. The day record and the yield ledger both take their sums from here.
class DaySums {
public:
    void AddFlow(DateTime time, double flow) { FVolume.Add(FLastLineTime, time, flow); }
    void AddPower(DateTime time, double power) {
        FEnergy.Add(FLastLineTime, time, power);
        if (!FPowerHasFraction && std::floor(power) != power)
            FPowerHasFraction = true;
    }
    // Every line read to its end (not a line stopped by a field that is no number).
    void EndLine(DateTime time) { FLastLineTime = time; }
    // After the last line of the day that starts at `dayStart`. `complete`: every line was read;
    // a day stopped early gets no carry to midnight. Turns watt-hours into kilowatt-hours.
    void Finish(DateTime dayStart, bool complete);

    // How long the last reading of a day is held: to the next midnight, never past the end of
    // the file's day; 0 before any line.
    static double CarryDays(DateTime lastLineTime, DateTime dayStart);

    double Volume() const { return FVolume.Sum(); }
    double Energy() const { return FEnergy.Sum(); }
    // False when the Power values were watts (the caller scales its Power points by 0.001).
    bool PowerHasFraction() const { return FPowerHasFraction; }
    DateTime LastLineTime() const { return FLastLineTime; }

private:
    LeftRectangleSum FVolume{MinutesPerDay};
    LeftRectangleSum FEnergy{24.0};
    DateTime FLastLineTime = 0.0;
    bool FPowerHasFraction = false;
};
