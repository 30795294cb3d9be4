#include "output/ChartOutput.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"

#include <QImage>
#include <QPainter>
#include <QPrinter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int TextImageFiles = 73;
constexpr int TextAllFiles = 74;
constexpr int TextPrintingNotPossible = 101;
// The lower chart alone gets the title lines of the upper one, which needs room when it is small.
constexpr int TallEnoughForTitle = 160;
constexpr int TitleRoom = 60;

bool ShowsSeries(const ChartSurface& surface) { return surface.ActiveSeriesCount() > 0; }

[[noreturn]] void RaiseFileError(const QString& path) {
    // The file layer's own message, which is not translated.
    AppError::Raise(FormatText(QStringLiteral("Datei %s kann nicht erstellt werden"), path));
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

QString ChartImageFilter() {
    return Text(TextImageFiles) + QStringLiteral(" (*.bmp)|*.bmp|") + Text(TextAllFiles) +
           QStringLiteral(" (*.*)|*");
}

QString ProposedImageName(bool monthMode, DateTime currentDate) {
    // Years 1 to 9999 only; anything else (or NaN) has no date to show.
    const bool formattable =
        std::isfinite(currentDate) && currentDate >= -693593.0 && currentDate < 2958466.0;
    QString date;
    if (formattable)
        date = DatePattern::Format(
            monthMode ? QStringLiteral("mm. yyyy") : QStringLiteral("yyyy-mm-dd"), currentDate);
    if (date.isEmpty())
        return QStringLiteral("Chart.bmp");
    return QStringLiteral("Chart ") + date + QStringLiteral(".bmp");
}

void WriteSurfaceImage(ChartSurface& surface, const QString& path) {
    if (!surface.SaveBmp(path))
        RaiseFileError(path);
}

void SaveChartImages(const ChartPair& charts, const QString& path) {
    OutputDressing dressing(charts);
    ChartSurface& chart = charts.Chart;
    ChartSurface& chart2 = charts.Chart2;
    if (!ShowsSeries(chart2)) {
        WriteSurfaceImage(chart, path);
    } else if (!ShowsSeries(chart)) {
        if (chart.height() < TallEnoughForTitle) {
            WriteSurfaceImage(chart2, path);
            return;
        }
        const QSize screenSize = chart2.size();
        chart2.resize(screenSize.width(), screenSize.height() + TitleRoom);
        try {
            WriteSurfaceImage(chart2, path);
        } catch (...) {
            chart2.resize(screenSize); // rethrown: the caller reports the error
            throw;
        }
        chart2.resize(screenSize);
    } else {
        SaveCombinedImage(charts, path);
    }
}

void SaveCombinedImage(const ChartPair& charts, const QString& path) {
    // Composed in memory: the same pixels as two bitmap files stacked, without a temporary file
    // beside the user's image.
    ChartSurface& chart = charts.Chart;
    ChartSurface& chart2 = charts.Chart2;
    const QImage upper = chart.toPixmap(chart.width(), chart.height()).toImage();
    const QImage lower = chart2.toPixmap(chart2.width(), chart2.height()).toImage();
    QImage combined(upper.width(), upper.height() + lower.height(), QImage::Format_RGB32);
    combined.fill(Qt::white);
    {
        QPainter painter(&combined);
        painter.drawImage(0, 0, upper);
        painter.drawImage(0, upper.height(), lower);
    }
    if (!combined.save(path, "BMP"))
        RaiseFileError(path);
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
