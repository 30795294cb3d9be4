#include "ui/analysis/AnalysisView.h"

#include "core/DatePattern.h"
#include "logdata/TAnalysisData.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int HoursOfItem[] = {1, 3, 8};
// Each step moves the window by this share of its width: 40 steps, one second, cross it once.
constexpr double ScrollShare = 0.025;

DateTime NextMonthStart(DateTime monthStart) {
    const DateParts parts = DecodeDate(monthStart);
    DateTime next = 0;
    const bool december = parts.Month == 12;
    EncodeDate(december ? parts.Year + 1 : parts.Year, december ? 1 : parts.Month + 1, 1, next);
    return next;
}

} // namespace

DateTime AnalysisView::DayDate(int index) const {
    return FData->GetStartDate(static_cast<unsigned>(index));
}

void AnalysisView::SetSlider(int maximum, int position) {
    // A range without days must not turn into -1..-1.
    FSliderMax = std::max(0, maximum);
    FSliderPos = std::clamp(position, 0, FSliderMax);
}

void AnalysisView::DayTitle() {
    Q_EMIT TitleChanged(DatePattern::Format(QStringLiteral("dd. mmmm yyyy"), CurrentDate));
}

void AnalysisView::MonthTitle() {
    Q_EMIT TitleChanged(DatePattern::Format(QStringLiteral("mmmm yyyy"), CurrentDate));
}

void AnalysisView::Start(const TAnalysisData* data, int spanCount, bool sliderEnabled) {
    FData = data;
    FSpanCount = spanCount;
    FSpan = DayItem;
    MonthMode = false;
    MonthIndex = DayIndex = StartHour = 0;
    EndHour = 24;
    if (FData == nullptr)
        return;
    SetSlider(static_cast<int>(FData->GetDayCount()) - 1, 0);
    FSliderEnabled = sliderEnabled;
    Q_EMIT ControlsChanged();
    CurrentDate = DayDate(0);
    DayTitle();
    ShowWindow(CurrentDate, CurrentDate + 1);
}

void AnalysisView::Clear() {
    FData = nullptr;
    ForgetFetched();
    FSliderMax = FSliderPos = 0;
    FSpan = FSpanCount > DayItem ? DayItem : -1;
    Q_EMIT ControlsChanged();
    Q_EMIT Cleared();
}

bool AnalysisView::DaysChange(DateTime from, DateTime to) const {
    return !(std::ceil(to) == FFetchedTo && std::floor(from) == FFetchedFrom);
}

void AnalysisView::Fetched(DateTime from, DateTime to) {
    FFetchedFrom = std::floor(from);
    FFetchedTo = std::ceil(to);
}

void AnalysisView::ForgetFetched() {
    FFetchedFrom = FFetchedTo = std::numeric_limits<double>::quiet_NaN();
}

void AnalysisView::ShowWindow(DateTime from, DateTime to) {
    FFrom = from;
    FTo = to;
    Q_EMIT WindowChanged(from, to);
    Q_EMIT Viewed();
}

void AnalysisView::ShowHourWindow() {
    ShowWindow(CurrentDate + StartHour / 24.0, CurrentDate + EndHour / 24.0);
}

void AnalysisView::SetViewed(DateTime from, DateTime to) {
    FFrom = from;
    FTo = to;
    Q_EMIT Viewed();
}

void AnalysisView::SelectSpan(int item) {
    if (FData == nullptr)
        return;
    if (item < 0 || item >= FSpanCount)
        item = DayItem;
    FSpan = item;
    Q_EMIT ControlsChanged();
    Q_EMIT MoveStarting();
    Q_EMIT SpanChanged();

    if (MonthMode && item != MonthItem) {
        MonthMode = false;
        StartHour = 0;
        EndHour = 24;
        DayIndex = FData->GetDayIndexByMonth(MonthIndex);
        CurrentDate = DayDate(DayIndex);
        ShowWindow(CurrentDate, CurrentDate + 1);
        DayTitle();
    } else if (!MonthMode && item == MonthItem) {
        // The month of the day in view; a single-day data set raises its internal error here.
        const int month = FData->GetMonthIndexByDay(DayIndex);
        MonthMode = true;
        StartHour = 0;
        MonthIndex = month;
        CurrentDate = FData->GetDateByMonthIndex(MonthIndex);
        ShowWindow(CurrentDate, NextMonthStart(CurrentDate));
        MonthTitle();
    }

    if (item < DayItem) {
        const int hours = HoursOfItem[item];
        if (hours == EndHour - StartHour)
            return;
        StartHour = std::min(StartHour, 24 - hours);
        EndHour = StartHour + hours;
        SetSlider(24 - hours, StartHour);
        ShowHourWindow();
    } else if (item == MonthItem) {
        SetSlider(FData->GetMonthCount() - 1, MonthIndex);
        StartHour = 0;
        EndHour = 744;
    } else {
        StartHour = 0;
        EndHour = 24;
        SetSlider(static_cast<int>(FData->GetDayCount()) - 1, DayIndex);
        ShowWindow(CurrentDate, CurrentDate + 1);
    }
    FSliderEnabled = FSliderMax > 0;
    Q_EMIT ControlsChanged();
}

void AnalysisView::Slide(int position) {
    if (FData == nullptr)
        return;
    Q_EMIT MoveStarting();
    FSliderPos = position;
    if (FSpan == MonthItem) {
        MonthIndex = position;
        CurrentDate = FData->GetDateByMonthIndex(MonthIndex);
        ShowWindow(CurrentDate, NextMonthStart(CurrentDate));
        MonthTitle();
        return;
    }
    if (FSpan == DayItem) {
        DayIndex = position;
        CurrentDate = DayDate(DayIndex);
    } else {
        const int span = EndHour - StartHour;
        StartHour = position;
        EndHour = position + span;
    }
    ShowHourWindow();
    DayTitle();
}

void AnalysisView::JumpLeft() {
    if (FData == nullptr)
        return;
    if (FSpan == MonthItem) {
        if (FSliderPos != 0)
            Slide(0);
    } else if (FSpan == DayItem) {
        // At the first day the day is shown whole again, which also ends a scroll.
        Slide(FSliderPos > 0 ? FSliderPos - 1 : FSliderPos);
    } else if (DayIndex > 0) {
        --DayIndex;
        CurrentDate = DayDate(DayIndex);
        Q_EMIT MoveStarting();
        ShowHourWindow();
        DayTitle();
    }
    Q_EMIT ControlsChanged();
}

void AnalysisView::JumpRight() {
    if (FData == nullptr)
        return;
    if (FSpan == MonthItem) {
        if (FSliderPos != FSliderMax)
            Slide(FSliderMax);
    } else if (FSpan == DayItem) {
        Slide(FSliderPos < FSliderMax ? FSliderPos + 1 : FSliderPos);
    } else if (static_cast<unsigned>(DayIndex) + 1 < FData->GetDayCount()) {
        ++DayIndex;
        CurrentDate = DayDate(DayIndex);
        Q_EMIT MoveStarting();
        ShowHourWindow();
        DayTitle();
    }
    Q_EMIT ControlsChanged();
}

void AnalysisView::ScrollClick(bool left) {
    if (FData == nullptr || !MonthMode)
        return;
    if (left ? FSliderPos > 0 : FSliderPos < FSliderMax) {
        Slide(FSliderPos + (left ? -1 : 1));
        Q_EMIT ControlsChanged();
    }
}

void AnalysisView::ScrollStep(bool left) {
    if (FData == nullptr || MonthMode)
        return;
    const double shift = (FTo - FFrom) * ScrollShare * (left ? -1 : 1);
    ShowWindow(FFrom + shift, FTo + shift);
    FollowWindow();
}

void AnalysisView::FollowWindow() {
    if (FData == nullptr || MonthMode)
        return;
    const double lo = FFrom;
    QString title = DatePattern::Format(QStringLiteral("dd. mmm yyyy"), lo);
    for (double d = lo + 1; std::floor(d) < FTo; d += 1)
        title += QStringLiteral(" + ") + DatePattern::Format(QStringLiteral("dd. mmm yyyy"), d);
    Q_EMIT TitleChanged(title);
    if (FSpan == DayItem)
        SyncDay(lo);
    else
        SyncHour(lo);
    Q_EMIT ControlsChanged();
}

void AnalysisView::SyncDay(DateTime lo) {
    const int count = static_cast<int>(FData->GetDayCount());
    int i = DayIndex;
    DateTime c = CurrentDate;
    if (std::floor(CurrentDate) - 0.5 > lo) {
        while (i > 0) {
            c = DayDate(--i);
            if (!(std::floor(c) > lo))
                break;
            DayIndex = i;
            CurrentDate = c;
        }
    } else if (std::floor(CurrentDate) + 0.5 < lo) {
        while (i < count - 1) {
            c = DayDate(++i);
            if (std::floor(c) >= lo)
                break;
            DayIndex = i;
            CurrentDate = c;
        }
    }
    if (!(std::abs(std::floor(CurrentDate) - lo) < std::abs(std::floor(c) - lo))) {
        DayIndex = i;
        CurrentDate = c;
    }
    FSliderPos = DayIndex;
}

void AnalysisView::SyncHour(DateTime lo) {
    const int count = static_cast<int>(FData->GetDayCount());
    const int span = EndHour - StartHour;
    const int lastHour = 24 - span;
    int n = StartHour;
    int i = DayIndex;
    DateTime c = CurrentDate;
    const auto timeOf = [](DateTime date, int hour) { return std::floor(date) + hour / 24.0; };
    const auto makeCurrent = [&] {
        StartHour = n;
        DayIndex = i;
        CurrentDate = c;
    };
    if (std::floor(CurrentDate) + (StartHour - 0.5) / 24.0 > lo) {
        while (i > 0 || n > 0) {
            if (--n < 0) {
                n = lastHour;
                c = DayDate(--i);
            }
            if (!(timeOf(c, n) > lo))
                break;
            makeCurrent();
        }
    } else if (std::floor(CurrentDate) + (StartHour + 0.5) / 24.0 < lo) {
        while (i < count - 1 || n < lastHour) {
            if (++n > lastHour) {
                n = 0;
                c = DayDate(++i);
            }
            if (timeOf(c, n) >= lo)
                break;
            makeCurrent();
        }
    }
    if (!(std::abs(timeOf(CurrentDate, StartHour) - lo) < std::abs(timeOf(c, n) - lo)))
        makeCurrent();
    EndHour = StartHour + span;
    FSliderPos = StartHour;
}

void AnalysisView::ShowSpan(DateTime start, DateTime end) {
    if (FData == nullptr || FData->GetDayCount() == 0)
        return;
    // The day the event starts on, or the nearest day held after it (a missing day has none).
    const auto dayCount = static_cast<int>(FData->GetDayCount());
    int day = dayCount - 1;
    for (int i = 0; i < dayCount; ++i)
        if (DayDate(i) + 1.0 > start) {
            day = i;
            break;
        }
    const DateTime dayStart = DayDate(day);
    // Room around the event, so that what led to it and what followed is seen.
    const double room = std::max((end - start) * 0.1, Hour / 6.0);
    const double from = std::max(dayStart, start - room);
    const double to = std::min(dayStart + 1.0, end + room);
    const double firstHour = std::floor((from - dayStart) * 24.0 + 1e-6);
    const double lastHour = std::ceil((to - dayStart) * 24.0 - 1e-6);

    if (MonthMode)
        SelectSpan(DayItem);
    DayIndex = day;
    CurrentDate = dayStart;
    if (end - start > 1.0 && FData->IsMultiDay()) {
        SelectSpan(MonthItem); // longer than a day: the month it starts in
        return;
    }
    int item = DayItem;
    for (int i = 0; i < DayItem; ++i)
        if (start >= dayStart && end <= dayStart + 1.0 && lastHour - firstHour <= HoursOfItem[i]) {
            item = i;
            break;
        }
    SelectSpan(item);
    if (item != DayItem) {
        const int hours = HoursOfItem[item];
        StartHour = std::min(static_cast<int>(firstHour), 24 - hours);
        EndHour = StartHour + hours;
        SetSlider(24 - hours, StartHour);
        Q_EMIT ControlsChanged();
        ShowHourWindow();
    }
    DayTitle();
}
