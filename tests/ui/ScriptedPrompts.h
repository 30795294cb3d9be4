#pragma once

#include "ui/Prompts.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Answers prompts from a queue and records what was asked. A prompt with no answer queued fails the
// running test. Installs itself as the current prompts for its lifetime.
class ScriptedPrompts : public Prompts {
public:
    struct Asked {
        PromptKind Kind;
        QString Text;
        QString Caption;
    };

    ScriptedPrompts();
    ~ScriptedPrompts() override;
    ScriptedPrompts(const ScriptedPrompts&) = delete;
    ScriptedPrompts& operator=(const ScriptedPrompts&) = delete;

    using Prompts::Message;
    PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) override;

    void Expect(PromptKind kind, PromptAnswer answer) { FScript.push_back({kind, answer}); }
    const std::vector<Asked>& AskedPrompts() const { return FAsked; }
    bool Exhausted() const { return FScript.empty() && FColorScript.empty(); }

    // Colour picker: answers in order, nullopt meaning cancelled.
    struct AskedColor {
        QWidget* Owner;
        ColorRef Initial;
        CustomColors Custom;
    };
    std::optional<ColorRef> ChooseColor(QWidget* owner, ColorRef initial,
                                        const CustomColors& customColors) override;
    void ExpectColor(std::optional<ColorRef> answer) { FColorScript.push_back(answer); }
    const std::vector<AskedColor>& AskedColors() const { return FAskedColors; }

    // --- File dialogs ---
    struct FileDialogCall {
        QString ProposedPath;
        QString Filter;
        bool Open;
        QString DefaultExtension;
        QString InitialFolder;
    };
    bool ShowFileDialog(QString& path, QWidget* owner, const QString& filter, bool open,
                        const QString& defaultExtension, const QString& initialFolder) override;
    // The next file dialog is confirmed with `path`, or cancelled when `path` is empty.
    void ExpectFile(const QString& path) { FFiles.push_back(path); }
    const std::vector<FileDialogCall>& FileDialogs() const { return FFileDialogs; }
    // Folder dialogs take their answers from the same queue as the file dialogs and are recorded
    // with them (open, the caption as the filter, the start folder as the initial folder).
    bool ShowFolderDialog(QString& folder, QWidget* owner, const QString& caption) override;
    // --- end file dialogs ---

    // --- Print dialog ---
    // The next print dialog runs `setUp` on the printer (as the user would pick a printer or a
    // file) and confirms; an empty function cancels.
    void ExpectPrint(std::function<void(QPrinter&)> setUp) {
        FPrintScript.push_back(std::move(setUp));
    }
    int PrintRequests() const { return FPrintRequests; }
    bool PrintDialog(QWidget* owner, QPrinter& printer) override;
    // --- end of the output dialogs ---

private:
    std::deque<std::function<void(QPrinter&)>> FPrintScript;
    int FPrintRequests = 0;

    struct Step {
        PromptKind Kind;
        PromptAnswer Answer;
    };
    std::deque<Step> FScript;
    std::vector<Asked> FAsked;
    std::deque<QString> FFiles;
    std::vector<FileDialogCall> FFileDialogs;
    std::deque<std::optional<ColorRef>> FColorScript;
    std::vector<AskedColor> FAskedColors;
};
