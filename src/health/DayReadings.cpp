#include "health/DayReadings.h"

#include "logdata/DayLineReader.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include <algorithm>
#include <unordered_map>

DayReadings::DayReadings(const TDay& day) {
    Begin(day.StartDate(), 0);
    day.ForEachLine([this](const DayLine& line, bool) { Take(line); });
    Finish(day.Sums());
}

DayReadings DayReadings::ReadFile(const QString& fileName, LogReader& reader) {
    DayReadings result;
    result.Read(fileName, reader);
    return result;
}

void DayReadings::Read(const QString& fileName, LogReader& reader) {
    LogLines lines;
    ChannelUnits units;
    const DateTime day = reader.OpenDayFile(fileName, lines, units);
    Begin(day, lines.Count());
    DayLineReader reading(day);
    reading.ReadLines(&lines, reader, [this](const DayLine& line) { Take(line); });
    Finish(reading.Sums());
}

void DayReadings::Begin(DateTime dayStart, int lines) {
    FDayStart = dayStart;
    FTimes.clear();
    FFaultMarks.clear();
    FHasValues.reset();
    FInterval = 1.0 / MinutesPerDay;
    // A line makes at most one moment: room for all of them up front.
    Reserve(static_cast<size_t>(std::max(lines, 0)));
}

void DayReadings::Reserve(size_t rows) {
    if (rows <= FStride)
        return;
    auto values = std::make_unique_for_overwrite<double[]>(rows * FileChannelCount);
    if (!FTimes.empty())
        for (size_t c = 0; c < FileChannelCount; ++c)
            std::copy_n(&FValues[c * FStride], FTimes.size(), &values[c * rows]);
    FValues = std::move(values);
    FStride = rows;
}

void DayReadings::Take(const DayLine& line) {
    // Two lines with one time stamp are one moment; the later values win, as in a series.
    if (FTimes.empty() || FTimes.back() != line.Time) {
        if (FTimes.size() == FStride)
            Reserve(std::max<size_t>(2 * FStride, 256));
        const size_t row = FTimes.size();
        FTimes.push_back(line.Time);
        for (size_t c = 0; c < FileChannelCount; ++c)
            FValues[c * FStride + row] = line.Has[c] ? line.Values[c] : NoValue;
    } else {
        const size_t row = FTimes.size() - 1;
        for (size_t c = 0; c < FileChannelCount; ++c)
            if (line.Has[c])
                FValues[c * FStride + row] = line.Values[c];
    }
    FHasValues |= line.Has;
    if (line.Err.any())
        for (int c = 0; c < FileChannelCount; ++c)
            if (line.Err[static_cast<size_t>(c)])
                FFaultMarks.push_back({line.Time, c});
}

void DayReadings::Finish(const DaySums& sums) {
    // Power in watts is shown in kilowatts, as the day record does.
    if (!sums.PowerHasFraction())
        for (size_t i = 0; i < FTimes.size(); ++i)
            FValues[ChPower * FStride + i] *= 0.001;
    for (int k = 0; k < DayOutputCount; ++k)
        FStarts[static_cast<size_t>(k)] = sums.StartTimes(k);
    LearnInterval();
}

void DayReadings::LearnInterval() {
    // The most common distance, to the second: a gap or an odd line does not change it. Nearly
    // always one distance makes up most of the day, and then it is the most common one.
    // The moments rise strictly: no distance is negative, so adding a half rounds it.
    const auto distance = [this](size_t i) {
        return static_cast<long long>((FTimes[i] - FTimes[i - 1]) * 86400.0 + 0.5);
    };
    if (FTimes.size() >= 2) {
        const long long first = distance(1);
        size_t same = 0;
        for (size_t i = 1; i < FTimes.size(); ++i)
            same += distance(i) == first ? 1 : 0;
        if (first > 0 && 2 * same > FTimes.size() - 1) {
            FInterval = static_cast<double>(first) / 86400.0;
            return;
        }
    }
    std::unordered_map<long long, int> seen;
    long long best = 0;
    int bestCount = 0;
    for (size_t i = 1; i < FTimes.size(); ++i) {
        const long long seconds = distance(i);
        if (seconds <= 0)
            continue;
        const int count = ++seen[seconds];
        if (count > bestCount || (count == bestCount && seconds < best)) {
            best = seconds;
            bestCount = count;
        }
    }
    if (bestCount > 0)
        FInterval = static_cast<double>(best) / 86400.0;
}

int DayReadings::LineAt(DateTime time) const {
    return static_cast<int>(std::lower_bound(FTimes.begin(), FTimes.end(), time) - FTimes.begin());
}
