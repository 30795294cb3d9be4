#include "report/ReportWriter.h"

#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerTexts.h"

#include <cmath>

ReportWriter::ReportWriter(std::vector<LedgerColumn> columns) : FColumns(std::move(columns)) {}

std::vector<ReportLine> ReportWriter::Lines(const std::vector<LedgerRow>& rows) const {
    std::vector<ReportLine> lines;
    for (LedgerLine& line : LedgerLines(rows, FColumns)) {
        const QString shown = line.Period;
        lines.push_back({std::move(line), shown});
    }
    return lines;
}

QString ReportWriter::Write(const std::vector<LedgerRow>& rows, ReportFormat format) const {
    return Write(Lines(rows), format);
}

QString ReportWriter::Write(const std::vector<ReportLine>& lines, ReportFormat format) const {
    switch (format) {
    case ReportFormat::Csv: {
        std::vector<LedgerLine> plain;
        for (const ReportLine& line : lines)
            plain.push_back(line.Line);
        return LedgerCsv(plain, FColumns);
    }
    case ReportFormat::Json:
        return Json(lines);
    case ReportFormat::Text:
        break;
    }
    return Text(lines);
}

QString ReportWriter::Text(const std::vector<ReportLine>& lines) const {
    // Cells first, then every column as wide as its widest cell; numbers to the right.
    std::vector<QStringList> cells;
    QStringList heading{::Text(TextYieldPeriod)};
    for (const LedgerColumn& column : FColumns)
        heading << column.LocalHeading();
    cells.push_back(heading);
    for (const ReportLine& line : lines) {
        QStringList text{line.Shown};
        for (size_t c = 0; c < FColumns.size(); ++c) {
            const double value = line.Line.Values[c];
            const int decimals = line.Decimals >= 0 ? line.Decimals : FColumns[c].Decimals;
            text << (std::isnan(value) ? QStringLiteral("-")
                                       : LanguageFormat::Number(value, decimals));
        }
        cells.push_back(text);
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

QString ReportWriter::Json(const std::vector<ReportLine>& lines) const {
    // Written by hand to keep the columns in their order (a JSON object of Qt sorts its keys).
    QString out = QStringLiteral("[");
    for (size_t r = 0; r < lines.size(); ++r) {
        const LedgerLine& line = lines[r].Line;
        out += r == 0 ? QStringLiteral("\n  {") : QStringLiteral(",\n  {");
        out += QStringLiteral("\"period\": \"%1\"").arg(line.Period);
        for (size_t c = 0; c < FColumns.size(); ++c) {
            const double value = line.Values[c];
            out += QStringLiteral(", \"%1\": %2")
                       .arg(FColumns[c].Key,
                            std::isnan(value) ? QStringLiteral("null") : MachineNumber(value));
        }
        out += QLatin1Char('}');
    }
    out += lines.empty() ? QStringLiteral("]\n") : QStringLiteral("\n]\n");
    return out;
}
