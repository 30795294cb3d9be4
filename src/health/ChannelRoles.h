#pragma once

#include "core/Channels.h"

#include <array>

// Which channel plays which part in the plant. The defaults fit the common plant with one
// collector and one store; a plant wired otherwise changes them per analysis. A role of -1 has
// no channel (a plant without a flow meter): the checks that need it are left out.
struct ChannelRoles {
    int Collector = ChT1;
    int Store = ChT2;
    int Pump = ChR1;
    int Flow = ChFlow;
    int Power = ChPower;
    // Bit c: input c has no sensor; nothing is judged by it.
    unsigned Unused = 0;

    bool operator==(const ChannelRoles&) const = default;
};
