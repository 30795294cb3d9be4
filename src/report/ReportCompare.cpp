#include "report/ReportCompare.h"

#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "health/HealthLedger.h"
#include "health/ProfileRoles.h"
#include "ledger/CompareTexts.h"
#include "ledger/LedgerComparison.h"
#include "ledger/LedgerInput.h"
#include "ledger/Savings.h"
#include "report/ReportOptions.h"
#include "report/ReportProfile.h"
#include "report/ReportSteps.h"
#include "report/ReportWriter.h"

#include <array>

namespace {

// A period's row as the ledger gives it for the period as a whole; false when no file of the
// period could be read.
bool LedgerRowOf(const ReportPeriod& period, const QStringList& files, const ChannelRoles& roles,
                 const HealthThresholds& limits, SkipList& skips, QTextStream& err, bool progress,
                 LedgerRow& row) {
    Ledger ledger;
    ledger.SetRange(period.First, period.Last);
    HealthDays health(roles, limits);
    ReadWithProgress(ledger, health, files, err, progress);
    CountDayEvents(health.Events(ReportDay(period.First), ReportDay(period.Last)), ledger);
    skips.Add(ledger.Skipped());
    const std::vector<LedgerRow> totals = ledger.Totals(period.Level);
    row = totals.front(); // the range is the period: one row
    return ledger.FilesRead() > 0;
}

// A period's events by kind, counted from what the health check lists for it.
bool HealthRowOf(const ReportPeriod& period, const QStringList& files, const ChannelRoles& roles,
                 const HealthThresholds& limits, SkipList& skips, LedgerRow& row) {
    std::vector<FileFailure> failures;
    const std::vector<HealthEvent> events = CheckFiles(
        files, ReportDay(period.First), ReportDay(period.Last), roles, limits, &failures);
    skips.Add(failures);
    const EventCounts counts = CountByKind(events);
    row.Level = period.Level;
    row.Start = period.First;
    for (size_t k = 0; k < counts.size(); ++k)
        row.Events[k] = counts[k];
    return failures.size() < static_cast<size_t>(files.size());
}

} // namespace

int RunCompare(const ReportOptions& options, QTextStream& out, QTextStream& err, bool progress) {
    std::array<LedgerInput, 2> inputs;
    QStringList allFiles;
    for (size_t p = 0; p < inputs.size(); ++p) {
        inputs[p] =
            CollectLedgerInput(options.Inputs, options.Compare[p].First, options.Compare[p].Last);
        allFiles += inputs[p].Files;
    }
    const UserSettings settings = ReadUserSettings();
    PlantProfile profile;
    QString error;
    if (!SharedProfile(settings.Plants, allFiles, options.Inputs, profile, error)) {
        err << "solvista-report: " << error << '\n' << Qt::flush;
        return 2;
    }
    const ChannelRoles roles = RolesOf(profile);
    SkipList skips(err);
    std::array<LedgerRow, 2> rows;
    bool anyRead = false;
    for (size_t p = 0; p < inputs.size(); ++p) {
        skips.Add(inputs[p].Missing);
        const ReportPeriod& period = options.Compare[p];
        const bool read =
            options.Health
                ? HealthRowOf(period, inputs[p].Files, roles, settings.Limits, skips, rows[p])
                : LedgerRowOf(period, inputs[p].Files, roles, settings.Limits, skips, err, progress,
                              rows[p]);
        anyRead = anyRead || read;
    }
    if (!anyRead) {
        err << "solvista-report: no file could be read\n" << Qt::flush;
        return 1;
    }

    std::vector<LedgerColumn> columns;
    if (!options.Health)
        columns = LedgerColumnsWithSavings(SavingsBasis::Of(options.Overridden(profile)));
    columns.insert(columns.end(), HealthEventColumns().begin(), HealthEventColumns().end());
    // The ledger compares what adds up; the event counts are all the health check has.
    const ComparedColumn compared = options.Health
                                        ? ComparedColumn([](const LedgerColumn&) { return true; })
                                        : ComparedColumn(IsComparedColumn);
    const LedgerDifference difference = CompareRows(rows[0], rows[1], columns, compared);
    const ReportWriter writer(columns);
    std::vector<ReportLine> lines = writer.Lines({rows[0], rows[1]});
    lines.push_back(
        {{QStringLiteral("difference"), difference.Absolute}, Text(TextCompareDifference)});
    lines.push_back({{QStringLiteral("difference_percent"), difference.Percent},
                     Text(TextCompareDifferencePercent),
                     1});
    out << writer.Write(lines, options.Format) << Qt::flush;
    return 0;
}
