#pragma once

#include "ledger/LedgerRow.h"
#include "logdata/DayFileReading.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

#include <vector>

// A file the ledger passed over, and why.
using LedgerSkip = DaySkip;
using LedgerProgress = ReadingProgress;

// The yield of day files by day, month and year. Files are read in parallel (nothing is drawn);
// a day's date is the one the analysis gives its file, so months agree with a multi-day analysis.
class Ledger : private DayConsumer {
public:
    Ledger();

    // Only days from `from` to `to` count (a null date leaves that end open); it also bounds the
    // calendar days counted as without a file, which otherwise run from the first to the last
    // day read.
    void SetRange(QDate from, QDate to);

    // Reads the files, adding to what was read before. False when cancelled: the files read
    // until then stay. `others` are handed the same days in the same reading (the report's
    // health check), so that every file is opened once.
    bool ReadFiles(const QStringList& files, LedgerProgress* progress = nullptr,
                   const std::vector<DayConsumer*>& others = {});
    // The day row of a date, if one was read.
    LedgerRow* DayRow(QDate day);
    void ForEachDay(const std::function<void(LedgerRow&)>& visit);

    // One row per day read, in date order. A second file of a date is passed over, as a
    // multi-day analysis passes it over in its month totals.
    const std::vector<LedgerRow>& Days() const { return FDays; }
    const std::vector<LedgerSkip>& Skipped() const { return FReading.Skipped(); }
    // Files read as day files, in the range or not.
    int FilesRead() const { return FReading.FilesRead(); }
    // Every month (year) from the first to the last day of the range or the data, with totals.
    std::vector<LedgerRow> Months() const { return Totals(LedgerLevel::Month); }
    std::vector<LedgerRow> Years() const { return Totals(LedgerLevel::Year); }
    std::vector<LedgerRow> Rows(LedgerLevel level) const;
    // One row per period of `level` from the first to the last day of the range or the data;
    // by day, the calendar days without a file get a row of their own too.
    std::vector<LedgerRow> Totals(LedgerLevel level) const;
    // The files read, in date order, whose day lies in [first, last].
    QStringList FilesBetween(QDate first, QDate last) const;

private:
    void Prepare(size_t files) override;
    std::unique_ptr<DayWorker> MakeWorker() override;
    void Take(size_t index) override;

    QDate FFrom;
    QDate FTo;
    DayFileReading FReading;
    std::vector<LedgerRow> FDays;
    std::vector<LedgerRow> FRead; // by file index, while reading
};

// Adds `day` into the totals of `total` (extremes, sums, the count of days with data).
void AddToTotals(LedgerRow& total, const LedgerRow& day);
