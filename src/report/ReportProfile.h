#pragma once

#include "settings/PlantProfile.h"

#include <QString>
#include <QStringList>

#include <vector>

// The plant profile that every file of a run falls under (the defaults where none does). Files
// under different profiles cannot be judged by one plant's roles: false, with `error` naming the
// profiles. Without files, the inputs as given decide.
bool SharedProfile(const std::vector<PlantProfile>& profiles, const QStringList& files,
                   const QStringList& inputs, PlantProfile& profile, QString& error);
