#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "output/ChartOutput.h"
#include "ui/Prompts.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPrinter>

void TChildform::SaveChartImage() {
    QString path = ProposedImageName(MonthMode, CurrentDate);
    if (!CurrentPrompts().ShowFileDialog(path, this, ChartImageFilter(), false,
                                         QStringLiteral("bmp"), QString()))
        return;
    // A typed name without extension is meant as a bitmap, whatever dialog asked for it.
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".bmp");
    SaveChartImages({*Chart, *Chart2, FSettings.ChartTitle}, path);
}

void TChildform::PrintCharts() {
    // Text sizes follow the layout's pixels only at the screen's resolution.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!CurrentPrompts().PrintDialog(this, printer))
        return;
    PrintChartPage({*Chart, *Chart2, FSettings.ChartTitle}, printer);
}
