#include "ui/MdiArrangement.h"

#include <QAbstractScrollArea>
#include <QEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>
#include <utility>

namespace {

bool InsideScrollArea(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up != nullptr && up != window;
         up = up->parentWidget())
        if (qobject_cast<const QAbstractScrollArea*>(up) != nullptr)
            return true;
    return false;
}

// While tiled, a window's widgets give up the minimum heights they set themselves, so that three
// windows fit a common screen; the user's own resize, or a cascade, gives them back.
class BelowMinimum : public QObject {
public:
    explicit BelowMinimum(QMdiSubWindow* window) : QObject(window), Window(window) {
        setObjectName(QStringLiteral("BelowMinimum"));
        QList<QWidget*> widgets{window->widget()};
        widgets << window->widget()->findChildren<QWidget*>();
        for (QWidget* widget : widgets) {
            // Fixed heights (tool rows, buttons) stay: only what may grow may also shrink. What a
            // scroll area holds scrolls instead, whole.
            if (!InsideScrollArea(widget, window) && widget->minimumHeight() > 1 &&
                widget->minimumHeight() != widget->maximumHeight()) {
                Saved.emplace_back(widget, widget->minimumHeight());
                widget->setMinimumHeight(1);
            }
        }
        // A splitter shares its loss among its parts, so that no chart shrinks to nothing while
        // another keeps its height.
        for (QSplitter* splitter : window->widget()->findChildren<QSplitter*>())
            for (int i = 0; i < splitter->count(); ++i) {
                QWidget* part = splitter->widget(i);
                Stretches.emplace_back(part, part->sizePolicy());
                splitter->setStretchFactor(i, 1);
            }
        window->installEventFilter(this);
        Relayout();
    }

    static BelowMinimum* Of(const QMdiSubWindow& window) {
        return window.findChild<BelowMinimum*>(QStringLiteral("BelowMinimum"),
                                               Qt::FindDirectChildrenOnly);
    }
    void SetTiledSize(QSize size) { Tiled = size; }

    // The layouts take the changed minimums at once, not at their next deferred pass.
    void Relayout() {
        for (QWidget* widget : {Window->widget(), static_cast<QWidget*>(Window)})
            if (widget != nullptr && widget->layout() != nullptr) {
                widget->layout()->invalidate();
                widget->layout()->activate();
            }
    }

    // Gives the heights back; the window grows to them.
    void End() {
        Window->removeEventFilter(this);
        for (auto& [widget, height] : Saved)
            if (widget)
                widget->setMinimumHeight(height);
        Saved.clear();
        for (auto& [widget, policy] : Stretches)
            if (widget)
                widget->setSizePolicy(policy);
        Stretches.clear();
        Relayout();
        if (!Window->isMaximized() && !Window->isMinimized())
            Window->resize(Window->size().expandedTo(Window->minimumSizeHint()));
        deleteLater();
        setObjectName(QString());
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // Any other size in the normal state is the user's: maximising and restoring bring back
        // the tiled size and change nothing.
        if (watched == Window && event->type() == QEvent::Resize && Tiled.isValid() &&
            !Window->isMaximized() && !Window->isMinimized() && Window->size() != Tiled)
            End();
        return QObject::eventFilter(watched, event);
    }

private:
    QMdiSubWindow* Window;
    QSize Tiled;
    std::vector<std::pair<QPointer<QWidget>, int>> Saved;
    std::vector<std::pair<QPointer<QWidget>, QSizePolicy>> Stretches;
};

void EndBelowMinimum(QMdiSubWindow& window) {
    if (BelowMinimum* below = BelowMinimum::Of(window))
        below->End();
}

// Scrolled after an earlier arrangement ran on below the area, the area would shift everything
// placed now by the old offset once its scroll range shrinks.
void ScrollToTopLeft(QMdiArea& area) {
    area.horizontalScrollBar()->setValue(0);
    area.verticalScrollBar()->setValue(0);
}

std::vector<QMdiSubWindow*> NormalWindows(QMdiArea& area) {
    RestoreMinimised(area);
    std::vector<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isVisible())
            continue;
        if (window->isMaximized())
            window->showNormal();
        windows.push_back(window);
    }
    return windows;
}

} // namespace

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

std::vector<QRect> Cascaded(const QRect& area, int count, int step, QSize minimum) {
    std::vector<QRect> rects;
    if (count <= 0 || area.isEmpty())
        return rects;
    const int offset = step * (count - 1);
    const QSize size = QSize(area.width() - offset, area.height() - offset).expandedTo(minimum);
    for (int i = 0; i < count; ++i)
        rects.emplace_back(area.topLeft() + QPoint(step * i, step * i), size);
    return rects;
}

void RestoreMinimised(QMdiArea& area) {
    for (QMdiSubWindow* window : area.subWindowList(QMdiArea::CreationOrder))
        if (window->isVisible() && window->isMinimized())
            window->showNormal();
}

bool IsBelowMinimum(const QMdiSubWindow& window) { return BelowMinimum::Of(window) != nullptr; }

void TileOneAboveTheOther(QMdiArea& area) {
    const std::vector<QMdiSubWindow*> windows = NormalWindows(area);
    QSize minimum(0, 0);
    for (QMdiSubWindow* window : windows) {
        // Windows that ask for less than the floor keep to what they ask.
        minimum.setHeight(std::max(
            minimum.height(), std::min(TiledMinimumHeight, window->minimumSizeHint().height())));
        if (window->widget() != nullptr && BelowMinimum::Of(*window) == nullptr)
            new BelowMinimum(window);
        minimum.setWidth(std::max(
            {minimum.width(), window->minimumSizeHint().width(), window->minimumSize().width()}));
    }
    ScrollToTopLeft(area);
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
    for (size_t i = 0; i < rects.size(); ++i) {
        BelowMinimum* below = BelowMinimum::Of(*windows[i]);
        // A window tiled before takes its new tiled size as the arrangement's, not the user's.
        if (below != nullptr)
            below->SetTiledSize(QSize());
        windows[i]->setGeometry(rects[i]);
        if (below != nullptr)
            below->SetTiledSize(windows[i]->size());
    }
}

void CascadeAll(QMdiArea& area) {
    QMdiSubWindow* active = area.currentSubWindow();
    std::vector<QMdiSubWindow*> windows = NormalWindows(area);
    QSize minimum;
    for (QMdiSubWindow* window : windows) {
        EndBelowMinimum(*window);
        minimum = minimum.expandedTo(window->minimumSizeHint().expandedTo(window->minimumSize()));
    }
    // The active window goes last, in front, as the one being worked in.
    const auto activeAt = std::find(windows.begin(), windows.end(), active);
    if (activeAt != windows.end())
        std::rotate(activeAt, activeAt + 1, windows.end());
    ScrollToTopLeft(area);
    QStyleOptionTitleBar option;
    option.initFrom(&area);
    const int step = area.style()->pixelMetric(QStyle::PM_TitleBarHeight, &option) + 4;
    const auto rects =
        Cascaded(area.viewport()->rect(), static_cast<int>(windows.size()), step, minimum);
    for (size_t i = 0; i < rects.size(); ++i) {
        windows[i]->setGeometry(rects[i]);
        windows[i]->raise();
    }
    if (!windows.empty())
        area.setActiveSubWindow(windows.back());
}
