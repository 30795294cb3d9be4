#include "report/ReportSteps.h"

#include "core/AppError.h"
#include "core/FileFailure.h"
#include "health/HealthCheck.h"
#include "settings/SettingsStore.h"

#include <atomic>
#include <chrono>
#include <thread>

QString OneLine(QString text) {
    return EscapeControls(text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"))
                              .replace(QStringLiteral("\n\n"), QStringLiteral(": "))
                              .replace(QLatin1Char('\n'), QLatin1Char(' ')));
}

DateTime ReportDay(QDate day) {
    DateTime value = 0.0;
    return day.isValid() && EncodeDate(day.year(), day.month(), day.day(), value) ? value : 0.0;
}

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

void SkipList::Add(const std::vector<DaySkip>& skips) {
    for (const DaySkip& skip : skips) {
        const QString line = QStringLiteral("solvista-report: passed over %1: %2")
                                 .arg(EscapeControls(skip.File), OneLine(skip.Reason));
        if (Said.contains(line))
            continue;
        Said.insert(line);
        Err << line << '\n';
    }
    Err << Qt::flush;
}

UserSettings ReadUserSettings() {
    try {
        const SettingsStore store;
        return {HealthThresholds::FromValues(store.GetHealthValues()), store.GetPlantProfiles()};
    } catch (const AppError&) {
        return {};
    }
}
