#pragma once

#include "core/DateTime.h"

struct ChartPair;
class QWidget;

// The Save command of an analysis window: asks for the file, its type and, for the types drawn
// for a size, the image size; then writes the charts. The size chosen is offered again for the
// rest of the run.
void RunChartImageSave(QWidget* owner, const ChartPair& charts, bool monthMode,
                       DateTime currentDate);
