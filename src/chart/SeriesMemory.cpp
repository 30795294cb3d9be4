#include "chart/SeriesMemory.h"

#include <sys/mman.h>

#include <algorithm>

namespace {

constexpr std::size_t Alignment = 16;
constexpr std::size_t HugePage = std::size_t{2} << 20;

// Sanitizer builds keep the program's points on the ordinary heap, where overruns are caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool ProgramUsesBlocks = false;
#else
constexpr bool ProgramUsesBlocks = true;
#endif

std::size_t RoundUp(std::size_t value, std::size_t step) {
    return (value + step - 1) / step * step;
}

} // namespace

SeriesArena::~SeriesArena() {
    for (const Block& block : FBlocks)
        UnmapBlock(block);
}

SeriesArena& SeriesArena::Program() {
    // Never destroyed: series in static storage may be freed after it otherwise would be.
    static auto* arena = new SeriesArena(ProgramUsesBlocks);
    return *arena;
}

SeriesArena::Block SeriesArena::MapBlock(std::size_t size) {
    // Mapped one huge page larger, so the block can start on a huge-page boundary.
    const std::size_t mapped = size + HugePage;
    void* raw = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    char* begin = static_cast<char*>(raw);
    char* aligned =
        reinterpret_cast<char*>(RoundUp(reinterpret_cast<std::size_t>(begin), HugePage));
    if (aligned > begin)
        munmap(begin, static_cast<std::size_t>(aligned - begin));
    const std::size_t tail = mapped - static_cast<std::size_t>(aligned - begin) - size;
    if (tail > 0)
        munmap(aligned + size, tail);
    madvise(aligned, size, MADV_HUGEPAGE); // advice only: without huge pages the block still works
    return Block{aligned, size, 0, 0};
}

void SeriesArena::UnmapBlock(const Block& block) { munmap(block.Begin, block.Size); }

void SeriesArena::Populate(Block& block, std::size_t upTo) {
    // Points are written as soon as they are allocated. Made resident a huge page at a time in
    // one call, a block costs one trip into the kernel per 2 MB instead of a page fault per 4 KB
    // when the system has no huge page to give (page faults are dear on a virtual machine: a
    // year's load took 145 ms that way against 80 ms with huge pages).
    if (upTo <= block.Populated)
        return;
    const std::size_t end = std::min(RoundUp(upTo, HugePage), block.Size);
#ifdef MADV_POPULATE_WRITE
    // Advice only: an older kernel refuses it, and the pages then come with their faults.
    madvise(block.Begin + block.Populated, end - block.Populated, MADV_POPULATE_WRITE);
#endif
    block.Populated = end;
}

void* SeriesArena::Allocate(std::size_t bytes) {
    const std::size_t ceiling = FCeiling;
    if (ceiling != 0 && FHeld + bytes > ceiling)
        throw std::bad_alloc();
    void* pointer = Take(bytes);
    FHeld += bytes;
    return pointer;
}

void* SeriesArena::Take(std::size_t bytes) {
    if (!FBlocksOn || bytes < SmallestRequest)
        return ::operator new(bytes);
    const std::size_t size = RoundUp(bytes, Alignment);
    const std::lock_guard lock(FMutex);
    if (size > BlockSize / 4) {
        // A block of its own, kept before the block being filled. So large a request is mostly
        // room reserved for a long file's points while that file's text is still held (and many
        // of its lines may never make a point): only its first huge page is made resident ahead,
        // the rest as it is written.
        Block block = MapBlock(RoundUp(size, HugePage));
        block.Used = size;
        block.Live = 1;
        Populate(block, std::min(size, HugePage));
        FBlocks.insert(FBlocks.empty() ? FBlocks.end() : FBlocks.end() - 1, block);
        return block.Begin;
    }
    if (FBlocks.empty() || FBlocks.back().Size - FBlocks.back().Used < size)
        FBlocks.push_back(MapBlock(BlockSize));
    Block& block = FBlocks.back();
    void* pointer = block.Begin + block.Used;
    block.Used += size;
    ++block.Live;
    Populate(block, block.Used);
    return pointer;
}

void SeriesArena::Free(void* pointer, std::size_t bytes) {
    if (pointer == nullptr)
        return;
    FHeld -= bytes;
    if (!FBlocksOn || bytes < SmallestRequest) {
        ::operator delete(pointer);
        return;
    }
    const std::lock_guard lock(FMutex);
    Block* block = Find(pointer);
    if (block == nullptr || --block->Live > 0)
        return;
    if (block == &FBlocks.back() && block->Size == BlockSize) {
        block->Used = 0; // the block being filled starts again
        return;
    }
    UnmapBlock(*block);
    FBlocks.erase(FBlocks.begin() + (block - FBlocks.data()));
}

SeriesArena::Block* SeriesArena::Find(const void* pointer) {
    const char* p = static_cast<const char*>(pointer);
    const auto found = std::find_if(FBlocks.begin(), FBlocks.end(), [p](const Block& block) {
        return p >= block.Begin && p < block.Begin + block.Size;
    });
    return found == FBlocks.end() ? nullptr : &*found;
}

std::size_t SeriesArena::BlockCount() const {
    const std::lock_guard lock(FMutex);
    return FBlocks.size();
}
