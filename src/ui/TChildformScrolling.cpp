#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/DatePattern.h"
#include "logdata/TAnalysisData.h"
#include "ui/ErrorBoundary.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>

#include <cmath>

namespace {

constexpr int DayItem = 3;
constexpr int ScrollInterval = 25;
// Each step moves the window by this share of its width: 40 steps, one second, cross it once.
constexpr double ScrollShare = 0.025;
const QString TouchedDayFormat = QStringLiteral("dd. mmm yyyy");

} // namespace

bool TChildform::eventFilter(QObject* watched, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = ScrollEvent(watched, event); });
    return handled || QWidget::eventFilter(watched, event);
}

bool TChildform::ScrollEvent(QObject* watched, QEvent* event) {
    const bool left = watched == ButtonScrollLeft;
    if (!left && watched != ButtonScrollRight)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    // The second press of a quick double click arrives as this; holding after it scrolls too.
    case QEvent::MouseButtonDblClick:
        left ? ButtonScrollLeftMouseDown() : ButtonScrollRightMouseDown();
        break;
    case QEvent::MouseButtonRelease:
        ButtonScrollMouseUp();
        break;
    case QEvent::KeyPress:
        // Auto-repeated presses step again, so holding the key scrolls.
        if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
            left ? ButtonScrollLeftKeyDown() : ButtonScrollRightKeyDown();
        break;
    default:
        break;
    }
    // The button still sees the event: it draws itself pressed and clicks on release.
    return false;
}

void TChildform::ButtonScrollLeftClick() {
    if (AnalysisData && MonthMode && SliderTime->value() > SliderTime->minimum())
        SliderTime->setValue(SliderTime->value() - 1);
}

void TChildform::ButtonScrollRightClick() {
    if (AnalysisData && MonthMode && SliderTime->value() < SliderTime->maximum())
        SliderTime->setValue(SliderTime->value() + 1);
}

void TChildform::ButtonScrollLeftMouseDown() {
    if (MonthMode)
        return; // the click moves by a month
    ScrollTimer->setInterval(ScrollInterval);
    FScrollHeld = true;
    FScrollDirection = ScrollDirection::Left;
    ScrollTimer->start();
}

void TChildform::ButtonScrollRightMouseDown() {
    if (MonthMode)
        return;
    ScrollTimer->setInterval(ScrollInterval);
    FScrollHeld = true;
    FScrollDirection = ScrollDirection::Right;
    ScrollTimer->start();
}

void TChildform::ButtonScrollMouseUp() {
    ScrollTimer->stop();
    FScrollHeld = false;
}

void TChildform::ButtonScrollLeftKeyDown() {
    if (MonthMode)
        return;
    ButtonScrollMouseUp();
    ScrollStep(ScrollDirection::Left);
}

void TChildform::ButtonScrollRightKeyDown() {
    if (MonthMode)
        return;
    ButtonScrollMouseUp();
    ScrollStep(ScrollDirection::Right);
}

void TChildform::ScrollTimerTick() {
    if (!FScrollHeld) {
        TimerDummy();
        return;
    }
    // Stopped during the step, so a slow step slows the scrolling instead of queueing ticks. A
    // step that fails leaves it stopped: its error box runs a modal loop in which ticks would go
    // on.
    ScrollTimer->stop();
    ScrollStep(FScrollDirection);
    ScrollTimer->start();
}

void TChildform::TimerDummy() { ScrollTimer->stop(); }

void TChildform::ScrollStep(ScrollDirection direction) {
    if (!AnalysisData || MonthMode)
        return;
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    const double shift = (hi - lo) * ScrollShare * (direction == ScrollDirection::Left ? -1 : 1);
    SetTimeWindow(lo + shift, hi + shift);
    SyncSliderToWindow();
}

void TChildform::SyncSliderToWindow() {
    if (!AnalysisData || MonthMode)
        return;
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);

    QString title = DatePattern::Format(TouchedDayFormat, lo);
    for (double d = lo + 1; std::floor(d) < hi; d += 1)
        title += QStringLiteral(" + ") + DatePattern::Format(TouchedDayFormat, d);
    Chart->ClearTitle();
    Chart->AddTitle(title);

    if (SpanTime->currentIndex() == DayItem)
        SyncDay(lo);
    else
        SyncHour(lo);
}

void TChildform::SyncDay(DateTime lo) {
    const int count = static_cast<int>(AnalysisData->GetDayCount());
    int i = DayIndex;
    DateTime c = CurrentDate;
    const auto dateOf = [&](int index) {
        return AnalysisData->GetStartDate(static_cast<unsigned>(index));
    };
    if (std::floor(CurrentDate) - 0.5 > lo) {
        while (i > 0) {
            c = dateOf(--i);
            if (!(std::floor(c) > lo))
                break;
            DayIndex = i;
            CurrentDate = c;
        }
    } else if (std::floor(CurrentDate) + 0.5 < lo) {
        while (i < count - 1) {
            c = dateOf(++i);
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
    const QSignalBlocker block(SliderTime);
    SliderTime->setValue(DayIndex);
}

void TChildform::SyncHour(DateTime lo) {
    const int count = static_cast<int>(AnalysisData->GetDayCount());
    const int span = EndHour - StartHour;
    const int lastHour = 24 - span;
    int n = StartHour;
    int i = DayIndex;
    DateTime c = CurrentDate;
    const auto timeOf = [](DateTime date, int hour) { return std::floor(date) + hour / 24.0; };
    const auto dateOf = [&](int index) {
        return AnalysisData->GetStartDate(static_cast<unsigned>(index));
    };
    const auto makeCurrent = [&] {
        StartHour = n;
        DayIndex = i;
        CurrentDate = c;
    };
    if (std::floor(CurrentDate) + (StartHour - 0.5) / 24.0 > lo) {
        while (i > 0 || n > 0) {
            if (--n < 0) {
                n = lastHour;
                c = dateOf(--i);
            }
            if (!(timeOf(c, n) > lo))
                break;
            makeCurrent();
        }
    } else if (std::floor(CurrentDate) + (StartHour + 0.5) / 24.0 < lo) {
        while (i < count - 1 || n < lastHour) {
            if (++n > lastHour) {
                n = 0;
                c = dateOf(++i);
            }
            if (timeOf(c, n) >= lo)
                break;
            makeCurrent();
        }
    }
    if (!(std::abs(timeOf(CurrentDate, StartHour) - lo) < std::abs(timeOf(c, n) - lo)))
        makeCurrent();
    EndHour = StartHour + span;
    const QSignalBlocker block(SliderTime);
    SliderTime->setValue(StartHour);
}
