#pragma once

#include <QString>
#include <QStringList>

class Platform;
class SettingsStore;

// What the hand-over asks of the user; the window supplies real dialogs, tests a script.
class HandOverPrompts {
public:
    virtual ~HandOverPrompts() = default;
    virtual void Inform(const QString& text, const QString& caption) = 0;
    virtual void Fail(const QString& text, const QString& caption) = 0;
    // Lets the user pick the spreadsheet program. `path` in: the proposed name; out: the choice.
    // False when cancelled.
    virtual bool PickProgram(QString& path, const QString& filter,
                             const QString& initialFolder) = 0;
};

// How the file went out (or did not), for the caller and for tests.
enum class HandOverResult {
    KnownSpreadsheet,   // the office suite's spreadsheet found on PATH
    DefaultApplication, // the desktop's application for CSV files
    StoredProgram,      // the program the user picked on an earlier run
    PickedProgram,      // a program picked now, remembered from here on
    OpenedByType,       // the file opened by its type
    Cancelled,          // the user cancelled the program choice
    Failed              // text 100 was shown
};

// The office suite's spreadsheet, looked for on PATH under these names in this order.
QStringList KnownSpreadsheetPrograms();

// The arguments that open `file` in `program`. Calc is told how the logger writes its files
// (separator, Windows-1252, decimal commas), so the columns split and values read as numbers.
QStringList SpreadsheetArguments(const QString& program, const QString& file, char separator);

// Hands a copy of the log file `logPath` to a spreadsheet program: with `english` the comma copy,
// otherwise the file's bytes, in the platform's temporary folder under an absolute path; the log
// itself is never handed over. Attempts in order: the office suite's spreadsheet on PATH, the
// desktop's application for CSV (through the desktop's own services, when it names one), the
// program stored in `store`, a program the user picks (stored once it started), the file opened
// by type when that was not tried yet. `store` may be null. Raises AppError (text 95) when the
// picked program started but cannot be remembered.
HandOverResult HandOverToSpreadsheet(const QString& logPath, bool english, SettingsStore* store,
                                     Platform& platform, HandOverPrompts& prompts);
