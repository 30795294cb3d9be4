#include "ui/QtPrompts.h"

#include "ui/DataExportDialog.h"
#include "ui/ReferenceDialog.h"
#include "ui/PrintPreviewDialog.h"

#include <QDir>
#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QRegularExpression>
#include <QColorDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>

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

// Qt's colour dialog keeps its custom colours, and its file dialog its history of folders, in a
// settings file of its own, written when a dialog is destroyed; the program writes no file but its
// INI. While such a dialog lives, Qt's user-scope settings point into a temporary folder that is
// removed with this object.
class QtSettingsDetour {
public:
    QtSettingsDetour() { PointTo(FFolder.path()); }
    ~QtSettingsDetour() {
        PointTo(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    }
    QtSettingsDetour(const QtSettingsDetour&) = delete;
    QtSettingsDetour& operator=(const QtSettingsDetour&) = delete;

private:
    static void PointTo(const QString& folder) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
    }
    QTemporaryDir FFolder;
};

} // namespace

// --- File dialogs ---

QStringList QtPrompts::NameFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        QString patterns = parts[i + 1].trimmed();
        if (patterns.isEmpty())
            continue;
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from a trailing "(...)", so the description's own one must go.
        static const QRegularExpression trailingGroup(QStringLiteral("\\s*\\([^()]*\\)$"));
        description.remove(trailingGroup);
        result << description + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return result;
}

bool QtPrompts::ShowFileDialog(QString& path, QWidget* owner, const QString& filter, bool open,
                               const QString& defaultExtension, const QString& initialFolder) {
    const QtSettingsDetour detour; // outlives the dialog, whose destruction writes
    QFileDialog dialog(owner);
    // Qt's own dialog: its name filters ignore case, so "*.csv" also lists "20090604.CSV".
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = NameFilters(filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (!defaultExtension.isEmpty())
        dialog.setDefaultSuffix(defaultExtension);
    if (!initialFolder.isEmpty()) {
        // An edit may hold a file picked before; the dialog then starts in its folder.
        const QFileInfo start(initialFolder);
        dialog.setDirectory(start.isDir() ? start.absoluteFilePath() : start.absolutePath());
    }
    if (!path.isEmpty())
        dialog.selectFile(path);
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

bool QtPrompts::ShowFolderDialog(QString& folder, QWidget* owner, const QString& caption) {
    const QtSettingsDetour detour; // outlives the dialog, whose destruction writes
    QFileDialog dialog(owner, caption);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (!folder.isEmpty() && QFileInfo(folder).isDir())
        dialog.setDirectory(QFileInfo(folder).absoluteFilePath());
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    folder = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

bool QtPrompts::ShowSaveDialog(QString& path, QWidget* owner, const QString& filter,
                               int& filterIndex) {
    return RunSaveDialog(path, owner, filter, filterIndex, nullptr);
}

bool QtPrompts::ShowSaveDialogWithChoice(QString& path, QWidget* owner, const QString& filter,
                                         int& filterIndex, SaveDialogChoice& choice) {
    return RunSaveDialog(path, owner, filter, filterIndex, &choice);
}

bool QtPrompts::RunSaveDialog(QString& path, QWidget* owner, const QString& filter,
                              int& filterIndex, SaveDialogChoice* choice) {
    const QtSettingsDetour detour; // outlives the dialog, whose destruction writes
    QFileDialog dialog(owner);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QStringList filters = NameFilters(filter);
    const QStringList patterns = filter.split(QLatin1Char('|'));
    // The extension of a filter pair's first pattern ("*.png" gives "png").
    const auto suffixOf = [&patterns](int index) {
        const qsizetype at = 2 * static_cast<qsizetype>(index) + 1;
        if (index < 0 || at >= patterns.size())
            return QString();
        const QString pattern = patterns[at].section(QLatin1Char(';'), 0, 0).trimmed();
        return pattern.startsWith(QStringLiteral("*.")) ? pattern.mid(2) : QString();
    };
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        if (filterIndex >= 0 && filterIndex < filters.size())
            dialog.selectNameFilter(filters[filterIndex]);
    }
    dialog.setDefaultSuffix(suffixOf(std::max(filterIndex, 0)));
    QComboBox* choiceBox = choice != nullptr ? AddChoice(dialog, *choice) : nullptr;
    const auto applyChoice = [choice, choiceBox](int index) {
        if (choiceBox != nullptr)
            choiceBox->setEnabled(index < 0 ||
                                  static_cast<size_t>(index) >= choice->Applies.size() ||
                                  choice->Applies[static_cast<size_t>(index)]);
    };
    applyChoice(std::max(filterIndex, 0));
    // A name typed without extension gets the type the user has chosen, and a proposed name that
    // ends in one type's extension follows the choice.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, &filters, &suffixOf, &applyChoice](const QString& chosen) {
                         applyChoice(static_cast<int>(filters.indexOf(chosen)));
                         const QString suffix = suffixOf(static_cast<int>(filters.indexOf(chosen)));
                         dialog.setDefaultSuffix(suffix);
                         auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                         if (name == nullptr || suffix.isEmpty())
                             return;
                         const QString typed = name->text();
                         const QString typedSuffix = QFileInfo(typed).suffix();
                         for (int i = 0; i < filters.size(); ++i)
                             if (!typedSuffix.isEmpty() &&
                                 typedSuffix.compare(suffixOf(i), Qt::CaseInsensitive) == 0) {
                                 name->setText(typed.left(typed.size() - typedSuffix.size()) +
                                               suffix);
                                 break;
                             }
                     });
    if (!path.isEmpty())
        dialog.selectFile(path);
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    path = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    filterIndex = std::max(0, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())));
    if (choiceBox != nullptr)
        choice->Chosen = choiceBox->currentIndex();
    return true;
}

QComboBox* QtPrompts::AddChoice(QFileDialog& dialog, const SaveDialogChoice& choice) {
    // Qt's own dialog lays out its name and type rows in a grid: the choice becomes the row
    // below the type, label and box in the same columns.
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* box = new QComboBox(&dialog);
    box->setObjectName(QStringLiteral("SaveDialogChoice"));
    box->addItems(choice.Entries);
    box->setCurrentIndex(std::clamp(choice.Chosen, 0, std::max(0, box->count() - 1)));
    auto* label = new QLabel(choice.Label, &dialog);
    label->setBuddy(box);
    if (grid != nullptr) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    } else if (dialog.layout() != nullptr) {
        dialog.layout()->addWidget(label);
        dialog.layout()->addWidget(box);
    }
    return box;
}

// --- end file dialogs ---

bool QtPrompts::PrintDialog(QWidget* owner, QPrinter& printer) {
    const QtSettingsDetour detour; // its file chooser keeps a history too
    QPrintDialog dialog(&printer, owner);
    // One page of charts: no page range, no selection. Printing to a file stays, since on a
    // desktop without a printer it is the only way to paper.
    dialog.setOptions(QAbstractPrintDialog::PrintToFile);
    CenterOnScreen(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::PrintPreview(QWidget* owner, QPrinter& printer,
                             const std::function<void(QPrinter&)>& paint) {
    PrintPreviewDialog dialog(printer, paint, owner);
    CenterOnScreen(&dialog);
    return dialog.exec() == QDialog::Accepted;
}

bool QtPrompts::ChooseDataExport(QWidget* owner, DataExportChoice& choice) {
    DataExportDialog dialog(choice, owner);
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

bool QtPrompts::ChooseReference(QWidget* owner, ReferenceChoice& choice) {
    ReferenceDialog dialog(choice, owner);
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    choice = dialog.Choice();
    return true;
}

// Colour picker.

void CenterOnScreen(QWidget* dialog) {
    const QScreen* screen = dialog->screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    dialog->adjustSize();
    const QRect desktop = screen->geometry();
    const QSize size = dialog->frameGeometry().size();
    dialog->move(desktop.left() + (desktop.width() - size.width()) / 2,
                 desktop.top() + (desktop.height() - size.height()) / 2);
}

std::optional<ColorRef> QtPrompts::ChooseColor(QWidget* owner, ColorRef initial,
                                               const CustomColors& customColors) {
    const QtSettingsDetour detour; // outlives the dialog, whose destruction writes
    // Qt fills its two rows of custom colours column by column; placed so, they read row by row.
    constexpr int columns = CustomColorCount / 2;
    for (int i = 0; i < CustomColorCount; ++i)
        QColorDialog::setCustomColor((i % columns) * 2 + i / columns,
                                     ColorFromRef(customColors[static_cast<size_t>(i)]));
    QColorDialog dialog(owner);
    // The platform's own picker would ignore the custom colours.
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setCurrentColor(ColorFromRef(initial));
    CenterOnScreen(&dialog);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return RefFromColor(dialog.selectedColor());
}
