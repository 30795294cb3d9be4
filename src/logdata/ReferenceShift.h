#pragma once

#include "core/DateTime.h"

#include <optional>

// How the days of a reference period lie over the days of a period compared with it. Years apart,
// days are partnered by calendar date: 15 June with 15 June, and 29 February has no partner in a
// year without one. Otherwise the reference is aligned on its first day and each further day
// follows at the same distance. A moment keeps its time of day on the partner day.
class ReferenceShift {
public:
    ReferenceShift() = default;
    // The reference starting on `referenceFirst` over the period starting on `periodFirst`
    // (days, any time of day): by calendar date when both are the same day of the year.
    static ReferenceShift Between(DateTime periodFirst, DateTime referenceFirst);
    static ReferenceShift DaysEarlier(int days);
    static ReferenceShift YearsEarlier(int years);

    // The partner of a whole day, nothing for a day without one.
    std::optional<DateTime> ReferenceDay(DateTime periodDay) const;
    std::optional<DateTime> PeriodDay(DateTime referenceDay) const;
    std::optional<DateTime> ToReference(DateTime periodTime) const;
    std::optional<DateTime> ToPeriod(DateTime referenceTime) const;

    // The first and last reference day partnered with a day of [first, last]; false when none is.
    bool ReferenceRange(DateTime first, DateTime last, DateTime& referenceFirst,
                        DateTime& referenceLast) const;

    bool ByCalendar() const { return FCalendar; }
    int Years() const { return FYears; }
    int Days() const { return FDays; }
    bool operator==(const ReferenceShift&) const = default;

private:
    std::optional<DateTime> Moved(DateTime day, int years, int days) const;

    bool FCalendar = false;
    int FYears = 0; // by calendar: the reference lies this many years before the period
    int FDays = 0;  // else: this many days before
};
