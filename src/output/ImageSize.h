#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>

// The sizes a chart image can be saved at. PNG, SVG and PDF are laid out at the chosen size (text,
// lines and margins as a chart of that size draws them); BMP is always the charts as on screen.
enum class ImageSizeChoice { Screen, FullHd, Uhd, A4Landscape };
inline constexpr int ImageSizeChoiceCount = 4;

// How a size is made. Raster files get `Pixels`, drawn from a layout of `Pixels / Scale` layout
// pixels, so text and lines grow by `Scale`; `Dpi` is their stated density. Vector files measure
// `Paper` millimetres where one is given, else `Pixels / VectorDpi` inches.
struct ImageGeometry {
    QSize Pixels;
    double Scale = 1.0;
    double Dpi = 96.0;
    double VectorDpi = 96.0;
    QSizeF Paper;

    QSize Layout() const;
    // The vector file's size in inches.
    QSizeF VectorInches() const;
};

// `screen`: what the charts measure on screen; `screenDpi`: the screen's logical resolution, at
// which text is measured.
ImageGeometry GeometryOf(ImageSizeChoice choice, QSize screen, double screenDpi);
// "As on screen", "1920 × 1080", "3840 × 2160", "A4 landscape, 300 dpi" in the current language.
QString ImageSizeText(ImageSizeChoice choice);
// The choice of this run: offered again at the next save, never stored.
ImageSizeChoice& ImageSizeOfThisRun();
