#include "report/ReportRun.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "core/LanguageTexts.h"
#include "health/HealthCheck.h"
#include "health/HealthFormat.h"
#include "health/HealthLedger.h"
#include "health/ProfileRoles.h"
#include "ledger/Ledger.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerInput.h"
#include "ledger/Savings.h"
#include "report/ReportOptions.h"
#include "report/ReportProfile.h"
#include "report/ReportWriter.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

// A reason on one line; what it quotes from outside cannot start another.
QString OneLine(QString text) {
    return EscapeControls(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                              .replace(QStringLiteral("\n\n"), QStringLiteral(": "))
                              .replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

// Reads the files, with a progress line on a terminal once the scan takes longer than a moment.
void ReadWithProgress(Ledger& ledger, HealthDays& health, const QStringList& files,
                      QTextStream& err, bool progress) {
    if (!progress) {
        ledger.ReadFiles(files, nullptr, {&health});
        return;
    }
    LedgerProgress state;
    std::atomic<bool> finished{false};
    std::thread reading([&] {
        ledger.ReadFiles(files, &state, {&health});
        finished = true;
    });
    using namespace std::chrono;
    const auto start = steady_clock::now();
    bool shown = false;
    while (!finished) {
        std::this_thread::sleep_for(milliseconds(100));
        if (finished || steady_clock::now() - start < milliseconds(700))
            continue;
        err << "\rReading log files: " << state.Done << " of " << files.size() << Qt::flush;
        shown = true;
    }
    reading.join();
    if (shown)
        err << "\r\x1b[K" << Qt::flush;
}

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

DateTime DayOf(QDate day) {
    DateTime value = 0.0;
    return day.isValid() && EncodeDate(day.year(), day.month(), day.day(), value) ? value : 0.0;
}

// What the run takes from the user's settings where they can be read, else the defaults.
struct UserSettings {
    HealthThresholds Limits;
    std::vector<PlantProfile> Plants;
};

UserSettings ReadUserSettings() {
    try {
        const SettingsStore store;
        return {HealthThresholds::FromValues(store.GetHealthValues()), store.GetPlantProfiles()};
    } catch (const AppError&) {
        return {};
    }
}

int RunHealth(const ReportOptions& options, const LedgerInput& input, const ChannelRoles& roles,
              const HealthThresholds& limits, QTextStream& out, QTextStream& err) {
    std::vector<FileFailure> failures;
    const std::vector<HealthEvent> events =
        CheckFiles(input.Files, DayOf(options.From), DayOf(options.To), roles, limits, &failures);
    for (const LedgerSkip& skip : input.Missing)
        err << "solvista-report: passed over " << EscapeControls(skip.File) << ": "
            << OneLine(skip.Reason) << '\n';
    for (const FileFailure& failure : failures)
        err << "solvista-report: passed over " << EscapeControls(failure.File) << ": "
            << OneLine(failure.Reason) << '\n';
    err << Qt::flush;
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
    CountDayEvents(health.Events(DayOf(options.From), DayOf(options.To)), ledger);
    for (const LedgerSkip& skip : input.Missing)
        err << "solvista-report: passed over " << EscapeControls(skip.File) << ": "
            << OneLine(skip.Reason) << '\n';
    for (const LedgerSkip& skip : ledger.Skipped())
        err << "solvista-report: passed over " << EscapeControls(skip.File) << ": "
            << OneLine(skip.Reason) << '\n';
    err << Qt::flush;
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
