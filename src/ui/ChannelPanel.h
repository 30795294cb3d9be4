#pragma once

#include <QFrame>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

// The left panel of an analysis window: the headline, a check box and a colour swatch per
// channel in three groups (inputs, other measured values, outputs), and the window's Settings,
// spreadsheet and Health buttons.
class ChannelPanel : public QFrame {
    Q_OBJECT
public:
    explicit ChannelPanel(QWidget* parent);

    QCheckBox* Box(int channel) const { return FBoxes[static_cast<size_t>(channel)]; }
    QFrame* Swatch(int channel) const { return FSwatches[static_cast<size_t>(channel)]; }
    // The channels ticked and enabled, in the panel's order.
    std::vector<int> ShownChannels() const;
    // The language text of a channel's caption when the settings give none.
    static int DefaultCaptionText(int channel);
    void ApplyTexts();
    // Volume and Energy are daily totals: ticked only in the month span.
    void EnableTotals(bool monthSpan);
    // Ticks the channels of an event shown; those the event before ticked (not the user) go
    // unless this one involves them too.
    void TickForEvent(const std::vector<int>& channels);
    void ForgetEventTicks() { FEventTicked.clear(); }

    QLabel* LabelHeadline = nullptr;
    QGroupBox* GroupBoxInputs = nullptr;
    QGroupBox* GroupBoxOthers = nullptr;
    QGroupBox* GroupBoxOutputs = nullptr;
    QPushButton* ButtonSettings = nullptr;
    QPushButton* ButtonOpenExcel = nullptr;
    QPushButton* ButtonHealth = nullptr;

Q_SIGNALS:
    // Ticked or unticked, by the user or by the program.
    void BoxToggled(QCheckBox* box);

private:
    std::array<QCheckBox*, 15> FBoxes{};
    std::array<QFrame*, 15> FSwatches{};
    std::vector<int> FEventTicked;
};
