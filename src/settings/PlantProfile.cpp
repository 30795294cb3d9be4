#include "settings/PlantProfile.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QString SectionStem = QStringLiteral("Plant");
const QString NoChannel = QStringLiteral("none");

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity PathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity PathCase = Qt::CaseSensitive;
#endif

bool IsAllDigits(const QString& name, int count) {
    if (name.size() != count)
        return false;
    for (QChar c : name)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// The section's number, or 0 for any section that is no plant's.
int PlantNumber(const QString& section) {
    if (!section.startsWith(SectionStem, Qt::CaseInsensitive))
        return 0;
    bool ok = false;
    const int number = section.mid(SectionStem.size()).toInt(&ok);
    return ok && number > 0 ? number : 0;
}

// A channel by its short name, within [first, last]; `fallback` for anything else.
int ReadChannel(const QString& text, int first, int last, bool noneAllowed, int fallback) {
    const QString name = text.trimmed();
    if (noneAllowed && name.compare(NoChannel, Qt::CaseInsensitive) == 0)
        return -1;
    for (int c = first; c <= last; ++c)
        if (name.compare(QLatin1String(ChannelShortNames[static_cast<size_t>(c)]),
                         Qt::CaseInsensitive) == 0)
            return c;
    return fallback;
}

QString ChannelKey(int channel) {
    return channel < 0 ? NoChannel : QLatin1String(ChannelShortNames[static_cast<size_t>(channel)]);
}

} // namespace

void PlantProfile::SetUnused(int channel, bool unused) {
    if (channel < 0 || channel >= InputCount)
        return;
    if (unused)
        UnusedInputs |= 1u << channel;
    else
        UnusedInputs &= ~(1u << channel);
}

void PlantProfile::SetFuel(PlantFuel fuel) {
    const FuelDefaults& defaults = plantprofile::DefaultsOf(fuel);
    Fuel = fuel;
    Efficiency = defaults.Efficiency;
    FuelPrice = defaults.PricePerKWh;
    Co2Factor = defaults.Co2KgPerKWh;
}

QString PlantProfile::Title() const {
    return Name.trimmed().isEmpty() ? QDir::toNativeSeparators(Folder) : Name.trimmed();
}

namespace plantprofile {

const FuelDefaults& DefaultsOf(PlantFuel fuel) {
    // Rounded typical figures; the README names where they come from.
    static const FuelDefaults table[PlantFuelCount] = {
        {"none", 1.0, 0.0, 0.0},        {"gas", 0.90, 0.12, 0.240},
        {"oil", 0.85, 0.10, 0.310},     {"electricity", 1.0, 0.40, 0.380},
        {"pellets", 0.85, 0.06, 0.020}, {"district-heat", 0.98, 0.15, 0.200},
    };
    const int index = static_cast<int>(fuel);
    return table[index >= 0 && index < PlantFuelCount ? index : 0];
}

bool FuelFromKey(const QString& key, PlantFuel& fuel) {
    for (int f = 0; f < PlantFuelCount; ++f)
        if (key.trimmed().compare(QLatin1String(DefaultsOf(static_cast<PlantFuel>(f)).Key),
                                  Qt::CaseInsensitive) == 0) {
            fuel = static_cast<PlantFuel>(f);
            return true;
        }
    return false;
}

QString CanonicalPath(const QString& path) {
    const QString absolute =
        QDir::cleanPath(QFileInfo(QDir::fromNativeSeparators(path)).absoluteFilePath());
    // What does not exist (a file gone since) keeps its name below the folders that do.
    QString rest;
    QString existing = absolute;
    for (;;) {
        const QString canonical = QFileInfo(existing).canonicalFilePath();
        if (!canonical.isEmpty())
            return rest.isEmpty() ? canonical : QDir::cleanPath(canonical + u'/' + rest);
        const QFileInfo info(existing);
        const QString parent = info.path();
        if (parent == existing)
            return absolute;
        rest = rest.isEmpty() ? info.fileName() : info.fileName() + u'/' + rest;
        existing = parent;
    }
}

QString DataFolderOf(const QString& path) {
    const QFileInfo info(CanonicalPath(path));
    QDir folder = info.isDir() ? QDir(info.filePath()) : info.dir();
    if (IsAllDigits(folder.dirName(), 2)) {
        QDir up = folder;
        if (up.cdUp()) {
            folder = up;
            if (IsAllDigits(folder.dirName(), 4) && up.cdUp())
                folder = up;
        }
    }
    return folder.absolutePath();
}

std::vector<PlantProfile> Read(const IniFile& ini) {
    std::vector<PlantProfile> profiles;
    for (const QString& section : ini.Sections()) {
        if (PlantNumber(section) == 0)
            continue;
        const auto value = [&](const char* key) {
            return ini.ReadString(section, QLatin1String(key), QString());
        };
        const QString folder = value("Folder");
        if (folder.isEmpty())
            continue;
        PlantProfile p;
        p.Folder = QDir::cleanPath(QDir::fromNativeSeparators(folder));
        if (std::any_of(profiles.begin(), profiles.end(), [&p](const PlantProfile& other) {
                return other.Folder.compare(p.Folder, PathCase) == 0;
            }))
            continue;
        p.Name = value("Name");
        bool ok = false;
        const double area = value("CollectorArea").replace(u',', u'.').toDouble(&ok);
        if (ok && area > 0.0 && area <= MaxAreaM2)
            p.AreaM2 = area;
        p.Collector = ReadChannel(value("Collector"), ChT1, ChTD, false, p.Collector);
        p.Store = ReadChannel(value("Store"), ChT1, ChTD, false, p.Store);
        p.Pump = ReadChannel(value("Pump"), ChR1, ChR3, false, p.Pump);
        p.Flow = ReadChannel(value("Flow"), ChFlow, ChFlow, true, p.Flow);
        for (const QString& name : value("Unused").split(u',', Qt::SkipEmptyParts))
            p.SetUnused(ReadChannel(name, ChT1, ChTD, false, -1), true);
        PlantFuel fuel = PlantFuel::None;
        if (FuelFromKey(value("Fuel"), fuel))
            p.SetFuel(fuel);
        // A figure missing or out of range keeps the fuel's default.
        const auto figure = [&](const char* key, double min, double max, double scale,
                                double& target) {
            bool valid = false;
            const double read = value(key).replace(u',', u'.').toDouble(&valid) / scale;
            if (valid && read >= min && read <= max)
                target = read;
        };
        figure("FuelPrice", 0.0, MaxFuelPrice, 1.0, p.FuelPrice);
        figure("EfficiencyPercent", MinEfficiency, MaxEfficiency, 100.0, p.Efficiency);
        figure("Co2KgPerKWh", 0.0, MaxCo2Factor, 1.0, p.Co2Factor);
        profiles.push_back(p);
    }
    return profiles;
}

void Write(IniFile& ini, const PlantProfile& profile) {
    QString section;
    int highest = 0;
    for (const QString& name : ini.Sections()) {
        const int number = PlantNumber(name);
        if (number == 0)
            continue;
        highest = std::max(highest, number);
        const QString folder = QDir::cleanPath(
            QDir::fromNativeSeparators(ini.ReadString(name, QStringLiteral("Folder"), QString())));
        if (section.isEmpty() && folder.compare(profile.Folder, PathCase) == 0)
            section = name;
    }
    if (section.isEmpty())
        section = SectionStem + QString::number(highest + 1);
    const auto write = [&](const char* key, const QString& value) {
        ini.WriteString(section, QLatin1String(key), value);
    };
    write("Folder", QDir::toNativeSeparators(profile.Folder));
    write("Name", profile.Name.simplified());
    write("CollectorArea",
          profile.HasArea() ? QString::number(profile.AreaM2, 'g', 10) : QString());
    write("Collector", ChannelKey(profile.Collector));
    write("Store", ChannelKey(profile.Store));
    write("Pump", ChannelKey(profile.Pump));
    write("Flow", ChannelKey(profile.Flow));
    QStringList unused;
    for (int c = 0; c < PlantProfile::InputCount; ++c)
        if (profile.IsUnused(c))
            unused << ChannelKey(c);
    write("Unused", unused.join(u','));
    const auto figure = [](double value) { return QString::number(value, 'g', 10); };
    write("Fuel", QLatin1String(DefaultsOf(profile.Fuel).Key));
    write("FuelPrice", figure(profile.FuelPrice));
    write("EfficiencyPercent", figure(profile.Efficiency * 100.0));
    write("Co2KgPerKWh", figure(profile.Co2Factor));
}

const PlantProfile* Nearest(const std::vector<PlantProfile>& profiles, const QString& path) {
    if (profiles.empty())
        return nullptr;
    const QFileInfo info(CanonicalPath(path));
    QDir folder = info.isDir() ? QDir(info.filePath()) : info.dir();
    for (;;) {
        const QString here = folder.absolutePath();
        for (const PlantProfile& profile : profiles)
            if (profile.Folder.compare(here, PathCase) == 0)
                return &profile;
        if (folder.isRoot() || !folder.cdUp())
            return nullptr;
    }
}

} // namespace plantprofile
