#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "output/ScriptedPlatform.h"
#include "ui/CommandLine.h"
#include "ui/TDialogAbout.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class AboutDialogTest : public ::testing::Test {
protected:
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }
    QString LabelText(const char* name) {
        auto* label = Dialog.findChild<QLabel*>(QString::fromLatin1(name));
        EXPECT_NE(label, nullptr) << name;
        return label ? label->text() : QString();
    }
    QWidget* Child(const char* name) {
        auto* widget = Dialog.findChild<QWidget*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
    void Key(QWidget* target, int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
    }
    void Click(QWidget* target) {
        const QPointF at(2, 2);
        QMouseEvent press(QEvent::MouseButtonPress, at, target->mapToGlobal(at), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, target->mapToGlobal(at), Qt::LeftButton,
                            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &press);
        QApplication::sendEvent(target, &release);
    }

    ScriptedPlatform Os;
    TDialogAbout Dialog{nullptr, &Os};
};

} // namespace

TEST_F(AboutDialogTest, EveryShowingTakesTheCurrentLanguage) {
    SetCurrentTexts(TextArrayId::English);
    Dialog.show();
    EXPECT_EQ(Dialog.windowTitle(), "Info: Tarvex Solvista 1");
    EXPECT_EQ(LabelText("LabelAppName"), "Tarvex Solvista 1");
    EXPECT_EQ(LabelText("LabelVersion"), "Version " BUILT_VERSION);
    EXPECT_EQ(LabelText("LabelByOrderOf"), "By order of:");
    EXPECT_EQ(LabelText("LabelCountry"), "Germany");
    EXPECT_EQ(LabelText("LabelMailTo"), "info@tarvex.example");
    EXPECT_EQ(LabelText("LabelWebLink"), "https://www.tarvex.example");
    auto* notice = Dialog.findChild<QPlainTextEdit*>(QStringLiteral("Disclaimer"));
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(notice->toPlainText(), Text(TextLicence));
    EXPECT_EQ(Dialog.findChild<QPlainTextEdit*>(QStringLiteral("Memo1"))->blockCount(), 3);
    Dialog.hide();

    SetCurrentTexts(TextArrayId::French);
    Dialog.show();
    EXPECT_EQ(Dialog.windowTitle(), Text(15) + ": Tarvex Solvista 1");
    EXPECT_EQ(LabelText("LabelVersion"), Text(71) + " " BUILT_VERSION);
    EXPECT_EQ(LabelText("LabelCountry"), "Allemagne");
    EXPECT_EQ(LabelText("LabelByOrderOf"), Text(108));
    EXPECT_EQ(notice->toPlainText(), Text(TextLicence)) << "one text, not appended";
    Dialog.hide();
}

// The box states the program's real licence in every language, never the freeware notice the
// table still holds, and shows the version --version prints.
TEST_F(AboutDialogTest, TheBoxStatesTheLicenceAndTheBuildsVersion) {
    const QString notice = LanguageTexts(TextArrayId::English)[106];
    ASSERT_TRUE(notice.contains(QStringLiteral("freeware"))) << "the table keeps its text";
    for (auto id : {TextArrayId::German, TextArrayId::English, TextArrayId::French,
                    TextArrayId::Spanish, TextArrayId::Italian, TextArrayId::Portuguese}) {
        SetCurrentTexts(id);
        Dialog.show();
        const QString shown =
            Dialog.findChild<QPlainTextEdit*>(QStringLiteral("Disclaimer"))->toPlainText();
        EXPECT_TRUE(shown.contains(QStringLiteral("GNU"))) << static_cast<int>(id);
        EXPECT_TRUE(shown.contains(QStringLiteral("gpl-3.0"))) << static_cast<int>(id);
        EXPECT_TRUE(shown.contains(QStringLiteral("LICENSE"))) << static_cast<int>(id);
        EXPECT_FALSE(shown.contains(QStringLiteral("reeware"), Qt::CaseInsensitive))
            << static_cast<int>(id);
        EXPECT_FALSE(shown.contains(Text(106).left(20))) << static_cast<int>(id);
        EXPECT_TRUE(LabelText("LabelVersion").endsWith(QStringLiteral(" ") + BUILT_VERSION));
        Dialog.hide();
    }
    EXPECT_EQ(CommandLine::VersionText(), QStringLiteral("Solvista " BUILT_VERSION "\n"));
}

TEST_F(AboutDialogTest, EscAndEnterCloseWithOkEvenFromTheNotice) {
    for (int key : {int(Qt::Key_Escape), int(Qt::Key_Return), int(Qt::Key_Enter)}) {
        Dialog.setResult(QDialog::Rejected);
        Dialog.show();
        ASSERT_TRUE(Dialog.isVisible());
        Key(Child("Disclaimer"), key);
        EXPECT_FALSE(Dialog.isVisible()) << key;
        EXPECT_EQ(Dialog.result(), QDialog::Accepted) << key;
    }
    Dialog.show();
    Key(Child("OKBtn"), Qt::Key_A);
    EXPECT_TRUE(Dialog.isVisible()) << "other keys do nothing";
    Dialog.hide();
}

TEST_F(AboutDialogTest, LinksOpenMailAndBrowserAndAFailureKeepsTheBoxOpen) {
    Dialog.show();
    Os.DocumentOpens = false;
    Click(Child("LabelMailTo"));
    Click(Child("LabelWebLink"));
    EXPECT_EQ(Os.DocumentsOpened,
              (QStringList{"mailto:info@tarvex.example", "https://www.tarvex.example"}));
    EXPECT_TRUE(Dialog.isVisible());
    Click(Child("LabelAppName"));
    EXPECT_EQ(Os.DocumentsOpened.size(), 2);
    Dialog.hide();
}
