#include "logdata/DaySums.h"

#include <gtest/gtest.h>

namespace {

constexpr DateTime Day = 40299.0; // 1 May 2010
constexpr double Minute = 1.0 / MinutesPerDay;

} // namespace

TEST(DaySumsTest, HoldsEachValueUntilTheNextLineAndTheLastOneToMidnight) {
    DaySums sums;
    for (int m = 0; m < 1440; ++m) {
        const DateTime t = Day + m * Minute;
        sums.AddFlow(t, 10.0);
        sums.AddPower(t, 1000.0);
        sums.EndLine(t);
    }
    sums.Finish(Day, true);
    EXPECT_NEAR(sums.Volume(), 14400.0, 1e-6);
    // Whole numbers: the power was in watts.
    EXPECT_FALSE(sums.PowerHasFraction());
    EXPECT_NEAR(sums.Energy(), 24.0, 1e-9);
}

TEST(DaySumsTest, ALineWithoutAValueLosesItsTimeForThatChannelOnly) {
    DaySums sums;
    sums.AddFlow(Day, 6.0);
    sums.AddPower(Day, 1.5);
    sums.EndLine(Day);
    // 00:10 holds Power only, 00:20 both.
    sums.AddPower(Day + 10 * Minute, 1.5);
    sums.EndLine(Day + 10 * Minute);
    sums.AddFlow(Day + 20 * Minute, 6.0);
    sums.AddPower(Day + 20 * Minute, 1.5);
    sums.EndLine(Day + 20 * Minute);
    // Stopped early: no carry to midnight, and a fraction keeps kilowatts.
    sums.Finish(Day, false);
    EXPECT_NEAR(sums.Volume(), 60.0, 1e-6);
    EXPECT_TRUE(sums.PowerHasFraction());
    EXPECT_NEAR(sums.Energy(), 0.5, 1e-6);
}

TEST(DaySumsTest, TheCarryEndsAtTheEndOfTheFilesDay) {
    EXPECT_NEAR(DaySums::CarryDays(Day + 0.75, Day), 0.25, 1e-12);
    // A last line stamped on the next day carries nothing, nor does a day without lines.
    EXPECT_EQ(DaySums::CarryDays(Day + 1.5, Day), 0.0);
    EXPECT_EQ(DaySums::CarryDays(0.0, Day), 0.0);

    DaySums sums;
    sums.AddFlow(Day + 1.25, 10.0);
    sums.EndLine(Day + 1.25);
    sums.Finish(Day, true);
    EXPECT_EQ(sums.Volume(), 0.0);
}
