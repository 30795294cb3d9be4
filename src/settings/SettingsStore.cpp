#include "settings/SettingsStore.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "core/Platform.h"
#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <utility>

namespace {

constexpr int TextIniAccess = 95;

// Text 95 with the reason on a line of its own.
[[noreturn]] void RaiseIniAccess(const QString& reason) {
    if (reason.isEmpty())
        AppError::RaiseText(TextIniAccess);
    AppError::Raise(Text(TextIniAccess) + QStringLiteral("\n\n") + EscapeControls(reason));
}

const QString MainSection = QStringLiteral("Main");
const QString ChildSection = QStringLiteral("Child");
const QString OpenChannelsKey = QStringLiteral("OpenChannels");
const QString HealthSection = QStringLiteral("Health");

// Key stem and slot, in the order the keys are read and written (Power before Volume, unlike the
// slots).
struct SlotKey {
    const char* Stem;
    int Slot;
};
constexpr SlotKey SlotKeys[SettingsSlotCount] = {
    {"T1", SlotT1},       {"T2", SlotT2},         {"T3", SlotT3},         {"T4", SlotT4},
    {"T5", SlotT5},       {"T6", SlotT6},         {"TD", SlotTD},         {"Flow", SlotFlow},
    {"Power", SlotPower}, {"Volume", SlotVolume}, {"Energy", SlotEnergy}, {"R1", SlotR1},
    {"R2", SlotR2},       {"R3", SlotR3},         {"RError", SlotRError}};

QString LabelKey(const SlotKey& key) { return QLatin1String(key.Stem) + QStringLiteral("Label"); }
QString ColorKey(const SlotKey& key) { return QLatin1String(key.Stem) + QStringLiteral("Color"); }

std::int8_t CheckedLanguage(int value) {
    const auto language = static_cast<std::int8_t>(static_cast<std::uint8_t>(value & 0xFF));
    return language >= 0 && language <= 7 ? language : std::int8_t{0};
}

bool IsWindowsFamily(Platform::Family family) {
    return family == Platform::Family::Win32s || family == Platform::Family::Windows9x ||
           family == Platform::Family::WindowsNT;
}

} // namespace

SettingsStore::SettingsStore(Platform& platform) : FPlatform(platform) {
    LocateIniFile();
    FMain.Language = 0;
    FMain.LastUsedDir = QDir::toNativeSeparators(FPlatform.ExecutableFolder());
    if (!FMain.LastUsedDir.endsWith(QDir::separator())) // a root folder has one already
        FMain.LastUsedDir += QDir::separator();
    FNewWindow = WindowSettings::FactoryDefaults();
    ReadIniFile();
}

void SettingsStore::LocateIniFile() {
    const Platform::Family family = FPlatform.OsFamily();
    QString base;
    if (family == Platform::Family::Posix) {
        base = FPlatform.UserConfigFolder();
        // The configuration folder itself may be missing on a fresh account.
        if (base.isEmpty() || !FPlatform.MakeFolder(base)) {
            FIniWritable = false;
            AppError::RaiseText(TextIniAccess);
        }
    } else {
        QString variable;
        switch (family) {
        case Platform::Family::Win32s:
            AppError::Raise(QStringLiteral("Not compatible to Windows 3.11"));
        case Platform::Family::Windows9x:
            variable = QStringLiteral("WinDir");
            break;
        case Platform::Family::WindowsNT: {
            const int major = FPlatform.OsMajorVersion();
            if (major <= 4)
                variable = QStringLiteral("WinDir");
            else if (major == 5)
                variable = QStringLiteral("AppData");
            else if (FPlatform.Environment(QStringLiteral("LocalAppData")))
                variable = QStringLiteral("LocalAppData");
            else
                variable = QStringLiteral("AppData");
            break;
        }
        default:
            AppError::RaiseText(TextIniAccess);
        }
        const std::optional<QString> value = FPlatform.Environment(variable);
        if (!value || value->isEmpty())
            AppError::RaiseText(TextIniAccess);
        base = *value;
    }
    const QChar separator = IsWindowsFamily(family) ? u'\\' : u'/';
    QString folder = base;
    if (!folder.endsWith(separator))
        folder += separator;
    folder += MakerFolder;
    if (!FPlatform.MakeFolder(folder)) {
        FIniWritable = false;
        AppError::RaiseText(TextIniAccess);
    }
    FIniPath = folder + separator + FileName;
}

void SettingsStore::ReadIniFile() {
    IniFile ini(FIniPath);
    ini.RemoveStaleTemporaries();
    if (!ini.Load())
        RaiseIniAccess(ReadFailureReason(FIniPath));
    FExcelPath = ini.ReadString(MainSection, QStringLiteral("ExcelPath"), QString());
    for (const QString& key : ini.Keys(HealthSection))
        FHealth.insert(key, ini.ReadString(HealthSection, key, QString()));
    FPlants = plantprofile::Read(ini);
    FMain.LastUsedDir =
        ini.ReadString(MainSection, QStringLiteral("LastUsedDir"), FMain.LastUsedDir);
    FMain.Language = CheckedLanguage(ini.ReadInteger(MainSection, QStringLiteral("Language"), 0));

    const WindowSettings defaults = WindowSettings::FactoryDefaults();
    WindowSettings& w = FNewWindow;
    w.ChartTitle = ini.ReadString(ChildSection, QStringLiteral("ChartTitle"), defaults.ChartTitle);
    w.LineWidth = ini.ReadInteger(ChildSection, QStringLiteral("LineWidth"), defaults.LineWidth);
    w.AxisMin = ini.ReadInteger(ChildSection, QStringLiteral("AxisMin"), defaults.AxisMin);
    w.AxisMax = ini.ReadInteger(ChildSection, QStringLiteral("AxisMax"), defaults.AxisMax);
    w.DynamicScaling = ini.ReadInteger(ChildSection, QStringLiteral("DynamicScaling"),
                                       defaults.DynamicScaling) != 0;
    for (const SlotKey& key : SlotKeys)
        w.Labels[key.Slot] = ini.ReadString(ChildSection, LabelKey(key), defaults.Labels[key.Slot]);
    for (const SlotKey& key : SlotKeys)
        w.Colors[key.Slot] = static_cast<ColorRef>(ini.ReadInteger(
            ChildSection, ColorKey(key), static_cast<int>(defaults.Colors[key.Slot])));
    w.OthersShowBars = ini.ReadInteger(ChildSection, QStringLiteral("OthersShowBars"),
                                       defaults.OthersShowBars) != 0;
    w.RShowBars =
        ini.ReadInteger(ChildSection, QStringLiteral("RShowBars"), defaults.RShowBars) != 0;
    w.OpenChannels = ini.ReadString(ChildSection, OpenChannelsKey, defaults.OpenChannels);
}

template <typename WriteKeys> void SettingsStore::SaveGroup(WriteKeys&& writeKeys) {
    if (!FIniWritable)
        return;
    if (!QFileInfo(QFileInfo(FIniPath).absolutePath()).isDir()) {
        FIniWritable = false;
        RaiseIniAccess(Text(TextFileFolderMissing));
    }
    // Another program may have changed the file since it was read: start from what it holds now,
    // so only this group's keys change. An unreadable file is not overwritten.
    IniFile ini(FIniPath);
    if (!ini.Load())
        RaiseIniAccess(ReadFailureReason(FIniPath));
    if (QFileInfo::exists(FIniPath) && !FPlatform.MayWriteFile(FIniPath))
        RaiseIniAccess(Text(TextFileAccessDenied));
    std::forward<WriteKeys>(writeKeys)(ini);
    QString reason;
    if (!ini.Save(&reason))
        RaiseIniAccess(reason);
}

MainSettings SettingsStore::GetMainSettings() const { return FMain; }

void SettingsStore::SetMainSettings(std::int8_t language, const QString& lastUsedDir) {
    FMain.Language = language;
    FMain.LastUsedDir = lastUsedDir;
    SaveGroup([this](IniFile& ini) {
        ini.WriteInteger(MainSection, QStringLiteral("Language"), FMain.Language);
        ini.WriteString(MainSection, QStringLiteral("LastUsedDir"), FMain.LastUsedDir);
    });
}

WindowSettings SettingsStore::GetNewWindowSettings() const { return FNewWindow; }

void SettingsStore::SetNewWindowSettings(const WindowSettings& settings) {
    FNewWindow = settings;
    SaveGroup([this](IniFile& ini) {
        const WindowSettings& w = FNewWindow;
        ini.WriteString(ChildSection, QStringLiteral("ChartTitle"), w.ChartTitle);
        ini.WriteInteger(ChildSection, QStringLiteral("LineWidth"), w.LineWidth);
        ini.WriteInteger(ChildSection, QStringLiteral("AxisMin"), w.AxisMin);
        ini.WriteInteger(ChildSection, QStringLiteral("AxisMax"), w.AxisMax);
        ini.WriteInteger(ChildSection, QStringLiteral("DynamicScaling"), w.DynamicScaling ? 1 : 0);
        for (const SlotKey& key : SlotKeys)
            ini.WriteString(ChildSection, LabelKey(key), w.Labels[key.Slot]);
        for (const SlotKey& key : SlotKeys)
            ini.WriteInteger(ChildSection, ColorKey(key), static_cast<int>(w.Colors[key.Slot]));
        ini.WriteInteger(ChildSection, QStringLiteral("OthersShowBars"), w.OthersShowBars ? 1 : 0);
        ini.WriteInteger(ChildSection, QStringLiteral("RShowBars"), w.RShowBars ? 1 : 0);
        // A file that never had channels chosen stays as it was.
        if (!w.OpenChannels.isEmpty() ||
            !ini.ReadString(ChildSection, OpenChannelsKey, {}).isEmpty())
            ini.WriteString(ChildSection, OpenChannelsKey, w.OpenChannels);
    });
}

QMap<QString, QString> SettingsStore::GetHealthValues() const { return FHealth; }

void SettingsStore::SetHealthValues(const QMap<QString, QString>& values) {
    for (auto it = values.begin(); it != values.end(); ++it)
        FHealth.insert(it.key(), it.value());
    SaveGroup([&values](IniFile& ini) {
        for (auto it = values.begin(); it != values.end(); ++it)
            ini.WriteString(HealthSection, it.key(), it.value());
    });
}

PlantProfile SettingsStore::ProfileFor(const QString& path) const {
    const PlantProfile* found = plantprofile::Nearest(FPlants, path);
    return found != nullptr ? *found : PlantProfile();
}

void SettingsStore::SetPlantProfile(const PlantProfile& profile) {
    if (profile.Folder.isEmpty())
        return;
    const auto kept = std::find_if(FPlants.begin(), FPlants.end(), [&](const PlantProfile& p) {
        return p.Folder == profile.Folder;
    });
    if (kept != FPlants.end())
        *kept = profile;
    else
        FPlants.push_back(profile);
    SaveGroup([&profile](IniFile& ini) { plantprofile::Write(ini, profile); });
}

QString SettingsStore::GetExcelPath() const { return FExcelPath; }

void SettingsStore::SetExcelPath(const QString& path) {
    FExcelPath = path;
    SaveGroup([this](IniFile& ini) {
        ini.WriteString(MainSection, QStringLiteral("ExcelPath"), FExcelPath);
    });
}

bool SettingsStore::IsIniWritable() const { return FIniWritable; }
