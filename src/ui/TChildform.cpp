#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChannelPanel.h"
#include "ui/ChartTexts.h"
#include "ui/SpanControls.h"
#include "ui/ChartCursor.h"
#include "ui/ErrorBoundary.h"
#include "ui/HealthPanel.h"
#include "ui/FrameLook.h"
#include "ui/SidePanelScroller.h"
#include "ui/SpanPanel.h"
#include "ui/WindowGuide.h"
#include "ui/analysis/AnalysisView.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>

TChildform::TChildform(QWidget* parent, SettingsStore& store, const WindowSettings& settings)
    : TChildform(parent, settings) {
    FStore = &store;
}

TChildform::TChildform(QWidget* parent, const WindowSettings& settings) : QWidget(parent) {
    setObjectName(QStringLiteral("TChildform"));
    resize(860, 602);
    ActionOpenSettings = new QAction(this);
    ActionOpenSettings->setObjectName(QStringLiteral("ActionOpenSettings"));
    ConnectSettingsCommand();
    ActionOpenExcel = new QAction(this);
    ActionOpenExcel->setObjectName(QStringLiteral("ActionOpenExcel"));
    FView = new AnalysisView(this);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    BuildPanel();
    BuildGraphArea();
    ConnectNavigation();
    layout->addWidget(new SidePanelScroller(PanelLeft, this));
    layout->addWidget(PanelGraph, 1);
    FHealthPanel = new HealthPanel(
        this, {[this] { return Data(); }, [this] { return Store(); },
               [this](DateTime start, DateTime end, const std::vector<int>& channels) {
                   ShowEventSpan(start, end, channels);
               }});
    FHealthPanel->hide();
    layout->addWidget(FHealthPanel);
    connect(PanelLeft->ButtonHealth, &QPushButton::toggled, this,
            GuardedSlot([this](bool on) { FHealthPanel->SetShown(on); }));
    FGuide = new WindowGuide(*this, *Chart, [this] { return HasData() && !HasVisibleSeries(); });
    connect(this, &TChildform::ActiveFormChanged, FGuide,
            GuardedSlot([this](TChildform*) { FGuide->Update(); }));
    FReference = new ReferencePeriod(
        *Chart, *Chart2, *FView, [this] { return Data(); }, [this] { UpdateAxes(); }, this);
    connect(this, &TChildform::ActiveFormChanged, FReference, [this] { FReference->Sync(); });
    FCursor->SetReference(FReference, FView);
    ApplyMinimumSize();
    FAxes = std::make_unique<WindowAxes>(*Chart, *Chart2);
    FAxes->ApplyFixedProperties();
    ApplyTexts();
    try {
        ApplySettings(settings);
    } catch (const AppError& error) {
        FSettingsError = error.Message();
    }
    UpdateCommands();
}

TChildform::~TChildform() = default;

void TChildform::BuildPanel() {
    PanelLeft = new ChannelPanel(this);
    connect(PanelLeft, &ChannelPanel::BoxToggled, this,
            GuardedSlot([this](QCheckBox* box) { CB_Click(box); }));
    QPushButton* ButtonSettings = PanelLeft->ButtonSettings;
    QPushButton* ButtonOpenExcel = PanelLeft->ButtonOpenExcel;
    connect(ButtonSettings, &QPushButton::clicked, ActionOpenSettings, &QAction::trigger);
    connect(ButtonOpenExcel, &QPushButton::clicked, ActionOpenExcel, &QAction::trigger);
    connect(ActionOpenExcel, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionOpenExcelExecute(); }));
    connect(ActionOpenExcel, &QAction::changed, this,
            [this, ButtonOpenExcel] { ButtonOpenExcel->setEnabled(ActionOpenExcel->isEnabled()); });
}

void TChildform::BuildGraphArea() {
    PanelGraph = new QFrame(this);
    PanelGraph->setObjectName(QStringLiteral("PanelGraph"));
    auto* column = new QVBoxLayout(PanelGraph);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    PanelCharts = new QFrame(PanelGraph);
    PanelCharts->setObjectName(QStringLiteral("PanelCharts"));
    auto* chartsLayout = new QVBoxLayout(PanelCharts);
    chartsLayout->setContentsMargins(0, 0, 0, 0);
    ChartSplitter = new QSplitter(Qt::Vertical, PanelCharts);
    ChartSplitter->setObjectName(QStringLiteral("ChartSplitter"));
    ChartSplitter->setHandleWidth(3);
    ChartSplitter->setChildrenCollapsible(false);
    Paint(ChartSplitter, FrameGrey);
    Chart = new ChartSurface(ChartSplitter);
    Chart->setObjectName(QStringLiteral("Chart"));
    // Given as a height of its own, the tiled layout can lower it like the lower chart's.
    Chart->setMinimumHeight(static_cast<QWidget*>(Chart)->minimumSizeHint().height());
    Chart2 = new ChartSurface(ChartSplitter);
    Chart2->setObjectName(QStringLiteral("Chart2"));
    Chart2->setMinimumHeight(95);
    Chart2->ShareMarks(Chart->Marks());
    ChartSplitter->addWidget(Chart);
    ChartSplitter->addWidget(Chart2);
    ChartSplitter->setStretchFactor(0, 1);
    ChartSplitter->setStretchFactor(1, 0);
    ChartSplitter->setSizes({420, 119});
    chartsLayout->addWidget(ChartSplitter);
    column->addWidget(PanelCharts, 1);
    BuildCursor(column);

    PanelZoomX = new SpanControls(PanelGraph, *FView);
    SpanTime = PanelZoomX->SpanTime;
    SliderTime = PanelZoomX->SliderTime;
    ScrollTimer = PanelZoomX->ScrollTimer;
    column->addWidget(PanelZoomX);
}

void TChildform::BuildCursor(QLayout* column) {
    PanelSpanStatistics = new SpanPanel(PanelGraph);
    column->addWidget(PanelSpanStatistics);
    const auto shown = [this] {
        std::vector<ChartCursor::ShownChannel> channels;
        if (!HasData())
            return channels;
        for (int channel : PanelLeft->ShownChannels())
            channels.push_back(
                {channel, CheckBoxOf(channel)->text(),
                 ColorFromRef(FSettings.Colors[static_cast<size_t>(SlotOfChannel(channel))]),
                 UnitOf(channel)});
        return channels;
    };
    FCursor = new ChartCursor(
        Chart, Chart2, PanelSpanStatistics, [this] { return AnalysisData.get(); }, shown, this);
    column->addWidget(FCursor->WholeView());
    connect(this, &TChildform::ActiveFormChanged, FCursor, [this] { FCursor->Refresh(); });
}

void TChildform::ApplyMinimumSize() {
    const QScreen* screen = this->screen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    if (dpi < 120) {
        setMinimumSize(700, 455);
    } else {
        setMinimumSize(875, 568);
        PanelLeft->setMinimumHeight(518);
        PanelZoomX->setMinimumWidth(605);
    }
    resize(std::max(width(), minimumWidth()), std::max(height(), minimumHeight()));
    PanelZoomX->FillSpanItems(4);
}

void TChildform::ApplyTexts() {
    PanelLeft->ApplyTexts();
    ActionOpenExcel->setText(Text(24));
    ActionOpenSettings->setText(Text(7));
    PanelZoomX->ApplyTexts();
    if (FHealthPanel != nullptr)
        FHealthPanel->ApplyTexts();
    for (ChartSurface* chart : {Chart, Chart2})
        chart->UndoZoomAction()->setText(Text(TextUndoZoom));
    ApplyCaptions();
    UpdateCaption();
    FCursor->ApplyTexts();
    FGuide->ApplyTexts();
}

bool TChildform::HasData() const { return AnalysisData && AnalysisData->HasData(); }

bool TChildform::HasVisibleSeries() const {
    return Chart->ActiveSeriesCount() + Chart2->ActiveSeriesCount() > 0;
}

bool TChildform::IsChecked(int channel) const { return CheckBoxOf(channel)->isChecked(); }

QString TChildform::UnitOf(int channel) const {
    return AnalysisData ? AnalysisData->GetUnit(channel) : QString();
}

void TChildform::CB_Click(QCheckBox* box) {
    GraphCheckboxClicked(box, box->property("tag").toInt());
}

void TChildform::GraphCheckboxClicked(QCheckBox* box, int channel) {
    if (box == nullptr)
        AppError::Raise(QStringLiteral(
            "Internal Error. Assertion Failed GraphCheckboxClicked - CheckBox == NULL"));
    if (!box->isChecked()) {
        HideChannel(channel);
        return;
    }
    try {
        if (ShowChannel(channel) != 0)
            AppError::RaiseText(102);
    } catch (const AppError& error) {
        box->setChecked(false);
        HideChannel(channel);
        throw AppError(error.Message());
    }
}

int TChildform::ShowChannel(int channel) {
    const DataState status = ShowSeries(channel);
    SeriesShownOrHidden(true);
    return static_cast<int>(status);
}

DataState TChildform::ShowSeries(int channel) {
    if (channel > 14 || channel < 0)
        AppError::Raise(QStringLiteral("Internal Error - ENUM OVERFLOW"));
    if (!HasData())
        AppError::RaiseText(83);
    DataState status = DataState::Absent;
    AnalysisData->ShowChannel(Chart, channel, status, Chart->Maximum(ChartAxis::Bottom),
                              Chart->Minimum(ChartAxis::Bottom));
    return status;
}

void TChildform::SeriesShownOrHidden(bool shown) {
    if (shown)
        AnalysisData->ApplySettings(FSettings);
    UpdateAxes();
    Q_EMIT ActiveFormChanged(this);
}

void TChildform::HideChannel(int channel) {
    if (HideSeries(channel))
        SeriesShownOrHidden(false);
}

bool TChildform::HideSeries(int channel) {
    if (channel > 14 || channel < 0)
        AppError::Raise(QStringLiteral("Internal Error - ENUM OVERFLOW"));
    if (!HasVisibleSeries() || !AnalysisData)
        return false;
    AnalysisData->HideChannel(Chart, channel);
    return true;
}

// Re-attaching hides and shows every checked channel. The settings, the axes and the commands
// depend only on where that ends, so they are brought up to date once, not once per channel: on a
// year of days each application of the settings walks every series of the data set.
void TChildform::RemoveCheckedSeries() {
    bool hidden = false;
    for (int channel : {ChT1, ChT2, ChT3, ChT4, ChT5, ChT6, ChTD, ChFlow, ChPower, ChVolume,
                        ChEnergy, ChR1, ChR2, ChR3, ChRError})
        if (IsChecked(channel))
            hidden = HideSeries(channel) || hidden;
    if (hidden)
        SeriesShownOrHidden(false);
}

void TChildform::AddCheckedSeries() {
    bool shown = false;
    for (int channel : {ChRError, ChR3, ChR2, ChR1, ChEnergy, ChVolume, ChFlow, ChPower, ChTD, ChT6,
                        ChT5, ChT4, ChT3, ChT2, ChT1})
        if (IsChecked(channel)) {
            ShowSeries(channel);
            shown = true;
        }
    if (shown)
        SeriesShownOrHidden(true);
    FView->Fetched(Chart->Minimum(ChartAxis::Bottom), Chart->Maximum(ChartAxis::Bottom));
}

void TChildform::UpdateCommands() {
    ActionOpenExcel->setEnabled(HasData() && !FView->MonthMode &&
                                static_cast<unsigned>(FView->DayIndex) <
                                    AnalysisData->GetDayCount());
    ActionOpenSettings->setEnabled(true);
}

void TChildform::ClearAnalysis() {
    // The series leave the charts with their days.
    FCursor->Reset();
    AnalysisData.reset();
    FHealthPanel->AnalysisChanged();
    PanelLeft->ForgetEventTicks();
    for (int channel = 0; channel < ChannelCount; ++channel)
        if (channel != ChVolume && channel != ChEnergy)
            CheckBoxOf(channel)->setChecked(false);
    FView->Clear();
    Chart->ClearTitle();
    FromText.clear();
    setWindowTitle(Text(16));
}

void TChildform::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Guarded([this] { UpdateCommands(); });
}

void TChildform::closeEvent(QCloseEvent* event) {
    Guarded([this] {
        SliderTime->disconnect(this);
        ScrollTimer->stop(); // a button held while the window closes gets no release
        ClearAnalysis();
    });
    event->accept();
}
