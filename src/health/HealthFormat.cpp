#include "health/HealthFormat.h"

#include "core/Channels.h"
#include "ledger/LedgerCsv.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

#include <cmath>

namespace {

QStringList ChannelList(const HealthEvent& event) {
    QStringList names;
    for (int c : event.Channels)
        if (c >= 0 && c < ChannelCount)
            names << QLatin1String(ChannelShortNames[static_cast<size_t>(c)]);
    return names;
}

double Rounded(double value) {
    const double rounded = std::round(value * 10.0) / 10.0;
    return rounded == 0.0 ? 0.0 : rounded;
}

QString Number(double value) { return QString::number(Rounded(value), 'g', 12); }

} // namespace

QString IsoDateTime(DateTime value) {
    // Years 1 to 9999 only, which also keeps the conversion below in range.
    if (!(value >= -693594.0 && value < 2958466.0))
        return QString();
    // Rounded to the second as a whole, so a time a hair before midnight is the next day's 00:00.
    const long long seconds = std::llround(value * 86400.0);
    const long long days = seconds / 86400;
    const long long rest = seconds - days * 86400;
    const DateParts day = DecodeDate(static_cast<double>(days));
    return QStringLiteral("%1-%2-%3T%4:%5:%6")
        .arg(day.Year, 4, 10, QLatin1Char('0'))
        .arg(day.Month, 2, 10, QLatin1Char('0'))
        .arg(day.Day, 2, 10, QLatin1Char('0'))
        .arg(rest / 3600, 2, 10, QLatin1Char('0'))
        .arg(rest / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(rest % 60, 2, 10, QLatin1Char('0'));
}

QString HealthText(const std::vector<HealthEvent>& events) {
    QString out;
    for (const HealthEvent& event : events)
        out += QStringLiteral("%1  %2  %3  %4  %5 %6\n")
                   .arg(QLatin1String(EventKindKey(event.Kind)), -17)
                   .arg(IsoDateTime(event.Start), IsoDateTime(event.End))
                   .arg(ChannelList(event).join(QLatin1Char(',')), -16)
                   .arg(Number(event.Value), FigureUnit(event.Kind));
    return out;
}

QString HealthCsv(const std::vector<HealthEvent>& events) {
    QString out = QStringLiteral("kind;start;end;channels;value\n");
    for (const HealthEvent& event : events)
        out += QStringList{QLatin1String(EventKindKey(event.Kind)), IsoDateTime(event.Start),
                           IsoDateTime(event.End), ChannelList(event).join(QLatin1Char(',')),
                           MachineNumber(event.Value)}
                   .join(QLatin1Char(';')) +
               QLatin1Char('\n');
    return out;
}

QString HealthJson(const std::vector<HealthEvent>& events) {
    QJsonArray array;
    for (const HealthEvent& event : events) {
        QJsonObject object;
        object.insert(QStringLiteral("kind"), QLatin1String(EventKindKey(event.Kind)));
        object.insert(QStringLiteral("start"), IsoDateTime(event.Start));
        object.insert(QStringLiteral("end"), IsoDateTime(event.End));
        object.insert(QStringLiteral("channels"), QJsonArray::fromStringList(ChannelList(event)));
        object.insert(QStringLiteral("value"), event.Value);
        array.append(object);
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Indented));
}
