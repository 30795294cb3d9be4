#include "chart/StripDrawing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr QSize Size(700, 300);

// A day-like polyline as segments, lines that cross every strip's edge, a wide pen, bars.
struct Scene {
    std::vector<QLineF> Thin, Wide, Steep;
    std::vector<QRectF> Bars;
};

Scene MakeScene() {
    Scene scene;
    std::mt19937 random(5);
    std::uniform_real_distribution<double> jitter(-3.0, 3.0);
    QPointF last(5.0, 150.0);
    for (double x = 6.0; x < Size.width() - 5; x += 1.3) {
        const QPointF next(x, 150.0 + 80.0 * std::sin(x / 60.0) + jitter(random));
        scene.Thin.emplace_back(last, next);
        last = next;
    }
    for (int i = 0; i < 40; ++i)
        scene.Wide.emplace_back(QPointF(i * 17.0, 40.0 + i), QPointF(i * 17.0 + 60.0, 260.0 - i));
    for (double x = 10.0; x < Size.width(); x += 37.0)
        scene.Steep.emplace_back(QPointF(x, 10.0), QPointF(x + 0.4, 290.0));
    for (int x = 20; x < Size.width() - 20; x += 3)
        scene.Bars.emplace_back(x, 200.0 - (x % 50), 2.0, 80.0 + (x % 50));
    return scene;
}

// Draws the scene as the chart's series draw: each part with its own pen and hints, in a clip
// like a plot area's, the antialiased parts shifted by half a pixel as the plot library does.
// With a drawing given, what it keeps is kept there instead of drawn.
void DrawScene(QPainter& painter, const Scene& scene, StripDrawing* strips) {
    const auto lines = [&](const std::vector<QLineF>& l) {
        if (strips == nullptr || !strips->Lines(painter, l.data(), l.size()))
            painter.drawLines(l.data(), static_cast<int>(l.size()));
    };
    painter.setClipRect(QRect(3, 2, Size.width() - 9, Size.height() - 6));
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 255, 64));
    if (strips == nullptr || !strips->Rects(painter, scene.Bars.data(), scene.Bars.size()))
        painter.drawRects(scene.Bars.data(), static_cast<int>(scene.Bars.size()));
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.translate(0.5, 0.5);
    painter.setPen(QPen(Qt::red, 2.0));
    lines(scene.Thin);
    painter.setPen(QPen(QColor(0, 0, 255), 0.0));
    lines(scene.Steep);
    painter.setPen(QPen(QColor(128, 0, 128), 19.0));
    lines(scene.Wide);
    painter.translate(-0.5, -0.5);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 2.0));
    lines(scene.Steep);
}

QImage Direct(const Scene& scene) {
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    DrawScene(painter, scene, nullptr);
    return image;
}

QImage InStrips(const Scene& scene, int strips) {
    StripDrawing::SetStrips(strips);
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    StripDrawing drawing;
    {
        QPainter painter(&image);
        drawing.Begin(image);
        EXPECT_EQ(StripDrawing::For(painter), &drawing);
        DrawScene(painter, scene, &drawing);
    }
    drawing.End();
    StripDrawing::SetStrips(0);
    return image;
}

struct Difference {
    int Pixels = 0;  // pixels that differ at all
    int Largest = 0; // the largest difference in a channel
};

Difference Compare(const QImage& a, const QImage& b) {
    Difference d;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int largest =
                std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                          std::abs(qBlue(p) - qBlue(q))});
            d.Pixels += largest > 0;
            d.Largest = std::max(d.Largest, largest);
        }
    return d;
}

} // namespace

// Every pixel is drawn in one strip by all that reaches it, in the given order: the strips draw
// the picture one painter draws, up to the rasteriser's rounding where a stroke is cut at a
// strip's edge.
TEST(StripDrawing, StripsDrawWhatOnePainterDraws) {
    const Scene scene = MakeScene();
    const QImage direct = Direct(scene);
    for (const int strips : {1, 2, 5}) {
        SCOPED_TRACE(testing::Message() << strips << " strips");
        const Difference d = Compare(InStrips(scene, strips), direct);
        EXPECT_LE(d.Largest, 8);
        EXPECT_LE(d.Pixels, Size.height() * (strips - 1) / 2);
    }
    // The comparison sees the thin line a pixel off.
    Scene moved = scene;
    for (QLineF& line : moved.Thin)
        line.translate(0.0, 1.0);
    EXPECT_GT(Compare(InStrips(moved, 2), direct).Pixels, 200);
}

// What cannot be drawn elsewhere (here, half opacity) is refused and left to the caller, and
// what was kept before it is drawn first, so the order holds.
TEST(StripDrawing, RefusedStateDrawsWhatWasKeptFirst) {
    QImage image(Size, QImage::Format_RGB32);
    image.fill(Qt::white);
    StripDrawing drawing;
    const std::vector<QRectF> under{QRectF(100, 100, 200, 100)};
    const std::vector<QRectF> over{QRectF(150, 120, 50, 50)};
    {
        QPainter painter(&image);
        drawing.Begin(image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::blue);
        ASSERT_TRUE(drawing.Rects(painter, under.data(), under.size()));
        EXPECT_EQ(image.pixel(120, 110), qRgb(255, 255, 255)); // kept, not yet drawn
        painter.setOpacity(0.5);
        painter.setBrush(Qt::red);
        ASSERT_FALSE(drawing.Rects(painter, over.data(), over.size()));
        EXPECT_EQ(image.pixel(120, 110), qRgb(0, 0, 255));
        painter.drawRects(over.data(), 1);
    }
    drawing.End();
    EXPECT_EQ(image.pixel(120, 110), qRgb(0, 0, 255));
    const QRgb blend = image.pixel(170, 140);
    EXPECT_NEAR(qRed(blend), 128, 2);
    EXPECT_NEAR(qBlue(blend), 127, 2);

    // Neither an ended drawing nor another device keeps anything.
    QPainter other(&image);
    EXPECT_EQ(StripDrawing::For(other), nullptr);
    EXPECT_FALSE(drawing.Lines(other, nullptr, 0));
}

TEST(StripDrawing, BandsFillAndCopyLikeThePainter) {
    StripDrawing::SetStrips(3);
    QImage filled(900, 700, QImage::Format_RGB32);
    filled.fill(Qt::black);
    StripDrawing::Fill(filled, QColor(12, 34, 56));
    QImage expected(filled.size(), QImage::Format_RGB32);
    expected.fill(QColor(12, 34, 56));
    EXPECT_EQ(filled, expected);

    // Copied onto an image painter at the painter's origin, within its clip and the region.
    QImage source(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x)
            source.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    QImage target(filled.size(), QImage::Format_ARGB32_Premultiplied);
    target.fill(Qt::white);
    QImage drawn = target;
    const QRegion region = QRegion(0, 0, 800, 560) - QRegion(100, 100, 50, 50);
    {
        QPainter into(&target);
        into.translate(40, 30);
        into.setClipRect(QRect(-40, -30, 700, 800));
        EXPECT_TRUE(StripDrawing::CopyOnto(into, source, region));
        QPainter painter(&drawn);
        painter.translate(40, 30);
        painter.setClipRect(QRect(-40, -30, 700, 800));
        painter.setClipRegion(region, Qt::IntersectClip);
        painter.drawImage(0, 0, source);
    }
    EXPECT_EQ(target, drawn);

    // Another pixel format, a scaled painter and a translucent image are left to the painter.
    QImage packed(100, 100, QImage::Format_RGB888);
    QPainter onPacked(&packed);
    EXPECT_FALSE(StripDrawing::CopyOnto(onPacked, source, source.rect()));
    QPainter onImage(&target);
    onImage.scale(2.0, 2.0);
    EXPECT_FALSE(StripDrawing::CopyOnto(onImage, source, source.rect()));
    onImage.resetTransform();
    EXPECT_FALSE(StripDrawing::CopyOnto(onImage, source.convertToFormat(QImage::Format_ARGB32),
                                        source.rect()));
    StripDrawing::SetStrips(0);
}
