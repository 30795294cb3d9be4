#pragma once

#include "ui/Prompts.h"

// Real message boxes, modal and owned by the application (no parent window).
class QtPrompts : public Prompts {
public:
    using Prompts::Message;
    PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) override;

    // Colour picker.
    std::optional<ColorRef> ChooseColor(QWidget* owner, ColorRef initial,
                                        const CustomColors& customColors) override;
};

// Moves a dialog, unchanged in size, to the middle of its screen.
void CenterOnScreen(QWidget* dialog);
