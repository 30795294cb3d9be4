#pragma once

#include "health/HealthEvent.h"

#include <QString>

#include <vector>

// The events as a report writes them. Times are ISO date-times ("2010-06-05T12:00:00"),
// numbers have a decimal point whatever the locale, channels their short names.
// Text: one aligned line per event. CSV: semicolons, a heading line. JSON: an array of objects
// with "kind", "start", "end", "channels" (an array) and "value".
QString HealthText(const std::vector<HealthEvent>& events);
QString HealthCsv(const std::vector<HealthEvent>& events);
QString HealthJson(const std::vector<HealthEvent>& events);

QString IsoDateTime(DateTime value);
