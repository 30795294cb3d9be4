#pragma once

#include <QColor>
#include <QRect>
#include <QRegion>
#include <QString>

#include <vector>

class ChartMarks;
class QCustomPlot;
class QPainter;

// The marks that stand in front of the series (the cursor line, the user's span) and the
// cursor's readout box, painted straight onto the widget over the chart's buffers, never into
// them. A change repaints only the strips the marks leave and enter, so a cursor move costs a few
// columns of pixels whatever the screen's size, and the series are not drawn again. Nothing of it
// reaches saved or printed charts: those are drawn from the layers, not from the widget.
class MarkOverlay {
public:
    MarkOverlay(QCustomPlot* plot, const ChartMarks* marks);

    struct Line {
        QString Text;
        QColor Colour;
    };

    void SetMarks(const ChartMarks* marks) { FMarks = marks; }
    // An empty list hides the box. `onLeft`: the box stands at the left of the plot area.
    void SetReadout(std::vector<Line> lines, bool onLeft);
    const std::vector<Line>& Readout() const { return FLines; }
    bool ReadoutOnLeft() const { return FOnLeft; }
    // Asks for a repaint of where the marks were painted last and where they stand now.
    void Redraw();
    // Where the readout box is shown, in widget pixels; empty when none is.
    QRect LastBoxRect() const { return FBox; }
    // What a repaint must cover for the marks as they stand now.
    QRegion Footprint() const;

    // Called by the widget's paint event after the chart's buffers are composed.
    void Paint(QPainter& painter);

private:
    struct Shape {
        QRectF Rect; // a line when its width is zero
        QColor Colour;
    };
    struct Layout {
        std::vector<Shape> Shapes;
        QRect Box;
        QRegion Footprint;
    };
    Layout Arrange() const;
    void PaintReadout(QPainter& painter, const QRect& box) const;

    QCustomPlot* FPlot;
    const ChartMarks* FMarks;
    std::vector<Line> FLines;
    bool FOnLeft = false;
    QRect FBox;
    // What the last paint put on screen: a repaint of it takes the marks off again.
    QRegion FShown;
};
