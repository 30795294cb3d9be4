#include "core/DecimalComma.h"

#include <charconv>
#include <cstdint>
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

    // Validate the shape first, then hand a copy with a decimal point to from_chars, which is exact
    // and locale-free. Fields are short; longer ones are read through a heap buffer.
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
    if (!hasExponent && p == end) {
        // The common field ("57,3"): up to 15 digits give an exact integer, and dividing it by an
        // exact power of ten rounds once, correctly, as from_chars would.
        static constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        std::uint64_t mantissa = 0;
        int count = 0;
        int fractionDigits = 0;
        for (const char* q = digits; q < end; ++q) {
            if (*q == ',')
                continue;
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*q - '0');
            ++count;
            if (comma && q > comma)
                ++fractionDigits;
        }
        if (count <= 15) {
            const double value = static_cast<double>(mantissa) / Powers[fractionDigits];
            result = *begin == '-' ? -value : value;
            return true;
        }
    }
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
