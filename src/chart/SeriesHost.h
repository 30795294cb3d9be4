#pragma once

#include <cstddef>
#include <vector>

class ChartSeries;

// What a series is attached to: a drawing surface, or an in-memory list for code that draws
// nothing. A host never owns its series; a series detaches itself when it dies.
class SeriesHost {
public:
    enum class Change { Points, Style, Kind, Axis, Legend };

    virtual ~SeriesHost();
    SeriesHost(const SeriesHost&) = delete;
    SeriesHost& operator=(const SeriesHost&) = delete;

    // Attaches `series` (detaching it from any other host first); a second add is a no-op.
    void AddSeries(ChartSeries* series);
    void RemoveSeries(ChartSeries* series);
    // Detaches every series.
    void RemoveAllSeries();
    int ActiveSeriesCount() const { return static_cast<int>(FSeries.size() - FHoles); }
    const std::vector<ChartSeries*>& Series() const;
    bool Holds(const ChartSeries* series) const;
    // Slots of the list that removals have looked at or moved over the host's life: what keeps
    // closing a window of many series linear, counted where time would only be measured.
    std::size_t RemovalWork() const { return FRemovalWork; }

protected:
    SeriesHost() = default;
    virtual void SeriesAttached(ChartSeries* series) = 0;
    virtual void SeriesDetached(ChartSeries* series) = 0;
    virtual void SeriesChanged(ChartSeries* series, Change change) = 0;

private:
    friend class ChartSeries;
    void Compact() const;
    // Attachment order. A series that leaves leaves a hole, closed up at the latest when the list
    // is next asked for: a window of many thousand series then closes in linear time, whatever
    // order they go in.
    mutable std::vector<ChartSeries*> FSeries;
    mutable std::size_t FHoles = 0;
    mutable std::size_t FRemovalWork = 0;
};

// A host that only keeps the list: for tests and code that needs no drawing.
class MemoryHost final : public SeriesHost {
public:
    MemoryHost() = default;
    int ChangeCount() const { return FChanges; }

protected:
    void SeriesAttached(ChartSeries*) override {}
    void SeriesDetached(ChartSeries*) override {}
    void SeriesChanged(ChartSeries*, Change) override { ++FChanges; }

private:
    int FChanges = 0;
};
