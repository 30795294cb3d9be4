#pragma once

#include <QDialog>

class Platform;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// The About box: product and version, the freeware notice, the maker's address and two links.
// Made once and shown modally; every showing takes its texts from the current language.
class TDialogAbout : public QDialog {
    Q_OBJECT
public:
    static inline const QString AppName = QStringLiteral("Tarvex Solvista 1");
    // The one version of the build, as --version prints it.
    static QString VersionNumber();
    static inline const QString MailAddress = QStringLiteral("info@tarvex.example");
    static inline const QString WebAddress = QStringLiteral("https://www.tarvex.example");

    // Links open through `platform`, the system's unless a test passes another.
    explicit TDialogAbout(QWidget* parent = nullptr, Platform* platform = nullptr);

    void FormShow();
    void LabelMailToClick();
    void LabelWebLinkClick();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Key preview: Esc and Enter reach the form before any of its controls.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool FormKeyDown(int key);
    Platform& LinkPlatform() const;

    Platform* FPlatform;
    QLabel* TarvexLogo = nullptr;
    QLabel* LabelAppName = nullptr;
    QLabel* LabelVersion = nullptr;
    QPlainTextEdit* Disclaimer = nullptr;
    QLabel* LabelByOrderOf = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QLabel* LabelCountry = nullptr;
    QLabel* LabelMailTo = nullptr;
    QLabel* LabelWebLink = nullptr;
    QPushButton* OKBtn = nullptr;
};
