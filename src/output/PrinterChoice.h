#pragma once

#include <QPageLayout>
#include <QPrinter>
#include <QString>

// The printer, paper and orientation the user chose in the print dialog, kept for the rest of the
// run so that the next print starts where the last one left off. Nothing of it is saved.
class PrinterChoice {
public:
    // The one choice of this run.
    static PrinterChoice& ForThisRun();

    // Puts the kept choice on `printer`; before any choice, a landscape page.
    void ApplyTo(QPrinter& printer) const;
    // Keeps what the dialog left on `printer`.
    void TakeFrom(const QPrinter& printer);
    bool IsSet() const { return FSet; }
    void Forget() { *this = PrinterChoice(); }

private:
    bool FSet = false;
    QPrinter::OutputFormat FFormat = QPrinter::NativeFormat;
    QString FPrinterName;
    QString FOutputFile;
    QPageLayout FLayout;
    QPrinter::ColorMode FColorMode = QPrinter::Color;
    int FCopies = 1;
};
