#pragma once

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

// Reads many day files at once: runs `work` on this thread and on one more per further core (at
// most eight in all, and no more than one per eight files: a few files are not worth a thread).
// Each run of `work` takes files from a counter shared by all until none is left, with a reader
// of its own, since the date convention a heading sets belongs to its file. When the system
// refuses a thread, the ones running do the rest.
template <typename Work> void OnReadingThreads(size_t files, const Work& work) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const size_t helpers = std::min<size_t>(std::min(cores, 8u) - 1, files / 8);
    std::vector<std::thread> threads;
    threads.reserve(helpers); // so that only starting a thread can fail below
    for (size_t t = 0; t < helpers; ++t) {
        try {
            threads.emplace_back(work);
        } catch (const std::system_error&) {
            break;
        }
    }
    work();
    for (std::thread& thread : threads)
        thread.join();
}
