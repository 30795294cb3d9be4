#pragma once

#include "core/DateTime.h"
#include "logdata/LogReader.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <atomic>
#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

class TAnalysisData;
class TDay;

// A further file of a range, read and parsed into its day apart from the data set, so that it can
// be done on another thread. The data set takes it in later as it would have read it then: the
// heading's date convention and units, then the failure or the day.
struct DayFromFile {
    DayFromFile();
    explicit DayFromFile(QString fileName);
    DayFromFile(DayFromFile&&) noexcept;
    DayFromFile& operator=(DayFromFile&&) noexcept;
    ~DayFromFile();

    QString FileName;
    std::optional<QByteArray> Heading; // once the file had one
    std::optional<DateTime> Date;      // once its day was known
    std::unique_ptr<TDay> Day;
    std::exception_ptr Failure;
};

// The further files of a range read ahead on reading threads while the calling thread takes them
// in one after the other, in file order. The calling thread reads too while it waits, so one
// thread in all reads each file when it is asked for, as a plain loop would.
class DayFilesAhead {
public:
    // Reads `files` from `first` on for `data`, on `threads` threads in all (0: one per core, at
    // most eight). `data` must stay until this is destroyed.
    DayFilesAhead(const TAnalysisData& data, const QStringList& files, qsizetype first,
                  int threads = 0);
    ~DayFilesAhead();
    DayFilesAhead(const DayFilesAhead&) = delete;
    DayFilesAhead& operator=(const DayFilesAhead&) = delete;

    // The file at `index`, each once, in any order, while not stopped.
    DayFromFile Take(qsizetype index);
    // No further file is begun; returns once the files under way are done. What was read goes.
    void Stop();

    // The threads a load of `files` files uses when asked for `threads` (0: by the cores).
    static int ThreadsFor(int threads, qsizetype files);

private:
    struct Slot {
        DayFromFile Read;
        bool Done = false;
    };
    void Work();
    void ReadOne(qsizetype index, LogReader& reader);

    const TAnalysisData& FData;
    const QStringList FFiles;
    const LogReader FReaderModel; // each thread's reader starts as the data set's
    LogReader FCallerReader;
    std::vector<Slot> FSlots;
    std::atomic<qsizetype> FNext;
    std::atomic<bool> FStop{false};
    std::mutex FMutex;
    std::condition_variable FReady;
    std::vector<std::thread> FThreads;
};
