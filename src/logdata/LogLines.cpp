#include "logdata/LogLines.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#include <unistd.h>
#endif

void LogLines::Clear() {
    FText.clear();
    FAdded.clear();
    FLines.clear();
    FFirst = 0;
    FReleased = 0;
    FStartedEmpty = false;
}

template <typename F> void LogLines::Split(const char* data, const char* end, F&& line) {
    // Lines end at LF far more often than at a lone CR: find the LF, then any CR before it. The
    // LF found is kept until passed, so a file of lone CRs is still read in one pass.
    const char* start = data;
    const char* lf = nullptr;
    while (start < end) {
        if (lf == nullptr || lf < start) {
            lf = static_cast<const char*>(
                std::memchr(start, '\n', static_cast<size_t>(end - start)));
            if (lf == nullptr)
                lf = end;
        }
        const auto* cr =
            static_cast<const char*>(std::memchr(start, '\r', static_cast<size_t>(lf - start)));
        if (cr != nullptr) {
            line(start, cr);
            start = cr + 1 < end && cr[1] == '\n' ? cr + 2 : cr + 1;
        } else {
            line(start, lf);
            start = lf < end ? lf + 1 : end;
        }
    }
}

void LogLines::Load(QByteArray text, bool keepEmpty) {
    Clear();
    const qsizetype nul = text.indexOf('\0');
    if (nul >= 0)
        text.truncate(nul);
    // Offsets and lengths are 31 bits; no log file comes near that size.
    if (static_cast<std::uint64_t>(text.size()) >= AddedFlag)
        throw std::bad_alloc();
    FText = std::move(text);
    const char* data = FText.constData();
    const char* const end = data + FText.size();
    FStartedEmpty = data < end && (*data == '\n' || *data == '\r');
    // Counted first, so the index is allocated once at its final size: growing by doubling
    // copied it and left up to half of it unused.
    size_t count = 0;
    Split(data, end, [&](const char* b, const char* e) { count += keepEmpty || e > b ? 1 : 0; });
    FLines.reserve(count);
    Split(data, end, [&](const char* b, const char* e) {
        if (keepEmpty || e > b)
            FLines.push_back(
                {static_cast<std::uint32_t>(b - data), static_cast<std::uint32_t>(e - b)});
    });
}

LogLines::Entry LogLines::Keep(std::string_view line) {
    // Copied first: the view may point into a line of our own.
    FAdded.emplace_back(line);
    return {static_cast<std::uint32_t>(FAdded.size() - 1), AddedFlag};
}

void LogLines::Append(std::string_view line) { FLines.push_back(Keep(line)); }

void LogLines::Replace(int i, std::string_view line) {
    FLines[FFirst + static_cast<size_t>(i)] = Keep(line);
}

void LogLines::RemoveEmpty() {
    const auto from = FLines.begin() + static_cast<std::ptrdiff_t>(FFirst);
    FLines.erase(std::remove_if(from, FLines.end(),
                                [this](const Entry& e) {
                                    return (e.Length & AddedFlag) != 0 ? FAdded[e.Offset].empty()
                                                                       : e.Length == 0;
                                }),
                 FLines.end());
}

std::string_view LogLines::TakeFirst() {
    FTaken.assign(Line(0));
    ++FFirst;
    return FTaken;
}

void LogLines::ReleaseBefore(int i) {
#ifdef Q_OS_LINUX
    constexpr size_t Step = size_t{1} << 20;
    if (i <= 0 || i >= Count())
        return;
    const Entry& e = FLines[FFirst + static_cast<size_t>(i)];
    // Lines of the text lie in text order, so all before this one lie before its offset.
    if ((e.Length & AddedFlag) != 0 || e.Offset < FReleased + Step || !FText.isDetached())
        return;
    // Whole pages inside the text only: the allocation's neighbours are not ours. Pages given
    // back read as zeros, which nothing does again.
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto base = reinterpret_cast<std::uintptr_t>(FText.constData());
    const std::uintptr_t from = (base + FReleased + page - 1) & ~(page - 1);
    const std::uintptr_t to = (base + e.Offset) & ~(page - 1);
    if (to > from)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_DONTNEED);
    FReleased = e.Offset;
#else
    (void)i;
#endif
}

std::size_t LogLines::Capacity() const {
    return static_cast<std::size_t>(FText.capacity()) + FLines.capacity() * sizeof(Entry);
}
