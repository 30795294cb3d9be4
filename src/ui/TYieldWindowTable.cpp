#include "ui/TYieldWindow.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/FileFailure.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerCsv.h"
#include "ledger/LedgerTexts.h"
#include "settings/SettingsStore.h"
#include "ui/YieldCharts.h"

#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <map>

using namespace yieldcharts;

QStringList TYieldWindow::TableHeadings() const {
    QStringList headings{Text(TextYieldPeriod)};
    for (const LedgerColumn& column : Columns())
        headings << column.LocalHeading();
    return headings;
}

std::vector<LedgerRow> TYieldWindow::TableRows() const {
    std::vector<LedgerRow> rows;
    const std::vector<LedgerRow> months = FLedger->Months();
    const std::vector<LedgerRow>& days = FLedger->Days();
    auto month = months.begin();
    auto day = days.begin();
    for (const LedgerRow& year : FLedger->Years()) {
        rows.push_back(year);
        for (; month != months.end() && month->Start <= year.End(); ++month) {
            rows.push_back(*month);
            for (; day != days.end() && day->Start <= month->End(); ++day)
                rows.push_back(*day);
        }
    }
    return rows;
}

void TYieldWindow::ShowResult() {
    FBasis = Store != nullptr && !FFolder.isEmpty() ? SavingsBasis::Of(Store->ProfileFor(FFolder))
                                                    : SavingsBasis();
    FillTable();
    FillMonthChart();
    ShowMonthDays(FShownMonth);
    ShowSavings(FShownMonth.isValid() ? FShownMonth.year() : 0);
    std::vector<LedgerSkip> passed = FMissing;
    passed.insert(passed.end(), FLedger->Skipped().begin(), FLedger->Skipped().end());
    if (passed.empty()) {
        LabelPassedOver->hide();
        return;
    }
    // The reasons may be long: the label names the count, its tool tip every file.
    QStringList lines;
    for (const LedgerSkip& skip : passed)
        lines << QStringLiteral("%1: %2").arg(
            EscapeControls(skip.File), EscapeControls(QString(skip.Reason).replace("\n\n", " ")));
    LabelPassedOver->setText(
        QStringLiteral("%1 %2").arg(Text(TextYieldPassedOver)).arg(passed.size()));
    LabelPassedOver->setToolTip(lines.join(QLatin1Char('\n')));
    LabelPassedOver->show();
}

void TYieldWindow::FillTable() {
    Table->clear();
    const QStringList headings = TableHeadings();
    Table->setColumnCount(static_cast<int>(headings.size()));
    Table->setHeaderLabels(headings);
    const std::vector<LedgerColumn> columns = Columns();
    const auto item = [&](QTreeWidgetItem* parent, const LedgerRow& row) {
        auto* created = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(Table);
        created->setText(0, PeriodText(row));
        created->setData(0, Qt::UserRole, static_cast<int>(row.Level));
        created->setData(0, Qt::UserRole + 1, row.Start);
        if (row.Level == LedgerLevel::Day)
            created->setToolTip(0, row.File);
        for (size_t c = 0; c < columns.size(); ++c) {
            const double value = columns[c].Value(row);
            const int at = static_cast<int>(c) + 1;
            created->setText(at, LanguageFormat::Number(value, columns[c].Decimals));
            created->setTextAlignment(at, Qt::AlignRight | Qt::AlignVCenter);
        }
        if (row.Level != LedgerLevel::Day) {
            QFont bold = created->font(0);
            bold.setBold(row.Level == LedgerLevel::Year);
            for (int at = 0; at < Table->columnCount(); ++at)
                created->setFont(at, bold);
        }
        return created;
    };
    QTreeWidgetItem* yearItem = nullptr;
    QTreeWidgetItem* monthItem = nullptr;
    QTreeWidgetItem* latestMonth = nullptr;
    QTreeWidgetItem* shownMonth = nullptr;
    for (const LedgerRow& row : TableRows()) {
        if (row.Level == LedgerLevel::Year) {
            yearItem = item(nullptr, row);
            yearItem->setExpanded(true);
        } else if (row.Level == LedgerLevel::Month) {
            monthItem = item(yearItem, row);
            if (row.DaysWithData > 0)
                latestMonth = monthItem;
            if (row.Start == FShownMonth)
                shownMonth = monthItem;
        } else {
            item(monthItem, row);
        }
    }
    for (int c = 0; c < Table->columnCount(); ++c)
        Table->resizeColumnToContents(c);
    // Days are collapsed at first and not measured: the period column is made wide enough for them.
    int dayWidth = 0;
    for (int weekday = 1; weekday <= 7; ++weekday) {
        LedgerRow day;
        day.Start = QDate(2001, 1, weekday); // 1 January 2001 was a Monday
        dayWidth = std::max(dayWidth, Table->fontMetrics().horizontalAdvance(PeriodText(day)));
    }
    Table->setColumnWidth(
        0, std::max(Table->columnWidth(0), dayWidth + 3 * Table->indentation() + 12));
    // The month chosen before stays chosen (a new language refills the table); a new folder
    // opens on its last month with data.
    if (shownMonth == nullptr)
        shownMonth = latestMonth;
    FShownMonth = shownMonth != nullptr ? shownMonth->data(0, Qt::UserRole + 1).toDate() : QDate();
    if (shownMonth != nullptr) {
        const QSignalBlocker quiet(Table);
        Table->setCurrentItem(shownMonth);
    }
}

void TYieldWindow::FillMonthChart() {
    FYearSeries.clear(); // a series leaves its surface when it goes
    ChartMonths->ClearTitle();
    ChartMonths->AddTitle(Text(TextYieldEnergyByMonth));
    ChartMonths->SetMonthNames(LanguageFormat::Locale());
    const QDate first(ReferenceYear, 1, 1);
    SetBottomRange(*ChartMonths, Day(first), Day(first.addYears(1)));
    const std::vector<LedgerRow> years = FLedger->Years();
    std::map<int, std::vector<const LedgerRow*>> monthsByYear;
    const std::vector<LedgerRow> months = FLedger->Months();
    for (const LedgerRow& month : months)
        monthsByYear[month.Start.year()].push_back(&month);
    const int count = static_cast<int>(monthsByYear.size());
    double lowest = 0.0;
    double highest = 0.0;
    // Each month holds the years side by side in slots of `slot` days; a null point one slot
    // after each bar makes that the series' bar slot, so the bars stay as narrow as their slot.
    const double slot = 28.0 / (count + 1);
    int index = 0;
    for (const auto& [year, rows] : monthsByYear) {
        auto series = std::make_unique<ChartSeries>(SeriesKind::Bar);
        series->SetTitle(QString::number(year));
        series->SetColor(YearColour(index, count));
        for (const LedgerRow* month : rows) {
            const DateTime x =
                Day(QDate(ReferenceYear, month->Start.month(), 1)) + slot * (index + 1);
            series->AddXY(x, month->EnergyKWh);
            series->AddNull(x + slot);
            lowest = std::min(lowest, month->EnergyKWh);
            highest = std::max(highest, month->EnergyKWh);
        }
        ChartMonths->AddSeries(series.get());
        FYearSeries.push_back(std::move(series));
        ++index;
    }
    FitEnergyAxis(*ChartMonths, lowest, highest);
    ChartMonths->Repaint();
}

void TYieldWindow::ShowMonthDays(QDate month) {
    FShownMonth = month;
    if (FDaySeries)
        FDaySeries.reset();
    ChartDays->ClearTitle();
    if (!month.isValid()) {
        FitEnergyAxis(*ChartDays, 0.0, 0.0);
        ChartDays->Repaint();
        return;
    }
    const QDate last = month.addMonths(1).addDays(-1);
    ChartDays->AddTitle(Text(TextYieldEnergyByDay) + QStringLiteral(" ") +
                        LanguageFormat::MonthYear(month));
    SetBottomRange(*ChartDays, Day(month), Day(last) + 1.0);
    FDaySeries = std::make_unique<ChartSeries>(SeriesKind::Bar);
    FDaySeries->SetColor(YearColour(1, 1));
    FDaySeries->SetTitle(Text(TextColumnEnergy));
    // A null point a day after each bar keeps one-day slots, even for a month of one day.
    double lowest = 0.0;
    double highest = 0.0;
    for (const LedgerRow& day : FLedger->Days()) {
        if (day.Start >= month && day.Start <= last) {
            FDaySeries->AddXY(Day(day.Start) + 0.5, day.EnergyKWh);
            FDaySeries->AddNull(Day(day.Start) + 1.5);
            lowest = std::min(lowest, day.EnergyKWh);
            highest = std::max(highest, day.EnergyKWh);
        }
    }
    FitEnergyAxis(*ChartDays, lowest, highest);
    ChartDays->AddSeries(FDaySeries.get());
    ChartDays->Repaint();
}

void TYieldWindow::SelectionChanged() {
    QTreeWidgetItem* item = Table->currentItem();
    if (item == nullptr)
        return;
    const auto level = static_cast<LedgerLevel>(item->data(0, Qt::UserRole).toInt());
    const QDate start = item->data(0, Qt::UserRole + 1).toDate();
    ShowSavings(start.year());
    if (level == LedgerLevel::Year)
        return;
    const QDate month(start.year(), start.month(), 1);
    if (month != FShownMonth)
        ShowMonthDays(month);
}
