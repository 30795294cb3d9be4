#pragma once

#include "settings/WindowSettings.h"
#include "ui/Prompts.h"

#include <QDialog>

#include <array>
#include <vector>

class SettingsStore;
class TChildform;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// The modal dialog that edits one WindowSettings. It neither reads nor writes the store: a caller
// loads it with SetSettings, shows it and takes GetSettings back after OK. It holds two copies, the
// committed one it returns and the working one the controls and the colour picker act on.
//
// The dialog closes only when OKBtnClick has read every control without error, or through
// CancelBtnClick (the Cancel button, Esc and the title bar's close alike).
class TDialogSettings : public QDialog {
    Q_OBJECT
public:
    explicit TDialogSettings(QWidget* parent = nullptr);
    ~TDialogSettings() override;

    // The dialog the program created at start-up, or null while there is none.
    static TDialogSettings* Instance();

    void SetSettings(const WindowSettings& settings);
    WindowSettings GetSettings() const { return FCommitted; }
    const WindowSettings& WorkingSettings() const { return FWorking; }

    void FormShow();
    void OKBtnClick();
    void CancelBtnClick();
    void DefaultButtonClick();
    // Opens the colour picker for one settings slot and paints the slot's swatch.
    void SelectColor(int slot);

    // The text an edit shows for a stored label, and the label stored for an edit's text: the
    // language's own channel name (same case) stands as DefaultLabel.
    static QString LabelForDisplay(const QString& label, int textNumber);
    static QString LabelForStorage(const QString& text, int textNumber);
    // The edit's text; an empty one takes the focus and raises text 103. Blanks are a text.
    static QString ReadLabelEdit(QLineEdit* edit);

    // The picker's custom colours: the working colours in the order the dialog shows them, then
    // black.
    Prompts::CustomColors CustomColorsOf(const WindowSettings& settings) const;

    // Named components.
    QLabel* LabelHeader = nullptr;
    QGroupBox* GroupBoxInputs = nullptr;
    QGroupBox* GroupBoxOthers = nullptr;
    QGroupBox* GroupBoxExits = nullptr;
    QLabel* LabelOthersBHeader = nullptr;
    QRadioButton* RadioOthersShowLines = nullptr;
    QRadioButton* RadioOthersShowBars = nullptr;
    QLabel* LabelRBHeader = nullptr;
    QRadioButton* RadioRShowLines = nullptr;
    QRadioButton* RadioRShowBars = nullptr;
    QGroupBox* GroupLineWidth = nullptr;
    QLineEdit* EditLineWidth = nullptr;
    QWidget* UpDownLineWidth = nullptr;
    QGroupBox* GroupAxisLabels = nullptr;
    QRadioButton* RadioAxisDynamic = nullptr;
    QRadioButton* RadioAxisFixed = nullptr;
    QLabel* LabelYMin = nullptr;
    QLineEdit* EditYMin = nullptr;
    QLabel* LabelYMax = nullptr;
    QLineEdit* EditYMax = nullptr;
    QLabel* LabelOutputHeadline = nullptr;
    QLineEdit* EditOutputHeadline = nullptr;
    QLabel* LabelOpenChannels = nullptr;
    QLineEdit* EditOpenChannels = nullptr;
    QPushButton* DefaultButton = nullptr;
    QPushButton* OKBtn = nullptr;
    QPushButton* CancelBtn = nullptr;

    // One row per channel in the order shown: T1..T6, TD, Flow, Power, Volume, Energy, R1..R3,
    // RError.
    struct ChannelRow {
        int Slot;
        int TextNumber;
        QLabel* Label;
        QLineEdit* Edit;
        QFrame* Swatch;
    };
    static constexpr int RowCount = SettingsSlotCount;
    const std::array<ChannelRow, RowCount>& Rows() const { return FRows; }

public Q_SLOTS:
    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    QGroupBox* BuildChannelGroup(const char* name, int firstRow, int rowCount, QLabel** header,
                                 QRadioButton** lines, QRadioButton** bars, const char* headerName,
                                 const char* linesName, const char* barsName);
    void ApplyCaptions();
    void AlignColumns();
    void PaintSwatch(const ChannelRow& row);
    void StepLineWidth(int delta);

    WindowSettings FCommitted;
    WindowSettings FWorking;
    std::array<ChannelRow, RowCount> FRows{};
    QToolButton* FLineWidthUp = nullptr;
    QToolButton* FLineWidthDown = nullptr;
};

// "New windows": edits the store's settings for windows opened later, saves them when the INI
// file is usable and offers them to the windows already open (in the order given). Without a
// store the factory settings are edited and only offered to the open windows.
void EditNewWindowSettings(TDialogSettings& dialog, SettingsStore* store,
                           const std::vector<TChildform*>& openWindows);

// "Settings" of an analysis window: edits and applies the window's own settings, then offers to
// save them as the settings for new windows.
void EditWindowSettings(TDialogSettings& dialog, TChildform& form);
