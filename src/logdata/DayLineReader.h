#pragma once

#include "core/Channels.h"
#include "core/DateConvention.h"
#include "core/DateTime.h"
#include "logdata/DataState.h"
#include "logdata/DayLine.h"
#include "logdata/DaySums.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"

#include <array>
#include <string_view>

// The rules for the data lines of one day file: the midnight record's date, time stamps and the
// conventions they may switch to, the learned interval and its gaps, lines out of order, the
// fields with their states, and the day's sums. The day record adds chart points from what it
// reports; the yield ledger reads the same lines without building any series.
class DayLineReader {
public:
    using Line = DayLine;
    enum class Outcome {
        Read,    // `Line` holds the line
        Dropped, // stamped before the last accepted line: nothing changes
        Stopped  // a field is no number: `Line` holds the fields before it, the day ends here
    };

    explicit DayLineReader(DateTime startDate);

    Outcome ReadLine(std::string_view text, LogReader& reader, Line& line);

    // Reads every line of a day file's list once (`lines` may be changed: the first line's date;
    // the text of lines read is given back as the reading goes) and hands each accepted line to
    // `onLine`; a stopped line is handed over too and ends the day.
    // Null or empty lists are internal errors.
    template <class OnLine> void ReadLines(LogLines* lines, LogReader& reader, OnLine&& onLine);

    DateTime StartDate() const { return FStartDate; }
    DateTime EndTime() const { return FEndTime; }
    double Interval() const { return FInterval; }
    DataState State(int channel) const { return FStates[static_cast<size_t>(channel)]; }
    // Whether every line was read (no field stopped the day).
    bool Complete() const { return FComplete; }
    const DaySums& Sums() const { return FSums; }

private:
    // Checks the list, gives the midnight record the file's date; returns the line count.
    int BeginLines(LogLines* lines, const LogReader& reader);
    void EndLines(bool complete);

    DateTime FStartDate;
    DateTime FEndTime;
    double FInterval = 0.0;
    bool FirstLineSeen = false;
    bool FComplete = true;
    std::array<DataState, FileChannelCount> FStates;
    DaySums FSums;
    TimeStampReader Stamps;
};

template <class OnLine>
void DayLineReader::ReadLines(LogLines* lines, LogReader& reader, OnLine&& onLine) {
    const int count = BeginLines(lines, reader);
    const DateConvention remembered = reader.Convention;
    bool complete = true;
    Line line;
    for (int i = 0; i < count; ++i) {
        // What a large file's lines made grows while the text read goes.
        if ((i & 1023) == 0)
            lines->ReleaseBefore(i);
        const Outcome outcome = ReadLine(lines->Line(i), reader, line);
        if (outcome == Outcome::Dropped)
            continue;
        onLine(line);
        if (outcome == Outcome::Stopped) {
            complete = false;
            break;
        }
    }
    reader.Convention = remembered;
    EndLines(complete);
}
