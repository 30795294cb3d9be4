#pragma once

#include "ui/Prompts.h"

#include <QStringList>

class QComboBox;
class QFileDialog;

// Real message boxes, modal and owned by the application (no parent window).
class QtPrompts : public Prompts {
public:
    using Prompts::Message;
    PromptAnswer Message(PromptKind kind, const QString& text, const QString& caption) override;

    // --- File dialogs ---
    bool ShowFileDialog(QString& path, QWidget* owner, const QString& filter, bool open,
                        const QString& defaultExtension, const QString& initialFolder) override;
    bool ShowSaveDialog(QString& path, QWidget* owner, const QString& filter,
                        int& filterIndex) override;
    bool ShowSaveDialogWithChoice(QString& path, QWidget* owner, const QString& filter,
                                  int& filterIndex, SaveDialogChoice& choice) override;
    // Qt's name filters from "description|pattern|" pairs: the pattern after each "|" is what
    // filters, since Qt would otherwise take the patterns from the description's parentheses.
    static QStringList NameFilters(const QString& filter);
    bool ShowFolderDialog(QString& folder, QWidget* owner, const QString& caption) override;
    // --- end file dialogs ---
    // Colour picker.
    std::optional<ColorRef> ChooseColor(QWidget* owner, ColorRef initial,
                                        const CustomColors& customColors) override;
    bool PrintDialog(QWidget* owner, QPrinter& printer) override;
    bool PrintPreview(QWidget* owner, QPrinter& printer,
                      const std::function<void(QPrinter&)>& paint) override;
    bool ChooseDataExport(QWidget* owner, DataExportChoice& choice) override;
    bool ChooseReference(QWidget* owner, ReferenceChoice& choice) override;

private:
    static bool RunSaveDialog(QString& path, QWidget* owner, const QString& filter,
                              int& filterIndex, SaveDialogChoice* choice);
    static QComboBox* AddChoice(QFileDialog& dialog, const SaveDialogChoice& choice);
};

// Moves a dialog, unchanged in size, to the middle of its screen.
void CenterOnScreen(QWidget* dialog);
