#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "settings/PlantProfile.h"

#include <vector>

// The roles a plant's profile gives its channels, and the profile with other roles.
ChannelRoles RolesOf(const PlantProfile& profile);
PlantProfile WithRoles(PlantProfile profile, const ChannelRoles& roles);

// Drops the events that an input without a sensor takes part in.
void DropUnusedInputs(std::vector<HealthEvent>& events, const ChannelRoles& roles);
