#include "ui/TChildform.h"

#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "logdata/TAnalysisData.h"
#include "output/SpreadsheetHandOver.h"
#include "settings/SettingsStore.h"
#include "ui/WindowHandOverPrompts.h"
#include "ui/analysis/AnalysisView.h"

void TChildform::ActionOpenExcelExecute() {
    if (!AnalysisData || !AnalysisData->HasData())
        return;
    // Without a store the language whose texts are showing decides.
    const TextArrayId language =
        FStore ? TextArrayForLanguage(FStore->GetMainSettings().Language) : CurrentTextArray();
    const QString path = AnalysisData->GetDayFileName(static_cast<unsigned>(FView->DayIndex));
    WindowHandOverPrompts prompts(this);
    HandOverToSpreadsheet(path, language == TextArrayId::English, FStore,
                          FOutputPlatform ? *FOutputPlatform : Platform::System(), prompts);
}
