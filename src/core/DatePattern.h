#pragma once

#include "core/DateTime.h"

#include <QLocale>
#include <QString>

// Formats a wall-clock DateTime with the program's pattern language ("hh:mm", "dd.", "dd.mm.",
// "mmm", "yyyy"). "mm" right after an hour token means minutes, "nn" always does. Text in quotes
// is copied. Pure arithmetic on the day count: no time zone ever moves a label.
class DatePattern {
public:
    // Month names ("mmm", "mmmm") in the system's language, as the design's chart titles have them.
    static QString Format(const QString& pattern, DateTime value);
    // Month names of `names`, for texts that speak the program's language.
    static QString Format(const QString& pattern, DateTime value, const QLocale& names);
};
