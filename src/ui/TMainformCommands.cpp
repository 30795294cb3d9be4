#include "ui/TMainform.h"

#include "settings/SettingsStore.h"
#include "ui/CompareCommand.h"
#include "ui/ErrorBoundary.h"
#include "ui/OpeningChannels.h"
#include "ui/Prompts.h"
#include "ui/TChildform.h"
#include "logdata/TAnalysisData.h"
#include "ui/HealthPanel.h"
#include "ui/TDialogAbout.h"
#include "ui/TDialogPlantProfile.h"
#include "ui/TDialogMultiDayAnalysis.h"
#include "ui/TDialogSettings.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

bool DirectoryExists(const QString& path) { return !path.isEmpty() && QFileInfo(path).isDir(); }

// Everything before the last separator; a file in the root keeps the root's separator.
QString FolderOf(const QString& path) {
    const QString native = QDir::toNativeSeparators(path);
    const qsizetype cut = native.lastIndexOf(QDir::separator());
    if (cut < 0)
        return QString();
    const bool root = cut == 0 || (cut == 2 && native.at(1) == QLatin1Char(':'));
    return native.left(root ? cut + 1 : cut);
}

} // namespace

void TMainform::CreateDialogs() {
    SettingsDialog = std::make_unique<TDialogSettings>();
    MultiDayDialog = std::make_unique<TDialogMultiDayAnalysis>();
    AboutDialog = std::make_unique<TDialogAbout>();
}

void TMainform::ConnectCommands() {
    connect(ActionOpen, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionOpenExecute(); }));
    connect(ActionMultiDayAnalysis, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionMultiDayAnalysisExecute(); }));
    connect(ActionYieldOverview, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionYieldOverviewExecute(); }));
    connect(ActionDefaultSettings, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionDefaultSettingsExecute(); }));
    connect(ActionPlantProfile, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionPlantProfileExecute(); }));
    connect(ActionWindowSettings, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionWindowSettingsExecute(); }));
    connect(ActionSave, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionSaveExecute(); }));
    connect(ActionPrint, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionPrintExecute(); }));
    connect(ActionExportData, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionExportDataExecute(); }));
    connect(ActionCompare, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionCompareExecute(); }));
    connect(ActionAbout, &QAction::triggered, this,
            GuardedSlot([this](bool) { AboutDialog->exec(); }));
}

void TMainform::StoreLastUsedDir(const QString& folder) {
    if (!FStore)
        return;
    FStore->SetMainSettings(FStore->GetMainSettings().Language, folder);
}

void TMainform::ActionOpenExecute() {
    QString initialFolder;
    if (FStore) {
        const QString last = FStore->GetMainSettings().LastUsedDir;
        if (DirectoryExists(last))
            initialFolder = last;
    }
    QString path;
    if (!CurrentPrompts().ShowFileDialog(path, this, LogFileFilter(), true, QStringLiteral("CSV"),
                                         initialFolder))
        return;
    OpenLogFile(path);
}

void TMainform::OpenLogFile(const QString& path, const std::optional<std::vector<int>>& channels) {
    // Stored before anything is loaded, so a declined or failed load keeps the folder.
    StoreLastUsedDir(FolderOf(path));
    TChildform* target = SelectTargetWindow();
    if (target == nullptr)
        return;
    try {
        target->LoadLogFile(path);
        TickOpeningChannels(*target, channels);
    } catch (...) {
        UpdateActionStates();
        throw;
    }
    UpdateActionStates();
}

void TMainform::TickOpeningChannels(TChildform& target,
                                    const std::optional<std::vector<int>>& channels) {
    OpeningChannels::Tick(target, target.HasData(),
                          channels ? *channels
                                   : OpeningChannels::Parse(target.Settings().OpenChannels));
}

void TMainform::ActionMultiDayAnalysisExecute() {
    MultiDayAnalysis(DialogOrigin::Menu,
                     FStore ? FStore->GetMainSettings().LastUsedDir : QString());
}

void TMainform::MultiDayAnalysis(DialogOrigin origin, const QString& startFolder,
                                 const QString& first, const QString& last,
                                 const std::optional<std::vector<int>>& channels) {
    const size_t windowsBefore = AnalysisWindows().size();
    TChildform* target = SelectTargetWindow();
    if (target == nullptr)
        return;
    MultiDayDialog->PrepareDialog(target, startFolder);
    if (!first.isEmpty())
        MultiDayDialog->PresetRange(first, last);
    const int result = MultiDayDialog->exec();
    if (result == QDialog::Rejected) {
        // A window made or chosen only for this analysis does not stay behind empty.
        const bool madeForIt = AnalysisWindows().size() > windowsBefore;
        if (!target->HasData() && (origin == DialogOrigin::Menu || madeForIt))
            if (QMdiSubWindow* sub = SubWindowOf(target))
                sub->close();
    } else {
        StoreLastUsedDir(MultiDayDialog->GetChosenFolder());
        TickOpeningChannels(*target, channels);
    }
    UpdateActionStates();
}

void TMainform::ActionYieldOverviewExecute() {
    ShowYieldWindow();
    if (YieldWindow->Folder().isEmpty())
        YieldWindow->ButtonFolderClick();
}

void TMainform::OpenYieldOverview(const QString& folder) {
    ShowYieldWindow();
    // Remembered as a folder chosen in the window is.
    if (YieldWindow->FolderChosen)
        YieldWindow->FolderChosen(folder);
    YieldWindow->ScanFolder(folder);
}

void TMainform::ShowYieldWindow() {
    if (YieldWindow == nullptr) {
        YieldWindow = new TYieldWindow([this] { return SelectTargetWindow(); }, this);
        YieldWindow->FolderChosen = [this](const QString& folder) { StoreLastUsedDir(folder); };
        YieldWindow->Store = FStore.get();
        // A window of its own: the commands that need no analysis window answer there too.
        YieldWindow->addActions({ActionOpen, ActionMultiDayAnalysis, ActionExit});
        YieldWindow->Loaded = [this] {
            UpdateActionStates();
            // The analysis is in the frame: bring it before the yield window.
            raise();
            activateWindow();
        };
    }
    YieldWindow->StartFolder = FStore ? FStore->GetMainSettings().LastUsedDir : QString();
    YieldWindow->show();
    YieldWindow->raise();
    YieldWindow->activateWindow();
}

void TMainform::ActionDefaultSettingsExecute() {
    EditNewWindowSettings(*SettingsDialog, FStore.get(), AnalysisWindows());
}

void TMainform::ActionPlantProfileExecute() {
    QString path;
    if (TChildform* active = ActiveAnalysisWindow();
        active != nullptr && active->HasData() && active->Data()->GetDayCount() > 0)
        path = active->Data()->GetDayFileName(0);
    else if (YieldWindow != nullptr && YieldWindow->isVisible() && !YieldWindow->Folder().isEmpty())
        path = YieldWindow->Folder();
    else if (FStore != nullptr)
        path = FStore->GetMainSettings().LastUsedDir;
    if (EditPlantProfile(this, FStore.get(), path))
        NotifyPlantProfileChanged();
}

void TMainform::ActionWindowSettingsExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active == nullptr) {
        UpdateActionStates();
        return;
    }
    active->ActionOpenSettings->trigger();
}

void TMainform::ActionSaveExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active == nullptr) {
        UpdateActionStates();
        return;
    }
    active->SaveChartImage();
}

void TMainform::ActionPrintExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active == nullptr) {
        UpdateActionStates();
        return;
    }
    active->PrintCharts();
}

void TMainform::ActionExportDataExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active == nullptr) {
        UpdateActionStates();
        return;
    }
    active->ExportData();
}

void TMainform::ActionCompareExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active == nullptr || !active->HasData()) {
        UpdateActionStates();
        return;
    }
    RunCompareCommand(active, active->Reference(), active->Data());
}
