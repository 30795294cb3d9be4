#include "report/ReportRun.h"

#include "ledger/Ledger.h"
#include "ledger/LedgerColumns.h"
#include "ledger/LedgerInput.h"
#include "report/ReportOptions.h"
#include "report/ReportWriter.h"

#include <QCoreApplication>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

QString OneLine(QString text) {
    return text.replace(QStringLiteral("\r"), QString())
        .replace(QStringLiteral("\n\n"), QStringLiteral(": "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '));
}

// Reads the files, with a progress line on a terminal once the scan takes longer than a moment.
void ReadWithProgress(Ledger& ledger, const QStringList& files, QTextStream& err, bool progress) {
    if (!progress) {
        ledger.ReadFiles(files);
        return;
    }
    LedgerProgress state;
    std::atomic<bool> finished{false};
    std::thread reading([&] {
        ledger.ReadFiles(files, &state);
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

    const LedgerInput input = CollectLedgerInput(options.Inputs, options.From, options.To);
    Ledger ledger;
    ledger.SetRange(options.From, options.To);
    ReadWithProgress(ledger, input.Files, err, progress);
    for (const LedgerSkip& skip : input.Missing)
        err << "solvista-report: passed over " << skip.File << ": " << OneLine(skip.Reason) << '\n';
    for (const LedgerSkip& skip : ledger.Skipped())
        err << "solvista-report: passed over " << skip.File << ": " << OneLine(skip.Reason) << '\n';
    err << Qt::flush;
    if (ledger.FilesRead() == 0) {
        err << "solvista-report: no file could be read\n" << Qt::flush;
        return 1;
    }
    const ReportWriter writer(LedgerColumns());
    out << writer.Write(ledger.Rows(options.By), options.Format) << Qt::flush;
    return 0;
}
