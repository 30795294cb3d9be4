#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChartCursor.h"
#include "ui/ErrorBoundary.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cmath>

namespace {

constexpr int MonthItem = 4;
constexpr int DayItem = 3;
constexpr int HoursOfItem[] = {1, 3, 8};
constexpr double OneHour = 1.0 / 24.0;
const QString DayTitle = QStringLiteral("dd. mmmm yyyy");
const QString MonthTitle = QStringLiteral("mmmm yyyy");

} // namespace

void TChildform::ConnectNavigation() {
    // Enter in the selector must not grow the list by the typed text.
    SpanTime->setInsertPolicy(QComboBox::NoInsert);
    // activated, not currentIndexChanged: filling and selecting items from code must not run it.
    connect(SpanTime, &QComboBox::activated, this,
            GuardedSlot([this](int item) { SpanTimeChange(item); }));
    // Typed text that names an item is activated by the combo box itself; any other text means
    // no item at all.
    connect(SpanTime->lineEdit(), &QLineEdit::returnPressed, this, GuardedSlot([this] {
                if (SpanTime->findText(SpanTime->currentText(), Qt::MatchFixedString) < 0)
                    SpanTimeChange(-1);
            }));
    // Every change of the position, the jump buttons' included; the window's own changes are
    // made under signal blockers.
    connect(SliderTime, &QSlider::valueChanged, this,
            GuardedSlot([this](int) { SliderTimeChange(); }));
    connect(ButtonJumpLeft, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonJumpLeftClick(); }));
    connect(ButtonJumpRight, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonJumpRightClick(); }));
    connect(ButtonScrollLeft, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonScrollLeftClick(); }));
    connect(ButtonScrollRight, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonScrollRightClick(); }));
    // Press and release come from the event filter: pressed() also fires for the space key.
    ButtonScrollLeft->installEventFilter(this);
    ButtonScrollRight->installEventFilter(this);
    connect(ScrollTimer, &QTimer::timeout, this,
            GuardedSlot([this](auto&&...) { ScrollTimerTick(); }));
    connect(Chart, &ChartSurface::AfterZoom, this, GuardedSlot([this] { ChartZoom(); }));
    connect(Chart, &ChartSurface::AfterUndoZoom, this, GuardedSlot([this] { ChartUndoZoom(); }));
    connect(Chart, &ChartSurface::AfterPan, this, GuardedSlot([this] { ChartScroll(); }));
    // The lower chart's time axis follows a pan as it happens; the series follow on release.
    connect(Chart, &ChartSurface::Panning, this, [this] { Chart->CopyBottomAxisTo(*Chart2); });
}

void TChildform::UndoZoomBeforeMove() {
    // The caller sets a window of its own next: nothing is fetched for the range the undo restores.
    const QScopedValueRollback<bool> moving(FMovingWindow, true);
    Chart->UndoZoom();
}

void TChildform::SetBottomRange(DateTime start, DateTime end) {
    const double currentMin = Chart->Minimum(ChartAxis::Bottom);
    const double currentMax = Chart->Maximum(ChartAxis::Bottom);
    const auto apply = [&](bool minimumFirst) {
        for (ChartSurface* chart : {Chart, Chart2}) {
            if (minimumFirst) {
                chart->SetMinimum(ChartAxis::Bottom, start);
                chart->SetMaximum(ChartAxis::Bottom, end);
            } else {
                chart->SetMaximum(ChartAxis::Bottom, end);
                chart->SetMinimum(ChartAxis::Bottom, start);
            }
        }
    };
    if (start >= currentMax) {
        apply(false);
    } else if (end <= currentMin) {
        apply(true);
    } else {
        try {
            apply(false);
        } catch (const AppError&) {
            apply(true);
        }
    }
}

void TChildform::SetTimeWindow(DateTime start, DateTime end) {
    // Series are fetched per day: only a change of the whole days in view swaps them.
    const bool daysChange = !(std::ceil(end) == FetchedTo && std::floor(start) == FetchedFrom);
    if (!daysChange) {
        SetBottomRange(start, end);
        return;
    }
    RemoveCheckedSeries();
    try {
        SetBottomRange(start, end);
    } catch (...) {
        AddCheckedSeries();
        throw;
    }
    AddCheckedSeries();
}

void TChildform::UpdateSpanTexts() {
    const QSignalBlocker block(SpanTime);
    const int selected = SpanTime->currentIndex();
    for (int i = SpanTime->count() - 1; i >= 0; --i)
        SpanTime->setItemText(i, Text(25 + i));
    SpanTime->setCurrentIndex(selected);
}

DateTime TChildform::NextMonthStart(DateTime monthStart) const {
    const DateParts parts = DecodeDate(monthStart);
    DateTime next = 0;
    const bool december = parts.Month == 12;
    EncodeDate(december ? parts.Year + 1 : parts.Year, december ? 1 : parts.Month + 1, 1, next);
    return next;
}

void TChildform::SetSpanChecksEnabled(bool monthSpan) {
    for (int channel : {ChVolume, ChEnergy}) {
        QCheckBox* box = CheckBoxOf(channel);
        // Unchecking runs the click handler, which hides the per-day totals.
        if (!monthSpan)
            box->setChecked(false);
        box->setEnabled(monthSpan);
    }
}

void TChildform::AllowHourPanning(bool hourSpan) {
    Chart->SetZoomAllowed(!hourSpan);
    Chart->SetPanAllowed(hourSpan);
}

void TChildform::ShowHourWindow() {
    SetTimeWindow(CurrentDate + StartHour / 24.0, CurrentDate + EndHour / 24.0);
}

void TChildform::SpanTimeChange(int item) {
    if (!AnalysisData)
        return;
    // Typed text selects no item; it shows the day, so the selector says so. The other handlers
    // read the span from the selector, which must name it also when this runs from code.
    if (item < 0 || item >= SpanTime->count())
        item = DayItem;
    if (SpanTime->currentIndex() != item || SpanTime->currentText() != SpanTime->itemText(item)) {
        const QSignalBlocker block(SpanTime);
        SpanTime->setCurrentIndex(item);
        SpanTime->setEditText(SpanTime->itemText(item));
    }
    UndoZoomBeforeMove();
    SetSpanChecksEnabled(item == MonthItem);

    if (MonthMode && item != MonthItem) {
        MonthMode = false;
        StartHour = 0;
        EndHour = 24;
        DayIndex = AnalysisData->GetDayIndexByMonth(MonthIndex);
        CurrentDate = AnalysisData->GetStartDate(static_cast<unsigned>(DayIndex));
        SetTimeWindow(CurrentDate, CurrentDate + 1);
        Chart->SetDateFormat(QStringLiteral("hh:mm"));
        Chart->CopyBottomAxisTo(*Chart2);
        SetChartTitle(DayTitle);
    } else if (!MonthMode && item == MonthItem) {
        // The month of the day in view; a single-day data set raises its internal error here.
        const int month = AnalysisData->GetMonthIndexByDay(DayIndex);
        MonthMode = true;
        StartHour = 0;
        MonthIndex = month;
        CurrentDate = AnalysisData->GetDateByMonthIndex(MonthIndex);
        SetTimeWindow(CurrentDate, NextMonthStart(CurrentDate));
        Chart->SetDateFormat(QStringLiteral("dd."));
        Chart->CopyBottomAxisTo(*Chart2);
        SetChartTitle(MonthTitle);
    }

    if (item < DayItem) {
        const int hours = HoursOfItem[item];
        if (hours == EndHour - StartHour)
            return;
        StartHour = std::min(StartHour, 24 - hours);
        EndHour = StartHour + hours;
        SetSliderRange(24 - hours, StartHour);
        AllowHourPanning(true);
        ShowHourWindow();
    } else if (item == MonthItem) {
        SetSliderRange(AnalysisData->GetMonthCount() - 1, MonthIndex);
        StartHour = 0;
        EndHour = 744;
        AllowHourPanning(false);
    } else {
        StartHour = 0;
        EndHour = 24;
        SetSliderRange(static_cast<int>(AnalysisData->GetDayCount()) - 1, DayIndex);
        AllowHourPanning(false);
        SetTimeWindow(CurrentDate, CurrentDate + 1);
    }
    SliderTime->setEnabled(SliderTime->maximum() > 0);
    UpdateCommands();
}

void TChildform::SliderTimeChange() {
    if (!AnalysisData)
        return;
    UndoZoomBeforeMove();
    const int item = SpanTime->currentIndex();
    const int position = SliderTime->value();
    if (item == MonthItem) {
        MonthIndex = position;
        CurrentDate = AnalysisData->GetDateByMonthIndex(MonthIndex);
        SetTimeWindow(CurrentDate, NextMonthStart(CurrentDate));
        SetChartTitle(MonthTitle);
        return;
    }
    if (item == DayItem) {
        DayIndex = position;
        CurrentDate = AnalysisData->GetStartDate(static_cast<unsigned>(DayIndex));
    } else {
        const int span = EndHour - StartHour;
        StartHour = position;
        EndHour = position + span;
    }
    ShowHourWindow();
    SetChartTitle(DayTitle);
}

void TChildform::ButtonJumpLeftClick() {
    if (!AnalysisData)
        return;
    const int item = SpanTime->currentIndex();
    if (item == MonthItem) {
        if (SliderTime->value() != 0)
            SliderTime->setValue(0);
    } else if (item == DayItem) {
        // At the first day the day is shown whole again, which also ends a scroll.
        if (SliderTime->value() > SliderTime->minimum())
            SliderTime->setValue(SliderTime->value() - 1);
        else
            SliderTimeChange();
    } else if (DayIndex > 0) {
        --DayIndex;
        CurrentDate = AnalysisData->GetStartDate(static_cast<unsigned>(DayIndex));
        UndoZoomBeforeMove();
        AllowHourPanning(true);
        ShowHourWindow();
        SetChartTitle(DayTitle);
    }
}

void TChildform::ButtonJumpRightClick() {
    if (!AnalysisData)
        return;
    const int item = SpanTime->currentIndex();
    if (item == MonthItem) {
        if (SliderTime->value() != SliderTime->maximum())
            SliderTime->setValue(SliderTime->maximum());
    } else if (item == DayItem) {
        if (SliderTime->value() < SliderTime->maximum())
            SliderTime->setValue(SliderTime->value() + 1);
        else
            SliderTimeChange();
    } else if (static_cast<unsigned>(DayIndex) + 1 < AnalysisData->GetDayCount()) {
        ++DayIndex;
        CurrentDate = AnalysisData->GetStartDate(static_cast<unsigned>(DayIndex));
        UndoZoomBeforeMove();
        AllowHourPanning(true);
        ShowHourWindow();
        SetChartTitle(DayTitle);
    }
}

void TChildform::ChartZoom() {
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    if (hi - lo < OneHour) {
        const double middle = (lo + hi) / 2.0;
        // Widening: the new minimum lies below the current maximum, so it can go first.
        Chart->SetMinimum(ChartAxis::Bottom, middle - OneHour / 2.0);
        Chart->SetMaximum(ChartAxis::Bottom, middle + OneHour / 2.0);
    }
    Chart2->UndoZoom();
    Chart->CopyBottomAxisTo(*Chart2);
}

void TChildform::ChartUndoZoom() {
    Chart2->UndoZoom();
    Chart->CopyBottomAxisTo(*Chart2);
    if (FMovingWindow || !AnalysisData)
        return;
    // Scrolled while zoomed, the user's undo returns to days whose series are not on the charts,
    // and the slider and title still name the days scrolled to.
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    if (std::ceil(hi) == FetchedTo && std::floor(lo) == FetchedFrom)
        return;
    RemoveCheckedSeries();
    AddCheckedSeries();
    SyncSliderToWindow();
}

void TChildform::ChartScroll() {
    Chart->CopyBottomAxisTo(*Chart2);
    RemoveCheckedSeries();
    AddCheckedSeries();
    Chart->Repaint();
    Chart2->Repaint();
}

void TChildform::ShowEventSpan(DateTime start, DateTime end, const std::vector<int>& channels) {
    if (!AnalysisData || AnalysisData->GetDayCount() == 0)
        return;
    // The day the event starts on, or the nearest day held after it (a missing day has none).
    const auto dayCount = static_cast<int>(AnalysisData->GetDayCount());
    int day = dayCount - 1;
    for (int i = 0; i < dayCount; ++i)
        if (AnalysisData->GetStartDate(static_cast<unsigned>(i)) + 1.0 > start) {
            day = i;
            break;
        }
    const DateTime dayStart = AnalysisData->GetStartDate(static_cast<unsigned>(day));
    // Room around the event, so that what led to it and what followed is seen.
    const double room = std::max((end - start) * 0.1, OneHour / 6.0);
    const double from = std::max(dayStart, start - room);
    const double to = std::min(dayStart + 1.0, end + room);
    const double firstHour = std::floor((from - dayStart) * 24.0 + 1e-6);
    const double lastHour = std::ceil((to - dayStart) * 24.0 - 1e-6);

    if (end - start > 1.0 && AnalysisData->IsMultiDay()) {
        // Longer than a day: the month it starts in.
        if (MonthMode)
            SpanTimeChange(DayItem);
        DayIndex = day;
        CurrentDate = dayStart;
        SpanTimeChange(MonthItem);
    } else {
        if (MonthMode)
            SpanTimeChange(DayItem);
        DayIndex = day;
        CurrentDate = dayStart;
        int item = DayItem;
        for (int i = 0; i < DayItem; ++i)
            if (start >= dayStart && end <= dayStart + 1.0 &&
                lastHour - firstHour <= HoursOfItem[i]) {
                item = i;
                break;
            }
        if (item == DayItem) {
            SpanTimeChange(DayItem);
            SetChartTitle(DayTitle);
        } else {
            const int hours = HoursOfItem[item];
            SpanTimeChange(item);
            StartHour = std::min(static_cast<int>(firstHour), 24 - hours);
            EndHour = StartHour + hours;
            SetSliderRange(24 - hours, StartHour);
            ShowHourWindow();
            SetChartTitle(DayTitle);
        }
    }
    // Going from event to event, the channels of the one before go again unless this one
    // involves them too; channels the user ticked stay.
    std::vector<int> ticked;
    for (int channel : FEventTicked) {
        if (std::find(channels.begin(), channels.end(), channel) != channels.end())
            ticked.push_back(channel);
        else
            CheckBoxOf(channel)->setChecked(false);
    }
    for (int channel : channels)
        if (channel >= 0 && channel < ChannelCount && CheckBoxOf(channel)->isEnabled() &&
            !CheckBoxOf(channel)->isChecked()) {
            CheckBoxOf(channel)->setChecked(true);
            ticked.push_back(channel);
        }
    FEventTicked = std::move(ticked);
    FCursor->MarkSpan(start, end, ChartMarks::SpanKind::Event);
}
