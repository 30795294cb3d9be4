#pragma once

#include <QObject>
#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

// Lets log files and folders be dropped onto a window: one .csv file, two .csv files (a range,
// taken in the order of their names) or one folder. Anything else is refused while it is dragged,
// so the pointer shows that it cannot be dropped. Owned by the window it serves.
class FileDropTarget : public QObject {
    Q_OBJECT
public:
    using OpenPaths = std::function<void(const QStringList&)>;

    // `open` runs after the drop has returned to the event loop, so the dragging program is not
    // held while a dialog or a long load runs; its failures go to the application's handler.
    FileDropTarget(QWidget* window, OpenPaths open);

    // The paths a drag carries, ordered as they are to be opened; empty when it is not something
    // this target opens.
    static QStringList AcceptedPaths(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    OpenPaths FOpen;
};
