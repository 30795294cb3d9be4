#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChannelPanel.h"
#include "ui/ChartCursor.h"
#include "ui/ErrorBoundary.h"
#include "ui/SpanControls.h"
#include "ui/analysis/AnalysisView.h"

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

void TChildform::ConnectNavigation() {
    SpanControls* controls = PanelZoomX;
    connect(controls, &SpanControls::SpanChosen, this,
            GuardedSlot([this](int item) { SpanTimeChange(item); }));
    // Every change of the position; the window's own changes are made under signal blockers.
    connect(SliderTime, &QSlider::valueChanged, this,
            GuardedSlot([this](int) { SliderTimeChange(); }));
    connect(controls->ButtonJumpLeft, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonJumpLeftClick(); }));
    connect(controls->ButtonJumpRight, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonJumpRightClick(); }));
    connect(controls->ButtonScrollLeft, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonScrollLeftClick(); }));
    connect(controls->ButtonScrollRight, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { ButtonScrollRightClick(); }));
    connect(controls, &SpanControls::Step, this, [this](bool left) {
        ScrollStep(left ? ScrollDirection::Left : ScrollDirection::Right);
    });
    connect(Chart, &ChartSurface::AfterZoom, this, GuardedSlot([this] { ChartZoom(); }));
    connect(Chart, &ChartSurface::AfterUndoZoom, this, GuardedSlot([this] { ChartUndoZoom(); }));
    connect(Chart, &ChartSurface::AfterPan, this, GuardedSlot([this] { ChartScroll(); }));
    // The lower chart's time axis follows a pan as it happens; the series follow on release.
    connect(Chart, &ChartSurface::Panning, this, [this] { Chart->CopyBottomAxisTo(*Chart2); });

    connect(FView, &AnalysisView::MoveStarting, this, [this] { UndoZoomBeforeMove(); });
    connect(FView, &AnalysisView::SpanChanged, this, [this] {
        SetSpanChecksEnabled(FView->Span() == AnalysisView::MonthItem);
        AllowHourPanning(FView->Span() < AnalysisView::DayItem);
    });
    connect(FView, &AnalysisView::WindowChanged, this, [this](DateTime from, DateTime to) {
        Chart->SetDateFormat(FView->MonthMode ? QStringLiteral("dd.") : QStringLiteral("hh:mm"));
        ApplyWindow(from, to);
        Chart->CopyBottomAxisTo(*Chart2);
    });
    connect(FView, &AnalysisView::TitleChanged, this, [this](const QString& title) {
        Chart->ClearTitle();
        Chart->AddTitle(title);
    });
    connect(FView, &AnalysisView::ControlsChanged, this, [this] { SyncControls(); });
}

void TChildform::SyncControls() { PanelZoomX->Show(*FView); }

void TChildform::UndoZoomBeforeMove() {
    // The caller sets a window of its own next: nothing is fetched for the range the undo restores.
    const QScopedValueRollback<bool> moving(FMovingWindow, true);
    Chart->UndoZoom();
}

void TChildform::SetTimeWindow(DateTime start, DateTime end) {
    FView->SetViewed(start, end);
    ApplyWindow(start, end);
}

void TChildform::ApplyWindow(DateTime start, DateTime end) {
    if (!FView->DaysChange(start, end)) {
        FAxes->SetTimeRange(start, end);
        return;
    }
    RemoveCheckedSeries();
    try {
        FAxes->SetTimeRange(start, end);
    } catch (...) {
        AddCheckedSeries();
        throw;
    }
    AddCheckedSeries();
}

void TChildform::UpdateSpanTexts() { PanelZoomX->UpdateSpanTexts(); }

void TChildform::SetSpanChecksEnabled(bool monthSpan) { PanelLeft->EnableTotals(monthSpan); }

void TChildform::AllowHourPanning(bool hourSpan) {
    Chart->SetZoomAllowed(!hourSpan);
    Chart->SetPanAllowed(hourSpan);
}

void TChildform::SpanTimeChange(int item) {
    if (AnalysisData)
        FView->SelectSpan(item);
    UpdateCommands();
}

void TChildform::SliderTimeChange() { FView->Slide(SliderTime->value()); }
void TChildform::ButtonJumpLeftClick() { FView->JumpLeft(); }
void TChildform::ButtonJumpRightClick() { FView->JumpRight(); }

void TChildform::ChartZoom() {
    // The zoom tool keeps to its least span; the lower chart follows.
    Chart2->UndoZoom();
    Chart->CopyBottomAxisTo(*Chart2);
    FView->SetViewed(Chart->Minimum(ChartAxis::Bottom), Chart->Maximum(ChartAxis::Bottom));
}

void TChildform::ChartUndoZoom() {
    Chart2->UndoZoom();
    Chart->CopyBottomAxisTo(*Chart2);
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    FView->SetViewed(lo, hi);
    if (FMovingWindow || !AnalysisData)
        return;
    // Scrolled while zoomed, the user's undo returns to days whose series are not on the charts,
    // and the slider and title still name the days scrolled to.
    if (!FView->DaysChange(lo, hi))
        return;
    RemoveCheckedSeries();
    AddCheckedSeries();
    SyncSliderToWindow();
}

void TChildform::ChartScroll() {
    Chart->CopyBottomAxisTo(*Chart2);
    FView->SetViewed(Chart->Minimum(ChartAxis::Bottom), Chart->Maximum(ChartAxis::Bottom));
    RemoveCheckedSeries();
    AddCheckedSeries();
    Chart->Repaint();
    Chart2->Repaint();
}

void TChildform::ShowEventSpan(DateTime start, DateTime end, const std::vector<int>& channels) {
    if (!AnalysisData || AnalysisData->GetDayCount() == 0)
        return;
    FView->ShowSpan(start, end);
    UpdateCommands();
    PanelLeft->TickForEvent(channels);
    FCursor->MarkSpan(start, end, ChartMarks::SpanKind::Event);
}

// ---- the scroll buttons: a click moves a month, holding one moves the window ----

void TChildform::ButtonScrollLeftClick() { FView->ScrollClick(true); }
void TChildform::ButtonScrollRightClick() { FView->ScrollClick(false); }

void TChildform::ButtonScrollLeftMouseDown() { PanelZoomX->Press(true); }
void TChildform::ButtonScrollRightMouseDown() { PanelZoomX->Press(false); }
void TChildform::ButtonScrollMouseUp() { PanelZoomX->Release(); }
void TChildform::ButtonScrollLeftKeyDown() { PanelZoomX->Key(true); }
void TChildform::ButtonScrollRightKeyDown() { PanelZoomX->Key(false); }
void TChildform::ScrollTimerTick() { PanelZoomX->Tick(); }
void TChildform::TimerDummy() { ScrollTimer->stop(); }

void TChildform::ScrollStep(ScrollDirection direction) {
    FView->ScrollStep(direction == ScrollDirection::Left);
}

void TChildform::SyncSliderToWindow() { FView->FollowWindow(); }
