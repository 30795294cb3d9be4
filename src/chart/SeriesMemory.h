#pragma once

#include <atomic>
#include <cstddef>
#include <mutex>
#include <new>
#include <vector>

// Storage for the points of series. A year of one-minute logs holds some 150 MB of points, and on
// virtual machines first touching that memory page by page cost more than reading the files. So
// points come from large blocks that the system may back with huge pages; a block goes back to
// the system when the last allocation in it is freed. Freed space inside a block is not reused
// before the whole block is free, which suits series: they are sized once per file and freed with
// their data set.
class SeriesArena {
public:
    static constexpr std::size_t BlockSize = std::size_t{8} << 20;
    // Smaller requests stay with the ordinary heap, larger ones get blocks of their own.
    static constexpr std::size_t SmallestRequest = 1024;

    // Without blocks every request goes to the ordinary heap.
    explicit SeriesArena(bool blocks = true) : FBlocksOn(blocks) {}
    ~SeriesArena();
    SeriesArena(const SeriesArena&) = delete;
    SeriesArena& operator=(const SeriesArena&) = delete;

    void* Allocate(std::size_t bytes);
    void Free(void* pointer, std::size_t bytes);
    // Blocks currently held from the system, for tests.
    std::size_t BlockCount() const;
    // A limit on the bytes held at once (0: none), past which requests fail with std::bad_alloc
    // as they would when the system has no more: how tests run out of memory.
    void SetCeiling(std::size_t bytes) { FCeiling = bytes; }
    std::size_t Held() const { return FHeld; }

    static SeriesArena& Program();

private:
    struct Block {
        char* Begin = nullptr;
        std::size_t Size = 0;
        std::size_t Used = 0;
        std::size_t Live = 0;
        std::size_t Populated = 0; // bytes from Begin made resident in advance
    };
    static void Populate(Block& block, std::size_t upTo);
    void* Take(std::size_t bytes);
    Block* Find(const void* pointer);
    static Block MapBlock(std::size_t size);
    static void UnmapBlock(const Block& block);

    const bool FBlocksOn;
    std::atomic<std::size_t> FCeiling{0};
    std::atomic<std::size_t> FHeld{0};
    mutable std::mutex FMutex;
    std::vector<Block> FBlocks; // the last one is the block being filled
};

template <typename T> struct SeriesAllocator {
    using value_type = T;
    SeriesAllocator() = default;
    template <typename U> SeriesAllocator(const SeriesAllocator<U>&) {}
    T* allocate(std::size_t n) {
        if (n > static_cast<std::size_t>(-1) / sizeof(T))
            throw std::bad_array_new_length();
        return static_cast<T*>(SeriesArena::Program().Allocate(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n) { SeriesArena::Program().Free(p, n * sizeof(T)); }
    friend bool operator==(const SeriesAllocator&, const SeriesAllocator&) { return true; }
};

using SeriesValues = std::vector<double, SeriesAllocator<double>>;
