#include "core/DateTime.h"

#include <cmath>

namespace {
// Julian day number of 30 December 1899, day 0 of DateTime.
constexpr long long EpochJulianDay = 2415019;

long long JulianDayFromDate(int y, int m, int d) {
    // Fliegel and Van Flandern, valid for every Gregorian date with a positive year.
    const long long a = (14 - m) / 12;
    const long long yy = y + 4800 - a;
    const long long mm = m + 12 * a - 3;
    return d + (153 * mm + 2) / 5 + 365 * yy + yy / 4 - yy / 100 + yy / 400 - 32045;
}
} // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool EncodeDate(int year, int month, int day, DateTime& result) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        return false;
    result = static_cast<double>(JulianDayFromDate(year, month, day) - EpochJulianDay);
    return true;
}

bool EncodeTime(int hour, int minute, int second, double& result) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59)
        return false;
    result = (hour * 3600.0 + minute * 60.0 + second) / 86400.0;
    return true;
}

DateParts DecodeDate(DateTime value) {
    const long long jd = static_cast<long long>(std::floor(value)) + EpochJulianDay;
    const long long a = jd + 32044;
    const long long b = (4 * a + 3) / 146097;
    const long long c = a - 146097 * b / 4;
    const long long d = (4 * c + 3) / 1461;
    const long long e = c - 1461 * d / 4;
    const long long m = (5 * e + 2) / 153;
    DateParts parts;
    parts.Day = static_cast<int>(e - (153 * m + 2) / 5 + 1);
    parts.Month = static_cast<int>(m + 3 - 12 * (m / 10));
    parts.Year = static_cast<int>(100 * b + d - 4800 + m / 10);
    return parts;
}

TimeParts DecodeTime(DateTime value) {
    long long seconds = std::llround((value - std::floor(value)) * 86400.0);
    if (seconds >= 86400)
        seconds = 86399;
    TimeParts parts;
    parts.Hour = static_cast<int>(seconds / 3600);
    parts.Minute = static_cast<int>(seconds / 60 % 60);
    parts.Second = static_cast<int>(seconds % 60);
    return parts;
}

DateTime FloorDay(DateTime value) { return std::floor(value); }

DateTime CeilDay(DateTime value) { return std::ceil(value); }
