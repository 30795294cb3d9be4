#pragma once

// The plant profile dialog's slots of the language table, one block; a renumbering moves
// `TextProfileFirst` alone.
inline constexpr int TextProfileFirst = 220;
inline constexpr int TextProfileTitle = TextProfileFirst + 0;
inline constexpr int TextProfileCommand = TextProfileFirst + 1; // "Plant profile..."
inline constexpr int TextProfileFolder = TextProfileFirst + 2;
inline constexpr int TextProfileChooseFolder = TextProfileFirst + 3;
inline constexpr int TextProfileName = TextProfileFirst + 4;
inline constexpr int TextProfileArea = TextProfileFirst + 5;
inline constexpr int TextProfileUnused = TextProfileFirst + 6;
inline constexpr int TextProfileLimits = TextProfileFirst + 7;
inline constexpr int TextProfileDefaults = TextProfileFirst + 8;    // the button
inline constexpr int TextProfileDefault = TextProfileFirst + 9;     // the column
inline constexpr int TextProfileRange = TextProfileFirst + 10;      // the column
inline constexpr int TextProfileOutOfRange = TextProfileFirst + 11; // %1 lowest, %2 highest
inline constexpr int TextProfileSensorOrder = TextProfileFirst + 12;
inline constexpr int TextProfileHint = TextProfileFirst + 13;
// The meaning of each limit, in the order of `HealthThresholds::Keys()`.
inline constexpr int TextProfileLimitFirst = TextProfileFirst + 14;
inline constexpr int TextProfileCount = 26;
