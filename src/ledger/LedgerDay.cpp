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

} // namespace

void LedgerDayTally::Begin(DateTime start) {
    Start = start;
    Last = 0.0;
    LastMinute = 0;
    Row = LedgerRow();
}

void LedgerDayTally::Add(const DayLine& line) {
    NoteMoment(line.Time);
    for (int i = 0; i < LedgerTemperatureCount; ++i) {
        if (!line.Has[static_cast<size_t>(i)])
            continue;
        const double v = line.Values[static_cast<size_t>(i)];
        auto& low = Row.TMin[static_cast<size_t>(i)];
        auto& high = Row.TMax[static_cast<size_t>(i)];
        low = std::isnan(low) ? v : std::min(low, v);
        high = std::isnan(high) ? v : std::max(high, v);
    }
}

LedgerRow LedgerDayTally::Finish(const DayLineReader& reading, const QString& fileName) {
    if (Last != 0.0)
        Gap(Start + 1.0 - Last);
    const DaySums& sums = reading.Sums();
    for (int k = 0; k < LedgerOutputCount; ++k) {
        Row.OnHours[static_cast<size_t>(k)] = sums.OnHours(k);
        Row.Starts[static_cast<size_t>(k)] = sums.Starts(k);
    }
    Row.Level = LedgerLevel::Day;
    Row.Start = ToDate(Start);
    Row.File = fileName;
    Row.EnergyKWh = sums.Energy();
    Row.VolumeL = sums.Volume();
    Row.DaysWithData = 1;
    return Row;
}

void LedgerDayTally::NoteMoment(DateTime t) {
    const auto minute = static_cast<long long>(std::floor((t - Start) * MinutesPerDay + 1e-6));
    if (Last == 0.0 || minute != LastMinute)
        ++Row.RecordedMinutes;
    Gap(t - (Last == 0.0 ? Start : Last));
    LastMinute = minute;
    Last = t;
}

void LedgerDayTally::Gap(double days) {
    Row.LongestGapMinutes =
        std::max(Row.LongestGapMinutes, std::round(days * MinutesPerDay * 10.0) / 10.0);
}

LedgerRow ReadLedgerDay(const QString& fileName, LogReader& reader) {
    LogLines lines;
    ChannelUnits units;
    const DateTime date = reader.OpenDayFile(fileName, lines, units);
    DayLineReader reading(date);
    LedgerDayTally tally;
    tally.Begin(date);
    reading.ReadLines(&lines, reader, [&tally](const DayLine& line) { tally.Add(line); });
    bool anyValue = false;
    for (int i = 0; i < FileChannelCount; ++i)
        anyValue = anyValue || reading.State(i) == DataState::Valid;
    if (!anyValue)
        AppError::RaiseText(TextNoValues);
    return tally.Finish(reading, fileName);
}
