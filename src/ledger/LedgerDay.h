#pragma once

#include "ledger/LedgerRow.h"
#include "logdata/DayLine.h"

#include <QString>

class DayLineReader;
class LogReader;

// Follows the accepted lines of a day into a day row: extremes, recorded minutes and gaps; the
// sums, on-times and starts come from the day's own sums.
class LedgerDayTally {
public:
    void Begin(DateTime start);
    void Add(const DayLine& line);
    LedgerRow Finish(const DayLineReader& reading, const QString& fileName);

private:
    void NoteMoment(DateTime t);
    void Gap(double days);

    DateTime Start = 0.0;
    DateTime Last = 0.0;
    long long LastMinute = 0;
    LedgerRow Row;
};

// Reads one day file into a day row by the rules the analysis uses (the same reader, lines and
// sums), without building any chart series. Raises an AppError whose message is the reason when
// the file is no log file or holds no value.
LedgerRow ReadLedgerDay(const QString& fileName, LogReader& reader);
