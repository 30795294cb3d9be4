#include "ui/YieldCharts.h"

#include "chart/ChartSurface.h"
#include "core/LanguageFormat.h"

#include <algorithm>

namespace yieldcharts {

DateTime Day(QDate date) {
    DateTime day = 0;
    EncodeDate(date.year(), date.month(), date.day(), day);
    return day;
}

// The chart refuses a minimum above its maximum at every step: the order follows the move.
void SetBottomRange(ChartSurface& chart, double minimum, double maximum) {
    if (minimum > chart.Maximum(ChartAxis::Bottom)) {
        chart.SetMaximum(ChartAxis::Bottom, maximum);
        chart.SetMinimum(ChartAxis::Bottom, minimum);
    } else {
        chart.SetMinimum(ChartAxis::Bottom, minimum);
        chart.SetMaximum(ChartAxis::Bottom, maximum);
    }
}

void FitEnergyAxis(ChartSurface& chart, double lowest, double highest) {
    const double minimum = std::min(0.0, lowest) * 1.05;
    const double maximum = highest > 0.0 ? highest * 1.08 : 1.0;
    chart.SetAutomatic(ChartAxis::Left, false);
    if (minimum > chart.Maximum(ChartAxis::Left)) {
        chart.SetMaximum(ChartAxis::Left, maximum);
        chart.SetMinimum(ChartAxis::Left, minimum);
    } else {
        chart.SetMinimum(ChartAxis::Left, minimum);
        chart.SetMaximum(ChartAxis::Left, maximum);
    }
}

QColor YearColour(int index, int count) {
    const double t = count <= 1 ? 1.0 : static_cast<double>(index) / (count - 1);
    return QColor::fromHsvF(0.09, 0.35 + 0.6 * t, 0.95 - 0.35 * t);
}

QString PeriodText(const LedgerRow& row) {
    switch (row.Level) {
    case LedgerLevel::Year:
        return QString::number(row.Start.year());
    case LedgerLevel::Month:
        return LanguageFormat::MonthYear(row.Start);
    case LedgerLevel::Day:
        break;
    }
    return LanguageFormat::DayName(row.Start) + QLatin1Char(' ') +
           row.Start.toString(QStringLiteral("dd.MM.yyyy"));
}

} // namespace yieldcharts
