#include "ui/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

std::vector<QRect> OneAboveTheOther(const QRect& area, int count) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    rects.reserve(static_cast<size_t>(count));
    const int height = area.height();
    for (int i = 0; i < count; ++i) {
        const int top = area.top() + height * i / count;
        const int bottom = area.top() + height * (i + 1) / count;
        rects.emplace_back(area.left(), top, area.width(), bottom - top);
    }
    return rects;
}

void TileOneAboveTheOther(QMdiArea& area) {
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && !window->isMinimized())
            windows.push_back(window);
    }
    const auto rects = OneAboveTheOther(area.viewport()->rect(), static_cast<int>(windows.size()));
    for (size_t i = 0; i < rects.size(); ++i) {
        if (windows[i]->isMaximized())
            windows[i]->showNormal();
        windows[i]->setGeometry(rects[i]);
    }
}
