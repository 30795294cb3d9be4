#include "health/HealthThresholds.h"

#include <cmath>

const QList<HealthThresholds::Key>& HealthThresholds::Keys() {
    static const QList<Key> keys = {
        {"SensorMinC", &HealthThresholds::SensorMinC},
        {"SensorMaxC", &HealthThresholds::SensorMaxC},
        {"StuckHours", &HealthThresholds::StuckHours},
        {"StuckCollectorMoveK", &HealthThresholds::StuckCollectorMoveK},
        {"NoFlowMinutes", &HealthThresholds::NoFlowMinutes},
        {"MissedYieldK", &HealthThresholds::MissedYieldK},
        {"MissedYieldMinutes", &HealthThresholds::MissedYieldMinutes},
        {"StagnationC", &HealthThresholds::StagnationC},
        {"HeatLossMinutes", &HealthThresholds::HeatLossMinutes},
        {"PumpCycleStarts", &HealthThresholds::PumpCycleStarts},
        {"PumpCycleMinutes", &HealthThresholds::PumpCycleMinutes},
        {"GapMinutes", &HealthThresholds::GapMinutes},
    };
    return keys;
}

HealthThresholds HealthThresholds::FromValues(const QMap<QString, QString>& values) {
    HealthThresholds result;
    for (const Key& key : Keys()) {
        const QString name = QLatin1String(key.Name);
        // The INI file's names match without regard to case.
        for (auto it = values.begin(); it != values.end(); ++it) {
            if (it.key().compare(name, Qt::CaseInsensitive) != 0)
                continue;
            bool ok = false;
            const double value = it.value().trimmed().toDouble(&ok);
            if (ok && std::isfinite(value))
                result.*key.Member = value;
            break;
        }
    }
    // Limits that cannot be meant fall back: a check would otherwise fire everywhere or never.
    const HealthThresholds defaults;
    if (result.SensorMinC >= result.SensorMaxC) {
        result.SensorMinC = defaults.SensorMinC;
        result.SensorMaxC = defaults.SensorMaxC;
    }
    for (double HealthThresholds::*positive :
         {&HealthThresholds::StuckHours, &HealthThresholds::NoFlowMinutes,
          &HealthThresholds::MissedYieldMinutes, &HealthThresholds::HeatLossMinutes,
          &HealthThresholds::PumpCycleMinutes, &HealthThresholds::GapMinutes,
          &HealthThresholds::StuckCollectorMoveK, &HealthThresholds::MissedYieldK})
        if (result.*positive <= 0.0)
            result.*positive = defaults.*positive;
    if (result.PumpCycleStarts < 2.0)
        result.PumpCycleStarts = defaults.PumpCycleStarts;
    return result;
}

QMap<QString, QString> HealthThresholds::ToValues() const {
    QMap<QString, QString> values;
    for (const Key& key : Keys())
        values.insert(QLatin1String(key.Name), QString::number(this->*key.Member, 'g', 10));
    return values;
}
