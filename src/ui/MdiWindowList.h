#pragma once

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

// The frame's care of its sub-windows beyond the arranging commands: the Window menu lists the
// open windows with the active one checked, Ctrl+Tab goes through all of them in turn, a
// minimised window's title is cut to what tells it apart (its date), and no short-cut of Qt's
// system menu of a sub-window shadows one of the program's commands.
class MdiWindowList : public QObject {
    Q_OBJECT
public:
    // What a minimised window shows of `window`, for instance the date of its analysis.
    using ShortTitle = std::function<QString(const QMdiSubWindow*)>;

    MdiWindowList(QMdiArea* area, QMenu* menu, ShortTitle shortTitle, QObject* parent);

    // A new sub-window: its system menu gives up every short-cut one of `commands` has.
    void Adopt(QMdiSubWindow* window, const QList<QAction*>& commands);
    // The list after the menu's own entries, rebuilt from the windows open now; the menu calls
    // it before it shows.
    void Refresh();
    const QList<QAction*>& Entries() const { return FEntries; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void UpdateTitle(QMdiSubWindow* window);
    // Ctrl+Tab and Ctrl+Shift+Tab in the frame: the next or previous window in opening order.
    bool SwitchKey(QObject* watched, QEvent* event);

    QMdiArea* Area;
    QMenu* Menu;
    ShortTitle FShortTitle;
    QActionGroup* Group;
    QAction* Separator = nullptr;
    QList<QAction*> FEntries;
    bool FSettingTitle = false;
};
