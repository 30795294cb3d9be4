#pragma once

#include "chart/PlotLibrary.h"

// One plottable for every series kind, so a series switches between line, stairs and bars in
// place. Bars are drawn from the same container: at least one pixel wide, and runs of equal
// height merged into one rectangle, which keeps a month of one-minute bars solid and fast.
class SeriesGraph : public QCPGraph {
    Q_OBJECT
public:
    SeriesGraph(QCPAxis* keyAxis, QCPAxis* valueAxis);
    void SetBars(bool bars, double origin, double widthFraction);
    bool Bars() const { return FBars; }
    int LastBarRects() const { return FLastBarRects; }

protected:
    void draw(QCPPainter* painter) override;
    void drawLinePlot(QCPPainter* painter, const QVector<QPointF>& lines) const override;

private:
    bool FBars = false;
    double FOrigin = 0.0;
    double FWidthFraction = 0.75;
    int FLastBarRects = 0;
};
