#pragma once

#include "ledger/LedgerRow.h"
#include "report/ReportOptions.h"

#include <QString>

#include <vector>

struct LedgerColumn;

// Writes ledger rows in one of the report's formats. CSV and JSON use the decimal point and their
// fixed keys whatever the language; the text table speaks the program's current language: its
// headings, and its numbers with that language's decimal mark.
class ReportWriter {
public:
    explicit ReportWriter(std::vector<LedgerColumn> columns);

    QString Write(const std::vector<LedgerRow>& rows, ReportFormat format) const;
    QString Text(const std::vector<LedgerRow>& rows) const;
    QString Csv(const std::vector<LedgerRow>& rows) const;
    QString Json(const std::vector<LedgerRow>& rows) const;

private:
    std::vector<LedgerColumn> FColumns;
};
