#include "core/FileTexts.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "settings/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"
#include "ui/TDialogSettings.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

const QString InvalidLineWidth =
    QStringLiteral("Invalid line thickness. Please enter a number between 1 and 99.");
const QString YAxisFigures =
    QStringLiteral("Please only enter the value of the Y-axis in figures.");
const QString EnterIdentifier = QStringLiteral("Please enter an identifier.");

class SettingsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        ASSERT_TRUE(Temp.isValid());
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Temp.filePath(QStringLiteral("config"));
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QLineEdit* Edit(const char* name) {
        auto* edit = Dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(edit, nullptr) << name;
        return edit;
    }
    template <typename T> T* Find(const char* name) {
        T* found = Dialog.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Shows the dialog non-modally, as a caller's exec would, with `settings` loaded.
    void Open(const WindowSettings& settings = WindowSettings::FactoryDefaults()) {
        Dialog.SetSettings(settings);
        Dialog.show();
        ASSERT_TRUE(Dialog.isVisible());
    }
    // Presses OK expecting an error box; returns its text.
    QString PressOkFailing() {
        const size_t before = Prompts.AskedPrompts().size();
        Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
        Dialog.OKBtn->click();
        EXPECT_TRUE(Dialog.isVisible());
        return Prompts.AskedPrompts().size() > before ? Prompts.AskedPrompts().back().Text
                                                      : QStringLiteral("<no error>");
    }
    // Presses OK expecting no error (an error box fails the test); true when it closed with OK.
    bool PressOk() {
        Dialog.OKBtn->click();
        return !Dialog.isVisible() && Dialog.result() == QDialog::Accepted;
    }
    // Runs `steps` while the dialog is shown modally by a flow; they must close it.
    void WhileShown(std::function<void()> steps) {
        QTimer::singleShot(0, &Dialog, [this, steps] {
            steps();
            if (Dialog.isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                Dialog.CancelBtnClick();
            }
        });
    }
    std::unique_ptr<SettingsStore> MakeStore() { return std::make_unique<SettingsStore>(Os); }
    QString IniPath() const { return Temp.filePath(QStringLiteral("config/Tarvex/Solvista.ini")); }

    QTemporaryDir Temp;
    FakePlatform Os;
    ScriptedPrompts Prompts;
    TDialogSettings Dialog;
};

} // namespace

TEST_F(SettingsDialogTest, ShowingFillsControlsAndCaptionsFromTheWorkingCopy) {
    WindowSettings s = WindowSettings::FactoryDefaults();
    s.ChartTitle = QStringLiteral("Plant A");
    s.LineWidth = 7;
    s.AxisMin = -3;
    s.AxisMax = 90;
    s.DynamicScaling = false;
    s.Labels[SlotPower] = QStringLiteral("Heat");
    s.Colors[SlotVolume] = 0x00FF0000; // blue
    s.OthersShowBars = false;
    s.RShowBars = true;
    Open(s);
    EXPECT_EQ(Dialog.windowTitle(), QStringLiteral("Settings"));
    EXPECT_EQ(Dialog.size(), QSize(557, 523));
    EXPECT_EQ(Edit("EditOutputHeadline")->text(), QStringLiteral("Plant A"));
    EXPECT_EQ(Edit("EditLineWidth")->text(), QStringLiteral("7"));
    EXPECT_TRUE(Dialog.RadioAxisFixed->isChecked());
    EXPECT_EQ(Edit("EditYMin")->text(), QStringLiteral("-3"));
    EXPECT_EQ(Edit("EditYMax")->text(), QStringLiteral("90"));
    EXPECT_EQ(Edit("EditPower")->text(), QStringLiteral("Heat"));
    EXPECT_EQ(Edit("EditVolume")->text(), QStringLiteral("Sum of flow rate"));
    EXPECT_EQ(Edit("EditT1")->text(), QStringLiteral("Temperature sensor 1"));
    EXPECT_EQ(Find<QFrame>("ColorVolume")->palette().color(QPalette::Window), QColor(0, 0, 255));
    EXPECT_EQ(Find<QFrame>("ColorPower")->palette().color(QPalette::Window), QColor(0, 255, 0x40));
    EXPECT_TRUE(Dialog.RadioOthersShowLines->isChecked());
    EXPECT_TRUE(Dialog.RadioRShowBars->isChecked());
    EXPECT_EQ(Dialog.GroupBoxOthers->title(), QStringLiteral("Other measured values "));
    EXPECT_EQ(Find<QLabel>("LabelHeader")->text(), QStringLiteral("Graphic and display options:"));
    EXPECT_EQ(Find<QLabel>("LabelEnergy")->text(), QStringLiteral("Sum of energy"));
    EXPECT_EQ(Dialog.OKBtn->text(), QStringLiteral("OK"));
    EXPECT_TRUE(Dialog.OKBtn->isDefault());
    EXPECT_EQ(Edit("EditLineWidth")->maxLength(), 2);
    Dialog.CancelBtnClick();
}

TEST_F(SettingsDialogTest, LineWidthIsCheckedFirstThenTheAxisThenTheLabelsInScreenOrder) {
    Open();
    Edit("EditYMin")->setText(QStringLiteral("1.5"));
    Edit("EditPower")->clear();
    Edit("EditVolume")->clear();
    Edit("EditEnergy")->clear();
    Edit("EditLineWidth")->setText(QStringLiteral("ab"));
    Edit("EditOutputHeadline")->setFocus();
    const QLineEdit* before = Edit("EditOutputHeadline");
    EXPECT_EQ(PressOkFailing(), QStringLiteral("'ab' ist kein gültiger Integerwert"));
    EXPECT_EQ(Dialog.focusWidget(), before);

    for (const char* bad : {"0", "-5"}) {
        Edit("EditOutputHeadline")->setFocus();
        Edit("EditLineWidth")->setText(QString::fromLatin1(bad));
        EXPECT_EQ(PressOkFailing(), InvalidLineWidth) << bad;
        EXPECT_EQ(Dialog.focusWidget(), Edit("EditLineWidth")) << bad;
    }
    Edit("EditLineWidth")->setText(QStringLiteral("99"));
    Edit("EditOutputHeadline")->setFocus();
    EXPECT_EQ(PressOkFailing(), YAxisFigures);
    EXPECT_EQ(Dialog.focusWidget(), Edit("EditOutputHeadline"));
    Edit("EditYMin")->setText(QStringLiteral("10"));
    Edit("EditYMax")->setText(QStringLiteral("x"));
    EXPECT_EQ(PressOkFailing(), YAxisFigures);

    Edit("EditYMax")->setText(QStringLiteral("5"));
    EXPECT_EQ(PressOkFailing(), EnterIdentifier);
    EXPECT_EQ(Dialog.focusWidget(), Edit("EditPower")); // Power is checked before Volume
    Edit("EditPower")->setText(QStringLiteral("P"));
    EXPECT_EQ(PressOkFailing(), EnterIdentifier);
    EXPECT_EQ(Dialog.focusWidget(), Edit("EditVolume"));
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Dialog.GetSettings(), WindowSettings::FactoryDefaults()); // nothing committed

    Edit("EditVolume")->setText(QStringLiteral(" "));
    Edit("EditEnergy")->setText(QStringLiteral("E"));
    Edit("EditLineWidth")->setText(QStringLiteral("1"));
    EXPECT_TRUE(PressOk());
    const WindowSettings got = Dialog.GetSettings();
    EXPECT_EQ(got.LineWidth, 1);
    EXPECT_EQ(got.AxisMin, 10); // an inverted range is taken as it stands
    EXPECT_EQ(got.AxisMax, 5);
    EXPECT_EQ(got.Labels[SlotPower], QStringLiteral("P"));
    EXPECT_EQ(got.Labels[SlotVolume], QStringLiteral(" "));
    EXPECT_EQ(got.Labels[SlotEnergy], QStringLiteral("E"));
    EXPECT_EQ(got.Labels[SlotT1], DefaultLabel);
}

TEST_F(SettingsDialogTest, OwnChannelNameIsStoredAsDefaultLabelButOnlyInTheSameCase) {
    WindowSettings s = WindowSettings::FactoryDefaults();
    Open(s);
    Edit("EditT2")->setText(QStringLiteral("temperature sensor 2"));
    Edit("EditFlow")->setText(QStringLiteral("Flow rate"));
    Edit("EditR3")->setText(QStringLiteral("Boiler pump"));
    Dialog.RadioAxisFixed->setChecked(true);
    Dialog.RadioOthersShowLines->setChecked(true);
    Edit("EditOutputHeadline")->setText(QStringLiteral("Roof"));
    ASSERT_TRUE(PressOk());
    const WindowSettings got = Dialog.GetSettings();
    EXPECT_EQ(got.Labels[SlotT2], QStringLiteral("temperature sensor 2"));
    EXPECT_EQ(got.Labels[SlotFlow], DefaultLabel);
    EXPECT_EQ(got.Labels[SlotR3], QStringLiteral("Boiler pump"));
    EXPECT_FALSE(got.DynamicScaling);
    EXPECT_FALSE(got.OthersShowBars);
    EXPECT_EQ(got.ChartTitle, QStringLiteral("Roof"));

    // A stored default label follows the language; a typed name does not.
    SetCurrentTexts(TextArrayId::German);
    Open(got);
    EXPECT_EQ(Edit("EditFlow")->text(), Text(63));
    EXPECT_NE(Text(63), QStringLiteral("Flow rate"));
    EXPECT_EQ(Edit("EditR3")->text(), QStringLiteral("Boiler pump"));
    EXPECT_EQ(Dialog.windowTitle(), Text(7));
    Dialog.CancelBtnClick();
}

TEST_F(SettingsDialogTest, DefaultFillsFactoryValuesWithNamesThatOkTurnsIntoDefaultLabels) {
    WindowSettings s = WindowSettings::FactoryDefaults();
    s.LineWidth = 9;
    s.Labels.fill(QStringLiteral("x"));
    s.Colors.fill(0x123456);
    s.RShowBars = true;
    Open(s);
    Dialog.DefaultButton->click();
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Edit("EditLineWidth")->text(), QStringLiteral("2"));
    EXPECT_EQ(Edit("EditPower")->text(), QStringLiteral("Thermal output"));
    EXPECT_EQ(Edit("EditVolume")->text(), QStringLiteral("Sum of flow rate"));
    // The names themselves are committed, not the placeholder.
    EXPECT_EQ(Dialog.GetSettings().Labels[SlotPower], QStringLiteral("Thermal output"));
    EXPECT_EQ(Dialog.GetSettings().Labels[SlotVolume], QStringLiteral("Sum of flow rate"));
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(Dialog.GetSettings(), WindowSettings::FactoryDefaults());
}

TEST_F(SettingsDialogTest, CancelEscAndCloseRestoreTheWorkingCopyAndOnlyOkAccepts) {
    WindowSettings s = WindowSettings::FactoryDefaults();
    s.Colors[SlotT3] = 0x000000FF;
    Open(s);
    Prompts.ExpectColor(0x00ABCDEF);
    Dialog.SelectColor(SlotT3);
    EXPECT_EQ(Dialog.WorkingSettings().Colors[SlotT3], 0x00ABCDEFu);
    QKeyEvent esc(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Dialog, &esc);
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Rejected);
    EXPECT_EQ(Dialog.WorkingSettings(), s);

    Open(s);
    Prompts.ExpectColor(0x00ABCDEF);
    Dialog.SelectColor(SlotT3);
    Dialog.close();
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.WorkingSettings(), s);

    Open(s);
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(Edit("EditT1"), &enter);
    EXPECT_FALSE(Dialog.isVisible());
    EXPECT_EQ(Dialog.result(), QDialog::Accepted);

    // accept() from elsewhere still runs every check.
    Open(s);
    Edit("EditT1")->clear();
    Prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    Dialog.accept();
    EXPECT_TRUE(Dialog.isVisible());
    EXPECT_EQ(Prompts.AskedPrompts().back().Text, EnterIdentifier);
    Dialog.CancelBtnClick();
}

TEST_F(SettingsDialogTest, SwatchOpensPickerWithScreenOrderCustomColoursAndKeepsColourOnCancel) {
    const WindowSettings s = WindowSettings::FactoryDefaults();
    Open(s);
    auto* swatch = Find<QFrame>("ColorVolume");
    Prompts.ExpectColor(std::nullopt);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(swatch, &press);
    QApplication::sendEvent(swatch, &release);
    ASSERT_EQ(Prompts.AskedColors().size(), 1u);
    const auto& asked = Prompts.AskedColors().front();
    EXPECT_EQ(asked.Owner, &Dialog);
    EXPECT_EQ(asked.Initial, s.Colors[SlotVolume]);
    // Power before Volume on screen, black last.
    const Prompts::CustomColors expected = {255,   16711680, 8388863, 32768,   33023,    679542,
                                            0,     16744448, 4259584, 8388736, 16711935, 16711680,
                                            32768, 0,        255,     0};
    EXPECT_EQ(asked.Custom, expected);
    EXPECT_EQ(Dialog.WorkingSettings().Colors[SlotVolume], s.Colors[SlotVolume]);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), ColorFromRef(s.Colors[SlotVolume]));

    Prompts.ExpectColor(0x0000FF00);
    QApplication::sendEvent(swatch, &release);
    EXPECT_EQ(Dialog.WorkingSettings().Colors[SlotVolume], 0x0000FF00u);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(0, 255, 0));
    // The next picker offers the colour just chosen among the custom ones.
    Prompts.ExpectColor(std::nullopt);
    Dialog.SelectColor(SlotR1);
    EXPECT_EQ(Prompts.AskedColors().back().Custom[9], 0x0000FF00u);
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(Dialog.GetSettings().Colors[SlotVolume], 0x0000FF00u);
    EXPECT_EQ(Dialog.GetSettings().Colors[SlotPower], s.Colors[SlotPower]);
}

TEST_F(SettingsDialogTest, UpDownStepsTheLineWidthWithinItsRangeWithoutWrapping) {
    WindowSettings s = WindowSettings::FactoryDefaults();
    s.LineWidth = 98;
    Open(s);
    auto* up = Find<QToolButton>("UpDownLineWidthUp");
    auto* down = Find<QToolButton>("UpDownLineWidthDown");
    up->click();
    up->click();
    EXPECT_EQ(Edit("EditLineWidth")->text(), QStringLiteral("99"));
    Edit("EditLineWidth")->setText(QStringLiteral("2"));
    down->click();
    down->click();
    EXPECT_EQ(Edit("EditLineWidth")->text(), QStringLiteral("1"));
    Dialog.CancelBtnClick();
}

TEST_F(SettingsDialogTest, NewWindowsSavesThroughTheStoreAndAsksOnlyWithWindowsOpen) {
    auto store = MakeStore();
    WhileShown([this] {
        Edit("EditOutputHeadline")->setText(QStringLiteral("Saved"));
        Dialog.OKBtn->click();
    });
    EditNewWindowSettings(Dialog, store.get(), {});
    EXPECT_EQ(store->GetNewWindowSettings().ChartTitle, QStringLiteral("Saved"));
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    QFile ini(IniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    EXPECT_TRUE(ini.readAll().contains("ChartTitle=Saved\r\n"));

    TChildform first(nullptr, *store, store->GetNewWindowSettings());
    TChildform second(nullptr, *store, store->GetNewWindowSettings());
    // Default then Cancel: the caller adopts nothing.
    WhileShown([this] {
        EXPECT_EQ(Edit("EditOutputHeadline")->text(), QStringLiteral("Saved"));
        Dialog.DefaultButton->click();
        Dialog.CancelBtn->click();
    });
    EditNewWindowSettings(Dialog, store.get(), {&first, &second});
    EXPECT_EQ(store->GetNewWindowSettings().ChartTitle, QStringLiteral("Saved"));
    EXPECT_TRUE(Prompts.AskedPrompts().empty());

    WhileShown([this] {
        Edit("EditLineWidth")->setText(QStringLiteral("5"));
        Dialog.OKBtn->click();
    });
    Prompts.Expect(PromptKind::Question, PromptAnswer::No);
    EditNewWindowSettings(Dialog, store.get(), {&first, &second});
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text,
              QStringLiteral("Settings have been saved. Should these settings be adopted for all "
                             "analyses currently open?"));
    EXPECT_EQ(Prompts.AskedPrompts()[0].Caption, QStringLiteral("Question"));
    EXPECT_EQ(store->GetNewWindowSettings().LineWidth, 5);
    EXPECT_EQ(first.Settings().LineWidth, 2);

    WhileShown([this] {
        Edit("EditLineWidth")->setText(QStringLiteral("6"));
        Dialog.OKBtn->click();
    });
    Prompts.Expect(PromptKind::Question, PromptAnswer::Yes);
    EditNewWindowSettings(Dialog, store.get(), {&first, &second});
    EXPECT_EQ(first.Settings().LineWidth, 6);
    EXPECT_EQ(second.Settings(), store->GetNewWindowSettings());
}

TEST_F(SettingsDialogTest, NewWindowsWithAnUnusableIniStillOffersTheValuesToOpenWindows) {
    auto store = MakeStore();
    ASSERT_TRUE(QDir(Temp.filePath(QStringLiteral("config"))).removeRecursively());
    EXPECT_THROW(store->SetExcelPath(QStringLiteral("/x")), std::exception);
    ASSERT_FALSE(store->IsIniWritable());
    TChildform form(nullptr, *store, store->GetNewWindowSettings());
    WhileShown([this] {
        Edit("EditLineWidth")->setText(QStringLiteral("4"));
        Dialog.OKBtn->click();
    });
    Prompts.Expect(PromptKind::Question, PromptAnswer::Yes);
    EditNewWindowSettings(Dialog, store.get(), {&form});
    EXPECT_EQ(store->GetNewWindowSettings().LineWidth, 2); // not even in memory
    EXPECT_EQ(form.Settings().LineWidth, 4);
    EXPECT_FALSE(QFile::exists(IniPath()));
}

TEST_F(SettingsDialogTest, NewWindowsEndsAtAFailedSaveWithoutTheQuestion) {
    auto store = MakeStore();
    store->SetExcelPath(QStringLiteral("/e")); // the file exists
    Os.ReadOnlyFiles.insert(IniPath());
    TChildform form(nullptr, *store, store->GetNewWindowSettings());
    WhileShown([this] {
        Edit("EditLineWidth")->setText(QStringLiteral("8"));
        Dialog.OKBtn->click();
    });
    QString error;
    try {
        EditNewWindowSettings(Dialog, store.get(), {&form});
    } catch (const std::exception& e) {
        error = QString::fromUtf8(e.what());
    }
    EXPECT_EQ(error, Text(95) + "\n\n" + Text(TextFileAccessDenied));
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
    EXPECT_EQ(store->GetNewWindowSettings().LineWidth, 8); // memory follows all the same
    EXPECT_EQ(form.Settings().LineWidth, 2);
}

TEST_F(SettingsDialogTest, WindowSettingsApplyThenOfferToSaveWhenTheStoreIsWritable) {
    auto store = MakeStore();
    WindowSettings own = WindowSettings::FactoryDefaults();
    own.ChartTitle = QStringLiteral("Own");
    TChildform form(nullptr, *store, own);

    // The window's command runs through the dialog made at start-up.
    ASSERT_EQ(TDialogSettings::Instance(), &Dialog);
    WhileShown([this] {
        EXPECT_EQ(Edit("EditOutputHeadline")->text(), QStringLiteral("Own"));
        Edit("EditLineWidth")->setText(QStringLiteral("3"));
        Dialog.OKBtn->click();
    });
    Prompts.Expect(PromptKind::Question, PromptAnswer::No);
    form.ActionOpenSettings->trigger();
    EXPECT_EQ(form.Settings().LineWidth, 3);
    ASSERT_EQ(Prompts.AskedPrompts().size(), 1u);
    EXPECT_EQ(Prompts.AskedPrompts()[0].Text,
              QStringLiteral("Settings have been adopted. Should these settings also be saved for "
                             "future analyses?"));
    EXPECT_EQ(Prompts.AskedPrompts()[0].Caption, QStringLiteral("Question:"));
    EXPECT_EQ(store->GetNewWindowSettings(), WindowSettings::FactoryDefaults());
    EXPECT_FALSE(QFile::exists(IniPath()));

    WhileShown([this] { Dialog.OKBtn->click(); });
    Prompts.Expect(PromptKind::Question, PromptAnswer::Yes);
    EditWindowSettings(Dialog, form);
    EXPECT_EQ(store->GetNewWindowSettings(), form.Settings());
    EXPECT_EQ(SettingsStore(Os).GetNewWindowSettings().ChartTitle, QStringLiteral("Own"));

    // Default then Cancel changes nothing and asks nothing.
    WhileShown([this] {
        Dialog.DefaultButton->click();
        Dialog.CancelBtn->click();
    });
    EditWindowSettings(Dialog, form);
    EXPECT_EQ(form.Settings().ChartTitle, QStringLiteral("Own"));
    EXPECT_EQ(Prompts.AskedPrompts().size(), 2u);
}

TEST_F(SettingsDialogTest, WindowWithoutAStoreAppliesAndAsksNothing) {
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    WhileShown([this] {
        Dialog.RadioRShowBars->setChecked(true);
        Dialog.OKBtn->click();
    });
    EditWindowSettings(Dialog, form);
    EXPECT_TRUE(form.Settings().RShowBars);
    EXPECT_TRUE(Prompts.AskedPrompts().empty());
}

// The channels ticked on opening are typed by their short names; a name the panel does not know
// is refused with the form expected, and what is kept reads as the panel names it.
TEST_F(SettingsDialogTest, OpeningChannelsAreKeptByThePanelsNames) {
    SetCurrentTexts(TextArrayId::English);
    WindowSettings s = WindowSettings::FactoryDefaults();
    s.OpenChannels = QStringLiteral("T2,Power");
    Open(s);
    QLineEdit* edit = Edit("EditOpenChannels");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text(), QStringLiteral("T2,Power"));
    EXPECT_EQ(Find<QLabel>("LabelOpenChannels")->text(), Text(TextOpenChannels) + ":");
    edit->setText(QStringLiteral("r1 t1, T9"));
    const QString error = PressOkFailing();
    EXPECT_TRUE(error.startsWith(Text(TextOpenChannelsHint))) << error.toStdString();
    EXPECT_TRUE(error.endsWith(QStringLiteral("T9")));
    EXPECT_EQ(Dialog.GetSettings().OpenChannels, QStringLiteral("T2,Power")) << "nothing taken";
    edit->setText(QStringLiteral("r1 t1, flow"));
    ASSERT_TRUE(PressOk());
    EXPECT_EQ(Dialog.GetSettings().OpenChannels, QStringLiteral("T1,Flow,R1"));

    // Default clears the choice, as the factory has none.
    Open(Dialog.GetSettings());
    Dialog.DefaultButton->click();
    EXPECT_TRUE(Edit("EditOpenChannels")->text().isEmpty());
    ASSERT_TRUE(PressOk());
    EXPECT_TRUE(Dialog.GetSettings().OpenChannels.isEmpty());
}
