#include "logdata/DayFilesAhead.h"

#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"

#include <algorithm>
#include <system_error>

DayFromFile::DayFromFile() = default;
DayFromFile::DayFromFile(QString fileName) : FileName(std::move(fileName)) {}
DayFromFile::DayFromFile(DayFromFile&&) noexcept = default;
DayFromFile& DayFromFile::operator=(DayFromFile&&) noexcept = default;
DayFromFile::~DayFromFile() = default;

int DayFilesAhead::ThreadsFor(int threads, qsizetype files) {
    if (threads > 0)
        return threads;
    // As the ledger reads: a few files are not worth a thread.
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<int>(
        std::clamp<qsizetype>(std::min<qsizetype>(std::min(cores, 8u), files / 8), 1, 8));
}

DayFilesAhead::DayFilesAhead(const TAnalysisData& data, const QStringList& files, qsizetype first,
                             int threads)
    : FData(data), FFiles(files), FReaderModel(data.GetReader()), FCallerReader(FReaderModel),
      FSlots(static_cast<size_t>(std::max<qsizetype>(files.size(), 0))), FNext(first) {
    const int helpers = ThreadsFor(threads, files.size() - first) - 1;
    FThreads.reserve(static_cast<size_t>(std::max(helpers, 0)));
    for (int t = 0; t < helpers; ++t) {
        try {
            FThreads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break; // the calling thread reads what the others leave
        }
    }
}

DayFilesAhead::~DayFilesAhead() { Stop(); }

void DayFilesAhead::Stop() {
    FStop = true;
    for (std::thread& thread : FThreads)
        if (thread.joinable())
            thread.join();
}

void DayFilesAhead::Work() {
    // A reader of its own: the date convention a heading sets belongs to its file.
    LogReader reader = FReaderModel;
    while (!FStop) {
        const qsizetype index = FNext++;
        if (index >= FFiles.size())
            return;
        ReadOne(index, reader);
    }
}

void DayFilesAhead::ReadOne(qsizetype index, LogReader& reader) {
    DayFromFile read = FData.ReadDay(FFiles[index], reader);
    const std::lock_guard lock(FMutex);
    Slot& slot = FSlots[static_cast<size_t>(index)];
    slot.Read = std::move(read);
    slot.Done = true;
    FReady.notify_all();
}

DayFromFile DayFilesAhead::Take(qsizetype index) {
    Slot& slot = FSlots[static_cast<size_t>(index)];
    std::unique_lock lock(FMutex);
    while (!slot.Done) {
        lock.unlock();
        // While the file is under way elsewhere, read the next one not yet begun.
        const qsizetype next = FNext < FFiles.size() ? FNext++ : FFiles.size();
        if (next < FFiles.size())
            ReadOne(next, FCallerReader);
        lock.lock();
        if (next >= FFiles.size())
            FReady.wait(lock, [&slot] { return slot.Done; });
    }
    slot.Done = false;
    return std::move(slot.Read);
}
