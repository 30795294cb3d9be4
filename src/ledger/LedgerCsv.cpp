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

QString LedgerCsv(const std::vector<LedgerRow>& rows, const std::vector<LedgerColumn>& columns) {
    QStringList heading{QStringLiteral("period")};
    for (const LedgerColumn& column : columns)
        heading << column.Key;
    QString out = heading.join(QLatin1Char(';')) + QLatin1Char('\n');
    for (const LedgerRow& row : rows) {
        QStringList line{row.Period()};
        for (const LedgerColumn& column : columns)
            line << MachineNumber(column.Value(row));
        out += line.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
    return out;
}
