#pragma once

// The slots of the language table for comparing two periods (the report's difference rows, the
// reference period of an analysis window), one block; a renumbering moves `TextCompareFirst`
// alone.
inline constexpr int TextCompareFirst = 261;
inline constexpr int TextCompareDifference = TextCompareFirst + 0;
inline constexpr int TextCompareDifferencePercent = TextCompareFirst + 1;
inline constexpr int TextCompareWith = TextCompareFirst + 2; // "Compare with..."
inline constexpr int TextCompareCaption = TextCompareFirst + 3;
inline constexpr int TextCompareDayEarlier = TextCompareFirst + 4;
inline constexpr int TextCompareWeekEarlier = TextCompareFirst + 5;
inline constexpr int TextCompareYearEarlier = TextCompareFirst + 6;
inline constexpr int TextCompareDaysFrom = TextCompareFirst + 7;
inline constexpr int TextCompareDaysTo = TextCompareFirst + 8;
inline constexpr int TextCompareNone = TextCompareFirst + 9;
inline constexpr int TextCompareNoFiles = TextCompareFirst + 10;   // "%s": the reference's days
inline constexpr int TextCompareTitleLine = TextCompareFirst + 11; // "%s": the reference's days
inline constexpr int TextReadoutReference = TextCompareFirst + 12; // "%1": value, "%2": difference
inline constexpr int TextReadoutNoFile = TextCompareFirst + 13;    // "%s": the reference day
inline constexpr int TextReadoutNoPartner = TextCompareFirst + 14;
inline constexpr int TextCompareReference = TextCompareFirst + 15; // "Reference"
inline constexpr int TextCompareCount = 16;
