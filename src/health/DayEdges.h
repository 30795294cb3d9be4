#pragma once

#include "core/DateTime.h"
#include "health/HealthEvent.h"
#include "health/HealthThresholds.h"

#include <vector>

// A range is checked as one stretch of time, though each day is checked on its own (and on
// several threads). What a day leaves open at its edges is kept here, unjudged, and joined with
// the neighbouring days' once all are in: a fault that each side of midnight holds too briefly
// for its kind is still found, once, with its true start and end.

// A run of a kind with a least duration that touches the day's start or end.
struct EdgePiece {
    HealthEvent Event; // stuck sensor: the value held, else the piece's own figure
    bool AtStart = false;
    bool AtEnd = false;
    // Stuck sensor: how far the collector moved during the piece.
    double CollectorLow = 0.0;
    double CollectorHigh = 0.0;
};

// A start of the pump and the moment it stopped again.
struct PumpStart {
    DateTime Time = 0.0;
    DateTime RunEnd = 0.0;
    bool RunsToDayEnd = false; // still on (or unknown) at the day's last line
};

struct DayEdges {
    DateTime Day = 0.0;
    bool HasLines = false;
    DateTime FirstLine = 0.0;
    DateTime LastEnd = 0.0; // one interval after the last line
    std::vector<EdgePiece> Pieces;
    int Pump = -1;
    std::vector<PumpStart> Starts;
    // The pump's run from the day's first line, if it was on (or unknown) there.
    bool PumpOnAtStart = false;
    bool PumpOnAllDay = false;
    DateTime PumpOnUntil = 0.0;
};

// Whether an event of a kind with a least duration lasts long enough for it.
bool LastsLongEnough(EventKind kind, DateTime start, DateTime end, const HealthThresholds& limits);

// Pump-cycling events from the starts of a pump, in time order.
void FindCyclingWindows(const std::vector<PumpStart>& starts, int pump,
                        const HealthThresholds& limits, std::vector<HealthEvent>& events);

// Joins the days' edge pieces across midnight where no recording gap lies between, judges each
// joined piece by its kind's limits, and finds pump cycling over all days' starts. `days` in date
// order; appends to `events`.
void JoinDayEdges(const std::vector<const DayEdges*>& days, const HealthThresholds& limits,
                  std::vector<HealthEvent>& events);
