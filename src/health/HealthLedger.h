#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthThresholds.h"
#include "ledger/LedgerColumns.h"

#include <QString>

#include <vector>

// The health check in the yield ledger: the events of each day counted per kind into its row,
// and the columns that show the counts ("pump_without_flow_events", ...).
void CountDayEvents(const QString& file, LedgerRow& day, const ChannelRoles& roles,
                    const HealthThresholds& limits);
const std::vector<LedgerColumn>& HealthEventColumns();
