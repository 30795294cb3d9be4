#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>

#include <cstdint>
#include <limits>
#include <vector>

// Writes day files the way the controller's logger does: a heading, the midnight record stamped
// with the previous day, then one line per interval, CR LF, Windows-1252 units.
namespace loggen {

enum class DateStyle { YearFirst, DayFirst, DayFirstTwoDigitYear };
enum class FolderLayout { Flat, MonthFolders, YearMonthFolders };

// Faults the generator can plant into a day, each from a start for a number of minutes, running
// on into the next days' files past midnight. The values written are forced so that exactly that
// fault shows; the simulated plant underneath goes on as before.
enum class Fault {
    StuckSensor,     // `Channel` (a temperature) holds a value 3 K below its first reading
    SensorErr,       // `Channel` reads "Err"
    SensorRange,     // `Channel` reads 300 °C
    PumpWithoutFlow, // R1 on, Flow and Power 0, the collector above the store
    MissedYield,     // R1 off, the collector 15 K above the store (below 110 °C)
    Stagnation,      // R1 off, the collector at 130 °C
    HeatLoss,        // R1 on with flow, the collector 5 K below the store
    PumpCycling,     // R1 on for 2 of every 5 minutes from the second; plant it where the pump
                     // rests, or a start right after it belongs to the cycling too
    FaultOutput,     // RError on
    RecordingGap     // no line
};

struct PlantedFault {
    Fault Kind = Fault::SensorErr;
    QDate Date;
    int StartMinute = 0;
    int Minutes = 30;
    int Channel = 2; // T3
    // Stuck sensor: the value held; NaN for 3 K below the first reading of the day. WriteDays
    // carries the first day's value on to the next days.
    double Held = std::numeric_limits<double>::quiet_NaN();
};

// Where a planted fault shows in the written lines: minutes of its day, end exclusive.
struct PlantedSpan {
    Fault Kind;
    int Channel;
    int StartMinute;
    int EndMinute;
    double Held = 0.0; // stuck sensor: the value held
};

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
    // Faults of any date; a day takes those of its own.
    std::vector<PlantedFault> Faults;
};

struct GeneratedDay {
    QByteArray Bytes;
    int DataLines = 0;
    // What a reader must sum, from the generated values: each value held until the next line and
    // the last one to midnight. Valid for days without a gap.
    double Volume = 0.0;
    double EnergyKWh = 0.0;
    std::vector<PlantedSpan> Planted;
};

// "stuck", "err", "range", "no-flow", "missed-yield", "stagnation", "heat-loss", "cycling",
// "fault-output", "gap"; false for another name.
bool FaultFromName(const QString& name, Fault& fault);
const char* FaultName(Fault fault);

// A day with the faults of its own date and those of earlier dates that run into it.
GeneratedDay GenerateDay(const QDate& date, const DayOptions& options);

// The file path of a day below `root` in the given layout ("yyyymmdd.csv").
QString DayFilePath(const QString& root, const QDate& date, FolderLayout layout);

// Writes `days` consecutive day files from `first`; the seed changes per day and every third day
// is cloudy (`Sunny` is ignored). Returns the paths
// in date order; an empty list when a file could not be written.
QStringList WriteDays(const QString& root, const QDate& first, int days, FolderLayout layout,
                      DayOptions options);

} // namespace loggen
