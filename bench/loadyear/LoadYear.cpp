// Loads the day files of a folder into an analysis window as the multi-day analysis does and
// prints the process's peak resident memory with an empty window and after the load, and the
// time the load took: the memory figures of a year and of ten. With a file named in
// SOLVISTA_BENCH_FILE it opens that one file instead (its failure is expected and ignored): how
// much reading an odd file costs.
#include "BenchYear.h"
#include "core/AppError.h"
#include "logdata/TAnalysisData.h"
#include "settings/WindowSettings.h"
#include "ui/TChildform.h"

#include <QApplication>
#include <QElapsedTimer>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString single = qEnvironmentVariable("SOLVISTA_BENCH_FILE");
    if (!single.isEmpty()) {
        TChildform form(nullptr, WindowSettings::FactoryDefaults());
        form.resize(1600, 1000);
        form.show();
        QApplication::processEvents();
        rusage empty{};
        getrusage(RUSAGE_SELF, &empty);
        QString outcome = QStringLiteral("loaded");
        try {
            form.LoadLogFile(single);
        } catch (const AppError& error) {
            outcome = error.Message();
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("peak_rss_kb %ld empty_rss_kb %ld load_ms 0\n", usage.ru_maxrss,
                    empty.ru_maxrss);
        std::fprintf(stderr, "loadyear: %s\n", qPrintable(outcome.simplified()));
        return 0;
    }
    const QStringList files = benchyear::YearFiles();
    if (files.isEmpty()) {
        std::fprintf(stderr, "loadyear: no day files\n");
        return 1;
    }
    {
        TChildform form(nullptr, WindowSettings::FactoryDefaults());
        form.resize(1600, 1000);
        form.show();
        QApplication::processEvents();
        rusage empty{};
        getrusage(RUSAGE_SELF, &empty);
        QElapsedTimer timer;
        timer.start();
        benchyear::LoadIntoWindow(form, files);
        const double loadMs = static_cast<double>(timer.nsecsElapsed()) / 1e6;
        const bool shown = benchyear::ShowDayChannels(form);
        QApplication::processEvents();
        if (!form.Data() || form.Data()->GetDayCount() != static_cast<unsigned>(files.size()) ||
            !shown) {
            std::fprintf(stderr, "loadyear: the year was not loaded whole\n");
            return 1;
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("days %u peak_rss_kb %ld empty_rss_kb %ld load_ms %.1f\n",
                    form.Data()->GetDayCount(), usage.ru_maxrss, empty.ru_maxrss, loadMs);
    }
    return 0;
}
