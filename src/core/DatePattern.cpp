#include "core/DatePattern.h"

#include <QDate>
#include <QLocale>

#include <cmath>

namespace {

int CountRun(const QString& p, qsizetype i, QChar c) {
    int n = 0;
    while (i + n < p.size() && p[i + n].toLower() == c)
        ++n;
    return n;
}

QString Two(int v) { return QStringLiteral("%1").arg(v, 2, 10, QLatin1Char('0')); }

} // namespace

QString DatePattern::Format(const QString& pattern, DateTime value) {
    return Format(pattern, value, QLocale::system());
}

QString DatePattern::Format(const QString& pattern, DateTime value, const QLocale& locale) {
    // Round to the second first so 23:59:59.9996 does not print as 23:59 of the wrong day.
    const double totalSeconds = std::round(value * 86400.0);
    const auto dayCount = static_cast<qint64>(std::floor(totalSeconds / 86400.0));
    const auto secondOfDay =
        static_cast<int>(totalSeconds - static_cast<double>(dayCount) * 86400.0);
    const QDate date = QDate(1899, 12, 30).addDays(dayCount);
    const int hour = secondOfDay / 3600;
    const int minute = secondOfDay / 60 % 60;
    const int second = secondOfDay % 60;

    QString out;
    bool afterHour = false;
    for (qsizetype i = 0; i < pattern.size();) {
        const QChar c = pattern[i].toLower();
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            const qsizetype end = pattern.indexOf(pattern[i], i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out += pattern.mid(i + 1, stop - i - 1);
            i = stop + 1;
            continue;
        }
        const int n = CountRun(pattern, i, c);
        if (c == QLatin1Char('y')) {
            out += n <= 2 ? Two(date.year() % 100) : QString::number(date.year());
        } else if (c == QLatin1Char('m') && afterHour && n <= 2) {
            out += n == 1 ? QString::number(minute) : Two(minute);
        } else if (c == QLatin1Char('m')) {
            if (n >= 4)
                out += locale.standaloneMonthName(date.month(), QLocale::LongFormat);
            else if (n == 3)
                out += locale.standaloneMonthName(date.month(), QLocale::ShortFormat);
            else
                out += n == 1 ? QString::number(date.month()) : Two(date.month());
        } else if (c == QLatin1Char('d')) {
            out += n == 1 ? QString::number(date.day()) : Two(date.day());
        } else if (c == QLatin1Char('h')) {
            out += n == 1 ? QString::number(hour) : Two(hour);
        } else if (c == QLatin1Char('n')) {
            out += n == 1 ? QString::number(minute) : Two(minute);
        } else if (c == QLatin1Char('s')) {
            out += n == 1 ? QString::number(second) : Two(second);
        } else {
            out += pattern.mid(i, n);
            i += n;
            continue;
        }
        afterHour = c == QLatin1Char('h');
        i += n;
    }
    return out;
}
