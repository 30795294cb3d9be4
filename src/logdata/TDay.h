#pragma once

#include "chart/ChartSeries.h"
#include "chart/PointStore.h"
#include "core/DateConvention.h"
#include "core/DateTime.h"
#include "logdata/DataState.h"
#include "logdata/DayLineReader.h"

#include <QColor>
#include <QString>

#include <array>
#include <bitset>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

class DayOwner;
class LogLines;
class LogReader;
class SeriesHost;

// The data of one log file: every channel as a chart series, the day's sums and the bookkeeping
// of reading. Days of a month form a doubly linked chain.
class TDay {
public:
    static constexpr int SlotCount = 19;
    static constexpr int BarSlotBase = 15; // bar series of R1, R2, R3, RError

    struct Slot {
        bool Shown = false;
        std::optional<QColor> Colour;
        DataState State = DataState::Absent;
        std::unique_ptr<ChartSeries> Series;
    };

    TDay(DateTime startDate, SeriesHost* chart, SeriesHost* chart2);
    ~TDay();
    TDay(const TDay&) = delete;
    TDay& operator=(const TDay&) = delete;

    // `lines` may be changed (the first line's date). Null or empty lists are internal errors.
    void ReadLines(LogLines* lines, LogReader& reader);
    void ReadLine(std::string_view line, LogReader& reader);

    DateTime GetStartDate(int n) const;
    TDay* GetNext() const { return Next; }
    TDay* GetPrev() const { return Prev; }
    void Append(TDay* day);
    void SetMonth(DayOwner* month);
    DayOwner* GetMonth() const { return Month; }

    // Returns the legend flag after the chain: still true only if no day was shown.
    bool ShowChannel(int channel, bool& shown, DataState& lowestState, bool legend,
                     DateTime maximum, DateTime minimum);
    void HideChannel(int channel);
    void ApplyChannelStyle(int channel, const QString& label, bool outputsAsBars, bool othersAsBars,
                           int lineWidth, const QColor& colour);
    void SetChannelAxis(int channel, ValueAxis axis);
    double GetVolume() const { return Reading.Sums().Volume(); }
    // The log file the day was read from, exactly as the caller named it.
    const QString& FileName() const { return FFileName; }
    void SetFileName(const QString& name) { FFileName = name; }
    double GetEnergy() const { return Reading.Sums().Energy(); }

    DateTime StartDate() const { return Reading.StartDate(); }
    DateTime EndTime() const { return Reading.EndTime(); }
    double Interval() const { return Reading.Interval(); }
    bool PowerHasFraction() const { return Reading.Sums().PowerHasFraction(); }
    // Whether every line was read (no field stopped the day).
    bool Complete() const { return Reading.Complete(); }
    const DaySums& Sums() const { return Reading.Sums(); }
    // The day's figures within [from, to): the day's lines summed again by the day's own rule.
    DaySums SumsWithin(DateTime from, DateTime to) const;
    // Hands the day's accepted lines back in file order, as the reader handed them over, with
    // whether each was read to its end. Power keeps the file's own values (watts or kilowatts).
    template <class OnLine> void ForEachLine(OnLine&& onLine) const;
    const Slot& SlotAt(int i) const { return Slots[static_cast<size_t>(i)]; }
    ChartSeries& SeriesAt(int i) const { return *Slots[static_cast<size_t>(i)].Series; }
    SeriesHost* Chart() const { return FChart; }
    SeriesHost* Chart2() const { return FChart2; }

    // Styles shared with the month's daily totals: bars standing on zero or a plain line, and
    // the colour given only when it changes.
    static void SetBarsOnZero(ChartSeries& series, bool bars);
    static void Recolour(Slot& slot, const QColor& colour);

private:
    static double BarBase(int k) { return 44.5 - 15.0 * k; }
    void AddPoints(const DayLineReader::Line& line);
    void TakeStates();

    TDay* Prev = nullptr;
    TDay* Next = nullptr;
    DayOwner* Month = nullptr;
    SeriesHost* FChart = nullptr;
    SeriesHost* FChart2 = nullptr;
    DayLineReader Reading;
    std::array<Slot, SlotCount> Slots;
    // The file channels' points, shared by their line series and the outputs' bar series.
    std::shared_ptr<PointStore> FPoints;
    QString FFileName;
    // What the points do not tell of a line: a line without any value (its moment only), or the
    // "Err" fields of a line with values. In line order; most days have none.
    struct LineNote {
        int Row; // the point row the line stands before (no values) or at
        DateTime Time;
        std::bitset<FileChannelCount> Err;
        bool Bare;
        bool Gap;
    };
    std::vector<LineNote> FNotes;
};

template <class OnLine> void TDay::ForEachLine(OnLine&& onLine) const {
    const PointStore& points = *FPoints;
    std::array<int, FileChannelCount> next{};
    auto note = FNotes.begin();
    const int rows = points.RowCount();
    DayLine line;
    // The last line comes out one step late, so that a day stopped early can say which it was.
    bool pending = false;
    DayLine held;
    const auto hand = [&](const DayLine& l) {
        if (pending)
            onLine(static_cast<const DayLine&>(held), true);
        held = l;
        pending = true;
    };
    bool gap = false;
    for (int r = 0; r <= rows; ++r) {
        for (; note != FNotes.end() && note->Bare && note->Row == r; ++note) {
            line.Time = note->Time;
            line.Gap = note->Gap;
            line.Has.reset();
            line.Err = note->Err;
            hand(line);
        }
        if (r == rows)
            break;
        line.Time = points.RowTime(r);
        line.Has.reset();
        line.Err.reset();
        bool null = false;
        for (int c = 0; c < FileChannelCount; ++c) {
            int& i = next[static_cast<size_t>(c)];
            if (i >= points.Count(c) || points.Row(c, i) != r)
                continue;
            const double v = points.Y(c, i++);
            if (std::isnan(v)) {
                null = true;
                continue;
            }
            line.Has.set(static_cast<size_t>(c));
            line.Values[static_cast<size_t>(c)] = v;
        }
        // The empty moment put before a line after a gap, so that no line is drawn across it.
        if (null && line.Has.none()) {
            gap = true;
            continue;
        }
        line.Gap = gap;
        gap = false;
        if (note != FNotes.end() && !note->Bare && note->Row == r)
            line.Err = (note++)->Err;
        hand(line);
    }
    if (pending)
        onLine(static_cast<const DayLine&>(held), Complete());
}
