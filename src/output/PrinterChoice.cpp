#include "output/PrinterChoice.h"

PrinterChoice& PrinterChoice::ForThisRun() {
    static PrinterChoice choice;
    return choice;
}

void PrinterChoice::ApplyTo(QPrinter& printer) const {
    if (!FSet) {
        printer.setPageOrientation(QPageLayout::Landscape);
        return;
    }
    // The printer first: choosing one resets its page to that printer's default.
    if (FFormat == QPrinter::PdfFormat) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(FOutputFile);
    } else {
        printer.setPrinterName(FPrinterName);
    }
    printer.setPageLayout(FLayout);
    printer.setColorMode(FColorMode);
    printer.setCopyCount(FCopies);
}

void PrinterChoice::TakeFrom(const QPrinter& printer) {
    FSet = true;
    FFormat = printer.outputFormat();
    FPrinterName = printer.printerName();
    FOutputFile = printer.outputFileName();
    FLayout = printer.pageLayout();
    FColorMode = printer.colorMode();
    FCopies = printer.copyCount();
}
