#include "ui/ScriptedPrompts.h"

#include <gtest/gtest.h>

ScriptedPrompts::ScriptedPrompts() { SetCurrentPrompts(this); }

ScriptedPrompts::~ScriptedPrompts() {
    SetCurrentPrompts(nullptr);
    EXPECT_TRUE(FScript.empty()) << FScript.size() << " scripted answer(s) never asked for";
    EXPECT_TRUE(FFileScript.empty()) << FFileScript.size() << " file dialog(s) never shown";
    EXPECT_TRUE(FPrintScript.empty()) << FPrintScript.size() << " print dialog(s) never shown";
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

bool ScriptedPrompts::OutputFileDialog(QWidget*, QString& path, const QString& filter, bool open,
                                       const QString& defaultExtension,
                                       const QString& initialFolder) {
    FFileRequests.push_back({path, filter, open, defaultExtension, initialFolder});
    if (FFileScript.empty()) {
        ADD_FAILURE() << "unexpected file dialog for " << path.toStdString();
        return false;
    }
    const std::optional<QString> choice = FFileScript.front();
    FFileScript.pop_front();
    if (!choice)
        return false;
    path = *choice;
    return true;
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
