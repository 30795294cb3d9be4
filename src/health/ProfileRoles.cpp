#include "health/ProfileRoles.h"

#include <algorithm>

ChannelRoles RolesOf(const PlantProfile& profile) {
    ChannelRoles roles;
    roles.Collector = profile.Collector;
    roles.Store = profile.Store;
    roles.Pump = profile.Pump;
    roles.Flow = profile.Flow;
    roles.Unused = profile.UnusedInputs;
    return roles;
}

PlantProfile WithRoles(PlantProfile profile, const ChannelRoles& roles) {
    profile.Collector = roles.Collector;
    profile.Store = roles.Store;
    profile.Pump = roles.Pump;
    profile.Flow = roles.Flow;
    profile.UnusedInputs = roles.Unused;
    return profile;
}

void DropUnusedInputs(std::vector<HealthEvent>& events, const ChannelRoles& roles) {
    if (roles.Unused == 0)
        return;
    const auto unused = [&roles](int channel) {
        return channel >= 0 && channel < PlantProfile::InputCount &&
               (roles.Unused >> channel & 1u) != 0;
    };
    std::erase_if(events, [&unused](const HealthEvent& event) {
        return std::any_of(event.Channels.begin(), event.Channels.end(), unused);
    });
}
