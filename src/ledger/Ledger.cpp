#include "ledger/Ledger.h"

#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerDay.h"
#include "ledger/LedgerTexts.h"
#include "logdata/LogReader.h"
#include "logdata/ReadingThreads.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

namespace {

struct Outcome {
    bool Read = false;
    LedgerRow Day;
    QString Reason;
};

void ReadOne(const QString& file, LogReader& reader, const Ledger::DayExtra& extra,
             Outcome& outcome) {
    try {
        outcome.Day = ReadLedgerDay(file, reader);
        if (extra)
            extra(file, outcome.Day);
        outcome.Read = true;
    } catch (const AppError& error) {
        outcome.Reason = error.Message();
    } catch (const std::bad_alloc&) {
        outcome.Reason = Text(TextLedgerNoMemory);
    }
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
}

bool Ledger::ReadFiles(const QStringList& files, LedgerProgress* progress) {
    const int count = static_cast<int>(files.size());
    LedgerProgress own;
    LedgerProgress& p = progress != nullptr ? *progress : own;
    p.Total = count;
    p.Done = 0;
    std::vector<Outcome> outcomes(static_cast<size_t>(count));
    std::vector<char> finished(static_cast<size_t>(count), 0);
    std::atomic<int> next{0};
    const auto work = [&] {
        LogReader reader;
        for (int i = next++; i < count && !p.Cancel; i = next++) {
            ReadOne(files[i], reader, FDayExtra, outcomes[static_cast<size_t>(i)]);
            finished[static_cast<size_t>(i)] = 1;
            ++p.Done;
        }
    };
    OnReadingThreads(static_cast<size_t>(count), work);

    std::vector<LedgerRow> days;
    std::vector<LedgerSkip> skipped;
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<size_t>(i);
        if (!finished[n])
            continue;
        if (outcomes[n].Read)
            days.push_back(std::move(outcomes[n].Day));
        else
            skipped.push_back({files[i], outcomes[n].Reason});
    }
    Take(days, skipped);
    return !p.Cancel;
}

void Ledger::Take(std::vector<LedgerRow>& days, std::vector<LedgerSkip>& skipped) {
    for (LedgerSkip& skip : skipped)
        FSkipped.push_back(std::move(skip));
    FFilesRead += static_cast<int>(days.size());
    std::erase_if(days, [this](const LedgerRow& day) {
        return (FFrom.isValid() && day.Start < FFrom) || (FTo.isValid() && day.Start > FTo);
    });
    // Stable: of two files of a date, the one named first stays, as in a multi-day analysis.
    FDays.insert(FDays.end(), std::make_move_iterator(days.begin()),
                 std::make_move_iterator(days.end()));
    std::stable_sort(FDays.begin(), FDays.end(),
                     [](const LedgerRow& a, const LedgerRow& b) { return a.Start < b.Start; });
    std::vector<LedgerRow> unique;
    unique.reserve(FDays.size());
    for (LedgerRow& day : FDays) {
        if (!unique.empty() && unique.back().Start == day.Start) {
            FSkipped.push_back({day.File, FormatText(Text(TextLedgerSameDay), unique.back().File)});
            continue;
        }
        unique.push_back(std::move(day));
    }
    FDays = std::move(unique);
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
