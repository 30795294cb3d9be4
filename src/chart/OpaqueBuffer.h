#pragma once

#include "chart/PlotLibrary.h"
#include "chart/StripDrawing.h"

#include <QColor>
#include <QImage>

// The chart's one paint buffer, cleared to the chart's background instead of to transparency:
// showing it is then a copy of pixels, not a fill of the background and a blend of the buffer
// over it, which on a large screen costs more than drawing a day's series. The series' strokes
// and fills are drawn into it on every core, and it is cleared and copied onto the window so too.
class OpaqueBuffer : public QCPAbstractPaintBuffer {
public:
    OpaqueBuffer(const QSize& size, double devicePixelRatio);
    ~OpaqueBuffer() override;

    // An invalid or translucent colour clears to transparency, as any buffer does.
    void SetBackground(const QColor& colour) { FBackground = colour; }
    // Every pixel holds the background or what was drawn over it since the last clear.
    bool Covers() const { return FCovered; }

    QCPPainter* startPainting() override;
    void donePainting() override;
    void draw(QCPPainter* painter) const override;
    void clear(const QColor& colour) override;

protected:
    void reallocateBuffer() override;

private:
    QImage FImage;
    QColor FBackground;
    bool FCovered = false;
    StripDrawing FStrips;
};
