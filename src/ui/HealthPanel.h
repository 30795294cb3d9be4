#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "health/HealthTexts.h"
#include "settings/PlantProfile.h"

#include "core/DateTime.h"

#include <QFrame>

#include <functional>
#include <vector>

class SettingsStore;
class TAnalysisData;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// The events found in the analysis of one window, with their counts per kind and the channel
// roles they were found with. The roles are those of the plant profile of the analysis' folder;
// choosing others keeps them in that profile. Choosing an event moves the window to it.
class HealthPanel : public QFrame {
    Q_OBJECT
public:
    // What the panel needs of its window.
    struct Window {
        // The analysis held, or null while the window is empty.
        std::function<const TAnalysisData*()> Data;
        // The settings store for the thresholds and the plant profiles, or null for the
        // factory values.
        std::function<SettingsStore*()> Store;
        // Shows [start, end) with room around it, ticks the channels and marks the span.
        std::function<void(DateTime start, DateTime end, const std::vector<int>& channels)>
            ShowEvent;
    };
    HealthPanel(QWidget* parent, Window window);

    void ApplyTexts();
    // The window holds another analysis (or none): checked now if shown, else when next shown.
    void AnalysisChanged();
    // Shows or hides the panel; shown, it lists the events of the analysis held.
    void SetShown(bool shown);
    // Checks the window's analysis with the roles chosen and the thresholds of the settings.
    void Refresh();
    // Shows the event of the list's row in the window.
    void GoToRow(int row);

    const std::vector<HealthEvent>& Events() const { return FEvents; }
    ChannelRoles Roles() const;
    // Shows `roles` and checks with them, for this window only.
    void SetRoles(const ChannelRoles& roles);
    // The roles chosen in the panel, kept in the profile (a new one for the analysis' data folder
    // where none covers it) and checked with.
    void KeepChosenRoles();
    // The profile may have changed: read again, and checked again if shown.
    void ProfileChanged();
    // Opens the plant profile dialog for the analysis' folder.
    void ButtonPlantProfileClick();
    const PlantProfile& Profile() const { return FProfile; }
    QTreeWidget* List() const { return TreeHealthEvents; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillList();
    QString ChannelNames(const std::vector<int>& channels) const;
    static QString KindText(EventKind kind);
    // The first file of the analysis, where its profile is looked for; empty without one.
    QString AnalysisPath() const;
    void LoadProfile();

    bool HasData() const;

    Window Form;
    std::vector<HealthEvent> FEvents;
    bool FStale = true;
    PlantProfile FProfile;

    QLabel* LabelHealthTitle = nullptr;
    std::vector<QLabel*> FRoleLabels;
    QComboBox* ComboCollector = nullptr;
    QComboBox* ComboStore = nullptr;
    QComboBox* ComboPump = nullptr;
    QComboBox* ComboFlow = nullptr;
    QPushButton* ButtonPlantProfile = nullptr;
    QLabel* LabelHealthCounts = nullptr;
    QTreeWidget* TreeHealthEvents = nullptr;
};

// Tells the health panels of every window that a plant profile or a limit changed.
void NotifyPlantProfileChanged();
