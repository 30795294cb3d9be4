#pragma once

#include <cstdint>

// Reads a number written with a decimal comma: blanks, an optional sign, digits with an optional
// comma part, an optional exponent, blanks. A decimal point, "inf", "nan", hex and thousands
// separators are not numbers. Works on raw bytes so the log reader needs no string per field.
bool ParseDecimalComma(const char* begin, const char* end, double& result);

// The shape nearly every logged value has, read in one pass: "-", digits, "," and digits, at most
// 15 digits in all and at least one, ending at `end` or at a ";". Returns where it stopped, or
// null for any other shape; such a field is then ParseDecimalComma's, which gives this shape the
// same value. `tenths` tells whether the value is a whole number of tenths below 2^23 in size
// (at most one decimal), the shape a 32-bit float gives back exactly.
inline const char* ScanPlainDecimalComma(const char* p, const char* end, double& result,
                                         bool& tenths) {
    // Up to 15 digits give an exact integer, and dividing it by an exact power of ten rounds
    // once, correctly, as the general conversion does.
    static constexpr double Powers[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    const bool negative = p < end && *p == '-';
    if (negative)
        ++p;
    std::uint64_t mantissa = 0;
    int digits = 0;
    for (; p < end && *p >= '0' && *p <= '9' && digits <= 15; ++p, ++digits)
        mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    int fraction = 0;
    if (p < end && *p == ',') {
        ++p;
        for (; p < end && *p >= '0' && *p <= '9' && digits <= 15; ++p, ++digits, ++fraction)
            mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    if (digits == 0 || digits > 15 || (p < end && *p != ';'))
        return nullptr;
    const double value = static_cast<double>(mantissa) / Powers[fraction];
    result = negative ? -value : value;
    tenths = fraction <= 1 && (fraction == 1 ? mantissa : mantissa * 10) < (std::uint64_t{1} << 23);
    return p;
}

inline const char* ScanPlainDecimalComma(const char* p, const char* end, double& result) {
    bool tenths = false;
    return ScanPlainDecimalComma(p, end, result, tenths);
}
