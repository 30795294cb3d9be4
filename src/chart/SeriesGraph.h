#pragma once

#include "chart/PlotLibrary.h"

#include <vector>

// The key axis's mapping between key and pixel with the library's own arithmetic, but without a
// call per point: drawing a month maps hundreds of thousands of keys. Axes other than a linear one
// running left to right are left to the library.
class KeyPixels {
public:
    explicit KeyPixels(const QCPAxis& axis);
    double ToPixel(double key) const {
        return FPlain ? (key - FLower) / FSize * FWidth + FLeft : FAxis.coordToPixel(key);
    }
    double ToKey(double pixel) const {
        return FPlain ? (pixel - FLeft) / FWidth * FSize + FLower : FAxis.pixelToCoord(pixel);
    }

private:
    const QCPAxis& FAxis;
    bool FPlain;
    double FLower, FSize, FWidth, FLeft;
};

// One plottable for every series kind, so a series switches between line, stairs and bars in
// place. Bars are drawn from the same container: at least one pixel wide, and runs of equal
// height merged into one rectangle, which keeps a month of one-minute bars solid and fast.
class SeriesGraph : public QCPGraph {
    Q_OBJECT
public:
    SeriesGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);
    void SetBars(bool bars, double origin, double widthFraction);
    bool Bars() const { return FBars; }
    // What the last draw of bars filled: rectangles, and the pixel rows they add up to (the cost).
    int LastBarRects() const { return FLastBarRects; }
    int LastBarSpans() const { return FLastBarSpans; }

    // The segments that stroke a polyline of pixel points: broken at null points, straight
    // horizontal and vertical runs joined, dense pixel columns walked as one vertical stroke each.
    static void StrokeSegments(const QVector<QPointF>& points, bool aliased, bool stairs,
                               std::vector<QLineF>& segments);

protected:
    void draw(QCPPainter* painter) override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;
    // The library's sampling of dense data (per pixel column the first, lowest, highest and last
    // value), point for point the same, with the keys mapped by KeyPixels.
    void getOptimizedLineData(QVector<QCPGraphData>* lineData,
                              const QCPGraphDataContainer::const_iterator& begin,
                              const QCPGraphDataContainer::const_iterator& end) const override;

private:
    bool FBars = false;
    double FOrigin = 0.0;
    double FWidthFraction = 0.75;
    int FLastBarRects = 0;
    int FLastBarSpans = 0;
};
