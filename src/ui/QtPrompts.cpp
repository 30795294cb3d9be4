#include "ui/QtPrompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QStringList>

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

namespace {

// "Images (*.bmp)|*.bmp|All files (*.*)|*" as Qt's "Images (*.bmp);;All files (*.*)": the
// descriptions already name their patterns.
QString QtFilter(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        if (!parts[i].isEmpty())
            entries << parts[i];
    return entries.join(QStringLiteral(";;"));
}

} // namespace

bool QtPrompts::OutputFileDialog(QWidget* owner, QString& path, const QString& filter, bool open,
                                 const QString& defaultExtension, const QString& initialFolder) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setNameFilter(QtFilter(filter));
    if (!defaultExtension.isEmpty())
        dialog.setDefaultSuffix(defaultExtension);
    if (!initialFolder.isEmpty() && QDir(initialFolder).exists())
        dialog.setDirectory(initialFolder);
    if (!path.isEmpty())
        dialog.selectFile(path);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = dialog.selectedFiles().first();
    return true;
}

bool QtPrompts::PrintDialog(QWidget* owner, QPrinter& printer) {
    QPrintDialog dialog(&printer, owner);
    // One page of charts: no page range, no selection. Printing to a file stays, since on a
    // desktop without a printer it is the only way to paper.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    return dialog.exec() == QDialog::Accepted;
}
