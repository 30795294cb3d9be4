#pragma once

#include <QString>

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

    // --- Dialogs of the output commands (image save, printing, the spreadsheet program) ---
    // The open or save file dialog. `path` in: the proposed name; out: the chosen file. `filter`
    // is "description|pattern|description|pattern". False when cancelled, `path` unchanged.
    virtual bool OutputFileDialog(QWidget* owner, QString& path, const QString& filter, bool open,
                                  const QString& defaultExtension,
                                  const QString& initialFolder) = 0;
    // The print dialog for `printer`, set up beforehand; false when cancelled.
    virtual bool PrintDialog(QWidget* owner, QPrinter& printer) = 0;
    // --- end of the output dialogs ---
};

// Caption text of a kind in the current language.
QString DefaultCaption(PromptKind kind);

// The prompts the program uses; a Qt implementation unless one was installed.
Prompts& CurrentPrompts();
// Installs `prompts` (not owned; nullptr restores the Qt implementation).
void SetCurrentPrompts(Prompts* prompts);
