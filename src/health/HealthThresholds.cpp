#include "health/HealthThresholds.h"

#include "core/FileFailure.h"

#include <cmath>
#include <cstdio>

const QList<HealthThresholds::Key>& HealthThresholds::Keys() {
    using T = HealthThresholds;
    namespace l = healthlimit;
    static const QList<Key> keys = {
        {"SensorMinC", &T::SensorMinC, l::SensorMinC},
        {"SensorMaxC", &T::SensorMaxC, l::SensorMaxC},
        {"StuckHours", &T::StuckHours, l::StuckHours},
        {"StuckCollectorMoveK", &T::StuckCollectorMoveK, l::StuckCollectorMoveK},
        {"NoFlowMinutes", &T::NoFlowMinutes, l::NoFlowMinutes},
        {"MissedYieldK", &T::MissedYieldK, l::MissedYieldK},
        {"MissedYieldMinutes", &T::MissedYieldMinutes, l::MissedYieldMinutes},
        {"StagnationC", &T::StagnationC, l::StagnationC},
        {"HeatLossMinutes", &T::HeatLossMinutes, l::HeatLossMinutes},
        {"PumpCycleStarts", &T::PumpCycleStarts, l::PumpCycleStarts},
        {"PumpCycleMinutes", &T::PumpCycleMinutes, l::PumpCycleMinutes},
        {"GapMinutes", &T::GapMinutes, l::GapMinutes},
    };
    return keys;
}

namespace {

void Warn(const QString& text) {
    std::fputs(("solvista: " + EscapeControls(text) + "\n").toLocal8Bit().constData(), stderr);
}

QString Figure(double value) { return QString::number(value, 'g', 10); }

} // namespace

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
            // Far outside, a limit turns every line into an event or none, or overflows the
            // counts and times it is turned into.
            if (ok && value >= key.Limit.Min && value <= key.Limit.Max)
                result.*key.Member = value;
            else
                Warn(QStringLiteral("[Health] %1=%2 is not a number from %3 to %4; the default %5 "
                                    "is used.")
                         .arg(name, it.value(), Figure(key.Limit.Min), Figure(key.Limit.Max),
                              Figure(key.Limit.Default)));
            break;
        }
    }
    // Limits that cannot be meant together fall back: a check would otherwise fire everywhere.
    if (result.SensorMinC >= result.SensorMaxC) {
        Warn(QStringLiteral("[Health] SensorMinC is not below SensorMaxC; the defaults are used."));
        result.SensorMinC = healthlimit::SensorMinC.Default;
        result.SensorMaxC = healthlimit::SensorMaxC.Default;
    }
    return result;
}

QMap<QString, QString> HealthThresholds::ToValues() const {
    QMap<QString, QString> values;
    for (const Key& key : Keys())
        values.insert(QLatin1String(key.Name), Figure(this->*key.Member));
    return values;
}
