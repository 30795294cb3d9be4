#include "core/LanguageTexts.h"
#include "settings/SettingsStore.h"
#include "ui/CommandLine.h"
#include "ui/ErrorBoundary.h"
#include "ui/FileDropTarget.h"
#include "ui/PathOpener.h"
#include "ui/SolvistaApplication.h"
#include "ui/TMainform.h"

#include <QString>
#include <QStringList>

#include <cstdio>
#include <exception>
#include <optional>

namespace {

QStringList ArgumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

// The language --help speaks before any window exists: the one asked for, else the saved one.
void SelectHelpLanguage(const QStringList& arguments) {
    int number = CommandLine::Parse(arguments).LanguageNumber;
    if (number == 0) {
        try {
            number = SettingsStore().GetMainSettings().Language;
        } catch (const std::exception&) {
            // No readable settings: the language a first start has.
        }
    }
    SetCurrentTexts(TextArrayForLanguage(number));
}

} // namespace

int main(int argc, char** argv) {
    // --help and --version answer before the application object exists, which needs a display.
    const QStringList rawArguments = ArgumentsOf(argc, argv);
    if (CommandLine::ImmediateOutput(rawArguments).has_value()) {
        SelectHelpLanguage(rawArguments);
        std::fputs(CommandLine::ImmediateOutput(rawArguments)->toLocal8Bit().constData(), stdout);
        return 0;
    }

    SolvistaApplication app(argc, argv);
    QGuiApplication::setApplicationDisplayName(QString());
    QGuiApplication::setDesktopFileName(QStringLiteral("com.tarvex.Solvista"));
    try {
        // Qt has taken its own options (-platform, -display, ...) out by now.
        const CommandLine line = CommandLine::Parse(QCoreApplication::arguments());
        TMainform mainform;
        new FileDropTarget(&mainform, [&mainform](const QStringList& paths) {
            PathOpener::Open(mainform, paths);
        });
        line.ApplyTo(mainform);
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
