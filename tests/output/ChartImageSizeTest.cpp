#include "output/ChartOutput.h"
#include "output/ImageSize.h"
#include "output/SizedChartImage.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/LanguageTexts.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// An upper chart with a red line across its whole time span at half height, and a lower chart
// with a blue one that follows the upper one's plot edges, as an analysis window stacks them.
class ChartImageSizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Upper.resize(640, 300);
        Lower.resize(640, 200);
        Lower.SetMarginsPercent(3, 3, 2);
        Lower.FollowPlotEdgesOf(&Upper);
        Upper.AddTitle(QStringLiteral("01. May 2010"));
        Lower.SetTitleVisible(false);
        for (ChartSurface* surface : {&Upper, &Lower}) {
            surface->SetLegendVisible(false);
            surface->SetMinimum(ChartAxis::Bottom, 0.0);
            surface->SetMaximum(ChartAxis::Bottom, 1.0);
            surface->SetAutomatic(ChartAxis::Left, false);
            surface->SetMinimum(ChartAxis::Left, 0.0);
            surface->SetMaximum(ChartAxis::Left, 1000.0);
        }
        for (ChartSeries* line : {&UpperLine, &LowerLine}) {
            for (int i = 0; i <= 24; ++i)
                line->AddXY(i / 24.0, 500.0);
            line->SetLineWidth(2);
        }
        UpperLine.SetColor(Qt::red);
        LowerLine.SetColor(Qt::blue);
        Upper.AddSeries(&UpperLine);
        Lower.AddSeries(&LowerLine);
        Upper.replot();
        Lower.replot();
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    ImageGeometry Geometry(ImageSizeChoice choice) const {
        return GeometryOf(choice, QSize(640, 500), Upper.logicalDpiY());
    }

    QTemporaryDir Dir;
    ChartSurface Upper;
    ChartSurface Lower;
    ChartSeries UpperLine;
    ChartSeries LowerLine;
};

bool Dark(QRgb pixel) { return qGray(pixel) < 110; }

bool Reddish(QRgb pixel) { return qRed(pixel) > 180 && qGreen(pixel) < 110 && qBlue(pixel) < 110; }

// The height of the tallest run of rows that hold dark pixels left of `right`: the value
// labels' glyphs, the only ink there.
int LabelHeight(const QImage& image, int right, int top, int bottom) {
    int tallest = 0;
    int run = 0;
    for (int y = top; y < bottom; ++y) {
        bool ink = false;
        for (int x = 0; x < right && !ink; ++x)
            ink = Dark(image.pixel(x, y));
        run = ink ? run + 1 : 0;
        tallest = std::max(tallest, run);
    }
    return tallest;
}

// A red pixel in column `x` within a few rows of `y`.
bool RedNear(const QImage& image, int x, int y) {
    for (int dy = -4; dy <= 4; ++dy)
        if (y + dy >= 0 && y + dy < image.height() && Reddish(image.pixel(x, y + dy)))
            return true;
    return false;
}

QByteArray Saved(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST_F(ChartImageSizeTest, AtFourKTheLabelsGrowAndTheCurvesEndAtThePlotAreasEdges) {
    const ImageGeometry full = Geometry(ImageSizeChoice::FullHd);
    const QImage small = SizedChartPicture({&Upper}, full);
    const QRect smallPlot = Upper.LaidOutPlotArea();
    const ImageGeometry uhd = Geometry(ImageSizeChoice::Uhd);
    const QImage large = SizedChartPicture({&Upper}, uhd);
    const QRect plot = Upper.LaidOutPlotArea(); // layout pixels, half the picture's
    ASSERT_EQ(small.size(), QSize(1920, 1080));
    ASSERT_EQ(large.size(), QSize(3840, 2160));
    EXPECT_EQ(plot, smallPlot) << "the same layout, drawn twice as large";
    // Laid out at the size, not the screen's: the plot fills the picture's width.
    EXPECT_GT(plot.width(), 1700);

    const int smallLabel =
        LabelHeight(small, smallPlot.left() - 2, smallPlot.top(), smallPlot.bottom());
    const int largeLabel =
        LabelHeight(large, 2 * plot.left() - 4, 2 * plot.top(), 2 * plot.bottom());
    EXPECT_GE(smallLabel, 7) << "labels are drawn";
    EXPECT_GE(largeLabel, 14) << "readable on a 4K picture";
    EXPECT_NEAR(static_cast<double>(largeLabel) / smallLabel, 2.0, 0.35);

    // The line at 500 of 0..1000 runs at half height from the left edge to the right one.
    const int y = 2 * plot.top() + plot.height();
    EXPECT_TRUE(RedNear(large, 2 * plot.left() + 2, y));
    EXPECT_TRUE(RedNear(large, 2 * (plot.left() + plot.width()) - 3, y));
    EXPECT_TRUE(RedNear(large, plot.left() + plot.width(), y)) << "and in between";
    EXPECT_FALSE(RedNear(large, 2 * plot.left() - 12, y)) << "not beyond the plot area";
    EXPECT_FALSE(RedNear(large, 2 * (plot.left() + plot.width()) + 12, y));

    // The screen keeps its own layout.
    EXPECT_LT(Upper.PlotArea().width(), 640);
}

TEST_F(ChartImageSizeTest, StackedChartsShareTheHeightAndThePlotEdgesAtTheNewSize) {
    const QImage image = SizedChartPicture({&Upper, &Lower}, Geometry(ImageSizeChoice::FullHd));
    ASSERT_EQ(image.size(), QSize(1920, 1080));
    const QRect upper = Upper.LaidOutPlotArea();
    const QRect lower = Lower.LaidOutPlotArea();
    EXPECT_EQ(upper.left(), lower.left());
    EXPECT_EQ(upper.right(), lower.right());
    // 300 of 500 screen pixels: the upper chart gets 648 of 1080 rows, the lower one the rest.
    EXPECT_LT(upper.bottom(), 648);
    const int blueRow = 648 + lower.top() + lower.height() / 2;
    bool blue = false;
    for (int dy = -4; dy <= 4 && !blue; ++dy) {
        const QRgb pixel = image.pixel(lower.left() + 5, blueRow + dy);
        blue = qBlue(pixel) > 180 && qRed(pixel) < 110;
    }
    EXPECT_TRUE(blue) << "the lower chart stands below the upper one";
}

TEST_F(ChartImageSizeTest, FilesTakeTheChosenSizeAndABitmapStaysAsOnScreen) {
    const ChartPair charts{Upper, Lower, QStringLiteral("Plant A")};
    const auto save = [&](const char* name, ImageSizeChoice size) {
        const QString path = Dir.filePath(QString::fromLatin1(name));
        SaveChartImages(charts, path, size);
        return path;
    };
    const QImage uhd(save("uhd.png", ImageSizeChoice::Uhd));
    EXPECT_EQ(uhd.size(), QSize(3840, 2160));
    EXPECT_NEAR(uhd.dotsPerMeterX() * 0.0254, 192.0, 0.5);
    const QImage a4(save("a4.png", ImageSizeChoice::A4Landscape));
    EXPECT_EQ(a4.size(), QSize(3508, 2480));
    EXPECT_NEAR(a4.dotsPerMeterX() * 0.0254, 300.0, 0.5);
    EXPECT_EQ(QImage(save("screen.png", ImageSizeChoice::Screen)).size(), QSize(640, 500));
    EXPECT_EQ(QImage(save("uhd.bmp", ImageSizeChoice::Uhd)).size(), QSize(640, 500))
        << "a bitmap is the design's picture of the screen";

    const QByteArray svg = Saved(save("uhd.svg", ImageSizeChoice::Uhd));
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 3840 2160\"")) << svg.left(400).toStdString();
    EXPECT_TRUE(svg.contains(">Plant A<"));
    EXPECT_FALSE(svg.contains("<image")) << "drawn, not rastered";

    const auto mediaBox = [](const QByteArray& pdf) {
        const QRegularExpressionMatch box =
            QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                .match(QString::fromLatin1(pdf));
        return box.hasMatch() ? QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble())
                              : QSizeF();
    };
    const QSizeF paper = mediaBox(Saved(save("a4.pdf", ImageSizeChoice::A4Landscape)));
    EXPECT_NEAR(paper.width(), 841.9, 1.0) << "A4 across, in points";
    EXPECT_NEAR(paper.height(), 595.3, 1.0);
    const QSizeF screen = mediaBox(Saved(save("full.pdf", ImageSizeChoice::FullHd)));
    EXPECT_NEAR(screen.width(), 1440.0, 1.0) << "1920 pixels of 1/96 inch";
    EXPECT_NEAR(screen.height(), 810.0, 1.0);
    // The dressing is off again and the screen's layout back.
    EXPECT_FALSE(Upper.LegendVisible());
    EXPECT_EQ(Upper.TitleLine(0), "01. May 2010");
}

TEST(ImageSize, EveryChoiceHasItsGeometryAndAName) {
    const QSize screen(700, 480);
    const ImageGeometry asShown = GeometryOf(ImageSizeChoice::Screen, screen, 96.0);
    EXPECT_EQ(asShown.Pixels, screen);
    EXPECT_EQ(asShown.Layout(), screen);
    const ImageGeometry a4 = GeometryOf(ImageSizeChoice::A4Landscape, screen, 96.0);
    EXPECT_EQ(a4.Layout(), QSize(1123, 794)) << "A4 in screen pixels: text keeps its point size";
    EXPECT_NEAR(a4.VectorInches().width(), 297.0 / 25.4, 1e-9);
    EXPECT_EQ(GeometryOf(ImageSizeChoice::Uhd, screen, 96.0).Layout(), QSize(1920, 1080));
    SetCurrentTexts(TextArrayId::German);
    EXPECT_EQ(ImageSizeText(ImageSizeChoice::A4Landscape), "A4 quer, 300 dpi");
    EXPECT_EQ(ImageSizeText(ImageSizeChoice::Uhd), QStringLiteral("3840 \u00D7 2160"));
}
