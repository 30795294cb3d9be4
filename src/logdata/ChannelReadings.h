#pragma once

#include "core/DateTime.h"

#include <cstddef>
#include <optional>
#include <vector>

class ChartSeries;
class TAnalysisData;
class TDay;

// Reads the values of channels at a moment and over a span from the series of a data set, one
// day (or, for the daily Volume and Energy, one month) after the other. It only reads series
// through their points, so how a series keeps them stays its own affair. Output channels are
// read as their level in percent. Holds pointers into the data set: rebuild it when that changes.
class ChannelReadings {
public:
    explicit ChannelReadings(const TAnalysisData& data);

    struct Reading {
        bool HasValue = false;
        double Value = 0.0;
        DateTime Time = 0.0; // of the point read
    };
    // The point at or before `time`, if it lies less than one logging interval before it:
    // nothing in a gap, before the first or after the last point's interval. A channel drawn as
    // bars reads the bar under `time` instead: a bar stands centred on its point, one interval
    // wide (a day's total at noon covers its whole day).
    Reading ValueAt(int channel, DateTime time) const;

    // The first logged moment after `time` (forward) or the last one before it.
    std::optional<DateTime> NextPoint(int channel, DateTime time, bool forward) const;
    // The first (or last) logged moment within [from, to].
    std::optional<DateTime> EdgePoint(int channel, DateTime from, DateTime to, bool last) const;

    struct Statistics {
        int Count = 0; // values in the span
        double Minimum = 0.0;
        DateTime MinimumTime = 0.0;
        double Maximum = 0.0;
        DateTime MaximumTime = 0.0;
        double Mean = 0.0;
        // Flow: litres; Power: kWh; the day's own sums within the span. Zero for other channels.
        double Sum = 0.0;
        // Outputs: hours with a level above zero and the starts, by the day's own rule.
        double OnHours = 0.0;
        int Starts = 0;
    };
    // Over [from, to), taking every day the span covers.
    Statistics SpanStatistics(int channel, DateTime from, DateTime to) const;

    // One series of a channel and the stretch of time it covers.
    struct Piece {
        DateTime Start = 0.0;
        DateTime End = 0.0;
        const ChartSeries* Series = nullptr;
        double Interval = 0.0; // logging interval in days
        bool Bars = false;     // drawn as bars centred on the points
    };

private:
    struct DayEntry {
        DateTime Start = 0.0;
        const TDay* Day = nullptr;
    };
    Piece PieceOf(int channel, size_t index) const;
    size_t PieceCount(int channel) const;
    // The index of the piece holding `time`, or the last one starting before it.
    std::optional<size_t> PieceBefore(int channel, DateTime time) const;

    std::vector<DayEntry> FDays;         // by start date
    std::vector<Piece> FVolume, FEnergy; // the months' daily totals
};
