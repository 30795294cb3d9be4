#pragma once

#include "ledger/LedgerRow.h"

class LogReader;

// Reads one day file into a day row by the rules the analysis uses (the same reader, lines and
// sums), without building any chart series. Raises an AppError whose message is the reason when
// the file is no log file or holds no value.
LedgerRow ReadLedgerDay(const QString& fileName, LogReader& reader);
