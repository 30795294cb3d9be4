#include "ui/DataExportCommand.h"

#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "output/DataExport.h"
#include "output/OutputTexts.h"
#include "ui/Prompts.h"

#include <QApplication>
#include <QFileInfo>

namespace {

DataExportChoice& ChoiceOfThisRun() {
    static DataExportChoice choice;
    return choice;
}

// A year of data takes a moment: the cursor says so.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace

void RunDataExport(QWidget* owner, const DataInView& view) {
    if (view.Data == nullptr || !view.Data->HasData())
        return;
    DataExportChoice choice = ChoiceOfThisRun();
    if (!CurrentPrompts().ChooseDataExport(owner, choice))
        return;
    ChoiceOfThisRun() = choice;
    QString path = view.ProposedName;
    int filterIndex = 0;
    const QString filter = Text(TextCsvFiles) + QStringLiteral(" (*.csv)|*.csv");
    if (!CurrentPrompts().ShowSaveDialog(path, owner, filter, filterIndex))
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".csv");

    ExportRequest request;
    request.Format = choice.International ? ExportFormat::International : ExportFormat::Log;
    request.Channels = view.Channels;
    if (!choice.WholeAnalysis) {
        request.From = view.From;
        request.To = view.To;
    }
    DataExport data(*view.Data, request, view.Reference);
    {
        const BusyCursor busy;
        if (data.Build() > 0) {
            data.Save(path);
            return;
        }
    }
    CurrentPrompts().Message(PromptKind::Information, Text(TextExportNoData));
}
