#include "ui/QtPrompts.h"

#include <QMessageBox>

PromptAnswer QtPrompts::Message(PromptKind kind, const QString& text, const QString& caption) {
    QMessageBox::Icon icon = QMessageBox::Critical;
    bool yesNo = false;
    switch (kind) {
    case PromptKind::Question:
        icon = QMessageBox::Question;
        yesNo = true;
        break;
    case PromptKind::Error:
        icon = QMessageBox::Critical;
        break;
    case PromptKind::Warning:
        icon = QMessageBox::Warning;
        yesNo = true;
        break;
    case PromptKind::Information:
        icon = QMessageBox::Information;
        break;
    }
    QMessageBox box(icon, caption, text,
                    yesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    if (!yesNo)
        return (box.exec(), PromptAnswer::Ok);
    return box.exec() == QMessageBox::Yes ? PromptAnswer::Yes : PromptAnswer::No;
}
