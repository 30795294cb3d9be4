#include "chart/ZoomTool.h"

#include <QAction>
#include <QMouseEvent>

ZoomTool::ZoomTool(QCustomPlot& plot) : QObject(&plot), Plot(plot) {
    Plot.axisRect()->setRangeZoomAxes({Plot.xAxis}, {Plot.yAxis, Plot.yAxis2});
    Plot.axisRect()->setRangeDrag(Qt::Horizontal);
    Plot.axisRect()->setRangeDragAxes(Plot.xAxis, nullptr);
    FUndoAction = new QAction(&Plot);
    FUndoAction->setObjectName(QStringLiteral("ActionUndoZoom"));
    Plot.addAction(FUndoAction);
    connect(FUndoAction, &QAction::triggered, this, [this] { Undo(); });
    SetZoomAllowed(true);
}

ZoomTool::Ranges ZoomTool::Current() const {
    return {Plot.xAxis->range(), Plot.yAxis->range(), Plot.yAxis2->range()};
}

void ZoomTool::SetZoomAllowed(bool allowed) {
    FZoomAllowed = allowed;
    Plot.setSelectionRectMode(allowed ? QCP::srmZoom : QCP::srmNone);
    Plot.setInteraction(QCP::iRangeDrag, Pans());
    UpdateUndoAction();
}

void ZoomTool::SetPanAllowed(bool allowed) {
    FPanAllowed = allowed;
    SetZoomAllowed(FZoomAllowed);
}

void ZoomTool::UpdateUndoAction() {
    FUndoAction->setVisible(FZoomAllowed || CanUndo());
    FUndoAction->setEnabled(CanUndo());
}

bool ZoomTool::UndoInstead(QMouseEvent* event) {
    // The rectangle comes normalised; the direction is told by where the drag ended.
    if (event == nullptr || event->position().x() >= FPressPos.x())
        return false;
    Plot.replot(QCustomPlot::rpQueuedReplot); // the rectangle disappears
    Undo();
    return true;
}

void ZoomTool::BeforeZoom() { FBeforeThisZoom = Current(); }

void ZoomTool::AfterLibraryZoom() {
    const QCPRange r = Plot.xAxis->range();
    if (r.size() < MinimumSpan) {
        const double centre = r.center();
        Plot.xAxis->setRange(centre - MinimumSpan / 2.0, centre + MinimumSpan / 2.0);
    }
    // A zoom fixes the value axes until it is undone; undo goes back before the first zoom.
    if (!FBeforeZoom)
        FBeforeZoom = FBeforeThisZoom;
    FZoomed = Current();
    UpdateUndoAction();
    Plot.replot(QCustomPlot::rpQueuedReplot);
    Q_EMIT AfterZoom();
}

void ZoomTool::Undo() {
    if (FBeforeZoom) {
        const Ranges before = *FBeforeZoom;
        FBeforeZoom.reset();
        Plot.xAxis->setRange(before.Bottom);
        // A value range set by code since the zoom (new settings, a fit to other channels) is
        // newer than the one from before the zoom.
        if (Plot.yAxis->range() == FZoomed.Left)
            Plot.yAxis->setRange(before.Left);
        if (Plot.yAxis2->range() == FZoomed.Right)
            Plot.yAxis2->setRange(before.Right);
        UpdateUndoAction();
    }
    Plot.replot(QCustomPlot::rpQueuedReplot);
    Q_EMIT AfterUndoZoom();
}

bool ZoomTool::Press(QMouseEvent* event) {
    FBottomAtPress = Plot.xAxis->range();
    FPressPos = event->position().toPoint();
    FPressed = true;
    // Zoom and pan take the plain left button only: the right one opens the context menu, and a
    // drag with Shift belongs to other tools.
    FPressForwarded =
        event->button() == Qt::LeftButton && !event->modifiers().testFlag(Qt::ShiftModifier);
    return FPressForwarded;
}

void ZoomTool::Moved(const QCPRange& before) {
    if (FPressed && FPressForwarded && Pans() && Plot.xAxis->range() != before)
        Q_EMIT Panning();
}

bool ZoomTool::Release() {
    if (!FPressForwarded)
        FPressed = false;
    return FPressForwarded;
}

void ZoomTool::Released() {
    const bool panned = FPressed && Pans() && Plot.xAxis->range() != FBottomAtPress;
    FPressed = false;
    FPressForwarded = false;
    if (panned)
        Q_EMIT AfterPan();
}
