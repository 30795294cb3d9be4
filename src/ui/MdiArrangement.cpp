#include "ui/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>

std::vector<QRect> OneAboveTheOther(const QRect& area, int count, QSize minimum) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    rects.reserve(static_cast<size_t>(count));
    const int width = std::max(area.width(), minimum.width());
    if (area.height() / count < minimum.height()) {
        for (int i = 0; i < count; ++i)
            rects.emplace_back(area.left(), area.top() + i * minimum.height(), width,
                               minimum.height());
        return rects;
    }
    const int height = area.height();
    for (int i = 0; i < count; ++i) {
        const int top = area.top() + height * i / count;
        const int bottom = area.top() + height * (i + 1) / count;
        rects.emplace_back(area.left(), top, width, bottom - top);
    }
    return rects;
}

void RestoreMinimised(QMdiArea& area) {
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && window->isMinimized())
            window->showNormal();
}

void TileOneAboveTheOther(QMdiArea& area) {
    RestoreMinimised(area);
    std::vector<QMdiSubWindow*> windows;
    QSize minimum;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isVisible())
            continue;
        if (window->isMaximized())
            window->showNormal();
        windows.push_back(window);
        minimum = minimum.expandedTo(window->minimumSizeHint().expandedTo(window->minimumSize()));
    }
    const auto rects =
        OneAboveTheOther(area.viewport()->rect(), static_cast<int>(windows.size()), minimum);
    for (size_t i = 0; i < rects.size(); ++i)
        windows[i]->setGeometry(rects[i]);
}

void CascadeAll(QMdiArea& area) {
    RestoreMinimised(area);
    area.cascadeSubWindows();
}
