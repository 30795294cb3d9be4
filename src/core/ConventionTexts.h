#pragma once

// Slots of the language table for the program's own conventions beyond the design: the channel
// names and units that are words (Flow, Power, RError, Volume, Energy; readings, starts) and the
// sizes the chart image save offers. One block; a renumbering moves `ConventionFirstText` alone.
inline constexpr int ConventionFirstText = 191;
// Five names in the order Flow, Power, RError, Volume, Energy.
inline constexpr int TextChannelNameFirst = ConventionFirstText + 0;
inline constexpr int TextImageSize = ConventionFirstText + 5; // the label of the size choice
inline constexpr int TextImageSizeScreen = ConventionFirstText + 6;
inline constexpr int TextImageSizeA4 = ConventionFirstText + 7;
// Units of the health check's figures that are words.
inline constexpr int TextUnitReadings = ConventionFirstText + 8;
inline constexpr int TextUnitStarts = ConventionFirstText + 9;
inline constexpr int ConventionTextCount = 10;
