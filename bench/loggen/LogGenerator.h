#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>

// Writes day files the way the controller's logger does: a heading, the midnight record stamped
// with the previous day, then one line per interval, CR LF, Windows-1252 units.
namespace loggen {

enum class DateStyle { YearFirst, DayFirst, DayFirstTwoDigitYear };
enum class FolderLayout { Flat, MonthFolders, YearMonthFolders };

struct DayOptions {
    DateStyle Style = DateStyle::YearFirst;
    int IntervalMinutes = 1;
    bool Sunny = true;
    // One gap of recording (an hour or two missing) somewhere in the day.
    bool Gap = false;
    // Chance per field of "Err" and of an empty field.
    double FaultChance = 0.0;
    double EmptyChance = 0.0;
    std::uint32_t Seed = 1;
};

struct GeneratedDay {
    QByteArray Bytes;
    int DataLines = 0;
    // What a reader must sum, from the generated values: each value held until the next line and
    // the last one to midnight. Valid for days without a gap.
    double Volume = 0.0;
    double EnergyKWh = 0.0;
};

GeneratedDay GenerateDay(const QDate& date, const DayOptions& options);

// The file path of a day below `root` in the given layout ("yyyymmdd.csv").
QString DayFilePath(const QString& root, const QDate& date, FolderLayout layout);

// Writes `days` consecutive day files from `first`; the seed changes per day and every third day
// is cloudy (`Sunny` is ignored). Returns the paths
// in date order; an empty list when a file could not be written.
QStringList WriteDays(const QString& root, const QDate& first, int days, FolderLayout layout,
                      DayOptions options);

} // namespace loggen
