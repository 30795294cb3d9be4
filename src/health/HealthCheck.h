#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "health/HealthThresholds.h"

#include <QString>
#include <QStringList>

#include <vector>

class TAnalysisData;
class TDay;

// The events of a day, or of every day of an analysis with the days missing from its range,
// sorted by start. An event that runs over midnight is one event.
std::vector<HealthEvent> CheckDay(const TDay& day, const ChannelRoles& roles,
                                  const HealthThresholds& limits);
std::vector<HealthEvent> CheckAnalysis(const TAnalysisData& data, const ChannelRoles& roles,
                                       const HealthThresholds& limits);

// The events of day files read without chart series (as the ledger reads them), with the days of
// [from, to] that have no file; a 0 date leaves that end at the first or last day read. Files
// that cannot be read go to `failures` with the reason.
struct FileFailure {
    QString File;
    QString Reason;
};
std::vector<HealthEvent> CheckFiles(const QStringList& files, DateTime from, DateTime to,
                                    const ChannelRoles& roles, const HealthThresholds& limits,
                                    std::vector<FileFailure>* failures = nullptr);

// Joins events of one kind and the same channels that meet (one ended where the next began, as
// at midnight between two days' checks). `events` must be sorted by start.
void JoinTouchingEvents(std::vector<HealthEvent>& events);
