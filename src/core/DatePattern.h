#pragma once

#include "core/DateTime.h"

#include <QString>

// Formats a wall-clock DateTime with the program's pattern language ("hh:mm", "dd.", "dd.mm.",
// "mmm", "yyyy"). "mm" right after an hour token means minutes, "nn" always does. Text in quotes
// is copied. Pure arithmetic on the day count: no time zone ever moves a label.
class DatePattern {
public:
    static QString Format(const QString& pattern, DateTime value);
};
