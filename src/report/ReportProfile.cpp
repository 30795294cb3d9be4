#include "report/ReportProfile.h"

#include "core/FileFailure.h"

#include <QFileInfo>
#include <QHash>

#include <algorithm>

namespace {

QString Named(const PlantProfile* profile) {
    if (profile == nullptr)
        return QStringLiteral("the defaults (no profile)");
    return QStringLiteral("\"%1\" (%2)").arg(profile->Title(), profile->Folder);
}

} // namespace

bool SharedProfile(const std::vector<PlantProfile>& profiles, const QStringList& files,
                   const QStringList& inputs, PlantProfile& profile, QString& error) {
    std::vector<const PlantProfile*> found;
    // A year of files lies in a few folders: each folder is looked up once.
    QHash<QString, const PlantProfile*> byFolder;
    const bool ofFiles = !files.isEmpty();
    for (const QString& path : ofFiles ? files : inputs) {
        const QFileInfo info(path);
        const QString folder = ofFiles ? info.absolutePath() : info.absoluteFilePath();
        auto known = byFolder.find(folder);
        if (known == byFolder.end())
            known = byFolder.insert(folder, plantprofile::Nearest(profiles, path));
        if (std::find(found.begin(), found.end(), *known) == found.end())
            found.push_back(*known);
    }
    if (found.size() > 1) {
        QStringList names;
        for (const PlantProfile* p : found)
            names << Named(p);
        error = EscapeControls(QStringLiteral("the files belong to different plant profiles: %1; "
                                              "report each plant on its own")
                                   .arg(names.join(QStringLiteral(", "))));
        return false;
    }
    profile = found.empty() || found.front() == nullptr ? PlantProfile() : *found.front();
    return true;
}
