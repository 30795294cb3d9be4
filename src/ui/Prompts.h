#pragma once

#include "settings/WindowSettings.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <array>
#include <functional>
#include <optional>
#include <vector>

class QPrinter;

class QWidget;

// What the data export writes: the span in view or the whole analysis, in the log's own format
// or the international one.
struct DataExportChoice {
    bool WholeAnalysis = false;
    bool International = false;
};

// What a comparison lays under an analysis: the same span a day, a week or a year earlier, the
// days from `First` to `Last` (aligned on the first), or nothing any more.
struct ReferenceChoice {
    enum class Kind { DayEarlier, WeekEarlier, YearEarlier, Days, None };
    Kind Which = Kind::YearEarlier;
    QDate First;
    QDate Last;
    bool CanRemove = false; // a reference is shown: "No comparison" is offered
};

// A choice a save dialog of file types offers beside the type: its label, its entries and the
// entry chosen (in: preselected; out: chosen). `Applies` says per filter pair whether it means
// anything for that type (the choice is greyed out for the others); missing pairs say yes.
struct SaveDialogChoice {
    QString Label;
    QStringList Entries;
    int Chosen = 0;
    std::vector<bool> Applies;
};

// The four message-box kinds: question and warning offer Yes and No, error and information OK.
enum class PromptKind { Question, Error, Warning, Information };
enum class PromptAnswer { Yes, No, Ok };

// Every modal interaction goes through this interface so that widget tests can answer it from a
// script instead of a real dialog.
class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows `text` under `caption` and returns the button the user pressed.
    virtual PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) = 0;

    // The same with the kind's own caption (texts 50 to 53 of the current language).
    PromptAnswer Message(PromptKind kind, const QString& text);
    bool AskYes(PromptKind kind, const QString& text) {
        return Message(kind, text) == PromptAnswer::Yes;
    }

    // --- File dialogs ---
    // The open (`open` true) or save file dialog. `filter` holds "description|pattern|" pairs,
    // the first pair preselected; `path` comes in as the proposed file name (may be empty) and is
    // replaced by the chosen path only when the user confirms, which returns true.
    virtual bool ShowFileDialog(QString& path, QWidget* owner, const QString& filter, bool open,
                                const QString& defaultExtension, const QString& initialFolder) = 0;
    // The folder dialog: `folder` comes in as the folder to start in and is replaced by the chosen
    // one only when the user confirms, which returns true.
    virtual bool ShowFolderDialog(QString& folder, QWidget* owner, const QString& caption) = 0;
    // The save dialog whose filter pairs each stand for a file type: `filterIndex` comes in as
    // the pair preselected and goes out as the one chosen (0 for the first), so that a name typed
    // without extension can get the chosen type's.
    virtual bool ShowSaveDialog(QString& path, QWidget* owner, const QString& filter,
                                int& filterIndex) = 0;
    // The same with `choice` offered beside the type. Prompts that cannot offer it leave it as it
    // came in.
    virtual bool ShowSaveDialogWithChoice(QString& path, QWidget* owner, const QString& filter,
                                          int& filterIndex, SaveDialogChoice& /*choice*/) {
        return ShowSaveDialog(path, owner, filter, filterIndex);
    }
    // --- end file dialogs ---
    // Colour picker.
    static constexpr int CustomColorCount = 16;
    using CustomColors = std::array<ColorRef, CustomColorCount>;
    // A colour chosen by the user, starting at `initial`, with `customColors` offered as the
    // picker's custom colours (the user's changes to them are not kept); nullopt when cancelled.
    virtual std::optional<ColorRef> ChooseColor(QWidget* owner, ColorRef initial,
                                                const CustomColors& customColors) = 0;
    // The print dialog for `printer`, set up beforehand; false when cancelled.
    virtual bool PrintDialog(QWidget* owner, QPrinter& printer) = 0;
    // Shows the pages that `paint` draws on `printer` as they will come out; true when the user
    // goes on to print them. `paint` may raise AppError.
    virtual bool PrintPreview(QWidget* owner, QPrinter& printer,
                              const std::function<void(QPrinter&)>& paint) = 0;
    // The data export's options, starting from `choice`; false when cancelled.
    virtual bool ChooseDataExport(QWidget* owner, DataExportChoice& choice) = 0;
    // The reference period to compare with, starting from `choice`; false when cancelled.
    virtual bool ChooseReference(QWidget* owner, ReferenceChoice& choice) = 0;
};

// Caption text of a kind in the current language.
QString DefaultCaption(PromptKind kind);

// The filter of log files and all files in the current language, for ShowFileDialog.
QString LogFileFilter();

// The prompts the program uses; a Qt implementation unless one was installed.
Prompts& CurrentPrompts();
// Installs `prompts` (not owned; nullptr restores the Qt implementation).
void SetCurrentPrompts(Prompts* prompts);
