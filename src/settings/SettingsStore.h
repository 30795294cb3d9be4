#pragma once

#include "core/Platform.h"
#include "settings/PlantProfile.h"
#include "settings/WindowSettings.h"

#include <QMap>
#include <QString>

#include <cstdint>
#include <vector>

// The values of the "Main" section that are handed out and taken back as a pair.
struct MainSettings {
    std::int8_t Language = 0; // 0 = none chosen yet, 1..7 the languages
    QString LastUsedDir;

    bool operator==(const MainSettings&) const = default;
};

// Everything the program remembers between runs, in one INI file per user. The file is read once,
// at creation; afterwards every Set... writes its group of keys. Values in memory are the truth:
// a Set... updates them even when the write fails.
class SettingsStore {
public:
    static inline const QString MakerFolder = QStringLiteral("Tarvex");
    static inline const QString FileName = QStringLiteral("Solvista.ini");

    // Locates and reads the INI file. Raises AppError when it cannot be located or an existing
    // file cannot be read; a missing file reads as the factory defaults.
    explicit SettingsStore(Platform& platform = Platform::System());

    MainSettings GetMainSettings() const;
    // Raises AppError (text 95) when the file cannot be written; memory is updated regardless.
    void SetMainSettings(std::int8_t language, const QString& lastUsedDir);

    WindowSettings GetNewWindowSettings() const;
    void SetNewWindowSettings(const WindowSettings& settings);

    // The "Health" section as written, key by key; the health check gives the values their
    // meaning and defaults. Setting replaces the section's keys that are given, others stay.
    QMap<QString, QString> GetHealthValues() const;
    void SetHealthValues(const QMap<QString, QString>& values);

    // The plant profiles of the "PlantN" sections.
    const std::vector<PlantProfile>& GetPlantProfiles() const { return FPlants; }
    // The profile of the nearest folder, walking up from `path` (a day file or a folder), that
    // has one; the defaults, with an empty Folder, where none has.
    PlantProfile ProfileFor(const QString& path) const;
    // Keeps `profile` for its Folder (which must be set), in place of the one kept there.
    void SetPlantProfile(const PlantProfile& profile);

    QString GetExcelPath() const;
    void SetExcelPath(const QString& path);

    // False once the INI file's folder proved unusable; saves then change memory only.
    bool IsIniWritable() const;
    const QString& IniPath() const { return FIniPath; }

private:
    void LocateIniFile();
    void ReadIniFile();
    // Writes one group of keys in a single replacement of the file; raises text 95 on failure.
    template <typename WriteKeys> void SaveGroup(WriteKeys&& writeKeys);

    Platform& FPlatform;
    QString FIniPath;
    QString FExcelPath;
    bool FIniWritable = true;
    MainSettings FMain;
    WindowSettings FNewWindow;
    QMap<QString, QString> FHealth;
    std::vector<PlantProfile> FPlants;
};
