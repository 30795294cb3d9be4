#include "chart/ChartSeries.h"
#include "chart/PointStore.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include <gtest/gtest.h>

namespace {

bool SameBits(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(PointStoreTest, TenthsComeBackAsTheDoublesTheyWereMadeFrom) {
    // Every 7th number of tenths up to the bound and the last few before it, both signs: what
    // the decimal text "k/10" reads as must come back bit for bit.
    PointStore store(2);
    std::vector<double> added;
    const auto add = [&](std::int64_t k) {
        const double v = static_cast<double>(k) / 10.0;
        const int row = store.AddRow(static_cast<double>(added.size()));
        store.AddTenths(0, row, v);
        store.AddTenths(1, row, -v);
        added.push_back(v);
    };
    constexpr std::int64_t Bound = std::int64_t{1} << 23;
    store.Reserve(static_cast<int>(Bound / 7 + 21));
    for (std::int64_t k = 0; k < Bound; k += 7)
        add(k);
    for (std::int64_t k = Bound - 20; k < Bound; ++k)
        add(k);
    ASSERT_EQ(store.Count(0), static_cast<int>(added.size()));
    for (size_t i = 0; i < added.size(); ++i) {
        ASSERT_TRUE(SameBits(store.Y(0, static_cast<int>(i)), added[i])) << added[i];
        ASSERT_TRUE(SameBits(store.Y(1, static_cast<int>(i)), -added[i])) << -added[i];
    }
    EXPECT_TRUE(std::signbit(store.Y(1, 0))) << "-0.0 stays negative";
    EXPECT_LT(store.Capacity(), added.size() * (8 + 4 + 4) + 4096) << "eight bytes per moment, "
                                                                      "four per value";
}

TEST(PointStoreTest, AColumnMeetingAnotherNumberKeepsDoublesAndLosesNothing) {
    PointStore store(2);
    const std::vector<double> values = {21.5, -3.0, 0.05, 1e30, 123456.7, 838860.7, 1234567.0};
    for (size_t i = 0; i < values.size(); ++i) {
        const int row = store.AddRow(40000.0 + static_cast<double>(i));
        store.Add(0, row, values[i]);
        store.Add(1, row, 20.0 + static_cast<double>(i) / 10.0);
    }
    store.AddNull(0, store.AddRow(40010.0));
    ASSERT_EQ(store.Count(0), static_cast<int>(values.size()) + 1);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(store.Y(0, static_cast<int>(i)), values[i]);
    EXPECT_TRUE(std::isnan(store.Y(0, static_cast<int>(values.size()))));
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(store.Y(1, i), 20.0 + i / 10.0) << "the other column stays compact and exact";
}

TEST(PointStoreTest, AColumnThatSkipsRowsKeepsTheTimesOfItsOwnPoints) {
    PointStore store(2);
    for (int r = 0; r < 6; ++r) {
        const int row = store.AddRow(100.0 + r);
        store.AddTenths(0, row, r);
        if (r != 2 && r != 3)
            store.AddTenths(1, row, 10.0 * r);
    }
    ASSERT_EQ(store.Count(0), 6);
    ASSERT_EQ(store.Count(1), 4);
    const double times[] = {100, 101, 104, 105};
    const double values[] = {0, 10, 40, 50};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(store.X(1, i), times[i]);
        EXPECT_EQ(store.Y(1, i), values[i]);
    }
    EXPECT_EQ(store.X(0, 3), 103.0);
}

class CountingHost : public SeriesHost {
public:
    void SeriesAttached(ChartSeries*) override {}
    void SeriesDetached(ChartSeries*) override {}
    void SeriesChanged(ChartSeries*, Change change) override {
        Changes += change == Change::Points ? 1 : 0;
    }
    int Changes = 0;
};

TEST(PointStoreTest, SeriesSeeASharedColumnThroughTheirViewAndOwnItOnceChanged) {
    auto store = std::make_shared<PointStore>(1);
    const double raw[] = {0.0, 100.0, std::numeric_limits<double>::quiet_NaN(), 37.5};
    for (int i = 0; i < 4; ++i)
        store->Add(0, store->AddRow(40000.0 + i / 1440.0), raw[i]);
    ChartSeries line;
    ChartSeries band(SeriesKind::Bar);
    ChartSeries watts;
    line.ShareColumn(store, 0);
    band.ShareColumn(store, 0, {ChartSeries::ValueView::Kind::Band, 14.5});
    watts.ShareColumn(store, 0);
    watts.ScaleValues(0.001);
    ASSERT_EQ(band.Count(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(band.XValue(i), line.XValue(i));
        if (i == 2) {
            EXPECT_TRUE(line.IsNull(i) && band.IsNull(i) && watts.IsNull(i));
            continue;
        }
        // The very expressions the values were once stored with.
        EXPECT_TRUE(SameBits(band.YValue(i), 14.5 + 0.1 * raw[i] + 0.5));
        EXPECT_TRUE(SameBits(watts.YValue(i), raw[i] * 0.001));
    }
    EXPECT_EQ(store.use_count(), 4);

    // Adding to a series makes its points its own, the view applied; the others keep sharing.
    CountingHost host;
    host.AddSeries(&band);
    const unsigned before = band.PointsVersion();
    band.AddXY(40001.0, 99.0);
    EXPECT_FALSE(band.SharesColumn());
    EXPECT_GT(band.PointsVersion(), before);
    EXPECT_EQ(host.Changes, 1);
    ASSERT_EQ(band.Count(), 5);
    EXPECT_TRUE(SameBits(band.YValue(3), 14.5 + 0.1 * 37.5 + 0.5));
    EXPECT_EQ(band.YValue(4), 99.0);
    EXPECT_EQ(store.use_count(), 3);
    EXPECT_EQ(line.Count(), 4);

    // Points the store gains reach the series that share it, and their version moves.
    const unsigned lineBefore = line.PointsVersion();
    store->AddTenths(0, store->AddRow(40002.0), 1.5);
    EXPECT_EQ(line.Count(), 5);
    EXPECT_GT(line.PointsVersion(), lineBefore);
    line.Clear();
    EXPECT_EQ(line.Count(), 0);
    host.RemoveSeries(&band);
}

} // namespace
