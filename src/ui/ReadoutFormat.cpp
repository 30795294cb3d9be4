#include "ui/ReadoutFormat.h"

#include "core/Channels.h"
#include "core/DatePattern.h"
#include "core/LanguageFormat.h"
#include "core/LanguageTexts.h"

#include <algorithm>
#include <cmath>

namespace readout {

int Decimals(int channel) {
    if (IsOutputChannel(channel))
        return 0;
    if (channel == ChPower || channel == ChEnergy)
        return 3; // kW from watts
    return 1;
}

QString Number(double value, int decimals) { return LanguageFormat::Number(value, decimals); }

QString UnitOf(int channel, const QString& headingUnit) {
    if (IsOutputChannel(channel))
        return QStringLiteral("%");
    QString unit = headingUnit.trimmed();
    if (unit.startsWith(QLatin1Char('[')))
        unit.remove(0, 1);
    if (unit.endsWith(QLatin1Char(']')))
        unit.chop(1);
    return unit.trimmed();
}

QString Moment(DateTime time) {
    return DatePattern::Format(QStringLiteral("dd.mm.yyyy hh:nn:ss"), time);
}

QString Duration(double days) {
    const auto minutes = static_cast<long long>(std::llround(std::max(0.0, days) * MinutesPerDay));
    return QStringLiteral("%1:%2").arg(minutes / 60).arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

} // namespace readout
