#include "ui/ErrorBoundary.h"
#include "ui/SolvistaApplication.h"
#include "ui/TMainform.h"

#include <QString>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    SolvistaApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QString());
    try {
        TMainform mainform;
        mainform.showMaximized();
        mainform.activateWindow();
        return SolvistaApplication::exec();
    } catch (const std::exception& error) {
        // A failure of the start-up itself: say what it was, then give up.
        std::fprintf(stderr, "solvista: %s\n", error.what());
        OnAppException(error);
        return 1;
    }
}
