#pragma once

#include "core/DateTime.h"
#include "logdata/ChannelReadings.h"
#include "logdata/ReferenceShift.h"
#include "output/DataExport.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class AnalysisView;
class ChartSeries;
class ChartSurface;
class MemoryHost;
class SeriesHost;
class TAnalysisData;
class TDay;

// A reference period laid over the period of an analysis window. Its day files are read as a
// multi-day analysis reads them (the same rules and messages); every series the window shows of
// a day is matched by the series of the partner day, moved onto the period's day, drawn in a
// lighter shade beneath the period's own. The window says when its series changed (`Sync`); the
// time axes, zoom and scrolling are the window's, so the reference moves with them.
class ReferencePeriod : public QObject {
    Q_OBJECT
public:
    using DataSource = std::function<const TAnalysisData*()>;
    // `axesChanged`: reference series came or went, so a dynamic value axis must take them in.
    ReferencePeriod(ChartSurface& chart, ChartSurface& chart2, AnalysisView& view,
                    DataSource period, std::function<void()> axesChanged, QObject* parent);
    ~ReferencePeriod() override;

    // Reads the reference days partnered with the analysis' days (only those within
    // [first, last] when given; 0 leaves an end open) and lays them under it. A file that cannot
    // be read is reported and passed over; raises AppError when the reference has no file.
    void Load(const ReferenceShift& shift, DateTime first = 0.0, DateTime last = 0.0);
    void Clear();
    bool Active() const { return FData != nullptr; }
    const ReferenceShift& Shift() const { return FShift; }
    const TAnalysisData* Data() const { return FData.get(); }
    // The reference's days as the heading names them.
    QString Dates() const;
    // A title line that says what lies under the period's curves.
    QString TitleLine() const;

    // Brings the reference's series in line with the series the window shows.
    void Sync();
    int ShownSeriesCount() const { return static_cast<int>(FShown.size()); }

    struct Reading {
        enum class State { NoPartner, NoFile, NoValue, Value };
        State Is = State::NoPartner;
        double Value = 0.0;
        DateTime Day = 0.0; // the reference day read, or looked for
    };
    // The reference's value of `channel` at the moment of the period laid over it.
    Reading ValueAt(int channel, DateTime periodTime);
    // The reference's statistics over the days and hours laid under [from, to); nothing where an
    // end has no partner.
    std::optional<ChannelReadings::Statistics> SpanStatistics(int channel, DateTime from,
                                                              DateTime to);

    // The data export's columns of the reference: its values as ValueAt reads them.
    std::optional<ExportReference> ExportColumns();

    // What the cursor readout adds to a channel's line: the reference's value and the period's
    // difference from it (`own`: the period's value there, if any); empty without a value.
    QString ReadoutSuffix(int channel, DateTime periodTime, std::optional<double> own);
    // A line of its own when the reference has nothing at that moment: no file, or no partner.
    QString ReadoutNote(DateTime periodTime);

    // How a period's colour is lightened for its reference.
    static QColor Lighter(const QColor& colour);

Q_SIGNALS:
    // Shown, replaced or cleared: the window's heading, axes and readout follow.
    void Changed();

private:
    struct Key {
        const void* Source; // the reference day, or the period's month for daily totals
        int Slot;
        const SeriesHost* Host;
        auto operator<=>(const Key&) const = default;
    };
    const TDay* ReferenceDayOf(DateTime periodDay) const;
    std::unique_ptr<ChartSeries> MovedCopy(const ChartSeries& source, double days) const;
    std::unique_ptr<ChartSeries> MonthTotals(int slot, DateTime from, DateTime to) const;
    static void CopyStyle(const ChartSeries& from, ChartSeries& to);
    void ShowTitleLine(bool shown);

    ChartSurface& Chart;
    ChartSurface& Chart2;
    DataSource FPeriod;
    std::function<void()> FAxesChanged;
    QString FTitleLine; // the line this added to the chart's title, while it is there
    // The reference data set draws nowhere: its series are only read.
    std::unique_ptr<MemoryHost> FHost;
    std::unique_ptr<MemoryHost> FHost2;
    std::unique_ptr<TAnalysisData> FData;
    std::unique_ptr<ChannelReadings> FReadings;
    ReferenceShift FShift;
    DateTime FFirst = 0.0;
    DateTime FLast = 0.0;
    std::map<DateTime, const TDay*> FDays;
    std::map<Key, std::unique_ptr<ChartSeries>> FShown;
};
