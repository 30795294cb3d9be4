#include "core/DecimalComma.h"

#include <charconv>
#include <string>
#include <cmath>

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
} // namespace

bool ParseDecimalComma(const char* begin, const char* end, double& result) {
    while (begin < end && IsBlank(*begin))
        ++begin;
    while (end > begin && IsBlank(end[-1]))
        --end;
    if (begin == end)
        return false;

    double plain = 0;
    if (ScanPlainDecimalComma(begin, end, plain) == end) {
        result = plain;
        return true;
    }

    // Any other shape is validated, then a copy with a decimal point goes to from_chars, which is
    // exact and locale-free.
    const char* p = begin;
    if (*p == '+' || *p == '-')
        ++p;
    const char* digits = p;
    while (p < end && IsDigit(*p))
        ++p;
    bool anyDigit = p > digits;
    const char* comma = nullptr;
    if (p < end && *p == ',') {
        comma = p++;
        const char* fraction = p;
        while (p < end && IsDigit(*p))
            ++p;
        anyDigit = anyDigit || p > fraction;
    }
    if (!anyDigit)
        return false;
    const bool hasExponent = p < end && (*p == 'e' || *p == 'E');
    if (hasExponent) {
        ++p;
        if (p < end && (*p == '+' || *p == '-'))
            ++p;
        const char* exponent = p;
        while (p < end && IsDigit(*p))
            ++p;
        if (p == exponent)
            return false;
    }
    if (p != end)
        return false;

    std::string text(*begin == '+' ? begin + 1 : begin, end);
    if (comma)
        text[static_cast<size_t>(comma - (*begin == '+' ? begin + 1 : begin))] = '.';
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value))
        return false;
    result = value;
    return true;
}
