#include "report/ReportRun.h"

#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "health/HealthFormat.h"
#include "health/HealthLedger.h"
#include "health/ProfileRoles.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerInput.h"
#include "ledger/Savings.h"
#include "report/ReportCompare.h"
#include "report/ReportOptions.h"
#include "report/ReportProfile.h"
#include "report/ReportSteps.h"
#include "report/ReportWriter.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>

namespace {

// The language of --language, else the one chosen in the program, else English: the table and the
// reasons for passed-over files speak it.
void SelectLanguage(const ReportOptions& options) {
    int number = options.LanguageNumber;
    if (number == 0) {
        try {
            number = SettingsStore().GetMainSettings().Language;
        } catch (const AppError&) {
            number = 0; // no settings to read: as if none was chosen
        }
    }
    SetCurrentTexts(number == 0 ? TextArrayId::English : TextArrayForLanguage(number));
}

int RunHealth(const ReportOptions& options, const LedgerInput& input, const ChannelRoles& roles,
              const HealthThresholds& limits, QTextStream& out, QTextStream& err) {
    std::vector<FileFailure> failures;
    const std::vector<HealthEvent> events = CheckFiles(
        input.Files, ReportDay(options.From), ReportDay(options.To), roles, limits, &failures);
    SkipList skips(err);
    skips.Add(input.Missing);
    skips.Add(failures);
    if (failures.size() == static_cast<size_t>(input.Files.size())) {
        err << "solvista-report: no file could be read\n" << Qt::flush;
        return 1;
    }
    switch (options.Format) {
    case ReportFormat::Text:
        out << HealthText(events);
        break;
    case ReportFormat::Csv:
        out << HealthCsv(events);
        break;
    case ReportFormat::Json:
        out << HealthJson(events);
        break;
    }
    out << Qt::flush;
    return 0;
}

} // namespace

int RunReport(const QStringList& arguments, QTextStream& out, QTextStream& err, bool progress) {
    ReportOptions options;
    QString error;
    if (!options.Parse(arguments, error)) {
        err << "solvista-report: " << error << " (try --help)\n" << Qt::flush;
        return 2;
    }
    if (options.Help) {
        out << ReportOptions::Usage() << Qt::flush;
        return 0;
    }
    if (options.Version) {
        out << "solvista-report " << QCoreApplication::applicationVersion() << '\n' << Qt::flush;
        return 0;
    }

    SelectLanguage(options);
    if (options.Comparing())
        return RunCompare(options, out, err, progress);
    const LedgerInput input = CollectLedgerInput(options.Inputs, options.From, options.To);
    const UserSettings settings = ReadUserSettings();
    PlantProfile profile;
    if (!SharedProfile(settings.Plants, input.Files, options.Inputs, profile, error)) {
        err << "solvista-report: " << error << '\n' << Qt::flush;
        return 2;
    }
    const ChannelRoles roles = RolesOf(profile);
    if (options.Health)
        return RunHealth(options, input, roles, settings.Limits, out, err);
    Ledger ledger;
    ledger.SetRange(options.From, options.To);
    // Each day row counts the events of the health check too, found in the same reading.
    HealthDays health(roles, settings.Limits);
    ReadWithProgress(ledger, health, input.Files, err, progress);
    CountDayEvents(health.Events(ReportDay(options.From), ReportDay(options.To)), ledger);
    SkipList skips(err);
    skips.Add(input.Missing);
    skips.Add(ledger.Skipped());
    if (ledger.FilesRead() == 0) {
        err << "solvista-report: no file could be read\n" << Qt::flush;
        return 1;
    }
    std::vector<LedgerColumn> columns =
        LedgerColumnsWithSavings(SavingsBasis::Of(options.Overridden(profile)));
    columns.insert(columns.end(), HealthEventColumns().begin(), HealthEventColumns().end());
    const ReportWriter writer(columns);
    out << writer.Write(ledger.Rows(options.By), options.Format) << Qt::flush;
    return 0;
}
