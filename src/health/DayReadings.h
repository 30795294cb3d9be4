#pragma once

#include "core/Channels.h"
#include "core/DateTime.h"
#include "logdata/DaySums.h"

#include <QString>

#include <array>
#include <bitset>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

class LogReader;
class TDay;

// A day's readings line by line: the moments the logger wrote a line, and per file channel the
// value of each line (NaN where the line had none). Built from the lines the log reader accepts,
// read from a file or handed back by a day record, so both give the same readings.
class DayReadings {
public:
    static constexpr double NoValue = std::numeric_limits<double>::quiet_NaN();

    // Where a line's field read "Err" instead of a value.
    struct FaultMark {
        DateTime Time;
        int Channel;
    };

    DayReadings() = default;
    explicit DayReadings(const TDay& day);
    // Built line by line: Begin, every accepted line, then Finish with the day's sums.
    void Begin(DateTime dayStart, int lines);
    void Take(const DayLine& line);
    void Finish(const DaySums& sums);
    // Reads a day file without building chart series, by the same rules; raises AppError when
    // the file is no log file.
    static DayReadings ReadFile(const QString& fileName, LogReader& reader);
    // The same into this object, in place of what it held: reading many files one after another
    // into one object reuses its memory.
    void Read(const QString& fileName, LogReader& reader);

    DateTime DayStart() const { return FDayStart; }
    DateTime DayEnd() const { return FDayStart + 1.0; }
    int Count() const { return static_cast<int>(FTimes.size()); }
    DateTime Time(int line) const { return FTimes[static_cast<size_t>(line)]; }
    double Value(int channel, int line) const {
        return FValues[static_cast<size_t>(channel) * FStride + static_cast<size_t>(line)];
    }
    // The channel's values, one per moment (Count() of them).
    const double* Values(int channel) const {
        return FValues.get() + static_cast<size_t>(channel) * FStride;
    }
    bool HasValues(int channel) const { return FHasValues[static_cast<size_t>(channel)]; }
    // The moments an output started, by the day's own rule.
    const std::vector<DateTime>& StartTimes(int output) const {
        return FStarts[static_cast<size_t>(output)];
    }
    // The logger's usual distance between lines (the most common one), in days.
    double Interval() const { return FInterval; }
    const std::vector<FaultMark>& FaultMarks() const { return FFaultMarks; }
    // The line at or after `time`; Count() when there is none.
    int LineAt(DateTime time) const;

    // Time without a line before `line`: its distance from the line before, less one interval.
    double MissingBefore(int line) const {
        return line == 0 ? 0.0 : Time(line) - Time(line - 1) - FInterval;
    }

private:
    void LearnInterval();
    // Room for `rows` moments per channel, keeping those held.
    void Reserve(size_t rows);

    DateTime FDayStart = 0.0;
    double FInterval = 1.0 / MinutesPerDay;
    std::vector<DateTime> FTimes;
    // Channel after channel, `FStride` moments each: a check runs along one channel at a time,
    // and a line is stored without a growth check per channel.
    std::unique_ptr<double[]> FValues;
    size_t FStride = 0;
    std::bitset<FileChannelCount> FHasValues;
    std::vector<FaultMark> FFaultMarks;
    std::array<std::vector<DateTime>, DayOutputCount> FStarts;
};
