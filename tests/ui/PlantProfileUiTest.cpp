#include "LogGenerator.h"
#include "ScriptedPrompts.h"
#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "settings/FakePlatform.h"
#include "settings/SettingsStore.h"
#include "ui/HealthPanel.h"
#include "ui/ProfileTexts.h"
#include "ui/TChildform.h"
#include "ui/TDialogPlantProfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class PlantProfileUiTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(Dir.isValid());
        SetCurrentTexts(TextArrayId::English);
        Os.Variables[QStringLiteral("XDG_CONFIG_HOME")] = Dir.filePath(QStringLiteral("config"));
        Store = std::make_unique<SettingsStore>(Os);
        // 1 and 2 May 2010 in month folders: R1 runs dry on the 1st, T4 reads 300 °C on the 2nd.
        loggen::DayOptions options;
        options.IntervalMinutes = 5;
        options.Faults = {{loggen::Fault::PumpWithoutFlow, QDate(2010, 5, 1), 12 * 60, 30, 0},
                          {loggen::Fault::SensorRange, QDate(2010, 5, 2), 9 * 60, 20, ChT4}};
        Paths = loggen::WriteDays(Dir.filePath(QStringLiteral("plant")), QDate(2010, 5, 1), 2,
                                  loggen::FolderLayout::MonthFolders, options);
        ASSERT_EQ(Paths.size(), 2);
        PlantFolder = plantprofile::CanonicalPath(Dir.filePath(QStringLiteral("plant")));
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    std::unique_ptr<TChildform> OpenWindow(SettingsStore& store) {
        auto form = std::make_unique<TChildform>(nullptr, store, WindowSettings::FactoryDefaults());
        form->ApplyTexts();
        DateTime first = 0;
        DateTime last = 0;
        EncodeDate(2010, 5, 1, first);
        EncodeDate(2010, 5, 2, last);
        form->BeginMultiDayLoad(2, Paths[0], first, last);
        form->AddMultiDayFile(Paths[1]);
        form->FinishMultiDayLoad();
        form->findChild<QPushButton*>(QStringLiteral("ButtonHealth"))->click();
        return form;
    }
    static QStringList Kinds(const HealthPanel& panel) {
        QStringList kinds;
        for (const HealthEvent& event : panel.Events())
            kinds << QString::fromLatin1(EventKindKey(event.Kind)) + ":" +
                         QString::fromLatin1(ChannelShortNames[static_cast<size_t>(
                             event.Channels.empty() ? 0 : event.Channels.front())]);
        return kinds;
    }
    static void Choose(QComboBox* combo, int channel) {
        const int index = combo->findData(channel);
        ASSERT_GE(index, 0);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }

    QTemporaryDir Dir;
    FakePlatform Os;
    std::unique_ptr<SettingsStore> Store;
    QStringList Paths;
    QString PlantFolder;
};

TEST_F(PlantProfileUiTest, RolesChosenInThePanelAreKeptForTheDataFolderAndReadByTheNextWindow) {
    auto form = OpenWindow(*Store);
    HealthPanel& panel = *form->Health();
    EXPECT_EQ(Kinds(panel), QStringList({"pump-without-flow:R1", "sensor-fault:T4"}));
    EXPECT_TRUE(Store->GetPlantProfiles().empty()); // looking keeps nothing

    Choose(form->findChild<QComboBox*>(QStringLiteral("ComboPump")), ChR2);
    EXPECT_FALSE(Kinds(panel).contains("pump-without-flow:R1"));
    // Kept for the folder above the month folders, so that every month finds it.
    ASSERT_EQ(Store->GetPlantProfiles().size(), 1U);
    EXPECT_EQ(Store->GetPlantProfiles()[0].Folder, PlantFolder);
    EXPECT_EQ(Store->GetPlantProfiles()[0].Pump, ChR2);

    // The program started again: a new store reads it, a new window shows and uses it.
    SettingsStore again(Os);
    EXPECT_EQ(again.ProfileFor(Paths[1]).Pump, ChR2);
    auto second = OpenWindow(again);
    EXPECT_EQ(second->findChild<QComboBox*>(QStringLiteral("ComboPump"))->currentData().toInt(),
              ChR2);
    EXPECT_EQ(Kinds(*second->Health()), Kinds(panel));
}

TEST_F(PlantProfileUiTest, AnUnusedInputRaisesNothingInTheWindow) {
    PlantProfile profile;
    profile.Folder = PlantFolder;
    profile.SetUnused(ChT4, true);
    Store->SetPlantProfile(profile);
    auto form = OpenWindow(*Store);
    EXPECT_EQ(Kinds(*form->Health()), QStringList({"pump-without-flow:R1"}));
    EXPECT_EQ(form->Health()->Roles().Unused, 1u << ChT4);
}

TEST_F(PlantProfileUiTest, TheDialogRefusesValuesOutOfRangeAndGoesBackToTheDefaults) {
    ScriptedPrompts prompts;
    TDialogPlantProfile dialog;
    PlantProfile profile;
    profile.Folder = PlantFolder;
    profile.Name = QStringLiteral("Roof");
    profile.Pump = ChR3;
    profile.SetUnused(ChT6, true);
    HealthThresholds limits;
    limits.StuckHours = 12.0;
    dialog.SetValues(profile, limits);
    QLineEdit* stuck = dialog.findChild<QLineEdit*>(QStringLiteral("EditLimitStuckHours"));
    ASSERT_NE(stuck, nullptr);
    EXPECT_EQ(stuck->text(), "12");
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("LabelRangeStuckHours"))->text(),
              QString::fromUtf8("0.25 – 720"));
    EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("LabelDefaultStuckHours"))->text(), "6");
    EXPECT_TRUE(dialog.CheckUnused[ChT6]->isChecked());

    stuck->setText(QStringLiteral("0,2"));
    prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    dialog.OKBtn->click();
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompts.AskedPrompts().size(), 1U);
    const QString message = prompts.AskedPrompts()[0].Text;
    EXPECT_TRUE(message.startsWith("Stuck sensor")) << message.toStdString();
    EXPECT_TRUE(message.contains("from 0.25 to 720")) << message.toStdString();

    // Each in its range, but the lowest valid temperature above the highest.
    dialog.findChild<QLineEdit*>(QStringLiteral("EditLimitSensorMinC"))->setText("90");
    dialog.findChild<QLineEdit*>(QStringLiteral("EditLimitSensorMaxC"))->setText("80");
    stuck->setText(QStringLiteral("0,5"));
    prompts.Expect(PromptKind::Error, PromptAnswer::Ok);
    dialog.OKBtn->click();
    ASSERT_EQ(prompts.AskedPrompts().size(), 2U);
    EXPECT_EQ(prompts.AskedPrompts()[1].Text, Text(TextProfileSensorOrder));

    dialog.findChild<QLineEdit*>(QStringLiteral("EditLimitSensorMinC"))->setText("-30");
    dialog.findChild<QLineEdit*>(QStringLiteral("EditLimitSensorMaxC"))->setText("250");
    dialog.EditCollectorArea->setText(QStringLiteral("8,4"));
    dialog.OKBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(prompts.Exhausted());
    EXPECT_DOUBLE_EQ(dialog.Limits().StuckHours, 0.5);
    EXPECT_DOUBLE_EQ(dialog.Limits().SensorMinC, -30.0);
    EXPECT_DOUBLE_EQ(dialog.Profile().AreaM2, 8.4);
    EXPECT_EQ(dialog.Profile().Pump, ChR3);
    EXPECT_EQ(dialog.Profile().Folder, PlantFolder);

    dialog.DefaultButton->click();
    EXPECT_EQ(stuck->text(), "6");
    EXPECT_EQ(dialog.ComboProfilePump->currentData().toInt(), ChR1);
    EXPECT_FALSE(dialog.CheckUnused[ChT6]->isChecked());
    EXPECT_EQ(dialog.EditPlantName->text(), "Roof"); // the plant's own facts stay
}

TEST_F(PlantProfileUiTest, RolesAndALimitSetInTheDialogChangeThePanelsListAndAreKept) {
    ScriptedPrompts prompts;
    auto form = OpenWindow(*Store);
    HealthPanel& panel = *form->Health();
    ASSERT_EQ(Kinds(panel).size(), 2);
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TDialogPlantProfile*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        shown = true;
        EXPECT_EQ(dialog->LabelFolderPath->text(), PlantFolder);
        dialog->CheckUnused[ChT4]->setChecked(true);
        dialog->findChild<QLineEdit*>(QStringLiteral("EditLimitNoFlowMinutes"))->setText("45");
        dialog->OKBtn->click();
    });
    form->findChild<QPushButton*>(QStringLiteral("ButtonPlantProfile"))->click();
    ASSERT_TRUE(shown);
    // 30 minutes dry is below 45 now, and T4 has no sensor: nothing is left.
    EXPECT_TRUE(Kinds(panel).isEmpty()) << Kinds(panel).join(' ').toStdString();
    const SettingsStore again(Os);
    EXPECT_EQ(again.GetHealthValues().value(QStringLiteral("NoFlowMinutes")), "45");
    EXPECT_TRUE(again.ProfileFor(Paths[0]).IsUnused(ChT4));
}

} // namespace
