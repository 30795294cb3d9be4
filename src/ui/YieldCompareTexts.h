#pragma once

// The slots of the language table for the yield window's comparison of two periods, one block; a
// renumbering moves `TextYieldCompareFirst` alone.
inline constexpr int TextYieldCompareFirst = 277;
inline constexpr int TextYieldCompareCommand = TextYieldCompareFirst + 0; // "Compare..."
inline constexpr int TextYieldCompareTitle = TextYieldCompareFirst + 1;
inline constexpr int TextYieldCompareFirstPeriod = TextYieldCompareFirst + 2;
inline constexpr int TextYieldCompareSecondPeriod = TextYieldCompareFirst + 3;
inline constexpr int TextYieldCompareDays = TextYieldCompareFirst + 4;
inline constexpr int TextYieldCompareMonths = TextYieldCompareFirst + 5;
inline constexpr int TextYieldCompareCount = 6;
