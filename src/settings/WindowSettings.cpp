#include "settings/WindowSettings.h"

WindowSettings WindowSettings::FactoryDefaults() {
    WindowSettings s;
    s.Labels.fill(DefaultLabel);
    s.Colors = {255,     16711680, 8388863,  32768,    33023, 679542, 0,  16744448,
                8388736, 4259584,  16711935, 16711680, 32768, 0,      255};
    return s;
}

namespace {
// Channel numbers 0..14 in slot order: Volume (13) sits before Power (8), Energy (14) after it.
constexpr std::array<int, SettingsSlotCount> ChannelBySlot = {0,  1, 2,  3, 4,  5,  6, 7,
                                                              13, 8, 14, 9, 10, 11, 12};
} // namespace

int SlotOfChannel(int channel) {
    for (int slot = 0; slot < SettingsSlotCount; ++slot)
        if (ChannelBySlot[static_cast<size_t>(slot)] == channel)
            return slot;
    return -1;
}

int ChannelOfSlot(int slot) {
    return slot >= 0 && slot < SettingsSlotCount ? ChannelBySlot[static_cast<size_t>(slot)] : -1;
}

QColor ColorFromRef(ColorRef value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

ColorRef RefFromColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return static_cast<ColorRef>(rgb.red()) | (static_cast<ColorRef>(rgb.green()) << 8) |
           (static_cast<ColorRef>(rgb.blue()) << 16);
}
