#pragma once

#include "chart/PlotLibrary.h"

#include <QColor>

// The lowest paint buffer of a chart, cleared to the chart's background instead of to
// transparency: showing it is then a copy of pixels, not a fill of the background and a blend of
// the buffer over it, which on a large screen costs more than drawing a day's series.
class OpaqueBuffer : public QCPPaintBufferPixmap {
public:
    OpaqueBuffer(const QSize& size, double devicePixelRatio);

    // An invalid or translucent colour clears to transparency, as any buffer does.
    void SetBackground(const QColor& colour) { FBackground = colour; }
    // Every pixel holds the background or what was drawn over it since the last clear.
    bool Covers() const { return FCovered; }

    void clear(const QColor& colour) override;

protected:
    void reallocateBuffer() override;

private:
    QColor FBackground;
    bool FCovered = false;
};
