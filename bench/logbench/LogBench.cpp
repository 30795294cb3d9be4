// Reading day files: the cost of one one-minute day from the page cache into a day record.
#include "LogGenerator.h"
#include "chart/SeriesHost.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void ReadDay(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("20100501.csv"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            state.SkipWithError("cannot write the day file");
            return;
        }
        file.write(loggen::GenerateDay(QDate(2010, 5, 1), loggen::DayOptions{}).Bytes);
    }
    MemoryHost chart, chart2;
    for (auto _ : state) {
        LogReader reader;
        LogLines lines;
        ChannelUnits units;
        const QByteArray heading = reader.ReadLogLines(path, lines);
        if (!reader.CheckHeading(heading, units)) {
            state.SkipWithError("heading refused");
            return;
        }
        TDay day(reader.GetFileDate(lines), &chart, &chart2);
        day.ReadLines(&lines, reader);
        benchmark::DoNotOptimize(day.GetVolume());
    }
    state.SetItemsProcessed(state.iterations() * 1440);
}
BENCHMARK(ReadDay)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
