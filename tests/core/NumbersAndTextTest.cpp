#include "core/DateTime.h"
#include "core/DecimalComma.h"
#include "core/Windows1252.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstring>
#include <random>
#include <string>

namespace {
bool Parse(const char* text, double& value) {
    return ParseDecimalComma(text, text + std::strlen(text), value);
}
} // namespace

TEST(DecimalComma, ReadsCommaNumbersAndRefusesEverythingElse) {
    double v = 0;
    EXPECT_TRUE(Parse(" 12,5 ", v));
    EXPECT_DOUBLE_EQ(v, 12.5);
    EXPECT_TRUE(Parse("-0,0", v));
    EXPECT_EQ(v, 0.0);
    EXPECT_TRUE(Parse("+3", v));
    EXPECT_DOUBLE_EQ(v, 3.0);
    EXPECT_TRUE(Parse(",5", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_TRUE(Parse("1,5e3", v));
    EXPECT_DOUBLE_EQ(v, 1500.0);
    EXPECT_TRUE(Parse("9999999999999999999,9", v));
    EXPECT_DOUBLE_EQ(v, 1e19);
    EXPECT_TRUE(Parse("1e308", v));

    v = 42;
    for (const char* bad : {"", "   ", "1.000", "1.5", "inf", "nan", "Err", "0x10", "1,2,3", "-",
                            ",", "1e", "1e+", "12 5", "1e999"})
        EXPECT_FALSE(Parse(bad, v)) << bad;
    EXPECT_EQ(v, 42.0); // a refused field leaves the value alone
}

// Short fields take a quicker road than long ones; both must give the correctly rounded double.
TEST(DecimalComma, EveryDigitCountRoundsLikeTheExactConversion) {
    std::mt19937 random(11);
    for (int i = 0; i < 20000; ++i) {
        const int whole = static_cast<int>(random() % 9);
        const int fraction = static_cast<int>(random() % 9);
        std::string text = random() % 2 ? "-" : "";
        for (int d = 0; d < whole; ++d)
            text += static_cast<char>('0' + random() % 10);
        std::string withPoint = text.empty() || text == "-" ? text + "0" : text;
        if (fraction > 0 || whole == 0) {
            text += ',';
            withPoint += '.';
            for (int d = 0; d < std::max(fraction, 1); ++d) {
                const char digit = static_cast<char>('0' + random() % 10);
                text += digit;
                withPoint += digit;
            }
        }
        double expected = 0;
        std::from_chars(withPoint.data(), withPoint.data() + withPoint.size(), expected);
        double v = 0;
        ASSERT_TRUE(Parse(text.c_str(), v)) << text;
        ASSERT_EQ(v, expected) << text;
        ASSERT_EQ(std::signbit(v), std::signbit(expected)) << text;
    }
}

// The one-pass scanner reads the common shape up to a ";" and hands everything else back, and
// whatever it reads must agree with the general reader to the bit.
TEST(DecimalComma, PlainScannerStopsAtTheSeparatorAndHandsBackOddFields) {
    const auto scan = [](const std::string& text, double& value) -> std::ptrdiff_t {
        const char* stop = ScanPlainDecimalComma(text.data(), text.data() + text.size(), value);
        return stop == nullptr ? -1 : stop - text.data();
    };
    double v = 0;
    EXPECT_EQ(scan("57,3;1", v), 4);
    EXPECT_DOUBLE_EQ(v, 57.3);
    EXPECT_EQ(scan("-0;", v), 2);
    EXPECT_TRUE(std::signbit(v));
    EXPECT_EQ(scan("5,", v), 2);
    EXPECT_EQ(v, 5.0);
    EXPECT_EQ(scan(",25", v), 3);
    EXPECT_EQ(v, 0.25);
    EXPECT_EQ(scan("123456789012345", v), 15);
    EXPECT_EQ(v, 123456789012345.0);

    v = 42;
    for (const char* odd : {"", ";", " 1", "1 ", "+1", "1,5e3", "-", ",", "-;", "Err", "1.5",
                            "1,2,3", "1234567890123456", "0000000000000001", "1\r", "12\t;"}) {
        EXPECT_EQ(scan(odd, v), -1) << odd;
    }
    EXPECT_EQ(v, 42.0);

    // Random fields of every shape near the common one: the scanner and the general reader
    // agree wherever the scanner reads at all.
    std::mt19937 random(5);
    const std::string alphabet = "0123456789,-+e ;";
    for (int i = 0; i < 50000; ++i) {
        std::string text;
        const int length = static_cast<int>(random() % 19);
        for (int c = 0; c < length; ++c)
            text += alphabet[random() % 4 == 0 ? random() % alphabet.size() : random() % 10];
        double scanned = 0;
        const std::ptrdiff_t stop = scan(text, scanned);
        if (stop < 0)
            continue;
        double parsed = 0;
        ASSERT_TRUE(ParseDecimalComma(text.data(), text.data() + stop, parsed)) << text;
        ASSERT_EQ(scanned, parsed) << text;
        ASSERT_EQ(std::signbit(scanned), std::signbit(parsed)) << text;
    }
}

TEST(Windows1252, MapsTheDegreeSignAndTheWindowsOnlyCharacters) {
    const char bytes[] = "\xB0"
                         "C \x80 \x93x\x94 \xE4";
    EXPECT_EQ(DecodeWindows1252(QByteArrayView(bytes, sizeof bytes - 1)),
              QString::fromUtf8("°C € “x” ä"));
}

TEST(DateTimeValues, RoundTripFromYearOneToYear9999WithoutTimeZones) {
    DateTime d = 0;
    ASSERT_TRUE(EncodeDate(1899, 12, 30, d));
    EXPECT_EQ(d, 0.0);
    ASSERT_TRUE(EncodeDate(2010, 5, 1, d));
    EXPECT_EQ(d, 40299.0);
    ASSERT_TRUE(EncodeDate(2010, 3, 28, d)); // a daylight-saving change day is an ordinary day
    double t = 0;
    ASSERT_TRUE(EncodeTime(2, 30, 0, t));
    const TimeParts parts = DecodeTime(d + t);
    EXPECT_EQ(parts.Hour, 2);
    EXPECT_EQ(parts.Minute, 30);

    for (int year : {1, 1600, 1900, 2000, 2024, 9999})
        for (int month = 1; month <= 12; ++month) {
            const int last = DaysInMonth(year, month);
            ASSERT_TRUE(EncodeDate(year, month, last, d));
            const DateParts back = DecodeDate(d);
            EXPECT_EQ(back.Year, year);
            EXPECT_EQ(back.Month, month);
            EXPECT_EQ(back.Day, last);
        }
    EXPECT_FALSE(EncodeDate(2011, 2, 29, d));
    EXPECT_FALSE(EncodeDate(1900, 2, 29, d));
    EXPECT_TRUE(EncodeDate(2000, 2, 29, d));
    EXPECT_FALSE(EncodeDate(9999, 99, 99, d));
    EXPECT_FALSE(EncodeTime(99, 99, 0, t));
    EXPECT_FALSE(EncodeTime(24, 0, 0, t));
}

TEST(DateTimeValues, SecondsRoundToTheNearestAndDaysFloorAndCeil) {
    const TimeParts almost = DecodeTime(40299.0 + (11 * 3600 - 0.0001) / 86400.0);
    EXPECT_EQ(almost.Hour, 11);
    EXPECT_EQ(almost.Minute, 0);
    EXPECT_EQ(FloorDay(40299.75), 40299.0);
    EXPECT_EQ(CeilDay(40299.75), 40300.0);
    EXPECT_EQ(CeilDay(40300.0), 40300.0);
}
