#include "ui/ErrorBoundary.h"

#include "core/AppError.h"
#include "ui/Prompts.h"

void ShowErrorMessage(const QString& text) { CurrentPrompts().Message(PromptKind::Error, text); }

void OnAppException(const std::exception& error) {
    const auto* appError = dynamic_cast<const AppError*>(&error);
    const QString text =
        appError != nullptr ? appError->Message() : QString::fromUtf8(error.what());
    try {
        ShowErrorMessage(text);
    } catch (...) {
        // The error box itself failed; there is nobody left to tell, and unwinding into Qt is
        // worse.
    }
}
