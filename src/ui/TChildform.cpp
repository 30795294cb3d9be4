#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "ui/ChartTexts.h"
#include "ui/ChartCursor.h"
#include "ui/ErrorBoundary.h"
#include "ui/HealthPanel.h"
#include "ui/FrameLook.h"
#include "ui/SidePanelScroller.h"
#include "ui/SpanPanel.h"
#include "ui/WindowGuide.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QSplitter>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

struct PanelEntry {
    int Channel;
    int DefaultText;
};
// Top to bottom within each group; the default captions are language texts 56 to 70.
constexpr std::array<PanelEntry, 7> Inputs = {
    {{ChT1, 56}, {ChT2, 57}, {ChT3, 58}, {ChT4, 59}, {ChT5, 60}, {ChT6, 61}, {ChTD, 62}}};
constexpr std::array<PanelEntry, 4> Others = {
    {{ChFlow, 63}, {ChPower, 64}, {ChVolume, 65}, {ChEnergy, 66}}};
constexpr std::array<PanelEntry, 4> Outputs = {
    {{ChR1, 67}, {ChR2, 68}, {ChR3, 69}, {ChRError, 70}}};

} // namespace

int TChildform::DefaultCaptionText(int channel) {
    for (const PanelEntry& e : Inputs)
        if (e.Channel == channel)
            return e.DefaultText;
    for (const PanelEntry& e : Others)
        if (e.Channel == channel)
            return e.DefaultText;
    for (const PanelEntry& e : Outputs)
        if (e.Channel == channel)
            return e.DefaultText;
    return 56;
}

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
    ScrollTimer = new QTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setInterval(50);

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
    connect(ButtonHealth, &QPushButton::toggled, this,
            GuardedSlot([this](bool on) { FHealthPanel->SetShown(on); }));
    FGuide = new WindowGuide(*this, *Chart);
    ApplyMinimumSize();
    ApplyFixedChartProperties();
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
    PanelLeft = new QFrame(this);
    PanelLeft->setObjectName(QStringLiteral("PanelLeft"));
    PanelLeft->setFixedWidth(208);
    PanelLeft->setMinimumHeight(415);
    Paint(PanelLeft, FrameGrey);
    auto* column = new QVBoxLayout(PanelLeft);
    column->setContentsMargins(5, 4, 5, 4);
    column->setSpacing(4);

    LabelHeadline = new QLabel(PanelLeft);
    LabelHeadline->setObjectName(QStringLiteral("LabelHeadline"));
    QFont bold = LabelHeadline->font();
    bold.setBold(true);
    bold.setUnderline(true);
    bold.setPixelSize(12);
    LabelHeadline->setFont(bold);
    column->addWidget(LabelHeadline);

    const auto makeGroup = [&](const char* name, const auto& entries, int height) {
        auto* group = new QGroupBox(PanelLeft);
        group->setObjectName(QString::fromLatin1(name));
        group->setFixedSize(198, height);
        int y = 16;
        for (const PanelEntry& entry : entries) {
            const QString shortName =
                QString::fromLatin1(ChannelShortNames[static_cast<size_t>(entry.Channel)]);
            auto* box = new QCheckBox(group);
            box->setObjectName(QStringLiteral("CB_") + shortName);
            box->setProperty("tag", entry.Channel);
            box->setGeometry(4, y, 170, 16);
            auto* swatch = new QFrame(group);
            swatch->setObjectName(QStringLiteral("Color_") + shortName);
            swatch->setGeometry(177, y, 16, 16);
            swatch->setFrameShape(QFrame::Box);
            FBoxes[static_cast<size_t>(entry.Channel)] = box;
            FSwatches[static_cast<size_t>(entry.Channel)] = swatch;
            // toggled, not clicked: the program's own unchecking must hide the channel too.
            connect(box, &QCheckBox::toggled, this,
                    GuardedSlot([this, box](bool) { CB_Click(box); }));
            y += 16;
        }
        column->addWidget(group);
        return group;
    };
    GroupBoxInputs = makeGroup("GroupBoxInputs", Inputs, 132);
    GroupBoxOthers = makeGroup("GroupBoxOthers", Others, 85);
    GroupBoxOutputs = makeGroup("GroupBoxOutputs", Outputs, 84);
    CheckBoxOf(ChVolume)->setEnabled(false);
    CheckBoxOf(ChEnergy)->setEnabled(false);

    ButtonSettings = new QPushButton(PanelLeft);
    ButtonSettings->setObjectName(QStringLiteral("ButtonSettings"));
    ButtonSettings->setFixedSize(113, 25);
    ButtonOpenExcel = new QPushButton(PanelLeft);
    ButtonOpenExcel->setObjectName(QStringLiteral("ButtonOpenExcel"));
    ButtonOpenExcel->setFixedSize(113, 25);
    connect(ButtonSettings, &QPushButton::clicked, ActionOpenSettings, &QAction::trigger);
    connect(ButtonOpenExcel, &QPushButton::clicked, ActionOpenExcel, &QAction::trigger);
    connect(ActionOpenExcel, &QAction::triggered, this,
            GuardedSlot([this](bool) { ActionOpenExcelExecute(); }));
    connect(ActionOpenExcel, &QAction::changed, this,
            [this] { ButtonOpenExcel->setEnabled(ActionOpenExcel->isEnabled()); });
    ButtonHealth = new QPushButton(PanelLeft);
    ButtonHealth->setObjectName(QStringLiteral("ButtonHealth"));
    ButtonHealth->setFixedSize(113, 25);
    ButtonHealth->setCheckable(true);
    column->addWidget(ButtonSettings);
    column->addWidget(ButtonOpenExcel);
    column->addWidget(ButtonHealth);
    column->addStretch(1);
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

    PanelZoomX = new QFrame(PanelGraph);
    PanelZoomX->setObjectName(QStringLiteral("PanelZoomX"));
    PanelZoomX->setFixedHeight(63);
    PanelZoomX->setMinimumWidth(484);
    Paint(PanelZoomX, FrameGrey);
    auto* rows = new QVBoxLayout(PanelZoomX);
    rows->setContentsMargins(8, 4, 8, 4);
    rows->setSpacing(4);
    auto* first = new QHBoxLayout;
    LabelDisplayedTimeSpan = new QLabel(PanelZoomX);
    LabelDisplayedTimeSpan->setObjectName(QStringLiteral("LabelDisplayedTimeSpan"));
    SpanTime = new QComboBox(PanelZoomX);
    SpanTime->setObjectName(QStringLiteral("SpanTime"));
    SpanTime->setEditable(true);
    SpanTime->setFixedWidth(213);
    first->addWidget(LabelDisplayedTimeSpan);
    first->addWidget(SpanTime);
    first->addStretch(1);
    auto* second = new QHBoxLayout;
    LabelSelectTimeSpan = new QLabel(PanelZoomX);
    LabelSelectTimeSpan->setObjectName(QStringLiteral("LabelSelectTimeSpan"));
    SliderTime = new QSlider(Qt::Horizontal, PanelZoomX);
    SliderTime->setObjectName(QStringLiteral("SliderTime"));
    SliderTime->setFixedWidth(229);
    SliderTime->setTickPosition(QSlider::TicksBelow);
    SliderTime->setTickInterval(1);
    SliderTime->setRange(0, 0);
    SliderTime->setEnabled(false);
    second->addWidget(LabelSelectTimeSpan);
    second->addWidget(SliderTime);
    const auto makeButton = [&](QToolButton*& button, const char* name, const char* icon) {
        button = new QToolButton(PanelZoomX);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(25, 25);
        button->setIcon(QIcon(QString::fromLatin1(icon)));
        button->setIconSize(QSize(16, 16));
        second->addWidget(button);
    };
    makeButton(ButtonJumpLeft, "ButtonJumpLeft", ":/icons/JumpLeft.svg");
    makeButton(ButtonScrollLeft, "ButtonScrollLeft", ":/icons/ScrollLeft.svg");
    makeButton(ButtonScrollRight, "ButtonScrollRight", ":/icons/ScrollRight.svg");
    makeButton(ButtonJumpRight, "ButtonJumpRight", ":/icons/JumpRight.svg");
    second->addStretch(1);
    rows->addLayout(first);
    rows->addLayout(second);
    column->addWidget(PanelZoomX);
}

void TChildform::BuildCursor(QLayout* column) {
    PanelSpanStatistics = new SpanPanel(PanelGraph);
    column->addWidget(PanelSpanStatistics);
    const auto shown = [this] {
        std::vector<ChartCursor::ShownChannel> channels;
        if (!HasData())
            return channels;
        const auto add = [&](const auto& entries) {
            for (const PanelEntry& e : entries) {
                const QCheckBox* box = CheckBoxOf(e.Channel);
                if (box->isChecked() && box->isEnabled())
                    channels.push_back(
                        {e.Channel, box->text(),
                         ColorFromRef(
                             FSettings.Colors[static_cast<size_t>(SlotOfChannel(e.Channel))]),
                         UnitOf(e.Channel)});
            }
        };
        add(Inputs);
        add(Others);
        add(Outputs);
        return channels;
    };
    FCursor = new ChartCursor(
        Chart, Chart2, PanelSpanStatistics, [this] { return AnalysisData.get(); }, shown, this);
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
    FillSpanItems(4);
}

void TChildform::ApplyTexts() {
    LabelHeadline->setText(Text(46) + QStringLiteral(":"));
    GroupBoxInputs->setTitle(Text(47) + QStringLiteral(" "));
    GroupBoxOthers->setTitle(Text(48) + QStringLiteral(" "));
    GroupBoxOutputs->setTitle(Text(49) + QStringLiteral(" "));
    ActionOpenExcel->setText(Text(24));
    ActionOpenSettings->setText(Text(7));
    ButtonOpenExcel->setText(Text(24));
    ButtonSettings->setText(Text(7));
    LabelDisplayedTimeSpan->setText(Text(22) + QStringLiteral(":"));
    LabelSelectTimeSpan->setText(Text(23) + QStringLiteral(":"));
    ButtonHealth->setText(Text(TextHealthTitle));
    if (FHealthPanel != nullptr)
        FHealthPanel->ApplyTexts();
    for (ChartSurface* chart : {Chart, Chart2})
        chart->UndoZoomAction()->setText(Text(TextUndoZoom));
    ApplyCaptions();
    UpdateCaption();
    UpdateSpanTexts();
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
    FetchedFrom = std::floor(Chart->Minimum(ChartAxis::Bottom));
    FetchedTo = std::ceil(Chart->Maximum(ChartAxis::Bottom));
}

void TChildform::UpdateCommands() {
    ActionOpenExcel->setEnabled(HasData() && !MonthMode &&
                                static_cast<unsigned>(DayIndex) < AnalysisData->GetDayCount());
    ActionOpenSettings->setEnabled(true);
}

void TChildform::ClearAnalysis() {
    // The series leave the charts with their days.
    FCursor->Reset();
    AnalysisData.reset();
    FHealthPanel->AnalysisChanged();
    FEventTicked.clear();
    FetchedFrom = FetchedTo = std::numeric_limits<double>::quiet_NaN();
    for (int channel = 0; channel < ChannelCount; ++channel)
        if (channel != ChVolume && channel != ChEnergy)
            CheckBoxOf(channel)->setChecked(false);
    {
        const QSignalBlocker blockSlider(SliderTime);
        SliderTime->setRange(0, 0);
        SliderTime->setValue(0);
    }
    {
        const QSignalBlocker blockSpan(SpanTime);
        SpanTime->setCurrentIndex(SpanTime->count() > 3 ? 3 : -1);
    }
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
