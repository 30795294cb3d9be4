#pragma once

#include "output/SpreadsheetHandOver.h"
#include "ui/Prompts.h"

#include <QWidget>

// The hand-over's questions as the window's prompts.
class WindowHandOverPrompts final : public HandOverPrompts {
public:
    explicit WindowHandOverPrompts(QWidget* owner) : FOwner(owner) {}
    void Inform(const QString& text, const QString& caption) override {
        CurrentPrompts().Message(PromptKind::Information, text, caption);
    }
    void Fail(const QString& text, const QString& caption) override {
        CurrentPrompts().Message(PromptKind::Error, text, caption);
    }
    bool PickProgram(QString& path, const QString& filter, const QString& initialFolder) override {
        // Programs here carry no extension, so none is added to what the user picks.
        return CurrentPrompts().ShowFileDialog(path, FOwner, filter, true, QString(),
                                               initialFolder);
    }

private:
    QWidget* FOwner;
};
