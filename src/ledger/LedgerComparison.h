#pragma once

#include "ledger/LedgerColumns.h"

#include <functional>
#include <vector>

// Two periods side by side: how far the second lies from the first, column by column.
//
// Only figures that add up over a period have a meaningful difference: Energy, Volume, the
// owner's figures worked out from the energy, the outputs' on-times and starts. Extremes, day
// counts and recording figures are shown for both periods but not compared.
bool IsComparedColumn(const LedgerColumn& column);

// second - first, in % of first; NaN when first is 0 or either is unknown.
double PercentChange(double first, double second);

struct LedgerDifference {
    // Per column: second - first, and that in % of first; NaN where the column is not compared
    // or a value is unknown.
    std::vector<double> Absolute;
    std::vector<double> Percent;
};

using ComparedColumn = std::function<bool(const LedgerColumn&)>;
LedgerDifference CompareRows(const LedgerRow& first, const LedgerRow& second,
                             const std::vector<LedgerColumn>& columns,
                             const ComparedColumn& compared = IsComparedColumn);
