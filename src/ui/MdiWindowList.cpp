#include "ui/MdiWindowList.h"

#include "ui/ErrorBoundary.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include <set>

MdiWindowList::MdiWindowList(QMdiArea* area, QMenu* menu, ShortTitle shortTitle, QObject* parent)
    : QObject(parent), Area(area), Menu(menu), FShortTitle(std::move(shortTitle)),
      Group(new QActionGroup(this)) {
    Group->setExclusive(true);
    // Ctrl+Tab in the order the windows were opened, so that repeated presses reach every one
    // rather than going back and forth between the last two.
    Area->setActivationOrder(QMdiArea::CreationOrder);
    connect(Menu, &QMenu::aboutToShow, this, GuardedSlot([this] { Refresh(); }));
}

void MdiWindowList::Adopt(QMdiSubWindow* window, const QList<QAction*>& commands) {
    std::set<QString> taken;
    for (const QAction* command : commands)
        for (const QKeySequence& key : command->shortcuts())
            taken.insert(key.toString(QKeySequence::PortableText));
    if (QMenu* system = window->systemMenu()) {
        for (QAction* entry : system->actions()) {
            QList<QKeySequence> kept;
            for (const QKeySequence& key : entry->shortcuts())
                if (taken.count(key.toString(QKeySequence::PortableText)) == 0)
                    kept << key;
            if (kept.size() != entry->shortcuts().size())
                entry->setShortcuts(kept);
        }
    }
    window->installEventFilter(this);
    if (QWidget* content = window->widget())
        content->installEventFilter(this);
    // The area's own Ctrl+Tab goes back to the window active before; installed last, this filter
    // sees the key first.
    qApp->removeEventFilter(this);
    qApp->installEventFilter(this);
}

bool MdiWindowList::SwitchKey(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool control = (key->modifiers() & Qt::ControlModifier) != 0;
    if (!control || (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab))
        return false;
    if (static_cast<QWidget*>(watched)->window() != Area->window() ||
        Area->subWindowList().size() < 2)
        return false;
    if (key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier))
        Area->activatePreviousSubWindow();
    else
        Area->activateNextSubWindow();
    return true;
}

void MdiWindowList::Refresh() {
    for (QAction* entry : FEntries) {
        Menu->removeAction(entry);
        delete entry;
    }
    FEntries.clear();
    const QList<QMdiSubWindow*> windows = Area->subWindowList(QMdiArea::CreationOrder);
    QList<QMdiSubWindow*> open;
    for (QMdiSubWindow* window : windows)
        if (!window->isHidden() || window->isMinimized())
            open << window;
    if (Separator == nullptr)
        Separator = Menu->addSeparator();
    Separator->setVisible(!open.isEmpty());
    for (int i = 0; i < open.size(); ++i) {
        QMdiSubWindow* window = open[i];
        const QString title =
            window->widget() ? window->widget()->windowTitle() : window->windowTitle();
        // The first nine have their digit as the access key, as the Windows window list does.
        const QString caption = i < 9 ? QStringLiteral("&%1 %2").arg(i + 1).arg(title)
                                      : QStringLiteral("%1 %2").arg(i + 1).arg(title);
        auto* entry = new QAction(caption, Menu);
        entry->setObjectName(QStringLiteral("ActionWindow%1").arg(i + 1));
        entry->setCheckable(true);
        entry->setChecked(window == Area->currentSubWindow());
        Group->addAction(entry);
        connect(entry, &QAction::triggered, this, GuardedSlot([this, window](bool) {
                    // The window may have gone since the menu was built.
                    if (!Area->subWindowList().contains(window))
                        return;
                    if (window->isMinimized())
                        window->showNormal();
                    Area->setActiveSubWindow(window);
                }));
        Menu->addAction(entry);
        FEntries << entry;
    }
}

void MdiWindowList::UpdateTitle(QMdiSubWindow* window) {
    if (FSettingTitle || window->widget() == nullptr)
        return;
    const QString full = window->widget()->windowTitle();
    // A minimised window is too narrow for the caption's lead-in: its end tells windows apart.
    const QString wanted = window->isMinimized() && FShortTitle ? FShortTitle(window) : full;
    if (window->windowTitle() == wanted)
        return;
    FSettingTitle = true;
    window->setWindowTitle(wanted);
    FSettingTitle = false;
}

bool MdiWindowList::eventFilter(QObject* watched, QEvent* event) {
    bool switched = false;
    Guarded([&] { switched = SwitchKey(watched, event); });
    if (switched)
        return true;
    if (event->type() == QEvent::WindowStateChange || event->type() == QEvent::WindowTitleChange) {
        auto* window = qobject_cast<QMdiSubWindow*>(watched);
        if (window == nullptr && watched->isWidgetType())
            window = qobject_cast<QMdiSubWindow*>(static_cast<QWidget*>(watched)->parentWidget());
        if (window != nullptr)
            Guarded([&] { UpdateTitle(window); });
    }
    return QObject::eventFilter(watched, event);
}
