#pragma once

#include "ledger/Ledger.h"

#include <QDate>
#include <QStringList>

#include <vector>

// The day files that folders and files on a command line or in a window name.
struct LedgerInput {
    QStringList Files;
    std::vector<LedgerSkip> Missing; // paths that name nothing readable
};

// A folder is searched as the multi-day analysis searches one: the folder itself, its month
// folders "MM" and its year folders "YYYY/MM", for files "yyyymmdd.csv" whose name lies in
// [from, to] (a null date leaves that end open). A file is taken as it is, whatever its name.
LedgerInput CollectLedgerInput(const QStringList& paths, QDate from, QDate to);
