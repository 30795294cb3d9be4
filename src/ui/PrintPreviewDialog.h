#pragma once

#include <QDialog>

#include <functional>

class QPrinter;
class QPrintPreviewWidget;
class QPushButton;
class QToolButton;

// The page as it will be printed, with zoom and fit, and the choice to print it or not. The
// printer comes set up from the print dialog; printing itself is the caller's.
class PrintPreviewDialog : public QDialog {
    Q_OBJECT
public:
    PrintPreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paint,
                       QWidget* parent = nullptr);
    // Large enough to read the page, also after the dialog is fitted to its contents.
    QSize sizeHint() const override;

    QPrintPreviewWidget* Preview = nullptr;
    QToolButton* ButtonZoomIn = nullptr;
    QToolButton* ButtonZoomOut = nullptr;
    QToolButton* ButtonFitPage = nullptr;
    QPushButton* ButtonPrint = nullptr;
    QPushButton* ButtonCancel = nullptr;

private:
    std::function<void(QPrinter&)> FPaint;
};
