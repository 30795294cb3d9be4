#include "ui/SolvistaApplication.h"

#include "ui/ErrorBoundary.h"

SolvistaApplication::SolvistaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool SolvistaApplication::notify(QObject* receiver, QEvent* event) {
    bool handled = false;
    Guarded([&] { handled = QApplication::notify(receiver, event); });
    return handled;
}
