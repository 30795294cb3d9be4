#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <QString>
#include <QSvgRenderer>

#include <gtest/gtest.h>

namespace {

const char* const kPictures[] = {
    ":/logo/TarvexLogo.svg",  ":/icons/Open.svg",        ":/icons/Save.svg",
    ":/icons/Print.svg",      ":/icons/About.svg",       ":/icons/JumpLeft.svg",
    ":/icons/ScrollLeft.svg", ":/icons/ScrollRight.svg", ":/icons/JumpRight.svg",
    ":/icons/Solvista.svg",   ":/flags/German.svg",      ":/flags/English.svg",
    ":/flags/French.svg",     ":/flags/Spanish.svg",     ":/flags/Italian.svg",
    ":/flags/Portuguese.svg", ":/flags/American.svg",    ":/icons/Yield.svg",
    ":/icons/Compare.svg",
};

QImage render(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    return image;
}

} // namespace

// Linking the library alone must make every picture reachable, and each must draw something
// at tool-bar sizes rather than an empty square or one uniform block.
TEST(Pictures, EveryPictureLoadsAndDrawsAtToolBarSizes) {
    for (const char* path : kPictures) {
        SCOPED_TRACE(path);
        ASSERT_TRUE(QFile::exists(QString::fromLatin1(path)));
        QSvgRenderer renderer{QString::fromLatin1(path)};
        ASSERT_TRUE(renderer.isValid());
        for (int size : {16, 24}) {
            SCOPED_TRACE(size);
            const QImage image = render(renderer, size);
            // Transparency counts as a colour of its own so that single-colour glyphs pass while
            // an empty square or one uniform block does not.
            int opaque = 0;
            QSet<QRgb> colours;
            for (int y = 0; y < size; ++y)
                for (int x = 0; x < size; ++x) {
                    const QRgb pixel = image.pixel(x, y);
                    opaque += qAlpha(pixel) == 255 ? 1 : 0;
                    colours.insert(qAlpha(pixel) == 0 ? 0 : pixel);
                }
            EXPECT_GT(opaque, 0);
            EXPECT_GT(colours.size(), 1);
        }
    }
}

TEST(Pictures, LogoSitsOnTheFrameGrey) {
    QSvgRenderer renderer{QStringLiteral(":/logo/TarvexLogo.svg")};
    ASSERT_TRUE(renderer.isValid());
    const QSize size = renderer.defaultSize();
    EXPECT_LE(size.height(), 44);
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter);
    painter.end();
    const QColor frameGrey(219, 224, 227);
    for (const QPoint corner :
         {QPoint(0, 0), QPoint(size.width() - 1, 0), QPoint(size.width() - 1, size.height() - 1)})
        EXPECT_EQ(image.pixelColor(corner), frameGrey) << corner.x() << "," << corner.y();
}

TEST(Pictures, ALookAlikeNameIsNotFound) {
    // Guards the check above against a resource system that answers every path.
    EXPECT_FALSE(QFile::exists(QStringLiteral(":/icons/open.svg")));
    QSvgRenderer renderer{QStringLiteral(":/flags/Klingon.svg")};
    EXPECT_FALSE(renderer.isValid());
}
