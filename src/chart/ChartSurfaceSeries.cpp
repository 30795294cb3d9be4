#include "chart/ChartSurface.h"

#include "chart/ChartSeries.h"
#include "chart/SeriesGraph.h"

#include <algorithm>

// The series the surface hosts: one plottable each, filled from the series when next drawn, and
// the legend that lists them.

double ChartSurface::KeyAtPixel(double x) const { return xAxis->pixelToCoord(x); }

double ChartSurface::PixelOfKey(double key) const { return xAxis->coordToPixel(key); }

QRect ChartSurface::PlotArea() const { return axisRect()->rect(); }

SeriesGraph* ChartSurface::GraphOf(const ChartSeries* series) const {
    const auto it = FGraphs.find(series);
    return it == FGraphs.end() ? nullptr : it->second.data();
}

SeriesGraph* ChartSurface::MakeGraph() { return new SeriesGraph(xAxis, yAxis); }

void ChartSurface::SeriesAttached(ChartSeries* series) {
    SeriesGraph* graph = MakeGraph(); // owned by the plot
    graph->removeFromLegend();
    FGraphs[series] = graph;
    ApplyStyle(series);
    FillPoints(series);
    RebuildLegend();
    Repaint();
}

void ChartSurface::SeriesDetached(ChartSeries* series) {
    if (SeriesGraph* graph = GraphOf(series))
        removePlottable(graph);
    FGraphs.erase(series);
    FFilledVersion.erase(series);
    RebuildLegend();
    Repaint();
}

void ChartSurface::SeriesChanged(ChartSeries* series, Change change) {
    // Points are copied when next drawn, so a reader appending point by point stays linear.
    if (change != Change::Points)
        ApplyStyle(series);
    if (change == Change::Style || change == Change::Legend)
        RebuildLegend();
    Repaint();
}

void ChartSurface::SyncPoints() {
    for (ChartSeries* series : Series())
        if (const auto it = FFilledVersion.find(series);
            it == FFilledVersion.end() || it->second != series->PointsVersion())
            FillPoints(series);
}

void ChartSurface::FillPoints(ChartSeries* series) {
    SeriesGraph* graph = GraphOf(series);
    if (!graph)
        return;
    FFilledVersion[series] = series->PointsVersion();
    QVector<QCPGraphData> points;
    points.reserve(series->Count());
    series->ForEachPoint([&](DateTime x, double y) { points.append(QCPGraphData(x, y)); });
    // Already in insertion order: QCP's own sort is unstable and would swap gaps with points.
    graph->data()->set(points, true);
}

void ChartSurface::ApplyStyle(ChartSeries* series) {
    SeriesGraph* graph = GraphOf(series);
    if (!graph)
        return;
    graph->setPen(QPen(series->Color(), std::clamp(series->LineWidth(), 1, MaxLineWidth)));
    graph->setName(series->Title());
    graph->setLineStyle(series->Stairs() ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    graph->SetBars(series->Kind() == SeriesKind::Bar, series->BarOrigin(),
                   ChartSeries::BarWidthPercent / 100.0);
    graph->setValueAxis(series->Axis() == ValueAxis::Right ? yAxis2 : yAxis);
    QCPLayer* wanted =
        series->Underlay()
            ? (graph->Bars() ? FUnderlayLayer : layer(QStringLiteral("underlay-lines")))
        : graph->Bars() ? FBarLayer
                        : layer(QStringLiteral("main"));
    if (graph->layer() != wanted)
        graph->setLayer(wanted);
}

void ChartSurface::SetLegendVisible(bool visible) {
    FLegendVisible = visible;
    RebuildLegend();
    Repaint();
}

void ChartSurface::RebuildLegend() {
    // A re-added entry would go to the end, so the whole legend follows the series order.
    legend->clearItems();
    for (ChartSeries* series : Series())
        if (SeriesGraph* graph = GraphOf(series); graph && series->ShowInLegend())
            graph->addToLegend();
    const bool show = FLegendVisible && legend->itemCount() > 0;
    legend->setVisible(show);
    // An empty legend in the layout would cap the width of the whole column, so it only takes
    // its row (below the title) while it has entries.
    if (show && !legend->layout()) {
        plotLayout()->insertRow(1);
        plotLayout()->addElement(1, 0, legend);
        plotLayout()->setRowStretchFactor(1, 0.001);
    } else if (!show && legend->layout()) {
        plotLayout()->take(legend);
        plotLayout()->simplify();
    }
}

QStringList ChartSurface::LegendEntries() const {
    QStringList entries;
    for (int i = 0; i < legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            entries.append(item->plottable()->name());
    return entries;
}

void ChartSurface::SetBackgroundColor(const QColor& color) {
    setBackground(QBrush(color));
    Repaint();
}
