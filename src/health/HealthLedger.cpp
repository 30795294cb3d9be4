#include "health/HealthLedger.h"

#include "health/HealthTexts.h"
#include "ledger/Ledger.h"

void CountDayEvents(const std::vector<HealthEvent>& events, Ledger& ledger) {
    ledger.ForEachDay([](LedgerRow& day) { day.Events.fill(0.0); });
    for (const HealthEvent& event : events) {
        const DateParts parts = DecodeDate(FloorDay(event.Start));
        if (LedgerRow* day = ledger.DayRow(QDate(parts.Year, parts.Month, parts.Day)))
            day->Events[static_cast<size_t>(event.Kind)] += 1.0;
    }
}

const std::vector<LedgerColumn>& HealthEventColumns() {
    static const std::vector<LedgerColumn> columns = [] {
        std::vector<LedgerColumn> made;
        for (int k = 0; k < EventKindCount; ++k) {
            const QString key = QLatin1String(EventKindKey(static_cast<EventKind>(k)));
            const auto n = static_cast<size_t>(k);
            made.push_back({QString(key).replace(QLatin1Char('-'), QLatin1Char('_')) + "_events",
                            key, TextHealthKindFirst + k, QString(), QString(), 0,
                            [n](const LedgerRow& r) { return r.Events[n]; }});
        }
        return made;
    }();
    return columns;
}
