#pragma once

#include "chart/PlotLibrary.h"

#include <QColor>
#include <QString>

#include <vector>

// A time cursor, a marked span and a readout box over a chart, drawn on a buffered layer of their
// own: changing them redraws that layer alone, never the series. Exports (saved images, print)
// paint without caching, and this layer stays out of them.
class CursorLayer : public QCPLayerable {
    Q_OBJECT
public:
    explicit CursorLayer(QCustomPlot* plot);

    struct Line {
        QString Text;
        QColor Colour;
    };

    // A NaN key hides the cursor, a NaN bound the span.
    void SetKey(double key);
    double Key() const { return FKey; }
    void SetSpan(double from, double to);
    double SpanFrom() const { return FFrom; }
    double SpanTo() const { return FTo; }
    // An empty list hides the box. `onLeft`: the box stands at the left of the plot area.
    void SetReadout(std::vector<Line> lines, bool onLeft);
    const std::vector<Line>& Readout() const { return FLines; }
    bool ReadoutOnLeft() const { return FOnLeft; }
    // Redraws this layer now, or the whole chart when its buffers are not ready.
    void Redraw();
    // Where the last draw put the readout box, in widget pixels; empty when none was drawn.
    QRect LastBoxRect() const { return FLastBox; }

    static const QString LayerName;

protected:
    void applyDefaultAntialiasingHint(QCPPainter* painter) const override;
    void draw(QCPPainter* painter) override;
    QRect clipRect() const override;

private:
    void DrawReadout(QCPPainter* painter, const QRect& area);

    double FKey;
    double FFrom;
    double FTo;
    std::vector<Line> FLines;
    bool FOnLeft = false;
    QRect FLastBox;
};
