#include "ui/EscapeKeyPoll.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QKeyEvent>
#include <QThread>

namespace {

bool IsUserInput(const QEvent& event) {
    switch (event.type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove:
    case QEvent::InputMethod:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
        return true;
    case QEvent::Close:
        // Closing the main window mid-load would free the window being loaded.
        return event.spontaneous();
    default:
        return false;
    }
}

// A release lost to a focus change must not keep the load waiting for good.
constexpr qint64 LongestWaitMs = 10000;

} // namespace

QtEscapeKeyPoll::QtEscapeKeyPoll(QObject* parent) : QObject(parent) {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->installEventFilter(this);
}

QtEscapeKeyPoll::~QtEscapeKeyPoll() {
    if (QCoreApplication::instance() != nullptr)
        QCoreApplication::instance()->removeEventFilter(this);
}

bool QtEscapeKeyPoll::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape) {
            if (event->type() == QEvent::KeyPress) {
                FDown = true;
                if (!key->isAutoRepeat())
                    FPressed = true;
            } else if (!key->isAutoRepeat()) {
                FDown = false;
            }
        }
    } else if (event->type() == QEvent::ApplicationDeactivate) {
        FDown = false;
    }
    if (FSwallowing && IsUserInput(*event))
        return true;
    return QObject::eventFilter(watched, event);
}

void QtEscapeKeyPoll::ProcessPendingEvents() {
    FSwallowing = true;
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    FSwallowing = false;
}

void QtEscapeKeyPoll::WaitForRelease() {
    // Only a key already seen down is waited for: events still queued came after the command began.
    QElapsedTimer waited;
    waited.start();
    while (FDown && waited.elapsed() < LongestWaitMs) {
        ProcessPendingEvents();
        if (FDown)
            QThread::msleep(10);
    }
    FDown = false;
    FPressed = false;
}

bool QtEscapeKeyPoll::Pressed() {
    ProcessPendingEvents();
    const bool pressed = FPressed || FDown;
    FPressed = false;
    return pressed;
}
