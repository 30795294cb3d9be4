#include "core/LanguageTexts.h"
#include "settings/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "MainformFixture.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TMainform.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolBar>
#include <QSvgRenderer>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class MainformTest : public MainformFixture {
protected:
    // No sub-window active while the frame itself is, as after clicking on the empty MDI area.
    static void Deactivate(TMainform& form) {
        form.MdiArea->setActiveSubWindow(nullptr);
        ASSERT_EQ(form.ActiveAnalysisWindow(), nullptr) << "the frame is not the active window";
    }
    static std::vector<QAction*> Entries(const QMenu* menu) {
        std::vector<QAction*> entries;
        for (QAction* a : menu->actions())
            entries.push_back(a);
        return entries;
    }
};

} // namespace

TEST_F(MainformTest, StartsWithoutIniInGermanWithOneEmptyMaximisedWindowAndWritesNothing) {
    {
        TMainform form(StoreInTemp());
        ASSERT_NE(form.Store(), nullptr);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Tarvex Solvista 1"));
        EXPECT_TRUE(form.AnalysisWindows().empty()) << "the first window waits for activation";
        Start(form);
        const std::vector<TChildform*> windows = form.AnalysisWindows();
        ASSERT_EQ(windows.size(), 1u);
        EXPECT_FALSE(windows[0]->HasData());
        EXPECT_TRUE(TMainform::SubWindowOf(windows[0])->isMaximized());
        EXPECT_EQ(windows[0]->Store(), form.Store());
        EXPECT_EQ(form.ActiveAnalysisWindow(), windows[0]);
        EXPECT_EQ(CurrentTextArray(), TextArrayId::German);
        for (QAction* language : form.LanguageActions())
            EXPECT_EQ(language->isChecked(), language == form.ActionLanguageGerman)
                << language->objectName().toStdString();

        // A second activation does not make a second window.
        form.MdiArea->setActiveSubWindow(nullptr);
        QEvent activation(QEvent::ActivationChange);
        QApplication::sendEvent(&form, &activation);
        EXPECT_EQ(form.AnalysisWindows().size(), 1u);
        form.close();
        EXPECT_TRUE(form.AnalysisWindows().empty());
        EXPECT_EQ(form.Store(), nullptr);
    }
    EXPECT_FALSE(QFileInfo::exists(IniPath())) << "settings are written when they change only";
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(MainformTest, StoreFailureIsReportedInBothLanguagesAndWindowsStillOpen) {
    Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("cfg"));
    Os.MakeFolderAnswer = false;
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    TMainform form(StoreInTemp());
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text,
              QStringLiteral("Access to INI file failed. Settings cannot be saved.\n\nZugriff auf "
                             "Ini-Datei fehlgeschlagen. Einstellungen können nicht gespeichert "
                             "werden."));
    EXPECT_EQ(Prompts.AskedPrompts()[0].Caption, QStringLiteral("Fehler"));
    EXPECT_EQ(form.Store(), nullptr);

    Start(form);
    const std::vector<TChildform*> windows = form.AnalysisWindows();
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->Store(), nullptr);
    EXPECT_EQ(windows[0]->Settings(), WindowSettings::FactoryDefaults());
}

TEST_F(MainformTest, RefusedDefaultSettingsKeepTheWindowAndReportTheChartsError) {
    TMainform form(StoreInTemp());
    WindowSettings inverted = WindowSettings::FactoryDefaults();
    inverted.AxisMin = 80;
    inverted.AxisMax = 20;
    inverted.LineWidth = 5;
    form.Store()->SetNewWindowSettings(inverted);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Start(form);
    const std::vector<TChildform*> windows = form.AnalysisWindows();
    ASSERT_EQ(windows.size(), 1u) << "the window must survive its refused settings";
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text, windows[0]->SettingsError());
    EXPECT_FALSE(windows[0]->SettingsError().isEmpty());
    EXPECT_EQ(windows[0]->Settings().LineWidth, 5);

    // The same for windows made for a new analysis: no text 97 lock-out.
    Deactivate(form);
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    TChildform* target = form.SelectTargetWindow();
    ASSERT_NE(target, nullptr);
    EXPECT_EQ(form.AnalysisWindows().size(), 2u);
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, target->SettingsError());
}

TEST_F(MainformTest, MenusToolBarAndPanelAreBuiltInOrderWithGermanCaptions) {
    TMainform form(StoreInTemp());
    QStringList bar;
    for (QAction* a : form.MainMenu->actions())
        bar << a->text();
    EXPECT_EQ(bar, (QStringList{QStringLiteral("&Datei"), QStringLiteral("&Einstellungen"),
                                QStringLiteral("&Sprachauswahl"), QStringLiteral("&Fenster"),
                                QStringLiteral("&?")}));

    const std::vector<QAction*> file = Entries(form.MenuFile);
    ASSERT_EQ(file.size(), 11u);
    EXPECT_EQ(file[0], form.ActionOpen);
    EXPECT_EQ(file[1], form.ActionMultiDayAnalysis);
    EXPECT_EQ(file[2], form.ActionYieldOverview);
    EXPECT_EQ(file[3], form.ActionClose);
    EXPECT_TRUE(file[4]->isSeparator());
    EXPECT_EQ(file[5], form.ActionSave);
    EXPECT_EQ(file[6], form.ActionPrint);
    EXPECT_EQ(file[7], form.ActionExportData);
    EXPECT_EQ(file[8], form.ActionCompare);
    EXPECT_TRUE(file[9]->isSeparator());
    EXPECT_EQ(file[10], form.ActionExit);
    EXPECT_EQ(Entries(form.MenuSettings),
              (std::vector<QAction*>{form.ActionDefaultSettings, form.ActionWindowSettings,
                                     form.ActionPlantProfile}));
    EXPECT_EQ(Entries(form.MenuWindow),
              (std::vector<QAction*>{form.ActionCascade, form.ActionTileHorizontal,
                                     form.ActionMinimizeAll}));
    EXPECT_EQ(Entries(form.MenuHelp), (std::vector<QAction*>{form.ActionAbout}));
    const std::array<QAction*, 7> languages = form.LanguageActions();
    EXPECT_EQ(Entries(form.MenuLanguage),
              std::vector<QAction*>(languages.begin(), languages.end()));

    EXPECT_EQ(form.ActionOpen->text(), QStringLiteral("&Öffnen"));
    EXPECT_EQ(form.ActionClose->text(), QStringLiteral("S&chließen"));
    EXPECT_EQ(form.ActionTileHorizontal->text(), QStringLiteral("Ü&bereinander"));
    EXPECT_EQ(form.ActionOpen->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));
    EXPECT_EQ(form.ActionMultiDayAnalysis->shortcut(), QKeySequence(QStringLiteral("Ctrl+N")));
    EXPECT_EQ(form.ActionYieldOverview->shortcut(), QKeySequence(QStringLiteral("Ctrl+Y")));
    EXPECT_EQ(form.ActionClose->shortcut(), QKeySequence(QStringLiteral("Ctrl+W")));
    EXPECT_EQ(form.ActionSave->shortcut(), QKeySequence(QStringLiteral("Ctrl+S")));
    EXPECT_EQ(form.ActionPrint->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(form.ActionExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QStringList captions;
    for (QAction* language : languages) {
        captions << language->text();
        EXPECT_TRUE(language->isCheckable());
    }
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Deutsch"), QStringLiteral("English (GB)"),
                                     QStringLiteral("Français"), QStringLiteral("Español"),
                                     QStringLiteral("Italiano"), QStringLiteral("Português"),
                                     QStringLiteral("English (US)")}));

    // Tool bar, left to right, with separators after Save, Print and the languages.
    QStringList buttons;
    for (QAction* a : form.ToolBar->actions()) {
        if (a->isSeparator()) {
            buttons << QStringLiteral("|");
            continue;
        }
        auto* button = qobject_cast<QToolButton*>(form.ToolBar->widgetForAction(a));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->defaultAction(), a);
        buttons << button->objectName();
    }
    EXPECT_EQ(buttons.join(u' '),
              QStringLiteral("ToolButtonOpen ToolButtonYield ToolButtonSave | ToolButtonPrint "
                             "ToolButtonCompare | "
                             "ToolButton1 "
                             "ToolButton2 ToolButton3 ToolButton4 ToolButton5 ToolButton6 "
                             "ToolButton7 | ToolButtonAbout"));
    EXPECT_EQ(form.ToolButtonLanguage[6]->defaultAction(), form.ActionLanguageAmerican);

    for (const char* name : {"PanelTop", "ToolBar", "TarvexLogo", "MainMenu", "MenuFile",
                             "ActionOpen", "ActionLanguagePortuguese", "ToolButtonAbout"})
        EXPECT_NE(form.findChild<QObject*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(form.PanelTop->height(), 44);
    EXPECT_EQ(form.PanelTop->palette().color(QPalette::Window), QColor(219, 224, 227));
    EXPECT_EQ(form.palette().color(QPalette::Window), QColor(219, 224, 227));
    EXPECT_EQ(form.minimumSize(), QSize(494, 371));
}

TEST_F(MainformTest, CommandStatesFollowTheWindows) {
    TMainform form(StoreInTemp());
    const auto enabled = [&](std::initializer_list<QAction*> actions) {
        QStringList names;
        for (QAction* a : actions)
            if (a->isEnabled())
                names << a->objectName();
        return names.join(u' ');
    };
    const auto always = {form.ActionOpen,  form.ActionMultiDayAnalysis,
                         form.ActionExit,  form.ActionDefaultSettings,
                         form.ActionAbout, form.ActionLanguageFrench};
    const auto windowBound = {form.ActionSave,       form.ActionPrint,
                              form.ActionClose,      form.ActionWindowSettings,
                              form.ActionCascade,    form.ActionTileHorizontal,
                              form.ActionMinimizeAll};
    EXPECT_EQ(enabled(windowBound), QString()) << "no window yet";
    EXPECT_EQ(enabled(always), QStringLiteral("ActionOpen ActionMultiDayAnalysis ActionExit "
                                              "ActionDefaultSettings ActionAbout "
                                              "ActionLanguageFrench"));

    Start(form);
    EXPECT_EQ(enabled(windowBound),
              QStringLiteral("ActionClose ActionWindowSettings ActionCascade ActionTileHorizontal "
                             "ActionMinimizeAll"))
        << "an empty window shows no series: no Save, no Print";

    // No window active, one still there: only the window-menu actions remain.
    Deactivate(form);
    EXPECT_EQ(enabled(windowBound),
              QStringLiteral("ActionCascade ActionTileHorizontal ActionMinimizeAll"));

    // The analysis window's own notification re-evaluates the commands.
    form.MdiArea->setActiveSubWindow(TMainform::SubWindowOf(form.AnalysisWindows()[0]));
    form.ActionClose->setEnabled(false);
    Q_EMIT form.AnalysisWindows()[0]->ActiveFormChanged(form.AnalysisWindows()[0]);
    EXPECT_TRUE(form.ActionClose->isEnabled());

    form.ActionClose->trigger();
    EXPECT_TRUE(form.AnalysisWindows().empty());
    EXPECT_EQ(enabled(windowBound), QString());
    form.ActionClose->trigger(); // nothing to close: no harm
    EXPECT_EQ(enabled(always).count(u' '), 5);
}

TEST_F(MainformTest, EmptyActiveWindowIsReusedAndNoSecondWindowMade) {
    TMainform form(StoreInTemp());
    Start(form);
    TChildform* first = form.AnalysisWindows().at(0);
    EXPECT_EQ(form.SelectTargetWindow(), first);
    EXPECT_EQ(form.SelectTargetWindow(), first);
    EXPECT_EQ(form.AnalysisWindows().size(), 1u);

    // A minimised active window is restored before it takes the analysis.
    TMainform::SubWindowOf(first)->showMinimized();
    form.MdiArea->setActiveSubWindow(TMainform::SubWindowOf(first));
    EXPECT_EQ(form.SelectTargetWindow(), first);
    EXPECT_FALSE(TMainform::SubWindowOf(first)->isMinimized());
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(MainformTest, ActiveWindowSurvivesADialogTakingTheFocus) {
    TMainform form(StoreInTemp());
    Start(form);
    TChildform* first = form.AnalysisWindows().at(0);
    QDialog dialog(&form);
    dialog.setModal(true);
    dialog.show();
    dialog.activateWindow();
    QApplication::processEvents();
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activeWindow(), &dialog);
    EXPECT_EQ(form.ActiveAnalysisWindow(), first);
    EXPECT_TRUE(form.ActionClose->isEnabled()) << "focus changes must not lose the window";
    EXPECT_EQ(form.SelectTargetWindow(), first);
    EXPECT_EQ(form.AnalysisWindows().size(), 1u);
    dialog.close();
    QApplication::processEvents();
    EXPECT_EQ(form.ActiveAnalysisWindow(), first);
}

TEST_F(MainformTest, ThreeWindowsAtMostAndTheGuardTakesTheThird) {
    TMainform form(StoreInTemp());
    Start(form);
    Deactivate(form);
    TChildform* second = form.SelectTargetWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(form.ActiveAnalysisWindow(), second) << "a new window becomes the active one";
    Deactivate(form);
    TChildform* third = form.SelectTargetWindow();
    ASSERT_EQ(form.AnalysisWindows().size(), 3u);
    EXPECT_EQ(form.AnalysisWindows()[1], second) << "creation order";
    EXPECT_EQ(form.AnalysisWindows()[2], third);

    // At the limit with no active window the third one is taken, restored and brought forward.
    TMainform::SubWindowOf(third)->showMinimized();
    Deactivate(form);
    EXPECT_EQ(form.SelectTargetWindow(), third);
    EXPECT_FALSE(TMainform::SubWindowOf(third)->isMinimized());
    EXPECT_EQ(form.ActiveAnalysisWindow(), third);

    // At the limit the active (empty) window is reused; a fourth is never made.
    TChildform* first = form.AnalysisWindows()[0];
    form.MdiArea->setActiveSubWindow(TMainform::SubWindowOf(first));
    EXPECT_EQ(form.SelectTargetWindow(), first);
    EXPECT_EQ(form.AnalysisWindows().size(), 3u);
    EXPECT_TRUE(Prompts.AskedPrompts().empty()) << "empty windows are replaced without a question";
}

TEST_F(MainformTest, WindowMenuArrangesMinimisesAndClosingFreesEverything) {
    TMainform form(StoreInTemp());
    form.resize(900, 700);
    Start(form);
    Deactivate(form);
    form.SelectTargetWindow();
    const std::vector<TChildform*> windows = form.AnalysisWindows();
    ASSERT_EQ(windows.size(), 2u);
    QMdiSubWindow* top = TMainform::SubWindowOf(windows[0]);
    QMdiSubWindow* bottom = TMainform::SubWindowOf(windows[1]);

    form.ActionTileHorizontal->trigger();
    QApplication::processEvents(); // the area shows its scroll bar
    const QRect area = form.MdiArea->viewport()->rect();
    EXPECT_FALSE(top->isMaximized());
    EXPECT_EQ(top->geometry().top(), area.top());
    EXPECT_EQ(top->geometry().bottom() + 1, bottom->geometry().top());
    EXPECT_GE(bottom->geometry().bottom(), area.bottom() - 1);
    EXPECT_EQ(top->width(), area.width());

    form.ActionCascade->trigger();
    EXPECT_LT(top->x(), bottom->x());
    EXPECT_LT(top->y(), bottom->y());

    form.ActionMinimizeAll->trigger();
    EXPECT_TRUE(top->isMinimized());
    EXPECT_TRUE(bottom->isMinimized());

    // Closing with minimised windows asks nothing and leaves no window and no store.
    form.ActionExit->trigger();
    EXPECT_TRUE(form.AnalysisWindows().empty());
    EXPECT_TRUE(form.MdiArea->subWindowList().isEmpty());
    EXPECT_EQ(form.Store(), nullptr);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

TEST_F(MainformTest, LogoAndIconsComeFromTheLinkedPictures) {
    TMainform form(StoreInTemp());
    const QPixmap logo = form.TarvexLogo->pixmap();
    ASSERT_FALSE(logo.isNull());
    QSvgRenderer renderer(QStringLiteral(":/logo/TarvexLogo.svg"));
    EXPECT_EQ(logo.size(), renderer.defaultSize()) << "the logo is shown at its natural size";
    EXPECT_FALSE(form.windowIcon().isNull());
    for (QAction* action : {form.ActionOpen, form.ActionSave, form.ActionPrint, form.ActionAbout})
        EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << action->objectName().toStdString();
    for (QAction* action : form.LanguageActions())
        EXPECT_FALSE(action->icon().pixmap(16, 16).isNull()) << action->objectName().toStdString();
    // The logo sits at the top right of the panel, the tool bar at its left.
    form.resize(1000, 600);
    Start(form);
    EXPECT_EQ(form.TarvexLogo->geometry().right(), form.PanelTop->width() - 1);
    EXPECT_LT(form.ToolBar->geometry().right(), form.TarvexLogo->geometry().left());
}

namespace {
// The sub-windows in creation order after `count` windows were made in a frame of `size`.
std::vector<QMdiSubWindow*> MakeWindows(TMainform& form, int count) {
    while (static_cast<int>(form.AnalysisWindows().size()) < count) {
        form.MdiArea->setActiveSubWindow(nullptr);
        form.SelectTargetWindow();
    }
    std::vector<QMdiSubWindow*> subs;
    for (TChildform* window : form.AnalysisWindows())
        subs.push_back(TMainform::SubWindowOf(window));
    return subs;
}
} // namespace

TEST_F(MainformTest, CascadeAndTileBringMinimisedWindowsBack) {
    TMainform form(StoreInTemp());
    form.resize(1280, 800);
    Start(form);
    const std::vector<QMdiSubWindow*> subs = MakeWindows(form, 3);
    for (QAction* arrange : {form.ActionCascade, form.ActionTileHorizontal}) {
        form.ActionMinimizeAll->trigger();
        for (QMdiSubWindow* sub : subs)
            ASSERT_TRUE(sub->isMinimized());
        arrange->trigger();
        for (size_t i = 0; i < subs.size(); ++i) {
            EXPECT_FALSE(subs[i]->isMinimized()) << arrange->objectName().toStdString() << i;
            EXPECT_GE(subs[i]->widget()->height(), subs[i]->widget()->minimumHeight()) << i;
        }
    }
}

TEST_F(MainformTest, TheFrameNamesTheProgramOnceAndCtrlQQuits) {
    TMainform form(StoreInTemp());
    Start(form);
    const QString name = QStringLiteral("Tarvex Solvista 1");
    EXPECT_EQ(form.windowTitle().count(name), 1) << form.windowTitle().toStdString();
    // The platform appends a set display name to every title, the frame's included.
    EXPECT_TRUE(QGuiApplication::applicationDisplayName().isEmpty());
    EXPECT_EQ(form.ActionExit->shortcut(), QKeySequence(QStringLiteral("Ctrl+Q")));
    EXPECT_EQ(form.ActionExit->shortcutContext(), Qt::WindowShortcut);
}
