#pragma once

#include "core/Channels.h"

#include <QString>

#include <vector>

class IniFile;

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

    bool IsUnused(int channel) const {
        return channel >= 0 && channel < InputCount && (UnusedInputs >> channel & 1u) != 0;
    }
    void SetUnused(int channel, bool unused);
    bool HasArea() const { return AreaM2 > 0.0; }
    // The profile's name, else its folder; "" for the defaults.
    QString Title() const;

    bool operator==(const PlantProfile&) const = default;
};

namespace plantprofile {

// The largest collector area a profile accepts, in m²: beyond any one plant's logger.
inline constexpr double MaxAreaM2 = 100000.0;

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
