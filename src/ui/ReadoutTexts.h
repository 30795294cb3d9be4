#pragma once

// The time cursor's and the span statistics' slots of the language table, one block; a
// renumbering moves `ReadoutFirstText` alone.
inline constexpr int ReadoutFirstText = 179;
inline constexpr int TextMarkedSpan = ReadoutFirstText + 0;
inline constexpr int TextChannel = ReadoutFirstText + 1;
inline constexpr int TextMinimum = ReadoutFirstText + 2;
inline constexpr int TextMaximum = ReadoutFirstText + 3;
inline constexpr int TextMean = ReadoutFirstText + 4;
inline constexpr int TextTime = ReadoutFirstText + 5;
inline constexpr int TextVolumeLitres = ReadoutFirstText + 6;
inline constexpr int TextEnergyKWh = ReadoutFirstText + 7;
inline constexpr int TextOnTime = ReadoutFirstText + 8;
inline constexpr int TextStarts = ReadoutFirstText + 9;
inline constexpr int TextCopy = ReadoutFirstText + 10;
inline constexpr int TextSpanHint = ReadoutFirstText + 11; // "Shift+drag: mark a span"
inline constexpr int ReadoutTextCount = 12;

// Not the readout's own: the menu's "Close".
inline constexpr int TextClose = 3;
