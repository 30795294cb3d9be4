#pragma once

#include "core/DateTime.h"
#include "output/ImageSize.h"

#include <QString>

#include <optional>

class ChartSurface;
class QPrinter;

// The two surfaces of an analysis window, measured values above outputs, and the window's output
// heading (empty for none).
struct ChartPair {
    ChartSurface& Chart;
    ChartSurface& Chart2;
    QString ChartTitle;
};

// Dresses the charts for an image or a page: the heading above the first chart that shows series,
// the date lines on the lower chart when it stands alone, legends on both. `on == false` takes the
// dressing off again; between the two calls the series must not change.
void PrepareChartsForOutput(const ChartPair& charts, bool on);

// Takes the dressing on at construction and off when it goes out of scope, errors included.
class OutputDressing {
public:
    explicit OutputDressing(const ChartPair& charts);
    ~OutputDressing();
    OutputDressing(const OutputDressing&) = delete;
    OutputDressing& operator=(const OutputDressing&) = delete;

private:
    ChartPair FCharts;
};

// Image save. The file's extension picks the format: BMP and PNG are pictures of the charts at
// their on-screen size, SVG and PDF vector drawings with the same layout.
enum class ImageFormat { Bmp, Png, Svg, Pdf };
// The format a file name asks for (extension in any case); nullopt for any other or none.
std::optional<ImageFormat> ImageFormatOf(const QString& path);
// "bmp", "png", "svg", "pdf".
QString ImageSuffix(ImageFormat format);
// One "description (*.ext)|*.ext|" pair per format, in the order of ImageFormat.
QString ChartImageFilter();
// The format of a filter pair's index; BMP for anything out of range.
ImageFormat ImageFormatOfFilter(int filterIndex);
// A name without extension gets the one of the chosen filter.
QString WithImageSuffix(const QString& path, int filterIndex);
// "Chart 2010-05-01.bmp", or "Chart 05. 2010.bmp" in the month span; "Chart.bmp" without a date.
// "STEM DATE SUFFIX" with the day (or month) in view, or "STEMSUFFIX" when it has no date to show.
QString ProposedFileName(const QString& stem, const QString& suffix, bool monthMode,
                         DateTime currentDate);
QString ProposedImageName(bool monthMode, DateTime currentDate);
// Writes what the charts show into one file in the format its name asks for: the chart that shows
// series, or both stacked without a gap, `Chart` on top. PNG, SVG and PDF are made at `size`; BMP
// is always the on-screen size. The file appears only when it is complete.
// Raises AppError with text 116 for a name of any other type and with the file error when the file
// cannot be written.
void SaveChartImages(const ChartPair& charts, const QString& path,
                     ImageSizeChoice size = ImageSizeChoice::Screen);

// Printing. Where the charts go on a page of pw x ph dots, from their screen sizes.
struct PrintLayout {
    int Left = 0;
    int Top = 0;
    int MainHeight = 0; // 0: the upper chart is not printed
    int OutHeight = 0;  // 0: the lower chart is not printed
};
// Raises text 101 when there is nothing of width or height to print.
PrintLayout ComputePrintLayout(int pageWidth, int pageHeight, int width, int mainHeight,
                               int outHeight);
// The page layout of the charts as they show now; raises text 101 when nothing shows.
PrintLayout LayoutForPage(const ChartPair& charts, int pageWidth, int pageHeight);
// Prints the charts on one page of `printer`, which the caller has set up (landscape, dialog).
// Everything that can refuse is tested before the document begins, so no empty page comes out.
void PrintChartPage(const ChartPair& charts, QPrinter& printer);
