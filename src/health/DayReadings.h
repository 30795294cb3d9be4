#pragma once

#include "core/Channels.h"
#include "core/DateTime.h"

#include <array>
#include <cmath>
#include <limits>
#include <vector>

class TDay;

// A day's readings line by line: the moments the logger wrote a line, and per file channel the
// value of each line (NaN where the line had none). Built from the day's series and its "Err"
// marks, so the reading rules stay those of the log reader.
class DayReadings {
public:
    static constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

    explicit DayReadings(const TDay& day);

    DateTime DayStart() const { return FDayStart; }
    DateTime DayEnd() const { return FDayStart + 1.0; }
    int Count() const { return static_cast<int>(FTimes.size()); }
    DateTime Time(int line) const { return FTimes[static_cast<size_t>(line)]; }
    double Value(int channel, int line) const {
        return FValues[static_cast<size_t>(channel)][static_cast<size_t>(line)];
    }
    bool HasValues(int channel) const { return FHasValues[static_cast<size_t>(channel)]; }
    // The logger's usual distance between lines (the most common one), in days.
    double Interval() const { return FInterval; }
    // The line at or after `time`; Count() when there is none.
    int LineAt(DateTime time) const;

    // Time without a line before `line`: its distance from the line before, less one interval.
    double MissingBefore(int line) const {
        return line == 0 ? 0.0 : Time(line) - Time(line - 1) - FInterval;
    }

private:
    DateTime FDayStart = 0.0;
    double FInterval = 1.0 / MinutesPerDay;
    std::vector<DateTime> FTimes;
    std::array<std::vector<double>, FileChannelCount> FValues;
    std::array<bool, FileChannelCount> FHasValues{};
};
