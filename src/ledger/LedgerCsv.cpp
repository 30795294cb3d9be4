#include "ledger/LedgerCsv.h"

#include <QStringList>

#include <array>
#include <charconv>
#include <cmath>

double LedgerShown(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return rounded == 0.0 ? 0.0 : rounded; // no "-0.0" for a value that rounds to nothing
}

QString MachineNumber(double value) {
    if (std::isnan(value))
        return {};
    if (value == 0.0)
        value = 0.0;
    std::array<char, 32> text{};
    const auto result = std::to_chars(text.data(), text.data() + text.size(), value);
    return QString::fromLatin1(text.data(), result.ptr - text.data());
}

std::vector<LedgerLine> LedgerLines(const std::vector<LedgerRow>& rows,
                                    const std::vector<LedgerColumn>& columns) {
    std::vector<LedgerLine> lines;
    lines.reserve(rows.size());
    for (const LedgerRow& row : rows) {
        LedgerLine line{row.Period(), {}};
        line.Values.reserve(columns.size());
        for (const LedgerColumn& column : columns)
            line.Values.push_back(column.Value(row));
        lines.push_back(std::move(line));
    }
    return lines;
}

QString LedgerCsv(const std::vector<LedgerRow>& rows, const std::vector<LedgerColumn>& columns) {
    return LedgerCsv(LedgerLines(rows, columns), columns);
}

QString LedgerCsv(const std::vector<LedgerLine>& lines, const std::vector<LedgerColumn>& columns) {
    QStringList heading{QStringLiteral("period")};
    for (const LedgerColumn& column : columns)
        heading << column.Key;
    QString out = heading.join(QLatin1Char(';')) + QLatin1Char('\n');
    for (const LedgerLine& line : lines) {
        QStringList fields{line.Period};
        for (double value : line.Values)
            fields << MachineNumber(value);
        out += fields.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
    return out;
}
