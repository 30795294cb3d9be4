#include "logdata/TAnalysisData.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/OutOfMemoryError.h"
#include "core/Channels.h"
#include "core/LanguageTexts.h"
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
    Day.reset();
    if (ExpectedFiles <= 1) {
        MultiDay = false;
        return;
    }
    MultiDay = true;
    try {
        int month = first.Month;
        int year = first.Year;
        FirstMonth = new TMonth(month, year, nullptr, Chart);
        TMonth* previous = FirstMonth;
        for (int i = 1; i < monthCount; ++i) {
            if (++month > 12) {
                month = 1;
                ++year;
            }
            previous = new TMonth(month, year, previous, Chart);
        }
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
}

TMonth* TAnalysisData::FindMonth(int month, int year) const {
    for (TMonth* m = FirstMonth; m != nullptr; m = m->GetNext())
        if (m->Matches(month, year))
            return m;
    return nullptr;
}

void TAnalysisData::AddFile(const QString& fileName) {
    Loading([&] {
        LogLines lines;
        Reader->ReadFile(fileName, lines);
        AddLines(fileName, lines);
    });
}

DateTime TAnalysisData::AddLines(const QString& fileName, LogLines& lines) {
    // A further file of a range must carry the same columns; the units of a refused file are
    // not taken.
    const DateTime date = Reader->TakeDayFile(lines, Units);
    TMonth* month = nullptr;
    if (IsMultiDay()) {
        const DateParts parts = DecodeDate(date);
        month = FindMonth(parts.Month, parts.Year);
        if (month == nullptr)
            Internal("Illegal State(4)");
    }
    std::unique_ptr<TDay> day;
    try {
        day = std::make_unique<TDay>(date, Chart, Chart2);
        day->ReadLines(&lines, *Reader);
        day->SetFileName(fileName);
        FileNames.append(fileName);
    } catch (const OutOfMemoryError&) {
        throw;
    } catch (const AppError&) {
        AppError::RaiseText(TextOpenError);
    } catch (const std::bad_alloc&) {
        throw OutOfMemoryError();
    }
    if (month != nullptr)
        month->AddDay(std::move(day));
    else {
        if (Day)
            --DayCount;
        Day = std::move(day);
    }
    ++DayCount;
    return date;
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
