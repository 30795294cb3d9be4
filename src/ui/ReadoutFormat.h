#pragma once

#include "core/DateTime.h"

#include <QString>

// How the cursor readout and the span statistics write numbers, units and times: the decimal
// separator of the current language, as many decimals as the channel's readings carry.
namespace readout {

int Decimals(int channel);
QString Number(double value, int decimals);
// A unit as the heading gives it ("[°C]") without its brackets; outputs are levels in percent.
QString UnitOf(int channel, const QString& headingUnit);
QString Moment(DateTime time);
// Hours and minutes, hours beyond 24 included ("30:05").
QString Duration(double days);

} // namespace readout
