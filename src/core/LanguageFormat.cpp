#include "core/LanguageFormat.h"

#include "core/Channels.h"
#include "core/ConventionTexts.h"

#include <algorithm>
#include <cmath>

QLocale LanguageFormat::LocaleOf(TextArrayId language) {
    switch (language) {
    case TextArrayId::English:
        return QLocale(QLocale::English, QLocale::UnitedKingdom);
    case TextArrayId::French:
        return QLocale(QLocale::French, QLocale::France);
    case TextArrayId::Spanish:
        return QLocale(QLocale::Spanish, QLocale::Spain);
    case TextArrayId::Italian:
        return QLocale(QLocale::Italian, QLocale::Italy);
    case TextArrayId::Portuguese:
        return QLocale(QLocale::Portuguese, QLocale::Portugal);
    case TextArrayId::German:
        break;
    }
    return QLocale(QLocale::German, QLocale::Germany);
}

QString LanguageFormat::Number(double value, int decimals, TextArrayId language) {
    if (std::isnan(value))
        return QStringLiteral("\u2013"); // no value, as the tables show it
    decimals = std::clamp(decimals, 0, 15);
    if (std::isfinite(value) && std::abs(value) < 0.5 * std::pow(10.0, -decimals))
        value = 0.0;
    QString text = QString::number(value, 'f', decimals);
    if (language != TextArrayId::English)
        text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString LanguageFormat::ChannelName(int channel) {
    if (channel < 0 || channel >= ChannelCount)
        return {};
    switch (channel) {
    case ChFlow:
        return Text(TextChannelNameFirst + 0);
    case ChPower:
        return Text(TextChannelNameFirst + 1);
    case ChRError:
        return Text(TextChannelNameFirst + 2);
    case ChVolume:
        return Text(TextChannelNameFirst + 3);
    case ChEnergy:
        return Text(TextChannelNameFirst + 4);
    default:
        break;
    }
    return QLatin1String(ChannelShortNames[static_cast<size_t>(channel)]);
}

QString LanguageFormat::MonthName(int month, QLocale::FormatType format) {
    return Locale().standaloneMonthName(month, format);
}

QString LanguageFormat::MonthYear(QDate month) {
    if (!month.isValid())
        return {};
    return MonthName(month.month()) + QLatin1Char(' ') + QString::number(month.year());
}

QString LanguageFormat::DayName(QDate day, QLocale::FormatType format) {
    if (!day.isValid())
        return {};
    return Locale().dayName(day.dayOfWeek(), format);
}
