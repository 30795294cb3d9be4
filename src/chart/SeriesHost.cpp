#include "chart/SeriesHost.h"

#include "chart/ChartSeries.h"

SeriesHost::~SeriesHost() {
    // Only the series' back pointers are touched: the derived part is already gone.
    for (ChartSeries* series : FSeries)
        if (series)
            series->FHost = nullptr;
}

void SeriesHost::AddSeries(ChartSeries* series) {
    if (!series || series->FHost == this)
        return;
    if (series->FHost)
        series->FHost->RemoveSeries(series);
    series->FHostIndex = FSeries.size();
    FSeries.push_back(series);
    series->FHost = this;
    SeriesAttached(series);
}

void SeriesHost::RemoveSeries(ChartSeries* series) {
    if (!series || series->FHost != this)
        return;
    FSeries[series->FHostIndex] = nullptr;
    ++FHoles;
    ++FRemovalWork;
    while (!FSeries.empty() && FSeries.back() == nullptr) {
        FSeries.pop_back();
        --FHoles;
        ++FRemovalWork;
    }
    // Closing up once half the list is holes keeps every removal constant on average.
    if (FHoles * 2 > FSeries.size())
        Compact();
    series->FHost = nullptr;
    SeriesDetached(series);
}

void SeriesHost::RemoveAllSeries() {
    while (!FSeries.empty())
        RemoveSeries(FSeries.back());
}

const std::vector<ChartSeries*>& SeriesHost::Series() const {
    if (FHoles != 0)
        Compact();
    return FSeries;
}

void SeriesHost::Compact() const {
    FRemovalWork += FSeries.size();
    size_t kept = 0;
    for (ChartSeries* series : FSeries)
        if (series) {
            series->FHostIndex = kept;
            FSeries[kept++] = series;
        }
    FSeries.resize(kept);
    FHoles = 0;
}

bool SeriesHost::Holds(const ChartSeries* series) const { return series && series->FHost == this; }
