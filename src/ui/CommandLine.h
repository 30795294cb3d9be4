#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class TMainform;

// What the program was asked for on its command line: paths to open, the language of this run,
// and the complaints to show once the main window is up.
class CommandLine {
public:
    // A complaint: the language-table slot of its message and the argument it is about.
    struct Complaint {
        int Text;
        QString Argument;
    };

    // `arguments` as QCoreApplication::arguments() gives them, the program first.
    static CommandLine Parse(const QStringList& arguments);

    // The text to print instead of starting when --help or --version was asked for; works before
    // any application object exists, so both run without a display.
    static std::optional<QString> ImmediateOutput(const QStringList& arguments);
    static QString HelpText();
    static QString VersionText();

    // Language number 1..7 of a --language value (de, en, fr, es, it, pt, us); 0 when unknown.
    static int LanguageNumberOf(const QString& code);

    // Absolute paths in the order given.
    QStringList Paths;
    // 0: the saved language.
    int LanguageNumber = 0;
    // The channels --channels names, ticked in the windows of the paths; none given: the settings'.
    std::optional<std::vector<int>> Channels;
    std::vector<Complaint> Complaints;

    // The complaints in the current language, one message each.
    QStringList Messages() const;

    // Hands the language of this run to `frame` and, once its start-up work is done, shows the
    // complaints and opens the paths. Call before the frame is shown.
    void ApplyTo(TMainform& frame) const;
};
