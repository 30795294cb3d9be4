#include "output/ChartOutput.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "support/FileSizeLimit.h"

#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <limits>

namespace {

DateTime Day(int year, int month, int day) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(year, month, day, d));
    return d;
}

// Two surfaces as an analysis window lays them out, the upper one titled with its date line.
class ChartOutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        Upper.resize(640, 300);
        Lower.resize(640, 200);
        Upper.SetLegendVisible(false);
        Lower.SetLegendVisible(false);
        Upper.AddTitle(QStringLiteral("01. May 2010"));
        Lower.SetTitleVisible(false);
        for (ChartSeries* s : {&UpperLine, &LowerLine}) {
            s->AddXY(0.0, 1.0);
            s->AddXY(1.0, 2.0);
            s->SetTitle(s == &UpperLine ? QStringLiteral("T1") : QStringLiteral("R1"));
            s->SetLineWidth(3);
        }
        for (ChartSurface* surface : {&Upper, &Lower}) {
            surface->SetMinimum(ChartAxis::Bottom, 0.0);
            surface->SetMaximum(ChartAxis::Bottom, 1.0);
        }
        UpperLine.SetColor(Qt::red);
        LowerLine.SetColor(Qt::blue);
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }
    ChartPair Pair(const QString& heading) { return {Upper, Lower, heading}; }
    QStringList Titles(const ChartSurface& s) const {
        QStringList lines;
        for (int i = 0; i < s.TitleCount(); ++i)
            lines << s.TitleLine(i);
        return lines;
    }

    QTemporaryDir Dir;
    ChartSurface Upper;
    ChartSurface Lower;
    ChartSeries UpperLine;
    ChartSeries LowerLine;
};

int PageCount(const QByteArray& pdf) {
    int pages = 0;
    auto it = QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))
                  .globalMatch(QString::fromLatin1(pdf));
    for (; it.hasNext(); it.next())
        ++pages;
    return pages;
}

QString ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const AppError& error) {
        return error.Message();
    }
    return QStringLiteral("<none>");
}

} // namespace

TEST_F(ChartOutputTest, HeadingGoesAboveTheUpperChartAndComesOffAgain) {
    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    const ChartPair charts = Pair(QStringLiteral("Plant A"));
    PrepareChartsForOutput(charts, true);
    EXPECT_EQ(Titles(Upper), (QStringList{"Plant A", "01. May 2010"}));
    EXPECT_FALSE(Lower.TitleVisible());
    EXPECT_TRUE(Upper.LegendVisible());
    EXPECT_TRUE(Lower.LegendVisible());
    EXPECT_EQ(Upper.LegendEntries(), QStringList{"T1"});
    PrepareChartsForOutput(charts, false);
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
    EXPECT_FALSE(Upper.LegendVisible());
    EXPECT_FALSE(Lower.LegendVisible());
}

TEST_F(ChartOutputTest, TheLowerChartAloneCarriesHeadingAndDateLines) {
    Lower.AddSeries(&LowerLine);
    {
        OutputDressing dressing(Pair(QStringLiteral("Plant A")));
        EXPECT_EQ(Titles(Lower), (QStringList{"Plant A", "01. May 2010"}));
        EXPECT_TRUE(Lower.TitleVisible());
        EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
    }
    EXPECT_EQ(Lower.TitleCount(), 0);
    EXPECT_FALSE(Lower.TitleVisible());
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});

    // Without a heading an empty line stands in its place.
    {
        OutputDressing dressing(Pair(QString()));
        EXPECT_EQ(Titles(Lower), (QStringList{"", "01. May 2010"}));
    }
    EXPECT_EQ(Lower.TitleCount(), 0);
}

TEST_F(ChartOutputTest, NoHeadingAddsNothingAndADateLikeTheHeadingStays) {
    Upper.AddSeries(&UpperLine);
    {
        OutputDressing dressing(Pair(QString()));
        EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
        EXPECT_FALSE(Lower.TitleVisible());
    }
    // The heading reads like the date line while only the lower chart shows: nothing was put on
    // the upper chart, so nothing is taken from it.
    Upper.RemoveSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    { OutputDressing dressing(Pair(QStringLiteral("01. May 2010"))); }
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
}

TEST(ProposedImageName, DayOrMonthOfTheCurrentDate) {
    const DateTime may1 = Day(2010, 5, 1) + 0.75;
    EXPECT_EQ(ProposedImageName(false, may1), "Chart 2010-05-01.bmp");
    EXPECT_EQ(ProposedImageName(true, may1), "Chart 05. 2010.bmp");
    EXPECT_EQ(ProposedImageName(false, std::numeric_limits<double>::quiet_NaN()), "Chart.bmp");
    EXPECT_EQ(ProposedImageName(true, 1e300), "Chart.bmp");
}

TEST(ImageFormat, TheFilterOffersTheFourTypesAndTheExtensionDecides) {
    SetCurrentTexts(TextArrayId::English);
    EXPECT_EQ(ChartImageFilter(), "BMP image (*.bmp)|*.bmp|PNG image (*.png)|*.png|"
                                  "SVG drawing (*.svg)|*.svg|PDF document (*.pdf)|*.pdf");
    SetCurrentTexts(TextArrayId::German);
    EXPECT_EQ(ImageFormatOf(QStringLiteral("/a/Chart 05. 2010.PNG")), ImageFormat::Png);
    EXPECT_EQ(ImageFormatOf(QStringLiteral("c.Svg")), ImageFormat::Svg);
    EXPECT_EQ(ImageFormatOf(QStringLiteral("c.pdf")), ImageFormat::Pdf);
    EXPECT_EQ(ImageFormatOf(QStringLiteral("c.bmp")), ImageFormat::Bmp);
    EXPECT_FALSE(ImageFormatOf(QStringLiteral("c.jpg")));
    EXPECT_FALSE(ImageFormatOf(QStringLiteral("chart")));
    EXPECT_FALSE(ImageFormatOf(QStringLiteral("chart.png.txt")));
    EXPECT_EQ(WithImageSuffix(QStringLiteral("/a/chart"), 2), "/a/chart.svg");
    EXPECT_EQ(WithImageSuffix(QStringLiteral("/a/chart"), 7), "/a/chart.bmp");
    EXPECT_EQ(WithImageSuffix(QStringLiteral("/a/chart.pdf"), 1), "/a/chart.pdf");
}

TEST_F(ChartOutputTest, ImageHoldsTheChartsThatShowSeriesStackedWithoutAGap) {
    const QString path = Dir.filePath(QStringLiteral("both.bmp"));
    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    SaveChartImages(Pair(QStringLiteral("Plant A")), path);
    QImage image(path);
    ASSERT_EQ(image.size(), QSize(640, 500));
    // The upper chart's red line above row 300, the lower chart's blue one below it.
    int red = 0, blue = 0, misplaced = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c == QColor(Qt::red))
                (y < 300 ? red : misplaced) += 1;
            if (c == QColor(Qt::blue))
                (y >= 300 ? blue : misplaced) += 1;
        }
    EXPECT_GT(red, 10);
    EXPECT_GT(blue, 10);
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"}) << "dressing removed";
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"both.bmp"})
        << "no temporary file left";
}

TEST_F(ChartOutputTest, OneChartAloneAndTheSixtyPixelRule) {
    const QString path = Dir.filePath(QStringLiteral("one.bmp"));
    Upper.AddSeries(&UpperLine);
    SaveChartImages(Pair(QString()), path);
    EXPECT_EQ(QImage(path).size(), QSize(640, 300));

    Upper.RemoveSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    SaveChartImages(Pair(QString()), path);
    EXPECT_EQ(QImage(path).size(), QSize(640, 260)) << "room for the title lines";
    EXPECT_EQ(Lower.size(), QSize(640, 200));

    Upper.resize(640, 159);
    SaveChartImages(Pair(QString()), path);
    EXPECT_EQ(QImage(path).size(), QSize(640, 200));
}

TEST_F(ChartOutputTest, AFileThatCannotBeWrittenRaisesTheFileErrorAndUndressess) {
    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    for (bool both : {true, false}) {
        if (!both)
            Upper.RemoveSeries(&UpperLine);
        const QString path = Dir.filePath(QStringLiteral("missing/c.bmp"));
        EXPECT_EQ(ErrorOf([&] { SaveChartImages(Pair(QStringLiteral("Plant A")), path); }),
                  QStringLiteral("Datei %1 kann nicht erstellt werden\n\n").arg(path) +
                      Text(TextFileFolderMissing));
        EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
        EXPECT_EQ(Lower.TitleCount(), 0);
        EXPECT_FALSE(Upper.LegendVisible());
        EXPECT_EQ(Lower.size(), QSize(640, 200));
    }
}

TEST_F(ChartOutputTest, AFullDiskFailsEveryFormatAndKeepsTheOldFile) {
    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    for (const char* name : {"c.bmp", "c.png", "c.svg", "c.pdf"}) {
        const QString path = Dir.filePath(QString::fromLatin1(name));
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old picture");
        old.close();
        // Nothing fits, or a few kilobytes: less than the toolkit keeps in its write buffer.
        for (const rlim_t free : {rlim_t{0}, rlim_t{4096}}) {
            QString error;
            {
                const FileSizeLimit disk(free);
                ASSERT_TRUE(disk.Active);
                error = ErrorOf([&] { SaveChartImages(Pair(QStringLiteral("Plant A")), path); });
            }
            EXPECT_EQ(error, QStringLiteral("Datei %1 kann nicht erstellt werden\n\n").arg(path) +
                                 Text(TextFileDiskFull))
                << name << " " << free;
            QFile kept(path);
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll(), "old picture") << name << " " << free;
        }
        EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"}) << "dressing removed";
        ASSERT_TRUE(QFile::remove(path));
        EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList()) << "no temporary file";
    }
}

TEST_F(ChartOutputTest, EachFormatHasItsSignatureAndTheLayoutOfTheBitmap) {
    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    const auto save = [&](const char* name) {
        const QString path = Dir.filePath(QString::fromLatin1(name));
        SaveChartImages(Pair(QStringLiteral("Plant A")), path);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    };
    const QByteArray bmp = save("c.bmp");
    const QByteArray png = save("c.png");
    const QByteArray svg = save("c.svg");
    const QByteArray pdf = save("c.pdf");
    EXPECT_TRUE(bmp.startsWith("BM"));
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_TRUE(svg.startsWith("<?xml")) << svg.left(40).toStdString();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));

    // PNG is the bitmap's picture, pixel for pixel.
    const QImage fromBmp = QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32);
    const QImage fromPng = QImage::fromData(png, "PNG").convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(fromPng.size(), QSize(640, 500));
    EXPECT_TRUE(fromPng == fromBmp);

    // The drawings: the stack's size in pixels, the heading and both lines as vectors.
    EXPECT_TRUE(svg.contains("viewBox=\"0 0 640 500\"")) << "the stack's size";
    EXPECT_TRUE(svg.contains(">Plant A<")) << "the heading as text";
    EXPECT_TRUE(svg.contains("stroke=\"#ff0000\"")) << "the upper line";
    EXPECT_TRUE(svg.contains("stroke=\"#0000ff\"")) << "the lower line";
    EXPECT_FALSE(svg.contains("<image")) << "nothing rastered";
    EXPECT_EQ(PageCount(pdf), 1);
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(pdf));
    ASSERT_TRUE(box.hasMatch());
    const double pointsPerPixel = 72.0 / Upper.logicalDpiY();
    EXPECT_NEAR(box.captured(1).toDouble(), 640 * pointsPerPixel, 1.0);
    EXPECT_NEAR(box.captured(2).toDouble(), 500 * pointsPerPixel, 1.0);
    EXPECT_FALSE(pdf.contains("/Subtype /Image")) << "nothing rastered";

    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"}) << "dressing removed";
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files).size(), 4) << "no temporary file left";
}

TEST_F(ChartOutputTest, ANameOfAnotherTypeIsRefusedAndAnOldFileStays) {
    Upper.AddSeries(&UpperLine);
    SetCurrentTexts(TextArrayId::English);
    const QString jpg = Dir.filePath(QStringLiteral("chart.jpg"));
    EXPECT_EQ(ErrorOf([&] { SaveChartImages(Pair(QString()), jpg); }),
              "Charts can only be saved as .bmp, .png, .svg or .pdf files, not as chart.jpg.");
    EXPECT_FALSE(QFile::exists(jpg));

    // The old file is replaced only by a complete new one.
    const QString png = Dir.filePath(QStringLiteral("chart.png"));
    QFile old(png);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    SaveChartImages(Pair(QString()), png);
    EXPECT_EQ(QImage(png).size(), QSize(640, 300));
    EXPECT_EQ(QDir(Dir.path()).entryList(QDir::Files), QStringList{"chart.png"});
}

TEST(PrintLayout, KeepsProportionsFillsNinetyPercentAndCentres) {
    // A4 landscape at 96 dpi; charts 640 wide, 300 + 200 high.
    const PrintLayout both = ComputePrintLayout(1123, 794, 640, 300, 200);
    // fitW = min(1123, 640*794/500 = 1016) = 1016; fitH = min(794, 500*1016/640 = 793) = 793.
    EXPECT_EQ(both.Left, (1123 - 914) / 2);
    EXPECT_EQ(both.Top, (794 - 713) / 2);
    EXPECT_EQ(both.MainHeight, 793 * 300 / 500 * 9 / 10);
    EXPECT_EQ(both.OutHeight, 793 * 200 / 500 * 9 / 10);
    // Wide and flat: the page width limits.
    const PrintLayout wide = ComputePrintLayout(1123, 794, 2000, 0, 200);
    EXPECT_EQ(wide.Left, (1123 - 1010) / 2);
    EXPECT_EQ(wide.MainHeight, 0);
    EXPECT_EQ(wide.OutHeight, 112 * 200 / 200 * 9 / 10);

    SetCurrentTexts(TextArrayId::English);
    EXPECT_EQ(ErrorOf([] { ComputePrintLayout(1123, 794, 0, 300, 200); }), Text(101));
    EXPECT_EQ(ErrorOf([] { ComputePrintLayout(1123, 794, 640, 0, 0); }), Text(101));
    SetCurrentTexts(TextArrayId::German);
}

namespace {
QPrinter* PdfPrinter(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    return &printer;
}
} // namespace

TEST_F(ChartOutputTest, PrintsOneLandscapePageAndNothingWhenNothingShows) {
    const QString pdf = Dir.filePath(QStringLiteral("page.pdf"));
    QPrinter empty(QPrinter::ScreenResolution);
    PdfPrinter(empty, pdf);
    EXPECT_EQ(ErrorOf([&] { PrintChartPage(Pair(QStringLiteral("Plant A")), empty); }), Text(101));
    EXPECT_FALSE(QFile::exists(pdf)) << "no document begun";
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});

    Upper.AddSeries(&UpperLine);
    Lower.AddSeries(&LowerLine);
    QPrinter printer(QPrinter::ScreenResolution);
    PdfPrinter(printer, pdf);
    PrintChartPage(Pair(QStringLiteral("Plant A")), printer);
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(PageCount(bytes), 1);
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
            .match(QString::fromLatin1(bytes));
    ASSERT_TRUE(box.hasMatch());
    EXPECT_GT(box.captured(1).toDouble(), box.captured(2).toDouble()) << "landscape";
    EXPECT_EQ(Titles(Upper), QStringList{"01. May 2010"});
    EXPECT_FALSE(Lower.LegendVisible());
}
