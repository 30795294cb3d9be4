#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QMdiArea;
class QMdiSubWindow;

// Rectangles that stack `count` windows one above the other across `area`, full width, the
// heights differing by at most one pixel so that the last window ends at the bottom edge. No
// window gets less than `minimum`: windows that do not fit then run on below the area, which
// scrolls to them.
std::vector<QRect> OneAboveTheOther(const QRect& area, int count, QSize minimum = QSize());

// Rectangles that cascade `count` windows from the top left of `area`, each `step` further right
// and down, all of one size so that the last one ends at the area's bottom right; never smaller
// than `minimum`.
std::vector<QRect> Cascaded(const QRect& area, int count, int step, QSize minimum = QSize());

// Brings the area's minimised sub-windows back to their normal size, as an arrangement needs.
void RestoreMinimised(QMdiArea& area);

// Arranges every visible sub-window one above the other in creation order, the minimised ones
// included, so that up to three fit the visible area: a tiled window may be lower than its content
// asks (its panel is cut at the bottom) down to `TiledMinimumHeight` (or its own smaller minimum);
// below that the area scrolls.
void TileOneAboveTheOther(QMdiArea& area);
inline constexpr int TiledMinimumHeight = 160;

// Cascades every visible sub-window from the area's top left, each at its full minimum again,
// sized so that the last one ends inside the visible area; the active window stays in front.
void CascadeAll(QMdiArea& area);

// Whether `window` is tiled below its content's minimum height; a resize by the user ends that.
bool IsBelowMinimum(const QMdiSubWindow& window);
