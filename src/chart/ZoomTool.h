#pragma once

#include "chart/PlotLibrary.h"

#include <QObject>
#include <QPoint>

#include <optional>

class QAction;
class QMouseEvent;

// The rectangle zoom, its undo and the horizontal pan of one plot. A plain left drag from left to
// right zooms into its rectangle (never to less than MinimumSpan of time), one from right to left
// undoes every zoom since the last undo; drags with Shift and the right button are left to other
// tools. The plot forwards its mouse events and asks whether the library may see them.
class ZoomTool : public QObject {
    Q_OBJECT
public:
    explicit ZoomTool(QCustomPlot& plot);

    // The least time span a zoom shows, in days: an hour.
    static constexpr double MinimumSpan = 1.0 / 24.0;

    void SetZoomAllowed(bool allowed);
    void SetPanAllowed(bool allowed);
    bool CanUndo() const { return FBeforeZoom.has_value(); }
    // Back to the ranges from before the first of the zooms since the last undo; a value axis
    // that code has set since the last zoom keeps what code set. Raises AfterUndoZoom once, also
    // when there was nothing to undo.
    void Undo();
    QAction* UndoAction() const { return FUndoAction; }

    // The plot's events. Press and Release say whether the library's own handling runs.
    bool Press(QMouseEvent* event);
    void Moved(const QCPRange& before);
    bool Release();
    void Released();
    // Before the library zooms into a finished rectangle: true when the drag asks for an undo
    // instead (it has then been done).
    bool UndoInstead(QMouseEvent* event);
    void BeforeZoom();
    void AfterLibraryZoom();

Q_SIGNALS:
    void AfterZoom();
    void AfterUndoZoom();
    void AfterPan();
    // While a pan drag moves the time axis, at every move.
    void Panning();

private:
    struct Ranges {
        QCPRange Bottom, Left, Right;
    };
    Ranges Current() const;
    void UpdateUndoAction();
    bool Pans() const { return FPanAllowed && !FZoomAllowed; }

    QCustomPlot& Plot;
    bool FZoomAllowed = true;
    bool FPanAllowed = false;
    bool FPressed = false;
    // The press went to the library (zoom rectangle or pan), not to another tool.
    bool FPressForwarded = false;
    QPoint FPressPos;
    QCPRange FBottomAtPress;
    Ranges FBeforeThisZoom;
    std::optional<Ranges> FBeforeZoom;
    Ranges FZoomed; // what the last zoom left, to tell the value axes code set since
    QAction* FUndoAction = nullptr;
};
