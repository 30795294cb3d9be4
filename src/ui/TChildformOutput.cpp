#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/Channels.h"
#include "output/ChartOutput.h"
#include "output/DataExport.h"
#include "output/PrinterChoice.h"
#include "ui/ChartImageCommand.h"
#include "ui/DataExportCommand.h"
#include "ui/Prompts.h"
#include "ui/analysis/AnalysisView.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QPrinter>

void TChildform::SaveChartImage() {
    RunChartImageSave(this, {*Chart, *Chart2, FSettings.ChartTitle}, FView->MonthMode,
                      FView->CurrentDate);
}

void TChildform::PrintCharts() {
    // Text sizes follow the layout's pixels only at the screen's resolution.
    QPrinter printer(QPrinter::ScreenResolution);
    PrinterChoice& kept = PrinterChoice::ForThisRun();
    kept.ApplyTo(printer);
    if (!CurrentPrompts().PrintDialog(this, printer))
        return;
    kept.TakeFrom(printer);
    const ChartPair charts{*Chart, *Chart2, FSettings.ChartTitle};
    // Nothing to print is said before a preview opens on an empty page.
    LayoutForPage(charts, printer.width(), printer.height());
    if (!CurrentPrompts().PrintPreview(this, printer,
                                       [&charts](QPrinter& page) { PrintChartPage(charts, page); }))
        return;
    PrintChartPage(charts, printer);
}

void TChildform::ExportData() {
    DataInView view;
    view.Data = AnalysisData.get();
    for (int channel = 0; channel < FileChannelCount; ++channel)
        if (IsChecked(channel))
            view.Channels.push_back(channel);
    view.From = Chart->Minimum(ChartAxis::Bottom);
    view.To = Chart->Maximum(ChartAxis::Bottom);
    view.ProposedName = ProposedExportName(FView->MonthMode, FView->CurrentDate);
    view.Reference = FReference->ExportColumns();
    RunDataExport(this, view);
}
