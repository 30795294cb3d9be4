#include "logdata/TDay.h"

#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "core/OutOfMemoryError.h"
#include "core/Channels.h"
#include "core/DecimalComma.h"
#include "core/LanguageTexts.h"
#include "logdata/DayOwner.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <string>

namespace {

constexpr int TextNotLogFile = 86;
constexpr int TextNoMemory = 98;

} // namespace

TDay::TDay(DateTime startDate, SeriesHost* chart, SeriesHost* chart2)
    : FChart(chart), FChart2(chart2), Reading(startDate) {
    if (chart == nullptr || chart2 == nullptr)
        AppError::RaiseText(TextNoMemory);
    try {
        FPoints = std::make_shared<PointStore>(FileChannelCount);
        for (int i = 0; i < ChannelCount; ++i) {
            auto series = std::make_unique<ChartSeries>(SeriesKind::Line);
            series->SetStairs(IsOutputChannel(i));
            if (i < FileChannelCount)
                series->ShareColumn(FPoints, i);
            Slots[static_cast<size_t>(i)].Series = std::move(series);
        }
        // An output's bars are its values moved into the output's band: the same points, seen
        // through another scale.
        for (int k = 0; k < 4; ++k) {
            auto series = std::make_unique<ChartSeries>(SeriesKind::Bar);
            series->SetBarOrigin(BarBase(k));
            series->ShareColumn(FPoints, ChR1 + k,
                                {ChartSeries::ValueView::Kind::Band, BarBase(k)});
            Slots[static_cast<size_t>(BarSlotBase + k)].Series = std::move(series);
        }
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

TDay::~TDay() {
    if (Month != nullptr)
        Month->RemoveDay(this);
    if (Prev != nullptr)
        Prev->Next = Next;
    if (Next != nullptr)
        Next->Prev = Prev;
}

void TDay::ReadLines(LogLines* lines, LogReader& reader) {
    // A line adds at most one moment and one point per channel (two after a gap): sizing for
    // one spares the copies and the untouched half of growing by doubling.
    if (lines != nullptr)
        FPoints->Reserve(lines->Count());
    Reading.ReadLines(lines, reader, [this](const DayLineReader::Line& line) { AddPoints(line); });
    TakeStates();
    if (!Reading.Sums().PowerHasFraction())
        Slots[ChPower].Series->ScaleValues(0.001);
}

void TDay::ReadLine(std::string_view line, LogReader& reader) {
    DayLineReader::Line read;
    const DayLineReader::Outcome outcome = Reading.ReadLine(line, reader, read);
    if (outcome != DayLineReader::Outcome::Dropped)
        AddPoints(read);
    TakeStates();
    if (outcome == DayLineReader::Outcome::Stopped)
        AppError::RaiseText(TextNotLogFile);
}

void TDay::AddPoints(const DayLineReader::Line& line) {
    PointStore& points = *FPoints;
    // The line's moments are made at its first value: a line without any adds none, and only
    // its note keeps it for the sums and checks that count its time.
    if (line.Has.none()) {
        FNotes.push_back({points.RowCount(), line.Time, line.Err, true, line.Gap});
        return;
    }
    const int nullRow = line.Gap ? points.AddRow(line.Time) : -1;
    const int row = points.AddRow(line.Time);
    if (line.Err.any())
        FNotes.push_back({row, line.Time, line.Err, false, line.Gap});
    for (int i = 0; i < FileChannelCount; ++i) {
        if (!line.Has[static_cast<size_t>(i)])
            continue;
        if (line.Gap)
            points.AddNull(i, nullRow);
        const double v = line.Values[static_cast<size_t>(i)];
        if (line.Tenths[static_cast<size_t>(i)])
            points.AddTenths(i, row, v);
        else
            points.Add(i, row, v);
    }
}

DaySums TDay::SumsWithin(DateTime from, DateTime to) const {
    DaySums sums(from, to);
    ForEachLine([&sums](const DayLine& line, bool ended) { sums.AddLine(line, ended); });
    sums.Finish(StartDate(), Complete());
    return sums;
}

void TDay::TakeStates() {
    for (int i = 0; i < FileChannelCount; ++i)
        Slots[static_cast<size_t>(i)].State = Reading.State(i);
}

DateTime TDay::GetStartDate(int n) const {
    const TDay* day = this;
    for (int i = 0; i < n; ++i) {
        day = day->Next;
        if (day == nullptr)
            AppError::Raise(QStringLiteral("Illegal State(41)"));
    }
    return day->StartDate();
}

void TDay::Append(TDay* day) {
    TDay* last = this;
    while (last->Next != nullptr)
        last = last->Next;
    last->Next = day;
    day->Prev = last;
}

void TDay::SetMonth(DayOwner* month) {
    if (Month != nullptr && Month != month)
        Month->RemoveDay(this);
    Month = month;
}

bool TDay::ShowChannel(int channel, bool& shown, DataState& lowestState, bool legend,
                       DateTime maximum, DateTime minimum) {
    const auto c = static_cast<size_t>(channel);
    for (TDay* day = this; day != nullptr; day = day->Next) {
        if (!(day->StartDate() < maximum && minimum < day->EndTime()))
            continue;
        // The legend entry goes on the series that is drawn: the bar slot for an output.
        Slot* drawn = &day->Slots[c];
        if (IsOutputChannel(channel)) {
            drawn = &day->Slots[static_cast<size_t>(BarSlotBase + channel - ChR1)];
            day->FChart2->AddSeries(drawn->Series.get());
        } else {
            day->FChart->AddSeries(drawn->Series.get());
        }
        drawn->Shown = true;
        shown = true;
        drawn->Series->SetShowInLegend(legend);
        legend = false;
        LowerState(lowestState, day->Slots[c].State);
    }
    return legend;
}

void TDay::HideChannel(int channel) {
    for (TDay* day = this; day != nullptr; day = day->Next) {
        Slot& line = day->Slots[static_cast<size_t>(channel)];
        if (line.Shown) {
            day->FChart->RemoveSeries(line.Series.get());
            line.Shown = false;
        }
        if (IsOutputChannel(channel)) {
            Slot& bar = day->Slots[static_cast<size_t>(BarSlotBase + channel - ChR1)];
            if (bar.Shown) {
                day->FChart2->RemoveSeries(bar.Series.get());
                bar.Shown = false;
            }
        }
    }
}

void TDay::SetBarsOnZero(ChartSeries& series, bool bars) {
    if (bars) {
        series.SetKind(SeriesKind::Bar);
        series.SetBarOrigin(0.0);
    } else {
        series.SetKind(SeriesKind::Line);
        series.SetStairs(false);
    }
}

void TDay::Recolour(Slot& slot, const QColor& colour) {
    if (slot.Colour && *slot.Colour == colour)
        return;
    // Points take the series colour (null points stay without one).
    slot.Series->SetColor(colour);
    slot.Colour = colour;
}

void TDay::ApplyChannelStyle(int channel, const QString& label, bool outputsAsBars,
                             bool othersAsBars, int lineWidth, const QColor& colour) {
    Slot& slot = Slots[static_cast<size_t>(channel)];
    if (!slot.Series)
        return;
    const bool output = IsOutputChannel(channel);
    const bool other = IsOtherChannel(channel);
    ChartSeries& series = *slot.Series;
    if ((output || other) && slot.Shown) {
        SetBarsOnZero(series, (other && othersAsBars) || (output && outputsAsBars));
        series.SetAxis(ValueAxis::Left);
    }
    if (output) {
        const int k = channel - ChR1;
        Slot& bar = Slots[static_cast<size_t>(BarSlotBase + k)];
        if (bar.Shown) {
            ChartSeries& bars = *bar.Series;
            if (outputsAsBars) {
                bars.SetKind(SeriesKind::Bar);
                bars.SetBarOrigin(BarBase(k));
            } else {
                bars.SetKind(SeriesKind::Line);
                bars.SetStairs(true);
            }
            Recolour(bar, colour);
            bars.SetTitle(label);
            if (bars.Kind() == SeriesKind::Line)
                bars.SetLineWidth(lineWidth);
        }
    }
    if (slot.Shown)
        Recolour(slot, colour);
    series.SetTitle(label);
    if (series.Kind() == SeriesKind::Line)
        series.SetLineWidth(lineWidth);
}

void TDay::SetChannelAxis(int channel, ValueAxis axis) {
    for (TDay* day = this; day != nullptr; day = day->Next)
        day->Slots[static_cast<size_t>(channel)].Series->SetAxis(axis);
}
