#include "chart/ChartSeries.h"
#include "chart/SeriesMemory.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t DaySeries = 1440 * sizeof(double);

bool Aligned(const void* p) { return reinterpret_cast<std::uintptr_t>(p) % 16 == 0; }

} // namespace

// A year's worth of day-sized requests fills several blocks, every request gets memory of its own,
// and freeing them all gives the blocks back but the one being filled, which starts over.
TEST(SeriesArena, BlocksFillAndGoBackWhenEmpty) {
    SeriesArena arena;
    std::vector<void*> pointers;
    const std::size_t count = 3 * SeriesArena::BlockSize / DaySeries;
    for (std::size_t i = 0; i < count; ++i) {
        void* p = arena.Allocate(DaySeries);
        ASSERT_TRUE(Aligned(p));
        std::memset(p, static_cast<int>(i & 0xff), DaySeries);
        pointers.push_back(p);
    }
    EXPECT_GE(arena.BlockCount(), 3u);
    // Nothing was handed out twice: each request still holds its own pattern.
    for (std::size_t i = 0; i < count; ++i)
        ASSERT_EQ(static_cast<unsigned char*>(pointers[i])[DaySeries - 1], i & 0xff) << i;
    for (void* p : pointers)
        arena.Free(p, DaySeries);
    EXPECT_EQ(arena.BlockCount(), 1u);
    // The block kept is filled from its start again.
    void* again = arena.Allocate(DaySeries);
    const std::size_t perBlock = SeriesArena::BlockSize / DaySeries;
    EXPECT_EQ(again, pointers[(count - 1) / perBlock * perBlock]);
    arena.Free(again, DaySeries);
}

// A block stays while anything in it lives; small and large requests take their own ways.
TEST(SeriesArena, BlockStaysWhileAnythingInItLives) {
    SeriesArena arena;
    void* first = arena.Allocate(DaySeries);
    std::vector<void*> fill;
    while (arena.BlockCount() < 2)
        fill.push_back(arena.Allocate(DaySeries)); // the last one opened the second block
    for (void* p : fill)
        arena.Free(p, DaySeries);
    EXPECT_EQ(arena.BlockCount(), 2u) << "the first block still holds the first request";
    arena.Free(first, DaySeries);
    EXPECT_EQ(arena.BlockCount(), 1u);

    void* small = arena.Allocate(16);
    EXPECT_EQ(arena.BlockCount(), 1u) << "small requests stay on the heap";
    arena.Free(small, 16);
    const std::size_t large = SeriesArena::BlockSize;
    void* big = arena.Allocate(large);
    std::memset(big, 1, large);
    EXPECT_EQ(arena.BlockCount(), 2u);
    arena.Free(big, large);
    EXPECT_EQ(arena.BlockCount(), 1u);
}

TEST(SeriesArena, WithoutBlocksEverythingUsesTheHeap) {
    SeriesArena arena(false);
    void* p = arena.Allocate(DaySeries);
    EXPECT_EQ(arena.BlockCount(), 0u);
    arena.Free(p, DaySeries);
}

// Series keep their points through growth and clearing whatever the storage.
TEST(SeriesArena, SeriesPointsSurviveGrowth) {
    ChartSeries series;
    for (int i = 0; i < 5000; ++i)
        series.AddXY(i, i * 0.5);
    ASSERT_EQ(series.Count(), 5000);
    EXPECT_EQ(series.XValue(4999), 4999.0);
    EXPECT_EQ(series.YValue(1234), 617.0);
    series.Clear();
    series.Reserve(1440);
    series.AddXY(1.0, 2.0);
    EXPECT_EQ(series.Count(), 1);
}

#ifdef MADV_POPULATE_WRITE
// Points are made resident a huge page at a time as they are handed out: the pages under a new
// request are in memory before it is written, and nothing is made resident past the next 2 MB;
// of a request with a block of its own, only its start.
TEST(SeriesArena, RequestsAreResidentInAdvanceToTheNextHugePage) {
    const long page = sysconf(_SC_PAGESIZE);
    constexpr std::size_t HugePage = std::size_t{2} << 20;
    {
        void* probe =
            mmap(nullptr, HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        ASSERT_NE(probe, MAP_FAILED);
        const bool supported = madvise(probe, HugePage, MADV_POPULATE_WRITE) == 0;
        munmap(probe, HugePage);
        if (!supported)
            GTEST_SKIP() << "this kernel does not populate in advance";
    }
    const auto resident = [page](const char* from, std::size_t bytes) {
        std::vector<unsigned char> pages(bytes / static_cast<std::size_t>(page));
        EXPECT_EQ(mincore(const_cast<char*>(from), bytes, pages.data()), 0);
        std::size_t count = 0;
        for (const unsigned char p : pages)
            count += p & 1U;
        return count;
    };
    SeriesArena arena;
    auto* first = static_cast<char*>(arena.Allocate(DaySeries));
    const std::size_t pagesPerHuge = HugePage / static_cast<std::size_t>(page);
    EXPECT_EQ(resident(first, HugePage), pagesPerHuge);
    EXPECT_EQ(resident(first + HugePage, HugePage), 0u);
    // A request crossing into the next huge page brings that one in too.
    std::vector<void*> more;
    std::size_t taken = DaySeries;
    while (taken <= HugePage) {
        more.push_back(arena.Allocate(DaySeries));
        taken += DaySeries;
    }
    EXPECT_EQ(resident(first + HugePage, HugePage), pagesPerHuge);
    for (void* p : more)
        arena.Free(p, DaySeries);
    arena.Free(first, DaySeries);

    // A request of a block of its own is room reserved ahead: only its first huge page is made
    // resident, the rest when written.
    const std::size_t large = 8 * SeriesArena::BlockSize;
    auto* big = static_cast<char*>(arena.Allocate(large));
    EXPECT_EQ(resident(big, HugePage), pagesPerHuge);
    EXPECT_EQ(resident(big + HugePage, HugePage), 0u);
    EXPECT_EQ(resident(big + large / 2, HugePage), 0u);
    std::memset(big + large / 2, 1, HugePage);
    EXPECT_EQ(resident(big + large / 2, HugePage), pagesPerHuge);
    arena.Free(big, large);
}
#endif
