#pragma once

#include "chart/PlotLibrary.h"

#include <QColor>
#include <QString>

#include <vector>

class ChartMarks;

// Draws the marks of a ChartMarks model over a chart: one instance behind the series (on the
// grid's layer, so it goes into saved and printed charts as well) takes the marks that stand
// there; one in front, on a buffered layer of its own, takes the rest and the cursor's readout
// box, so that moving them redraws that layer alone, never the series. Exports paint without
// caching; marks that are not printed, and the readout, stay out of them.
class MarkLayer : public QCPLayerable {
    Q_OBJECT
public:
    MarkLayer(QCustomPlot* plot, const ChartMarks* marks, bool behind);

    struct Line {
        QString Text;
        QColor Colour;
    };

    void SetMarks(const ChartMarks* marks) { FMarks = marks; }
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
    void DrawBehind(QCPPainter* painter, QCPAxisRect* rect);
    void DrawReadout(QCPPainter* painter, const QRect& area);

    const ChartMarks* FMarks;
    bool FBehind;
    std::vector<Line> FLines;
    bool FOnLeft = false;
    QRect FLastBox;
};
