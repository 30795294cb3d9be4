#include "ui/HealthPanel.h"

#include "core/Channels.h"
#include "core/ConventionTexts.h"
#include "core/DatePattern.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "health/HealthThresholds.h"
#include "health/ProfileRoles.h"
#include "logdata/TAnalysisData.h"
#include "settings/SettingsStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/ProfileTexts.h"
#include "ui/TDialogPlantProfile.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace {

// The figure before the channels, so that a narrow panel cuts the channels first.
enum Column { ColumnKind, ColumnStart, ColumnEnd, ColumnValue, ColumnChannels, ColumnCount };
// The language text of each column (the table holds kind, start, end, channels, value).
constexpr int ColumnText[ColumnCount] = {0, 1, 2, 4, 3};
constexpr int EventRole = Qt::UserRole;
constexpr int SortRole = Qt::UserRole + 1;
const QString TimePattern = QStringLiteral("dd.mm.yyyy hh:mm");

// Sorts by the values behind the texts: times as times, figures as numbers.
class EventItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override {
        const int column = treeWidget() != nullptr ? treeWidget()->sortColumn() : 0;
        const QVariant mine = data(column, SortRole);
        const QVariant theirs = other.data(column, SortRole);
        if (mine.typeId() == QMetaType::Double && theirs.typeId() == QMetaType::Double &&
            mine.toDouble() != theirs.toDouble())
            return mine.toDouble() < theirs.toDouble();
        if (mine.typeId() != QMetaType::Double && mine.toString() != theirs.toString())
            return mine.toString() < theirs.toString();
        // Equal keys keep time order.
        return data(ColumnStart, SortRole).toDouble() <
               other.data(ColumnStart, SortRole).toDouble();
    }
};

void FillCombo(QComboBox* combo, int first, int last, int chosen) {
    for (int c = first; c <= last; ++c)
        combo->addItem(LanguageFormat::ChannelName(c), c);
    combo->setCurrentIndex(combo->findData(chosen));
}

// The figure's unit in the current language.
QString UnitText(EventKind kind) {
    switch (kind) {
    case EventKind::SensorFault:
        return Text(TextUnitReadings);
    case EventKind::PumpCycling:
        return Text(TextUnitStarts);
    default:
        return FigureUnit(kind);
    }
}

// The channels' names in the current language; the entry without a channel gets its own text.
void NameComboItems(QComboBox* combo) {
    for (int i = 0; i < combo->count(); ++i) {
        const int channel = combo->itemData(i).toInt();
        combo->setItemText(i, channel < 0 ? Text(TextHealthNoChannel)
                                          : LanguageFormat::ChannelName(channel));
    }
}

} // namespace

HealthPanel::HealthPanel(QWidget* parent, Window window) : QFrame(parent), Form(std::move(window)) {
    setObjectName(QStringLiteral("HealthPanel"));
    setFrameShape(QFrame::StyledPanel);
    setMinimumWidth(390);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(6, 6, 6, 6);

    LabelHealthTitle = new QLabel(this);
    LabelHealthTitle->setObjectName(QStringLiteral("LabelHealthTitle"));
    QFont bold = LabelHealthTitle->font();
    bold.setBold(true);
    LabelHealthTitle->setFont(bold);
    column->addWidget(LabelHealthTitle);

    const ChannelRoles defaults;
    auto* roles = new QGridLayout;
    const auto addRole = [&](const char* name, int row) {
        auto* label = new QLabel(this);
        auto* combo = new QComboBox(this);
        combo->setObjectName(QLatin1String(name));
        label->setBuddy(combo);
        roles->addWidget(label, row / 2, (row % 2) * 2);
        roles->addWidget(combo, row / 2, (row % 2) * 2 + 1);
        FRoleLabels.push_back(label);
        return combo;
    };
    ComboCollector = addRole("ComboCollector", 0);
    ComboStore = addRole("ComboStore", 1);
    ComboPump = addRole("ComboPump", 2);
    ComboFlow = addRole("ComboFlow", 3);
    FillCombo(ComboCollector, ChT1, ChTD, defaults.Collector);
    FillCombo(ComboStore, ChT1, ChTD, defaults.Store);
    FillCombo(ComboPump, ChR1, ChR3, defaults.Pump);
    FillCombo(ComboFlow, ChFlow, ChFlow, defaults.Flow);
    ComboFlow->addItem(QString(), -1);
    ButtonPlantProfile = new QPushButton(this);
    ButtonPlantProfile->setObjectName(QStringLiteral("ButtonPlantProfile"));
    roles->addWidget(ButtonPlantProfile, 2, 3);
    column->addLayout(roles);
    for (QComboBox* combo : {ComboCollector, ComboStore, ComboPump, ComboFlow})
        connect(combo, &QComboBox::activated, this,
                GuardedSlot([this](int) { KeepChosenRoles(); }));
    connect(ButtonPlantProfile, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { ButtonPlantProfileClick(); }));

    LabelHealthCounts = new QLabel(this);
    LabelHealthCounts->setObjectName(QStringLiteral("LabelHealthCounts"));
    LabelHealthCounts->setWordWrap(true);
    column->addWidget(LabelHealthCounts);

    TreeHealthEvents = new QTreeWidget(this);
    TreeHealthEvents->setObjectName(QStringLiteral("TreeHealthEvents"));
    TreeHealthEvents->setColumnCount(ColumnCount);
    TreeHealthEvents->setRootIsDecorated(false);
    TreeHealthEvents->setUniformRowHeights(true);
    TreeHealthEvents->setAlternatingRowColors(true);
    TreeHealthEvents->setSelectionMode(QAbstractItemView::SingleSelection);
    TreeHealthEvents->setSortingEnabled(true);
    TreeHealthEvents->sortByColumn(ColumnStart, Qt::AscendingOrder);
    TreeHealthEvents->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    // Choosing by mouse or keyboard goes there; a list refilled from code goes nowhere.
    connect(TreeHealthEvents, &QTreeWidget::currentItemChanged, this,
            GuardedSlot([this](QTreeWidgetItem* item, QTreeWidgetItem*) {
                GoToRow(TreeHealthEvents->indexOfTopLevelItem(item));
            }));
    connect(TreeHealthEvents, &QTreeWidget::itemClicked, this,
            GuardedSlot([this](QTreeWidgetItem* item, int) {
                GoToRow(TreeHealthEvents->indexOfTopLevelItem(item));
            }));
    column->addWidget(TreeHealthEvents, 1);
    ApplyTexts();
}

bool HealthPanel::HasData() const {
    const TAnalysisData* analysis = Form.Data();
    return analysis != nullptr && analysis->HasData();
}

QString HealthPanel::KindText(EventKind kind) {
    return Text(TextHealthKindFirst + static_cast<int>(kind));
}

void HealthPanel::ApplyTexts() {
    LabelHealthTitle->setText(Text(TextHealthTitle));
    for (size_t i = 0; i < FRoleLabels.size(); ++i)
        FRoleLabels[i]->setText(Text(TextHealthRoleFirst + static_cast<int>(i)) +
                                QStringLiteral(":"));
    for (QComboBox* combo : {ComboCollector, ComboStore, ComboPump, ComboFlow})
        NameComboItems(combo);
    ButtonPlantProfile->setText(Text(TextProfileCommand));
    QStringList headings;
    for (int c = 0; c < ColumnCount; ++c)
        headings << Text(TextHealthColumnFirst + ColumnText[c]);
    TreeHealthEvents->setHeaderLabels(headings);
    FillList();
}

ChannelRoles HealthPanel::Roles() const {
    ChannelRoles roles;
    roles.Collector = ComboCollector->currentData().toInt();
    roles.Store = ComboStore->currentData().toInt();
    roles.Pump = ComboPump->currentData().toInt();
    roles.Flow = ComboFlow->currentData().toInt();
    roles.Unused = FProfile.UnusedInputs;
    return roles;
}

void HealthPanel::SetRoles(const ChannelRoles& roles) {
    ComboCollector->setCurrentIndex(ComboCollector->findData(roles.Collector));
    ComboStore->setCurrentIndex(ComboStore->findData(roles.Store));
    ComboPump->setCurrentIndex(ComboPump->findData(roles.Pump));
    ComboFlow->setCurrentIndex(ComboFlow->findData(roles.Flow));
    Refresh();
}

QString HealthPanel::AnalysisPath() const {
    return HasData() && Form.Data()->GetDayCount() > 0 ? Form.Data()->GetDayFileName(0) : QString();
}

void HealthPanel::LoadProfile() {
    const QString path = AnalysisPath();
    FProfile = Form.Store() != nullptr && !path.isEmpty() ? Form.Store()->ProfileFor(path)
                                                          : PlantProfile();
    const ChannelRoles roles = RolesOf(FProfile);
    ComboCollector->setCurrentIndex(ComboCollector->findData(roles.Collector));
    ComboStore->setCurrentIndex(ComboStore->findData(roles.Store));
    ComboPump->setCurrentIndex(ComboPump->findData(roles.Pump));
    ComboFlow->setCurrentIndex(ComboFlow->findData(roles.Flow));
}

void HealthPanel::KeepChosenRoles() {
    PlantProfile profile = WithRoles(FProfile, Roles());
    const QString path = AnalysisPath();
    if (profile.Folder.isEmpty() && !path.isEmpty())
        profile.Folder = plantprofile::DataFolderOf(path);
    FProfile = profile;
    if (Form.Store() != nullptr && !profile.Folder.isEmpty())
        Form.Store()->SetPlantProfile(profile);
    Refresh();
}

void HealthPanel::ProfileChanged() {
    LoadProfile();
    FEvents.clear();
    FStale = true;
    if (!isHidden())
        Refresh();
}

void HealthPanel::ButtonPlantProfileClick() {
    if (EditPlantProfile(window(), Form.Store(), AnalysisPath()))
        NotifyPlantProfileChanged();
}

void NotifyPlantProfileChanged() {
    for (QWidget* top : QApplication::topLevelWidgets())
        for (HealthPanel* panel : top->findChildren<HealthPanel*>())
            panel->ProfileChanged();
}

void HealthPanel::AnalysisChanged() {
    LoadProfile();
    FEvents.clear();
    FStale = true;
    // Shown in its window, whether or not the window is on screen yet.
    if (!isHidden())
        Refresh();
    else
        FillList();
}

void HealthPanel::SetShown(bool shown) {
    setVisible(shown);
    if (shown && FStale)
        Refresh();
}

void HealthPanel::showEvent(QShowEvent* event) {
    QFrame::showEvent(event);
    if (FStale)
        Refresh();
}

void HealthPanel::Refresh() {
    FStale = false;
    FEvents.clear();
    if (HasData()) {
        const SettingsStore* store = Form.Store();
        const HealthThresholds limits = store != nullptr
                                            ? HealthThresholds::FromValues(store->GetHealthValues())
                                            : HealthThresholds();
        FEvents = CheckAnalysis(*Form.Data(), Roles(), limits);
    }
    FillList();
}

QString HealthPanel::ChannelNames(const std::vector<int>& channels) const {
    QStringList names;
    for (int c : channels)
        if (c >= 0 && c < ChannelCount)
            names << LanguageFormat::ChannelName(c);
    return names.join(QStringLiteral(", "));
}

void HealthPanel::FillList() {
    const EventCounts counts = CountByKind(FEvents);
    QStringList parts;
    for (int k = 0; k < EventKindCount; ++k)
        if (counts[static_cast<size_t>(k)] > 0)
            parts << QStringLiteral("%1: %2")
                         .arg(KindText(static_cast<EventKind>(k)))
                         .arg(counts[static_cast<size_t>(k)]);
    LabelHealthCounts->setText(FEvents.empty() ? (HasData() ? Text(TextHealthNoEvents) : QString())
                                               : parts.join(QStringLiteral(" · ")));

    const QSignalBlocker block(TreeHealthEvents);
    TreeHealthEvents->setSortingEnabled(false);
    TreeHealthEvents->clear();
    for (size_t i = 0; i < FEvents.size(); ++i) {
        const HealthEvent& event = FEvents[i];
        auto* item = new EventItem(TreeHealthEvents);
        item->setText(ColumnKind, KindText(event.Kind));
        item->setData(ColumnKind, EventRole, static_cast<int>(i));
        item->setData(ColumnKind, SortRole, KindText(event.Kind));
        item->setText(ColumnStart, DatePattern::Format(TimePattern, event.Start));
        item->setData(ColumnStart, SortRole, event.Start);
        // An end on the start's day (or at its midnight) needs only its time.
        const bool sameDay = std::floor(event.End - 1e-9) == std::floor(event.Start);
        item->setText(ColumnEnd, DatePattern::Format(
                                     sameDay ? QStringLiteral("hh:mm") : TimePattern, event.End));
        item->setData(ColumnEnd, SortRole, event.End);
        item->setText(ColumnChannels, ChannelNames(event.Channels));
        item->setData(ColumnChannels, SortRole, ChannelNames(event.Channels));
        const double shown = std::round(event.Value * 10.0) / 10.0;
        item->setText(ColumnValue,
                      QStringLiteral("%1 %2").arg(
                          LanguageFormat::Number(shown, shown == std::floor(shown) ? 0 : 1),
                          UnitText(event.Kind)));
        item->setData(ColumnValue, SortRole, event.Value);
        item->setTextAlignment(ColumnValue, Qt::AlignRight | Qt::AlignVCenter);
    }
    TreeHealthEvents->setSortingEnabled(true);
}

void HealthPanel::GoToRow(int row) {
    QTreeWidgetItem* item = TreeHealthEvents->topLevelItem(row);
    if (item == nullptr)
        return;
    const int index = item->data(ColumnKind, EventRole).toInt();
    if (index < 0 || static_cast<size_t>(index) >= FEvents.size())
        return;
    {
        const QSignalBlocker block(TreeHealthEvents);
        TreeHealthEvents->setCurrentItem(item);
    }
    const HealthEvent& event = FEvents[static_cast<size_t>(index)];
    Form.ShowEvent(event.Start, event.End, event.Channels);
}
