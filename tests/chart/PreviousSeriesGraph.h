#pragma once

#include "chart/ChartSurface.h"
#include "chart/SeriesGraph.h"

// A graph that strokes lines with the drawing code the surface had before, and a surface that
// hands it out, so that one test draws the same data both ways.
class PreviousSeriesGraph : public SeriesGraph {
public:
    using SeriesGraph::SeriesGraph;

protected:
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;
};

class PreviousSurface : public ChartSurface {
protected:
    SeriesGraph* MakeGraph() override { return new PreviousSeriesGraph(xAxis, yAxis); }
};
