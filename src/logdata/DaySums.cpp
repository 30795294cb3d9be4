#include "logdata/DaySums.h"

#include <algorithm>

double DaySums::CarryDays(DateTime lastLineTime, DateTime dayStart) {
    if (!(lastLineTime > 1000))
        return 0.0;
    const DateTime end = std::min(CeilDay(lastLineTime), dayStart + 1.0);
    return std::max(0.0, end - lastLineTime);
}

void DaySums::Finish(DateTime dayStart, bool complete) {
    if (complete) {
        const double d = CarryDays(FLastLineTime, dayStart);
        FVolume.Carry(d);
        FEnergy.Carry(d);
    }
    if (!FPowerHasFraction)
        FEnergy.Scale(0.001);
}
