#include "ui/QtPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
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
