#include "chart/ChartSurface.h"

#include "chart/ChartMarks.h"
#include "chart/ChartSeries.h"
#include "chart/DayTicker.h"
#include "chart/MarkLayer.h"
#include "chart/MarkOverlay.h"
#include "chart/OpaqueBuffer.h"
#include "chart/SeriesGraph.h"
#include "chart/ValueTicker.h"
#include "chart/ZoomTool.h"
#include "core/AppError.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPaintEvent>

#include <algorithm>
#include <cmath>

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
    // What is laid under: its bars beneath the bars, its lines beneath the lines but above the
    // bars, so that bars of flow or power never hide the reference's temperatures.
    addLayer(QStringLiteral("underlay"), FBarLayer, QCustomPlot::limBelow);
    FUnderlayLayer = layer(QStringLiteral("underlay"));
    addLayer(QStringLiteral("underlay-lines"), FBarLayer, QCustomPlot::limAbove);

    setFocusPolicy(Qt::ClickFocus); // Escape undoes the zoom of the chart clicked last
    FZoom = new ZoomTool(*this);
    connect(FZoom, &ZoomTool::AfterZoom, this, &ChartSurface::AfterZoom);
    connect(FZoom, &ZoomTool::AfterUndoZoom, this, &ChartSurface::AfterUndoZoom);
    connect(FZoom, &ZoomTool::AfterPan, this, &ChartSurface::AfterPan);
    connect(FZoom, &ZoomTool::Panning, this, &ChartSurface::Panning);
    connect(this, &QCustomPlot::beforeReplot, this, [this] {
        FitAutomaticAxes();
        FLowest->SetBackground(
            mBackgroundBrush.style() == Qt::SolidPattern ? mBackgroundBrush.color() : QColor());
    });
    // One buffer for the whole chart: every redraw clears and composes each buffer over the
    // whole widget. The zoom rectangle is only drawn while it is dragged (the chart is then
    // redrawn with it); the cursor is painted over the buffer by the overlay.
    layer(QStringLiteral("overlay"))->setMode(QCPLayer::lmLogical);
    FLowest.reset(new OpaqueBuffer(viewport().size(), devicePixelRatioF()));
    mPaintBuffers.clear();
    mPaintBuffers.append(FLowest.staticCast<QCPAbstractPaintBuffer>());
    FMarks = new ChartMarks(this);
    FBehind = new MarkLayer(this, FMarks);
    FCursor = std::make_unique<MarkOverlay>(this, FMarks);
    ShareMarks(*FMarks);
}

void ChartSurface::ShareMarks(ChartMarks& marks) {
    if (FMarks != nullptr)
        disconnect(FMarks, &ChartMarks::Changed, this, nullptr);
    FMarks = &marks;
    FBehind->SetMarks(FMarks);
    FCursor->SetMarks(FMarks);
    connect(FMarks, &ChartMarks::Changed, this, [this](bool behind) {
        if (behind)
            Repaint();
        else
            FCursor->Redraw();
    });
    Repaint();
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
        if (FAutomatic[Index(axis)] && !FZoom->CanUndo())
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

void ChartSurface::paintEvent(QPaintEvent* event) {
    QCPPainter painter(this);
    if (!painter.isActive())
        return;
    // Only the event's region is composed: the painter is clipped to it.
    const bool covered = !mPaintBuffers.isEmpty() && mPaintBuffers.first() == FLowest &&
                         FLowest->Covers() && FLowest->size() == viewport().size();
    if (!covered) {
        if (mBackgroundBrush.style() != Qt::NoBrush)
            painter.fillRect(event->rect(), mBackgroundBrush);
        drawBackground(&painter);
    }
    for (const QSharedPointer<QCPAbstractPaintBuffer>& buffer : mPaintBuffers)
        buffer->draw(&painter);
    FCursor->Paint(painter);
}

void ChartSurface::resizeEvent(QResizeEvent* event) {
    ApplyMargins();
    QCustomPlot::resizeEvent(event);
}

// ---- mouse ----

void ChartSurface::SetZoomAllowed(bool allowed) { FZoom->SetZoomAllowed(allowed); }
void ChartSurface::SetPanAllowed(bool allowed) { FZoom->SetPanAllowed(allowed); }
bool ChartSurface::CanUndoZoom() const { return FZoom->CanUndo(); }
void ChartSurface::UndoZoom() { FZoom->Undo(); }
QAction* ChartSurface::UndoZoomAction() const { return FZoom->UndoAction(); }

void ChartSurface::processRectZoom(QRect rect, QMouseEvent* event) {
    if (FZoom->UndoInstead(event))
        return;
    FZoom->BeforeZoom();
    QCustomPlot::processRectZoom(rect, event);
    FZoom->AfterLibraryZoom();
}

void ChartSurface::mousePressEvent(QMouseEvent* event) {
    if (FZoom->Press(event))
        QCustomPlot::mousePressEvent(event);
    else
        event->accept();
}

void ChartSurface::mouseMoveEvent(QMouseEvent* event) {
    const QCPRange before = xAxis->range();
    QCustomPlot::mouseMoveEvent(event);
    FZoom->Moved(before);
}

void ChartSurface::mouseReleaseEvent(QMouseEvent* event) {
    if (!FZoom->Release()) {
        event->accept();
        return;
    }
    QCustomPlot::mouseReleaseEvent(event);
    FZoom->Released();
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

// ---- output ----

void ChartSurface::Repaint() { replot(QCustomPlot::rpQueuedReplot); }

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
