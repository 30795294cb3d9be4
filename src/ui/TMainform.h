#pragma once

#include <QMainWindow>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SettingsStore;
class TChildform;
class TDialogAbout;
class TDialogMultiDayAnalysis;
class TDialogSettings;
class MdiWindowList;
class TYieldWindow;
class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QMenuBar;
class QToolBar;
class QToolButton;

// The frame of the program: the MDI area with at most three analysis windows, the top panel with
// the tool bar and the logo, and the main menu. It owns the settings store for the whole run.
//
// Child order: wherever "the first", "the third" or "every" analysis window is meant, the order is
// the order of creation (QMdiArea::CreationOrder), which does not change when windows are
// activated.
class TMainform : public QMainWindow {
    Q_OBJECT
public:
    // Creates and loads the settings store; raises AppError when that is impossible.
    using StoreFactory = std::function<std::unique_ptr<SettingsStore>()>;
    static StoreFactory SystemStore();

    static constexpr int MaxAnalysisWindows = 3;

    explicit TMainform(const StoreFactory& createStore = SystemStore(), QWidget* parent = nullptr);
    ~TMainform() override;

    SettingsStore* Store() const { return FStore.get(); }

    // The window that is to receive the next analysis; nullptr when the user declined to give up
    // the active window's analysis. Raises AppError (text 97) when no window can be had.
    TChildform* SelectTargetWindow();
    void UpdateActionStates();

    // The MDI area's current sub-window: unlike the active one it survives a dialog or another
    // program taking the focus.
    TChildform* ActiveAnalysisWindow() const;
    std::vector<TChildform*> AnalysisWindows() const;
    static QMdiSubWindow* SubWindowOf(const TChildform* form);

    // Components, named as the form names them.
    QFrame* PanelTop = nullptr;
    QToolBar* ToolBar = nullptr;
    QLabel* TarvexLogo = nullptr;
    QMdiArea* MdiArea = nullptr;
    QMenuBar* MainMenu = nullptr;
    QMenu* MenuFile = nullptr;
    QMenu* MenuSettings = nullptr;
    QMenu* MenuLanguage = nullptr;
    QMenu* MenuWindow = nullptr;
    QMenu* MenuHelp = nullptr;

    QAction* ActionOpen = nullptr;
    QAction* ActionMultiDayAnalysis = nullptr;
    QAction* ActionYieldOverview = nullptr;
    QAction* ActionClose = nullptr;
    QAction* ActionSave = nullptr;
    QAction* ActionPrint = nullptr;
    QAction* ActionExportData = nullptr;
    QAction* ActionCompare = nullptr;
    QAction* ActionExit = nullptr;
    QAction* ActionDefaultSettings = nullptr;
    QAction* ActionWindowSettings = nullptr;
    QAction* ActionPlantProfile = nullptr;
    QAction* ActionCascade = nullptr;
    QAction* ActionTileHorizontal = nullptr;
    QAction* ActionMinimizeAll = nullptr;
    QAction* ActionAbout = nullptr;
    QAction* ActionLanguageGerman = nullptr;
    QAction* ActionLanguageEnglish = nullptr;
    QAction* ActionLanguageFrench = nullptr;
    QAction* ActionLanguageSpanish = nullptr;
    QAction* ActionLanguageItalian = nullptr;
    QAction* ActionLanguagePortuguese = nullptr;
    QAction* ActionLanguageAmerican = nullptr;
    QActionGroup* LanguageGroup = nullptr;

    QToolButton* ToolButtonOpen = nullptr;
    QToolButton* ToolButtonYield = nullptr;
    QToolButton* ToolButtonSave = nullptr;
    QToolButton* ToolButtonPrint = nullptr;
    QToolButton* ToolButtonCompare = nullptr;
    std::array<QToolButton*, 7> ToolButtonLanguage{}; // ToolButton1 .. ToolButton7
    QToolButton* ToolButtonAbout = nullptr;

    // The Window menu's list of the open windows (the entries follow the menu's own).
    MdiWindowList* WindowListOf() const { return WindowList; }

    // The seven language actions in language-number order (German first).
    std::array<QAction*, 7> LanguageActions() const;

    // Language: the saved one at the first activation, the user's choice from menu or tool bar.
    void SelectLanguageFromSettings();
    void ActionLanguageSelection(QAction* sender);
    void ApplyLanguageTexts();
    int LanguageNumber() const { return FLanguageNumber; }

    // Commands of the menus and the tool bar.
    void ActionOpenExecute();
    void ActionMultiDayAnalysisExecute();
    // Shows the yield window (made on first use); asks for a folder when none was read yet.
    void ActionYieldOverviewExecute();
    TYieldWindow* YieldWindowOf() const { return YieldWindow; }
    // The yield window reading `folder` at once (a folder given on the command line or dropped).
    void OpenYieldOverview(const QString& folder);
    void ActionDefaultSettingsExecute();
    void ActionWindowSettingsExecute();
    // The plant profile of the active analysis (else of the yield window's folder, else of the
    // last folder used) and the health check's limits.
    void ActionPlantProfileExecute();
    void ActionSaveExecute();
    void ActionPrintExecute();
    void ActionExportDataExecute();
    // "Compare with...": a reference period under the active analysis.
    void ActionCompareExecute();

    // Opening without the file dialog (command line, drops): one log file into the window
    // SelectTargetWindow gives, remembering its folder as Open does.
    // Then ticks `channels`, or without them the channels the window's settings name.
    void OpenLogFile(const QString& path, const std::optional<std::vector<int>>& channels = {});
    // The multi-day dialog on a target window, starting in `startFolder`; with `first` and `last`
    // it analyses that range at once, as Analyse would, and closes when it is done. Cancelled, it
    // closes a target left empty: from the menu any such target (it was chosen only for this), from
    // paths only one it made, so that the empty window the user had stays.
    enum class DialogOrigin { Menu, Paths };
    void MultiDayAnalysis(DialogOrigin origin, const QString& startFolder,
                          const QString& first = QString(), const QString& last = QString(),
                          const std::optional<std::vector<int>>& channels = {});
    // A language number 1..7 for this run instead of the saved one; never written to the INI file.
    void SetLanguageOverride(int number) { FLanguageOverride = number; }
    // The dialogs made once and reused for every showing.
    TDialogSettings* SettingsDialogOf() const { return SettingsDialog.get(); }
    TDialogMultiDayAnalysis* MultiDayDialogOf() const { return MultiDayDialog.get(); }

Q_SIGNALS:
    // The first activation's work is done: the first analysis window exists, the language is set.
    void StartUpFinished();

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildTopPanel();
    void ConnectActions();
    void CreateStore(const StoreFactory& createStore);
    void FormActivate();

    // A new analysis window with the store and the default settings, shown in the MDI area. A
    // window whose settings the chart refused is kept and the refusal reported.
    TChildform* CreateAnalysisWindow(bool maximised);
    TChildform* ConfirmReplace(TChildform* target);
    void ActionCloseExecute();
    void CloseAnalysisWindow(QMdiSubWindow* sub);
    void MinimizeAll();
    void CloseAllAnalysisWindows();
    void DetachSignals();
    void CheckLanguageAction(int index);
    void CreateDialogs();
    void ConnectCommands();
    void StoreLastUsedDir(const QString& folder);
    void TickOpeningChannels(TChildform& target, const std::optional<std::vector<int>>& channels);
    void ShowYieldWindow();

    std::unique_ptr<SettingsStore> FStore;
    std::unique_ptr<TDialogSettings> SettingsDialog;
    std::unique_ptr<TDialogMultiDayAnalysis> MultiDayDialog;
    std::unique_ptr<TDialogAbout> AboutDialog;
    TYieldWindow* YieldWindow = nullptr; // a child window of the frame, made on first use
    bool FirstActivation = true;
    // 1..7. A checkable action is already toggled when it fires: a re-choice is told from this.
    int FLanguageNumber = 1;
    int FLanguageOverride = 0;
    bool FClosing = false;
    QMetaObject::Connection FFocusConnection;
    MdiWindowList* WindowList = nullptr;
};
