#include "core/DateConvention.h"

#include <gtest/gtest.h>

namespace {
DateTime Date(int y, int m, int d) {
    DateTime v = 0;
    EncodeDate(y, m, d, v);
    return v;
}
constexpr double Minute = 1.0 / 1440.0;
} // namespace

TEST(DateConvention, DatesFollowTheOrderAndSeparatorOfTheConvention) {
    DateTime v = 0;
    const auto dayFirst = DateConvention::DayFirst();
    const auto iso = DateConvention::YearFirstIso();
    ASSERT_TRUE(TextToDate("01.05.2010", dayFirst, 2000, v));
    EXPECT_EQ(v, Date(2010, 5, 1));
    ASSERT_TRUE(TextToDate("30.04.10  ", dayFirst, 2000, v)); // two-digit year, trailing blanks
    EXPECT_EQ(v, Date(2010, 4, 30));
    ASSERT_TRUE(TextToDate("2010-05-01", iso, 2000, v));
    EXPECT_EQ(v, Date(2010, 5, 1));
    ASSERT_TRUE(TextToDate("1.5.7", dayFirst, 2000, v));
    EXPECT_EQ(v, Date(2007, 5, 1));

    for (const char* bad : {"2010-05-01", "01.05.2010 13:45", "01.05.2010x", "99.99.9999",
                            "31.02.2010", "01.05", "", "01..2010", "001.05.2010"})
        EXPECT_FALSE(TextToDate(bad, dayFirst, 2000, v)) << bad;
    EXPECT_FALSE(TextToDate("01.05.2010", iso, 2000, v));
}

TEST(DateConvention, TimesTakeHoursMinutesOptionalSecondsAndIgnoreTheRest) {
    DateTime v = 0;
    const auto dayFirst = DateConvention::DayFirstWithTime();
    ASSERT_TRUE(TextToDateTime("30.04.10 23:00", dayFirst, 2000, v));
    EXPECT_NEAR(v, Date(2010, 4, 30) + 23 * 60 * Minute, 1e-9);
    ASSERT_TRUE(
        TextToDateTime("2010-03-28 02:30:15 extra", DateConvention::YearFirstWithTime(), 2000, v));
    EXPECT_NEAR(v, Date(2010, 3, 28) + (150 + 0.25) * Minute, 1e-9);
    ASSERT_TRUE(TextToDateTime("01.05.2010 13:45;12,5", dayFirst, 2000, v));
    EXPECT_NEAR(v, Date(2010, 5, 1) + 825 * Minute, 1e-9);

    for (const char* bad : {"99.99.9999 99:99", "01.05.2010", "01.05.2010 24:00", "01.05.2010 13",
                            "01.05.2010 13:", "01.05.2010 :45"})
        EXPECT_FALSE(TextToDateTime(bad, dayFirst, 2000, v)) << bad;
}

// The memo of the last date must never change a result: every stamp of a sequence reads as it
// would alone, whatever came before it.
TEST(DateConvention, RememberedDatesReadLikeFreshOnes) {
    const auto iso = DateConvention::YearFirstWithTime();
    const auto dayFirst = DateConvention::DayFirstWithTime();
    struct Stamp {
        const char* Text;
        DateConvention Convention;
        int Century;
    };
    const Stamp sequence[] = {
        {"2010-05-01 12:00", iso, 2000},      {"2010-05-01 12:01", iso, 2000},
        {"2010-05-01   12:02", iso, 2000},    {"2010-05-0112:03", iso, 2000},
        {"2010-05-011 12:04", iso, 2000},     {"2010-05-01", iso, 2000},
        {"2010-05-01 ", iso, 2000},           {"2010-05-01 25:00", iso, 2000},
        {"2010-05-01 12:05:30", iso, 2000},   {"2010-05-01;12:06", iso, 2000},
        {"2010-05-01 12:07", dayFirst, 2000}, {"01.05.10 12:08", dayFirst, 2000},
        {"01.05.10 12:09", dayFirst, 1900},   {"01.05.10 12:10", dayFirst, 2000},
        {"01.05.101 12:11", dayFirst, 2000},  {"01.05.1010 12:12", dayFirst, 2000},
        {"01.05.10 12:13", iso, 2000},        {"01.05.10x12:14", dayFirst, 2000},
        {"01.05.10 12:15", dayFirst, 2000},   {"01.05.1 12:16", dayFirst, 2000},
    };
    TimeStampReader reader;
    for (const Stamp& stamp : sequence) {
        DateTime expected = -1;
        const bool ok = TextToDateTime(stamp.Text, stamp.Convention, stamp.Century, expected);
        DateTime got = -1;
        ASSERT_EQ(reader.Read(stamp.Text, stamp.Convention, stamp.Century, got), ok) << stamp.Text;
        EXPECT_EQ(got, expected) << stamp.Text;
    }
    DateTime v = 0;
    ASSERT_TRUE(reader.Read("01.05.10 12:15", dayFirst, 1900, v));
    EXPECT_EQ(v, Date(1910, 5, 1) + 735 * Minute);
}
