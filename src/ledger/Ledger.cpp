#include "ledger/Ledger.h"

#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerDay.h"
#include "ledger/LedgerTexts.h"
#include "logdata/LogReader.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

namespace {

class LedgerWorker : public DayWorker {
public:
    explicit LedgerWorker(std::vector<LedgerRow>& rows) : Rows(rows) {}
    void Begin(DateTime day, int) override { Tally.Begin(day); }
    void Line(const DayLine& line) override { Tally.Add(line); }
    void End(size_t index, const QString& file, const DayLineReader& reading) override {
        Rows[index] = Tally.Finish(reading, file);
    }

private:
    std::vector<LedgerRow>& Rows;
    LedgerDayTally Tally;
};

DateTime DayOf(QDate date) {
    DateTime value = 0.0;
    return date.isValid() && EncodeDate(date.year(), date.month(), date.day(), value) ? value : 0.0;
}

double Lowest(double a, double b) { return std::isnan(a) ? b : std::isnan(b) ? a : std::min(a, b); }
double Highest(double a, double b) {
    return std::isnan(a) ? b : std::isnan(b) ? a : std::max(a, b);
}

QDate PeriodStart(QDate day, LedgerLevel level) {
    if (level == LedgerLevel::Year)
        return {day.year(), 1, 1};
    if (level == LedgerLevel::Month)
        return {day.year(), day.month(), 1};
    return day;
}

QDate NextPeriod(QDate start, LedgerLevel level) {
    return level == LedgerLevel::Year    ? start.addYears(1)
           : level == LedgerLevel::Month ? start.addMonths(1)
                                         : start.addDays(1);
}

} // namespace

void AddToTotals(LedgerRow& total, const LedgerRow& day) {
    total.EnergyKWh += day.EnergyKWh;
    total.VolumeL += day.VolumeL;
    total.RecordedMinutes += day.RecordedMinutes;
    total.LongestGapMinutes = std::max(total.LongestGapMinutes, day.LongestGapMinutes);
    total.DaysWithData += day.DaysWithData;
    for (size_t i = 0; i < total.TMin.size(); ++i) {
        total.TMin[i] = Lowest(total.TMin[i], day.TMin[i]);
        total.TMax[i] = Highest(total.TMax[i], day.TMax[i]);
    }
    for (size_t k = 0; k < total.OnHours.size(); ++k) {
        total.OnHours[k] += day.OnHours[k];
        total.Starts[k] += day.Starts[k];
    }
    for (size_t k = 0; k < total.Events.size(); ++k)
        if (!std::isnan(day.Events[k]))
            total.Events[k] = (std::isnan(total.Events[k]) ? 0.0 : total.Events[k]) + day.Events[k];
}

void Ledger::SetRange(QDate from, QDate to) {
    FFrom = from;
    FTo = to;
    FReading.SetRange(DayOf(from), DayOf(to));
}

Ledger::Ledger() : FReading(TextLedgerSameDay) {}

bool Ledger::ReadFiles(const QStringList& files, LedgerProgress* progress,
                       const std::vector<DayConsumer*>& others) {
    std::vector<DayConsumer*> consumers{this};
    consumers.insert(consumers.end(), others.begin(), others.end());
    const bool done = FReading.Read(files, consumers, progress);
    FRead.clear();
    FRead.shrink_to_fit();
    // Days of a later reading may fall between those read before.
    std::stable_sort(FDays.begin(), FDays.end(),
                     [](const LedgerRow& a, const LedgerRow& b) { return a.Start < b.Start; });
    return done;
}

void Ledger::Prepare(size_t files) { FRead.assign(files, LedgerRow()); }

std::unique_ptr<DayWorker> Ledger::MakeWorker() { return std::make_unique<LedgerWorker>(FRead); }

void Ledger::Take(size_t index) { FDays.push_back(std::move(FRead[index])); }

void Ledger::ForEachDay(const std::function<void(LedgerRow&)>& visit) {
    for (LedgerRow& day : FDays)
        visit(day);
}

LedgerRow* Ledger::DayRow(QDate day) {
    const auto at = std::lower_bound(FDays.begin(), FDays.end(), day,
                                     [](const LedgerRow& row, QDate d) { return row.Start < d; });
    return at != FDays.end() && at->Start == day ? &*at : nullptr;
}

std::vector<LedgerRow> Ledger::Rows(LedgerLevel level) const {
    return level == LedgerLevel::Day ? FDays : Totals(level);
}

std::vector<LedgerRow> Ledger::Totals(LedgerLevel level) const {
    std::vector<LedgerRow> rows;
    const QDate first = FFrom.isValid() ? FFrom : FDays.empty() ? QDate() : FDays.front().Start;
    const QDate last = FTo.isValid() ? FTo : FDays.empty() ? QDate() : FDays.back().Start;
    if (!first.isValid() || !last.isValid() || last < first)
        return rows;
    auto day = FDays.begin();
    for (QDate start = PeriodStart(first, level); start <= last; start = NextPeriod(start, level)) {
        LedgerRow row;
        row.Level = level;
        row.Start = start;
        const QDate end = row.End();
        while (day != FDays.end() && day->Start <= end) {
            if (day->Start >= start)
                AddToTotals(row, *day);
            ++day;
        }
        const QDate from = std::max(start, first);
        const QDate to = std::min(end, last);
        row.DaysWithoutFile = static_cast<int>(from.daysTo(to)) + 1 - row.DaysWithData;
        rows.push_back(std::move(row));
    }
    return rows;
}

QStringList Ledger::FilesBetween(QDate first, QDate last) const {
    QStringList files;
    for (const LedgerRow& day : FDays)
        if (day.Start >= first && day.Start <= last)
            files << day.File;
    return files;
}
