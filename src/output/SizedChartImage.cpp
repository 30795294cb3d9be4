#include "output/SizedChartImage.h"

#include "chart/ChartSurface.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <cmath>

namespace {

double ScreenDpi(const std::vector<ChartSurface*>& pieces) {
    return pieces.empty() ? 96.0 : pieces.front()->logicalDpiY();
}

void SetDpi(QImage& image, double dpi) {
    const int dotsPerMeter = static_cast<int>(std::lround(dpi / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
}

// Each piece gets the share of the layout's height that it has of the screen's.
void DrawPieces(QCPPainter& painter, const std::vector<ChartSurface*>& pieces, QSize layout,
                double scale) {
    long long total = 0;
    for (const ChartSurface* piece : pieces)
        total += piece->height();
    if (total <= 0)
        return;
    long long above = 0;
    int top = 0;
    for (ChartSurface* piece : pieces) {
        above += piece->height();
        const int bottom =
            static_cast<int>(std::llround(static_cast<double>(layout.height()) *
                                          static_cast<double>(above) / static_cast<double>(total)));
        piece->DrawLaidOut(painter, QPointF(0.0, top * scale), QSize(layout.width(), bottom - top),
                           scale);
        top = bottom;
    }
}

// Draws on a vector device of the screen's resolution, sized to the geometry's inches.
bool DrawVector(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                QPaintDevice& device, QSize deviceSize) {
    QCPPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setModes(QCPPainter::pmVectorized | QCPPainter::pmNoCaching |
                     QCPPainter::pmNonCosmetic);
    const QSize layout = geometry.Layout();
    DrawPieces(painter, pieces, layout,
               static_cast<double>(deviceSize.width()) / std::max(1, layout.width()));
    return painter.end();
}

QSize VectorDeviceSize(const ImageGeometry& geometry, double dpi) {
    const QSizeF inches = geometry.VectorInches();
    return QSize(static_cast<int>(std::lround(inches.width() * dpi)),
                 static_cast<int>(std::lround(inches.height() * dpi)));
}

} // namespace

QImage SizedChartPicture(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry) {
    QImage image(geometry.Pixels, QImage::Format_RGB32);
    if (image.isNull())
        return image;
    image.fill(Qt::white);
    // Text is measured at the screen's resolution while the layout is made; it must draw so.
    SetDpi(image, ScreenDpi(pieces));
    {
        QCPPainter painter(&image);
        painter.setMode(QCPPainter::pmNoCaching);
        // Enlarged, hairlines grow with everything else instead of staying one pixel thin.
        if (geometry.Scale > 1.0)
            painter.setMode(QCPPainter::pmNonCosmetic);
        DrawPieces(painter, pieces, geometry.Layout(), geometry.Scale);
    }
    SetDpi(image, geometry.Dpi);
    return image;
}

bool WriteSizedRaster(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                      QIODevice& device, const char* format) {
    const QImage image = SizedChartPicture(pieces, geometry);
    return !image.isNull() && image.save(&device, format);
}

bool WriteSizedSvg(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                   QIODevice& device, const QString& title) {
    const double dpi = ScreenDpi(pieces);
    const QSize size = VectorDeviceSize(geometry, dpi);
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setResolution(static_cast<int>(std::lround(dpi)));
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    return DrawVector(pieces, geometry, svg, size);
}

bool WriteSizedPdf(const std::vector<ChartSurface*>& pieces, const ImageGeometry& geometry,
                   QIODevice& device, const QString& title) {
    const double dpi = ScreenDpi(pieces);
    QPdfWriter pdf(&device);
    pdf.setResolution(static_cast<int>(std::lround(dpi)));
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Solvista"));
    const QSizeF inches = geometry.VectorInches();
    // A paper size by its name where it is one, so viewers and printers know it.
    const QPageSize page =
        geometry.Paper.isEmpty()
            ? QPageSize(inches * 72.0, QPageSize::Point, QString(), QPageSize::ExactMatch)
            : QPageSize(geometry.Paper.transposed(), QPageSize::Millimeter);
    const QPageLayout::Orientation orientation =
        geometry.Paper.isEmpty() ? QPageLayout::Portrait : QPageLayout::Landscape;
    if (!pdf.setPageLayout(QPageLayout(page, orientation, QMarginsF())))
        return false;
    return DrawVector(pieces, geometry, pdf, VectorDeviceSize(geometry, dpi));
}
