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

namespace {

DayLine FlowLine(DateTime time, double flow, double r1) {
    DayLine line;
    line.Time = time;
    line.Has.set(ChFlow);
    line.Values[ChFlow] = flow;
    line.Has.set(ChR1);
    line.Values[ChR1] = r1;
    return line;
}

// Lines at 00:00, 06:00 and 18:00: Flow 1, 2, 3 and R1 on from 06:00, the last held to midnight.
DaySums Sums(DateTime from, DateTime to) {
    DaySums sums(from, to);
    sums.AddLine(FlowLine(Day, 1.0, 100.0), true);
    sums.AddLine(FlowLine(Day + 0.25, 2.0, 0.0), true);
    sums.AddLine(FlowLine(Day + 0.75, 3.0, 50.0), true);
    sums.Finish(Day, true);
    return sums;
}

} // namespace

TEST(DaySumsTest, AWindowCountsEachRectangleAndTheCarryForTheirPartInsideIt) {
    const DaySums day = Sums(-LeftRectangleSum::Open, LeftRectangleSum::Open);
    // 6 h at 1, 12 h at 2, 6 h at 3 (the carry), in litres per minute.
    EXPECT_DOUBLE_EQ(day.Volume(), (6 * 1 + 12 * 2 + 6 * 3) * 60.0);
    // On 00:00-06:00 and 18:00-24:00; the day's first line is no start, 18:00 is one.
    EXPECT_DOUBLE_EQ(day.OnHours(0), 12.0);
    EXPECT_EQ(day.Starts(0), 1);
    // The whole day as a window gives the same figures to the last bit.
    EXPECT_EQ(Sums(Day, Day + 1.0).Volume(), day.Volume());
    EXPECT_EQ(Sums(Day, Day + 1.0).OnHours(0), day.OnHours(0));

    // 03:00-21:00: half the first rectangle, the middle, half the carry.
    const DaySums middle = Sums(Day + 0.125, Day + 0.875);
    EXPECT_DOUBLE_EQ(middle.Volume(), (3 * 1 + 12 * 2 + 3 * 3) * 60.0);
    EXPECT_DOUBLE_EQ(middle.OnHours(0), 6.0);
    EXPECT_EQ(middle.Starts(0), 1);
    // A start counts where its line stands: none in [00:00, 18:00), one in [18:00, 24:00).
    EXPECT_EQ(Sums(Day, Day + 0.75).Starts(0), 0);
    EXPECT_EQ(Sums(Day + 0.75, Day + 1.0).Starts(0), 1);
    EXPECT_NEAR(Sums(Day + 0.9, Day + 1.0).Volume(), 0.1 * 1440.0 * 3.0, 1e-6);
    // Outside the day nothing counts.
    EXPECT_EQ(Sums(Day + 1.0, Day + 2.0).Volume(), 0.0);
}
