#pragma once

#include <array>
#include <cstddef>

// The fifteen measured quantities. 0..12 are columns of a log file, Volume and Energy are summed
// per day while a file is read.
enum Channel {
    ChT1 = 0,
    ChT2,
    ChT3,
    ChT4,
    ChT5,
    ChT6,
    ChTD,
    ChFlow,
    ChPower,
    ChR1,
    ChR2,
    ChR3,
    ChRError,
    ChVolume,
    ChEnergy
};

inline constexpr int ChannelCount = 15;
inline constexpr int FileChannelCount = 13;

// The names of the file columns in the heading line, in channel order.
inline constexpr std::array<const char*, FileChannelCount> ChannelHeadingNames = {
    "T1", "T2", "T3", "T4", "T5", "T6", "Tds", "V'", "P", "R1", "R2", "R3", "R!"};

// The short names used for the panel's components (CB_T1 ... CB_RError).
inline constexpr std::array<const char*, ChannelCount> ChannelShortNames = {
    "T1",    "T2", "T3", "T4", "T5",     "T6",     "TD",    "Flow",
    "Power", "R1", "R2", "R3", "RError", "Volume", "Energy"};

// R1, R2, R3 and RError: drawn in the four bands of the output chart.
constexpr bool IsOutputChannel(int channel) { return channel >= ChR1 && channel <= ChRError; }

// Flow, Power, Volume and Energy: lines or bars on the main chart.
constexpr bool IsOtherChannel(int channel) {
    return channel == ChFlow || channel == ChPower || channel == ChVolume || channel == ChEnergy;
}

// The language text of a channel's default label ("Temperature sensor 1" ... "Sum of energy").
constexpr int DefaultLabelText(int channel) {
    constexpr std::array<int, ChannelCount> Texts = {56, 57, 58, 59, 60, 61, 62, 63,
                                                     64, 67, 68, 69, 70, 65, 66};
    return channel >= 0 && channel < ChannelCount ? Texts[static_cast<std::size_t>(channel)] : 56;
}
