#include "ui/PrintPreviewDialog.h"

#include "core/LanguageTexts.h"
#include "output/OutputTexts.h"
#include "ui/ErrorBoundary.h"

#include <QHBoxLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int TextPrint = 5;
constexpr int TextCancel = 44;
} // namespace

PrintPreviewDialog::PrintPreviewDialog(QPrinter& printer, std::function<void(QPrinter&)> paint,
                                       QWidget* parent)
    : QDialog(parent), FPaint(std::move(paint)) {
    setObjectName(QStringLiteral("PrintPreviewDialog"));
    setWindowTitle(Text(TextPrintPreview));
    Preview = new QPrintPreviewWidget(&printer, this);
    Preview->setObjectName(QStringLiteral("Preview"));
    Preview->setZoomMode(QPrintPreviewWidget::FitInView);
    // The preview asks for the page from inside Qt: an error is reported, never thrown through.
    connect(Preview, &QPrintPreviewWidget::paintRequested, this,
            GuardedSlot([this](QPrinter* page) { FPaint(*page); }));

    const auto tool = [this](const char* name, const QString& caption) {
        auto* button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setText(caption);
        button->setAutoRaise(true);
        return button;
    };
    ButtonZoomIn = tool("ButtonZoomIn", QStringLiteral("+"));
    ButtonZoomIn->setShortcut(QKeySequence::ZoomIn);
    ButtonZoomOut = tool("ButtonZoomOut", QStringLiteral("\u2212"));
    ButtonZoomOut->setShortcut(QKeySequence::ZoomOut);
    ButtonFitPage = tool("ButtonFitPage", QStringLiteral("\u2922"));
    connect(ButtonZoomIn, &QToolButton::clicked, Preview, [this] { Preview->zoomIn(); });
    connect(ButtonZoomOut, &QToolButton::clicked, Preview, [this] { Preview->zoomOut(); });
    connect(ButtonFitPage, &QToolButton::clicked, Preview, &QPrintPreviewWidget::fitInView);

    ButtonPrint = new QPushButton(Text(TextPrint), this);
    ButtonPrint->setObjectName(QStringLiteral("ButtonPrint"));
    ButtonPrint->setDefault(true);
    ButtonCancel = new QPushButton(Text(TextCancel), this);
    ButtonCancel->setObjectName(QStringLiteral("ButtonCancel"));
    connect(ButtonPrint, &QPushButton::clicked, this, &QDialog::accept);
    connect(ButtonCancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* row = new QHBoxLayout;
    row->addWidget(ButtonZoomIn);
    row->addWidget(ButtonZoomOut);
    row->addWidget(ButtonFitPage);
    row->addStretch(1);
    row->addWidget(ButtonPrint);
    row->addWidget(ButtonCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Preview, 1);
    layout->addLayout(row);
    resize(sizeHint());
    ButtonPrint->setFocus();
}

QSize PrintPreviewDialog::sizeHint() const {
    QSize size(900, 680);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableSize() * 9 / 10);
    return size;
}
