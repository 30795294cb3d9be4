#include "logdata/ReferenceShift.h"

#include <cmath>

ReferenceShift ReferenceShift::Between(DateTime periodFirst, DateTime referenceFirst) {
    const DateParts p = DecodeDate(FloorDay(periodFirst));
    const DateParts r = DecodeDate(FloorDay(referenceFirst));
    if (p.Year != r.Year && p.Month == r.Month && p.Day == r.Day)
        return YearsEarlier(p.Year - r.Year);
    return DaysEarlier(static_cast<int>(FloorDay(periodFirst) - FloorDay(referenceFirst)));
}

ReferenceShift ReferenceShift::DaysEarlier(int days) {
    ReferenceShift shift;
    shift.FDays = days;
    return shift;
}

ReferenceShift ReferenceShift::YearsEarlier(int years) {
    ReferenceShift shift;
    shift.FCalendar = true;
    shift.FYears = years;
    return shift;
}

std::optional<DateTime> ReferenceShift::Moved(DateTime day, int years, int days) const {
    day = FloorDay(day);
    if (!FCalendar)
        return day - days;
    const DateParts parts = DecodeDate(day);
    DateTime moved = 0.0;
    if (!EncodeDate(parts.Year - years, parts.Month, parts.Day, moved))
        return std::nullopt; // 29 February in a year without one
    return moved;
}

std::optional<DateTime> ReferenceShift::ReferenceDay(DateTime periodDay) const {
    return Moved(periodDay, FYears, FDays);
}

std::optional<DateTime> ReferenceShift::PeriodDay(DateTime referenceDay) const {
    return Moved(referenceDay, -FYears, -FDays);
}

std::optional<DateTime> ReferenceShift::ToReference(DateTime periodTime) const {
    const DateTime day = FloorDay(periodTime);
    const std::optional<DateTime> partner = ReferenceDay(day);
    if (!partner)
        return std::nullopt;
    return *partner + (periodTime - day);
}

std::optional<DateTime> ReferenceShift::ToPeriod(DateTime referenceTime) const {
    const DateTime day = FloorDay(referenceTime);
    const std::optional<DateTime> partner = PeriodDay(day);
    if (!partner)
        return std::nullopt;
    return *partner + (referenceTime - day);
}

bool ReferenceShift::ReferenceRange(DateTime first, DateTime last, DateTime& referenceFirst,
                                    DateTime& referenceLast) const {
    // Partners keep the order of their days; only an end day may lack one (29 February).
    bool found = false;
    for (DateTime day = FloorDay(first); day <= FloorDay(last) && !found; day += 1.0)
        if (const std::optional<DateTime> partner = ReferenceDay(day)) {
            referenceFirst = *partner;
            found = true;
        }
    if (!found)
        return false;
    for (DateTime day = FloorDay(last); day >= FloorDay(first); day -= 1.0)
        if (const std::optional<DateTime> partner = ReferenceDay(day)) {
            referenceLast = *partner;
            return true;
        }
    return false;
}
