#pragma once

#include "core/DateTime.h"

#include <QObject>
#include <QString>

#include <limits>

class TAnalysisData;

// The time window of one analysis, without widgets: the span chosen (1, 3 or 8 hours, a day, a
// month), the day or month and hour in view, the position the span controls show, and the whole
// days whose series are on the charts. Every navigation (span choice, slider, jumps, scrolling,
// an event's span) is worked out here; the window's widgets follow the signals.
class AnalysisView : public QObject {
    Q_OBJECT
public:
    explicit AnalysisView(QObject* parent = nullptr) : QObject(parent) {}

    // The entries of the span selector.
    enum SpanItem { OneHour = 0, ThreeHours, EightHours, DayItem, MonthItem };
    static constexpr double Hour = 1.0 / 24.0;

    // A new analysis starts unzoomed at its first day in the day span; `spanCount` is 5 when it
    // has months to show, else 4. Null `data`: the window is empty.
    void Start(const TAnalysisData* data, int spanCount, bool sliderEnabled);
    void Clear();
    const TAnalysisData* Data() const { return FData; }

    // The user's navigation. `item` -1 is text typed into the selector that names no entry.
    void SelectSpan(int item);
    void Slide(int position);
    void JumpLeft();
    void JumpRight();
    // One click of a scroll button: a month on in the month span, nothing otherwise.
    void ScrollClick(bool left);
    // One step of a held scroll button: a fortieth of the window.
    void ScrollStep(bool left);
    // The window the charts show after a zoom, its undo or a pan.
    void SetViewed(DateTime from, DateTime to);
    // Day, hour and slider follow the window the user scrolled to; the title names its days.
    void FollowWindow();
    // Moves to [start, end) with room around it: the hour span that holds it, else its day, or
    // the month for an event longer than a day.
    void ShowSpan(DateTime start, DateTime end);

    // Series are fetched per whole day: only a change of the days in view swaps them.
    bool DaysChange(DateTime from, DateTime to) const;
    void Fetched(DateTime from, DateTime to);
    void ForgetFetched();

    DateTime From() const { return FFrom; }
    DateTime To() const { return FTo; }
    int Span() const { return FSpan; }
    int SpanCount() const { return FSpanCount; }
    int SliderMax() const { return FSliderMax; }
    int SliderPos() const { return FSliderPos; }
    bool SliderEnabled() const { return FSliderEnabled; }

    // The window's state by the design's names.
    bool MonthMode = false;
    double CurrentDate = 0.0;
    int StartHour = 0;
    int EndHour = 24;
    int DayIndex = 0;
    int MonthIndex = 0;

Q_SIGNALS:
    // A move to a window of its own begins: a zoom is undone without fetching for its range.
    void MoveStarting();
    // The span chosen changed: the month's daily totals, and panning for the hour spans.
    void SpanChanged();
    // Show [From, To): the charts fetch the days that DaysChange names.
    void WindowChanged(DateTime from, DateTime to);
    // The window on screen is [From, To) now, by a move of the view's own or the charts' zoom
    // and pan.
    void Viewed();
    void TitleChanged(const QString& title);
    // Span selector and slider show Span, SliderMax, SliderPos, SliderEnabled.
    void ControlsChanged();
    // The analysis is gone: whatever was laid over it goes too.
    void Cleared();

private:
    void ShowWindow(DateTime from, DateTime to);
    void ShowHourWindow();
    void SetSlider(int maximum, int position);
    void DayTitle();
    void MonthTitle();
    DateTime DayDate(int index) const;
    void SyncDay(DateTime lo);
    void SyncHour(DateTime lo);

    const TAnalysisData* FData = nullptr;
    int FSpan = DayItem;
    int FSpanCount = 4;
    int FSliderMax = 0;
    int FSliderPos = 0;
    bool FSliderEnabled = false;
    DateTime FFrom = 0.0;
    DateTime FTo = 1.0;
    DateTime FFetchedFrom = std::numeric_limits<double>::quiet_NaN();
    DateTime FFetchedTo = std::numeric_limits<double>::quiet_NaN();
};
