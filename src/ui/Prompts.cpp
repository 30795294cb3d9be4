#include "ui/Prompts.h"

#include "core/LanguageTexts.h"
#include "ui/QtPrompts.h"

namespace {
Prompts* installedPrompts = nullptr;
}

PromptAnswer Prompts::Message(PromptKind kind, const QString& text) {
    return Message(kind, text, DefaultCaption(kind));
}

QString DefaultCaption(PromptKind kind) {
    switch (kind) {
    case PromptKind::Question:
        return Text(50);
    case PromptKind::Error:
        return Text(51);
    case PromptKind::Warning:
        return Text(52);
    case PromptKind::Information:
        return Text(53);
    }
    return Text(51);
}

QString LogFileFilter() {
    return Text(72) + QStringLiteral(" (*.csv)|*.csv|") + Text(74) + QStringLiteral(" (*.*)|*");
}

Prompts& CurrentPrompts() {
    static QtPrompts qtPrompts;
    return installedPrompts != nullptr ? *installedPrompts : qtPrompts;
}

void SetCurrentPrompts(Prompts* prompts) { installedPrompts = prompts; }
