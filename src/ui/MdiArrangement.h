#pragma once

#include <QRect>
#include <QSize>

#include <vector>

class QMdiArea;

// Rectangles that stack `count` windows one above the other across `area`, full width, the
// heights differing by at most one pixel so that the last window ends at the bottom edge. No
// window gets less than `minimum`: windows that do not fit then run on below the area, which
// scrolls to them.
std::vector<QRect> OneAboveTheOther(const QRect& area, int count, QSize minimum = QSize());

// Brings the area's minimised sub-windows back to their normal size, as an arrangement needs.
void RestoreMinimised(QMdiArea& area);

// Arranges every visible sub-window one above the other in creation order, the minimised ones
// included, each at least as large as it can be used.
void TileOneAboveTheOther(QMdiArea& area);

// The area's own cascade, after bringing the minimised sub-windows back.
void CascadeAll(QMdiArea& area);
