#include "output/ChartOutput.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/DatePattern.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "core/SafeFile.h"
#include "output/OutputTexts.h"
#include "output/SizedChartImage.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int TextPrintingNotPossible = 101;
// The lower chart alone gets the title lines of the upper one, which needs room when it is small.
constexpr int TallEnoughForTitle = 160;
constexpr int TitleRoom = 60;

bool ShowsSeries(const ChartSurface& surface) { return surface.ActiveSeriesCount() > 0; }

[[noreturn]] void RaiseFileError(const QString& path, const QString& reason) {
    // The file layer's own message, which is not translated, and the reason under it.
    AppError::Raise(FileNotCreatedMessage(path, reason));
}

void CopyTitleLines(const ChartSurface& from, ChartSurface& to) {
    to.ClearTitle();
    for (int i = 0; i < from.TitleCount(); ++i)
        to.AddTitle(from.TitleLine(i));
}

} // namespace

void PrepareChartsForOutput(const ChartPair& charts, bool on) {
    ChartSurface& chart = charts.Chart;
    ChartSurface& chart2 = charts.Chart2;
    const QString& heading = charts.ChartTitle;
    if (on) {
        if (!heading.isEmpty() && ShowsSeries(chart)) {
            chart.InsertTitleTop(heading);
        } else if (!ShowsSeries(chart)) {
            CopyTitleLines(chart, chart2);
            chart2.InsertTitleTop(heading);
            chart2.SetTitleVisible(true);
        }
        chart.SetLegendVisible(true);
        chart2.SetLegendVisible(true);
        return;
    }
    chart.SetLegendVisible(false);
    chart2.SetLegendVisible(false);
    // Only a line that dressing put there is taken away: a date line that happens to read like
    // the heading stays.
    if (!heading.isEmpty() && ShowsSeries(chart) && chart.TitleCount() > 0 &&
        chart.TitleLine(0) == heading)
        chart.DeleteTopTitle();
    chart2.ClearTitle();
    chart2.SetTitleVisible(false);
}

OutputDressing::OutputDressing(const ChartPair& charts) : FCharts(charts) {
    PrepareChartsForOutput(FCharts, true);
}

OutputDressing::~OutputDressing() { PrepareChartsForOutput(FCharts, false); }

namespace {

struct FormatInfo {
    ImageFormat Format;
    const char* Suffix;
    int Description;
};
constexpr std::array<FormatInfo, 4> Formats = {{{ImageFormat::Bmp, "bmp", TextBmpImage},
                                                {ImageFormat::Png, "png", TextPngImage},
                                                {ImageFormat::Svg, "svg", TextSvgDrawing},
                                                {ImageFormat::Pdf, "pdf", TextPdfDocument}}};

// The surfaces that go into an image, top to bottom. The lower chart alone is made taller for the
// title lines it carries then, and gets its height back when the stack goes.
class ImageStack {
public:
    explicit ImageStack(const ChartPair& charts) {
        ChartSurface& chart = charts.Chart;
        ChartSurface& chart2 = charts.Chart2;
        if (!ShowsSeries(chart2)) {
            Pieces = {&chart};
        } else if (!ShowsSeries(chart)) {
            Pieces = {&chart2};
            if (chart.height() >= TallEnoughForTitle) {
                FResized = &chart2;
                FScreenSize = chart2.size();
                chart2.resize(FScreenSize.width(), FScreenSize.height() + TitleRoom);
            }
        } else {
            Pieces = {&chart, &chart2};
        }
    }
    ~ImageStack() {
        if (FResized != nullptr)
            FResized->resize(FScreenSize);
    }
    ImageStack(const ImageStack&) = delete;
    ImageStack& operator=(const ImageStack&) = delete;

    // The widest surface's width; the heights added up.
    QSize Size() const {
        QSize size(0, 0);
        for (const ChartSurface* piece : Pieces) {
            size.setWidth(std::max(size.width(), piece->width()));
            size.setHeight(size.height() + piece->height());
        }
        return size;
    }
    int Dpi() const { return Pieces.front()->logicalDpiY(); }

    std::vector<ChartSurface*> Pieces;

private:
    ChartSurface* FResized = nullptr;
    QSize FScreenSize;
};

bool WriteRaster(const ImageStack& stack, QIODevice& device, const char* format) {
    QImage image;
    if (stack.Pieces.size() == 1) {
        image = stack.Pieces.front()->Picture();
    } else {
        // Where the surfaces differ in width, white fills the rest.
        image = QImage(stack.Size(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        int top = 0;
        for (ChartSurface* piece : stack.Pieces) {
            painter.drawImage(0, top, piece->Picture());
            top += piece->height();
        }
    }
    const int dotsPerMeter = static_cast<int>(std::lround(stack.Dpi() / 0.0254));
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    return image.save(&device, format);
}

// Draws the stack at its on-screen layout on a painter whose device has the screen's resolution,
// so text is measured and drawn at the same size.
bool DrawVector(const ImageStack& stack, QPaintDevice& device) {
    QCPPainter painter;
    if (!painter.begin(&device))
        return false;
    int top = 0;
    for (ChartSurface* piece : stack.Pieces) {
        piece->DrawInto(painter, QRect(0, top, piece->width(), piece->height()), 1.0);
        top += piece->height();
    }
    return painter.end();
}

bool WriteSvg(const ImageStack& stack, QIODevice& device, const QString& title) {
    const QSize size = stack.Size();
    QSvgGenerator svg;
    svg.setOutputDevice(&device);
    svg.setResolution(stack.Dpi());
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(title);
    return DrawVector(stack, svg);
}

bool WritePdf(const ImageStack& stack, QIODevice& device, const QString& title) {
    const QSize size = stack.Size();
    const double pointsPerPixel = 72.0 / stack.Dpi();
    QPdfWriter pdf(&device);
    pdf.setResolution(stack.Dpi());
    pdf.setTitle(title);
    pdf.setCreator(QStringLiteral("Solvista"));
    // One page the size of the picture, without margins.
    const QPageSize page(QSizeF(size.width() * pointsPerPixel, size.height() * pointsPerPixel),
                         QPageSize::Point, QString(), QPageSize::ExactMatch);
    if (!pdf.setPageLayout(QPageLayout(page, QPageLayout::Portrait, QMarginsF())))
        return false;
    return DrawVector(stack, pdf);
}

bool WriteSized(const ImageStack& stack, const ImageGeometry& geometry, ImageFormat format,
                QIODevice& device, const QString& title) {
    switch (format) {
    case ImageFormat::Bmp:
    case ImageFormat::Png:
        return WriteSizedRaster(stack.Pieces, geometry, device,
                                format == ImageFormat::Bmp ? "BMP" : "PNG");
    case ImageFormat::Svg:
        return WriteSizedSvg(stack.Pieces, geometry, device, title);
    case ImageFormat::Pdf:
        return WriteSizedPdf(stack.Pieces, geometry, device, title);
    }
    return false;
}

} // namespace

std::optional<ImageFormat> ImageFormatOf(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    for (const FormatInfo& info : Formats)
        if (suffix == QLatin1String(info.Suffix))
            return info.Format;
    return std::nullopt;
}

QString ImageSuffix(ImageFormat format) {
    return QString::fromLatin1(Formats[static_cast<size_t>(format)].Suffix);
}

QString ChartImageFilter() {
    QString filter;
    for (const FormatInfo& info : Formats) {
        const QString pattern = QStringLiteral("*.") + QLatin1String(info.Suffix);
        filter += Text(info.Description) + QStringLiteral(" (") + pattern + QStringLiteral(")|") +
                  pattern + QLatin1Char('|');
    }
    filter.chop(1);
    return filter;
}

ImageFormat ImageFormatOfFilter(int filterIndex) {
    if (filterIndex < 0 || filterIndex >= static_cast<int>(Formats.size()))
        return ImageFormat::Bmp;
    return Formats[static_cast<size_t>(filterIndex)].Format;
}

QString WithImageSuffix(const QString& path, int filterIndex) {
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QLatin1Char('.') + ImageSuffix(ImageFormatOfFilter(filterIndex));
}

QString ProposedFileName(const QString& stem, const QString& suffix, bool monthMode,
                         DateTime currentDate) {
    // Years 1 to 9999 only; anything else (or NaN) has no date to show.
    const bool formattable =
        std::isfinite(currentDate) && currentDate >= -693593.0 && currentDate < 2958466.0;
    QString date;
    if (formattable)
        date = DatePattern::Format(
            monthMode ? QStringLiteral("mm. yyyy") : QStringLiteral("yyyy-mm-dd"), currentDate);
    if (date.isEmpty())
        return stem + suffix;
    return stem + QLatin1Char(' ') + date + suffix;
}

QString ProposedImageName(bool monthMode, DateTime currentDate) {
    return ProposedFileName(QStringLiteral("Chart"), QStringLiteral(".bmp"), monthMode,
                            currentDate);
}

void SaveChartImages(const ChartPair& charts, const QString& path, ImageSizeChoice size) {
    const std::optional<ImageFormat> format = ImageFormatOf(path);
    if (!format)
        AppError::Raise(
            FormatText(Text(TextUnknownImageType), EscapeControls(QFileInfo(path).fileName())));
    // Written beside the target and renamed over it once complete: a failure leaves no half
    // image and keeps an older file of that name.
    SafeFile file(path);
    if (!file.Open())
        RaiseFileError(path, file.Reason());
    bool written = false;
    {
        OutputDressing dressing(charts);
        const ImageStack stack(charts);
        const QString title =
            charts.ChartTitle.isEmpty() ? QFileInfo(path).completeBaseName() : charts.ChartTitle;
        // Bitmaps are encoded in memory first: the toolkit's bitmap writers leak a buffer when
        // the device refuses a write.
        const bool raster = *format == ImageFormat::Bmp || *format == ImageFormat::Png;
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QIODevice& device = raster ? static_cast<QIODevice&>(buffer) : file.Device();
        // A chosen size is drawn for that size; BMP stays the design's picture of the screen.
        if (size != ImageSizeChoice::Screen && *format != ImageFormat::Bmp) {
            written = WriteSized(stack, GeometryOf(size, stack.Size(), stack.Dpi()), *format,
                                 device, title);
        } else {
            switch (*format) {
            case ImageFormat::Bmp:
            case ImageFormat::Png:
                written = WriteRaster(stack, device, *format == ImageFormat::Bmp ? "BMP" : "PNG");
                break;
            case ImageFormat::Svg:
                written = WriteSvg(stack, device, title);
                break;
            case ImageFormat::Pdf:
                written = WritePdf(stack, device, title);
                break;
            }
        }
        if (raster)
            written = written && file.Write(bytes);
    }
    // A drawing's end may report success over a failed write: the file knows better.
    if (!file.Commit() || !written)
        RaiseFileError(path, file.Reason());
}

PrintLayout ComputePrintLayout(int pageWidth, int pageHeight, int width, int mainHeight,
                               int outHeight) {
    const qint64 w = width;
    const qint64 h = static_cast<qint64>(mainHeight) + outHeight;
    if (w <= 0 || h <= 0 || pageWidth <= 0 || pageHeight <= 0)
        AppError::RaiseText(TextPrintingNotPossible);
    // Integer steps in this order, each division dropping its remainder.
    const qint64 fitW = std::min<qint64>(pageWidth, w * pageHeight / h);
    const qint64 fitH = std::min<qint64>(pageHeight, h * fitW / w);
    PrintLayout layout;
    layout.Left = static_cast<int>((pageWidth - fitW * 9 / 10) / 2);
    layout.Top = static_cast<int>((pageHeight - fitH * 9 / 10) / 2);
    layout.MainHeight = static_cast<int>(fitH * mainHeight / h * 9 / 10);
    layout.OutHeight = static_cast<int>(fitH * outHeight / h * 9 / 10);
    return layout;
}

PrintLayout LayoutForPage(const ChartPair& charts, int pageWidth, int pageHeight) {
    const int mainHeight = ShowsSeries(charts.Chart) ? charts.Chart.height() : 0;
    const int outHeight = ShowsSeries(charts.Chart2) ? charts.Chart2.height() : 0;
    return ComputePrintLayout(pageWidth, pageHeight, charts.Chart.width(), mainHeight, outHeight);
}

void PrintChartPage(const ChartPair& charts, QPrinter& printer) {
    const int pageWidth = printer.width();
    const PrintLayout layout = LayoutForPage(charts, pageWidth, printer.height());
    const bool printMain = ShowsSeries(charts.Chart);
    const bool printOut = ShowsSeries(charts.Chart2);
    QCPPainter painter;
    if (!painter.begin(&printer))
        AppError::RaiseText(TextPrintingNotPossible);
    {
        OutputDressing dressing(charts);
        const int width = pageWidth - 2 * layout.Left;
        if (printMain)
            charts.Chart.DrawInto(painter,
                                  QRect(layout.Left, layout.Top, width, layout.MainHeight));
        if (printOut)
            charts.Chart2.DrawInto(painter, QRect(layout.Left, layout.Top + layout.MainHeight,
                                                  width, layout.OutHeight));
    }
    painter.end();
}
