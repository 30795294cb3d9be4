#pragma once

#include "health/HealthThresholds.h"
#include "settings/PlantProfile.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class SettingsStore;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The modal dialog that edits a plant's profile (name, collector area, which channel plays which
// part, the inputs without a sensor) and the health check's limits, which apply to every plant.
// It neither reads nor writes the store: a caller loads it with SetValues and takes Profile and
// Limits back after OK. OK closes it only when every value lies in its range; otherwise a message
// names the value and its range, and the value's field takes the focus.
class TDialogPlantProfile : public QDialog {
    Q_OBJECT
public:
    explicit TDialogPlantProfile(QWidget* parent = nullptr);

    void SetValues(const PlantProfile& profile, const HealthThresholds& limits);
    PlantProfile Profile() const { return FProfile; }
    HealthThresholds Limits() const { return FLimits; }

    // The profile the store keeps for another data folder the user chooses.
    std::function<PlantProfile(const QString& folder)> ProfileOfFolder;
    // Where the folder dialog starts when the profile has no folder yet.
    QString StartFolder;

    void OKBtnClick();
    void DefaultButtonClick();
    void ChooseFolderClick();
    // A fuel chosen: its defaults for price, efficiency and CO2 factor.
    void FuelChosen();
    void ApplyTexts();

    // Named components.
    QLabel* LabelFolderPath = nullptr;
    QPushButton* ButtonChooseFolder = nullptr;
    QLineEdit* EditPlantName = nullptr;
    QLineEdit* EditCollectorArea = nullptr;
    QComboBox* ComboProfileCollector = nullptr;
    QComboBox* ComboProfileStore = nullptr;
    QComboBox* ComboProfilePump = nullptr;
    QComboBox* ComboProfileFlow = nullptr;
    std::array<QCheckBox*, PlantProfile::InputCount> CheckUnused{};
    QComboBox* ComboFuel = nullptr;
    QLineEdit* EditFuelPrice = nullptr;
    QLineEdit* EditEfficiency = nullptr; // in %
    QLineEdit* EditCo2Factor = nullptr;
    QGroupBox* GroupLimits = nullptr;
    // One per limit, in the order of `HealthThresholds::Keys()`.
    std::vector<QLineEdit*> LimitEdits;
    QPushButton* DefaultButton = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

private:
    void BuildControls();
    void ShowProfile(const PlantProfile& profile);
    void ShowLimits(const HealthThresholds& limits);
    void ShowFuel(const PlantProfile& profile);
    // The edit's number, or nullopt after the message and with the focus on the edit.
    bool ReadNumber(QLineEdit* edit, const QString& meaning, double min, double max, double& value);

    PlantProfile FProfile;
    HealthThresholds FLimits;
    QString FFolder;                  // the folder shown, kept with the profile on OK
    std::vector<QLabel*> FTextLabels; // labels whose text comes from the table, with their slot
    std::vector<int> FTextSlots;
    std::vector<QLabel*> FLimitLabels;
    std::vector<QLabel*> FUnitLabels;
    QLabel* LabelHint = nullptr;
    QLabel* HeadingValue = nullptr;
    QLabel* HeadingDefault = nullptr;
    QLabel* HeadingRange = nullptr;
};

// Shows the dialog for the profile that `path` (a day file or a folder; may be empty) falls
// under and the store's limits, and keeps what the user confirms: the profile under its folder,
// the limits in the "Health" section. True when the user confirmed.
bool EditPlantProfile(QWidget* owner, SettingsStore* store, const QString& path);
