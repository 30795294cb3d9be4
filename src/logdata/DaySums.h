#pragma once

#include "core/DateTime.h"
#include "logdata/DayLine.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

// A left-rectangle sum over the lines of a day: at each line that holds a value, the time since
// the previous read line times the value of the previous line that held one. The time of a line
// without a value is not added, and the first value only starts the sum. The last value is held
// to the day's end like any other rectangle. With a window, a rectangle counts only for its part
// inside it: a span's share, so that spans that tile a day add up to the day.
class LeftRectangleSum {
public:
    static constexpr double Open = std::numeric_limits<double>::infinity();

    // `perDay` turns days into the sum's unit (1440 for minutes, 24 for hours).
    explicit LeftRectangleSum(double perDay, DateTime from = -Open, DateTime to = Open)
        : FPerDay(perDay), FFrom(from), FTo(to) {}

    // `since`: the time of the previous read line, 0 before the first.
    void Add(DateTime since, DateTime time, double value) {
        if (since != 0.0)
            Hold(since, time);
        FLast = value;
    }
    // Holds the last value on from `from` until `until`.
    void Hold(DateTime from, DateTime until) { FSum += Inside(from, until) * FPerDay * FLast; }
    void Scale(double factor) { FSum *= factor; }
    double Sum() const { return FSum; }
    double Last() const { return FLast; }

private:
    double Inside(DateTime a, DateTime b) const {
        // A rectangle wholly inside is its own width, so a window around the whole day gives the
        // day's figure to the last bit.
        if (!(b > a))
            return 0.0;
        if (a >= FFrom && b <= FTo)
            return b - a;
        return std::max(0.0, std::min(b, FTo) - std::max(a, FFrom));
    }

    double FPerDay;
    DateTime FFrom;
    DateTime FTo;
    double FSum = 0.0;
    double FLast = 0.0;
};

inline constexpr int DayOutputCount = 4; // R1, R2, R3, RError

// The day's Volume (litres, from Flow in litres per minute), Energy (kWh, from Power in watts
// when every Power value of the file is whole, else in kilowatts), and per output its on-time
// and starts, following the lines of one file. Every figure of a day or of a span of it comes
// from here: the day record, the yield ledger, the span statistics and the health check.
class DaySums {
public:
    DaySums() = default;
    // Only what lies in [from, to) counts: rectangles by their part inside, starts by their line.
    // The lines fed are still all the day's, so the watt-or-kilowatt decision stays the file's.
    DaySums(DateTime from, DateTime to);

    // One accepted line. `ended`: the line was read to its end (not stopped by a field that is no
    // number); only such a line starts the next rectangle.
    void AddLine(const DayLine& line, bool ended);
    void AddFlow(DateTime time, double flow) { FVolume.Add(FLastLineTime, time, flow); }
    void AddPower(DateTime time, double power);
    // An output is on at any level above zero (speed-controlled pumps run below 100). A start is
    // a line with it on after the day's previous line with a value had it off; the day's first
    // value is never a start, since the state before midnight belongs to another file.
    void AddOutput(int output, DateTime time, double level);
    void EndLine(DateTime time) { FLastLineTime = time; }
    // After the last line of the day that starts at `dayStart`. `complete`: every line was read;
    // a day stopped early gets no carry to midnight. Turns watt-hours into kilowatt-hours.
    void Finish(DateTime dayStart, bool complete);

    // Where the last reading of a day is held to: the next midnight, never past the end of the
    // file's day.
    static DateTime CarryEnd(DateTime lastLineTime, DateTime dayStart);
    static double CarryDays(DateTime lastLineTime, DateTime dayStart);

    double Volume() const { return FVolume.Sum(); }
    double Energy() const { return FEnergy.Sum(); }
    double OnHours(int output) const { return Output(output).Time.Sum(); }
    int Starts(int output) const { return static_cast<int>(Output(output).StartTimes.size()); }
    const std::vector<DateTime>& StartTimes(int output) const { return Output(output).StartTimes; }
    // False when the Power values were watts (the caller scales its Power points by 0.001).
    bool PowerHasFraction() const { return FPowerHasFraction; }
    DateTime LastLineTime() const { return FLastLineTime; }

private:
    struct OutputSum {
        LeftRectangleSum Time{24.0};
        bool Seen = false;
        bool On = false;
        std::vector<DateTime> StartTimes;
    };
    const OutputSum& Output(int output) const { return FOutputs[static_cast<size_t>(output)]; }

    DateTime FFrom = -LeftRectangleSum::Open;
    DateTime FTo = LeftRectangleSum::Open;
    LeftRectangleSum FVolume{MinutesPerDay};
    LeftRectangleSum FEnergy{24.0};
    std::array<OutputSum, DayOutputCount> FOutputs;
    DateTime FLastLineTime = 0.0;
    bool FPowerHasFraction = false;
};
