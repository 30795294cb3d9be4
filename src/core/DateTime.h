#pragma once

// Days since 30 December 1899; the fraction is the time of day (one hour is 1/24). Values are local
// wall-clock times exactly as a log file writes them: no time zone is ever applied.
using DateTime = double;

inline constexpr double MinutesPerDay = 1440.0;

struct DateParts {
    int Year = 1899;
    int Month = 12;
    int Day = 30;
};

struct TimeParts {
    int Hour = 0;
    int Minute = 0;
    int Second = 0;
};

// Computed arithmetically from the proleptic Gregorian calendar, never through a local QDateTime
// (which is invalid inside a daylight-saving gap). Encoding returns false for an impossible date.
bool EncodeDate(int year, int month, int day, DateTime& result);
bool EncodeTime(int hour, int minute, int second, double& result);
DateParts DecodeDate(DateTime value);
// Rounded to the nearest second, so 10:59:59.9999 reads as 11:00:00.
TimeParts DecodeTime(DateTime value);
bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// The whole day a value lies in, and the next midnight at or after it.
DateTime FloorDay(DateTime value);
DateTime CeilDay(DateTime value);
