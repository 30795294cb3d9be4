#include "logdata/ReferenceShift.h"

#include <gtest/gtest.h>

namespace {

DateTime Day(int year, int month, int day) {
    DateTime value = 0.0;
    EXPECT_TRUE(EncodeDate(year, month, day, value));
    return value;
}

} // namespace

TEST(ReferenceShift, AYearEarlierPartnersCalendarDatesAndLeavesTheLeapDayAlone) {
    const ReferenceShift year = ReferenceShift::YearsEarlier(1);
    EXPECT_EQ(year.ReferenceDay(Day(2011, 6, 15)), Day(2010, 6, 15));
    // Across the leap day the distance in days changes, the date does not.
    EXPECT_EQ(year.ReferenceDay(Day(2013, 3, 1)), Day(2012, 3, 1));
    EXPECT_EQ(year.ReferenceDay(Day(2012, 3, 1)), Day(2011, 3, 1));
    EXPECT_EQ(year.ReferenceDay(Day(2012, 2, 28)), Day(2011, 2, 28));
    EXPECT_FALSE(year.ReferenceDay(Day(2012, 2, 29)));
    EXPECT_FALSE(year.PeriodDay(Day(2012, 2, 29)));
    EXPECT_FALSE(year.ToReference(Day(2012, 2, 29) + 0.5));
    EXPECT_EQ(year.PeriodDay(Day(2011, 12, 31)), Day(2012, 12, 31));
    // Four years on, the leap day has its partner again.
    EXPECT_EQ(ReferenceShift::YearsEarlier(4).ReferenceDay(Day(2016, 2, 29)), Day(2012, 2, 29));
    // A moment keeps its time of day.
    EXPECT_DOUBLE_EQ(*year.ToReference(Day(2011, 6, 15) + 0.75), Day(2010, 6, 15) + 0.75);
    EXPECT_DOUBLE_EQ(*year.ToPeriod(Day(2011, 3, 1) + 0.25), Day(2012, 3, 1) + 0.25);

    // A leap year's February against the year before: the 29th falls out, nothing else moves.
    DateTime first = 0.0;
    DateTime last = 0.0;
    ASSERT_TRUE(year.ReferenceRange(Day(2012, 2, 1), Day(2012, 2, 29), first, last));
    EXPECT_EQ(first, Day(2011, 2, 1));
    EXPECT_EQ(last, Day(2011, 2, 28));
    EXPECT_FALSE(year.ReferenceRange(Day(2012, 2, 29), Day(2012, 2, 29), first, last));
}

TEST(ReferenceShift, DaysAndWeeksEarlierRunAcrossMonthAndYearEnds) {
    const ReferenceShift day = ReferenceShift::DaysEarlier(1);
    EXPECT_EQ(day.ReferenceDay(Day(2010, 3, 1)), Day(2010, 2, 28));
    EXPECT_EQ(day.ReferenceDay(Day(2012, 3, 1)), Day(2012, 2, 29));
    EXPECT_EQ(day.ReferenceDay(Day(2011, 1, 1)), Day(2010, 12, 31));
    const ReferenceShift week = ReferenceShift::DaysEarlier(7);
    EXPECT_EQ(week.ReferenceDay(Day(2010, 7, 3)), Day(2010, 6, 26));
    EXPECT_EQ(week.PeriodDay(Day(2010, 6, 30)), Day(2010, 7, 7));
    DateTime first = 0.0;
    DateTime last = 0.0;
    ASSERT_TRUE(week.ReferenceRange(Day(2010, 7, 1), Day(2010, 7, 31), first, last));
    EXPECT_EQ(first, Day(2010, 6, 24));
    EXPECT_EQ(last, Day(2010, 7, 24));
}

TEST(ReferenceShift, AChosenRangeIsAlignedOnItsFirstDayUnlessItIsTheSameDateYearsBefore) {
    // 3 June 2009 laid over 15 June 2010: every day follows at the same distance.
    const ReferenceShift chosen = ReferenceShift::Between(Day(2010, 6, 15) + 0.4, Day(2009, 6, 3));
    EXPECT_FALSE(chosen.ByCalendar());
    EXPECT_EQ(chosen.Days(), static_cast<int>(Day(2010, 6, 15) - Day(2009, 6, 3)));
    EXPECT_EQ(chosen.ReferenceDay(Day(2010, 6, 16)), Day(2009, 6, 4));
    // June against June two years before is by calendar date.
    const ReferenceShift june = ReferenceShift::Between(Day(2012, 6, 1), Day(2010, 6, 1));
    EXPECT_EQ(june, ReferenceShift::YearsEarlier(2));
    // The same day compared with itself moves nothing.
    EXPECT_EQ(
        ReferenceShift::Between(Day(2010, 6, 1), Day(2010, 6, 1)).ReferenceDay(Day(2010, 6, 9)),
        Day(2010, 6, 9));
}
