#pragma once

#include "settings/WindowSettings.h"

#include <QString>

#include <array>
#include <optional>

class QPrinter;

class QWidget;

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
};

// Caption text of a kind in the current language.
QString DefaultCaption(PromptKind kind);

// The filter of log files and all files in the current language, for ShowFileDialog.
QString LogFileFilter();

// The prompts the program uses; a Qt implementation unless one was installed.
Prompts& CurrentPrompts();
// Installs `prompts` (not owned; nullptr restores the Qt implementation).
void SetCurrentPrompts(Prompts* prompts);
