#pragma once

#include "core/Channels.h"
#include "core/DateTime.h"

#include <array>
#include <bitset>

// What one accepted line of a day file holds: the values of the channels whose field is a number.
// The reader makes these from the file; a day record hands the same back from what it kept.
struct DayLine {
    DateTime Time = 0.0;
    bool Gap = false; // the line follows a gap in the recording
    std::bitset<FileChannelCount> Has;
    std::bitset<FileChannelCount> Err; // the field reads "Err": a fault the logger saw
    // The value is a whole number of tenths below 2^23 in size: a float keeps it exactly.
    std::bitset<FileChannelCount> Tenths;
    std::array<double, FileChannelCount> Values{};
};
