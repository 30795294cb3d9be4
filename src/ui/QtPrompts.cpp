#include "ui/QtPrompts.h"

#include <QColorDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

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

// Colour picker.

namespace {

// Qt's colour dialog keeps its custom colours in a settings file of its own, written when a dialog
// is destroyed after they were set; the program writes no file but its INI. While a picker lives,
// Qt's user-scope settings point into a temporary folder that is removed with this object.
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
