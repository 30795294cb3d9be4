#include "ui/FileDropTarget.h"

#include "ui/ErrorBoundary.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

#include <algorithm>

FileDropTarget::FileDropTarget(QWidget* window, OpenPaths open)
    : QObject(window), FOpen(std::move(open)) {
    setObjectName(QStringLiteral("FileDropTarget"));
    window->setAcceptDrops(true);
    window->installEventFilter(this);
}

QStringList FileDropTarget::AcceptedPaths(const QMimeData* data) {
    if (data == nullptr || !data->hasUrls())
        return {};
    QStringList files;
    QStringList folders;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        const QFileInfo info(url.toLocalFile());
        if (info.isDir())
            folders << info.absoluteFilePath();
        else if (info.isFile() &&
                 info.suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0)
            files << info.absoluteFilePath();
        else
            return {};
    }
    if (folders.size() == 1 && files.isEmpty())
        return folders;
    if (!folders.isEmpty() || files.isEmpty() || files.size() > 2)
        return {};
    // A file manager hands over a selection in no particular order; the names are the dates.
    std::sort(files.begin(), files.end(), [](const QString& a, const QString& b) {
        return QFileInfo(a).fileName() < QFileInfo(b).fileName();
    });
    return files;
}

bool FileDropTarget::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (AcceptedPaths(drag->mimeData()).isEmpty()) {
            drag->ignore();
        } else {
            drag->setDropAction(Qt::CopyAction);
            drag->accept();
        }
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList paths = AcceptedPaths(drop->mimeData());
        if (paths.isEmpty()) {
            drop->ignore();
            return true;
        }
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        QTimer::singleShot(0, this, GuardedSlot([this, paths] { FOpen(paths); }));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}
