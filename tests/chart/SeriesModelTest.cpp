#include "chart/ChartSeries.h"
#include "chart/SeriesHost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

TEST(SeriesModel, KeepsInsertionOrderAndNullPoints) {
    ChartSeries series;
    series.AddXY(40300.5, 3.0);
    series.AddXY(40300.25, 1.0); // earlier time after a later one: never sorted
    series.AddNull(40300.3);
    series.AddXY(40300.3, 2.0);
    ASSERT_EQ(series.Count(), 4);
    EXPECT_DOUBLE_EQ(series.XValue(0), 40300.5);
    EXPECT_DOUBLE_EQ(series.XValue(1), 40300.25);
    EXPECT_TRUE(series.IsNull(2));
    EXPECT_FALSE(series.IsNull(3));
    EXPECT_FALSE(series.PointColor(2).isValid());
    EXPECT_EQ(series.PointColor(3), series.Color());

    series.ScaleValues(0.001);
    EXPECT_DOUBLE_EQ(series.YValue(0), 0.003);
    EXPECT_TRUE(series.IsNull(2));
}

TEST(SeriesModel, KindChangesKeepPointsAndOnlyRealChangesReachTheHost) {
    MemoryHost host;
    ChartSeries series;
    series.AddXY(1.0, 5.0);
    host.AddSeries(&series);
    const int before = host.ChangeCount();

    series.SetColor(Qt::red);
    series.SetColor(Qt::red);
    series.SetTitle(QStringLiteral("T1"));
    series.SetTitle(QStringLiteral("T1"));
    EXPECT_EQ(host.ChangeCount(), before + 2);

    series.SetKind(SeriesKind::Bar);
    series.SetBarOrigin(44.5);
    EXPECT_EQ(series.Kind(), SeriesKind::Bar);
    ASSERT_EQ(series.Count(), 1);
    EXPECT_DOUBLE_EQ(series.YValue(0), 5.0);
    EXPECT_EQ(series.Title(), QStringLiteral("T1"));
    EXPECT_EQ(series.Color(), QColor(Qt::red));
}

TEST(SeriesModel, AttachmentFollowsTheLifetimesOfSeriesAndHost) {
    MemoryHost first;
    MemoryHost second;
    auto series = std::make_unique<ChartSeries>();
    first.AddSeries(series.get());
    first.AddSeries(series.get());
    EXPECT_EQ(first.ActiveSeriesCount(), 1);

    second.AddSeries(series.get()); // moves: a series has one host at a time
    EXPECT_EQ(first.ActiveSeriesCount(), 0);
    EXPECT_TRUE(second.Holds(series.get()));

    series.reset(); // a dying series leaves its host
    EXPECT_EQ(second.ActiveSeriesCount(), 0);

    ChartSeries survivor;
    {
        MemoryHost shortLived;
        shortLived.AddSeries(&survivor);
    }
    EXPECT_EQ(survivor.Host(), nullptr);
}

// Series leave in any order, many at a time, and join again: the host lists exactly those
// attached, in the order they were attached, and each series knows its place.
TEST(SeriesModel, RemovalsInAnyOrderKeepTheAttachmentOrder) {
    constexpr int Count = 1000;
    std::vector<std::unique_ptr<ChartSeries>> all;
    MemoryHost host;
    MemoryHost other;
    for (int i = 0; i < Count; ++i) {
        all.push_back(std::make_unique<ChartSeries>());
        host.AddSeries(all.back().get());
    }
    std::vector<ChartSeries*> expected;
    for (int i = 0; i < Count; ++i) {
        if (i % 3 == 0)
            all[static_cast<size_t>(i)].reset(); // dies attached
        else if (i % 3 == 1)
            other.AddSeries(all[static_cast<size_t>(i)].get()); // moves to another host
        else
            expected.push_back(all[static_cast<size_t>(i)].get());
        if (i == Count / 2) { // asked for half-way, with holes and without
            EXPECT_EQ(host.ActiveSeriesCount(), static_cast<int>(host.Series().size()));
        }
    }
    EXPECT_EQ(host.Series(), expected);
    EXPECT_EQ(host.ActiveSeriesCount(), static_cast<int>(expected.size()));
    // Back again at the end, out of the middle, from the front.
    ChartSeries* moved = all[1].get();
    host.AddSeries(moved);
    expected.push_back(moved);
    host.RemoveSeries(expected[expected.size() / 2]);
    expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(expected.size() / 2));
    host.RemoveSeries(expected.front());
    expected.erase(expected.begin());
    EXPECT_EQ(host.Series(), expected);
    for (ChartSeries* series : expected) {
        EXPECT_EQ(series->Host(), &host);
    }
    EXPECT_FALSE(other.Holds(moved));
    EXPECT_EQ(other.ActiveSeriesCount(), Count / 3 - 1);
    host.RemoveAllSeries();
    EXPECT_TRUE(host.Series().empty());
    EXPECT_EQ(host.ActiveSeriesCount(), 0);
    for (ChartSeries* series : expected) {
        EXPECT_EQ(series->Host(), nullptr);
    }
}

// Closing a window of many series: whatever order they leave in, the host's work is linear in
// their count (an erase from a list per removal is quadratic: 200 million slots here).
TEST(SeriesModel, RemovingManySeriesInAnyOrderIsLinear) {
    constexpr size_t Count = 20000;
    const std::vector<std::pair<const char*, std::function<size_t(size_t)>>> orders = {
        {"front first", [](size_t i) { return i; }},
        {"back first", [](size_t i) { return Count - 1 - i; }},
        {"every other, then the rest",
         [](size_t i) { return i < Count / 2 ? 2 * i : 2 * (i - Count / 2) + 1; }},
        {"scattered", [](size_t i) { return i * 7919 % Count; }}};
    for (const auto& [name, order] : orders) {
        std::vector<std::unique_ptr<ChartSeries>> all(Count);
        MemoryHost host;
        for (auto& series : all) {
            series = std::make_unique<ChartSeries>();
            host.AddSeries(series.get());
        }
        for (size_t i = 0; i < Count; ++i)
            all[order(i)].reset(); // each dies attached, as a closing window's do
        EXPECT_EQ(host.ActiveSeriesCount(), 0) << name;
        EXPECT_LE(host.RemovalWork(), 4 * Count) << name;
        EXPECT_GE(host.RemovalWork(), Count) << name;
    }
}
