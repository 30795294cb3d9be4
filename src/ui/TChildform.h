#pragma once

#include "core/DateTime.h"
#include "logdata/DataState.h"
#include "settings/WindowSettings.h"
#include "ui/WindowAxes.h"

#include <QWidget>

#include <memory>
#include <vector>

class AnalysisView;
class ChannelPanel;
struct DayFromFile;
class ChartCursor;
class ChartSurface;
class HealthPanel;
class Platform;
class ReferencePeriod;
class TAnalysisData;
class WindowGuide;
class SettingsStore;
class SpanControls;
class SpanPanel;
class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QSlider;
class QSplitter;
class QTimer;

// The window of one analysis: the channel panel on the left, the measured-value chart above the
// output chart, and the time-span controls below them. The main window puts it into an MDI
// sub-window; it holds a reference to the one settings store, which may be absent.
class TChildform : public QWidget {
    Q_OBJECT
public:
    TChildform(QWidget* parent, SettingsStore& store, const WindowSettings& settings);
    // Without a store, as when the main window could not load its settings.
    TChildform(QWidget* parent, const WindowSettings& settings);
    ~TChildform() override;

    void SetSettingsStore(SettingsStore* store) { FStore = store; }
    SettingsStore* Store() const { return FStore; }

    // Queries of the main window.
    bool HasData() const;
    bool HasVisibleSeries() const;
    const WindowSettings& Settings() const { return FSettings; }
    // The analysis held, or null while the window is empty.
    const TAnalysisData* Data() const { return AnalysisData.get(); }
    // The chart's refusal of the settings' Y range at construction; the window is kept and the
    // creator reports it.
    const QString& SettingsError() const { return FSettingsError; }

    void ApplyTexts();
    void ApplySettings(const WindowSettings& settings);
    void UpdateCommands();
    void ClearAnalysis();

    // Panel: the returned status is a data state, 0 when the channel has values in view.
    int ShowChannel(int channel);
    void HideChannel(int channel);
    void RemoveCheckedSeries();
    void AddCheckedSeries();
    void GraphCheckboxClicked(QCheckBox* box, int channel);

    // Loading. Each load first clears the window, so it always holds one analysis.
    void LoadLogFile(const QString& path);
    void BeginMultiDayLoad(int fileCount, const QString& firstPath, DateTime firstDate,
                           DateTime lastDate);
    void AddMultiDayFile(const QString& path);
    // The same for a file read already (on a reading thread).
    void AddMultiDayFile(DayFromFile read);
    void FinishMultiDayLoad();
    void AbortMultiDayLoad();
    void SetHeadline(const QString& fromText, const QString& toText, int fileCount);
    void UpdateCaption();
    // What tells the window apart in little room: its analysis's date or range, or nothing.
    QString CaptionDates() const {
        return ToText.isEmpty() ? FromText : FromText + QStringLiteral("\u2013") + ToText;
    }

    // Navigation. The handlers are public so that the main window and tests can drive them as the
    // controls do.
    void SetTimeWindow(DateTime start, DateTime end);
    void UpdateSpanTexts();
    // `item` is the chosen entry of the span selector, -1 for text typed into it.
    void SpanTimeChange(int item);
    void SliderTimeChange();
    void ButtonJumpLeftClick();
    void ButtonJumpRightClick();
    void ButtonScrollLeftClick();
    void ButtonScrollRightClick();
    void ButtonScrollLeftMouseDown();
    void ButtonScrollRightMouseDown();
    void ButtonScrollMouseUp();
    void ButtonScrollLeftKeyDown();
    void ButtonScrollRightKeyDown();
    // What each tick of the scroll timer runs: a step while a scroll button is held, else
    // TimerDummy.
    void ScrollTimerTick();
    void TimerDummy();
    enum class ScrollDirection { Left, Right };
    void ScrollStep(ScrollDirection direction);
    void SyncSliderToWindow();
    void ChartZoom();
    void ChartUndoZoom();
    void ChartScroll();

    // Health panel: moves the window so that [start, end) is in view with room around it, ticks
    // the channels (those the event shown before ticked go) and marks the span on both charts.
    void ShowEventSpan(DateTime start, DateTime end, const std::vector<int>& channels);
    HealthPanel* Health() const { return FHealthPanel; }
    AnalysisView& View() const { return *FView; }
    ReferencePeriod& Reference() const { return *FReference; } // the period compared with

    // Presentation.
    void UpdateAxes();
    double LowerChartMargin(MarginSide side) const;
    static void SetChannelCaption(QCheckBox* box, const QString& label, const QString& defaultText);

    QAction* ActionOpenSettings = nullptr;
    QAction* ActionOpenExcel = nullptr;

    // Settings command (TChildformSettings.cpp): the settings dialog for this window's own
    // settings, through the dialog made at start-up or, without one, a dialog of its own.
    void ActionOpenSettingsExecute();
    void ConnectSettingsCommand();

Q_SIGNALS:
    // Raised whenever the charts' content changes, so that the main window re-evaluates commands.
    void ActiveFormChanged(TChildform* form);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildPanel();
    void BuildGraphArea();
    void ApplyMinimumSize();
    void CB_Click(QCheckBox* box);
    void ApplyCaptions();
    QCheckBox* CheckBoxOf(int channel) const;
    bool IsChecked(int channel) const;
    QString UnitOf(int channel) const;
    void ResetNavigation();
    // Shows the window on both charts, swapping the series when other days come into view.
    void ApplyWindow(DateTime start, DateTime end);
    void ConnectNavigation();
    void SyncControls();
    void SetSpanChecksEnabled(bool monthSpan);
    void AllowHourPanning(bool hourSpan);
    void UndoZoomBeforeMove();
    // The data-set half of showing and hiding a channel, without settings, axes and notification.
    DataState ShowSeries(int channel);
    bool HideSeries(int channel);
    void SeriesShownOrHidden(bool shown);

    SettingsStore* FStore = nullptr;
    std::unique_ptr<TAnalysisData> AnalysisData;
    WindowSettings FSettings;
    std::unique_ptr<WindowAxes> FAxes;
    QString FSettingsError;

    // The time window (MonthMode, CurrentDate, DayIndex, MonthIndex, StartHour, EndHour).
    AnalysisView* FView = nullptr;
    // Set while a navigation undoes the zoom on its way to a window of its own.
    bool FMovingWindow = false;
    QString FromText;
    QString ToText;
    int FileCount = 0;

    // The channel check boxes with their colours, the headline and the window's buttons.
    ChannelPanel* PanelLeft = nullptr;
    HealthPanel* FHealthPanel = nullptr;
    QFrame* PanelGraph = nullptr;
    QFrame* PanelCharts = nullptr;
    QSplitter* ChartSplitter = nullptr;
    ChartSurface* Chart = nullptr;
    ChartSurface* Chart2 = nullptr;
    // The span selector, the slider, the jump and scroll buttons and the scroll timer.
    SpanControls* PanelZoomX = nullptr;
    QComboBox* SpanTime = nullptr;
    QSlider* SliderTime = nullptr;
    QTimer* ScrollTimer = nullptr;
    // The time cursor across both charts and the statistics of a marked span.
    SpanPanel* PanelSpanStatistics = nullptr;
    ChartCursor* FCursor = nullptr;
    void BuildCursor(QLayout* column);
    WindowGuide* FGuide = nullptr; // the empty chart's hint, the span controls' tool tips
    ReferencePeriod* FReference = nullptr;

    // Output: spreadsheet hand-over (TChildformExcel.cpp), image and page (TChildformOutput.cpp).
public:
    // Hands the log file of the day shown to a spreadsheet program.
    void ActionOpenExcelExecute();
    // Asks for a file and writes the charts into it as one bitmap.
    void SaveChartImage();
    // Asks for a printer, previews the charts on one landscape page and prints them.
    void PrintCharts();
    // Asks for span, format and file, and writes the shown channels' values as CSV.
    void ExportData();
    // Programs are launched through the system unless a test sets another platform.
    void SetOutputPlatform(Platform* platform) { FOutputPlatform = platform; }

private:
    Platform* FOutputPlatform = nullptr;
};
