#include "ui/ErrorBoundary.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "ui/Prompts.h"

#include <QDir>

#include <new>

namespace {
constexpr int TextNoMemory = 98;
}

void ShowErrorMessage(const QString& text) { CurrentPrompts().Message(PromptKind::Error, text); }

QString FileErrorText(const QString& path, const QString& reason) {
    constexpr int TextOpenError = 84;
    QString text = Text(TextOpenError) + QStringLiteral("\n\n") +
                   EscapeControls(QDir::toNativeSeparators(path));
    QString why = reason;
    // Text 84 names the file itself; only the reason after the name is kept.
    if (why.startsWith(Text(TextOpenError))) {
        const QStringList parts = why.split(QStringLiteral("\n\n"));
        why = parts.size() >= 3 ? parts.last() : QString();
    }
    if (!why.isEmpty())
        text += QLatin1Char('\n') + why;
    return text;
}

void OnAppException(const std::exception& error) {
    const auto* appError = dynamic_cast<const AppError*>(&error);
    // Memory that ran out where nobody expected it still gets the message that says so.
    const QString text = appError != nullptr ? appError->Message()
                         : dynamic_cast<const std::bad_alloc*>(&error)
                             ? Text(TextNoMemory)
                             : QString::fromUtf8(error.what());
    try {
        ShowErrorMessage(text);
    } catch (...) {
        // The error box itself failed; there is nobody left to tell, and unwinding into Qt is
        // worse.
    }
}
