#pragma once

#include "ui/Prompts.h"

// Real message boxes, modal and owned by the application (no parent window).
class QtPrompts : public Prompts {
public:
    using Prompts::Message;
    PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) override;

    bool OutputFileDialog(QWidget* owner, QString& path, const QString& filter, bool open,
                          const QString& defaultExtension, const QString& initialFolder) override;
    bool PrintDialog(QWidget* owner, QPrinter& printer) override;
};
