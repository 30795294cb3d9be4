#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <cstdint>

// Colour value as the settings, the INI file and the colour dialog hold it: 0x00BBGGRR.
using ColorRef = std::uint32_t;

inline constexpr int SettingsSlotCount = 15;

// Slots of the label and colour arrays. Not the channel numbering of the log data: slot 8 is Volume
// and slot 9 is Power.
enum SettingsSlot {
    SlotT1 = 0,
    SlotT2,
    SlotT3,
    SlotT4,
    SlotT5,
    SlotT6,
    SlotTD,
    SlotFlow,
    SlotVolume,
    SlotPower,
    SlotEnergy,
    SlotR1,
    SlotR2,
    SlotR3,
    SlotRError
};

// The label that stands for the channel's name in the current language.
inline const QString DefaultLabel = QStringLiteral("DEFAULT_LABEL");

// The settings of one analysis window, copied whole.
struct WindowSettings {
    QString ChartTitle;
    std::int32_t LineWidth = 2;
    std::int32_t AxisMin = -10;
    std::int32_t AxisMax = 120;
    bool DynamicScaling = true;
    std::array<QString, SettingsSlotCount> Labels;
    std::array<ColorRef, SettingsSlotCount> Colors{};
    bool OthersShowBars = true;
    bool RShowBars = false;
    // The channels ticked when a file is opened into the window, by short name ("T1,T2,Flow");
    // none unless the user asks for them.
    QString OpenChannels;

    // The factory settings: before the INI file is read, for missing or invalid keys, and for the
    // settings dialog's Default button.
    static WindowSettings FactoryDefaults();

    bool operator==(const WindowSettings&) const = default;
};

// The settings slot of a log channel (0..14) and back.
int SlotOfChannel(int channel);
int ChannelOfSlot(int slot);

// The one conversion between stored colour values (red in the lowest byte) and Qt colours.
QColor ColorFromRef(ColorRef value);
ColorRef RefFromColor(const QColor& color);
