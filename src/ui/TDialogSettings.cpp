#include "ui/TDialogSettings.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "settings/IniFile.h"
#include "settings/SettingsStore.h"
#include "ui/ErrorBoundary.h"
#include "ui/OpeningChannels.h"
#include "ui/QtPrompts.h"
#include "ui/TChildform.h"

#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {

TDialogSettings* theInstance = nullptr;

struct RowLayout {
    const char* Name;
    int Slot;
    int TextNumber;
};
// The order on screen, which is also the order of the checks and of the custom colours.
constexpr std::array<RowLayout, SettingsSlotCount> RowLayouts = {{{"T1", SlotT1, 56},
                                                                  {"T2", SlotT2, 57},
                                                                  {"T3", SlotT3, 58},
                                                                  {"T4", SlotT4, 59},
                                                                  {"T5", SlotT5, 60},
                                                                  {"T6", SlotT6, 61},
                                                                  {"TD", SlotTD, 62},
                                                                  {"Flow", SlotFlow, 63},
                                                                  {"Power", SlotPower, 64},
                                                                  {"Volume", SlotVolume, 65},
                                                                  {"Energy", SlotEnergy, 66},
                                                                  {"R1", SlotR1, 67},
                                                                  {"R2", SlotR2, 68},
                                                                  {"R3", SlotR3, 69},
                                                                  {"RError", SlotRError, 70}}};

constexpr int RowHeight = 21;
constexpr int EditWidth = 185;
constexpr int MinimumEditWidth = 120;
constexpr int MinimumSideWidth = 120;
constexpr int SwatchSize = 21;
constexpr int GroupMargin = 9;
constexpr int RowSpacing = 6;
constexpr int GroupSpacing = 8;

// The run-time library's integer conversion, whose message is not a language text.
int StrToInt(const QString& text) {
    int value = 0;
    if (!ParseProfileInteger(text, value))
        AppError::Raise(
            QStringLiteral("'%1' ist kein gültiger Integerwert").arg(EscapeControls(text)));
    return value;
}

QLineEdit* MakeEdit(QWidget* parent, const QString& name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setFixedHeight(RowHeight);
    return edit;
}

QLabel* MakeLabel(QWidget* parent, const QString& name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    return label;
}

QRadioButton* MakeRadio(QWidget* parent, const char* name) {
    auto* radio = new QRadioButton(parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

} // namespace

TDialogSettings::TDialogSettings(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TDialogSettings"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    BuildControls();
    setFixedSize(557, 523);
    FCommitted = FWorking = WindowSettings::FactoryDefaults();
    if (theInstance == nullptr)
        theInstance = this;
}

TDialogSettings::~TDialogSettings() {
    if (theInstance == this)
        theInstance = nullptr;
}

TDialogSettings* TDialogSettings::Instance() { return theInstance; }

void TDialogSettings::BuildControls() {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(9, 8, 9, 9);
    grid->setHorizontalSpacing(GroupSpacing);
    grid->setVerticalSpacing(4);

    LabelHeader = MakeLabel(this, QStringLiteral("LabelHeader"));
    QFont bold = LabelHeader->font();
    bold.setBold(true);
    LabelHeader->setFont(bold);
    grid->addWidget(LabelHeader, 0, 0, 1, 2);

    GroupBoxInputs = BuildChannelGroup("GroupBoxInputs", 0, 7, nullptr, nullptr, nullptr, nullptr,
                                       nullptr, nullptr);
    grid->addWidget(GroupBoxInputs, 1, 0);

    auto* right = new QVBoxLayout;
    right->setSpacing(5);
    GroupLineWidth = new QGroupBox(this);
    GroupLineWidth->setObjectName(QStringLiteral("GroupLineWidth"));
    auto* widthRow = new QHBoxLayout(GroupLineWidth);
    widthRow->setContentsMargins(9, 4, 9, 6);
    widthRow->setSpacing(0);
    EditLineWidth = MakeEdit(GroupLineWidth, QStringLiteral("EditLineWidth"));
    EditLineWidth->setMaxLength(2);
    EditLineWidth->setFixedWidth(40);
    UpDownLineWidth = new QWidget(GroupLineWidth);
    UpDownLineWidth->setObjectName(QStringLiteral("UpDownLineWidth"));
    UpDownLineWidth->setFixedSize(16, RowHeight);
    auto* arrows = new QVBoxLayout(UpDownLineWidth);
    arrows->setContentsMargins(0, 0, 0, 0);
    arrows->setSpacing(0);
    FLineWidthUp = new QToolButton(UpDownLineWidth);
    FLineWidthUp->setObjectName(QStringLiteral("UpDownLineWidthUp"));
    FLineWidthDown = new QToolButton(UpDownLineWidth);
    FLineWidthDown->setObjectName(QStringLiteral("UpDownLineWidthDown"));
    for (QToolButton* button : {FLineWidthUp, FLineWidthDown}) {
        button->setFixedSize(16, RowHeight / 2);
        button->setAutoRepeat(true);
        button->setFocusPolicy(Qt::NoFocus);
        arrows->addWidget(button);
    }
    FLineWidthUp->setArrowType(Qt::UpArrow);
    FLineWidthDown->setArrowType(Qt::DownArrow);
    connect(FLineWidthUp, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { StepLineWidth(1); }));
    connect(FLineWidthDown, &QToolButton::clicked, this,
            GuardedSlot([this](bool) { StepLineWidth(-1); }));
    widthRow->addWidget(EditLineWidth);
    widthRow->addWidget(UpDownLineWidth);
    widthRow->addStretch(1);
    right->addWidget(GroupLineWidth);

    GroupAxisLabels = new QGroupBox(this);
    GroupAxisLabels->setObjectName(QStringLiteral("GroupAxisLabels"));
    auto* axis = new QGridLayout(GroupAxisLabels);
    axis->setContentsMargins(9, 4, 9, 6);
    axis->setHorizontalSpacing(6);
    axis->setVerticalSpacing(4);
    RadioAxisDynamic = MakeRadio(GroupAxisLabels, "RadioAxisDynamic");
    RadioAxisFixed = MakeRadio(GroupAxisLabels, "RadioAxisFixed");
    LabelYMin = MakeLabel(GroupAxisLabels, QStringLiteral("LabelYMin"));
    EditYMin = MakeEdit(GroupAxisLabels, QStringLiteral("EditYMin"));
    LabelYMax = MakeLabel(GroupAxisLabels, QStringLiteral("LabelYMax"));
    EditYMax = MakeEdit(GroupAxisLabels, QStringLiteral("EditYMax"));
    EditYMin->setFixedWidth(56);
    EditYMax->setFixedWidth(56);
    axis->addWidget(RadioAxisDynamic, 0, 0, 1, 2);
    axis->addWidget(RadioAxisFixed, 1, 0, 1, 2);
    axis->addWidget(LabelYMin, 2, 0);
    axis->addWidget(EditYMin, 2, 1, Qt::AlignLeft);
    axis->addWidget(LabelYMax, 3, 0);
    axis->addWidget(EditYMax, 3, 1, Qt::AlignLeft);
    axis->setColumnStretch(1, 1);
    right->addWidget(GroupAxisLabels);
    right->addStretch(1);
    grid->addLayout(right, 1, 1);

    GroupBoxOthers = BuildChannelGroup(
        "GroupBoxOthers", 7, 4, &LabelOthersBHeader, &RadioOthersShowLines, &RadioOthersShowBars,
        "LabelOthersBHeader", "RadioOthersShowLines", "RadioOthersShowBars");
    grid->addWidget(GroupBoxOthers, 2, 0, 1, 2);
    GroupBoxExits =
        BuildChannelGroup("GroupBoxExits", 11, 4, &LabelRBHeader, &RadioRShowLines, &RadioRShowBars,
                          "LabelRBHeader", "RadioRShowLines", "RadioRShowBars");
    grid->addWidget(GroupBoxExits, 3, 0, 1, 2);

    auto* headline = new QHBoxLayout;
    headline->setSpacing(RowSpacing);
    LabelOutputHeadline = MakeLabel(this, QStringLiteral("LabelOutputHeadline"));
    EditOutputHeadline = MakeEdit(this, QStringLiteral("EditOutputHeadline"));
    headline->addWidget(LabelOutputHeadline);
    headline->addWidget(EditOutputHeadline, 1);
    grid->addLayout(headline, 4, 0, 1, 2);
    auto* opening = new QHBoxLayout;
    opening->setSpacing(RowSpacing);
    LabelOpenChannels = MakeLabel(this, QStringLiteral("LabelOpenChannels"));
    EditOpenChannels = MakeEdit(this, QStringLiteral("EditOpenChannels"));
    opening->addWidget(LabelOpenChannels);
    opening->addWidget(EditOpenChannels, 1);
    grid->addLayout(opening, 5, 0, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(RowSpacing);
    DefaultButton = new QPushButton(this);
    DefaultButton->setObjectName(QStringLiteral("DefaultButton"));
    OKBtn = new QPushButton(this);
    OKBtn->setObjectName(QStringLiteral("OKBtn"));
    CancelBtn = new QPushButton(this);
    CancelBtn->setObjectName(QStringLiteral("CancelBtn"));
    for (QPushButton* button : {DefaultButton, OKBtn, CancelBtn}) {
        button->setMinimumWidth(90);
        button->setAutoDefault(false);
    }
    OKBtn->setDefault(true);
    buttons->addWidget(DefaultButton);
    buttons->addStretch(1);
    buttons->addWidget(OKBtn);
    buttons->addWidget(CancelBtn);
    grid->addLayout(buttons, 6, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(4, 1);

    connect(OKBtn, &QPushButton::clicked, this, GuardedSlot([this](bool) { OKBtnClick(); }));
    connect(CancelBtn, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { CancelBtnClick(); }));
    connect(DefaultButton, &QPushButton::clicked, this,
            GuardedSlot([this](bool) { DefaultButtonClick(); }));
}

QGroupBox* TDialogSettings::BuildChannelGroup(const char* name, int firstRow, int rowCount,
                                              QLabel** header, QRadioButton** lines,
                                              QRadioButton** bars, const char* headerName,
                                              const char* linesName, const char* barsName) {
    auto* group = new QGroupBox(this);
    group->setObjectName(QString::fromLatin1(name));
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(GroupMargin, 2, GroupMargin, 4);
    grid->setHorizontalSpacing(RowSpacing);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < rowCount; ++i) {
        const RowLayout& layout = RowLayouts[static_cast<size_t>(firstRow + i)];
        const QString shortName = QString::fromLatin1(layout.Name);
        ChannelRow& row = FRows[static_cast<size_t>(firstRow + i)];
        row.Slot = layout.Slot;
        row.TextNumber = layout.TextNumber;
        row.Label = MakeLabel(group, QStringLiteral("Label") + shortName);
        row.Edit = MakeEdit(group, QStringLiteral("Edit") + shortName);
        row.Edit->setFixedWidth(EditWidth);
        row.Swatch = new QFrame(group);
        row.Swatch->setObjectName(QStringLiteral("Color") + shortName);
        row.Swatch->setFixedSize(SwatchSize, SwatchSize);
        row.Swatch->setFrameShape(QFrame::Panel);
        row.Swatch->setFrameShadow(QFrame::Sunken);
        row.Swatch->setAutoFillBackground(true);
        row.Swatch->setCursor(Qt::PointingHandCursor);
        row.Swatch->installEventFilter(this);
        grid->addWidget(row.Label, i, 0);
        grid->addWidget(row.Edit, i, 1);
        grid->addWidget(row.Swatch, i, 2);
    }
    if (header != nullptr) {
        *header = MakeLabel(group, QString::fromLatin1(headerName));
        *lines = MakeRadio(group, linesName);
        *bars = MakeRadio(group, barsName);
        auto* choice = new QVBoxLayout;
        choice->setSpacing(3);
        choice->addWidget(*header);
        choice->addWidget(*lines);
        choice->addWidget(*bars);
        choice->addStretch(1);
        grid->addLayout(choice, 0, 4, rowCount, 1);
        grid->setColumnMinimumWidth(3, 2 * RowSpacing);
        grid->setColumnStretch(4, 1);
    } else {
        grid->setColumnStretch(3, 1);
    }
    return group;
}

void TDialogSettings::SetSettings(const WindowSettings& settings) {
    FCommitted = settings;
    FWorking = settings;
}

void TDialogSettings::showEvent(QShowEvent* event) {
    Guarded([this] { FormShow(); });
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TDialogSettings::FormShow() {
    EditOutputHeadline->setText(FWorking.ChartTitle);
    EditLineWidth->setText(QString::number(FWorking.LineWidth));
    (FWorking.DynamicScaling ? RadioAxisDynamic : RadioAxisFixed)->setChecked(true);
    EditYMin->setText(QString::number(FWorking.AxisMin));
    EditYMax->setText(QString::number(FWorking.AxisMax));
    for (const ChannelRow& row : FRows) {
        row.Edit->setText(
            LabelForDisplay(FWorking.Labels[static_cast<size_t>(row.Slot)], row.TextNumber));
        PaintSwatch(row);
    }
    (FWorking.OthersShowBars ? RadioOthersShowBars : RadioOthersShowLines)->setChecked(true);
    (FWorking.RShowBars ? RadioRShowBars : RadioRShowLines)->setChecked(true);
    EditOpenChannels->setText(FWorking.OpenChannels);
    ApplyCaptions();
}

void TDialogSettings::ApplyCaptions() {
    setWindowTitle(Text(7));
    LabelHeader->setText(Text(30) + QStringLiteral(":"));
    GroupBoxInputs->setTitle(Text(47) + QStringLiteral(" "));
    GroupBoxOthers->setTitle(Text(48) + QStringLiteral(" "));
    GroupBoxExits->setTitle(Text(49) + QStringLiteral(" "));
    for (const ChannelRow& row : FRows)
        row.Label->setText(Text(row.TextNumber));
    LabelOthersBHeader->setText(Text(38));
    RadioOthersShowLines->setText(Text(40));
    RadioOthersShowBars->setText(Text(39));
    LabelRBHeader->setText(Text(38));
    RadioRShowLines->setText(Text(40));
    RadioRShowBars->setText(Text(39));
    GroupLineWidth->setTitle(Text(31) + QStringLiteral(" "));
    GroupAxisLabels->setTitle(Text(32) + QStringLiteral(" "));
    RadioAxisDynamic->setText(Text(33));
    RadioAxisFixed->setText(Text(34));
    LabelYMin->setText(Text(35));
    LabelYMax->setText(Text(36));
    LabelOutputHeadline->setText(Text(42));
    LabelOpenChannels->setText(Text(TextOpenChannels) + QStringLiteral(":"));
    EditOpenChannels->setPlaceholderText(Text(TextOpenChannelsHint));
    EditOpenChannels->setToolTip(Text(TextOpenChannelsHint));
    DefaultButton->setText(Text(43));
    OKBtn->setText(Text(45));
    CancelBtn->setText(Text(44));
    AlignColumns();
}

void TDialogSettings::AlignColumns() {
    // The three groups share one label and one edit column, so the rows line up whatever the
    // language; the edits give way when the captions grow.
    const int rightWidth = std::max({GroupLineWidth->sizeHint().width(),
                                     GroupAxisLabels->sizeHint().width(), MinimumSideWidth});
    GroupLineWidth->setFixedWidth(rightWidth);
    GroupAxisLabels->setFixedWidth(rightWidth);
    int labelWidth = 0;
    for (const ChannelRow& row : FRows)
        labelWidth = std::max(labelWidth, row.Label->sizeHint().width());
    const QMargins outer = layout()->contentsMargins();
    // What the group box's own frame adds around its layout, which depends on the style.
    const int frame = std::max(0, GroupBoxInputs->sizeHint().width() -
                                      GroupBoxInputs->layout()->sizeHint().width());
    const int groupInner = width() - outer.left() - outer.right() - GroupSpacing - rightWidth -
                           frame - 2 * GroupMargin - 2 * RowSpacing - SwatchSize;
    const int editWidth = std::clamp(groupInner - labelWidth, MinimumEditWidth, EditWidth);
    labelWidth = std::max(0, groupInner - editWidth);
    for (const ChannelRow& row : FRows) {
        row.Label->setFixedWidth(labelWidth);
        row.Edit->setFixedWidth(editWidth);
    }
}

void TDialogSettings::PaintSwatch(const ChannelRow& row) {
    QPalette palette = row.Swatch->palette();
    palette.setColor(QPalette::Window,
                     ColorFromRef(FWorking.Colors[static_cast<size_t>(row.Slot)]));
    row.Swatch->setPalette(palette);
}

void TDialogSettings::StepLineWidth(int delta) {
    // Steps from the edit's number when it holds one; the range has no wrap.
    int value = 0;
    if (!ParseProfileInteger(EditLineWidth->text(), value))
        value = FWorking.LineWidth;
    EditLineWidth->setText(QString::number(std::clamp(value + delta, 1, 99)));
}

QString TDialogSettings::LabelForDisplay(const QString& label, int textNumber) {
    return label == DefaultLabel ? Text(textNumber) : label;
}

QString TDialogSettings::LabelForStorage(const QString& text, int textNumber) {
    return text == Text(textNumber) ? DefaultLabel : text;
}

QString TDialogSettings::ReadLabelEdit(QLineEdit* edit) {
    const QString text = edit->text();
    if (text.isEmpty()) {
        edit->setFocus();
        AppError::RaiseText(103);
    }
    return text;
}

void TDialogSettings::OKBtnClick() {
    FWorking.ChartTitle = EditOutputHeadline->text();
    FWorking.DynamicScaling = RadioAxisDynamic->isChecked();
    const int lineWidth = StrToInt(EditLineWidth->text());
    if (lineWidth < 1 || lineWidth > 99) {
        EditLineWidth->setFocus();
        AppError::RaiseText(105);
    }
    FWorking.LineWidth = lineWidth;
    int axisMin = 0;
    int axisMax = 0;
    if (!ParseProfileInteger(EditYMin->text(), axisMin) ||
        !ParseProfileInteger(EditYMax->text(), axisMax))
        AppError::RaiseText(104);
    FWorking.AxisMin = axisMin;
    FWorking.AxisMax = axisMax;
    for (const ChannelRow& row : FRows)
        FWorking.Labels[static_cast<size_t>(row.Slot)] =
            LabelForStorage(ReadLabelEdit(row.Edit), row.TextNumber);
    FWorking.OthersShowBars = RadioOthersShowBars->isChecked();
    FWorking.RShowBars = RadioRShowBars->isChecked();
    // Stored by the names the panel uses, or the user learns of a mistyped name now rather than
    // when a file opens without it.
    QStringList unknown;
    const std::vector<int> opening = OpeningChannels::Parse(EditOpenChannels->text(), &unknown);
    if (!unknown.isEmpty()) {
        EditOpenChannels->setFocus();
        AppError::Raise(Text(TextOpenChannelsHint) + QStringLiteral("\n\n") +
                        unknown.join(QLatin1Char(' ')));
    }
    FWorking.OpenChannels = OpeningChannels::Format(opening);
    FCommitted = FWorking;
    QDialog::done(QDialog::Accepted);
}

void TDialogSettings::CancelBtnClick() {
    FWorking = FCommitted;
    QDialog::done(QDialog::Rejected);
}

void TDialogSettings::DefaultButtonClick() {
    WindowSettings factory = WindowSettings::FactoryDefaults();
    for (const ChannelRow& row : FRows)
        factory.Labels[static_cast<size_t>(row.Slot)] = Text(row.TextNumber);
    FCommitted = factory;
    FWorking = FCommitted;
    FormShow();
}

Prompts::CustomColors TDialogSettings::CustomColorsOf(const WindowSettings& settings) const {
    Prompts::CustomColors colors{};
    for (size_t i = 0; i < FRows.size(); ++i)
        colors[i] = settings.Colors[static_cast<size_t>(FRows[i].Slot)];
    colors[Prompts::CustomColorCount - 1] = 0;
    return colors;
}

void TDialogSettings::SelectColor(int slot) {
    const auto row = std::find_if(FRows.begin(), FRows.end(),
                                  [slot](const ChannelRow& r) { return r.Slot == slot; });
    if (row == FRows.end())
        return;
    ColorRef& color = FWorking.Colors[static_cast<size_t>(slot)];
    if (const auto chosen = CurrentPrompts().ChooseColor(this, color, CustomColorsOf(FWorking)))
        color = *chosen;
    PaintSwatch(*row);
}

void TDialogSettings::accept() {
    Guarded([this] { OKBtnClick(); });
}

void TDialogSettings::reject() { CancelBtnClick(); }

bool TDialogSettings::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        for (const ChannelRow& row : FRows)
            if (row.Swatch == watched) {
                const int slot = row.Slot;
                Guarded([this, slot] { SelectColor(slot); });
                return true;
            }
    }
    return QDialog::eventFilter(watched, event);
}

void EditNewWindowSettings(TDialogSettings& dialog, SettingsStore* store,
                           const std::vector<TChildform*>& openWindows) {
    dialog.SetSettings(store != nullptr ? store->GetNewWindowSettings()
                                        : WindowSettings::FactoryDefaults());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (store != nullptr && store->IsIniWritable())
        store->SetNewWindowSettings(dialog.GetSettings());
    if (openWindows.empty())
        return;
    if (CurrentPrompts().Message(PromptKind::Question, Text(82), Text(50)) != PromptAnswer::Yes)
        return;
    for (TChildform* form : openWindows)
        form->ApplySettings(dialog.GetSettings());
}

void EditWindowSettings(TDialogSettings& dialog, TChildform& form) {
    dialog.SetSettings(form.Settings());
    if (dialog.exec() != QDialog::Accepted)
        return;
    form.ApplySettings(dialog.GetSettings());
    SettingsStore* store = form.Store();
    if (store == nullptr || !store->IsIniWritable())
        return;
    if (CurrentPrompts().Message(PromptKind::Question, Text(81), Text(50) + QStringLiteral(":")) !=
        PromptAnswer::Yes)
        return;
    store->SetNewWindowSettings(form.Settings());
}
