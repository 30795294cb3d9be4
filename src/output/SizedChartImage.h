#pragma once

#include "output/ImageSize.h"

#include <QImage>
#include <QString>

#include <vector>

class ChartSurface;
class QIODevice;

// Charts drawn at a size of their own. `pieces` stand top to bottom and share the picture's height
// as they share the screen's; each is laid out at its share of the layout size and drawn scaled,
// so text, lines and margins are those of a chart that size.
QImage SizedChartPicture(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry);
bool WriteSizedRaster(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                      QIODevice& device, const char* format);
bool WriteSizedSvg(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                   QIODevice& device, const QString& title);
bool WriteSizedPdf(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                   QIODevice& device, const QString& title);
