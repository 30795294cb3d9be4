#include "health/HealthLedger.h"

#include "health/DayCheck.h"
#include "health/DayReadings.h"
#include "health/HealthTexts.h"
#include "logdata/LogReader.h"

void CountDayEvents(const QString& file, LedgerRow& day, const ChannelRoles& roles,
                    const HealthThresholds& limits) {
    LogReader reader;
    const DayReadings readings = DayReadings::ReadFile(file, reader);
    const EventCounts counts = CountByKind(DayCheck(readings, roles, limits).FindAll());
    for (size_t k = 0; k < day.Events.size(); ++k)
        day.Events[k] = counts[k];
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
