#include "logdata/TAnalysisData.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/OutOfMemoryError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
#include "logdata/DayFilesAhead.h"
#include "logdata/LogLines.h"
#include "logdata/TDay.h"
#include "logdata/TMonth.h"
#include "settings/WindowSettings.h"

#include <QFileInfo>

#include <new>

namespace {

constexpr int TextOpenError = 84;
constexpr int TextNotLogFile = 86;

[[noreturn]] void Internal(const char* text) { AppError::Raise(QString::fromLatin1(text)); }

// Loading takes memory in large amounts: running out of it anywhere ends the command with the
// message that says so, however deep the allocation was.
template <typename F> void Loading(F&& load) {
    try {
        load();
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

// Channels in the order their styles are applied.
constexpr std::array<int, ChannelCount> StyleOrder = {ChT1,     ChT2, ChT3,   ChT4,    ChT5,
                                                      ChT6,     ChTD, ChFlow, ChPower, ChVolume,
                                                      ChEnergy, ChR1, ChR2,   ChR3,    ChRError};

} // namespace

LogReader& ProgramLogReader() {
    static LogReader reader;
    return reader;
}

TAnalysisData::TAnalysisData(ErrorSink errorSink, LogReader* reader)
    : FErrorSink(std::move(errorSink)), Reader(reader != nullptr ? reader : &ProgramLogReader()) {}

TAnalysisData::~TAnalysisData() {
    while (FirstMonth != nullptr) {
        TMonth* month = FirstMonth;
        FirstMonth = month->GetNext();
        DayCount -= static_cast<unsigned>(month->GetDayCount());
        delete month;
    }
    Day.reset();
}

void TAnalysisData::CommonStart(const QString& fileName, SeriesHost* chart, SeriesHost* chart2) {
    Chart = chart;
    Chart2 = chart2;
    DayCount = 0;
    Units.fill(QString());
    Units[ChVolume] = QStringLiteral("[l]");
    Units[ChEnergy] = QStringLiteral("[kWh]");
    FileNames.clear();
    if (!QFileInfo(fileName).isFile())
        AppError::Raise(Text(TextOpenError) + QStringLiteral("\n\n") + EscapeControls(fileName) +
                        QStringLiteral("\n\n") + ReadFailureReason(fileName));
}

void TAnalysisData::LoadFile(const QString& fileName, SeriesHost* chart, SeriesHost* chart2) {
    if (chart == nullptr || chart2 == nullptr)
        Internal("Illegal State (2)");
    FirstDate = LastDate = 0.0;
    ExpectedFiles = 1;
    CommonStart(fileName, chart, chart2);
    Loading([&] {
        // Read once: the day is built from the lines its heading and date were taken from.
        LogLines lines;
        Reader->ReadFile(fileName, lines);
        BuildMonths();
        FirstDate = LastDate = AddLines(fileName, lines);
    });
}

void TAnalysisData::LoadRange(DateTime firstDate, DateTime lastDate, unsigned fileCount,
                              const QString& firstFileName, SeriesHost* chart, SeriesHost* chart2) {
    if (chart == nullptr || chart2 == nullptr)
        Internal("Illegal State (1)");
    FirstDate = firstDate;
    LastDate = lastDate;
    ExpectedFiles = fileCount;
    CommonStart(firstFileName, chart, chart2);
    Loading([&] {
        LogLines lines;
        Reader->ReadFile(firstFileName, lines);
        // The very first line is the heading: a file that starts with an empty line is refused.
        if (lines.StartedWithEmptyLine())
            AppError::RaiseText(TextNotLogFile);
        if (!lines.IsEmpty()) {
            const std::string_view heading = lines.Line(0);
            ChannelUnits units = Units;
            if (!Reader->CheckHeading(
                    QByteArrayView(heading.data(), static_cast<qsizetype>(heading.size())), units))
                AppError::RaiseText(TextNotLogFile);
        }
        BuildMonths();
        try {
            AddLines(firstFileName, lines);
        } catch (const OutOfMemoryError&) {
            throw;
        } catch (const AppError& error) {
            if (!FErrorSink)
                throw;
            FErrorSink(error);
        }
    });
}

void TAnalysisData::BuildMonths() {
    const DateParts first = DecodeDate(FirstDate);
    const DateParts last = DecodeDate(LastDate);
    const int monthCount = last.Month + 12 * (last.Year - first.Year) - first.Month + 1;
    FirstMonth = nullptr;
    Months.clear();
    Day.reset();
    if (ExpectedFiles <= 1) {
        MultiDay = false;
        return;
    }
    MultiDay = true;
    try {
        int month = first.Month;
        int year = first.Year;
        Months.reserve(static_cast<std::size_t>(monthCount));
        FirstMonth = new TMonth(month, year, nullptr, Chart);
        Months.push_back(FirstMonth);
        TMonth* previous = FirstMonth;
        for (int i = 1; i < monthCount; ++i) {
            if (++month > 12) {
                month = 1;
                ++year;
            }
            previous = new TMonth(month, year, previous, Chart);
            Months.push_back(previous);
        }
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

TMonth* TAnalysisData::FindMonth(int month, int year) const {
    if (Months.empty())
        return nullptr;
    const DateParts first = DecodeDate(FirstDate);
    const long long index = (static_cast<long long>(year) - first.Year) * 12 + month - first.Month;
    if (index < 0 || index >= static_cast<long long>(Months.size()))
        return nullptr;
    TMonth* found = Months[static_cast<std::size_t>(index)];
    return found->Matches(month, year) ? found : nullptr;
}

void TAnalysisData::AddFile(const QString& fileName) { AddRead(ReadDay(fileName, *Reader)); }

DayFromFile TAnalysisData::ReadDay(const QString& fileName, LogReader& reader) const {
    DayFromFile read(fileName);
    try {
        Loading([&] {
            LogLines lines;
            reader.ReadFile(fileName, lines);
            ReadLinesInto(read, lines, reader);
        });
    } catch (...) {
        read.Failure = std::current_exception();
    }
    return read;
}

void TAnalysisData::ReadLinesInto(DayFromFile& read, LogLines& lines, LogReader& reader) const {
    read.Heading = reader.TakeHeading(lines);
    // Read by position, a stray file of another kind would put foreign values into the day. The
    // units count only when the data set takes the file in.
    ChannelUnits units;
    if (!reader.CheckHeading(*read.Heading, units))
        AppError::RaiseText(TextNotLogFile);
    read.Date = reader.GetFileDate(lines);
    try {
        auto day = std::make_unique<TDay>(*read.Date, Chart, Chart2);
        day->ReadLines(&lines, reader);
        day->SetFileName(read.FileName);
        read.Day = std::move(day);
    } catch (const OutOfMemoryError&) {
        throw;
    } catch (const AppError&) {
        AppError::RaiseText(TextOpenError);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

DateTime TAnalysisData::AddLines(const QString& fileName, LogLines& lines) {
    DayFromFile read(fileName);
    try {
        ReadLinesInto(read, lines, *Reader);
    } catch (...) {
        read.Failure = std::current_exception();
    }
    const std::optional<DateTime> date = read.Date;
    AddRead(std::move(read));
    return *date;
}

void TAnalysisData::AddRead(DayFromFile read) {
    // What the heading sets, in file order: the date convention (also of a file then refused)
    // and, of a file taken, its units. A further file of a range must carry the same columns.
    if (read.Heading) {
        ChannelUnits checked = Units;
        if (Reader->CheckHeading(*read.Heading, checked))
            Units = checked;
    }
    TMonth* month = nullptr;
    if (read.Date && IsMultiDay()) {
        const DateParts parts = DecodeDate(*read.Date);
        month = FindMonth(parts.Month, parts.Year);
        if (month == nullptr)
            Internal("Illegal State(4)");
    }
    if (read.Failure)
        std::rethrow_exception(read.Failure);
    FileNames.append(read.FileName);
    if (month != nullptr)
        month->AddDay(std::move(read.Day));
    else {
        if (Day)
            --DayCount;
        Day = std::move(read.Day);
    }
    ++DayCount;
}

void TAnalysisData::BuildMonthTotals() {
    for (TMonth* m = FirstMonth; m != nullptr; m = m->GetNext())
        m->BuildTotals();
}

bool TAnalysisData::HasData() const { return MultiDay ? FirstMonth != nullptr : Day != nullptr; }

bool TAnalysisData::IsMultiDay() const { return HasData() && MultiDay; }

unsigned TAnalysisData::GetDayCount() const {
    if (!HasData())
        return 0;
    return IsMultiDay() ? DayCount : 1;
}

int TAnalysisData::GetMonthCount() const {
    if (!HasData())
        return 0;
    return IsMultiDay() ? FirstMonth->GetMonthCount() : 1;
}

const TDay& TAnalysisData::DayAt(unsigned dayIndex) const {
    if (dayIndex >= DayCount)
        Internal("Illegal State (6).");
    if (!IsMultiDay() && Day)
        return *Day;
    if (FirstMonth != nullptr)
        return FirstMonth->GetDay(static_cast<int>(dayIndex));
    Internal("Illegal State (7).");
}

DateTime TAnalysisData::GetStartDate(unsigned dayIndex) const {
    return DayAt(dayIndex).StartDate();
}

QString TAnalysisData::GetDayFileName(unsigned dayIndex) const {
    return DayAt(dayIndex).FileName();
}

DateTime TAnalysisData::GetDateByMonthIndex(int monthIndex) const {
    if (!IsMultiDay())
        Internal("Illegal State (8).");
    if (FirstMonth == nullptr)
        Internal("Illegal State (9).");
    return FirstMonth->GetDateByMonthIndex(monthIndex);
}

int TAnalysisData::GetMonthIndexByDay(int dayIndex) const {
    if (!IsMultiDay())
        Internal("Illegal State (10).");
    if (FirstMonth == nullptr)
        Internal("Illegal State (11).");
    return FirstMonth->GetMonthIndexByDay(dayIndex);
}

int TAnalysisData::GetDayIndexByMonth(int monthIndex) const {
    if (!IsMultiDay())
        Internal("Illegal State (12).");
    if (FirstMonth == nullptr)
        Internal("Illegal State (13).");
    return FirstMonth->GetDayIndexByMonth(monthIndex);
}

QString TAnalysisData::GetFileName(int index) const {
    if (index < 0 || index >= FileNames.size())
        Internal("Illegal State(5).");
    return FileNames[index];
}

QString TAnalysisData::GetUnit(int channel) const {
    if (channel < 0 || channel >= ChannelCount)
        return {};
    return Units[static_cast<size_t>(channel)];
}

void TAnalysisData::ShowChannel(SeriesHost* chart, int channel, DataState& lowestState,
                                DateTime maximum, DateTime minimum) {
    if (!HasData())
        return;
    if (IsMultiDay()) {
        FirstMonth->ShowChannel(chart, channel, lowestState, true, maximum, minimum);
    } else {
        bool shown = false;
        Day->ShowChannel(channel, shown, lowestState, true, maximum, minimum);
    }
}

void TAnalysisData::HideChannel(SeriesHost* /*chart*/, int channel) {
    if (!HasData())
        return;
    if (IsMultiDay())
        FirstMonth->HideChannel(channel);
    else
        Day->HideChannel(channel);
}

void TAnalysisData::SetChannelAxis(int channel, ValueAxis axis) {
    if (!HasData())
        return;
    if (IsMultiDay())
        FirstMonth->SetChannelAxis(channel, axis);
    else
        Day->SetChannelAxis(channel, axis);
}

void TAnalysisData::ApplySettings(const WindowSettings& settings) {
    if (!HasData())
        return;
    for (int channel : StyleOrder) {
        const auto slot = static_cast<size_t>(SlotOfChannel(channel));
        const QString& stored = settings.Labels[slot];
        const QString label = stored == DefaultLabel ? Text(DefaultLabelText(channel)) : stored;
        const QColor colour = ColorFromRef(settings.Colors[slot]);
        if (Day)
            Day->ApplyChannelStyle(channel, label, settings.RShowBars, settings.OthersShowBars,
                                   settings.LineWidth, colour);
        if (FirstMonth != nullptr)
            FirstMonth->ApplyChannelStyle(channel, label, settings.RShowBars,
                                          settings.OthersShowBars, settings.LineWidth, colour);
    }
}
