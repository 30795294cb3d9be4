#include "LogGenerator.h"
#include "core/AppError.h"
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
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class LanguageTest : public MainformFixture {
protected:
    void WriteIni(const QByteArray& text) {
        ASSERT_TRUE(QDir(Temp.path()).mkpath(QStringLiteral("Tarvex")));
        QFile file(IniPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
    }
    QByteArray Ini() const {
        QFile file(IniPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QAction* Checked(const TMainform& form) {
        QAction* checked = nullptr;
        for (QAction* a : form.LanguageActions())
            if (a->isChecked()) {
                EXPECT_EQ(checked, nullptr) << "one language at a time";
                checked = a;
            }
        return checked;
    }
};

} // namespace

TEST_F(LanguageTest, TheSavedLanguageIsAppliedAtStart) {
    struct Case {
        const char* Stored;
        TextArrayId Texts;
        const char* Action;
    };
    for (const Case c : {Case{"7", TextArrayId::English, "ActionLanguageAmerican"},
                         Case{"2", TextArrayId::English, "ActionLanguageEnglish"},
                         Case{"0", TextArrayId::German, "ActionLanguageGerman"},
                         Case{"9", TextArrayId::German, "ActionLanguageGerman"},
                         Case{"3", TextArrayId::French, "ActionLanguageFrench"}}) {
        SetCurrentTexts(TextArrayId::German);
        WriteIni(QByteArray("[Main]\r\nLanguage=") + c.Stored + "\r\n");
        TMainform form(StoreInTemp());
        Start(form);
        EXPECT_EQ(CurrentTextArray(), c.Texts) << c.Stored;
        ASSERT_NE(Checked(form), nullptr);
        EXPECT_EQ(Checked(form)->objectName(), QString::fromLatin1(c.Action)) << c.Stored;
        EXPECT_EQ(form.ActionOpen->text(), Text(1));
        EXPECT_EQ(form.MenuWindow->title(), Text(11));
        EXPECT_EQ(form.MenuHelp->title(), QStringLiteral("&?"));
        ASSERT_EQ(form.AnalysisWindows().size(), 1u);
        EXPECT_EQ(form.AnalysisWindows()[0]->windowTitle(), Text(16));
    }
}

TEST_F(LanguageTest, ChoosingALanguageRecaptionsEveryWindowAndIsStored) {
    TMainform form(StoreInTemp());
    Start(form);
    ASSERT_TRUE(Ini().isEmpty()) << "nothing written at start";
    // The current language again: no change, nothing written.
    form.ActionOpen->setText(QStringLiteral("x")); // only a switch would set it again
    form.ActionLanguageGerman->trigger();
    EXPECT_TRUE(Ini().isEmpty());
    EXPECT_EQ(form.ActionOpen->text(), QStringLiteral("x"));
    EXPECT_EQ(Checked(form), form.ActionLanguageGerman);

    // Three windows, two holding an analysis.
    for (int i = 0; i < 2; ++i) {
        const QDate date(2010, 5, 1 + i);
        loggen::DayOptions options;
        options.IntervalMinutes = 60;
        const QString path = Temp.filePath(date.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(date, options).Bytes);
        file.close();
        form.ActiveAnalysisWindow()->LoadLogFile(path);
        ASSERT_NE(form.SelectTargetWindow(), nullptr);
    }
    ASSERT_EQ(form.AnalysisWindows().size(), 3u);

    form.ToolButtonLanguage[2]->click(); // French
    EXPECT_EQ(CurrentTextArray(), TextArrayId::French);
    EXPECT_EQ(Checked(form), form.ActionLanguageFrench);
    EXPECT_TRUE(form.ToolButtonLanguage[2]->isChecked());
    EXPECT_FALSE(form.ToolButtonLanguage[0]->isChecked());
    EXPECT_EQ(form.ActionOpen->text(), Text(1));
    EXPECT_FALSE(form.ActionOpen->text().contains('&')) << "the texts carry no accelerators";
    const std::vector<TChildform*> windows = form.AnalysisWindows();
    EXPECT_TRUE(windows[0]->windowTitle().startsWith(Text(17)));
    EXPECT_TRUE(windows[1]->windowTitle().startsWith(Text(17)));
    EXPECT_EQ(windows[2]->windowTitle(), Text(16));
    EXPECT_TRUE(Ini().contains("Language=3")) << Ini().toStdString();
}

TEST_F(LanguageTest, WithoutAStoreTheSwitchWorksButIsNotKept) {
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    TMainform form(
        []() -> std::unique_ptr<SettingsStore> { throw AppError(QStringLiteral("no store")); });
    Start(form);
    ASSERT_EQ(form.Store(), nullptr);
    form.ActionLanguageSpanish->trigger();
    EXPECT_EQ(CurrentTextArray(), TextArrayId::Spanish);
    EXPECT_EQ(form.MenuFile->title(), Text(0));
    EXPECT_FALSE(QFile::exists(IniPath()));
}

// Qt's own words follow the language: the standard buttons of every box, the file and colour
// dialogs, and the multi-day dialog's own Cancel button.
TEST_F(LanguageTest, QtsOwnWordsFollowTheLanguageAtEverySwitch) {
    TMainform form(StoreInTemp());
    Start(form);
    struct Case {
        QAction* Action;
        const char* Cancel;
        bool English;
    };
    // German twice: back from another language, not only as the start-up one.
    for (const Case c : {Case{form.ActionLanguageFrench, "Annuler", false},
                         Case{form.ActionLanguageEnglish, "Cancel", true},
                         Case{form.ActionLanguageSpanish, "Cancelar", false},
                         Case{form.ActionLanguageItalian, "Annulla", false},
                         Case{form.ActionLanguagePortuguese, "Cancelar", false},
                         Case{form.ActionLanguageAmerican, "Cancel", true},
                         Case{form.ActionLanguageGerman, "Abbrechen", false}}) {
        c.Action->trigger();
        const std::string name = c.Action->text().toStdString();
        QMessageBox box(QMessageBox::Question, QString(), QString(),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QLatin1String(c.Cancel)) << name;
        EXPECT_EQ(box.button(QMessageBox::Yes)->text() == QStringLiteral("&Yes"), c.English)
            << name;

        QFileDialog files;
        files.setOption(QFileDialog::DontUseNativeDialog);
        const auto* lookIn = files.findChild<QLabel*>(QStringLiteral("lookInLabel"));
        ASSERT_NE(lookIn, nullptr);
        EXPECT_EQ(lookIn->text() == QStringLiteral("Look in:"), c.English) << name;

        QColorDialog colors;
        colors.setOption(QColorDialog::DontUseNativeDialog);
        const auto* buttons = colors.findChild<QDialogButtonBox*>();
        ASSERT_NE(buttons, nullptr);
        EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QLatin1String(c.Cancel))
            << name;

        TDialogMultiDayAnalysis& multiDay = *form.MultiDayDialogOf();
        multiDay.show();
        EXPECT_EQ(multiDay.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->text(),
                  QLatin1String(c.Cancel))
            << name;
        multiDay.hide();
        EXPECT_TRUE(c.Action->isChecked()) << name;
    }
}
