#include "logdata/TMonth.h"

#include "chart/SeriesHost.h"
#include "core/AppError.h"

namespace {

[[noreturn]] void Internal(const char* text) { AppError::Raise(QString::fromLatin1(text)); }

} // namespace

TMonth::TMonth(int month, int year, TMonth* previous, SeriesHost* chart)
    : Year(year), Month(month), Chart(chart) {
    if (chart == nullptr)
        Internal("Illegal State (30)");
    if (!EncodeDate(year, month, 1, FStartDate))
        Internal("Illegal State(31).");
    FEndDate = FStartDate + DaysInMonth(year, month);
    const int nextMonth = month == 12 ? 1 : month + 1;
    DateTime next = 0.0;
    if (EncodeDate(month == 12 ? year + 1 : year, nextMonth, 1, next))
        FEndDate = next;
    for (TDay::Slot& slot : TotalSlots)
        slot.Series = std::make_unique<ChartSeries>(SeriesKind::Line);
    if (previous != nullptr) {
        Prev = previous;
        previous->Next = this;
    }
}

TMonth::~TMonth() {
    // Each day unhooks itself from this month (RemoveDay) and from its neighbours as it goes.
    while (FirstDay != nullptr)
        delete FirstDay;
}

void TMonth::AddDay(std::unique_ptr<TDay> day) {
    TDay* d = day.release();
    d->SetMonth(this);
    if (FirstDay != nullptr)
        FirstDay->Append(d);
    else
        FirstDay = d;
    ++DayCount;
}

void TMonth::RemoveDay(TDay* day) {
    if (day == FirstDay)
        FirstDay = day->GetNext();
    --DayCount;
}

const TDay& TMonth::GetDay(int dayIndex) const {
    const TMonth* m = this;
    while (dayIndex >= m->DayCount && m->Next != nullptr) {
        dayIndex -= m->DayCount;
        m = m->Next;
    }
    if (m->FirstDay == nullptr)
        Internal("TMonth->GetStartDate(Index) - Index out of Bounds Exception");
    const TDay* day = m->FirstDay;
    for (int i = 0; i < dayIndex; ++i) {
        day = day->GetNext();
        if (day == nullptr)
            Internal("Illegal State(41)");
    }
    return *day;
}

DateTime TMonth::GetStartDate(int dayIndex) const { return GetDay(dayIndex).StartDate(); }

int TMonth::GetMonthCount() const {
    int count = 0;
    for (const TMonth* m = this; m != nullptr; m = m->Next)
        if (m->DayCount != 0)
            ++count;
    return count;
}

const TMonth& TMonth::MonthAt(int monthIndex, int& dayIndex, const char* endText) const {
    // Months without days are passed over; an empty last month still answers index 0.
    dayIndex = 0;
    const TMonth* m = this;
    for (;;) {
        if (m->DayCount == 0 && m->Next != nullptr) {
            m = m->Next;
            continue;
        }
        if (monthIndex == 0)
            return *m;
        if (m->Next == nullptr)
            Internal(endText);
        dayIndex += m->DayCount;
        --monthIndex;
        m = m->Next;
    }
}

DateTime TMonth::GetDateByMonthIndex(int monthIndex) const {
    int dayIndex = 0;
    return MonthAt(monthIndex, dayIndex, "GetDateByMonthIndex - Reached End of Data").FStartDate;
}

int TMonth::GetMonthIndexByDay(int dayIndex) const {
    int monthIndex = 0;
    for (const TMonth* m = this;; m = m->Next) {
        if (dayIndex < m->DayCount)
            return monthIndex;
        if (m->Next == nullptr)
            Internal("TMonth::GetMonthIndexByDay - Reached End of Data");
        if (m->DayCount > 0)
            ++monthIndex;
        dayIndex -= m->DayCount;
    }
}

int TMonth::GetDayIndexByMonth(int monthIndex) const {
    int dayIndex = 0;
    MonthAt(monthIndex, dayIndex, "TMonth::GetDayIndexByMonth - Reached End of Data");
    return dayIndex;
}

bool TMonth::Overlaps(DateTime maximum, DateTime minimum) const {
    return (minimum <= FStartDate && maximum > FStartDate) ||
           (minimum > FStartDate && maximum < FEndDate) ||
           (maximum >= FEndDate && minimum < FEndDate);
}

void TMonth::ShowChannel(SeriesHost* chart, int channel, DataState& lowestState, bool legend,
                         DateTime maximum, DateTime minimum) {
    for (TMonth* m = this; m != nullptr; m = m->Next) {
        if (!m->Overlaps(maximum, minimum))
            continue;
        if (IsTotal(channel)) {
            TDay::Slot& slot = m->TotalSlots[TotalIndex(channel)];
            chart->AddSeries(slot.Series.get());
            slot.Series->SetShowInLegend(legend);
            slot.Shown = true;
            LowerState(lowestState, slot.State);
            legend = false;
        } else if (m->FirstDay != nullptr) {
            legend =
                m->FirstDay->ShowChannel(channel, m->ChannelShown[static_cast<size_t>(channel)],
                                         lowestState, legend, maximum, minimum);
        }
    }
}

void TMonth::HideChannel(int channel) {
    for (TMonth* m = this; m != nullptr; m = m->Next) {
        if (IsTotal(channel)) {
            TDay::Slot& slot = m->TotalSlots[TotalIndex(channel)];
            if (slot.Shown) {
                m->Chart->RemoveSeries(slot.Series.get());
                slot.Shown = false;
            }
        } else if (m->FirstDay != nullptr && m->ChannelShown[static_cast<size_t>(channel)]) {
            m->FirstDay->HideChannel(channel);
            m->ChannelShown[static_cast<size_t>(channel)] = false;
        }
    }
}

void TMonth::ApplyChannelStyle(int channel, const QString& label, bool outputsAsBars,
                               bool othersAsBars, int lineWidth, const QColor& colour) {
    for (TMonth* m = this; m != nullptr; m = m->Next) {
        if (!IsTotal(channel)) {
            for (TDay* day = m->FirstDay; day != nullptr; day = day->GetNext())
                day->ApplyChannelStyle(channel, label, outputsAsBars, othersAsBars, lineWidth,
                                       colour);
            continue;
        }
        TDay::Slot& slot = m->TotalSlots[TotalIndex(channel)];
        ChartSeries& series = *slot.Series;
        if (slot.Shown) {
            TDay::SetBarsOnZero(series, othersAsBars);
            series.SetAxis(ValueAxis::Left);
            TDay::Recolour(slot, colour);
        }
        series.SetTitle(label);
        if (series.Kind() == SeriesKind::Line)
            series.SetLineWidth(lineWidth);
    }
}

void TMonth::SetChannelAxis(int channel, ValueAxis axis) {
    for (TMonth* m = this; m != nullptr; m = m->Next) {
        if (IsTotal(channel))
            m->TotalSlots[TotalIndex(channel)].Series->SetAxis(axis);
        else if (m->FirstDay != nullptr)
            m->FirstDay->SetChannelAxis(channel, axis);
    }
}

void TMonth::BuildTotals() {
    TDay* d = FirstDay;
    if (d == nullptr)
        return;
    ChartSeries& volume = *TotalSlots[0].Series;
    ChartSeries& energy = *TotalSlots[1].Series;
    TotalSlots[0].State = DataState::Fault;
    TotalSlots[1].State = DataState::Fault;
    DateTime t = d->StartDate() + 0.5;
    for (DateTime c = FStartDate; c < FEndDate; c += 1.0) {
        // A day dated before the calendar day reached (a second file of a date, or content dated
        // a day early) is passed over, so the days after it are still taken.
        while (d != nullptr && t <= c) {
            d = d->GetNext();
            t = d != nullptr ? d->StartDate() + 0.5 : 0.0;
        }
        if (d != nullptr && c < t && t < c + 1.0) {
            volume.AddXY(t, d->GetVolume());
            energy.AddXY(t, d->GetEnergy());
            TotalSlots[0].State = DataState::Valid;
            TotalSlots[1].State = DataState::Valid;
            d = d->GetNext();
            t = d != nullptr ? d->StartDate() + 0.5 : 0.0;
        } else {
            volume.AddXY(c + 0.5, 0.0);
            energy.AddXY(c + 0.5, 0.0);
        }
    }
}
