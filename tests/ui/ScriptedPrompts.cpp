#include "ui/ScriptedPrompts.h"

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() { SetCurrentPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
    SetCurrentPrompts(nullptr);
    EXPECT_TRUE(FScript.empty()) << FScript.size() << " scripted answer(s) never asked for";
    EXPECT_TRUE(FFiles.empty()) << FFiles.size() << " scripted file(s) never asked for";
    EXPECT_TRUE(FColorScript.empty())
        << FColorScript.size() << " scripted colour(s) never asked for";
    EXPECT_TRUE(FPrintScript.empty()) << FPrintScript.size() << " print dialog(s) never shown";
    EXPECT_TRUE(FPreviewScript.empty()) << FPreviewScript.size() << " preview(s) never shown";
    EXPECT_TRUE(FExportScript.empty()) << FExportScript.size() << " export dialog(s) never shown";
}

PromptAnswer ScriptedPrompts::Message(PromptKind kind, const QString& text,
                                      const QString& caption) {
    FAsked.push_back({kind, text, caption});
    if (FScript.empty()) {
        ADD_FAILURE() << "unexpected prompt: " << text.toStdString();
        return kind == PromptKind::Question || kind == PromptKind::Warning ? PromptAnswer::No
                                                                           : PromptAnswer::Ok;
    }
    const Step step = FScript.front();
    FScript.pop_front();
    EXPECT_EQ(static_cast<int>(step.Kind), static_cast<int>(kind))
        << "prompt of another kind: " << text.toStdString();
    return step.Answer;
}

// --- File dialogs ---

bool ScriptedPrompts::ShowFileDialog(QString& path, QWidget* /*owner*/, const QString& filter,
                                     bool open, const QString& defaultExtension,
                                     const QString& initialFolder) {
    FFileDialogs.push_back({path, filter, open, defaultExtension, initialFolder});
    if (FFiles.empty()) {
        ADD_FAILURE() << "unexpected file dialog in " << initialFolder.toStdString();
        return false;
    }
    const QString answer = FFiles.front();
    FFiles.pop_front();
    FFileFilters.pop_front();
    if (answer.isEmpty())
        return false;
    path = answer;
    return true;
}

bool ScriptedPrompts::ShowFolderDialog(QString& folder, QWidget* owner, const QString& caption) {
    return ShowFileDialog(folder, owner, caption, true, QString(), folder);
}

bool ScriptedPrompts::ShowSaveDialog(QString& path, QWidget* /*owner*/, const QString& filter,
                                     int& filterIndex) {
    FFileDialogs.push_back({path, filter, false, QString(), QString()});
    FPreselectedFilters.push_back(filterIndex);
    if (FFiles.empty()) {
        ADD_FAILURE() << "unexpected save dialog";
        return false;
    }
    const QString answer = FFiles.front();
    const int chosenFilter = FFileFilters.front();
    FFiles.pop_front();
    FFileFilters.pop_front();
    if (answer.isEmpty())
        return false;
    path = answer;
    filterIndex = chosenFilter;
    return true;
}

bool ScriptedPrompts::ShowSaveDialogWithChoice(QString& path, QWidget* owner, const QString& filter,
                                               int& filterIndex, SaveDialogChoice& choice) {
    FOfferedChoices.push_back(choice);
    if (!ShowSaveDialog(path, owner, filter, filterIndex))
        return false;
    if (!FChoiceScript.empty()) {
        choice.Chosen = FChoiceScript.front();
        FChoiceScript.pop_front();
    }
    return true;
}

// --- end file dialogs ---
std::optional<ColorRef> ScriptedPrompts::ChooseColor(QWidget* owner, ColorRef initial,
                                                     const CustomColors& customColors) {
    FAskedColors.push_back({owner, initial, customColors});
    if (FColorScript.empty()) {
        ADD_FAILURE() << "unexpected colour dialog";
        return std::nullopt;
    }
    const std::optional<ColorRef> answer = FColorScript.front();
    FColorScript.pop_front();
    return answer;
}

bool ScriptedPrompts::PrintDialog(QWidget*, QPrinter& printer) {
    ++FPrintRequests;
    if (FPrintScript.empty()) {
        ADD_FAILURE() << "unexpected print dialog";
        return false;
    }
    const std::function<void(QPrinter&)> setUp = FPrintScript.front();
    FPrintScript.pop_front();
    if (!setUp)
        return false;
    setUp(printer);
    return true;
}

bool ScriptedPrompts::PrintPreview(QWidget*, QPrinter& printer,
                                   const std::function<void(QPrinter&)>& paint) {
    QByteArray pdf;
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("preview.pdf"));
        {
            QPrinter preview(QPrinter::ScreenResolution);
            preview.setOutputFormat(QPrinter::PdfFormat);
            preview.setOutputFileName(path);
            preview.setPageLayout(printer.pageLayout());
            paint(preview);
        }
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            pdf = file.readAll();
    }
    FPreviews.push_back(pdf);
    if (FPreviewScript.empty()) {
        ADD_FAILURE() << "unexpected print preview";
        return false;
    }
    const bool print = FPreviewScript.front();
    FPreviewScript.pop_front();
    return print;
}

bool ScriptedPrompts::ChooseReference(QWidget*, ReferenceChoice& choice) {
    FReferenceOffers.push_back(choice);
    if (FReferenceScript.empty()) {
        ADD_FAILURE() << "unexpected reference dialog";
        return false;
    }
    const std::optional<ReferenceChoice> answer = FReferenceScript.front();
    FReferenceScript.pop_front();
    if (!answer)
        return false;
    choice = *answer;
    return true;
}

bool ScriptedPrompts::ChooseDataExport(QWidget*, DataExportChoice& choice) {
    FExportOffers.push_back(choice);
    if (FExportScript.empty()) {
        ADD_FAILURE() << "unexpected export dialog";
        return false;
    }
    const std::optional<DataExportChoice> answer = FExportScript.front();
    FExportScript.pop_front();
    if (!answer)
        return false;
    choice = *answer;
    return true;
}
