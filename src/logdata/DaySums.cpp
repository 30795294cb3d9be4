#include "logdata/DaySums.h"

#include "core/Channels.h"

#include <algorithm>

DaySums::DaySums(DateTime from, DateTime to)
    : FFrom(from), FTo(to), FVolume(MinutesPerDay, from, to), FEnergy(24.0, from, to) {
    for (OutputSum& output : FOutputs)
        output.Time = LeftRectangleSum(24.0, from, to);
}

void DaySums::AddLine(const DayLine& line, bool ended) {
    if (line.Has[ChFlow])
        AddFlow(line.Time, line.Values[ChFlow]);
    if (line.Has[ChPower])
        AddPower(line.Time, line.Values[ChPower]);
    for (int k = 0; k < DayOutputCount; ++k)
        if (line.Has[static_cast<size_t>(ChR1 + k)])
            AddOutput(k, line.Time, line.Values[static_cast<size_t>(ChR1 + k)]);
    if (ended)
        EndLine(line.Time);
}

void DaySums::AddPower(DateTime time, double power) {
    FEnergy.Add(FLastLineTime, time, power);
    if (!FPowerHasFraction && std::floor(power) != power)
        FPowerHasFraction = true;
}

void DaySums::AddOutput(int output, DateTime time, double level) {
    OutputSum& sum = FOutputs[static_cast<size_t>(output)];
    const bool on = level > 0.0;
    sum.Time.Add(FLastLineTime, time, on ? 1.0 : 0.0);
    if (on && sum.Seen && !sum.On && time >= FFrom && time < FTo)
        sum.StartTimes.push_back(time);
    sum.On = on;
    sum.Seen = true;
}

DateTime DaySums::CarryEnd(DateTime lastLineTime, DateTime dayStart) {
    return std::min(CeilDay(lastLineTime), dayStart + 1.0);
}

double DaySums::CarryDays(DateTime lastLineTime, DateTime dayStart) {
    if (!(lastLineTime > 1000))
        return 0.0;
    return std::max(0.0, CarryEnd(lastLineTime, dayStart) - lastLineTime);
}

void DaySums::Finish(DateTime dayStart, bool complete) {
    if (complete && FLastLineTime > 1000) {
        const DateTime end = CarryEnd(FLastLineTime, dayStart);
        FVolume.Hold(FLastLineTime, end);
        FEnergy.Hold(FLastLineTime, end);
        for (OutputSum& output : FOutputs)
            output.Time.Hold(FLastLineTime, end);
    }
    if (!FPowerHasFraction)
        FEnergy.Scale(0.001);
}
