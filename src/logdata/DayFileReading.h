#pragma once

#include "core/DateTime.h"
#include "logdata/DayLine.h"

#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class DayLineReader;

// Progress of reading many files, readable from another thread while `DayFileReading::Read`
// runs; setting `Cancel` ends the reading after the files under way.
struct ReadingProgress {
    std::atomic<int> Done{0};
    std::atomic<int> Total{0};
    std::atomic<bool> Cancel{false};
};

// A file passed over, and why.
struct DaySkip {
    QString File;
    QString Reason;
};

// What a consumer does with each day on one reading thread: it sees the day's accepted lines,
// then the finished day, and keeps what it makes of it under the file's index. One per thread,
// used for one file after the other.
class DayWorker {
public:
    virtual ~DayWorker() = default;
    // `lines`: how many lines the file holds at most, for sizing.
    virtual void Begin(DateTime day, int lines) = 0;
    virtual void Line(const DayLine& line) = 0;
    virtual void End(size_t index, const QString& file, const DayLineReader& reading) = 0;
};

// Something built from many day files: the ledger's rows, the health check's events.
class DayConsumer {
public:
    virtual ~DayConsumer() = default;
    // Before reading `files` files; then one worker per reading thread.
    virtual void Prepare(size_t files) = 0;
    virtual std::unique_ptr<DayWorker> MakeWorker() = 0;
    // On the calling thread after the reading, once per day kept, in date order.
    virtual void Take(size_t index) = 0;
};

// The one way many day files are read: each file once, on reading threads, its day handed to
// every consumer. A file that cannot be read, or holds no value, is passed over with the reason;
// so is a second file of a date already held (the first one named stays, as in a multi-day
// analysis). Days outside the range are read (they count as read) but not kept.
class DayFileReading {
public:
    // `sameDayText`: the language text of the reason for a second file of a date ("%s": the
    // file held).
    explicit DayFileReading(int sameDayText) : FSameDayText(sameDayText) {}

    // Only days from `from` to `to` are kept; 0 leaves that end open.
    void SetRange(DateTime from, DateTime to);
    DateTime From() const { return FFrom; }
    DateTime To() const { return FTo; }

    // Reads the files, adding to what was read before. False when cancelled: the days of the
    // files read until then are kept.
    bool Read(const QStringList& files, const std::vector<DayConsumer*>& consumers,
              ReadingProgress* progress = nullptr);

    const std::vector<DaySkip>& Skipped() const { return FSkipped; }
    // Files read as day files, in the range or not.
    int FilesRead() const { return FFilesRead; }
    // The dates of the days kept, in date order.
    const std::vector<DateTime>& Dates() const { return FDates; }

private:
    int FSameDayText;
    DateTime FFrom = 0.0;
    DateTime FTo = 0.0;
    std::vector<DaySkip> FSkipped;
    int FFilesRead = 0;
    std::vector<DateTime> FDates;
    std::vector<QString> FDateFiles; // the file of each date held
};
