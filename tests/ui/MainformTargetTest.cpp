#include "LogGenerator.h"
#include "core/LanguageTexts.h"
#include "settings/SettingsStore.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TMainform.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The window rules that depend on windows holding an analysis; no settings store, so new windows
// take the factory settings.
class MainformTargetTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        Form.show();
        Form.activateWindow();
        QApplication::processEvents();
        QApplication::processEvents();
        ASSERT_EQ(Form.AnalysisWindows().size(), 1u);
    }

    QString DayFile() {
        const QDate date(2010, 5, 1);
        const QString path = Dir.filePath(QStringLiteral("20100501.csv"));
        QFile file(path);
        if (!file.exists()) {
            loggen::DayOptions options;
            options.IntervalMinutes = 30;
            EXPECT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(loggen::GenerateDay(date, options).Bytes);
        }
        return path;
    }
    void Load(TChildform* form) {
        form->LoadLogFile(DayFile());
        ASSERT_TRUE(form->HasData());
    }
    void Activate(TChildform* form) {
        Form.MdiArea->setActiveSubWindow(TMainform::SubWindowOf(form));
        ASSERT_EQ(Form.ActiveAnalysisWindow(), form);
    }
    // Three windows; the first `loaded` of them hold the day, the first one is active.
    std::vector<TChildform*> ThreeWindows(int loaded) {
        Load(Form.AnalysisWindows()[0]);
        TChildform* second = Form.SelectTargetWindow();
        Load(second);
        TChildform* third = Form.SelectTargetWindow();
        const std::vector<TChildform*> windows = Form.AnalysisWindows();
        EXPECT_EQ(windows.size(), 3u);
        EXPECT_EQ(windows[1], second);
        EXPECT_EQ(windows[2], third);
        if (loaded < 2)
            windows[1]->ClearAnalysis();
        if (loaded >= 3)
            Load(third);
        Activate(windows[0]);
        return windows;
    }
    void ExpectQuestionAsked(size_t count) {
        ASSERT_EQ(Prompts.AskedPrompts().size(), count);
        const ScriptedPrompts::Asked& asked = Prompts.AskedPrompts().back();
        EXPECT_EQ(asked.Kind, PromptKind::Warning);
        EXPECT_EQ(asked.Text, Text(96));
        EXPECT_EQ(asked.Caption, Text(52));
    }

    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    TMainform Form{[] { return std::unique_ptr<SettingsStore>(); }, nullptr};
};

} // namespace

TEST_F(MainformTargetTest, ActiveWindowWithDataGetsANewWindowBesideIt) {
    TChildform* first = Form.AnalysisWindows()[0];
    Load(first);
    TChildform* second = Form.SelectTargetWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(second->HasData());

    // Two windows, the active one with data and the other one empty: a third is made, the empty
    // window that is not active is not looked for.
    Activate(first);
    TChildform* third = Form.SelectTargetWindow();
    EXPECT_NE(third, second);
    EXPECT_EQ(Form.AnalysisWindows().size(), 3u);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(MainformTargetTest, AtTheLimitTheActiveAnalysisIsGivenUpOnlyWhenTheUserAgrees) {
    const std::vector<TChildform*> windows = ThreeWindows(3);
    Prompts.Expect(PromptKind::Warning, PromptAnswer::No);
    EXPECT_EQ(Form.SelectTargetWindow(), nullptr);
    ExpectQuestionAsked(1);
    EXPECT_EQ(Form.AnalysisWindows(), windows);
    for (TChildform* form : windows)
        EXPECT_TRUE(form->HasData());

    Prompts.Expect(PromptKind::Warning, PromptAnswer::Yes);
    EXPECT_EQ(Form.SelectTargetWindow(), windows[0]);
    ExpectQuestionAsked(2);
    EXPECT_EQ(Form.AnalysisWindows().size(), 3u);
}

TEST_F(MainformTargetTest, AnEmptyActiveThirdWindowTakesTheAnalysisUnasked) {
    const std::vector<TChildform*> windows = ThreeWindows(2);
    Activate(windows[2]);
    EXPECT_EQ(Form.SelectTargetWindow(), windows[2]);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(MainformTargetTest, TheGuardAsksBeforeReplacingTheThirdWindowsAnalysis) {
    const std::vector<TChildform*> windows = ThreeWindows(3);
    Form.MdiArea->setActiveSubWindow(nullptr);
    ASSERT_EQ(Form.ActiveAnalysisWindow(), nullptr);
    Prompts.Expect(PromptKind::Warning, PromptAnswer::No);
    EXPECT_EQ(Form.SelectTargetWindow(), nullptr);
    ExpectQuestionAsked(1);
    EXPECT_TRUE(windows[2]->HasData());

    Form.MdiArea->setActiveSubWindow(nullptr);
    Prompts.Expect(PromptKind::Warning, PromptAnswer::Yes);
    EXPECT_EQ(Form.SelectTargetWindow(), windows[2]);
    EXPECT_EQ(Form.ActiveAnalysisWindow(), windows[2]) << "brought to the front";
}

TEST_F(MainformTargetTest, SaveAndPrintFollowTheActiveWindowsSeries) {
    TChildform* first = Form.AnalysisWindows()[0];
    Load(first);
    EXPECT_FALSE(Form.ActionSave->isEnabled());
    auto* box = first->findChild<QCheckBox*>(QStringLiteral("CB_T1"));
    ASSERT_NE(box, nullptr);
    box->setChecked(true);
    ASSERT_TRUE(first->HasVisibleSeries());
    EXPECT_TRUE(Form.ActionSave->isEnabled());
    EXPECT_TRUE(Form.ActionPrint->isEnabled());
    EXPECT_TRUE(Form.ActionExportData->isEnabled());

    // Another, empty window becomes active: nothing to save there.
    TChildform* second = Form.SelectTargetWindow();
    EXPECT_EQ(Form.ActiveAnalysisWindow(), second);
    EXPECT_FALSE(Form.ActionSave->isEnabled());
    Activate(first);
    EXPECT_TRUE(Form.ActionPrint->isEnabled());

    box->setChecked(false);
    EXPECT_FALSE(Form.ActionSave->isEnabled());
    EXPECT_FALSE(Form.ActionPrint->isEnabled());
    EXPECT_FALSE(Form.ActionExportData->isEnabled());
}

TEST_F(MainformTargetTest, ClosingWithMinimisedWindowsThatHoldDataAsksNothing) {
    ThreeWindows(3);
    Form.ActionMinimizeAll->trigger();
    Form.close();
    EXPECT_TRUE(Form.MdiArea->subWindowList().isEmpty());
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}
