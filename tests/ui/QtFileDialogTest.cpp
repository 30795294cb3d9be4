#include "ui/QtPrompts.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Confirms the file or folder dialog that the next modal loop shows with `file` selected.
void AcceptFileDialogWith(const QString& file) {
    QTimer::singleShot(0, [file] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible()) {
                dialog->selectFile(file);
                static_cast<QDialog*>(dialog)->accept(); // protected in QFileDialog
                return;
            }
        ADD_FAILURE() << "no file dialog shown";
    });
}

} // namespace

// The program writes its INI file, images, the comma copy and printed pages, nothing else: Qt's
// file dialog would keep its history of folders in a settings file of its own.
TEST(QtFileDialog, ReturnsTheChoiceAndWritesNoSettingsFile) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    const QByteArray oldConfig = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const QString qtFile = home.filePath(QStringLiteral("QtProject.conf"));
    const QString log = home.filePath(QStringLiteral("20100501.csv"));
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    QtPrompts prompts;
    QString path;
    AcceptFileDialogWith(log);
    ASSERT_TRUE(prompts.ShowFileDialog(path, nullptr, QStringLiteral("Log files|*.csv|"), true,
                                       QStringLiteral("csv"), home.path()));
    EXPECT_EQ(path, QDir::toNativeSeparators(log));
    EXPECT_FALSE(QFile::exists(qtFile));

    const QString logs = home.filePath(QStringLiteral("logs"));
    ASSERT_TRUE(QDir().mkpath(logs));
    QString folder = home.path();
    AcceptFileDialogWith(logs);
    ASSERT_TRUE(prompts.ShowFolderDialog(folder, nullptr, QStringLiteral("Folder")));
    EXPECT_EQ(folder, QDir::toNativeSeparators(logs));
    EXPECT_FALSE(QFile::exists(qtFile));

    // Without the prompts' care Qt does write the file; this is what the check above guards.
    { const QFileDialog plain(nullptr, QString(), home.path()); }
    EXPECT_TRUE(QFile::exists(qtFile));

    if (oldConfig.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", oldConfig);
}

// The save dialog's extra choice stands beside the file type, greyed out for the types it means
// nothing to, and comes back as chosen.
TEST(QtFileDialog, TheSaveDialogOffersItsChoiceForTheTypesItAppliesTo) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QtPrompts prompts;
    SaveDialogChoice choice;
    choice.Label = QStringLiteral("Image size:");
    choice.Entries = {QStringLiteral("As on screen"), QStringLiteral("Large"),
                      QStringLiteral("Larger")};
    choice.Chosen = 2;
    choice.Applies = {false, true};
    const QString target = home.filePath(QStringLiteral("chart.png"));
    bool greyedForBitmaps = false;
    bool offeredForPng = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* dialog = qobject_cast<QFileDialog*>(widget);
            if (dialog == nullptr || !dialog->isVisible())
                continue;
            auto* box = dialog->findChild<QComboBox*>(QStringLiteral("SaveDialogChoice"));
            auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
            if (box == nullptr || types == nullptr)
                break;
            greyedForBitmaps = !box->isEnabled() && box->currentIndex() == 2;
            // The user picks the PNG type, then the second entry.
            types->setCurrentIndex(1);
            Q_EMIT types->activated(1);
            Q_EMIT types->textActivated(types->currentText());
            offeredForPng = box->isEnabled();
            box->setCurrentIndex(1);
            dialog->selectFile(target);
            static_cast<QDialog*>(dialog)->accept();
            return;
        }
        ADD_FAILURE() << "no save dialog with its choice shown";
    });
    QString path = home.filePath(QStringLiteral("chart.bmp"));
    int filterIndex = 0;
    ASSERT_TRUE(prompts.ShowSaveDialogWithChoice(
        path, nullptr, QStringLiteral("BMP image (*.bmp)|*.bmp|PNG image (*.png)|*.png"),
        filterIndex, choice));
    EXPECT_TRUE(greyedForBitmaps);
    EXPECT_TRUE(offeredForPng);
    EXPECT_EQ(filterIndex, 1);
    EXPECT_EQ(choice.Chosen, 1);
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("chart.png"));
}
