#include "ui/ChartCursor.h"

#include "chart/ChartSurface.h"
#include "chart/MarkOverlay.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"
#include "logdata/ChannelReadings.h"
#include "logdata/TAnalysisData.h"
#include "ui/ErrorBoundary.h"
#include "ui/ReadoutFormat.h"
#include "ui/ReadoutTexts.h"
#include "ui/SpanPanel.h"
#include "ui/WholeViewFigures.h"
#include "ui/analysis/AnalysisView.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// A press and release this close together is a click, as the chart's zoom counts it.
constexpr int ClickDistance = 3;

} // namespace

ChartCursor::ChartCursor(ChartSurface* chart, ChartSurface* chart2, SpanPanel* panel,
                         DataSource data, ChannelSource channels, QObject* parent)
    : QObject(parent), Chart(chart), Chart2(chart2), Panel(panel), FData(std::move(data)),
      FChannels(std::move(channels)) {
    for (ChartSurface* surface : {Chart, Chart2}) {
        surface->setMouseTracking(true);
        surface->setFocusPolicy(Qt::StrongFocus);
        surface->installEventFilter(this);
    }
    Panel->hide();
    FWholeView = new WholeViewFigures(Panel->parentWidget());
    connect(Panel, &SpanPanel::CloseRequested, this, [this] { ClearSpan(); });
}

ChartMarks& ChartCursor::Marks() const { return Chart->Marks(); }

ChartCursor::~ChartCursor() = default;

const ChannelReadings* ChartCursor::Readings() {
    const TAnalysisData* data = FData ? FData() : nullptr;
    if (data == nullptr || !data->HasData()) {
        FReadings.reset();
        FReadingsOf = nullptr;
        return nullptr;
    }
    // A multi-day load adds days while the window already answers the mouse.
    if (!FReadings || FReadingsOf != data || FReadingsDays != data->GetDayCount()) {
        FReadings = std::make_unique<ChannelReadings>(*data);
        FReadingsOf = data;
        FReadingsDays = data->GetDayCount();
    }
    return FReadings.get();
}

// ---- the cursor ----

void ChartCursor::MoveTo(DateTime time) {
    Marks().SetCursor(time);
    UpdateReadout(FChannels());
    RedrawBoth();
}

void ChartCursor::Hide() {
    if (!Visible())
        return;
    Marks().SetCursor(NaN);
    Chart->Cursor()->SetReadout({}, false);
    RedrawBoth();
}

void ChartCursor::RedrawBoth() {
    Chart->Cursor()->Redraw();
    Chart2->Cursor()->Redraw();
}

void ChartCursor::UpdateReadout(const std::vector<ShownChannel>& shown) {
    if (!Visible())
        return;
    const DateTime time = Time();
    std::vector<MarkOverlay::Line> lines;
    lines.push_back({readout::Moment(time), QColor(Qt::black)});
    const ChannelReadings* readings = Readings();
    for (const ShownChannel& channel : shown) {
        QString text = channel.Label + QStringLiteral(": ");
        const ChannelReadings::Reading reading =
            readings ? readings->ValueAt(channel.Channel, time) : ChannelReadings::Reading();
        if (reading.HasValue) {
            text += readout::Number(reading.Value, readout::Decimals(channel.Channel));
            const QString unit = readout::UnitOf(channel.Channel, channel.Unit);
            if (!unit.isEmpty())
                text += QLatin1Char(' ') + unit;
        } else {
            text += QStringLiteral("\u2013"); // a gap, or no data at that time
        }
        if (FReference != nullptr)
            text += FReference->ReadoutSuffix(
                channel.Channel, time,
                reading.HasValue ? std::optional<double>(reading.Value) : std::nullopt);
        lines.push_back({text, channel.Colour});
    }
    if (const QString note = FReference ? FReference->ReadoutNote(time) : QString();
        !note.isEmpty())
        lines.push_back({note, QColor(120, 120, 120)});
    if (!HasSpan())
        lines.push_back({Text(TextSpanHint), QColor(120, 120, 120)});
    // The box keeps to the half of the plot away from the cursor, so it never hides the curves
    // being read.
    const QRect area = Chart->PlotArea();
    const bool onLeft = Chart->PixelOfKey(time) > area.center().x();
    Chart->Cursor()->SetReadout(std::move(lines), onLeft);
}

QStringList ChartCursor::ReadoutLines() const {
    QStringList lines;
    for (const MarkOverlay::Line& line : Chart->Cursor()->Readout())
        lines << line.Text;
    return lines;
}

std::vector<int> ChartCursor::StepChannels(const std::vector<ShownChannel>& shown) const {
    std::vector<int> channels;
    for (const ShownChannel& channel : shown)
        channels.push_back(channel.Channel);
    if (channels.empty()) // nothing shown: the lines of the log still are logged points
        for (int c = 0; c < FileChannelCount; ++c)
            channels.push_back(c);
    return channels;
}

void ChartCursor::Step(bool forward) {
    const ChannelReadings* readings = Readings();
    if (readings == nullptr)
        return;
    if (!Visible()) {
        ToEdge(!forward);
        return;
    }
    std::optional<DateTime> best;
    for (int channel : StepChannels(FChannels())) {
        const std::optional<DateTime> t = readings->NextPoint(channel, Time(), forward);
        if (t && (!best || (forward ? *t < *best : *t > *best)))
            best = t;
    }
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    if (best && *best >= lo && *best <= hi)
        MoveTo(*best);
}

void ChartCursor::ToEdge(bool last) {
    const ChannelReadings* readings = Readings();
    if (readings == nullptr)
        return;
    const double lo = Chart->Minimum(ChartAxis::Bottom);
    const double hi = Chart->Maximum(ChartAxis::Bottom);
    std::optional<DateTime> best;
    for (int channel : StepChannels(FChannels())) {
        const std::optional<DateTime> t = readings->EdgePoint(channel, lo, hi, last);
        if (t && (!best || (last ? *t > *best : *t < *best)))
            best = t;
    }
    if (best)
        MoveTo(*best);
}

// ---- the span ----

void ChartCursor::MarkSpan(DateTime from, DateTime to, ChartMarks::SpanKind kind) {
    FMarking = false;
    Marks().SetSpan(from, to, kind);
    const std::vector<ShownChannel> shown = FChannels();
    FillPanel(shown);
    FWholeView->hide();
    if (Visible())
        UpdateReadout(shown);
    RedrawBoth();
}

void ChartCursor::ClearSpan() {
    if (!Marks().HasSpan() && !FMarking)
        return;
    FMarking = false;
    FPanelChannels.clear();
    Marks().ClearSpan();
    Panel->hide();
    const std::vector<ShownChannel> shown = FChannels();
    UpdateWholeView(shown);
    if (Visible())
        UpdateReadout(shown);
    RedrawBoth();
}

std::vector<SpanPanel::Row> ChartCursor::Rows(const std::vector<ShownChannel>& shown, DateTime from,
                                              DateTime to) {
    std::vector<SpanPanel::Row> rows;
    const ChannelReadings* readings = Readings();
    for (const ShownChannel& channel : shown) {
        SpanPanel::Row row;
        row.Channel = channel.Channel;
        row.Label = channel.Label;
        row.Unit = channel.Unit;
        row.Colour = channel.Colour;
        if (readings != nullptr)
            row.Stats = readings->SpanStatistics(channel.Channel, from, to);
        if (FReference != nullptr)
            row.Reference = FReference->SpanStatistics(channel.Channel, from, to);
        rows.push_back(std::move(row));
    }
    return rows;
}

QString ChartCursor::ReferenceName() const {
    if (FReference == nullptr || !FReference->Active())
        return {};
    return Text(TextCompareReference) + QLatin1Char(' ') + FReference->Dates();
}

void ChartCursor::FillPanel(const std::vector<ShownChannel>& shown) {
    FPanelChannels.clear();
    for (const ShownChannel& channel : shown)
        FPanelChannels.push_back(channel.Channel);
    Panel->ShowSpan(SpanFrom(), SpanTo(), Rows(shown, SpanFrom(), SpanTo()), ReferenceName());
    Panel->show();
}

void ChartCursor::UpdateWholeView(const std::vector<ShownChannel>& shown) {
    // A marked span has figures of its own, the span panel's.
    const QString reference = ReferenceName();
    if (reference.isEmpty() || FView == nullptr || Marks().HasSpan() || FMarking ||
        Readings() == nullptr) {
        FWholeView->hide();
        return;
    }
    FWholeView->ShowView(FView->From(), FView->To(), Rows(shown, FView->From(), FView->To()),
                         reference);
}

// ---- changes of the window ----

void ChartCursor::Reset() {
    FReadings.reset();
    FReadingsOf = nullptr;
    FPressed = false;
    ClearSpan();
    FWholeView->hide();
    Hide();
}

void ChartCursor::Refresh() {
    const std::vector<ShownChannel> shown = FChannels();
    if (HasSpan()) {
        // Crossing into other days re-attaches the series: only a change of channels counts.
        std::vector<int> now;
        for (const ShownChannel& channel : shown)
            now.push_back(channel.Channel);
        if (now != FPanelChannels)
            FillPanel(shown);
    }
    UpdateWholeView(shown);
    if (Visible()) {
        UpdateReadout(shown);
        RedrawBoth();
    }
}

void ChartCursor::SetReference(ReferencePeriod* reference, AnalysisView* view) {
    FReference = reference;
    FView = view;
    connect(reference, &ReferencePeriod::Changed, this, [this] {
        const std::vector<ShownChannel> shown = FChannels();
        if (HasSpan())
            FillPanel(shown);
        UpdateWholeView(shown);
        if (Visible()) {
            UpdateReadout(shown);
            RedrawBoth();
        }
    });
    // Scrolling, zoom, jumps and spans: the whole view's figures follow the window on screen.
    connect(view, &AnalysisView::Viewed, this, [this] { UpdateWholeView(FChannels()); });
}

QWidget* ChartCursor::WholeView() const { return FWholeView; }

void ChartCursor::ApplyTexts() {
    Panel->ApplyTexts();
    if (HasSpan())
        FillPanel(FChannels());
    UpdateWholeView(FChannels());
    if (Visible()) {
        UpdateReadout(FChannels());
        RedrawBoth();
    }
}

// ---- input ----

bool ChartCursor::eventFilter(QObject* watched, QEvent* event) {
    auto* chart = watched == Chart ? Chart : watched == Chart2 ? Chart2 : nullptr;
    if (chart == nullptr)
        return QObject::eventFilter(watched, event);
    bool eaten = false;
    Guarded([&] {
        switch (event->type()) {
        case QEvent::MouseMove:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::Leave:
            eaten = MouseEvent(chart, event);
            break;
        case QEvent::KeyPress:
            eaten = KeyEvent(event);
            break;
        default:
            break;
        }
    });
    return eaten || QObject::eventFilter(watched, event);
}

bool ChartCursor::MouseEvent(ChartSurface* chart, QEvent* event) {
    if (event->type() == QEvent::Leave) {
        if (!FMarking)
            Hide();
        return false;
    }
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint pos = mouse->position().toPoint();
    const QRect area = chart->PlotArea();
    const auto keyAt = [&](int x) {
        return chart->KeyAtPixel(std::clamp(x, area.left(), area.right()));
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (mouse->button() == Qt::LeftButton && (mouse->modifiers() & Qt::ShiftModifier) &&
            area.contains(pos) && FData && FData() != nullptr) {
            // The chart's own zoom and pan never see a Shift drag.
            FMarking = true;
            FMarkAnchor = keyAt(pos.x());
            FMarkAnchorPixel = pos.x();
            chart->setFocus(Qt::MouseFocusReason);
            return true;
        }
        FPressed = mouse->button() == Qt::LeftButton;
        FPressPos = pos;
        return false;
    case QEvent::MouseMove:
        if (FMarking) {
            Marks().SetSpan(FMarkAnchor, keyAt(pos.x()), ChartMarks::SpanKind::User);
            MoveTo(keyAt(pos.x()));
            return true;
        }
        if (mouse->buttons() != Qt::NoButton) {
            // A zoom rectangle or a pan is under way: the cursor would only be in the way.
            Hide();
            return false;
        }
        if (area.contains(pos) && Readings() != nullptr)
            MoveTo(chart->KeyAtPixel(pos.x()));
        else
            Hide();
        return false;
    case QEvent::MouseButtonRelease:
        if (FMarking && mouse->button() == Qt::LeftButton) {
            FMarking = false;
            if (std::abs(pos.x() - FMarkAnchorPixel) <= ClickDistance)
                ClearSpan();
            else
                MarkSpan(FMarkAnchor, keyAt(pos.x()));
            return true;
        }
        if (FPressed && mouse->button() == Qt::LeftButton) {
            FPressed = false;
            if ((pos - FPressPos).manhattanLength() <= ClickDistance)
                ClearSpan();
        }
        return false;
    default:
        return false;
    }
}

bool ChartCursor::KeyEvent(QEvent* event) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Left:
        Step(false);
        return true;
    case Qt::Key_Right:
        Step(true);
        return true;
    case Qt::Key_Home:
        ToEdge(false);
        return true;
    case Qt::Key_End:
        ToEdge(true);
        return true;
    case Qt::Key_Escape:
        // A marked span goes first; without one, Escape is left to the chart.
        if (HasSpan()) {
            ClearSpan();
            return true;
        }
        return false;
    default:
        return false;
    }
}
