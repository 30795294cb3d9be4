#pragma once

#include "ledger/LedgerColumns.h"

#include <vector>

// The rows as CSV: semicolons, a heading line of the columns' keys after "period", numbers with a
// decimal point whatever the locale and in full (see MachineNumber), an empty field where a row
// has no value.
QString LedgerCsv(const std::vector<LedgerRow>& rows, const std::vector<LedgerColumn>& columns);

// A line of a ledger table that need not be a period's row (a difference of two): its period
// field and one value per column.
struct LedgerLine {
    QString Period;
    std::vector<double> Values;
};
std::vector<LedgerLine> LedgerLines(const std::vector<LedgerRow>& rows,
                                    const std::vector<LedgerColumn>& columns);
QString LedgerCsv(const std::vector<LedgerLine>& lines, const std::vector<LedgerColumn>& columns);

// A value rounded as it is shown, never -0.
double LedgerShown(double value, int decimals);
// A number as CSV and JSON write it for other programs: the shortest text that reads back to the
// same double, a decimal point, never "-0"; empty for NaN. Days added up by a script then give
// the month and year rows.
QString MachineNumber(double value);
