// Loads the day files of a folder into an analysis window as the multi-day analysis does and
// prints the process's peak resident memory: the memory figure of a year.
#include "BenchYear.h"
#include "logdata/TAnalysisData.h"
#include "settings/WindowSettings.h"
#include "ui/TChildform.h"

#include <QApplication>

#include <sys/resource.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList files = benchyear::YearFiles();
    if (files.isEmpty()) {
        std::fprintf(stderr, "loadyear: no day files\n");
        return 1;
    }
    {
        TChildform form(nullptr, WindowSettings::FactoryDefaults());
        form.resize(1600, 1000);
        form.show();
        benchyear::LoadIntoWindow(form, files);
        const bool shown = benchyear::ShowDayChannels(form);
        QApplication::processEvents();
        if (!form.Data() || form.Data()->GetDayCount() != static_cast<unsigned>(files.size()) ||
            !shown) {
            std::fprintf(stderr, "loadyear: the year was not loaded whole\n");
            return 1;
        }
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        std::printf("days %u peak_rss_kb %ld\n", form.Data()->GetDayCount(), usage.ru_maxrss);
    }
    return 0;
}
