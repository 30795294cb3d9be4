#include "LogGenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <random>

namespace loggen {
namespace {

QByteArray Stamp(const QDate& date, int minuteOfDay, DateStyle style) {
    const QString time = QStringLiteral(" %1:%2")
                             .arg(minuteOfDay / 60, 2, 10, QLatin1Char('0'))
                             .arg(minuteOfDay % 60, 2, 10, QLatin1Char('0'));
    QString day;
    switch (style) {
    case DateStyle::YearFirst:
        day = date.toString(QStringLiteral("yyyy-MM-dd"));
        break;
    case DateStyle::DayFirst:
        day = date.toString(QStringLiteral("dd.MM.yyyy"));
        break;
    case DateStyle::DayFirstTwoDigitYear:
        day = QStringLiteral("%1.%2.%3")
                  .arg(date.day(), 2, 10, QLatin1Char('0'))
                  .arg(date.month(), 2, 10, QLatin1Char('0'))
                  .arg(date.year() % 100, 2, 10, QLatin1Char('0'));
        break;
    }
    return (day + time).toLatin1();
}

QByteArray Heading(DateStyle style) {
    // 0xB0 is the degree sign in Windows-1252.
    const QByteArray c = "[\xB0"
                         "C]";
    QByteArray heading = style == DateStyle::YearFirst ? "DATE & TIME" : "dd.mm.yy hh:mm";
    for (const char* name : {"T1", "T2", "T3", "T4", "T5", "T6", "Tds"})
        heading += ';' + QByteArray(name) + c;
    heading += ";V'[l/min];P[W];R1[%];R2[%];R3[%];R![%]";
    return heading;
}

QByteArray Number(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    double rounded = std::round(value * scale) / scale;
    if (rounded == 0.0)
        rounded = 0.0; // the logger never writes "-0"
    QByteArray text = QByteArray::number(rounded, 'f', decimals);
    text.replace('.', ',');
    return text;
}

// The physics is simple on purpose: sunshine warms the collector, the pump runs while the
// collector is warmer than the store, and the store takes up what the pump carries.
struct Plant {
    double Collector = 15.0;
    double StoreBottom = 35.0;
    double StoreTop = 48.0;
    bool PumpOn = false;
};

// The values of one line as written.
struct Line {
    std::array<double, 7> Temps{};
    std::array<bool, 7> Forced{};
    std::array<bool, 7> Err{};
    double Flow = 0.0;
    double Power = 0.0;
    double Pump = 0.0;
    double Heating = 0.0;
    double Fault = 0.0;
};

struct ActiveFault {
    PlantedFault Fault;
    double Held = 0.0;        // the stuck value
    size_t Span = 0;          // index into the day's planted spans
    bool SpanStarted = false; // cycling: the first start seen
};

// The fault's start in minutes of `date`: before its midnight for a fault of an earlier date.
int StartIn(const PlantedFault& fault, const QDate& date) {
    return fault.StartMinute - static_cast<int>(fault.Date.daysTo(date)) * 1440;
}

bool RunsInto(const PlantedFault& fault, const QDate& date) {
    const int start = StartIn(fault, date);
    return fault.Date.isValid() && fault.Date <= date && start + fault.Minutes > 0 && start < 1440;
}

bool Inside(const PlantedFault& fault, int minute) {
    return minute >= fault.StartMinute && minute < fault.StartMinute + fault.Minutes;
}

// Forces the line's values for the faults planted at this minute; false when no line is written.
bool PlantFaults(Line& line, int minute, std::vector<ActiveFault>& faults,
                 std::vector<PlantedSpan>& spans) {
    for (ActiveFault& active : faults) {
        const PlantedFault& f = active.Fault;
        const size_t c = static_cast<size_t>(std::clamp(f.Channel, 0, 6));
        if (!Inside(f, minute))
            continue;
        const double store = line.Temps[1];
        switch (f.Kind) {
        case Fault::StuckSensor:
            // Held 3 K below the reading, so the sensor leaves the signal's path right at the
            // start and rejoins it only at the end.
            if (std::isnan(active.Held))
                active.Held = std::round(line.Temps[c] * 10.0) / 10.0 - 3.0;
            spans[active.Span].Held = active.Held;
            line.Temps[c] = active.Held;
            line.Forced[c] = true;
            break;
        case Fault::SensorErr:
            line.Err[c] = true;
            break;
        case Fault::SensorRange:
            line.Temps[c] = 300.0;
            line.Forced[c] = true;
            break;
        case Fault::PumpWithoutFlow:
            line.Pump = 100;
            line.Flow = line.Power = 0.0;
            line.Temps[0] = std::max(line.Temps[0], store + 2.0);
            break;
        case Fault::MissedYield:
            line.Pump = 0;
            line.Flow = line.Power = 0.0;
            line.Temps[0] = std::min(std::max(line.Temps[0], store + 15.0), 110.0);
            break;
        case Fault::Stagnation:
            line.Pump = 0;
            line.Flow = line.Power = 0.0;
            line.Temps[0] = 130.0 + 0.1 * (minute % 5);
            break;
        case Fault::HeatLoss:
            line.Pump = 100;
            line.Flow = 8.0;
            line.Power = 0.0;
            line.Temps[0] = store - 5.0;
            break;
        case Fault::PumpCycling: {
            const int phase = (minute - f.StartMinute) % 5;
            const bool on = phase == 1 || phase == 2;
            line.Pump = on ? 100 : 0;
            line.Flow = on ? 8.0 : 0.0;
            line.Power = 0.0;
            line.Temps[0] = store + 5.0;
            PlantedSpan& span = spans[active.Span];
            if (on && !active.SpanStarted) {
                span.StartMinute = minute;
                active.SpanStarted = true;
            }
            if (on)
                span.EndMinute = minute + 1;
            break;
        }
        case Fault::FaultOutput:
            line.Fault = 100;
            break;
        case Fault::RecordingGap:
            return false;
        }
    }
    return true;
}

} // namespace

bool FaultFromName(const QString& name, Fault& fault) {
    for (Fault f : {Fault::StuckSensor, Fault::SensorErr, Fault::SensorRange,
                    Fault::PumpWithoutFlow, Fault::MissedYield, Fault::Stagnation, Fault::HeatLoss,
                    Fault::PumpCycling, Fault::FaultOutput, Fault::RecordingGap})
        if (name == QLatin1String(FaultName(f))) {
            fault = f;
            return true;
        }
    return false;
}

const char* FaultName(Fault fault) {
    switch (fault) {
    case Fault::StuckSensor:
        return "stuck";
    case Fault::SensorErr:
        return "err";
    case Fault::SensorRange:
        return "range";
    case Fault::PumpWithoutFlow:
        return "no-flow";
    case Fault::MissedYield:
        return "missed-yield";
    case Fault::Stagnation:
        return "stagnation";
    case Fault::HeatLoss:
        return "heat-loss";
    case Fault::PumpCycling:
        return "cycling";
    case Fault::FaultOutput:
        return "fault-output";
    case Fault::RecordingGap:
        return "gap";
    }
    return "";
}

GeneratedDay GenerateDay(const QDate& date, const DayOptions& options) {
    std::mt19937 random(options.Seed ^ static_cast<std::uint32_t>(date.toJulianDay()));
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::normal_distribution<double> noise(0.0, 1.0);

    const int interval = std::max(1, options.IntervalMinutes);
    const int gapStart = options.Gap ? 600 + static_cast<int>(unit(random) * 300) : -1;
    const int gapLength = 60 + static_cast<int>(unit(random) * 60);
    const double dayOfYear = date.dayOfYear();
    const double season =
        0.55 + 0.45 * std::cos((dayOfYear - 172.0) / 365.0 * 2.0 * std::numbers::pi);
    const double sunrise = 12.0 - 7.5 * season;
    const double sunset = 12.0 + 7.5 * season;
    const double outside = 4.0 + 18.0 * season;

    GeneratedDay result;
    std::vector<ActiveFault> planted;
    for (const PlantedFault& fault : options.Faults) {
        if (!RunsInto(fault, date))
            continue;
        PlantedFault local = fault;
        local.StartMinute = StartIn(fault, date);
        planted.push_back({local, fault.Held, result.Planted.size(), false});
        const int channel = fault.Kind == Fault::StuckSensor || fault.Kind == Fault::SensorErr ||
                                    fault.Kind == Fault::SensorRange
                                ? std::clamp(fault.Channel, 0, 6)
                                : -1;
        result.Planted.push_back({fault.Kind, channel, std::max(0, local.StartMinute),
                                  std::min(1440, local.StartMinute + local.Minutes)});
    }
    QByteArray& out = result.Bytes;
    out.reserve(1440 / interval * 80);
    out += Heading(options.Style) + "\r\n";

    Plant plant;
    plant.StoreBottom = 25.0 + 20.0 * season;
    plant.StoreTop = plant.StoreBottom + 12.0;
    double cloud = 1.0;
    const auto field = [&](double value, int decimals) -> QByteArray {
        const double r = unit(random);
        if (r < options.FaultChance)
            return "Err";
        if (r < options.FaultChance + options.EmptyChance)
            return QByteArray();
        return Number(value, decimals);
    };

    // The midnight record carries the previous day's date.
    for (int minute = 0; minute < 1440; minute += interval) {
        const double hour = minute / 60.0;
        double sun = 0.0;
        if (hour > sunrise && hour < sunset)
            sun = std::sin((hour - sunrise) / (sunset - sunrise) * std::numbers::pi);
        if (!options.Sunny) {
            cloud = std::clamp(cloud + 0.08 * noise(random), 0.1, 1.0);
            sun *= cloud;
        }
        const double gain = 900.0 * sun * season;
        const double target = outside + gain / 12.0;
        plant.Collector += (target - plant.Collector) * 0.06 * interval;
        const double difference = plant.Collector - plant.StoreBottom;
        if (!plant.PumpOn && difference > 7.0)
            plant.PumpOn = true;
        else if (plant.PumpOn && difference < 3.0)
            plant.PumpOn = false;

        double flow = 0.0;
        double power = 0.0;
        if (plant.PumpOn) {
            flow = std::round((8.0 + 0.3 * noise(random)) * 10.0) / 10.0;
            power = std::round(flow / 60.0 * 4186.0 * difference * 0.9);
            // The moving fluid holds the collector a little above the store.
            plant.Collector += (plant.StoreBottom + gain / 45.0 - plant.Collector) * 0.3;
            const double warmed = power * interval * 60.0 / (4186.0 * 1500.0); // 1500 l store
            plant.StoreBottom += warmed * 0.6;
            plant.StoreTop += warmed * 0.4;
        }
        plant.StoreTop -= 0.0015 * interval; // draw-off and losses
        plant.StoreBottom = std::min(plant.StoreBottom, plant.StoreTop);

        if (gapStart >= 0 && minute >= gapStart && minute < gapStart + gapLength)
            continue;
        Line line;
        line.Temps = {plant.Collector,
                      plant.StoreBottom,
                      plant.StoreTop,
                      plant.StoreBottom + 2.0,
                      outside + 0.5 * noise(random),
                      plant.PumpOn ? plant.Collector - 1.5 : plant.StoreBottom + 1.0,
                      plant.Collector + 0.8};
        line.Flow = flow;
        line.Power = power;
        line.Pump = plant.PumpOn ? 100 : 0;
        line.Heating = plant.StoreTop < 45.0 && hour > 16.0 ? 100 : 0;
        if (!PlantFaults(line, minute, planted, result.Planted))
            continue;
        const QDate stampDate = minute == 0 ? date.addDays(-1) : date;
        out += Stamp(stampDate, minute, options.Style);
        for (size_t c = 0; c < line.Temps.size(); ++c) {
            // Drawn for every field, so planting leaves the rest of the day as it was.
            const QByteArray text = field(line.Temps[c] + 0.05 * noise(random), 1);
            if (line.Err[c])
                out += ";Err";
            else if (line.Forced[c])
                out += ';' + Number(line.Temps[c], 1);
            else
                out += ';' + text;
        }
        out += ';' + Number(line.Flow, 1);
        out += ';' + Number(line.Power, 0);
        out += ';' + Number(line.Pump, 0);
        out += ';' + Number(line.Heating, 0);
        out += ";0;" + Number(line.Fault, 0) + "\r\n";
        flow = line.Flow;
        power = line.Power;

        const int held = std::min(interval, 1440 - minute);
        result.Volume += flow * held;
        result.EnergyKWh += power / 1000.0 * held / 60.0;
        ++result.DataLines;
    }
    return result;
}

QString DayFilePath(const QString& root, const QDate& date, FolderLayout layout) {
    const QString name = date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv");
    switch (layout) {
    case FolderLayout::Flat:
        return QDir(root).filePath(name);
    case FolderLayout::MonthFolders:
        return QDir(root).filePath(date.toString(QStringLiteral("MM/")) + name);
    case FolderLayout::YearMonthFolders:
        return QDir(root).filePath(date.toString(QStringLiteral("yyyy/MM/")) + name);
    }
    return QString();
}

QStringList WriteDays(const QString& root, const QDate& first, int days, FolderLayout layout,
                      DayOptions options) {
    QStringList paths;
    const std::uint32_t seed = options.Seed;
    for (int i = 0; i < days; ++i) {
        const QDate date = first.addDays(i);
        options.Seed = seed + static_cast<std::uint32_t>(i);
        options.Sunny = (seed + static_cast<std::uint32_t>(i)) % 3 != 0;
        const QString path = DayFilePath(root, date, layout);
        QDir().mkpath(QFileInfo(path).path());
        const GeneratedDay day = GenerateDay(date, options);
        // A stuck sensor holds its first day's value into the next days.
        size_t planted = 0;
        for (PlantedFault& fault : options.Faults) {
            if (!RunsInto(fault, date))
                continue;
            if (fault.Kind == Fault::StuckSensor && std::isnan(fault.Held))
                fault.Held = day.Planted[planted].Held;
            ++planted;
        }
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(day.Bytes) < 0)
            return {};
        paths << path;
    }
    return paths;
}

} // namespace loggen
