#include "ui/SolvistaApplication.h"

#include "core/Platform.h"
#include "ui/ErrorBoundary.h"

#include <QDesktopServices>
#include <QUrl>

namespace {

bool OpenThroughDesktop(const QString& target) {
    // Paths become file addresses; web and mail addresses stay as they are.
    return QDesktopServices::openUrl(QUrl::fromUserInput(target, QString(), QUrl::AssumeLocalFile));
}

} // namespace

SolvistaApplication::SolvistaApplication(int& argc, char** argv) : QApplication(argc, argv) {
    // Documents open the way the desktop opens them, wrappers and portals included.
    Platform::SetDocumentOpener(&OpenThroughDesktop);
}

SolvistaApplication::~SolvistaApplication() { Platform::SetDocumentOpener(nullptr); }

bool SolvistaApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
