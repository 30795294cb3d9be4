#pragma once

#include "health/HealthEvent.h"
#include "ledger/LedgerColumns.h"

#include <vector>

class Ledger;

// The event columns of a day row are the kinds, one to one.
static_assert(LedgerEventKindCount == EventKindCount);

// The health check in the yield ledger: each event of a range counted by kind into the row of
// the day it starts on (an event over midnight counts once), and the columns that show the
// counts ("pump_without_flow_events", ...).
void CountDayEvents(const std::vector<HealthEvent>& events, Ledger& ledger);
const std::vector<LedgerColumn>& HealthEventColumns();
