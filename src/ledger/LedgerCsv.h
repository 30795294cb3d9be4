#pragma once

#include "ledger/LedgerColumns.h"

#include <vector>

// The rows as CSV: semicolons, a heading line of the columns' keys after "period", numbers with a
// decimal point whatever the locale, an empty field where a row has no value.
QString LedgerCsv(const std::vector<LedgerRow>& rows, const std::vector<LedgerColumn>& columns);

// A value rounded as it is shown, never -0.
double LedgerShown(double value, int decimals);
// A number as CSV and JSON write it: rounded to `decimals`, a decimal point; empty for NaN.
QString LedgerPlainNumber(double value, int decimals);
