#pragma once

#include "core/DateTime.h"
#include "ledger/LedgerRow.h"

#include <QColor>
#include <QDate>
#include <QString>

class ChartSurface;

// What the yield window's charts and tables share with its comparison of two periods.
namespace yieldcharts {

// Months of every year are drawn into one year, January to December, and days of every month
// into one month of 31 days.
inline constexpr int ReferenceYear = 2001;

DateTime Day(QDate date);
// Sets the bottom axis to [minimum, maximum] whatever it showed before.
void SetBottomRange(ChartSurface& chart, double minimum, double maximum);
// Energies start at zero; the top leaves a little room above the highest bar.
void FitEnergyAxis(ChartSurface& chart, double lowest, double highest);
// From pale to strong: the latest of `count` stands out.
QColor YearColour(int index, int count);
// "2010", "Juni 2010", "Sa 05.06.2010": the period in the program's language.
QString PeriodText(const LedgerRow& row);

} // namespace yieldcharts
