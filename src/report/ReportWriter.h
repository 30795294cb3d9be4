#pragma once

#include "ledger/LedgerCsv.h"
#include "ledger/LedgerRow.h"
#include "report/ReportOptions.h"

#include <QString>

#include <vector>

struct LedgerColumn;

// One line of a report: a period's row, or a line worked out from rows (a difference).
struct ReportLine {
    LedgerLine Line;   // the period as CSV and JSON write it, and one value per column
    QString Shown;     // the first cell of the text table
    int Decimals = -1; // the text table's decimals for every value; -1: each column's own
};

// Writes ledger rows in one of the report's formats. CSV and JSON use the decimal point and their
// fixed keys whatever the language; the text table speaks the program's current language: its
// headings, and its numbers with that language's decimal mark.
class ReportWriter {
public:
    explicit ReportWriter(std::vector<LedgerColumn> columns);

    QString Write(const std::vector<LedgerRow>& rows, ReportFormat format) const;
    QString Write(const std::vector<ReportLine>& lines, ReportFormat format) const;
    QString Text(const std::vector<LedgerRow>& rows) const { return Text(Lines(rows)); }
    QString Text(const std::vector<ReportLine>& lines) const;
    QString Json(const std::vector<ReportLine>& lines) const;
    std::vector<ReportLine> Lines(const std::vector<LedgerRow>& rows) const;

private:
    std::vector<LedgerColumn> FColumns;
};
