#pragma once

// The slots of the language table for the whole view's figures against a reference period, one
// block; a renumbering moves `TextWholeViewFirst` alone.
inline constexpr int TextWholeViewFirst = 283;
inline constexpr int TextWholeView = TextWholeViewFirst + 0; // "Whole view", as "Marked span"
inline constexpr int TextWholeViewHint = TextWholeViewFirst + 1;
inline constexpr int TextWholeViewCount = 2;
