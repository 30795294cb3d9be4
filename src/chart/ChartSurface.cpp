#include "chart/ChartSurface.h"

#include "chart/ChartSeries.h"
#include "chart/CursorLayer.h"
#include "chart/DayTicker.h"
#include "chart/SeriesGraph.h"
#include "chart/ValueTicker.h"
#include "core/AppError.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>

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

    // Bars below the lines: a day's bars or the power as bars must not hide the temperatures.
    addLayer(QStringLiteral("bars"), layer(QStringLiteral("main")), QCustomPlot::limBelow);
    FBarLayer = layer(QStringLiteral("bars"));

    axisRect()->setRangeZoomAxes({xAxis}, {yAxis, yAxis2});
    axisRect()->setRangeDrag(Qt::Horizontal);
    axisRect()->setRangeDragAxes(xAxis, nullptr);
    setFocusPolicy(Qt::ClickFocus); // Escape undoes the zoom of the chart clicked last
    FUndoZoomAction = new QAction(this);
    FUndoZoomAction->setObjectName(QStringLiteral("ActionUndoZoom"));
    addAction(FUndoZoomAction);
    connect(FUndoZoomAction, &QAction::triggered, this, [this] { UndoZoom(); });
    SetZoomAllowed(true);
    connect(this, &QCustomPlot::beforeReplot, this, &ChartSurface::FitAutomaticAxes);
    // The zoom rectangle's layer shares the chart's buffer: every redraw clears and composes each
    // buffer over the whole widget, and the rectangle is only drawn while it is dragged (the
    // chart is then redrawn with it). The cursor keeps a buffer of its own, on top.
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
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
        if (FAutomatic[Index(axis)] && !FBeforeZoom)
            FitAxis(axis); // no Repaint: this runs inside a replot
}

void ChartSurface::SetDateFormat(const QString& pattern) {
    FDayTicker->Format = pattern;
    Repaint();
}

QString ChartSurface::DateFormat() const { return FDayTicker->Format; }

void ChartSurface::SetMonthNames(std::optional<QLocale> names) {
    FDayTicker->MonthNames = std::move(names);
    Repaint();
}

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
    UpdateUndoAction();
}

void ChartSurface::SetPanAllowed(bool allowed) {
    FPanAllowed = allowed;
    SetZoomAllowed(FZoomAllowed);
}

void ChartSurface::UpdateUndoAction() {
    FUndoZoomAction->setVisible(FZoomAllowed || CanUndoZoom());
    FUndoZoomAction->setEnabled(CanUndoZoom());
}

void ChartSurface::processRectZoom(QRect rect, QMouseEvent* event) {
    // The rectangle comes normalised; the direction is told by where the drag ended.
    if (event != nullptr && event->position().x() < FPressPos.x()) {
        replot(rpQueuedReplot); // the rectangle disappears
        UndoZoom();
        return;
    }
    const Ranges before = CurrentRanges();
    QCustomPlot::processRectZoom(rect, event);
    const QCPRange r = xAxis->range();
    if (r.size() < MinimumZoomSpan) {
        const double centre = r.center();
        xAxis->setRange(centre - MinimumZoomSpan / 2.0, centre + MinimumZoomSpan / 2.0);
    }
    // A zoom fixes the value axes until it is undone; undo goes back before the first zoom.
    if (!FBeforeZoom)
        FBeforeZoom = before;
    FZoomed = CurrentRanges();
    UpdateUndoAction();
    Repaint();
    Q_EMIT AfterZoom();
}

void ChartSurface::UndoZoom() {
    if (FBeforeZoom) {
        const Ranges before = *FBeforeZoom;
        FBeforeZoom.reset();
        xAxis->setRange(before.Bottom);
        // A value range set by code since the zoom (new settings, a fit to other channels) is
        // newer than the one from before the zoom.
        if (yAxis->range() == FZoomed.Left)
            yAxis->setRange(before.Left);
        if (yAxis2->range() == FZoomed.Right)
            yAxis2->setRange(before.Right);
        UpdateUndoAction();
    }
    Repaint();
    Q_EMIT AfterUndoZoom();
}

void ChartSurface::mousePressEvent(QMouseEvent* event) {
    FAtPress = CurrentRanges();
    FPressPos = event->position().toPoint();
    FPressed = true;
    // Zoom and pan take the plain left button only: the right one opens the context menu, and a
    // drag with Shift belongs to other tools.
    FPressForwarded =
        event->button() == Qt::LeftButton && !event->modifiers().testFlag(Qt::ShiftModifier);
    if (FPressForwarded)
        QCustomPlot::mousePressEvent(event);
    else
        event->accept();
}

void ChartSurface::mouseMoveEvent(QMouseEvent* event) {
    const QCPRange before = xAxis->range();
    QCustomPlot::mouseMoveEvent(event);
    if (FPressed && FPressForwarded && FPanAllowed && !FZoomAllowed && xAxis->range() != before)
        Q_EMIT Panning();
}

void ChartSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (!FPressForwarded) {
        FPressed = false;
        event->accept();
        return;
    }
    QCustomPlot::mouseReleaseEvent(event);
    const bool panned =
        FPressed && FPanAllowed && !FZoomAllowed && xAxis->range() != FAtPress.Bottom;
    FPressed = false;
    FPressForwarded = false;
    if (panned)
        Q_EMIT AfterPan();
}

void ChartSurface::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && CanUndoZoom()) {
        UndoZoom();
        event->accept();
        return;
    }
    QCustomPlot::keyPressEvent(event);
}

void ChartSurface::contextMenuEvent(QContextMenuEvent* event) {
    QList<QAction*> entries;
    for (QAction* action : actions())
        if (action->isVisible())
            entries.append(action);
    if (entries.isEmpty()) {
        event->ignore();
        return;
    }
    QMenu::exec(entries, event->globalPos(), nullptr, this);
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
    graph->setPen(QPen(series->Color(), std::clamp(series->LineWidth(), 1, MaxLineWidth)));
    graph->setName(series->Title());
    graph->setLineStyle(series->Stairs() ? QCPGraph::lsStepLeft : QCPGraph::lsLine);
    graph->SetBars(series->Kind() == SeriesKind::Bar, series->BarOrigin(),
                   ChartSeries::BarWidthPercent / 100.0);
    graph->setValueAxis(series->Axis() == ValueAxis::Right ? yAxis2 : yAxis);
    QCPLayer* wanted = graph->Bars() ? FBarLayer : layer(QStringLiteral("main"));
    if (graph->layer() != wanted)
        graph->setLayer(wanted);
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
