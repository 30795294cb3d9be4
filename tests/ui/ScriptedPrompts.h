#pragma once

#include "ui/Prompts.h"

#include <QByteArray>
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
    bool Exhausted() const {
        return FScript.empty() && FColorScript.empty() && FChoiceScript.empty();
    }

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
    bool ShowSaveDialog(QString& path, QWidget* owner, const QString& filter,
                        int& filterIndex) override;
    // Answered as ShowSaveDialog; a confirmed dialog takes the next choice queued, if any.
    bool ShowSaveDialogWithChoice(QString& path, QWidget* owner, const QString& filter,
                                  int& filterIndex, SaveDialogChoice& choice) override;
    void ExpectChoice(int chosen) { FChoiceScript.push_back(chosen); }
    // The choices each such dialog offered, as they came in.
    const std::vector<SaveDialogChoice>& OfferedChoices() const { return FOfferedChoices; }
    // The next file dialog is confirmed with `path`, or cancelled when `path` is empty; a save
    // dialog of file types reports the type `filterIndex` as chosen.
    void ExpectFile(const QString& path, int filterIndex = 0) {
        FFiles.push_back(path);
        FFileFilters.push_back(filterIndex);
    }
    // The filter pair each save dialog of file types came up with.
    const std::vector<int>& PreselectedFilters() const { return FPreselectedFilters; }
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
    // The next preview is drawn into a PDF of the printer's page layout and then confirmed
    // (`print` true) or closed.
    void ExpectPreview(bool print) { FPreviewScript.push_back(print); }
    bool PrintPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override;
    // The PDF bytes of each preview shown.
    const std::vector<QByteArray>& Previews() const { return FPreviews; }
    // The next data-export options are answered with `answer`, or cancelled (nullopt).
    void ExpectExportChoice(std::optional<DataExportChoice> answer) {
        FExportScript.push_back(answer);
    }
    bool ChooseDataExport(QWidget* owner, DataExportChoice& choice) override;
    // The options each export dialog came up with.
    const std::vector<DataExportChoice>& OfferedExportChoices() const { return FExportOffers; }
    // --- end of the output dialogs ---

    // The reference dialog: answers in order, nullopt meaning cancelled.
    void ExpectReference(std::optional<ReferenceChoice> answer) {
        FReferenceScript.push_back(answer);
    }
    bool ChooseReference(QWidget* owner, ReferenceChoice& choice) override;
    const std::vector<ReferenceChoice>& OfferedReferences() const { return FReferenceOffers; }

private:
    std::deque<std::function<void(QPrinter&)>> FPrintScript;
    std::deque<bool> FPreviewScript;
    std::deque<std::optional<DataExportChoice>> FExportScript;
    std::vector<DataExportChoice> FExportOffers;
    std::deque<std::optional<ReferenceChoice>> FReferenceScript;
    std::vector<ReferenceChoice> FReferenceOffers;
    std::vector<QByteArray> FPreviews;
    int FPrintRequests = 0;

    struct Step {
        PromptKind Kind;
        PromptAnswer Answer;
    };
    std::deque<Step> FScript;
    std::vector<Asked> FAsked;
    std::deque<QString> FFiles;
    std::deque<int> FFileFilters;
    std::vector<int> FPreselectedFilters;
    std::vector<FileDialogCall> FFileDialogs;
    std::deque<int> FChoiceScript;
    std::vector<SaveDialogChoice> FOfferedChoices;
    std::deque<std::optional<ColorRef>> FColorScript;
    std::vector<AskedColor> FAskedColors;
};
