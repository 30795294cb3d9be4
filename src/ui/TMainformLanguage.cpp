#include "ui/TMainform.h"

#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerTexts.h"
#include "output/OutputTexts.h"
#include "settings/SettingsStore.h"
#include "ui/ProfileTexts.h"
#include "ui/QtLanguage.h"
#include "ui/TChildform.h"
#include "ui/TYieldWindow.h"

#include <QAction>
#include <QMenu>

namespace {

// Language numbers 1..7 in the order of the language actions; any other number is German.
int ActionIndexOfLanguage(int number) { return number >= 1 && number <= 7 ? number - 1 : 0; }

} // namespace

void TMainform::CheckLanguageAction(int index) {
    const std::array<QAction*, 7> actions = LanguageActions();
    for (size_t i = 0; i < actions.size(); ++i)
        actions[i]->setChecked(static_cast<int>(i) == index);
}

void TMainform::SelectLanguageFromSettings() {
    if (!FStore && FLanguageOverride == 0)
        return;
    const int number =
        FLanguageOverride != 0 ? FLanguageOverride : FStore->GetMainSettings().Language;
    FLanguageNumber = ActionIndexOfLanguage(number) + 1;
    SetCurrentTexts(TextArrayForLanguage(FLanguageNumber));
    QtLanguage::Apply(CurrentTextArray());
    CheckLanguageAction(FLanguageNumber - 1);
    ApplyLanguageTexts();
}

void TMainform::ActionLanguageSelection(QAction* sender) {
    const std::array<QAction*, 7> actions = LanguageActions();
    int index = -1;
    for (size_t i = 0; i < actions.size(); ++i)
        if (actions[i] == sender)
            index = static_cast<int>(i);
    if (index < 0)
        return;
    // A checkable action is already toggled when it fires: the current language decides whether
    // anything changes, so re-choosing it neither re-captions nor writes the INI file.
    const QString lastUsedDir = FStore ? FStore->GetMainSettings().LastUsedDir : QString();
    if (index + 1 == FLanguageNumber) {
        CheckLanguageAction(index);
        return;
    }
    CheckLanguageAction(index);
    FLanguageNumber = index + 1;
    SetCurrentTexts(TextArrayForLanguage(FLanguageNumber));
    QtLanguage::Apply(CurrentTextArray());
    ApplyLanguageTexts();
    if (FStore)
        FStore->SetMainSettings(static_cast<std::int8_t>(FLanguageNumber), lastUsedDir);
}

void TMainform::ApplyLanguageTexts() {
    MenuFile->setTitle(Text(0));
    ActionOpen->setText(Text(1));
    ActionMultiDayAnalysis->setText(Text(2));
    ActionYieldOverview->setText(Text(TextYieldOverview));
    ActionYieldOverview->setToolTip(Text(TextYieldOverview));
    ActionClose->setText(Text(3));
    ActionSave->setText(Text(4));
    ActionPrint->setText(Text(5));
    ActionExportData->setText(Text(TextExportData));
    ActionCompare->setText(Text(TextCompareWith));
    ActionCompare->setToolTip(Text(TextCompareWith));
    ActionExit->setText(Text(6));
    MenuSettings->setTitle(Text(7));
    ActionDefaultSettings->setText(Text(8));
    ActionWindowSettings->setText(Text(9));
    ActionPlantProfile->setText(Text(TextProfileCommand));
    MenuLanguage->setTitle(Text(10));
    MenuWindow->setTitle(Text(11));
    ActionCascade->setText(Text(12));
    ActionTileHorizontal->setText(Text(13));
    ActionMinimizeAll->setText(Text(14));
    ActionAbout->setText(Text(15));
    for (TChildform* form : AnalysisWindows())
        form->ApplyTexts();
    if (YieldWindow != nullptr)
        YieldWindow->ApplyLanguageTexts();
}
