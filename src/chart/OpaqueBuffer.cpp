#include "chart/OpaqueBuffer.h"

OpaqueBuffer::OpaqueBuffer(const QSize& size, double devicePixelRatio)
    : QCPAbstractPaintBuffer(size, devicePixelRatio) {
    OpaqueBuffer::reallocateBuffer();
}

OpaqueBuffer::~OpaqueBuffer() { FStrips.End(); }

QCPPainter* OpaqueBuffer::startPainting() {
    auto* painter = new QCPPainter(&FImage);
    FStrips.Begin(FImage);
    return painter;
}

void OpaqueBuffer::donePainting() { FStrips.End(); }

void OpaqueBuffer::draw(QCPPainter* painter) const {
    if (painter == nullptr || !painter->isActive())
        return;
    if (FCovered && StripDrawing::CopyOnto(*painter, FImage, FImage.rect()))
        return;
    painter->drawImage(0, 0, FImage);
}

void OpaqueBuffer::clear(const QColor& colour) {
    FCovered = FBackground.isValid() && FBackground.alpha() == 255;
    // An opaque format is copied onto the window without blending.
    const QImage::Format format =
        FCovered ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied;
    if (FImage.format() != format) {
        const double ratio = FImage.devicePixelRatio();
        FImage = QImage(FImage.size(), format);
        FImage.setDevicePixelRatio(ratio);
    }
    StripDrawing::Fill(FImage, FCovered ? FBackground : colour);
}

void OpaqueBuffer::reallocateBuffer() {
    setInvalidated();
    FImage = QImage(mSize * mDevicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    FImage.setDevicePixelRatio(mDevicePixelRatio);
    FCovered = false;
}
