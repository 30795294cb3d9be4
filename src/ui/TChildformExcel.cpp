#include "ui/TChildform.h"

#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "logdata/TAnalysisData.h"
#include "output/SpreadsheetHandOver.h"
#include "settings/SettingsStore.h"
#include "ui/Prompts.h"
#include "ui/analysis/AnalysisView.h"

namespace {

// The hand-over's questions as the window's prompts.
class WindowHandOverPrompts final : public HandOverPrompts {
public:
    explicit WindowHandOverPrompts(QWidget* owner) : FOwner(owner) {}
    void Inform(const QString& text, const QString& caption) override {
        CurrentPrompts().Message(PromptKind::Information, text, caption);
    }
    void Fail(const QString& text, const QString& caption) override {
        CurrentPrompts().Message(PromptKind::Error, text, caption);
    }
    bool PickProgram(QString& path, const QString& filter, const QString& initialFolder) override {
        // Programs here carry no extension, so none is added to what the user picks.
        return CurrentPrompts().ShowFileDialog(path, FOwner, filter, true, QString(),
                                               initialFolder);
    }

private:
    QWidget* FOwner;
};

} // namespace

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
