#include "chart/OpaqueBuffer.h"

OpaqueBuffer::OpaqueBuffer(const QSize& size, double devicePixelRatio)
    : QCPPaintBufferPixmap(size, devicePixelRatio) {}

void OpaqueBuffer::clear(const QColor& colour) {
    FCovered = FBackground.isValid() && FBackground.alpha() == 255;
    // A pixmap never filled with a translucent colour keeps its opaque format, which the raster
    // engine copies without blending.
    mBuffer.fill(FCovered ? FBackground : colour);
}

void OpaqueBuffer::reallocateBuffer() {
    QCPPaintBufferPixmap::reallocateBuffer();
    FCovered = false;
}
