#include "chart/ChartMarks.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using Kind = ChartMarks::SpanKind;

TEST(ChartMarks, OneSpanSlotTheEventsPrintedBehindTheUsersOnScreenInFront) {
    ChartMarks marks;
    QSignalSpy changed(&marks, &ChartMarks::Changed);
    EXPECT_FALSE(marks.HasCursor());
    EXPECT_TRUE(marks.Entries().empty());

    marks.SetSpan(5.0, 3.0, Kind::User);
    ASSERT_EQ(changed.count(), 1);
    EXPECT_FALSE(changed.takeFirst().at(0).toBool()) << "the user's span is in front";
    EXPECT_EQ(marks.SpanFrom(), 3.0);

    marks.SetSpan(1.0, 2.0, Kind::Event); // replaces the user's
    EXPECT_EQ(marks.Span(), Kind::Event);
    EXPECT_TRUE(changed.takeFirst().at(0).toBool());
    marks.SetCursor(1.5);
    const std::vector<ChartMarks::Mark> entries = marks.Entries();
    ASSERT_EQ(entries.size(), 2U);
    EXPECT_TRUE(entries[0].Style.Printed);
    EXPECT_TRUE(entries[0].Style.Behind);
    EXPECT_EQ(entries[0].Style.Fill, QColor(255, 176, 0, 70));
    EXPECT_EQ(entries[1].From, entries[1].To) << "the cursor is a line";
    EXPECT_FALSE(entries[1].Style.Printed);

    marks.SetSpan(3.0, 4.0, Kind::User); // the event's shade behind the series goes
    EXPECT_TRUE(changed.takeFirst().at(0).toBool());
    EXPECT_FALSE(ChartMarks::LookOf(Kind::User).Printed);

    marks.SetSpan(std::numeric_limits<double>::quiet_NaN(), 4.0, Kind::Event);
    EXPECT_FALSE(marks.HasSpan()) << "a NaN bound clears";
    changed.clear();
    marks.ClearSpan();
    EXPECT_EQ(changed.count(), 0) << "nothing to clear";
    marks.SetCursor(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(marks.HasCursor());
}
