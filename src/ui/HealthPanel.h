#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "health/HealthTexts.h"

#include "core/DateTime.h"

#include <QFrame>

#include <functional>
#include <vector>

class SettingsStore;
class TAnalysisData;
class QComboBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

// The events found in the analysis of one window, with their counts per kind and the channel
// roles they were found with. Choosing an event moves the window to it.
class HealthPanel : public QFrame {
    Q_OBJECT
public:
    // What the panel needs of its window.
    struct Window {
        // The analysis held, or null while the window is empty.
        std::function<const TAnalysisData*()> Data;
        // The settings store for the thresholds, or null for the factory values.
        std::function<const SettingsStore*()> Store;
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
    void SetRoles(const ChannelRoles& roles);
    QTreeWidget* List() const { return TreeHealthEvents; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FillList();
    QString ChannelNames(const std::vector<int>& channels) const;
    static QString KindText(EventKind kind);

    bool HasData() const;

    Window Form;
    std::vector<HealthEvent> FEvents;
    bool FStale = true;

    QLabel* LabelHealthTitle = nullptr;
    std::vector<QLabel*> FRoleLabels;
    QComboBox* ComboCollector = nullptr;
    QComboBox* ComboStore = nullptr;
    QComboBox* ComboPump = nullptr;
    QComboBox* ComboFlow = nullptr;
    QLabel* LabelHealthCounts = nullptr;
    QTreeWidget* TreeHealthEvents = nullptr;
};
