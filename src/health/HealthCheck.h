#pragma once

#include "health/ChannelRoles.h"
#include "health/HealthEvent.h"
#include "health/HealthThresholds.h"
#include "logdata/DayFileReading.h"

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

// The health check of day files as they are read (with the ledger, or alone): each day checked
// on its reading thread, the range finished once all are in.
class HealthDays : public DayConsumer {
public:
    HealthDays(const ChannelRoles& roles, const HealthThresholds& limits);
    ~HealthDays() override;
    // The events of the days taken, with the days of [from, to] that have no file; a 0 date
    // leaves that end at the first or last day taken.
    std::vector<HealthEvent> Events(DateTime from, DateTime to) const;

    void Prepare(size_t files) override;
    std::unique_ptr<DayWorker> MakeWorker() override;
    void Take(size_t index) override;

    struct Day;

private:
    ChannelRoles FRoles;
    HealthThresholds FLimits;
    std::vector<Day> FRead; // by file index, while reading
    std::vector<Day> FDays;
};

// The events of day files read without chart series, with the days of [from, to] that have no
// file; a 0 date leaves that end at the first or last day read. Files passed over go to
// `failures` with the reason.
using FileFailure = DaySkip;
std::vector<HealthEvent> CheckFiles(const QStringList& files, DateTime from, DateTime to,
                                    const ChannelRoles& roles, const HealthThresholds& limits,
                                    std::vector<FileFailure>* failures = nullptr);

// Joins events of one kind and the same channels that meet (one ended where the next began, as
// at midnight between two days' checks). `events` must be sorted by start.
void JoinTouchingEvents(std::vector<HealthEvent>& events);
