#include "chart/ChartSurface.h"

#include "chart/ChartSeries.h"
#include "chart/CursorLayer.h"
#include "chart/DayTicker.h"
#include "chart/SeriesGraph.h"
#include "chart/ValueTicker.h"
#include "core/AppError.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double MinimumZoomSpan = 1.0 / 24.0; // a zoom never shows less than an hour
}

ChartSurface::ChartSurface(QWidget* parent)
    : QCustomPlot(parent), FDayTicker(new DayTicker), FLeftTicker(new ValueTicker),
      FRightTicker(new ValueTicker) {
    setPlottingHint(QCP::phFastPolylines, true);
    setNoAntialiasingOnDrag(true);
    xAxis->setTicker(FDayTicker);
    yAxis->setTicker(FLeftTicker);
    yAxis2->setTicker(FRightTicker);
    FDayTicker->LabelHook = [this](QString& s) {
        if (FLabelHook)
            FLabelHook(ChartAxis::Bottom, s);
    };
    FLeftTicker->LabelHook = [this](QString& s) {
        if (FLabelHook)
            FLabelHook(ChartAxis::Left, s);
    };
    FRightTicker->LabelHook = [this](QString& s) {
        if (FLabelHook)
            FLabelHook(ChartAxis::Right, s);
    };
    xAxis->setRange(0.0, 1.0);
    for (QCPAxis* axis : {xAxis, yAxis, yAxis2})
        axis->grid()->setPen(QPen(QColor(160, 160, 160), 0, Qt::DotLine));

    // Rows: title, legend, plot.
    plotLayout()->insertRow(0);
    FTitleElement = new QCPTextElement(this, QString(), QFont(font().family(), 10, QFont::Bold));
    plotLayout()->addElement(0, 0, FTitleElement);
    axisRect()->insetLayout()->take(legend);
    plotLayout()->setRowStretchFactor(0, 0.001);
    legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    legend->setWrap(8);
    legend->setBorderPen(Qt::NoPen);
    legend->setVisible(false);
    UpdateTitle();

    axisRect()->setRangeZoomAxes({xAxis}, {yAxis, yAxis2});
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeDragAxes(xAxis, nullptr);
    SetZoomAllowed(true);
    connect(selectionRect(), &QCPSelectionRect::started, this,
            [this] { FBeforeZoom = CurrentRanges(); });
    connect(selectionRect(), &QCPSelectionRect::accepted, this, [this] {
        // Queued: QCP applies the zoom after this signal, whatever the connection order.
        QMetaObject::invokeMethod(this, &ChartSurface::ZoomAccepted, Qt::QueuedConnection);
    });
    connect(this, &QCustomPlot::beforeReplot, this, &ChartSurface::FitAutomaticAxes);
    FCursor = new CursorLayer(this);
}

ChartSurface::~ChartSurface() { RemoveAllSeries(); }

// ---- title ----

void ChartSurface::ClearTitle() {
    FTitle.clear();
    UpdateTitle();
}

void ChartSurface::AddTitle(const QString& line) {
    FTitle.append(line);
    UpdateTitle();
}

void ChartSurface::InsertTitleTop(const QString& line) {
    FTitle.prepend(line);
    UpdateTitle();
}

void ChartSurface::DeleteTopTitle() {
    if (!FTitle.isEmpty())
        FTitle.removeFirst();
    UpdateTitle();
}

void ChartSurface::SetTitleVisible(bool visible) {
    FTitleVisible = visible;
    UpdateTitle();
}

void ChartSurface::UpdateTitle() {
    FTitleElement->setText(FTitle.join(QLatin1Char('\n')));
    FTitleElement->setVisible(FTitleVisible && !FTitle.isEmpty());
    // An empty row would still take the text's height.
    FTitleElement->setMargins(FTitleElement->visible() ? QMargins(0, 4, 0, 0) : QMargins());
    if (!FTitleElement->visible())
        FTitleElement->setText(QString());
    Repaint();
}

// ---- axes ----

QCPAxis* ChartSurface::AxisOf(ChartAxis axis) const {
    switch (axis) {
    case ChartAxis::Bottom:
        return xAxis;
    case ChartAxis::Left:
        return yAxis;
    case ChartAxis::Right:
        return yAxis2;
    }
    return xAxis;
}

double ChartSurface::Minimum(ChartAxis axis) const { return AxisOf(axis)->range().lower; }
double ChartSurface::Maximum(ChartAxis axis) const { return AxisOf(axis)->range().upper; }

void ChartSurface::SetMinimum(ChartAxis axis, double value) {
    // QCP would silently swap the bounds; callers rely on the refusal to order their two calls.
    if (!std::isfinite(value) || value > Maximum(axis))
        AppError::Raise(QStringLiteral("Axis minimum above maximum."));
    AxisOf(axis)->setRangeLower(value);
    Repaint();
}

void ChartSurface::SetMaximum(ChartAxis axis, double value) {
    if (!std::isfinite(value) || value < Minimum(axis))
        AppError::Raise(QStringLiteral("Axis maximum below minimum."));
    AxisOf(axis)->setRangeUpper(value);
    Repaint();
}

void ChartSurface::SetAutomatic(ChartAxis axis, bool automatic) {
    FAutomatic[Index(axis)] = automatic;
    Repaint();
}

void ChartSurface::AdjustToData(ChartAxis axis) {
    FitAxis(axis);
    Repaint();
}

void ChartSurface::FitAxis(ChartAxis axis) {
    SyncPoints();
    QCPRange range;
    bool found = false;
    for (ChartSeries* series : Series()) {
        SeriesGraph* graph = GraphOf(series);
        if (!graph || !graph->visible())
            continue;
        bool any = false;
        QCPRange r;
        if (axis == ChartAxis::Bottom) {
            r = graph->getKeyRange(any);
        } else {
            if (graph->valueAxis() != AxisOf(axis))
                continue;
            r = graph->getValueRange(any);
            if (any && graph->Bars())
                r.expand(series->BarOrigin());
        }
        if (!any)
            continue;
        if (found)
            range.expand(r);
        else
            range = r;
        found = true;
    }
    if (!found)
        return; // nothing to fit: keep the range
    if (range.size() <= 0.0)
        range = QCPRange(range.lower - 0.5, range.upper + 0.5);
    AxisOf(axis)->setRange(range);
}

void ChartSurface::FitAutomaticAxes() {
    SyncPoints();
    ApplyMargins(); // a hidden widget gets its resize event only when shown
    for (ChartAxis axis : {ChartAxis::Bottom, ChartAxis::Left, ChartAxis::Right})
        if (FAutomatic[Index(axis)] && FUndo.empty())
            FitAxis(axis); // no Repaint: this runs inside a replot
}

void ChartSurface::SetDateFormat(const QString& pattern) {
    FDayTicker->Format = pattern;
    Repaint();
}

QString ChartSurface::DateFormat() const { return FDayTicker->Format; }

void ChartSurface::SetAxisTitle(ChartAxis axis, const QString& title) {
    AxisOf(axis)->setLabel(title);
    Repaint();
}

QString ChartSurface::AxisTitle(ChartAxis axis) const { return AxisOf(axis)->label(); }

void ChartSurface::SetIncrement(ChartAxis axis, double increment) {
    switch (axis) {
    case ChartAxis::Bottom:
        FDayTicker->Increment = increment;
        break;
    case ChartAxis::Left:
        FLeftTicker->Increment = increment;
        break;
    case ChartAxis::Right:
        FRightTicker->Increment = increment;
        break;
    }
    Repaint();
}

void ChartSurface::SetGridVisible(ChartAxis axis, bool visible) {
    AxisOf(axis)->grid()->setVisible(visible);
    Repaint();
}

void ChartSurface::SetTickLength(ChartAxis axis, int length) {
    AxisOf(axis)->setTickLength(0, length);
    AxisOf(axis)->setSubTickLength(0, length / 2);
    Repaint();
}

void ChartSurface::SetAxisVisible(ChartAxis axis, bool visible) {
    AxisOf(axis)->setVisible(visible);
    Repaint();
}

void ChartSurface::CopyBottomAxisTo(ChartSurface& other) const {
    other.xAxis->setRange(xAxis->range());
    other.FDayTicker->Format = FDayTicker->Format;
    other.FDayTicker->Increment = FDayTicker->Increment;
    other.Repaint();
}

void ChartSurface::SetMarginsPercent(double left, double right, double top) {
    FMargins[0] = left;
    FMargins[1] = right;
    FMargins[2] = top;
    ApplyMargins();
    Repaint();
}

void ChartSurface::ApplyMargins() {
    if (FMargins[0] < 0.0)
        return;
    axisRect()->setAutoMargins(QCP::msBottom);
    const auto px = [](double percent, int size) {
        return static_cast<int>(std::lround(percent * size / 100.0));
    };
    const bool follow = FLeader != nullptr && FLeaderLeft >= 0 && FLeader->width() == width();
    axisRect()->setMargins(QMargins(follow ? FLeaderLeft : px(FMargins[0], width()),
                                    px(FMargins[2], height()),
                                    follow ? FLeaderRight : px(FMargins[1], width()), 0));
}

void ChartSurface::FollowPlotEdgesOf(ChartSurface* leader) {
    FLeader = leader;
    connect(leader, &QCustomPlot::afterLayout, this, [this] {
        const QCPAxisRect* rect = FLeader->axisRect();
        // A layout for print or a bitmap of another size says nothing about the screen.
        if (rect->outerRect().width() != FLeader->width())
            return;
        const int left = rect->left() - rect->outerRect().left();
        const int right = rect->outerRect().right() - rect->right();
        if (left == FLeaderLeft && right == FLeaderRight)
            return;
        FLeaderLeft = left;
        FLeaderRight = right;
        ApplyMargins();
        Repaint();
    });
}

void ChartSurface::resizeEvent(QResizeEvent* event) {
    ApplyMargins();
    QCustomPlot::resizeEvent(event);
}

// ---- mouse ----

ChartSurface::Ranges ChartSurface::CurrentRanges() const {
    return {xAxis->range(), yAxis->range(), yAxis2->range()};
}

void ChartSurface::ApplyRanges(const Ranges& ranges) {
    xAxis->setRange(ranges.Bottom);
    yAxis->setRange(ranges.Left);
    yAxis2->setRange(ranges.Right);
}

void ChartSurface::SetZoomAllowed(bool allowed) {
    FZoomAllowed = allowed;
    setSelectionRectMode(allowed ? QCP::srmZoom : QCP::srmNone);
    setInteraction(QCP::iRangeDrag, FPanAllowed && !allowed);
}

void ChartSurface::SetPanAllowed(bool allowed) {
    FPanAllowed = allowed;
    SetZoomAllowed(FZoomAllowed);
}

void ChartSurface::ZoomAccepted() {
    const QCPRange r = xAxis->range();
    if (r.size() < MinimumZoomSpan) {
        const double centre = r.center();
        xAxis->setRange(centre - MinimumZoomSpan / 2.0, centre + MinimumZoomSpan / 2.0);
    }
    // A zoom fixes the value axes until it is undone.
    FUndo.push_back(FBeforeZoom);
    Repaint();
    Q_EMIT AfterZoom();
}

void ChartSurface::UndoZoom() {
    if (!FUndo.empty()) {
        ApplyRanges(FUndo.back());
        FUndo.pop_back();
    }
    Repaint();
    Q_EMIT AfterUndoZoom();
}

void ChartSurface::mousePressEvent(QMouseEvent* event) {
    FAtPress = CurrentRanges();
    FPressed = true;
    QCustomPlot::mousePressEvent(event);
}

void ChartSurface::mouseReleaseEvent(QMouseEvent* event) {
    QCustomPlot::mouseReleaseEvent(event);
    const bool panned =
        FPressed && FPanAllowed && !FZoomAllowed && xAxis->range() != FAtPress.Bottom;
    FPressed = false;
    if (panned)
        Q_EMIT AfterPan();
}

void ChartSurface::SetAxisLabelHook(AxisLabelHook hook) {
    FLabelHook = std::move(hook);
    Repaint();
}

// ---- series ----

double ChartSurface::KeyAtPixel(double x) const { return xAxis->pixelToCoord(x); }

double ChartSurface::PixelOfKey(double key) const { return xAxis->coordToPixel(key); }

QRect ChartSurface::PlotArea() const { return axisRect()->rect(); }

SeriesGraph* ChartSurface::GraphOf(const ChartSeries* series) const {
    const auto it = FGraphs.find(series);
    return it == FGraphs.end() ? nullptr : it->second.data();
}

void ChartSurface::SeriesAttached(ChartSeries* series) {
    auto* graph = new SeriesGraph(xAxis, yAxis); // owned by the plot
    graph->removeFromLegend();
    FGraphs[series] = graph;
    ApplyStyle(series);
    FillPoints(series);
    RebuildLegend();
    Repaint();
}

void ChartSurface::SeriesDetached(ChartSeries* series) {
    if (SeriesGraph* graph = GraphOf(series))
        removePlottable(graph);
    FGraphs.erase(series);
    FFilledVersion.erase(series);
    RebuildLegend();
    Repaint();
}

void ChartSurface::SeriesChanged(ChartSeries* series, Change change) {
    // Points are copied when next drawn, so a reader appending point by point stays linear.
    if (change != Change::Points)
        ApplyStyle(series);
    if (change == Change::Style || change == Change::Legend)
        RebuildLegend();
    Repaint();
}

void ChartSurface::SyncPoints() {
    for (ChartSeries* series : Series())
        if (const auto it = FFilledVersion.find(series);
            it == FFilledVersion.end() || it->second != series->PointsVersion())
            FillPoints(series);
}

void ChartSurface::FillPoints(ChartSeries* series) {
    SeriesGraph* graph = GraphOf(series);
    if (!graph)
        return;
    FFilledVersion[series] = series->PointsVersion();
    QVector<QCPGraphData> points;
    points.reserve(series->Count());
    series->ForEachPoint([&](DateTime x, double y) { points.append(QCPGraphData(x, y)); });
    // Already in insertion order: QCP's own sort is unstable and would swap gaps with points.
    graph->data()->set(points, true);
}

void ChartSurface::ApplyStyle(ChartSeries* series) {
    SeriesGraph* graph = GraphOf(series);
    if (!graph)
        return;
    graph->setPen(QPen(series->Color(), std::max(1, series->LineWidth())));
    graph->setName(series->Title());
    graph->setLineStyle(series->Stairs() ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    graph->SetBars(series->Kind() == SeriesKind::Bar, series->BarOrigin(),
                   ChartSeries::BarWidthPercent / 100.0);
    graph->setValueAxis(series->Axis() == ValueAxis::Right ? yAxis2 : yAxis);
}

void ChartSurface::SetLegendVisible(bool visible) {
    FLegendVisible = visible;
    RebuildLegend();
    Repaint();
}

void ChartSurface::RebuildLegend() {
    // A re-added entry would go to the end, so the whole legend follows the series order.
    legend->clearItems();
    for (ChartSeries* series : Series())
        if (SeriesGraph* graph = GraphOf(series); graph && series->ShowInLegend())
            graph->addToLegend();
    const bool show = FLegendVisible && legend->itemCount() > 0;
    legend->setVisible(show);
    // An empty legend in the layout would cap the width of the whole column, so it only takes
    // its row (below the title) while it has entries.
    if (show && !legend->layout()) {
        plotLayout()->insertRow(1);
        plotLayout()->addElement(1, 0, legend);
        plotLayout()->setRowStretchFactor(1, 0.001);
    } else if (!show && legend->layout()) {
        plotLayout()->take(legend);
        plotLayout()->simplify();
    }
}

QStringList ChartSurface::LegendEntries() const {
    QStringList entries;
    for (int i = 0; i < legend->itemCount(); ++i)
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            entries.append(item->plottable()->name());
    return entries;
}

void ChartSurface::SetBackgroundColor(const QColor& color) {
    setBackground(QBrush(color));
    Repaint();
}

// ---- output ----

void ChartSurface::Repaint() { replot(QCustomPlot::rpQueuedReplot); }

void ChartSurface::MarkSpan(double from, double to) {
    if (FMarkedSpan.isNull()) {
        FMarkedSpan = new QCPItemRect(this);
        // Below the graphs, above the plot's background.
        FMarkedSpan->setLayer(QStringLiteral("grid"));
        FMarkedSpan->setPen(Qt::NoPen);
        FMarkedSpan->setBrush(QColor(255, 176, 0, 70));
        FMarkedSpan->setSelectable(false);
        for (QCPItemPosition* corner : {FMarkedSpan->topLeft, FMarkedSpan->bottomRight}) {
            corner->setTypeX(QCPItemPosition::ptPlotCoords);
            corner->setTypeY(QCPItemPosition::ptAxisRectRatio);
        }
    }
    FMarkedSpan->topLeft->setCoords(std::min(from, to), 0.0);
    FMarkedSpan->bottomRight->setCoords(std::max(from, to), 1.0);
    Repaint();
}

void ChartSurface::ClearMarkedSpan() {
    if (FMarkedSpan.isNull())
        return;
    removeItem(FMarkedSpan.data());
    Repaint();
}

double ChartSurface::MarkedFrom() const {
    return FMarkedSpan.isNull() ? 0.0 : FMarkedSpan->topLeft->coords().x();
}

double ChartSurface::MarkedTo() const {
    return FMarkedSpan.isNull() ? 0.0 : FMarkedSpan->bottomRight->coords().x();
}

bool ChartSurface::SaveBmp(const QString& fileName) { return saveBmp(fileName, width(), height()); }

QImage ChartSurface::Picture() { return toPixmap(width(), height()).toImage(); }

void ChartSurface::DrawInto(QCPPainter& painter, const QRect& target, double layoutScale) {
    if (target.width() <= 0 || target.height() <= 0 || !(layoutScale > 0.0))
        return;
    const int layoutWidth = static_cast<int>(std::lround(target.width() * layoutScale));
    const int layoutHeight = static_cast<int>(std::lround(target.height() * layoutScale));
    FitAutomaticAxes();
    painter.save();
    painter.setModes(QCPPainter::pmVectorized | QCPPainter::pmNoCaching |
                     QCPPainter::pmNonCosmetic);
    painter.translate(target.topLeft());
    painter.scale(1.0 / layoutScale, 1.0 / layoutScale);
    toPainter(&painter, layoutWidth, layoutHeight);
    painter.restore();
    // The export layout stays until the next replot.
    replot();
}
