// Loads the day files of a folder into an analysis window as the multi-day analysis does and
// prints the process's resident memory with an empty window, then its peak during the load and
// its resident memory after it (the peak is reset to the empty window's size before the load),
// and the time the load took: the memory figures of a year and of ten. With a file named in
// SOLVISTA_BENCH_FILE it opens that one file instead (its failure is expected and ignored): how
// much reading an odd file costs.
#include "BenchYear.h"
#include "core/AppError.h"
#include "logdata/TAnalysisData.h"
#include "settings/WindowSettings.h"
#include "ui/TChildform.h"

#include <QApplication>
#include <QElapsedTimer>

#include <QFile>

#include <cstdio>

namespace {

// VmRSS and VmHWM of this process in kB, -1 where unreadable.
struct Resident {
    long NowKb = -1;
    long PeakKb = -1;
};

Resident ResidentNow() {
    Resident resident;
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return resident;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            resident.NowKb = line.mid(6).trimmed().split(' ').front().toLong();
        else if (line.startsWith("VmHWM:"))
            resident.PeakKb = line.mid(6).trimmed().split(' ').front().toLong();
    }
    return resident;
}

// The empty window's resident size, with the peak set back to it so that what follows shows.
bool ResetPeak(Resident& empty) {
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (!clear.open(QIODevice::WriteOnly) || clear.write("5") != 1 || !clear.flush())
        return false;
    empty = ResidentNow();
    return empty.NowKb > 0 && empty.PeakKb > 0 && empty.PeakKb <= empty.NowKb + 64;
}

void Print(const Resident& empty, const Resident& after, double loadMs) {
    std::printf("empty_rss_kb %ld peak_rss_kb %ld rss_kb %ld load_ms %.1f\n", empty.NowKb,
                after.PeakKb, after.NowKb, loadMs);
}

} // namespace

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
        Resident empty;
        if (!ResetPeak(empty)) {
            std::fprintf(stderr, "loadyear: the peak resident size could not be reset\n");
            return 1;
        }
        QString outcome = QStringLiteral("loaded");
        try {
            form.LoadLogFile(single);
        } catch (const AppError& error) {
            outcome = error.Message();
        }
        QApplication::processEvents();
        Print(empty, ResidentNow(), 0.0);
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
        Resident empty;
        if (!ResetPeak(empty)) {
            std::fprintf(stderr, "loadyear: the peak resident size could not be reset\n");
            return 1;
        }
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
        Print(empty, ResidentNow(), loadMs);
    }
    return 0;
}
