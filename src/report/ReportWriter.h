#pragma once

#include "ledger/LedgerRow.h"
#include "report/ReportOptions.h"

#include <QLocale>
#include <QString>

#include <vector>

struct LedgerColumn;

// Writes ledger rows in one of the report's formats. CSV and JSON use the decimal point whatever
// the locale; the text table writes numbers as `locale` does.
class ReportWriter {
public:
    explicit ReportWriter(std::vector<LedgerColumn> columns, QLocale locale = QLocale::system());

    QString Write(const std::vector<LedgerRow>& rows, ReportFormat format) const;
    QString Text(const std::vector<LedgerRow>& rows) const;
    QString Csv(const std::vector<LedgerRow>& rows) const;
    QString Json(const std::vector<LedgerRow>& rows) const;

private:
    std::vector<LedgerColumn> FColumns;
    QLocale FLocale;
};
