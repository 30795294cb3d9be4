#include "ui/TChildform.h"

#include "chart/ChartSurface.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"

#include <QComboBox>
#include <QSignalBlocker>

#include <cmath>

void TChildform::SetBottomRange(DateTime start, DateTime end) {
    const double currentMin = Chart->Minimum(ChartAxis::Bottom);
    const double currentMax = Chart->Maximum(ChartAxis::Bottom);
    const auto apply = [&](bool minimumFirst) {
        for (ChartSurface* chart : {Chart, Chart2}) {
            if (minimumFirst) {
                chart->SetMinimum(ChartAxis::Bottom, start);
                chart->SetMaximum(ChartAxis::Bottom, end);
            } else {
                chart->SetMaximum(ChartAxis::Bottom, end);
                chart->SetMinimum(ChartAxis::Bottom, start);
            }
        }
    };
    if (start >= currentMax) {
        apply(false);
    } else if (end <= currentMin) {
        apply(true);
    } else {
        try {
            apply(false);
        } catch (const AppError&) {
            apply(true);
        }
    }
}

void TChildform::SetTimeWindow(DateTime start, DateTime end) {
    // Series are fetched per day: only a change of the whole days in view swaps them.
    const bool daysChange = !(std::ceil(end) == FetchedTo && std::floor(start) == FetchedFrom);
    if (!daysChange) {
        SetBottomRange(start, end);
        return;
    }
    RemoveCheckedSeries();
    try {
        SetBottomRange(start, end);
    } catch (...) {
        AddCheckedSeries();
        throw;
    }
    AddCheckedSeries();
}

void TChildform::UpdateSpanTexts() {
    const QSignalBlocker block(SpanTime);
    const int selected = SpanTime->currentIndex();
    for (int i = SpanTime->count() - 1; i >= 0; --i)
        SpanTime->setItemText(i, Text(25 + i));
    SpanTime->setCurrentIndex(selected);
}
