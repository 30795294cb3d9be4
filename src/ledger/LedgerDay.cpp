#include "ledger/LedgerDay.h"

#include "core/AppError.h"
#include "core/Channels.h"
#include "logdata/DayLineReader.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int TextNoValues = 85;

QDate ToDate(DateTime value) {
    const DateParts parts = DecodeDate(value);
    return {parts.Year, parts.Month, parts.Day};
}

// Follows the accepted lines of a day: extremes, recorded minutes and gaps, output times.
class DayTally {
public:
    explicit DayTally(DateTime start) : Start(start) {}

    void Add(const DayLineReader::Line& line) {
        const DateTime t = line.Time;
        NoteMoment(t);
        for (int i = 0; i < LedgerTemperatureCount; ++i) {
            if (!line.Has[static_cast<size_t>(i)])
                continue;
            const double v = line.Values[static_cast<size_t>(i)];
            auto& low = Row.TMin[static_cast<size_t>(i)];
            auto& high = Row.TMax[static_cast<size_t>(i)];
            low = std::isnan(low) ? v : std::min(low, v);
            high = std::isnan(high) ? v : std::max(high, v);
        }
        for (int k = 0; k < LedgerOutputCount; ++k) {
            const auto c = static_cast<size_t>(ChR1 + k);
            if (!line.Has[c])
                continue;
            // An output counts as on at any level above zero (speed-controlled pumps run below
            // 100); on-time follows the same left rectangles as Volume and Energy.
            const bool on = line.Values[c] > 0.0;
            auto& state = Outputs[static_cast<size_t>(k)];
            state.Time.Add(Since, t, on ? 1.0 : 0.0);
            if (on && state.Seen && !state.On)
                ++Row.Starts[static_cast<size_t>(k)];
            state.On = on;
            state.Seen = true;
        }
        Since = t;
    }

    LedgerRow Finish(const DayLineReader& reading, const QString& fileName) {
        const DateTime end = Start + 1.0;
        if (Last != 0.0)
            Gap(end - Last);
        const double carry =
            reading.Complete() ? DaySums::CarryDays(reading.Sums().LastLineTime(), Start) : 0.0;
        for (int k = 0; k < LedgerOutputCount; ++k) {
            auto& time = Outputs[static_cast<size_t>(k)].Time;
            time.Carry(carry);
            Row.OnHours[static_cast<size_t>(k)] = time.Sum();
        }
        Row.Level = LedgerLevel::Day;
        Row.Start = ToDate(Start);
        Row.File = fileName;
        Row.EnergyKWh = reading.Sums().Energy();
        Row.VolumeL = reading.Sums().Volume();
        Row.DaysWithData = 1;
        return Row;
    }

private:
    void NoteMoment(DateTime t) {
        const auto minute = static_cast<long long>(std::floor((t - Start) * MinutesPerDay + 1e-6));
        if (Last == 0.0 || minute != LastMinute)
            ++Row.RecordedMinutes;
        Gap(t - (Last == 0.0 ? Start : Last));
        LastMinute = minute;
        Last = t;
    }
    void Gap(double days) {
        Row.LongestGapMinutes =
            std::max(Row.LongestGapMinutes, std::round(days * MinutesPerDay * 10.0) / 10.0);
    }

    struct Output {
        LeftRectangleSum Time{24.0};
        bool On = false;
        bool Seen = false;
    };

    DateTime Start;
    DateTime Since = 0.0; // the previous read line, as the sums count it
    DateTime Last = 0.0;
    long long LastMinute = 0;
    std::array<Output, LedgerOutputCount> Outputs;
    LedgerRow Row;
};

} // namespace

LedgerRow ReadLedgerDay(const QString& fileName, LogReader& reader) {
    LogLines lines;
    ChannelUnits units;
    const DateTime date = reader.OpenDayFile(fileName, lines, units);
    DayLineReader reading(date);
    DayTally tally(date);
    reading.ReadLines(&lines, reader,
                      [&tally](const DayLineReader::Line& line) { tally.Add(line); });
    bool anyValue = false;
    for (int i = 0; i < FileChannelCount; ++i)
        anyValue = anyValue || reading.State(i) == DataState::Valid;
    if (!anyValue)
        AppError::RaiseText(TextNoValues);
    return tally.Finish(reading, fileName);
}
