#include "ledger/LedgerCsv.h"

#include <QStringList>

#include <cmath>

double LedgerShown(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return rounded == 0.0 ? 0.0 : rounded; // no "-0.0" for a value that rounds to nothing
}

QString LedgerPlainNumber(double value, int decimals) {
    if (std::isnan(value))
        return {};
    return QString::number(LedgerShown(value, decimals), 'f', decimals);
}

QString LedgerCsv(const std::vector<LedgerRow>& rows, const std::vector<LedgerColumn>& columns) {
    QStringList heading{QStringLiteral("period")};
    for (const LedgerColumn& column : columns)
        heading << column.Key;
    QString out = heading.join(QLatin1Char(';')) + QLatin1Char('\n');
    for (const LedgerRow& row : rows) {
        QStringList line{row.Period()};
        for (const LedgerColumn& column : columns)
            line << LedgerPlainNumber(column.Value(row), column.Decimals);
        out += line.join(QLatin1Char(';')) + QLatin1Char('\n');
    }
    return out;
}
