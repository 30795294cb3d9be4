#pragma once

#include "chart/ChartTypes.h"
#include "chart/SeriesHost.h"

#include "chart/PlotLibrary.h"

#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class ChartMarks;
class ChartSeries;
class MarkLayer;
class MarkOverlay;
class OpaqueBuffer;
class DayTicker;
class SeriesGraph;
class ValueTicker;
class ZoomTool;
class QAction;
class QPrinter;

enum class ChartAxis { Bottom, Left, Right };

// The drawing host of chart series: a time axis in DateTime days, a left and a right value axis,
// title lines, a legend at the top, the marks of a ChartMarks model, bitmap and printer output.
// Redraws are queued, so many changes in one action cost one replot. Zoom, its undo and the pan
// are the ZoomTool's; Escape and the context menu's entry undo the zoom too.
class ChartSurface : public QCustomPlot, public SeriesHost {
    Q_OBJECT
public:
    explicit ChartSurface(QWidget* parent = nullptr);
    ~ChartSurface() override;

    // Title lines.
    void ClearTitle();
    void AddTitle(const QString& line);
    void InsertTitleTop(const QString& line);
    void DeleteTopTitle();
    QString TitleLine(int index) const { return FTitle.value(index); }
    int TitleCount() const { return static_cast<int>(FTitle.size()); }
    void SetTitleVisible(bool visible);
    bool TitleVisible() const { return FTitleVisible; }

    // Axes. A minimum above the maximum (or a maximum below the minimum) is refused with AppError.
    double Minimum(ChartAxis axis) const;
    double Maximum(ChartAxis axis) const;
    void SetMinimum(ChartAxis axis, double value);
    void SetMaximum(ChartAxis axis, double value);
    void SetAutomatic(ChartAxis axis, bool automatic);
    bool Automatic(ChartAxis axis) const { return FAutomatic[Index(axis)]; }
    // Fits the axis to the visible series attached to it.
    void AdjustToData(ChartAxis axis);
    void SetDateFormat(const QString& pattern);
    QString DateFormat() const;
    // The time axis names months in the language of `names` (nullopt: the system's).
    void SetMonthNames(std::optional<QLocale> names);
    void SetAxisTitle(ChartAxis axis, const QString& title);
    QString AxisTitle(ChartAxis axis) const;
    void SetIncrement(ChartAxis axis, double increment);
    void SetGridVisible(ChartAxis axis, bool visible);
    void SetTickLength(ChartAxis axis, int length);
    void SetAxisVisible(ChartAxis axis, bool visible);
    void CopyBottomAxisTo(ChartSurface& other) const;

    // Left, right and top margins in percent of the surface's size.
    void SetMarginsPercent(double left, double right, double top);
    // From the leader's next on-screen layout on, the left and right plot edges follow the
    // leader's, so two stacked surfaces share one time axis whatever their labels need; the
    // percent margins hold until then.
    void FollowPlotEdgesOf(ChartSurface* leader);

    // Mouse: the zoom tool and its short forms.
    ZoomTool& Zoom() const { return *FZoom; }
    void SetZoomAllowed(bool allowed);
    void SetPanAllowed(bool allowed);
    bool CanUndoZoom() const;
    void UndoZoom();
    // The context menu's entry; its owner gives it its text.
    QAction* UndoZoomAction() const;

    // Lines are never drawn wider than this, whatever width a series asks for: wide pens cost
    // time with the square of their width.
    static constexpr int MaxLineWidth = 99;

    // The handler may replace the text of each axis label.
    using AxisLabelHook = std::function<void(ChartAxis axis, QString& text)>;
    void SetAxisLabelHook(AxisLabelHook hook);

    void SetLegendVisible(bool visible);
    bool LegendVisible() const { return FLegendVisible; }
    // Legend texts in drawing order, for callers and tests.
    QStringList LegendEntries() const;
    void SetBackgroundColor(const QColor& color);
    // The marks drawn: the surface's own until it is given a model shared with other surfaces.
    ChartMarks& Marks() const { return *FMarks; }
    void ShareMarks(ChartMarks& marks);

    // Queues one redraw; further calls before it runs add nothing.
    void Repaint();
    // Writes a Windows bitmap of the surface's size; false when the file cannot be written.
    bool SaveBmp(const QString& fileName);
    // The surface at its size as a picture on its background, for raster image files.
    QImage Picture();
    // Draws the surface into `target` of a painter opened on a screen-resolution device. The
    // layout is made for `layoutScale` times the target's size: 1.5 gives the smaller text paper
    // needs, 1 the on-screen layout (vector image files).
    void DrawInto(QCPPainter& painter, const QRect& target, double layoutScale = 1.5);
    // Draws the surface as a surface of `layout` pixels would look (margins, ticks, labels and
    // legend placed for that size) at `topLeft` of a painter on a screen-resolution device, every
    // length multiplied by `scale`: a picture at a size of its own, not an enlarged bitmap. A
    // surface that follows another's plot edges follows them as laid out at that size.
    void DrawLaidOut(QCPPainter& painter, QPointF topLeft, QSize layout, double scale);
    // The plot area of the last DrawLaidOut, in its layout's pixels.
    QRect LaidOutPlotArea() const { return FLaidOutPlotArea; }
    SeriesGraph* GraphOf(const ChartSeries* series) const;

    // The marks in front of the series and the readout, painted on screen only.
    MarkOverlay* Cursor() const { return FCursor.get(); }
    // Time axis and plot area in widget pixels.
    double KeyAtPixel(double x) const;
    double PixelOfKey(double key) const;
    QRect PlotArea() const;

Q_SIGNALS:
    void AfterZoom();
    void AfterUndoZoom();
    void AfterPan();
    // While a pan drag moves the time axis, at every move.
    void Panning();

protected:
    void SeriesAttached(ChartSeries* series) override;
    void SeriesDetached(ChartSeries* series) override;
    void SeriesChanged(ChartSeries* series, Change change) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void processRectZoom(QRect rect, QMouseEvent* event) override;
    // The plottable of each attached series; a variant surface may hand out a graph of its own.
    virtual SeriesGraph* MakeGraph();

private:
    // Bar series are drawn on this layer, below the lines.
    QCPLayer* FBarLayer = nullptr;
    // Underlaid series, below the bars.
    QCPLayer* FUnderlayLayer = nullptr;
    static int Index(ChartAxis axis) { return static_cast<int>(axis); }
    QCPAxis* AxisOf(ChartAxis axis) const;
    void FillPoints(ChartSeries* series);
    void SyncPoints();
    void ApplyStyle(ChartSeries* series);
    void RebuildLegend();
    void UpdateTitle();
    void ApplyMargins();
    // The margins the percent rule, or the leader's edges, give a layout of `size`.
    QMargins MarginsAt(QSize size);
    // The left and right distances of the plot area from the edges when laid out at `size`.
    std::pair<int, int> PlotEdgesAt(QSize size);
    void FitAutomaticAxes();
    void FitAxis(ChartAxis axis);

    QStringList FTitle;
    bool FTitleVisible = true;
    QPointer<QCPTextElement> FTitleElement;
    bool FLegendVisible = true;
    bool FAutomatic[3] = {false, true, true};
    double FMargins[3] = {-1.0, -1.0, -1.0};
    QPointer<ChartSurface> FLeader;
    int FLeaderLeft = -1;
    int FLeaderRight = -1;
    ZoomTool* FZoom = nullptr; // owned by the plot
    AxisLabelHook FLabelHook;
    QSharedPointer<DayTicker> FDayTicker;
    QSharedPointer<ValueTicker> FLeftTicker;
    QSharedPointer<ValueTicker> FRightTicker;
    std::map<const ChartSeries*, QPointer<SeriesGraph>> FGraphs;
    std::map<const ChartSeries*, unsigned> FFilledVersion;
    QRect FLaidOutPlotArea;
    ChartMarks* FMarks = nullptr;
    MarkLayer* FBehind = nullptr; // marks behind the series; owned by the plot
    std::unique_ptr<MarkOverlay> FCursor;
    QSharedPointer<OpaqueBuffer> FLowest;
};
