#include "core/LanguageTexts.h"
#include "report/ReportRun.h"

#include <QCoreApplication>
#include <QTextStream>

#include <cstdio>
#include <unistd.h>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("solvista-report"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SOLVISTA_VERSION));
    // Until the run has chosen the user's language (usage errors come before), English.
    SetCurrentTexts(TextArrayId::English);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return RunReport(arguments, out, err, isatty(fileno(stderr)) != 0);
}
