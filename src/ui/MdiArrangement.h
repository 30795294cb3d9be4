#pragma once

#include <QRect>

#include <vector>

class QMdiArea;

// Rectangles that stack `count` windows one above the other across `area`, full width, the
// heights differing by at most one pixel so that the last window ends at the bottom edge.
std::vector<QRect> OneAboveTheOther(const QRect& area, int count);

// Arranges the area's visible, non-minimised sub-windows one above the other in creation order.
void TileOneAboveTheOther(QMdiArea& area);
