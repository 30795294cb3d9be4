#pragma once

// Language-table slots of the analysis window's charts.
inline constexpr int TextUndoZoom = 178; // the context menu's entry that undoes the zoom
