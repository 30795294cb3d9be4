#include "health/DayReadings.h"

#include "chart/ChartSeries.h"
#include "logdata/DayLineReader.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include <algorithm>
#include <iterator>
#include <unordered_map>

DayReadings::DayReadings(const TDay& day) : FDayStart(day.StartDate()) {
    // Every line is a moment of some channel's series or an "Err" mark; the channels mostly
    // share their moments, so merging them one by one is nearly a copy.
    std::vector<DateTime> moments;
    std::vector<DateTime> merged;
    for (int c = 0; c < FileChannelCount; ++c) {
        const ChartSeries& series = day.SeriesAt(c);
        moments.clear();
        moments.reserve(static_cast<size_t>(series.Count()));
        for (int i = 0; i < series.Count(); ++i)
            if (!series.IsNull(i))
                moments.push_back(series.XValue(i));
        if (moments.empty())
            continue;
        FHasValues[static_cast<size_t>(c)] = true;
        if (moments == FTimes)
            continue;
        merged.clear();
        std::set_union(FTimes.begin(), FTimes.end(), moments.begin(), moments.end(),
                       std::back_inserter(merged));
        FTimes.swap(merged);
    }
    if (!day.FaultMarks().empty()) {
        moments.clear();
        for (const TDay::FaultMark& mark : day.FaultMarks()) {
            moments.push_back(mark.Time);
            FFaultMarks.push_back({mark.Time, mark.Channel});
        }
        std::sort(moments.begin(), moments.end());
        merged.clear();
        std::set_union(FTimes.begin(), FTimes.end(), moments.begin(), moments.end(),
                       std::back_inserter(merged));
        FTimes.swap(merged);
    }
    // Two lines with one time stamp are one moment.
    FTimes.erase(std::unique(FTimes.begin(), FTimes.end()), FTimes.end());

    for (int c = 0; c < FileChannelCount; ++c) {
        std::vector<double>& column = FValues[static_cast<size_t>(c)];
        column.assign(FTimes.size(), NoValue);
        const ChartSeries& series = day.SeriesAt(c);
        size_t at = 0;
        for (int i = 0; i < series.Count(); ++i) {
            if (series.IsNull(i))
                continue;
            const DateTime x = series.XValue(i);
            while (at < FTimes.size() && FTimes[at] < x)
                ++at;
            if (at < FTimes.size())
                column[at] = series.YValue(i);
        }
    }

    LearnInterval();
}

DayReadings DayReadings::ReadFile(const QString& fileName, LogReader& reader) {
    DayReadings result;
    result.Read(fileName, reader);
    return result;
}

void DayReadings::Read(const QString& fileName, LogReader& reader) {
    LogLines lines;
    ChannelUnits units;
    FTimes.clear();
    FFaultMarks.clear();
    FHasValues.fill(false);
    FInterval = 1.0 / MinutesPerDay;
    FDayStart = reader.OpenDayFile(fileName, lines, units);
    DayLineReader reading(FDayStart);
    // A line makes at most one moment: the columns are sized for all of them up front and cut to
    // the moments made at the end.
    const auto most = static_cast<size_t>(lines.Count());
    for (auto& column : FValues)
        column.assign(most, NoValue);
    FTimes.reserve(most);
    reading.ReadLines(&lines, reader, [this](const DayLineReader::Line& line) {
        // Two lines with one time stamp are one moment; the later values win, as in a series.
        if (FTimes.empty() || FTimes.back() != line.Time)
            FTimes.push_back(line.Time);
        const size_t row = FTimes.size() - 1;
        for (int c = 0; c < FileChannelCount; ++c) {
            const auto i = static_cast<size_t>(c);
            if (line.Has[i]) {
                FValues[i][row] = line.Values[i];
                FHasValues[i] = true;
            }
        }
        if (line.Err.any())
            for (int c = 0; c < FileChannelCount; ++c)
                if (line.Err[static_cast<size_t>(c)])
                    FFaultMarks.push_back({line.Time, c});
    });
    for (auto& column : FValues)
        column.resize(FTimes.size());
    // Power in watts is shown in kilowatts, as the day record does.
    if (!reading.Sums().PowerHasFraction())
        for (double& v : FValues[ChPower])
            v *= 0.001;
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
