#include "report/ReportWriter.h"

#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerCsv.h"
#include "ledger/LedgerTexts.h"

#include <cmath>

ReportWriter::ReportWriter(std::vector<LedgerColumn> columns) : FColumns(std::move(columns)) {}

QString ReportWriter::Write(const std::vector<LedgerRow>& rows, ReportFormat format) const {
    switch (format) {
    case ReportFormat::Csv:
        return Csv(rows);
    case ReportFormat::Json:
        return Json(rows);
    case ReportFormat::Text:
        break;
    }
    return Text(rows);
}

QString ReportWriter::Text(const std::vector<LedgerRow>& rows) const {
    // Cells first, then every column as wide as its widest cell; numbers to the right.
    std::vector<QStringList> cells;
    QStringList heading{::Text(TextYieldPeriod)};
    for (const LedgerColumn& column : FColumns)
        heading << (column.Unit.isEmpty()
                        ? column.LocalName()
                        : QStringLiteral("%1 [%2]").arg(column.LocalName(), column.Unit));
    cells.push_back(heading);
    for (const LedgerRow& row : rows) {
        QStringList line{row.Period()};
        for (const LedgerColumn& column : FColumns) {
            const double value = column.Value(row);
            line << (std::isnan(value) ? QStringLiteral("-")
                                       : LanguageFormat::Number(value, column.Decimals));
        }
        cells.push_back(line);
    }
    std::vector<qsizetype> widths(heading.size(), 0);
    for (const QStringList& line : cells)
        for (qsizetype c = 0; c < line.size(); ++c)
            widths[static_cast<size_t>(c)] =
                std::max(widths[static_cast<size_t>(c)], line[c].size());
    QString out;
    for (const QStringList& line : cells) {
        QString text;
        for (qsizetype c = 0; c < line.size(); ++c) {
            const int width = static_cast<int>(widths[static_cast<size_t>(c)]);
            if (c == 0)
                text += line[c].leftJustified(width);
            else
                text += QStringLiteral("  ") + line[c].rightJustified(width);
        }
        out += text + QLatin1Char('\n');
    }
    return out;
}

QString ReportWriter::Csv(const std::vector<LedgerRow>& rows) const {
    return LedgerCsv(rows, FColumns);
}

QString ReportWriter::Json(const std::vector<LedgerRow>& rows) const {
    // Written by hand to keep the columns in their order (a JSON object of Qt sorts its keys).
    QString out = QStringLiteral("[");
    for (size_t r = 0; r < rows.size(); ++r) {
        const LedgerRow& row = rows[r];
        out += r == 0 ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
        out += QStringLiteral("\"period\": \"%1\"").arg(row.Period());
        for (const LedgerColumn& column : FColumns) {
            const double value = column.Value(row);
            out += QStringLiteral(", \"%1\": %2")
                       .arg(column.Key,
                            std::isnan(value) ? QStringLiteral("null") : MachineNumber(value));
        }
        out += QLatin1Char('}');
    }
    out += rows.empty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out;
}
