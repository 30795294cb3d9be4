#include "ui/MdiArrangement.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QStyle>

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
    const int count = static_cast<int>(windows.size());
    QRect viewport = area.viewport()->rect();
    // A stack taller than the area brings the vertical scroll bar, which narrows the area: full
    // width then is the width beside the bar, or the windows would need a horizontal one too.
    if (count > 0 && viewport.height() / count < minimum.height() &&
        !area.verticalScrollBar()->isVisible())
        viewport.setWidth(viewport.width() - area.style()->pixelMetric(QStyle::PM_ScrollBarExtent,
                                                                       nullptr,
                                                                       area.verticalScrollBar()));
    const auto rects = OneAboveTheOther(viewport, count, minimum);
    for (size_t i = 0; i < rects.size(); ++i)
        windows[i]->setGeometry(rects[i]);
}

void CascadeAll(QMdiArea& area) {
    RestoreMinimised(area);
    area.cascadeSubWindows();
}
