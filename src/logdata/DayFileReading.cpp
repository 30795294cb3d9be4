#include "logdata/DayFileReading.h"

#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "logdata/DayLineReader.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/ReadingThreads.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <numeric>

namespace {

constexpr int TextNoValues = 85;
constexpr int TextNoMemory = 98;

struct Outcome {
    bool Read = false;
    bool Finished = false;
    DateTime Day = 0.0;
    QString Reason;
};

void ReadOne(const QString& file, size_t index, LogReader& reader,
             const std::vector<std::unique_ptr<DayWorker>>& workers, Outcome& outcome) {
    try {
        LogLines lines;
        ChannelUnits units;
        const DateTime day = reader.OpenDayFile(file, lines, units);
        for (const auto& worker : workers)
            worker->Begin(day, lines.Count());
        DayLineReader reading(day);
        reading.ReadLines(&lines, reader, [&workers](const DayLine& line) {
            for (const auto& worker : workers)
                worker->Line(line);
        });
        bool anyValue = false;
        for (int i = 0; i < FileChannelCount; ++i)
            anyValue = anyValue || reading.State(i) == DataState::Valid;
        if (!anyValue)
            AppError::RaiseText(TextNoValues);
        for (const auto& worker : workers)
            worker->End(index, file, reading);
        outcome.Day = std::floor(day);
        outcome.Read = true;
    } catch (const AppError& error) {
        outcome.Reason = error.Message();
    } catch (const std::bad_alloc&) {
        outcome.Reason = Text(TextNoMemory);
    }
}

} // namespace

void DayFileReading::SetRange(DateTime from, DateTime to) {
    FFrom = from;
    FTo = to;
}

bool DayFileReading::Read(const QStringList& files, const std::vector<DayConsumer*>& consumers,
                          ReadingProgress* progress) {
    const auto count = static_cast<size_t>(files.size());
    ReadingProgress own;
    ReadingProgress& p = progress != nullptr ? *progress : own;
    p.Total = static_cast<int>(count);
    p.Done = 0;
    for (DayConsumer* consumer : consumers)
        consumer->Prepare(count);
    std::vector<Outcome> outcomes(count);
    std::atomic<size_t> next{0};
    const auto work = [&] {
        // A reader of its own: the date convention a heading sets belongs to its file.
        LogReader reader;
        std::vector<std::unique_ptr<DayWorker>> workers;
        for (DayConsumer* consumer : consumers)
            workers.push_back(consumer->MakeWorker());
        for (size_t i = next++; i < count && !p.Cancel; i = next++) {
            ReadOne(files[static_cast<qsizetype>(i)], i, reader, workers, outcomes[i]);
            outcomes[i].Finished = true;
            ++p.Done;
        }
    };
    OnReadingThreads(count, work);

    // Date order; of two files of a date the one named first stays.
    std::vector<size_t> order;
    for (size_t i = 0; i < count; ++i) {
        if (!outcomes[i].Finished)
            continue;
        if (!outcomes[i].Read) {
            FSkipped.push_back({files[static_cast<qsizetype>(i)], outcomes[i].Reason});
            continue;
        }
        ++FFilesRead;
        const DateTime day = outcomes[i].Day;
        if ((FFrom != 0.0 && day < FFrom) || (FTo != 0.0 && day > FTo))
            continue;
        order.push_back(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return outcomes[a].Day < outcomes[b].Day; });
    for (const size_t i : order) {
        const DateTime day = outcomes[i].Day;
        const auto at = std::lower_bound(FDates.begin(), FDates.end(), day);
        const auto n = at - FDates.begin();
        if (at != FDates.end() && *at == day) {
            FSkipped.push_back(
                {files[static_cast<qsizetype>(i)],
                 FormatText(Text(FSameDayText), FDateFiles[static_cast<size_t>(n)])});
            continue;
        }
        FDates.insert(at, day);
        FDateFiles.insert(FDateFiles.begin() + n, files[static_cast<qsizetype>(i)]);
        for (DayConsumer* consumer : consumers)
            consumer->Take(i);
    }
    return !p.Cancel;
}
