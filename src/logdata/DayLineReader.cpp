#include "logdata/DayLineReader.h"

#include "core/AppError.h"
#include "core/DecimalComma.h"

#include <cmath>
#include <cstring>
#include <string>

namespace {

constexpr double Minute = 1.0 / MinutesPerDay;

// The date of a line's time stamp: up to the blank before the time, or the first separator when
// the stamp is a date alone.
std::string_view DateText(std::string_view line) {
    return line.substr(0, line.find_first_of(" ;"));
}

bool ReadTime(std::string_view text, const LogReader& reader, DateTime& time) {
    return TextToDateTime(text, reader.Convention, reader.Century, time);
}

} // namespace

DayLineReader::DayLineReader(DateTime startDate) : FStartDate(startDate), FEndTime(startDate) {
    FStates.fill(DataState::Absent);
}

int DayLineReader::BeginLines(LogLines* lines, const LogReader& reader) {
    if (lines == nullptr)
        AppError::Raise(QStringLiteral("Illegal State(42)"));
    if (lines->IsEmpty())
        AppError::Raise(QStringLiteral("Illegal State(43)"));

    // The logger stamps its midnight record with the previous day: give it the file's date.
    // Only the date text moves, so a two-digit year cannot eat into the hour; a record that
    // would then stand after the second line is left as it is rather than dropped.
    if (lines->Count() >= 2 && lines->Line(0).size() > 10 && lines->Line(1).size() > 10) {
        const std::string_view first = lines->Line(0);
        const std::string_view second = lines->Line(1);
        std::string moved(DateText(second));
        moved.append(first.substr(DateText(first).size()));
        DateTime movedTime = 0;
        DateTime secondTime = 0;
        const std::string_view movedView(moved);
        const bool after = ReadTime(movedView.substr(0, movedView.find(';')), reader, movedTime) &&
                           ReadTime(second.substr(0, second.find(';')), reader, secondTime) &&
                           movedTime > secondTime;
        if (!after)
            lines->Replace(0, moved);
    }
    return lines->Count();
}

void DayLineReader::EndLines(bool complete) {
    FComplete = complete;
    FSums.Finish(FStartDate, complete);
    FEndTime = FStartDate + 1.0;
}

DayLineReader::Outcome DayLineReader::ReadLine(std::string_view text, LogReader& reader,
                                               Line& line) {
    // A line without ";" is a time stamp alone: a moment without values.
    const size_t semicolon = text.find(';');
    const std::string_view timeText = text.substr(0, semicolon);
    std::string_view rest =
        semicolon == std::string_view::npos ? std::string_view() : text.substr(semicolon + 1);

    DateTime time = 0;
    if (!Stamps.Read(timeText, reader.Convention, reader.Century, time)) {
        reader.Convention = reader.Convention == DateConvention::DayFirstWithTime()
                                ? DateConvention::YearFirstWithTime()
                                : DateConvention::DayFirstWithTime();
        if (!Stamps.Read(timeText, reader.Convention, reader.Century, time))
            time = FEndTime + Minute;
    }
    if (!FirstLineSeen) {
        FEndTime = time;
        FirstLineSeen = true;
    }
    if (FInterval == 0.0)
        FInterval = time - FEndTime;
    const bool gap = std::floor(FInterval * MinutesPerDay + 0.5) !=
                     std::floor((time - FEndTime) * MinutesPerDay + 0.5);
    if (gap)
        FInterval = 0.0;
    if (time < FEndTime)
        return Outcome::Dropped;
    FEndTime = time;

    line.Time = time;
    line.Gap = gap;
    line.Has.reset();
    line.Err.reset();
    line.Tenths.reset();
    const char* p = rest.data();
    const char* const end = p + rest.size();
    for (int i = 0; p < end && i < FileChannelCount; ++i) {
        DataState& state = FStates[static_cast<size_t>(i)];
        double v = 0;
        bool tenths = false;
        const char* stop = ScanPlainDecimalComma(p, end, v, tenths);
        if (stop == nullptr) {
            const auto* cut =
                static_cast<const char*>(std::memchr(p, ';', static_cast<size_t>(end - p)));
            stop = cut != nullptr ? cut : end;
            const std::string_view field(p, static_cast<size_t>(stop - p));
            p = stop < end ? stop + 1 : end;
            if (field.empty()) {
                LowerState(state, DataState::Empty);
                continue;
            }
            if (field == "Err") {
                LowerState(state, DataState::Fault);
                line.Err.set(static_cast<size_t>(i));
                continue;
            }
            if (!ParseDecimalComma(field.data(), field.data() + field.size(), v)) {
                FSums.AddLine(line, false);
                return Outcome::Stopped;
            }
        } else {
            p = stop < end ? stop + 1 : end;
        }
        line.Has.set(static_cast<size_t>(i));
        line.Tenths.set(static_cast<size_t>(i), tenths);
        line.Values[static_cast<size_t>(i)] = v;
        state = DataState::Valid;
    }
    FSums.AddLine(line, true);
    return Outcome::Read;
}
