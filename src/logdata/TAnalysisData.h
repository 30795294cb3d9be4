#pragma once

#include "chart/ChartTypes.h"
#include "core/DateTime.h"
#include "logdata/DataState.h"
#include "logdata/LogReader.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class AppError;
class LogLines;
struct DayFromFile;
class SeriesHost;
class TDay;
class TMonth;
struct WindowSettings;

// Everything one analysis window knows about its log data: one day read from a single file, or
// the days of a range held in a chain of calendar months. It owns the months, days and series;
// the two hosts it draws into belong to the window.
class TAnalysisData {
public:
    // Receives an error that must not end the command, such as an unreadable first file of a
    // range: the range stays open for the further files. Without a sink such an error is raised.
    using ErrorSink = std::function<void(const AppError&)>;

    explicit TAnalysisData(ErrorSink errorSink = {}, LogReader* reader = nullptr);
    ~TAnalysisData();
    TAnalysisData(const TAnalysisData&) = delete;
    TAnalysisData& operator=(const TAnalysisData&) = delete;

    // Loading; a data set is loaded once, and each file is read once. Running out of memory
    // raises OutOfMemoryError, whatever a file's other failures raise.
    void LoadFile(const QString& fileName, SeriesHost* chart, SeriesHost* chart2);
    void LoadRange(DateTime firstDate, DateTime lastDate, unsigned fileCount,
                   const QString& firstFileName, SeriesHost* chart, SeriesHost* chart2);
    void AddFile(const QString& fileName);
    // AddFile in two halves, so that the reading can be done on another thread: a further file
    // of the range read into its day with `reader`, touching nothing of the data set; then taken
    // in on the data set's thread, in file order, raising what AddFile would have raised.
    DayFromFile ReadDay(const QString& fileName, LogReader& reader) const;
    void AddRead(DayFromFile read);
    void BuildMonthTotals();

    // Queries.
    bool HasData() const;
    bool IsMultiDay() const;
    unsigned GetDayCount() const;
    int GetMonthCount() const;
    DateTime GetStartDate(unsigned dayIndex) const;
    DateTime GetDateByMonthIndex(int monthIndex) const;
    int GetMonthIndexByDay(int dayIndex) const;
    int GetDayIndexByMonth(int monthIndex) const;
    // The i-th file read, in reading order.
    QString GetFileName(int index) const;
    // The file a day was read from, by day index (day order, which differs from reading order
    // when a file's content belongs to another month).
    QString GetDayFileName(unsigned dayIndex) const;
    QString GetUnit(int channel) const;
    // The day of a day index (raises like GetStartDate).
    const TDay& GetDay(unsigned dayIndex) const { return DayAt(dayIndex); }
    DateTime GetFirstDate() const { return FirstDate; }
    DateTime GetLastDate() const { return LastDate; }
    unsigned GetExpectedFiles() const { return ExpectedFiles; }
    const TMonth* GetFirstMonth() const { return FirstMonth; }
    const LogReader& GetReader() const { return *Reader; }

    // Display; nothing happens without days.
    void ShowChannel(SeriesHost* chart, int channel, DataState& lowestState, DateTime maximum,
                     DateTime minimum);
    void HideChannel(SeriesHost* chart, int channel);
    void SetChannelAxis(int channel, ValueAxis axis);
    void ApplySettings(const WindowSettings& settings);

private:
    void CommonStart(const QString& fileName, SeriesHost* chart, SeriesHost* chart2);
    // Builds the day of a file whose lines were read; returns its date.
    DateTime AddLines(const QString& fileName, LogLines& lines);
    void ReadLinesInto(DayFromFile& read, LogLines& lines, LogReader& reader) const;
    void BuildMonths();
    TMonth* FindMonth(int month, int year) const;
    const TDay& DayAt(unsigned dayIndex) const;

    ErrorSink FErrorSink;
    LogReader* Reader;
    SeriesHost* Chart = nullptr;
    SeriesHost* Chart2 = nullptr;
    DateTime LastDate = 0.0;
    DateTime FirstDate = 0.0;
    unsigned ExpectedFiles = 0;
    unsigned DayCount = 0;
    ChannelUnits Units;
    QStringList FileNames;
    bool MultiDay = false;
    TMonth* FirstMonth = nullptr; // owned, with the months after it
    // The chain's months by position, so that a day finds its month at once however long the
    // range (a decade's files would each walk a hundred months otherwise).
    std::vector<TMonth*> Months;
    std::unique_ptr<TDay> Day;
};

// The date convention that reading log files shares across the program.
LogReader& ProgramLogReader();
