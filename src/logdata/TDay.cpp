#include "logdata/TDay.h"

#include "chart/SeriesHost.h"
#include "core/AppError.h"
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
constexpr double Minute = 1.0 / MinutesPerDay;

// The date of a line's time stamp: up to the blank before the time, or the first separator when
// the stamp is a date alone.
std::string_view DateText(std::string_view line) {
    return line.substr(0, line.find_first_of(" ;"));
}

bool ReadTime(std::string_view text, const LogReader& reader, DateTime& time) {
    return TextToDateTime(text, reader.Convention, reader.Century, time);
}

} // namespace

TDay::TDay(DateTime startDate, SeriesHost* chart, SeriesHost* chart2)
    : FChart(chart), FChart2(chart2), FEndTime(startDate), FStartDate(startDate) {
    if (chart == nullptr || chart2 == nullptr)
        AppError::RaiseText(TextNoMemory);
    try {
        for (int i = 0; i < ChannelCount; ++i) {
            auto series = std::make_unique<ChartSeries>(SeriesKind::Line);
            series->SetStairs(IsOutputChannel(i));
            Slots[static_cast<size_t>(i)].Series = std::move(series);
        }
        for (int k = 0; k < 4; ++k) {
            auto series = std::make_unique<ChartSeries>(SeriesKind::Bar);
            series->SetBarOrigin(BarBase(k));
            Slots[static_cast<size_t>(BarSlotBase + k)].Series = std::move(series);
        }
    } catch (const std::bad_alloc&) {
        AppError::RaiseText(TextNoMemory);
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
    if (lines == nullptr)
        AppError::Raise(QStringLiteral("Illegal State(42)"));
    if (lines->IsEmpty())
        AppError::Raise(QStringLiteral("Illegal State(43)"));

    // The logger stamps its midnight record with the previous day: give it the file's date.
    // Only the date text moves, so a two-digit year cannot eat into the hour; a record that
    // would then stand after the second line is left as it is rather than dropped.
    if (lines->Count() >= 2 && lines->Line(0).size() > 10 && lines->Line(1).size() > 10) {
        const std::string_view first = lines->Line(0);
        const std::string_view second = lines->Line(1);
        std::string moved(DateText(second));
        moved.append(first.substr(DateText(first).size()));
        DateTime movedTime = 0;
        DateTime secondTime = 0;
        const std::string_view movedView(moved);
        const bool after = ReadTime(movedView.substr(0, movedView.find(';')), reader, movedTime) &&
                           ReadTime(second.substr(0, second.find(';')), reader, secondTime) &&
                           movedTime > secondTime;
        if (!after)
            lines->Replace(0, moved);
    }

    const DateConvention remembered = reader.Convention;
    bool complete = true;
    const int count = lines->Count();
    // A line adds at most one point to each file channel and bar series (two after a gap):
    // sizing for one spares the copies and the untouched half of growing by doubling.
    for (int i = 0; i < FileChannelCount; ++i)
        Slots[static_cast<size_t>(i)].Series->Reserve(count);
    for (int k = 0; k < 4; ++k)
        Slots[static_cast<size_t>(BarSlotBase + k)].Series->Reserve(count);
    for (int i = 0; i < count; ++i) {
        try {
            ReadLine(lines->Line(i), reader);
        } catch (const AppError&) {
            // A value that is no number ends the day here, silently: what was read stays.
            complete = false;
            break;
        }
    }
    if (complete && LastLineTime > 1000) {
        // Carry the last reading on to midnight, never past the end of the file's day.
        const DateTime end = std::min(CeilDay(LastLineTime), FStartDate + 1.0);
        const double d = std::max(0.0, end - LastLineTime);
        Volume += d * MinutesPerDay * LastFlow;
        Energy += d * 24.0 * LastPower;
    }
    FEndTime = FStartDate + 1.0;
    reader.Convention = remembered;
    if (!FPowerHasFraction) {
        Energy *= 0.001;
        Slots[ChPower].Series->ScaleValues(0.001);
    }
}

void TDay::ReadLine(std::string_view line, LogReader& reader) {
    // A line without ";" is a time stamp alone: a moment without values.
    const size_t semicolon = line.find(';');
    const std::string_view timeText = line.substr(0, semicolon);
    std::string_view rest =
        semicolon == std::string_view::npos ? std::string_view() : line.substr(semicolon + 1);

    DateTime time = 0;
    if (!Stamps.Read(timeText, reader.Convention, reader.Century, time)) {
        reader.Convention = reader.Convention == DateConvention::DayFirstWithTime()
                                ? DateConvention::YearFirstWithTime()
                                : DateConvention::DayFirstWithTime();
        if (!Stamps.Read(timeText, reader.Convention, reader.Century, time))
            time = FEndTime + Minute;
    }
    if (!FirstLineSeen) {
        FEndTime = time;
        FirstLineSeen = true;
    }
    if (FInterval == 0.0)
        FInterval = time - FEndTime;
    const bool gap = std::floor(FInterval * MinutesPerDay + 0.5) !=
                     std::floor((time - FEndTime) * MinutesPerDay + 0.5);
    if (gap)
        FInterval = 0.0;
    if (time < FEndTime)
        return;
    FEndTime = time;

    const char* p = rest.data();
    const char* const end = p + rest.size();
    for (int i = 0; p < end && i < FileChannelCount; ++i) {
        Slot& slot = Slots[static_cast<size_t>(i)];
        double v = 0;
        const char* stop = ScanPlainDecimalComma(p, end, v);
        if (stop == nullptr) {
            const auto* cut =
                static_cast<const char*>(std::memchr(p, ';', static_cast<size_t>(end - p)));
            stop = cut != nullptr ? cut : end;
            const std::string_view field(p, static_cast<size_t>(stop - p));
            p = stop < end ? stop + 1 : end;
            if (field.empty()) {
                LowerState(slot.State, DataState::Empty);
                continue;
            }
            if (field == "Err") {
                LowerState(slot.State, DataState::Fault);
                continue;
            }
            if (!ParseDecimalComma(field.data(), field.data() + field.size(), v))
                AppError::RaiseText(TextNotLogFile);
        } else {
            p = stop < end ? stop + 1 : end;
        }
        if (i == ChFlow) {
            if (LastLineTime != 0.0)
                Volume += (time - LastLineTime) * MinutesPerDay * LastFlow;
            LastFlow = v;
        } else if (i == ChPower) {
            if (LastLineTime != 0.0)
                Energy += (time - LastLineTime) * 24.0 * LastPower;
            LastPower = v;
            if (!FPowerHasFraction && std::floor(v) != v)
                FPowerHasFraction = true;
        } else if (IsOutputChannel(i)) {
            const int k = i - ChR1;
            ChartSeries& bars = *Slots[static_cast<size_t>(BarSlotBase + k)].Series;
            if (gap)
                bars.AddNull(time);
            bars.AddXY(time, BarBase(k) + 0.1 * v + 0.5);
        }
        if (gap)
            slot.Series->AddNull(time);
        slot.Series->AddXY(time, v);
        slot.State = DataState::Valid;
    }
    LastLineTime = time;
}

DateTime TDay::GetStartDate(int n) const {
    const TDay* day = this;
    for (int i = 0; i < n; ++i) {
        day = day->Next;
        if (day == nullptr)
            AppError::Raise(QStringLiteral("Illegal State(41)"));
    }
    return day->FStartDate;
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
        if (!(day->FStartDate < maximum && minimum < day->FEndTime))
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
