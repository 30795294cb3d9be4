// Starts the program as its main() does and says "shown" on standard output when the first
// analysis window has been shown and painted (its first control painted), then ends.
#include "ui/SolvistaApplication.h"
#include "ui/TChildform.h"
#include "ui/TMainform.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace {

class FirstWindowWatch : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (!FDone && event->type() == QEvent::Paint && InAnalysisWindow(watched)) {
            FDone = true;
            // Said once the paint itself is through.
            QTimer::singleShot(0, [] {
                std::puts("shown");
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    // The window itself paints nothing; its charts and controls do.
    static bool InAnalysisWindow(QObject* object) {
        for (; object != nullptr; object = object->parent())
            if (qobject_cast<TChildform*>(object))
                return true;
        return false;
    }
    bool FDone = false;
};

} // namespace

int main(int argc, char** argv) {
    SolvistaApplication app(argc, argv);
    FirstWindowWatch watch;
    app.installEventFilter(&watch);
    TMainform mainform;
    mainform.showMaximized();
    mainform.activateWindow();
    // A window that never comes is a failure, not a hang.
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    return SolvistaApplication::exec();
}
