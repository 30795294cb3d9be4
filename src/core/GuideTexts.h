#pragma once

// Slots of the language table for the texts that guide a new user (the empty chart's hint, tool
// tips, the channels ticked on opening), the licence statement and the hand-over on systems
// without the Windows spreadsheet. One block; a renumbering moves `TextGuideFirst` alone.
inline constexpr int TextGuideFirst = 201;
inline constexpr int TextNoChannelHint = TextGuideFirst + 0;
inline constexpr int TextOpenChannels = TextGuideFirst + 1;
inline constexpr int TextOpenChannelsHint = TextGuideFirst + 2;
inline constexpr int TextLicence = TextGuideFirst + 3;
inline constexpr int TextNoSpreadsheet = TextGuideFirst + 4;
inline constexpr int TextTipJumpLeft = TextGuideFirst + 5;
inline constexpr int TextTipJumpRight = TextGuideFirst + 6;
inline constexpr int TextTipScrollLeft = TextGuideFirst + 7;
inline constexpr int TextTipScrollRight = TextGuideFirst + 8;
inline constexpr int TextTipSpan = TextGuideFirst + 9;
inline constexpr int TextOptionChannels = TextGuideFirst + 10;
inline constexpr int TextUnknownChannel = TextGuideFirst + 11;
inline constexpr int TextGuideCount = 12;
