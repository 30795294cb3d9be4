#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "settings/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "MainformFixture.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TDialogMultiDayAnalysis.h"
#include "ui/TMainform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class MainformCommandsTest : public MainformFixture {
protected:
    void SetUp() override {
        MainformFixture::SetUp();
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("cfg"));
    }
    QString WriteDay(const QString& folder, const QDate& date) {
        EXPECT_TRUE(QDir().mkpath(folder));
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        const QString path = folder + "/" + date.toString(QStringLiteral("yyyyMMdd")) + ".csv";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, options).Bytes);
        return path;
    }
};

} // namespace

TEST_F(MainformCommandsTest, OpenStoresTheFolderAndLoadsIntoTheEmptyWindow) {
    TMainform form(StoreInTemp());
    Start(form);
    // Cancelled: nothing changes.
    Prompts.ExpectFile(QString());
    form.ActionOpen->trigger();

    const QString folder = Temp.filePath(QStringLiteral("logs/2010"));
    const QString path = WriteDay(folder, QDate(2010, 5, 1));
    Prompts.ExpectFile(path);
    form.ActionOpen->trigger();
    ASSERT_EQ(Prompts.FileDialogs().size(), 2u);
    EXPECT_TRUE(Prompts.FileDialogs()[1].Open);
    EXPECT_EQ(Prompts.FileDialogs()[1].DefaultExtension, "CSV");
    EXPECT_EQ(Prompts.FileDialogs()[1].Filter, LogFileFilter());
    EXPECT_EQ(Prompts.FileDialogs()[0].InitialFolder, QString())
        << "the default folder (the program's) does not exist here";
    EXPECT_EQ(form.Store()->GetMainSettings().LastUsedDir, QDir::toNativeSeparators(folder))
        << "no trailing separator";
    ASSERT_EQ(form.AnalysisWindows().size(), 1u) << "the empty window took the file";
    EXPECT_TRUE(form.AnalysisWindows()[0]->HasData());

    Prompts.ExpectFile(QString());
    form.ActionOpen->trigger();
    EXPECT_EQ(Prompts.FileDialogs().back().InitialFolder, QDir::toNativeSeparators(folder));

    // A stored folder that has gone: the dialog starts in the platform's own folder.
    ASSERT_TRUE(QDir(folder).removeRecursively());
    Prompts.ExpectFile(QString());
    form.ActionOpen->trigger();
    EXPECT_EQ(Prompts.FileDialogs().back().InitialFolder, QString());
}

TEST_F(MainformCommandsTest, AFileThatCannotBeReadIsReportedAndTheWindowStaysEmpty) {
    TMainform form(StoreInTemp());
    Start(form);
    const QString path = Temp.filePath(QStringLiteral("notes.csv"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("shopping list\r\n");
    file.close();
    Prompts.ExpectFile(path);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    form.ActionOpen->trigger();
    EXPECT_EQ(Prompts.AskedPrompts().back().Text,
              Text(84) + "\n\n" + QDir::toNativeSeparators(path) + "\n" + Text(86));
    EXPECT_FALSE(form.AnalysisWindows()[0]->HasData());
    EXPECT_EQ(form.Store()->GetMainSettings().LastUsedDir, QDir::toNativeSeparators(Temp.path()));
}

TEST_F(MainformCommandsTest, CancellingTheMultiDayDialogClosesOnlyAWindowMadeForIt) {
    TMainform form(StoreInTemp());
    Start(form);
    const QString path = WriteDay(Temp.filePath(QStringLiteral("logs")), QDate(2010, 5, 1));
    form.AnalysisWindows()[0]->LoadLogFile(path);
    // The dialog is modal: cancel it as soon as it runs.
    QTimer::singleShot(0, form.MultiDayDialogOf(), [&] { form.MultiDayDialogOf()->reject(); });
    form.ActionMultiDayAnalysis->trigger();
    ASSERT_EQ(form.AnalysisWindows().size(), 1u) << "the new, empty window went again";
    EXPECT_TRUE(form.AnalysisWindows()[0]->HasData());

    // Cancelled on a window that holds an earlier analysis: it stays.
    for (int i = 0; i < 2; ++i)
        form.SelectTargetWindow()->LoadLogFile(path);
    ASSERT_EQ(form.AnalysisWindows().size(), 3u);
    Prompts.Expect(PromptKind::Warning, PromptAnswer::Yes);
    QTimer::singleShot(0, form.MultiDayDialogOf(), [&] { form.MultiDayDialogOf()->reject(); });
    form.ActionMultiDayAnalysis->trigger();
    EXPECT_EQ(form.AnalysisWindows().size(), 3u);
}

TEST_F(MainformCommandsTest, SaveAndAboutActOnTheActiveWindow) {
    TMainform form(StoreInTemp());
    Start(form);
    TChildform* window = form.AnalysisWindows()[0];
    window->LoadLogFile(WriteDay(Temp.filePath(QStringLiteral("logs")), QDate(2010, 5, 1)));
    window->findChild<QCheckBox*>(QStringLiteral("CB_T1"))->setChecked(true);
    form.UpdateActionStates();
    ASSERT_TRUE(form.ActionSave->isEnabled());
    const QString image = Temp.filePath(QStringLiteral("chart.bmp"));
    Prompts.ExpectFile(image);
    form.ActionSave->trigger();
    EXPECT_TRUE(QFile::exists(image));

    bool shown = false;
    QTimer::singleShot(0, &form, [&] {
        QWidget* about = QApplication::activeModalWidget();
        shown = about != nullptr && about->objectName() == QStringLiteral("TDialogAbout");
        if (auto* dialog = qobject_cast<QDialog*>(about))
            dialog->accept();
    });
    form.ActionAbout->trigger();
    EXPECT_TRUE(shown);
}
