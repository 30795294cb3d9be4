#include "ledger/LedgerComparison.h"

#include <cmath>

bool IsComparedColumn(const LedgerColumn& column) {
    static const QStringList sums = {
        QStringLiteral("energy_kwh"),  QStringLiteral("volume_l"),
        QStringLiteral("kwh_per_m2"),  QStringLiteral("fuel_saved_kwh"),
        QStringLiteral("money_saved"), QStringLiteral("co2_avoided_kg")};
    return sums.contains(column.Key) || column.Key.endsWith(QLatin1String("_on_hours")) ||
           column.Key.endsWith(QLatin1String("_starts"));
}

double PercentChange(double first, double second) {
    if (std::isnan(first) || std::isnan(second) || first == 0.0)
        return LedgerRow::None;
    return (second - first) / std::abs(first) * 100.0;
}

LedgerDifference CompareRows(const LedgerRow& first, const LedgerRow& second,
                             const std::vector<LedgerColumn>& columns,
                             const ComparedColumn& compared) {
    LedgerDifference difference;
    difference.Absolute.reserve(columns.size());
    difference.Percent.reserve(columns.size());
    for (const LedgerColumn& column : columns) {
        if (!compared(column)) {
            difference.Absolute.push_back(LedgerRow::None);
            difference.Percent.push_back(LedgerRow::None);
            continue;
        }
        const double a = column.Value(first);
        const double b = column.Value(second);
        difference.Absolute.push_back(b - a); // NaN stays NaN
        difference.Percent.push_back(PercentChange(a, b));
    }
    return difference;
}
