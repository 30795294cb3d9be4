// The analysis windows of the main window: creating them, choosing the one for a new analysis,
// keeping the commands' states current, and closing them.
#include "ui/TMainform.h"

#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "settings/SettingsStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/MdiWindowList.h"
#include "ui/Prompts.h"
#include "ui/TChildform.h"

#include <QAction>
#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
constexpr int TextMaximumReached = 96;
constexpr int TextNoFurtherWindow = 97;
} // namespace

QMdiSubWindow* TMainform::SubWindowOf(const TChildform* form) {
    return form != nullptr ? qobject_cast<QMdiSubWindow*>(form->parentWidget()) : nullptr;
}

std::vector<TChildform*> TMainform::AnalysisWindows() const {
    std::vector<TChildform*> windows;
    for (QMdiSubWindow* sub : MdiArea->subWindowList(QMdiArea::CreationOrder)) {
        // A closed sub-window lingers until its deferred deletion; it no longer counts.
        if (sub->isHidden())
            continue;
        if (auto* form = qobject_cast<TChildform*>(sub->widget()))
            windows.push_back(form);
    }
    return windows;
}

TChildform* TMainform::ActiveAnalysisWindow() const {
    QMdiSubWindow* sub = MdiArea->currentSubWindow();
    if (sub == nullptr || sub->isHidden())
        return nullptr;
    return qobject_cast<TChildform*>(sub->widget());
}

TChildform* TMainform::CreateAnalysisWindow(bool maximised) {
    const WindowSettings settings =
        FStore ? FStore->GetNewWindowSettings() : WindowSettings::FactoryDefaults();
    auto sub = std::make_unique<QMdiSubWindow>();
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(windowIcon()); // also the system-menu button of a maximised window
    auto* form = new TChildform(sub.get(), settings);
    form->SetSettingsStore(FStore.get());
    sub->setWidget(form);
    connect(form, &TChildform::ActiveFormChanged, this,
            GuardedSlot([this](TChildform*) { UpdateActionStates(); }));
    // Closed by its own close button, the sub-window goes later; the commands follow then.
    connect(sub.get(), &QObject::destroyed, this, [this] {
        QMetaObject::invokeMethod(this, GuardedSlot([this] { UpdateActionStates(); }),
                                  Qt::QueuedConnection);
    });
    QMdiSubWindow* shown = MdiArea->addSubWindow(sub.release());
    WindowList->Adopt(shown, findChildren<QAction*>(QString(), Qt::FindDirectChildrenOnly));
    try {
        if (maximised)
            shown->showMaximized();
        else
            shown->show();
        MdiArea->setActiveSubWindow(shown);
    } catch (...) {
        delete shown;
        throw;
    }
    // Settings the chart refuses (inverted Y limits saved as the default) would otherwise lock the
    // user out of every new window; the window is kept with its other settings applied.
    if (!form->SettingsError().isEmpty())
        ShowErrorMessage(form->SettingsError());
    UpdateActionStates();
    return form;
}

TChildform* TMainform::ConfirmReplace(TChildform* target) {
    QMdiSubWindow* sub = SubWindowOf(target);
    if (sub->isMinimized())
        sub->showNormal();
    MdiArea->setActiveSubWindow(sub);
    sub->raise();
    if (target->HasData() &&
        !CurrentPrompts().AskYes(PromptKind::Warning, Text(TextMaximumReached)))
        return nullptr;
    return target;
}

TChildform* TMainform::SelectTargetWindow() {
    const std::vector<TChildform*> windows = AnalysisWindows();
    const auto count = static_cast<int>(windows.size());
    TChildform* active = ActiveAnalysisWindow();
    TChildform* candidate = nullptr;
    if (count > 0) {
        candidate = active;
        if (candidate != nullptr && candidate->HasData())
            candidate = nullptr;
    }
    if (candidate != nullptr || count >= MaxAnalysisWindows) {
        if (active != nullptr)
            return ConfirmReplace(active);
    } else {
        try {
            return CreateAnalysisWindow(false);
        } catch (const std::exception&) {
            // Whatever stopped the window, the user is told in the one text that says what to do.
            UpdateActionStates();
            AppError::RaiseText(TextNoFurtherWindow);
        }
    }
    // At the limit with no window active: the third one, and its analysis is not given up unasked.
    if (count < MaxAnalysisWindows)
        AppError::RaiseText(TextNoFurtherWindow);
    return ConfirmReplace(windows[MaxAnalysisWindows - 1]);
}

void TMainform::UpdateActionStates() {
    if (FClosing)
        return;
    TChildform* active = ActiveAnalysisWindow();
    bool visibleSeries = false;
    if (active != nullptr) {
        active->UpdateCommands();
        visibleSeries = active->HasVisibleSeries();
    }
    const bool anyWindow = !AnalysisWindows().empty();
    for (QAction* always : {ActionOpen, ActionMultiDayAnalysis, ActionExit, ActionDefaultSettings,
                            ActionPlantProfile, ActionAbout})
        always->setEnabled(true);
    for (QAction* language : LanguageActions())
        language->setEnabled(true);
    ActionSave->setEnabled(visibleSeries);
    ActionPrint->setEnabled(visibleSeries);
    ActionExportData->setEnabled(visibleSeries);
    ActionCompare->setEnabled(active != nullptr && active->HasData());
    ActionClose->setEnabled(active != nullptr);
    ActionWindowSettings->setEnabled(active != nullptr);
    ActionCascade->setEnabled(anyWindow);
    ActionTileHorizontal->setEnabled(anyWindow);
    ActionMinimizeAll->setEnabled(anyWindow);
}

void TMainform::ActionCloseExecute() {
    TChildform* active = ActiveAnalysisWindow();
    if (active != nullptr)
        CloseAnalysisWindow(SubWindowOf(active));
    UpdateActionStates();
}

void TMainform::CloseAnalysisWindow(QMdiSubWindow* sub) {
    sub->close();
    // Freed at once, not at the deferred deletion the close asks for, so that the window count is
    // right for whatever runs next.
    delete sub;
}

void TMainform::MinimizeAll() {
    // Minimising a maximised window activates the next one, which the area maximises in turn,
    // restoring it from minimised: the windows leave the maximised state first.
    const std::vector<TChildform*> windows = AnalysisWindows();
    for (TChildform* form : windows)
        if (SubWindowOf(form)->isMaximized())
            SubWindowOf(form)->showNormal();
    for (TChildform* form : windows)
        SubWindowOf(form)->showMinimized();
    UpdateActionStates();
}

void TMainform::CloseAllAnalysisWindows() {
    FClosing = true;
    for (std::vector<TChildform*> windows = AnalysisWindows(); !windows.empty();
         windows = AnalysisWindows())
        CloseAnalysisWindow(SubWindowOf(windows.front()));
}

void TMainform::closeEvent(QCloseEvent* event) {
    Guarded([this] {
        CloseAllAnalysisWindows();
        FStore.reset();
    });
    event->accept();
}
