#include "chart/SeriesHost.h"

#include "chart/ChartSeries.h"

#include <algorithm>

SeriesHost::~SeriesHost() {
    // Only the series' back pointers are touched: the derived part is already gone.
    for (ChartSeries* series : FSeries)
        series->FHost = nullptr;
}

void SeriesHost::AddSeries(ChartSeries* series) {
    if (!series || series->FHost == this)
        return;
    if (series->FHost)
        series->FHost->RemoveSeries(series);
    FSeries.push_back(series);
    series->FHost = this;
    SeriesAttached(series);
}

void SeriesHost::RemoveSeries(ChartSeries* series) {
    if (!series || series->FHost != this)
        return;
    FSeries.erase(std::find(FSeries.begin(), FSeries.end(), series));
    series->FHost = nullptr;
    SeriesDetached(series);
}

void SeriesHost::RemoveAllSeries() {
    while (!FSeries.empty())
        RemoveSeries(FSeries.back());
}

bool SeriesHost::Holds(const ChartSeries* series) const { return series && series->FHost == this; }
