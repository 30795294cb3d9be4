#include "ledger/LedgerRow.h"

QString LedgerRow::Period() const {
    switch (Level) {
    case LedgerLevel::Year:
        return Start.toString(QStringLiteral("yyyy"));
    case LedgerLevel::Month:
        return Start.toString(QStringLiteral("yyyy-MM"));
    case LedgerLevel::Day:
        break;
    }
    return Start.toString(Qt::ISODate);
}

QDate LedgerRow::End() const {
    switch (Level) {
    case LedgerLevel::Year:
        return Start.addYears(1).addDays(-1);
    case LedgerLevel::Month:
        return Start.addMonths(1).addDays(-1);
    case LedgerLevel::Day:
        break;
    }
    return Start;
}
