#pragma once

#include "chart/ChartMarks.h"
#include "core/DateTime.h"
#include "ui/SpanPanel.h"

#include <QColor>
#include <QObject>
#include <QPoint>
#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class AnalysisView;
class ChannelReadings;
class ReferencePeriod;
class ChartSurface;
class TAnalysisData;
class WholeViewFigures;

// The time cursor of an analysis window: one vertical line at the same time across both charts
// and a readout of every shown channel's value there, moved by the mouse or, while a chart has
// the focus, by Left, Right, Home and End. Shift+drag marks a span whose statistics the span
// panel lists, as it lists those of an event's span; Escape or a click clears either. Cursor and
// span are entries of the charts' shared mark model; the user's are drawn in front of the series,
// so a move never redraws them. Values are read from the data set's series.
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
    bool Visible() const { return Marks().HasCursor(); }
    DateTime Time() const { return Marks().CursorKey(); }
    // The readout's lines as drawn: date and time first, then one per shown channel.
    QStringList ReadoutLines() const;

    // One logged point on, or to the first or last point in view.
    void Step(bool forward);
    void ToEdge(bool last);

    // Marks the span and lists its statistics; an event's span replaces the user's and the other
    // way round.
    void MarkSpan(DateTime from, DateTime to,
                  ChartMarks::SpanKind kind = ChartMarks::SpanKind::User);
    void ClearSpan();
    // A span is marked and listed (not one being dragged).
    bool HasSpan() const { return Marks().HasSpan() && !FMarking; }
    DateTime SpanFrom() const { return Marks().SpanFrom(); }
    DateTime SpanTo() const { return Marks().SpanTo(); }

    // The data set is gone or replaced: nothing may be read from the old one.
    void Reset();
    // The shown channels may have changed.
    void Refresh();
    void ApplyTexts();
    // A period laid under the charts: the readout gives its values beside the period's, and
    // without a marked span the figures of `view`'s whole window stand below the charts.
    void SetReference(ReferencePeriod* reference, AnalysisView* view);
    // The line of the whole view's figures, for the window to place.
    QWidget* WholeView() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const ChannelReadings* Readings();
    std::vector<int> StepChannels(const std::vector<ShownChannel>& shown) const;
    void UpdateReadout(const std::vector<ShownChannel>& shown);
    void FillPanel(const std::vector<ShownChannel>& shown);
    // The statistics of [from, to) per shown channel, for the period and its reference.
    std::vector<SpanPanel::Row> Rows(const std::vector<ShownChannel>& shown, DateTime from,
                                     DateTime to);
    void UpdateWholeView(const std::vector<ShownChannel>& shown);
    QString ReferenceName() const;
    ChartMarks& Marks() const;
    void RedrawBoth();
    bool MouseEvent(ChartSurface* chart, QEvent* event);
    bool KeyEvent(QEvent* event);

    ChartSurface* Chart;
    ChartSurface* Chart2;
    SpanPanel* Panel;
    DataSource FData;
    ChannelSource FChannels;
    std::unique_ptr<ChannelReadings> FReadings;
    ReferencePeriod* FReference = nullptr;
    AnalysisView* FView = nullptr;
    WholeViewFigures* FWholeView = nullptr;
    const TAnalysisData* FReadingsOf = nullptr;
    unsigned FReadingsDays = 0;

    std::vector<int> FPanelChannels;
    // Mouse: a Shift+drag marking a span, and a press that may end as a click.
    bool FMarking = false;
    DateTime FMarkAnchor = 0.0;
    int FMarkAnchorPixel = 0;
    bool FPressed = false;
    QPoint FPressPos;
};
