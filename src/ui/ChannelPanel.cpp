#include "ui/ChannelPanel.h"

#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "health/HealthTexts.h"
#include "ui/FrameLook.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <array>

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

int ChannelPanel::DefaultCaptionText(int channel) {
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

ChannelPanel::ChannelPanel(QWidget* parent) : QFrame(parent) {
    setObjectName(QStringLiteral("PanelLeft"));
    setFixedWidth(208);
    setMinimumHeight(415);
    Paint(this, FrameGrey);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(5, 4, 5, 4);
    column->setSpacing(4);

    LabelHeadline = new QLabel(this);
    LabelHeadline->setObjectName(QStringLiteral("LabelHeadline"));
    QFont bold = LabelHeadline->font();
    bold.setBold(true);
    bold.setUnderline(true);
    bold.setPixelSize(12);
    LabelHeadline->setFont(bold);
    column->addWidget(LabelHeadline);

    const auto makeGroup = [&](const char* name, const auto& entries, int height) {
        auto* group = new QGroupBox(this);
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
            connect(box, &QCheckBox::toggled, this, [this, box](bool) { Q_EMIT BoxToggled(box); });
            y += 16;
        }
        column->addWidget(group);
        return group;
    };
    GroupBoxInputs = makeGroup("GroupBoxInputs", Inputs, 132);
    GroupBoxOthers = makeGroup("GroupBoxOthers", Others, 85);
    GroupBoxOutputs = makeGroup("GroupBoxOutputs", Outputs, 84);
    Box(ChVolume)->setEnabled(false);
    Box(ChEnergy)->setEnabled(false);

    ButtonSettings = new QPushButton(this);
    ButtonSettings->setObjectName(QStringLiteral("ButtonSettings"));
    ButtonSettings->setFixedSize(113, 25);
    ButtonOpenExcel = new QPushButton(this);
    ButtonOpenExcel->setObjectName(QStringLiteral("ButtonOpenExcel"));
    ButtonOpenExcel->setFixedSize(113, 25);
    ButtonHealth = new QPushButton(this);
    ButtonHealth->setObjectName(QStringLiteral("ButtonHealth"));
    ButtonHealth->setFixedSize(113, 25);
    ButtonHealth->setCheckable(true);
    column->addWidget(ButtonSettings);
    column->addWidget(ButtonOpenExcel);
    column->addWidget(ButtonHealth);
    column->addStretch(1);
}

std::vector<int> ChannelPanel::ShownChannels() const {
    std::vector<int> shown;
    const auto add = [&](const auto& entries) {
        for (const PanelEntry& e : entries)
            if (Box(e.Channel)->isChecked() && Box(e.Channel)->isEnabled())
                shown.push_back(e.Channel);
    };
    add(Inputs);
    add(Others);
    add(Outputs);
    return shown;
}

void ChannelPanel::ApplyTexts() {
    LabelHeadline->setText(Text(46) + QStringLiteral(":"));
    GroupBoxInputs->setTitle(Text(47) + QStringLiteral(" "));
    GroupBoxOthers->setTitle(Text(48) + QStringLiteral(" "));
    GroupBoxOutputs->setTitle(Text(49) + QStringLiteral(" "));
    ButtonOpenExcel->setText(Text(24));
    ButtonSettings->setText(Text(7));
    ButtonHealth->setText(Text(TextHealthTitle));
}

void ChannelPanel::EnableTotals(bool monthSpan) {
    for (int channel : {ChVolume, ChEnergy}) {
        // Unchecking runs the click handler, which hides the per-day totals.
        if (!monthSpan)
            Box(channel)->setChecked(false);
        Box(channel)->setEnabled(monthSpan);
    }
}

void ChannelPanel::TickForEvent(const std::vector<int>& channels) {
    std::vector<int> ticked;
    for (int channel : FEventTicked) {
        if (std::find(channels.begin(), channels.end(), channel) != channels.end())
            ticked.push_back(channel);
        else
            Box(channel)->setChecked(false);
    }
    for (int channel : channels)
        if (channel >= 0 && channel < ChannelCount && Box(channel)->isEnabled() &&
            !Box(channel)->isChecked()) {
            Box(channel)->setChecked(true);
            ticked.push_back(channel);
        }
    FEventTicked = std::move(ticked);
}
