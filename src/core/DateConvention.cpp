#include "core/DateConvention.h"

#include <QDate>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads 1..maxDigits digits at `pos`; the count read is returned through `digits`.
bool ReadNumber(std::string_view text, size_t& pos, int maxDigits, int& value, int& digits) {
    value = 0;
    digits = 0;
    while (pos < text.size() && IsDigit(text[pos])) {
        if (++digits > maxDigits)
            return false;
        value = value * 10 + (text[pos++] - '0');
    }
    return digits > 0;
}

// The date and the blanks after it.
bool ReadDate(std::string_view text, size_t& pos, const DateConvention& convention, int century,
              DateTime& result) {
    int numbers[3] = {};
    int digits[3] = {};
    const int maxDigits[3] = {convention.YearFirst() ? 4 : 2, 2, convention.YearFirst() ? 2 : 4};
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (pos >= text.size() || text[pos] != convention.Separator)
                return false;
            ++pos;
        }
        if (!ReadNumber(text, pos, maxDigits[i], numbers[i], digits[i]))
            return false;
    }
    const int yearIndex = convention.YearFirst() ? 0 : 2;
    int year = numbers[yearIndex];
    if (digits[yearIndex] <= 2)
        year += century;
    const int day = convention.YearFirst() ? numbers[2] : numbers[0];
    while (pos < text.size() && text[pos] == ' ')
        ++pos;
    return EncodeDate(year, numbers[1], day, result);
}

} // namespace

bool TextToDate(std::string_view text, const DateConvention& convention, int century,
                DateTime& result) {
    size_t pos = 0;
    DateTime date = 0;
    if (!ReadDate(text, pos, convention, century, date) || pos != text.size())
        return false;
    result = date;
    return true;
}

namespace {

// Hours ":" minutes with optional ":" seconds at `pos`, added to `date`.
bool ReadTimeOfDay(std::string_view text, size_t pos, DateTime date, DateTime& result) {
    int hour = 0;
    int minute = 0;
    int second = 0;
    int digits = 0;
    if (!ReadNumber(text, pos, 2, hour, digits) || pos >= text.size() || text[pos] != ':')
        return false;
    ++pos;
    if (!ReadNumber(text, pos, 2, minute, digits))
        return false;
    if (pos + 1 < text.size() && text[pos] == ':' && IsDigit(text[pos + 1])) {
        ++pos;
        if (!ReadNumber(text, pos, 2, second, digits))
            return false;
    }
    double time = 0;
    if (!EncodeTime(hour, minute, second, time))
        return false;
    result = date + time;
    return true;
}

// Conventions are nearly always the same named constants: their texts are then one object.
bool SameConvention(const DateConvention& a, const DateConvention& b) {
    if (a.Separator != b.Separator)
        return false;
    return (a.Format.data() == b.Format.data() && a.Format.size() == b.Format.size()) || a == b;
}

} // namespace

bool TextToDateTime(std::string_view text, const DateConvention& convention, int century,
                    DateTime& result) {
    size_t pos = 0;
    DateTime date = 0;
    if (!ReadDate(text, pos, convention, century, date))
        return false;
    return ReadTimeOfDay(text, pos, date, result);
}

bool TimeStampReader::Read(std::string_view text, const DateConvention& convention, int century,
                           DateTime& result) {
    // The date is read up to its last digit, so the same characters followed by no further
    // digit are the same date.
    const size_t n = FDateLength;
    size_t pos = 0;
    DateTime date = 0;
    if (n > 0 && text.size() >= n && text.compare(0, n, {FDateText.data(), n}) == 0 &&
        (text.size() == n || !IsDigit(text[n])) && century == FCentury &&
        SameConvention(convention, FConvention)) {
        pos = n;
        while (pos < text.size() && text[pos] == ' ')
            ++pos;
        date = FDate;
    } else {
        if (!ReadDate(text, pos, convention, century, date))
            return false;
        size_t length = pos;
        while (length > 0 && text[length - 1] == ' ')
            --length;
        FDateLength = 0;
        if (length <= FDateText.size()) {
            text.copy(FDateText.data(), length);
            FDateLength = length;
            FConvention = convention;
            FCentury = century;
            FDate = date;
        }
    }
    return ReadTimeOfDay(text, pos, date, result);
}

int CurrentCentury() { return QDate::currentDate().year() / 100 * 100; }
