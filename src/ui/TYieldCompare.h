#pragma once

#include "ledger/LedgerColumns.h"
#include "ledger/LedgerComparison.h"
#include "ledger/LedgerRow.h"

#include <QDialog>

#include <memory>
#include <vector>

class ChartSeries;
class ChartSurface;
class QComboBox;
class QLabel;
class QTableWidget;

// Two periods of the yield window side by side: two months or years chosen from the ledger, their
// rows with the same columns as the window's table, the difference and the difference in %, and
// the energy of both in one chart (by day for two months, by month for two years). It keeps its
// own copy of the rows, so a new scan of the window cannot pull them away underneath it.
class TYieldCompare : public QDialog {
    Q_OBJECT
public:
    // `periods`: the ledger's years and months in the table's order; `days`: its day rows.
    TYieldCompare(std::vector<LedgerRow> periods, std::vector<LedgerRow> days,
                  std::vector<LedgerColumn> columns, QWidget* parent = nullptr);
    ~TYieldCompare() override;

    // Chooses the two periods by level and first day; false when either is not in the list.
    bool ChoosePeriods(LedgerLevel firstLevel, QDate first, LedgerLevel secondLevel, QDate second);
    // Opens on `shown` (a day stands for its month) against the same period a year earlier, or
    // else the period before it of the same kind.
    void ChooseAround(LedgerLevel level, QDate shown);
    void ApplyLanguageTexts();

    const LedgerRow& First() const;
    const LedgerRow& Second() const;
    const LedgerDifference& Difference() const { return FDifference; }

    // Components.
    QLabel* LabelFirst = nullptr;
    QLabel* LabelSecond = nullptr;
    QComboBox* ComboFirst = nullptr;
    QComboBox* ComboSecond = nullptr;
    QTableWidget* Table = nullptr;
    ChartSurface* Chart = nullptr;
    // The chart's series: the first period's energy, then the second's.
    const std::vector<std::unique_ptr<ChartSeries>>& Series() const { return FSeries; }

private:
    void FillCombos();
    void Refresh();
    void FillTable();
    void FillChart();
    int IndexOf(LedgerLevel level, QDate start) const;

    std::vector<LedgerRow> FPeriods;
    std::vector<LedgerRow> FDays;
    std::vector<LedgerColumn> FColumns;
    LedgerDifference FDifference;
    std::vector<std::unique_ptr<ChartSeries>> FSeries;
};
