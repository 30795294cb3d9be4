#pragma once

#include "core/Channels.h"

#include <QString>

#include <vector>

class IniFile;

// The fuel the solar heat saves: what the boiler would otherwise have burnt, or none.
enum class PlantFuel { None, Gas, Oil, Electricity, Pellets, DistrictHeat };
inline constexpr int PlantFuelCount = 6;

// What a fuel is taken to be where the user gives nothing else.
struct FuelDefaults {
    const char* Key;    // in the settings file and on the command line
    double Efficiency;  // of the boiler, 1 = 100 %
    double PricePerKWh; // of fuel, in the user's currency
    double Co2KgPerKWh; // of fuel burnt
};

// What a plant is made of, kept per data folder in the user's settings: its name, the collector
// area, which channel plays which part, and the inputs that have no sensor. A plant's day files
// lie in its folder or below it.
struct PlantProfile {
    static constexpr int InputCount = ChTD + 1; // T1..T6 and TD may go unused

    QString Folder; // canonical absolute path; empty: the defaults, kept nowhere
    QString Name;
    double AreaM2 = 0.0; // 0: not known
    int Collector = ChT1;
    int Store = ChT2;
    int Pump = ChR1;
    int Flow = ChFlow;         // -1: no flow meter
    unsigned UnusedInputs = 0; // bit c: input c has no sensor
    PlantFuel Fuel = PlantFuel::None;
    double FuelPrice = 0.0;  // per kWh of fuel
    double Efficiency = 1.0; // of the boiler the solar heat relieves, 1 = 100 %
    double Co2Factor = 0.0;  // kg per kWh of fuel

    bool IsUnused(int channel) const {
        return channel >= 0 && channel < InputCount && (UnusedInputs >> channel & 1u) != 0;
    }
    void SetUnused(int channel, bool unused);
    bool HasArea() const { return AreaM2 > 0.0; }
    // The fuel with its defaults for price, efficiency and CO2 factor.
    void SetFuel(PlantFuel fuel);
    // The profile's name, else its folder; "" for the defaults.
    QString Title() const;

    bool operator==(const PlantProfile&) const = default;
};

namespace plantprofile {

// The largest collector area a profile accepts, in m²: beyond any one plant's logger.
inline constexpr double MaxAreaM2 = 100000.0;
// The ranges of the fuel's figures: a boiler from 1 % to a heat pump's 500 %, prices and CO2
// factors well beyond any fuel's.
inline constexpr double MinEfficiency = 0.01;
inline constexpr double MaxEfficiency = 5.0;
inline constexpr double MaxFuelPrice = 100.0;
inline constexpr double MaxCo2Factor = 5.0;

const FuelDefaults& DefaultsOf(PlantFuel fuel);
// A fuel by its key, without regard to case; false for anything else.
bool FuelFromKey(const QString& key, PlantFuel& fuel);

// `path` made absolute, clean and, where it exists, free of links: the form folders are compared
// and kept in.
QString CanonicalPath(const QString& path);

// The folder a plant's profile belongs to, for a day file or a folder: a month folder "MM" and
// a year folder "YYYY" above it are the data folder's own layout, so the folder above them.
QString DataFolderOf(const QString& path);

// The profiles of the sections "Plant1", "Plant2", ... in file order; sections without a folder
// are passed over, and of two with the same folder the first counts. Values that make no sense
// keep their defaults.
std::vector<PlantProfile> Read(const IniFile& ini);
// Writes `profile` into the section that holds its folder, or a new "PlantN" after the others.
void Write(IniFile& ini, const PlantProfile& profile);

// The profile of the nearest folder, walking up from `path` (a day file or a folder), that has
// one; nullptr where none has.
const PlantProfile* Nearest(const std::vector<PlantProfile>& profiles, const QString& path);

} // namespace plantprofile
