#include "ui/TDialogPlantProfile.h"

#include "core/ConventionTexts.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "health/HealthTexts.h"
#include "ledger/SavingsTexts.h"
#include "settings/SettingsStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/ProfileTexts.h"
#include "ui/Prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The unit of each limit, in the order of `HealthThresholds::Keys()`; an empty one is a word
// of the language table (starts).
constexpr std::array<const char*, 12> LimitUnits = {"°C",  "°C", "h",   "K", "min", "K",
                                                    "min", "°C", "min", "",  "min", "min"};

QString UnitOf(size_t index) {
    return index < LimitUnits.size() && *LimitUnits[index] != '\0'
               ? QString::fromUtf8(LimitUnits[index])
               : Text(TextUnitStarts);
}

// A figure as the user reads and types it: the language's decimal mark, no needless digits.
QString Figure(double value) {
    const QChar mark = LanguageFormat::Number(0.5, 1).at(1);
    return QString::number(value, 'g', 10).replace(u'.', mark);
}

void FillChannels(QComboBox* combo, int first, int last) {
    for (int c = first; c <= last; ++c)
        combo->addItem(LanguageFormat::ChannelName(c), c);
}

void Choose(QComboBox* combo, int channel) {
    const int index = combo->findData(channel);
    combo->setCurrentIndex(index >= 0 ? index : 0);
}

} // namespace

TDialogPlantProfile::TDialogPlantProfile(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDialogPlantProfile"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    ApplyTexts();
    SetValues(PlantProfile(), HealthThresholds());
}

void TDialogPlantProfile::BuildControls() {
    auto* column = new QVBoxLayout(this);
    const auto label = [this](int slot) {
        auto* made = new QLabel(this);
        FTextLabels.push_back(made);
        FTextSlots.push_back(slot);
        return made;
    };
    const auto named = [](QWidget* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };

    auto* plant = new QGridLayout;
    plant->addWidget(label(TextProfileFolder), 0, 0);
    LabelFolderPath = new QLabel(this);
    named(LabelFolderPath, "LabelFolderPath");
    LabelFolderPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    plant->addWidget(LabelFolderPath, 0, 1, 1, 3);
    ButtonChooseFolder = new QPushButton(this);
    named(ButtonChooseFolder, "ButtonChooseFolder");
    plant->addWidget(ButtonChooseFolder, 0, 4);
    plant->addWidget(label(TextProfileName), 1, 0);
    EditPlantName = new QLineEdit(this);
    named(EditPlantName, "EditPlantName");
    plant->addWidget(EditPlantName, 1, 1, 1, 2);
    plant->addWidget(label(TextProfileArea), 1, 3);
    EditCollectorArea = new QLineEdit(this);
    named(EditCollectorArea, "EditCollectorArea");
    EditCollectorArea->setMaximumWidth(90);
    plant->addWidget(EditCollectorArea, 1, 4);

    const auto role = [&](const char* name, int slot, int row, int col) {
        auto* combo = new QComboBox(this);
        named(combo, name);
        QLabel* caption = label(slot);
        caption->setBuddy(combo);
        plant->addWidget(caption, row, col);
        plant->addWidget(combo, row, col + 1);
        return combo;
    };
    ComboProfileCollector = role("ComboProfileCollector", TextHealthRoleFirst + 0, 2, 0);
    ComboProfileStore = role("ComboProfileStore", TextHealthRoleFirst + 1, 2, 3);
    ComboProfilePump = role("ComboProfilePump", TextHealthRoleFirst + 2, 3, 0);
    ComboProfileFlow = role("ComboProfileFlow", TextHealthRoleFirst + 3, 3, 3);
    FillChannels(ComboProfileCollector, ChT1, ChTD);
    FillChannels(ComboProfileStore, ChT1, ChTD);
    FillChannels(ComboProfilePump, ChR1, ChR3);
    FillChannels(ComboProfileFlow, ChFlow, ChFlow);
    ComboProfileFlow->addItem(QString(), -1);
    plant->addWidget(label(TextProfileFuel), 4, 0);
    ComboFuel = new QComboBox(this);
    named(ComboFuel, "ComboFuel");
    for (int f = 0; f < PlantFuelCount; ++f)
        ComboFuel->addItem(QString(), f);
    plant->addWidget(ComboFuel, 4, 1, 1, 2);
    const auto figure = [&](const char* name, int slot, int row, int col) {
        auto* edit = new QLineEdit(this);
        named(edit, name);
        edit->setMaximumWidth(90);
        QLabel* caption = label(slot);
        caption->setBuddy(edit);
        plant->addWidget(caption, row, col);
        plant->addWidget(edit, row, col + 1);
        return edit;
    };
    EditFuelPrice = figure("EditFuelPrice", TextProfileFuelPrice, 4, 3);
    EditEfficiency = figure("EditEfficiency", TextProfileEfficiency, 5, 0);
    EditCo2Factor = figure("EditCo2Factor", TextProfileCo2, 5, 3);
    plant->setColumnStretch(2, 1);
    column->addLayout(plant);

    auto* unused = new QHBoxLayout;
    unused->addWidget(label(TextProfileUnused));
    for (int c = 0; c < PlantProfile::InputCount; ++c) {
        auto* box = new QCheckBox(LanguageFormat::ChannelName(c), this);
        box->setObjectName(QStringLiteral("CheckUnused") +
                           QLatin1String(ChannelShortNames[static_cast<size_t>(c)]));
        CheckUnused[static_cast<size_t>(c)] = box;
        unused->addWidget(box);
    }
    unused->addStretch(1);
    column->addLayout(unused);

    LabelHint = new QLabel(this);
    LabelHint->setWordWrap(true);
    column->addWidget(LabelHint);

    GroupLimits = new QGroupBox(this);
    named(GroupLimits, "GroupLimits");
    auto* limits = new QGridLayout(GroupLimits);
    HeadingValue = new QLabel(GroupLimits);
    HeadingDefault = new QLabel(GroupLimits);
    HeadingRange = new QLabel(GroupLimits);
    limits->addWidget(HeadingValue, 0, 1);
    limits->addWidget(HeadingDefault, 0, 3);
    limits->addWidget(HeadingRange, 0, 4);
    int row = 1;
    for (const HealthThresholds::Key& key : HealthThresholds::Keys()) {
        auto* meaning = new QLabel(GroupLimits);
        auto* edit = new QLineEdit(GroupLimits);
        edit->setObjectName(QStringLiteral("EditLimit") + QLatin1String(key.Name));
        edit->setMaximumWidth(80);
        meaning->setBuddy(edit);
        auto* unit = new QLabel(GroupLimits);
        auto* byDefault = new QLabel(Figure(key.Limit.Default), GroupLimits);
        byDefault->setObjectName(QStringLiteral("LabelDefault") + QLatin1String(key.Name));
        auto* range = new QLabel(GroupLimits);
        range->setObjectName(QStringLiteral("LabelRange") + QLatin1String(key.Name));
        limits->addWidget(meaning, row, 0);
        limits->addWidget(edit, row, 1);
        limits->addWidget(unit, row, 2);
        limits->addWidget(byDefault, row, 3, Qt::AlignRight);
        limits->addWidget(range, row, 4);
        FLimitLabels.push_back(meaning);
        FUnitLabels.push_back(unit);
        LimitEdits.push_back(edit);
        ++row;
    }
    limits->setColumnStretch(0, 1);
    column->addWidget(GroupLimits);

    auto* buttons = new QHBoxLayout;
    DefaultButton = new QPushButton(this);
    named(DefaultButton, "DefaultButton");
    OKBtn = new QPushButton(QStringLiteral("OK"), this);
    named(OKBtn, "OKBtn");
    OKBtn->setDefault(true);
    CancelBtn = new QPushButton(this);
    named(CancelBtn, "CancelBtn");
    buttons->addWidget(DefaultButton);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    column->addLayout(buttons);

    connect(OKBtn, &QPushButton::clicked, this, GuardedSlot([this](bool) { OKBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this, GuardedSlot([this](bool) { reject(); }));
    connect(DefaultButton, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { DefaultButtonClick(); }));
    connect(ButtonChooseFolder, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ChooseFolderClick(); }));
    connect(ComboFuel, &QComboBox::activated, this, GuardedSlot([this](int) { FuelChosen(); }));
}

void TDialogPlantProfile::ApplyTexts() {
    setWindowTitle(Text(TextProfileTitle));
    for (size_t i = 0; i < FTextLabels.size(); ++i)
        FTextLabels[i]->setText(Text(FTextSlots[i]) + (FTextSlots[i] < TextProfileFirst
                                                           ? QStringLiteral(":")
                                                           : QString()));
    ButtonChooseFolder->setText(Text(TextProfileChooseFolder));
    for (int f = 0; f < PlantFuelCount; ++f)
        ComboFuel->setItemText(f, Text(TextFuelFirst + f));
    ComboProfileFlow->setItemText(ComboProfileFlow->findData(-1), Text(TextHealthNoChannel));
    LabelHint->setText(Text(TextProfileHint));
    GroupLimits->setTitle(Text(TextProfileLimits));
    HeadingValue->setText(Text(TextHealthColumnFirst + 4));
    HeadingDefault->setText(Text(TextProfileDefault));
    HeadingRange->setText(Text(TextProfileRange));
    const QList<HealthThresholds::Key>& keys = HealthThresholds::Keys();
    for (size_t i = 0; i < FLimitLabels.size(); ++i) {
        FLimitLabels[i]->setText(Text(TextProfileLimitFirst + static_cast<int>(i)));
        FUnitLabels[i]->setText(UnitOf(i));
        const HealthLimit& limit = keys[static_cast<qsizetype>(i)].Limit;
        if (auto* range = GroupLimits->findChild<QLabel*>(
                QStringLiteral("LabelRange") + QLatin1String(keys[static_cast<qsizetype>(i)].Name)))
            range->setText(Figure(limit.Min) + QStringLiteral(" – ") + Figure(limit.Max));
    }
    DefaultButton->setText(Text(TextProfileDefaults));
    CancelBtn->setText(Text(44));
}

void TDialogPlantProfile::SetValues(const PlantProfile& profile, const HealthThresholds& limits) {
    FProfile = profile;
    FLimits = limits;
    ShowProfile(profile);
    ShowLimits(limits);
}

void TDialogPlantProfile::ShowProfile(const PlantProfile& profile) {
    FFolder = profile.Folder;
    LabelFolderPath->setText(QDir::toNativeSeparators(FFolder));
    EditPlantName->setText(profile.Name);
    EditCollectorArea->setText(profile.HasArea() ? Figure(profile.AreaM2) : QString());
    Choose(ComboProfileCollector, profile.Collector);
    Choose(ComboProfileStore, profile.Store);
    Choose(ComboProfilePump, profile.Pump);
    Choose(ComboProfileFlow, profile.Flow);
    for (int c = 0; c < PlantProfile::InputCount; ++c)
        CheckUnused[static_cast<size_t>(c)]->setChecked(profile.IsUnused(c));
    ShowFuel(profile);
}

void TDialogPlantProfile::ShowFuel(const PlantProfile& profile) {
    ComboFuel->setCurrentIndex(static_cast<int>(profile.Fuel));
    const bool any = profile.Fuel != PlantFuel::None;
    EditFuelPrice->setText(any ? Figure(profile.FuelPrice) : QString());
    EditEfficiency->setText(any ? Figure(profile.Efficiency * 100.0) : QString());
    EditCo2Factor->setText(any ? Figure(profile.Co2Factor) : QString());
    for (QLineEdit* edit : {EditFuelPrice, EditEfficiency, EditCo2Factor})
        edit->setEnabled(any);
}

void TDialogPlantProfile::FuelChosen() {
    PlantProfile profile;
    profile.SetFuel(static_cast<PlantFuel>(ComboFuel->currentIndex()));
    ShowFuel(profile);
}

void TDialogPlantProfile::ShowLimits(const HealthThresholds& limits) {
    const QList<HealthThresholds::Key>& keys = HealthThresholds::Keys();
    for (size_t i = 0; i < LimitEdits.size(); ++i)
        LimitEdits[i]->setText(Figure(limits.*keys[static_cast<qsizetype>(i)].Member));
}

void TDialogPlantProfile::DefaultButtonClick() {
    // The plant's own facts (folder, name, area) have no defaults to go back to.
    const PlantProfile defaults;
    Choose(ComboProfileCollector, defaults.Collector);
    Choose(ComboProfileStore, defaults.Store);
    Choose(ComboProfilePump, defaults.Pump);
    Choose(ComboProfileFlow, defaults.Flow);
    for (QCheckBox* box : CheckUnused)
        box->setChecked(false);
    ShowLimits(HealthThresholds());
}

void TDialogPlantProfile::ChooseFolderClick() {
    QString folder = FFolder.isEmpty() ? StartFolder : QDir::toNativeSeparators(FFolder);
    if (!CurrentPrompts().ShowFolderDialog(folder, this, Text(TextProfileChooseFolder)))
        return;
    const QString chosen = plantprofile::DataFolderOf(folder);
    PlantProfile profile = ProfileOfFolder ? ProfileOfFolder(chosen) : PlantProfile();
    // A folder below a profiled one edits that profile; elsewhere a new one starts.
    if (profile.Folder.isEmpty())
        profile.Folder = chosen;
    ShowProfile(profile);
}

bool TDialogPlantProfile::ReadNumber(QLineEdit* edit, const QString& meaning, double min,
                                     double max, double& value) {
    bool ok = false;
    value = edit->text().trimmed().replace(u',', u'.').toDouble(&ok);
    if (ok && value >= min && value <= max)
        return true;
    edit->setFocus();
    edit->selectAll();
    CurrentPrompts().Message(PromptKind::Error,
                             meaning + QStringLiteral("\n\n") +
                                 Text(TextProfileOutOfRange).arg(Figure(min), Figure(max)),
                             Text(TextProfileTitle));
    return false;
}

void TDialogPlantProfile::OKBtnClick() {
    PlantProfile profile = FProfile;
    profile.Folder = FFolder;
    profile.Name = EditPlantName->text().simplified();
    profile.AreaM2 = 0.0;
    if (!EditCollectorArea->text().trimmed().isEmpty() &&
        !ReadNumber(EditCollectorArea, Text(TextProfileArea), 0.01, plantprofile::MaxAreaM2,
                    profile.AreaM2))
        return;
    profile.Collector = ComboProfileCollector->currentData().toInt();
    profile.Store = ComboProfileStore->currentData().toInt();
    profile.Pump = ComboProfilePump->currentData().toInt();
    profile.Flow = ComboProfileFlow->currentData().toInt();
    for (int c = 0; c < PlantProfile::InputCount; ++c)
        profile.SetUnused(c, CheckUnused[static_cast<size_t>(c)]->isChecked());
    profile.SetFuel(static_cast<PlantFuel>(ComboFuel->currentIndex()));
    if (profile.Fuel != PlantFuel::None) {
        double percent = 0.0;
        if (!ReadNumber(EditFuelPrice, Text(TextProfileFuelPrice), 0.0, plantprofile::MaxFuelPrice,
                        profile.FuelPrice) ||
            !ReadNumber(EditEfficiency, Text(TextProfileEfficiency),
                        plantprofile::MinEfficiency * 100.0, plantprofile::MaxEfficiency * 100.0,
                        percent) ||
            !ReadNumber(EditCo2Factor, Text(TextProfileCo2), 0.0, plantprofile::MaxCo2Factor,
                        profile.Co2Factor))
            return;
        profile.Efficiency = percent / 100.0;
    }

    HealthThresholds limits;
    const QList<HealthThresholds::Key>& keys = HealthThresholds::Keys();
    for (size_t i = 0; i < LimitEdits.size(); ++i) {
        const HealthThresholds::Key& key = keys[static_cast<qsizetype>(i)];
        if (!ReadNumber(LimitEdits[i], FLimitLabels[i]->text() + QLatin1Char(' ') + UnitOf(i),
                        key.Limit.Min, key.Limit.Max, limits.*key.Member))
            return;
    }
    if (limits.SensorMinC >= limits.SensorMaxC) {
        LimitEdits[0]->setFocus();
        CurrentPrompts().Message(PromptKind::Error, Text(TextProfileSensorOrder),
                                 Text(TextProfileTitle));
        return;
    }
    FProfile = profile;
    FLimits = limits;
    accept();
}

bool EditPlantProfile(QWidget* owner, SettingsStore* store, const QString& path) {
    TDialogPlantProfile dialog(owner);
    const QString folder = path.isEmpty() ? QString() : plantprofile::DataFolderOf(path);
    PlantProfile profile = store != nullptr ? store->ProfileFor(folder) : PlantProfile();
    if (profile.Folder.isEmpty())
        profile.Folder = folder;
    const HealthThresholds limits = store != nullptr
                                        ? HealthThresholds::FromValues(store->GetHealthValues())
                                        : HealthThresholds();
    dialog.SetValues(profile, limits);
    if (store != nullptr) {
        dialog.ProfileOfFolder = [store](const QString& f) { return store->ProfileFor(f); };
        dialog.StartFolder = store->GetMainSettings().LastUsedDir;
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    if (store == nullptr)
        return true;
    // Values in memory change even where the file cannot be written.
    if (!(dialog.Limits() == limits))
        store->SetHealthValues(dialog.Limits().ToValues());
    const PlantProfile kept = dialog.Profile();
    if (!kept.Folder.isEmpty() && !(kept == store->ProfileFor(kept.Folder) &&
                                    store->ProfileFor(kept.Folder).Folder == kept.Folder))
        store->SetPlantProfile(kept);
    return true;
}
