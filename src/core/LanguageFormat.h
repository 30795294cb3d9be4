#pragma once

#include "core/LanguageTexts.h"

#include <QDate>
#include <QLocale>
#include <QString>

// Numbers, month and day names in the program's language, for everything whose form the design
// leaves open (the yield window, the health and span panels, the cursor readout, the report's
// table). Numbers take the decimal mark the charts' readout has always used: a point in English,
// a comma in every other language; no thousands separator, so a copied figure pastes as a number.
// Chart titles keep the system's month names; CSV and JSON keep the decimal point and ISO dates.
class LanguageFormat {
public:
    // The locale whose names a language uses: de_DE, en_GB, fr_FR, es_ES, it_IT, pt_PT.
    static QLocale LocaleOf(TextArrayId language);
    static QLocale Locale() { return LocaleOf(CurrentTextArray()); }

    // `value` with `decimals` places; a value that rounds to nothing has no minus sign, no value
    // (NaN) is a dash.
    static QString Number(double value, int decimals, TextArrayId language);
    static QString Number(double value, int decimals) {
        return Number(value, decimals, CurrentTextArray());
    }

    // A channel's short name in the program's language: the symbols T1..T6, TD, R1..R3 as they
    // are, the words (Flow, Power, RError, Volume, Energy) translated. Files keep the English.
    static QString ChannelName(int channel);

    // "Juni", "juin": the month on its own, as a table or a title names it.
    static QString MonthName(int month, QLocale::FormatType format = QLocale::LongFormat);
    // "Juni 2010".
    static QString MonthYear(QDate month);
    // "Sa", "Sat": the weekday of `day`.
    static QString DayName(QDate day, QLocale::FormatType format = QLocale::ShortFormat);
};
