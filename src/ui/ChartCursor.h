#pragma once

#include "core/DateTime.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ChannelReadings;
class ChartSurface;
class SpanPanel;
class TAnalysisData;

// The time cursor of an analysis window: one vertical line at the same time across both charts
// and a readout of every shown channel's value there, moved by the mouse or, while a chart has
// the focus, by Left, Right, Home and End. Shift+drag marks a span whose statistics the span
// panel lists; Escape or a click clears it. Everything is drawn on the charts' cursor layers, so
// a move never redraws the series. Values are read from the data set's series.
class ChartCursor : public QObject {
    Q_OBJECT
public:
    struct ShownChannel {
        int Channel = 0;
        QString Label;
        QColor Colour;
        QString Unit; // as the file's heading gives it
    };
    using DataSource = std::function<const TAnalysisData*()>;
    // The channels shown, in panel order.
    using ChannelSource = std::function<std::vector<ShownChannel>()>;

    ChartCursor(ChartSurface* chart, ChartSurface* chart2, SpanPanel* panel, DataSource data,
                ChannelSource channels, QObject* parent);
    ~ChartCursor() override;

    // Shows the cursor at `time` with its readout.
    void MoveTo(DateTime time);
    void Hide();
    bool Visible() const { return FVisible; }
    DateTime Time() const { return FTime; }
    // The readout's lines as drawn: date and time first, then one per shown channel.
    QStringList ReadoutLines() const;

    // One logged point on, or to the first or last point in view.
    void Step(bool forward);
    void ToEdge(bool last);

    void MarkSpan(DateTime from, DateTime to);
    void ClearSpan();
    bool HasSpan() const { return FHasSpan; }
    DateTime SpanFrom() const { return FSpanFrom; }
    DateTime SpanTo() const { return FSpanTo; }

    // The data set is gone or replaced: nothing may be read from the old one.
    void Reset();
    // The shown channels may have changed.
    void Refresh();
    void ApplyTexts();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ChannelReadings* Readings();
    std::vector<int> StepChannels(const std::vector<ShownChannel>& shown) const;
    void UpdateReadout(const std::vector<ShownChannel>& shown);
    void FillPanel(const std::vector<ShownChannel>& shown);
    void DrawSpan();
    void RedrawBoth();
    bool MouseEvent(ChartSurface* chart, QEvent* event);
    bool KeyEvent(QEvent* event);

    ChartSurface* Chart;
    ChartSurface* Chart2;
    SpanPanel* Panel;
    DataSource FData;
    ChannelSource FChannels;
    std::unique_ptr<ChannelReadings> FReadings;
    const TAnalysisData* FReadingsOf = nullptr;
    unsigned FReadingsDays = 0;

    bool FVisible = false;
    DateTime FTime = 0.0;
    bool FHasSpan = false;
    DateTime FSpanFrom = 0.0;
    DateTime FSpanTo = 0.0;
    std::vector<int> FPanelChannels;
    // Mouse: a Shift+drag marking a span, and a press that may end as a click.
    bool FMarking = false;
    DateTime FMarkAnchor = 0.0;
    int FMarkAnchorPixel = 0;
    bool FPressed = false;
    QPoint FPressPos;
};
