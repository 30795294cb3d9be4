#include "ui/TDialogAbout.h"

#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "ui/ErrorBoundary.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSvgRenderer>
#include <QVBoxLayout>

#include <initializer_list>

#ifndef SOLVISTA_VERSION
#define SOLVISTA_VERSION "0"
#endif

namespace {

constexpr int TextInfo = 15;
constexpr int TextVersion = 71;
constexpr int TextByOrderOf = 108;
constexpr int TextCountry = 109;

const QString MakerAddress = QStringLiteral("Tarvex Regeltechnik GmbH\n"
                                            "Lindenallee 27\n"
                                            "D-79112 Freiburg-Sonnhalde");

QLabel* MakeLabel(QWidget* parent, const char* name, bool rightAligned) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    label->setFont(font);
    if (rightAligned)
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

QPlainTextEdit* MakeMemo(QWidget* parent, const char* name) {
    auto* memo = new QPlainTextEdit(parent);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setFrameShape(QFrame::NoFrame);
    memo->setFocusPolicy(Qt::NoFocus);
    memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The window colour, so the memo reads as part of the form.
    QPalette palette = memo->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Window));
    memo->setPalette(palette);
    return memo;
}

QPixmap LogoPixmap(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/logo/TarvexLogo.svg"));
    if (renderer.isValid()) {
        QPainter painter(&pixmap);
        renderer.render(&painter);
    }
    return pixmap;
}

void MakeLink(QLabel* label) {
    QFont font = label->font();
    font.setUnderline(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::Link));
    label->setPalette(palette);
    label->setCursor(Qt::PointingHandCursor);
}

} // namespace

TDialogAbout::TDialogAbout(QWidget* parent, Platform* platform)
    : QDialog(parent), FPlatform(platform) {
    setObjectName(QStringLiteral("TDialogAbout"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(470, 399);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    setPalette(palette);

    TarvexLogo = new QLabel(this);
    TarvexLogo->setObjectName(QStringLiteral("TarvexLogo"));
    TarvexLogo->setFixedSize(140, 46);
    TarvexLogo->setPixmap(LogoPixmap(TarvexLogo->size()));
    LabelAppName = MakeLabel(this, "LabelAppName", true);
    QFont nameFont = LabelAppName->font();
    nameFont.setBold(true);
    nameFont.setPixelSize(16);
    LabelAppName->setFont(nameFont);
    LabelVersion = MakeLabel(this, "LabelVersion", true);
    Disclaimer = MakeMemo(this, "Disclaimer");
    Disclaimer->setFixedSize(460, 193);
    LabelByOrderOf = MakeLabel(this, "LabelByOrderOf", false);
    Memo1 = MakeMemo(this, "Memo1");
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFixedHeight(3 * Memo1->fontMetrics().lineSpacing() + 10);
    Memo1->setPlainText(MakerAddress);
    LabelCountry = MakeLabel(this, "LabelCountry", false);
    LabelMailTo = MakeLabel(this, "LabelMailTo", false);
    LabelWebLink = MakeLabel(this, "LabelWebLink", false);
    MakeLink(LabelMailTo);
    MakeLink(LabelWebLink);
    OKBtn = new QPushButton(QStringLiteral("&OK"), this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    OKBtn->setDefault(true);
    OKBtn->setAutoDefault(true);
    connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(5, 8, 5, 8);
    column->setSpacing(4);
    auto* head = new QHBoxLayout;
    head->addWidget(TarvexLogo, 0, Qt::AlignTop);
    auto* names = new QVBoxLayout;
    names->addWidget(LabelAppName);
    names->addWidget(LabelVersion);
    head->addLayout(names, 1);
    column->addLayout(head);
    column->addWidget(Disclaimer);
    column->addWidget(LabelByOrderOf);
    column->addWidget(Memo1);
    column->addWidget(LabelCountry);
    auto* links = new QHBoxLayout;
    auto* linkColumn = new QVBoxLayout;
    linkColumn->addWidget(LabelMailTo);
    linkColumn->addWidget(LabelWebLink);
    links->addLayout(linkColumn, 1);
    links->addWidget(OKBtn, 0, Qt::AlignBottom);
    column->addLayout(links);

    for (QWidget* child :
         std::initializer_list<QWidget*>{Disclaimer, Memo1, OKBtn, LabelMailTo, LabelWebLink})
        child->installEventFilter(this);
}

QString TDialogAbout::VersionNumber() { return QStringLiteral(SOLVISTA_VERSION); }

Platform& TDialogAbout::LinkPlatform() const { return FPlatform ? *FPlatform : Platform::System(); }

void TDialogAbout::FormShow() {
    LabelAppName->setText(AppName);
    LabelMailTo->setText(MailAddress);
    LabelWebLink->setText(WebAddress);
    setWindowTitle(Text(TextInfo) + QStringLiteral(": ") + AppName);
    LabelVersion->setText(Text(TextVersion) + QLatin1Char(' ') + VersionNumber());
    Disclaimer->clear();
    // The program's real licence; the table's freeware notice would misstate the user's rights.
    Disclaimer->appendPlainText(Text(TextLicence));
    Disclaimer->moveCursor(QTextCursor::Start);
    LabelByOrderOf->setText(Text(TextByOrderOf));
    LabelCountry->setText(Text(TextCountry));
}

void TDialogAbout::LabelMailToClick() {
    // A failing mail program leaves the box open; nothing to report.
    LinkPlatform().OpenDocument(QStringLiteral("mailto:") + MailAddress);
}

void TDialogAbout::LabelWebLinkClick() { LinkPlatform().OpenDocument(WebAddress); }

void TDialogAbout::showEvent(QShowEvent* event) {
    Guarded([this] { FormShow(); });
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    QDialog::showEvent(event);
}

bool TDialogAbout::FormKeyDown(int key) {
    if (key == Qt::Key_Escape) {
        accept();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        OKBtn->click();
        return true;
    }
    return false;
}

void TDialogAbout::keyPressEvent(QKeyEvent* event) {
    if (!FormKeyDown(event->key()))
        QDialog::keyPressEvent(event);
}

bool TDialogAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress)
        return FormKeyDown(static_cast<QKeyEvent*>(event)->key());
    if (event->type() == QEvent::MouseButtonRelease) {
        // Links are plain labels; a click on one follows it.
        if (watched == LabelMailTo)
            Guarded([this] { LabelMailToClick(); });
        else if (watched == LabelWebLink)
            Guarded([this] { LabelWebLinkClick(); });
    }
    return QDialog::eventFilter(watched, event);
}
