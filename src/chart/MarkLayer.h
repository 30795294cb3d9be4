#pragma once

#include "chart/PlotLibrary.h"

class ChartMarks;

// Draws the marks of a ChartMarks model that stand behind the series, on the grid's layer, so
// that they go into saved and printed charts as well. The marks in front are a MarkOverlay's.
class MarkLayer : public QCPLayerable {
    Q_OBJECT
public:
    MarkLayer(QCustomPlot* plot, const ChartMarks* marks);

    void SetMarks(const ChartMarks* marks) { FMarks = marks; }

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    const ChartMarks* FMarks;
};
