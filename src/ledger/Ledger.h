#pragma once

#include "ledger/LedgerRow.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <atomic>
#include <functional>
#include <vector>

// A file the ledger passed over, and why.
struct LedgerSkip {
    QString File;
    QString Reason;
};

// Progress of a scan, readable from another thread while `Ledger::ReadFiles` runs; setting
// `Cancel` ends the scan after the files under way.
struct LedgerProgress {
    std::atomic<int> Done{0};
    std::atomic<int> Total{0};
    std::atomic<bool> Cancel{false};
};

// The yield of day files by day, month and year. Files are read in parallel (nothing is drawn);
// a day's date is the one the analysis gives its file, so months agree with a multi-day analysis.
class Ledger {
public:
    // Only days from `from` to `to` count (a null date leaves that end open); it also bounds the
    // calendar days counted as without a file, which otherwise run from the first to the last
    // day read.
    void SetRange(QDate from, QDate to);

    // Adds to each day row what the ledger does not read itself (the report counts the health
    // check's events this way). Runs on the reading threads, once per file read.
    using DayExtra = std::function<void(const QString& file, LedgerRow& day)>;
    void SetDayExtra(DayExtra extra) { FDayExtra = std::move(extra); }

    // Reads the files, adding to what was read before. False when cancelled: the files read
    // until then stay.
    bool ReadFiles(const QStringList& files, LedgerProgress* progress = nullptr);

    // One row per day read, in date order. A second file of a date is passed over, as a
    // multi-day analysis passes it over in its month totals.
    const std::vector<LedgerRow>& Days() const { return FDays; }
    const std::vector<LedgerSkip>& Skipped() const { return FSkipped; }
    // Files read as day files, in the range or not.
    int FilesRead() const { return FFilesRead; }
    // Every month (year) from the first to the last day of the range or the data, with totals.
    std::vector<LedgerRow> Months() const { return Totals(LedgerLevel::Month); }
    std::vector<LedgerRow> Years() const { return Totals(LedgerLevel::Year); }
    std::vector<LedgerRow> Rows(LedgerLevel level) const;
    // The files read, in date order, whose day lies in [first, last].
    QStringList FilesBetween(QDate first, QDate last) const;

private:
    std::vector<LedgerRow> Totals(LedgerLevel level) const;
    void Take(std::vector<LedgerRow>& days, std::vector<LedgerSkip>& skipped);

    QDate FFrom;
    QDate FTo;
    std::vector<LedgerRow> FDays;
    std::vector<LedgerSkip> FSkipped;
    int FFilesRead = 0;
    DayExtra FDayExtra;
};

// Adds `day` into the totals of `total` (extremes, sums, the count of days with data).
void AddToTotals(LedgerRow& total, const LedgerRow& day);
