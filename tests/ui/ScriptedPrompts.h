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
    bool Exhausted() const { return FScript.empty(); }

    // --- Dialogs of the output commands ---
    struct FileRequest {
        QString ProposedPath;
        QString Filter;
        bool Open;
        QString DefaultExtension;
        QString InitialFolder;
    };
    // The next file dialog returns `choice`; nullopt cancels it.
    void ExpectFile(std::optional<QString> choice) { FFileScript.push_back(std::move(choice)); }
    const std::vector<FileRequest>& FileRequests() const { return FFileRequests; }
    bool OutputFileDialog(QWidget* owner, QString& path, const QString& filter, bool open,
                          const QString& defaultExtension, const QString& initialFolder) override;
    // The next print dialog runs `setUp` on the printer (as the user would pick a printer or a
    // file) and confirms; an empty function cancels.
    void ExpectPrint(std::function<void(QPrinter&)> setUp) {
        FPrintScript.push_back(std::move(setUp));
    }
    int PrintRequests() const { return FPrintRequests; }
    bool PrintDialog(QWidget* owner, QPrinter& printer) override;
    // --- end of the output dialogs ---

private:
    std::deque<std::optional<QString>> FFileScript;
    std::vector<FileRequest> FFileRequests;
    std::deque<std::function<void(QPrinter&)>> FPrintScript;
    int FPrintRequests = 0;

    struct Step {
        PromptKind Kind;
        PromptAnswer Answer;
    };
    std::deque<Step> FScript;
    std::vector<Asked> FAsked;
};
