#pragma once

#include <csignal>

#include <sys/resource.h>

// A disk with `bytes` free, as the process sees it: no file grows past that size, and a write
// beyond it fails short (EFBIG instead of the signal that would end the process).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        FSignal = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &FOld);
        rlimit limit = FOld;
        limit.rlim_cur = bytes;
        Active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &FOld);
        std::signal(SIGXFSZ, FSignal);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    bool Active = false;

private:
    rlimit FOld{};
    void (*FSignal)(int) = nullptr;
};
