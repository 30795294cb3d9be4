#include "output/ImageSize.h"

#include "core/ConventionTexts.h"
#include "core/LanguageTexts.h"

#include <cmath>

namespace {

constexpr double PaperDpi = 300.0;
constexpr double MillimetresPerInch = 25.4;

int Dots(double millimetres) {
    return static_cast<int>(std::lround(millimetres / MillimetresPerInch * PaperDpi));
}

} // namespace

QSize ImageGeometry::Layout() const {
    return QSize(static_cast<int>(std::lround(Pixels.width() / Scale)),
                 static_cast<int>(std::lround(Pixels.height() / Scale)));
}

QSizeF ImageGeometry::VectorInches() const {
    if (!Paper.isEmpty())
        return Paper / MillimetresPerInch;
    return QSizeF(Pixels) / VectorDpi;
}

ImageGeometry GeometryOf(ImageSizeChoice choice, QSize screen, double screenDpi) {
    if (!(screenDpi > 0.0))
        screenDpi = 96.0;
    switch (choice) {
    case ImageSizeChoice::FullHd:
        return {QSize(1920, 1080), 1.0, 96.0, 96.0, QSizeF()};
    case ImageSizeChoice::Uhd:
        // The full-HD picture at twice the detail, as a screen of that size shows it.
        return {QSize(3840, 2160), 2.0, 192.0, 96.0, QSizeF()};
    case ImageSizeChoice::A4Landscape:
        // Text of so many points measures that many points on the paper.
        return {QSize(Dots(297.0), Dots(210.0)), PaperDpi / screenDpi, PaperDpi, PaperDpi,
                QSizeF(297.0, 210.0)};
    case ImageSizeChoice::Screen:
        break;
    }
    return {screen, 1.0, screenDpi, screenDpi, QSizeF()};
}

QString ImageSizeText(ImageSizeChoice choice) {
    switch (choice) {
    case ImageSizeChoice::FullHd:
        return QStringLiteral("1920 \u00D7 1080");
    case ImageSizeChoice::Uhd:
        return QStringLiteral("3840 \u00D7 2160");
    case ImageSizeChoice::A4Landscape:
        return Text(TextImageSizeA4);
    case ImageSizeChoice::Screen:
        break;
    }
    return Text(TextImageSizeScreen);
}

ImageSizeChoice& ImageSizeOfThisRun() {
    static ImageSizeChoice choice = ImageSizeChoice::Screen;
    return choice;
}
