#pragma once

#include <QScrollArea>

// Holds a window's fixed-width side panel. When the window is shorter than the panel (three
// windows tiled on a small screen), the panel scrolls instead of squeezing its contents over each
// other, and the holder widens by the scroll bar rather than covering the panel's right edge.
class SidePanelScroller : public QScrollArea {
public:
    SidePanelScroller(QWidget* panel, QWidget* parent);

private:
    void FollowScrollBar(int maximum);

    int PanelWidth;
};
