#include "ui/TYieldCompare.h"

#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerTexts.h"
#include "ui/ErrorBoundary.h"
#include "ui/YieldCharts.h"
#include "ui/YieldCompareTexts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

using namespace yieldcharts;

TYieldCompare::TYieldCompare(std::vector<LedgerRow> periods, std::vector<LedgerRow> days,
                             std::vector<LedgerColumn> columns, QWidget* parent)
    : QDialog(parent), FPeriods(std::move(periods)), FDays(std::move(days)),
      FColumns(std::move(columns)) {
    setObjectName(QStringLiteral("YieldCompare"));
    auto* column = new QVBoxLayout(this);
    auto* choice = new QGridLayout;
    LabelFirst = new QLabel(this);
    LabelSecond = new QLabel(this);
    ComboFirst = new QComboBox(this);
    ComboFirst->setObjectName(QStringLiteral("ComboFirst"));
    ComboSecond = new QComboBox(this);
    ComboSecond->setObjectName(QStringLiteral("ComboSecond"));
    LabelFirst->setBuddy(ComboFirst);
    LabelSecond->setBuddy(ComboSecond);
    choice->addWidget(LabelFirst, 0, 0);
    choice->addWidget(ComboFirst, 0, 1);
    choice->addWidget(LabelSecond, 0, 2);
    choice->addWidget(ComboSecond, 0, 3);
    choice->setColumnStretch(4, 1);
    column->addLayout(choice);
    Table = new QTableWidget(this);
    Table->setObjectName(QStringLiteral("Table"));
    Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Table->verticalHeader()->hide();
    column->addWidget(Table);
    Chart = new ChartSurface(this);
    Chart->setObjectName(QStringLiteral("Chart"));
    Chart->SetZoomAllowed(false);
    Chart->SetAutomatic(ChartAxis::Bottom, false);
    Chart->SetAxisVisible(ChartAxis::Right, false);
    Chart->SetAxisTitle(ChartAxis::Left, QStringLiteral("kWh"));
    Chart->setMinimumHeight(220);
    column->addWidget(Chart, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    column->addWidget(buttons);
    for (QComboBox* combo : {ComboFirst, ComboSecond})
        connect(combo, &QComboBox::currentIndexChanged, this,
                GuardedSlot([this](int) { Refresh(); }));
    FillCombos();
    ApplyLanguageTexts();
    resize(1000, 560);
}

TYieldCompare::~TYieldCompare() = default;

void TYieldCompare::FillCombos() {
    for (QComboBox* combo : {ComboFirst, ComboSecond}) {
        const QSignalBlocker quiet(combo);
        const int chosen = combo->currentIndex();
        combo->clear();
        for (const LedgerRow& row : FPeriods)
            combo->addItem(PeriodText(row));
        combo->setCurrentIndex(chosen);
    }
}

int TYieldCompare::IndexOf(LedgerLevel level, QDate start) const {
    for (size_t i = 0; i < FPeriods.size(); ++i)
        if (FPeriods[i].Level == level && FPeriods[i].Start == start)
            return static_cast<int>(i);
    return -1;
}

bool TYieldCompare::ChoosePeriods(LedgerLevel firstLevel, QDate first, LedgerLevel secondLevel,
                                  QDate second) {
    const int a = IndexOf(firstLevel, first);
    const int b = IndexOf(secondLevel, second);
    if (a < 0 || b < 0)
        return false;
    {
        const QSignalBlocker quiet(ComboFirst);
        ComboFirst->setCurrentIndex(a);
    }
    ComboSecond->setCurrentIndex(b);
    Refresh(); // also when the second one was chosen already
    return true;
}

void TYieldCompare::ChooseAround(LedgerLevel level, QDate shown) {
    if (FPeriods.empty())
        return;
    if (level == LedgerLevel::Day) {
        level = LedgerLevel::Month;
        shown = QDate(shown.year(), shown.month(), 1);
    }
    int second = IndexOf(level, shown);
    if (second < 0)
        second = static_cast<int>(FPeriods.size()) - 1;
    const LedgerRow& chosen = FPeriods[static_cast<size_t>(second)];
    int first = IndexOf(chosen.Level, chosen.Start.addYears(-1));
    for (int i = second - 1; first < 0 && i >= 0; --i)
        if (FPeriods[static_cast<size_t>(i)].Level == chosen.Level)
            first = i;
    if (first < 0)
        first = second;
    ChoosePeriods(FPeriods[static_cast<size_t>(first)].Level,
                  FPeriods[static_cast<size_t>(first)].Start, chosen.Level, chosen.Start);
}

const LedgerRow& TYieldCompare::First() const {
    static const LedgerRow none;
    const int at = ComboFirst->currentIndex();
    return at >= 0 && at < static_cast<int>(FPeriods.size()) ? FPeriods[static_cast<size_t>(at)]
                                                             : none;
}

const LedgerRow& TYieldCompare::Second() const {
    static const LedgerRow none;
    const int at = ComboSecond->currentIndex();
    return at >= 0 && at < static_cast<int>(FPeriods.size()) ? FPeriods[static_cast<size_t>(at)]
                                                             : none;
}

void TYieldCompare::ApplyLanguageTexts() {
    setWindowTitle(Text(TextYieldCompareTitle));
    LabelFirst->setText(Text(TextYieldCompareFirstPeriod));
    LabelSecond->setText(Text(TextYieldCompareSecondPeriod));
    FillCombos();
    Refresh();
}

void TYieldCompare::Refresh() {
    FDifference = CompareRows(First(), Second(), FColumns);
    FillTable();
    FillChart();
}

void TYieldCompare::FillTable() {
    QStringList headings{Text(TextYieldPeriod)};
    for (const LedgerColumn& column : FColumns)
        headings << column.LocalHeading();
    Table->clear();
    Table->setColumnCount(static_cast<int>(headings.size()));
    Table->setHorizontalHeaderLabels(headings);
    const bool chosen = ComboFirst->currentIndex() >= 0 && ComboSecond->currentIndex() >= 0;
    Table->setRowCount(chosen ? 4 : 0);
    if (!chosen)
        return;
    const auto cell = [this](int row, int at, const QString& text, bool number) {
        auto* item = new QTableWidgetItem(text);
        if (number)
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Table->setItem(row, at, item);
    };
    int row = 0;
    for (const LedgerRow* period : {&First(), &Second()}) {
        cell(row, 0, PeriodText(*period), false);
        for (size_t c = 0; c < FColumns.size(); ++c)
            cell(row, static_cast<int>(c) + 1,
                 LanguageFormat::Number(FColumns[c].Value(*period), FColumns[c].Decimals), true);
        ++row;
    }
    // A difference shows its sign; the percentage one decimal.
    const auto signedNumber = [](double value, int decimals) {
        const QString text = LanguageFormat::Number(value, decimals);
        return !std::isnan(value) && value > 0.0 && text != LanguageFormat::Number(0.0, decimals)
                   ? QLatin1Char('+') + text
                   : text;
    };
    cell(2, 0, Text(TextCompareDifference), false);
    cell(3, 0, Text(TextCompareDifferencePercent), false);
    for (size_t c = 0; c < FColumns.size(); ++c) {
        cell(2, static_cast<int>(c) + 1,
             signedNumber(FDifference.Absolute[c], FColumns[c].Decimals), true);
        cell(3, static_cast<int>(c) + 1, signedNumber(FDifference.Percent[c], 1), true);
    }
    for (int at = 0; at < Table->columnCount(); ++at)
        Table->resizeColumnToContents(at);
}

void TYieldCompare::FillChart() {
    FSeries.clear(); // a series leaves its surface when it goes
    Chart->ClearTitle();
    const LedgerRow& first = First();
    const LedgerRow& second = Second();
    const bool months = first.Level == LedgerLevel::Month && second.Level == LedgerLevel::Month;
    const bool years = first.Level == LedgerLevel::Year && second.Level == LedgerLevel::Year;
    // A month against a year has no common axis: the table alone compares them.
    const bool drawn = first.Start.isValid() && second.Start.isValid() && (months || years);
    Chart->setVisible(drawn);
    if (!drawn)
        return;
    Chart->AddTitle(Text(months ? TextYieldCompareDays : TextYieldCompareMonths));
    Chart->SetMonthNames(LanguageFormat::Locale());
    Chart->SetDateFormat(months ? QStringLiteral("dd") : QStringLiteral("mmm"));
    const QDate axisStart(ReferenceYear, 1, 1);
    SetBottomRange(*Chart, Day(axisStart),
                   Day(months ? axisStart.addDays(31) : axisStart.addYears(1)));
    // Each day (or month) holds the two periods side by side in slots of a third of it; a null
    // point one slot after each bar keeps the bars as narrow as their slot.
    double lowest = 0.0;
    double highest = 0.0;
    int index = 0;
    for (const LedgerRow* period : {&first, &second}) {
        auto series = std::make_unique<ChartSeries>(SeriesKind::Bar);
        series->SetTitle(PeriodText(*period));
        series->SetColor(YearColour(index, 2));
        const auto add = [&](QDate slotStart, double slotDays, double energy) {
            const double x = Day(slotStart) + slotDays / 3.0 * (index + 1);
            series->AddXY(x, energy);
            series->AddNull(x + slotDays / 3.0);
            lowest = std::min(lowest, energy);
            highest = std::max(highest, energy);
        };
        if (months) {
            for (const LedgerRow& day : FDays)
                if (day.Start >= period->Start && day.Start <= period->End())
                    add(axisStart.addDays(day.Start.day() - 1), 1.0, day.EnergyKWh);
        } else {
            for (const LedgerRow& month : FPeriods)
                if (month.Level == LedgerLevel::Month && month.Start.year() == period->Start.year())
                    add(QDate(ReferenceYear, month.Start.month(), 1), 28.0, month.EnergyKWh);
        }
        Chart->AddSeries(series.get());
        FSeries.push_back(std::move(series));
        ++index;
    }
    FitEnergyAxis(*Chart, lowest, highest);
    Chart->Repaint();
}
