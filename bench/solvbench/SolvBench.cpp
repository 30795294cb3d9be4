// The figures of a year of one-minute logs: loading it, drawing it, moving through it, and how
// long the program takes to show its first window. Charts are drawn offscreen.
#include "BenchYear.h"
#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "health/HealthCheck.h"
#include "health/HealthLedger.h"
#include "ledger/Ledger.h"
#include "logdata/DayFileCollection.h"
#include "logdata/ReferenceShift.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TMonth.h"
#include "output/ChartOutput.h"
#include "output/DataExport.h"
#include "settings/WindowSettings.h"
#include "ui/ChartCursor.h"
#include "ui/TChildform.h"
#include "ui/TDialogMultiDayAnalysis.h"
#include "ui/analysis/ReferencePeriod.h"

#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMouseEvent>
#include <QPrinter>
#include <QProcess>
#include <QSlider>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

constexpr int DaySpanItem = 3;
constexpr int MonthSpanItem = 4;
// A day in summer, with sun and a month of 31 days around it.
constexpr int SummerDay = 190;
// The window's size on a desktop screen, and filling a 3840x2160 screen.
constexpr QSize DesktopSize(1600, 1000);
constexpr QSize LargeSize(3840, 2160);

double Seconds(const QElapsedTimer& timer) {
    return static_cast<double>(timer.nsecsElapsed()) * 1e-9;
}

// The floors under the load: the year's bytes read in this process and nothing done with them.
// `read` into one buffer kept for every file (the least reading can cost), and QFile::readAll,
// which hands out a buffer per file as the loader reads. Each on one thread and on every core,
// the threads taking files from a shared counter as the ledger's reading threads do.
class YearBytes {
public:
    static const YearBytes& Get() {
        static const YearBytes bytes;
        return bytes;
    }
    bool Ready() const { return FFiles.size() == 365 && FTotal > 0; }
    qsizetype Total() const { return FTotal; }
    const QStringList& Files() const { return FFiles; }
    const std::vector<QByteArray>& Names() const { return FNames; }
    qsizetype Largest() const { return FLargest; }

private:
    YearBytes() : FFiles(benchyear::YearFiles()) {
        for (const QString& file : FFiles) {
            const qsizetype size = QFileInfo(file).size();
            FTotal += size;
            FLargest = std::max(FLargest, size);
            FNames.push_back(QFile::encodeName(file));
        }
    }
    QStringList FFiles;
    std::vector<QByteArray> FNames;
    qsizetype FTotal = 0;
    qsizetype FLargest = 0;
};

// The bytes of one file read into `buffer`, or -1.
qsizetype ReadInto(const QByteArray& name, std::vector<char>& buffer) {
    const int fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return -1;
    qsizetype total = 0;
    ssize_t got = 0;
    while ((got = ::read(fd, buffer.data(), buffer.size())) > 0)
        total += got;
    ::close(fd);
    return got < 0 ? -1 : total;
}

qsizetype ReadAllOf(const QString& file) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray bytes = in.readAll();
    benchmark::DoNotOptimize(bytes.constData());
    return in.error() == QFileDevice::NoError ? bytes.size() : -1;
}

// Reads every file of the year with `readOne(index, buffer)` on `threads` threads; the bytes read
// in all, or -1 when a file failed.
template <typename ReadOne> qsizetype ReadYear(unsigned threads, const ReadOne& readOne) {
    const YearBytes& year = YearBytes::Get();
    std::atomic<size_t> next{0};
    std::atomic<qsizetype> total{0};
    std::atomic<bool> failed{false};
    auto work = [&] {
        // One more byte than the largest file, so that a file ends in one read and its end in one.
        std::vector<char> buffer(static_cast<size_t>(year.Largest()) + 1);
        qsizetype mine = 0;
        for (size_t i = next++; i < year.Names().size(); i = next++) {
            const qsizetype got = readOne(i, buffer);
            if (got < 0)
                failed = true;
            mine += got;
        }
        total += mine;
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < threads; ++t)
        helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers)
        helper.join();
    return failed ? -1 : total.load();
}

void ReadFloor(benchmark::State& state, unsigned threads, bool qfile) {
    const YearBytes& year = YearBytes::Get();
    if (!year.Ready()) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    for (auto _ : state) {
        const qsizetype bytes =
            qfile ? ReadYear(threads,
                             [&](size_t i, std::vector<char>&) {
                                 return ReadAllOf(year.Files()[static_cast<qsizetype>(i)]);
                             })
                  : ReadYear(threads, [&](size_t i, std::vector<char>& buffer) {
                        return ReadInto(year.Names()[i], buffer);
                    });
        if (bytes != year.Total()) {
            state.SkipWithError("not every byte was read");
            return;
        }
    }
    state.SetBytesProcessed(state.iterations() * year.Total());
    state.counters["threads"] = threads;
}
unsigned Cores() { return std::max(1u, std::thread::hardware_concurrency()); }
void ReadFloorOneThread(benchmark::State& state) { ReadFloor(state, 1, false); }
void ReadFloorAllCores(benchmark::State& state) { ReadFloor(state, Cores(), false); }
void ReadAllFloorOneThread(benchmark::State& state) { ReadFloor(state, 1, true); }
void ReadAllFloorAllCores(benchmark::State& state) { ReadFloor(state, Cores(), true); }
BENCHMARK(ReadFloorOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadFloorAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadAllFloorOneThread)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(ReadAllFloorAllCores)->Unit(benchmark::kMillisecond)->UseRealTime();

// The year into a data set, its further files read on `threads` reading threads (0: one per
// core; 1: this thread, file after file, as the multi-day load reads it without threads).
void LoadYearOn(benchmark::State& state, int threads) {
    const QStringList files = benchyear::YearFiles();
    if (files.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    for (auto _ : state) {
        MemoryHost chart, chart2;
        TAnalysisData data;
        benchyear::LoadIntoDataSet(data, files, &chart, &chart2, threads);
        benchmark::DoNotOptimize(data.GetDayCount());
        if (data.GetDayCount() != 365) {
            state.SkipWithError("not every day was read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 365);
}
void LoadYear(benchmark::State& state) { LoadYearOn(state, 1); }
BENCHMARK(LoadYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);
void LoadYearAllCores(benchmark::State& state) { LoadYearOn(state, 0); }
BENCHMARK(LoadYearAllCores)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same year as a user loads it: the multi-day dialog drives the window, with its Esc poll
// (which lets pending events through) and its progress bar after every file.
void LoadYearWindow(benchmark::State& state) {
    const QStringList files = benchyear::YearFiles();
    if (files.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    TChildform form(nullptr, WindowSettings::FactoryDefaults());
    form.resize(1600, 1000);
    form.show();
    TDialogMultiDayAnalysis dialog;
    const DateTime first = benchyear::DateOfFile(files.front());
    const DateTime last = benchyear::DateOfFile(files.back());
    for (auto _ : state) {
        state.PauseTiming();
        dialog.PrepareDialog(&form, files.front());
        dialog.show(); // every showing starts waiting for input
        QApplication::processEvents();
        state.ResumeTiming();
        dialog.RunMultiDayLoad(files, first, last);
        state.PauseTiming();
        const bool whole = form.Data() && form.Data()->GetDayCount() == 365;
        dialog.hide();
        state.ResumeTiming();
        if (!whole) {
            state.SkipWithError("not every day was read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * 365);
}
BENCHMARK(LoadYearWindow)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The yield ledger of the same year: every file read, nothing drawn. `repeat` reads the year's
// files that many times over, as an archive of that many years (the same bytes per file).
void LedgerOf(benchmark::State& state, int repeat) {
    const QStringList year = benchyear::YearFiles();
    if (year.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    QStringList files;
    for (int i = 0; i < repeat; ++i)
        files << year;
    for (auto _ : state) {
        Ledger ledger;
        ledger.ReadFiles(files);
        benchmark::DoNotOptimize(ledger.Days().data());
        if (ledger.FilesRead() != files.size()) {
            state.SkipWithError("not every day was read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * files.size());
}
void LedgerYear(benchmark::State& state) { LedgerOf(state, 1); }
void LedgerTenYears(benchmark::State& state) { LedgerOf(state, 10); }
BENCHMARK(LedgerYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(LedgerTenYears)->Unit(benchmark::kMillisecond);

// The health check of the same year, every file read as the ledger reads it: it should cost no
// more than the ledger, so that checking can go along with every ledger.
void HealthYear(benchmark::State& state) {
    const QStringList files = benchyear::YearFiles();
    if (files.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    for (auto _ : state) {
        std::vector<FileFailure> failures;
        const std::vector<HealthEvent> events =
            CheckFiles(files, 0.0, 0.0, ChannelRoles(), HealthThresholds(), &failures);
        benchmark::DoNotOptimize(events.data());
        if (!failures.empty()) {
            state.SkipWithError("not every day was checked");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK(HealthYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The ledger and the health check of the same year in one reading, as the report makes them.
void LedgerAndHealthYear(benchmark::State& state) {
    const QStringList files = benchyear::YearFiles();
    if (files.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    for (auto _ : state) {
        Ledger ledger;
        HealthDays health{ChannelRoles(), HealthThresholds()};
        ledger.ReadFiles(files, nullptr, {&health});
        const std::vector<HealthEvent> events = health.Events(0.0, 0.0);
        CountDayEvents(events, ledger);
        benchmark::DoNotOptimize(events.data());
        if (ledger.FilesRead() != files.size()) {
            state.SkipWithError("not every day was read");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * files.size());
}
BENCHMARK(LedgerAndHealthYear)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The widest range the dialog accepts, 1000-01-01 to 9999-12-31, over fifteen years of files in
// year and month folders (empty files: only their names count).
void CollectWidestRange(benchmark::State& state) {
    QTemporaryDir dir;
    for (QDate day(2000, 1, 1); day.year() < 2015; day = day.addDays(1)) {
        const QString folder = dir.filePath(day.toString(QStringLiteral("yyyy/MM")));
        QDir().mkpath(folder);
        QFile(QDir(folder).filePath(day.toString(QStringLiteral("yyyyMMdd")) + ".csv"))
            .open(QIODevice::WriteOnly);
    }
    DateTime first = 0;
    DateTime last = 0;
    EncodeDate(1000, 1, 1, first);
    EncodeDate(9999, 12, 31, last);
    for (auto _ : state) {
        std::vector<DayFile> files;
        DayFileCollection::InRange(dir.filePath(QStringLiteral("2000/01")), first,
                                   static_cast<int>(last - first), files);
        if (files.size() != 5479) {
            state.SkipWithError("not every file was found");
            return;
        }
    }
}
BENCHMARK(CollectWidestRange)->Unit(benchmark::kMillisecond);

// An analysis window over the widest range, 1000-01-01 to 9999-12-31, with a day file at each
// end: about 108,000 months. Loading it and closing the window again, each timed on its own.
void WidestRangeWindow(benchmark::State& state, bool close) {
    QTemporaryDir dir;
    QStringList files;
    loggen::DayOptions options;
    options.IntervalMinutes = 60;
    for (const QDate day : {QDate(1000, 1, 1), QDate(9999, 12, 31)}) {
        files << dir.filePath(day.toString(QStringLiteral("yyyyMMdd")) + ".csv");
        QFile file(files.back());
        file.open(QIODevice::WriteOnly);
        file.write(loggen::GenerateDay(day, options).Bytes);
    }
    for (auto _ : state) {
        if (close)
            state.PauseTiming();
        auto form = std::make_unique<TChildform>(nullptr, WindowSettings::FactoryDefaults());
        benchyear::LoadIntoWindow(*form, files);
        // The months the window holds, not GetMonthCount: that counts only the two with a day.
        int months = 0;
        for (const TMonth* m = form->Data() ? form->Data()->GetFirstMonth() : nullptr; m != nullptr;
             m = m->GetNext())
            ++months;
        const bool whole = months >= 107000 && form->Data()->GetDayCount() == 2;
        if (close)
            state.ResumeTiming();
        else
            state.PauseTiming();
        form.reset();
        if (!close)
            state.ResumeTiming();
        if (!whole) {
            state.SkipWithError("the range was not loaded whole");
            return;
        }
    }
}
void LoadWidestRange(benchmark::State& state) { WidestRangeWindow(state, false); }
void CloseWidestRange(benchmark::State& state) { WidestRangeWindow(state, true); }
BENCHMARK(LoadWidestRange)->Unit(benchmark::kMillisecond);
BENCHMARK(CloseWidestRange)->Unit(benchmark::kMillisecond);

// The data export of the whole year, every log column, built and written to a file.
void ExportYear(benchmark::State& state, ExportFormat format) {
    const QStringList files = benchyear::YearFiles();
    if (files.size() != 365) {
        state.SkipWithError("the year's files are missing");
        return;
    }
    MemoryHost chart, chart2;
    TAnalysisData data;
    benchyear::LoadIntoDataSet(data, files, &chart, &chart2);
    ExportRequest request{format, {}};
    for (int channel = 0; channel < FileChannelCount; ++channel)
        request.Channels.push_back(channel);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("year.csv"));
    int lines = 0;
    for (auto _ : state) {
        DataExport out(data, request);
        lines = out.Build();
        out.Save(path);
    }
    if (lines < 365 * 1440)
        state.SkipWithError("not every line was exported");
    state.SetItemsProcessed(state.iterations() * lines);
}
void ExportYearLog(benchmark::State& state) { ExportYear(state, ExportFormat::Log); }
void ExportYearInternational(benchmark::State& state) {
    ExportYear(state, ExportFormat::International);
}
BENCHMARK(ExportYearLog)->Unit(benchmark::kMillisecond);
BENCHMARK(ExportYearInternational)->Unit(benchmark::kMillisecond);

// One analysis window holding the year with every day channel ticked, shared by the drawing and
// moving figures.
class YearWindow {
public:
    static YearWindow& Get() {
        if (!Instance)
            Instance.reset(new YearWindow);
        return *Instance;
    }
    // The window must go before the application does.
    static void Drop() { Instance.reset(); }
    TChildform& Form() { return *FForm; }
    bool Ready() const { return FReady; }

    void Redraw() {
        for (ChartSurface* chart : FCharts)
            chart->replot(QCustomPlot::rpImmediateRefresh);
    }
    void Settle() {
        QApplication::processEvents();
        Redraw();
    }
    void ChooseSpan(int item) { FForm->SpanTimeChange(item); }
    // The summer day in the day span, whatever was shown before.
    void ShowSummerDay() {
        ChooseSpan(DaySpanItem);
        if (auto* slider = FForm->findChild<QSlider*>())
            slider->setValue(SummerDay);
    }
    void Resize(QSize size) {
        if (FForm->size() == size)
            return;
        FForm->resize(size);
        Settle();
    }

    // The two charts as one picture, "ours-NAME.png", and "layout-NAME.json": the picture's size,
    // each plot area within it and its value ranges, so that a peer draws the same pixels.
    bool SavePicture(const QString& folder, const QString& name) {
        QRect both;
        for (const ChartSurface* chart : FCharts)
            both |= QRect(chart->mapTo(FForm.get(), QPoint(0, 0)), chart->size());
        QJsonArray charts;
        for (const ChartSurface* chart : FCharts) {
            const QRect area = chart->PlotArea().translated(
                chart->mapTo(FForm.get(), QPoint(0, 0)) - both.topLeft());
            charts.append(
                QJsonObject{{QStringLiteral("name"), chart->objectName()},
                            {QStringLiteral("area"),
                             QJsonArray{area.left(), area.top(), area.width(), area.height()}},
                            {QStringLiteral("left"),
                             QJsonArray{chart->yAxis->range().lower, chart->yAxis->range().upper}},
                            {QStringLiteral("right"), QJsonArray{chart->yAxis2->range().lower,
                                                                 chart->yAxis2->range().upper}}});
        }
        const QJsonObject layout{{QStringLiteral("width"), both.width()},
                                 {QStringLiteral("height"), both.height()},
                                 {QStringLiteral("charts"), charts}};
        QFile out(QStringLiteral("%1/layout-%2.json").arg(folder, name));
        return FForm->grab(both).save(QStringLiteral("%1/ours-%2.png").arg(folder, name)) &&
               out.open(QIODevice::WriteOnly) && out.write(QJsonDocument(layout).toJson()) > 0 &&
               out.flush();
    }

private:
    YearWindow() : FForm(std::make_unique<TChildform>(nullptr, WindowSettings::FactoryDefaults())) {
        FForm->resize(DesktopSize);
        FForm->show();
        const QStringList files = benchyear::YearFiles();
        if (files.size() != 365)
            return;
        benchyear::LoadIntoWindow(*FForm, files);
        FCharts = FForm->findChildren<ChartSurface*>();
        FReady = benchyear::ShowDayChannels(*FForm) && FCharts.size() == 2;
        if (auto* slider = FForm->findChild<QSlider*>())
            slider->setValue(SummerDay);
        Settle();
    }
    static inline std::unique_ptr<YearWindow> Instance;
    std::unique_ptr<TChildform> FForm;
    QList<ChartSurface*> FCharts;
    bool FReady = false;
};

void DrawSpan(benchmark::State& state, int item, QSize size, const char* suffix) {
    YearWindow& window = YearWindow::Get();
    if (!window.Ready()) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.Resize(size);
    window.ShowSummerDay();
    window.ChooseSpan(item);
    window.Settle();
    for (auto _ : state)
        window.Redraw();
    // What was measured, to be looked at and drawn by the peer: SOLVISTA_BENCH_SHOTS names a
    // folder.
    const QString shots = qEnvironmentVariable("SOLVISTA_BENCH_SHOTS");
    const QString name = QLatin1String(item == DaySpanItem ? "day" : "month") + suffix;
    if (!shots.isEmpty() && !window.SavePicture(shots, name))
        state.SkipWithError("the picture or the layout could not be saved");
    window.ChooseSpan(DaySpanItem);
    window.Resize(DesktopSize);
}

void DrawDay(benchmark::State& state) { DrawSpan(state, DaySpanItem, DesktopSize, ""); }
void DrawMonth(benchmark::State& state) { DrawSpan(state, MonthSpanItem, DesktopSize, ""); }
void DrawDayLarge(benchmark::State& state) { DrawSpan(state, DaySpanItem, LargeSize, "-large"); }
void DrawMonthLarge(benchmark::State& state) {
    DrawSpan(state, MonthSpanItem, LargeSize, "-large");
}
BENCHMARK(DrawDay)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawMonth)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawDayLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawMonthLarge)->Unit(benchmark::kMillisecond);

// The same summer day with the week before laid beneath it: every channel twice.
void DrawDayWithReference(benchmark::State& state) {
    YearWindow& window = YearWindow::Get();
    if (!window.Ready()) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.Resize(DesktopSize);
    window.ShowSummerDay();
    try {
        window.Form().Reference().Load(ReferenceShift::DaysEarlier(7));
    } catch (const AppError& error) {
        state.SkipWithError(error.Message().toStdString().c_str());
        return;
    }
    window.Settle();
    const int underlaid = window.Form().Reference().ShownSeriesCount();
    for (auto _ : state)
        window.Redraw();
    window.Form().Reference().Clear();
    window.Settle();
    if (underlaid < 13)
        state.SkipWithError("the reference did not lie beneath the thirteen channels");
}
BENCHMARK(DrawDayWithReference)->Unit(benchmark::kMillisecond);

// From a whole day, one step right takes in the next morning: the series are fetched again.
void MoveAcrossMidnightAt(benchmark::State& state, QSize size) {
    YearWindow& window = YearWindow::Get();
    if (!window.Ready()) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.Resize(size);
    window.ShowSummerDay();
    window.Settle();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        window.Form().ScrollStep(TChildform::ScrollDirection::Right);
        window.Redraw();
        state.SetIterationTime(Seconds(timer));
        window.Form().ScrollStep(TChildform::ScrollDirection::Left);
        window.Settle();
    }
    window.Resize(DesktopSize);
}
void MoveAcrossMidnight(benchmark::State& state) { MoveAcrossMidnightAt(state, DesktopSize); }
void MoveAcrossMidnightLarge(benchmark::State& state) { MoveAcrossMidnightAt(state, LargeSize); }
BENCHMARK(MoveAcrossMidnight)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(MoveAcrossMidnightLarge)->UseManualTime()->Unit(benchmark::kMillisecond);

void SwitchToMonth(benchmark::State& state) {
    YearWindow& window = YearWindow::Get();
    if (!window.Ready()) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.ChooseSpan(DaySpanItem);
    window.Settle();
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        window.ChooseSpan(MonthSpanItem);
        window.Redraw();
        state.SetIterationTime(Seconds(timer));
        window.ChooseSpan(DaySpanItem);
        window.Settle();
    }
}
BENCHMARK(SwitchToMonth)->UseManualTime()->Unit(benchmark::kMillisecond);

// Counts the paints a widget gets.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    int Paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        Paints += event->type() == QEvent::Paint;
        return false;
    }
};

// The mouse moves over the upper chart of the summer day: the cursor line on both charts, the
// readout of the thirteen channels, and what the move left to paint painted, as the event loop
// does next: whatever the charts asked for, a strip, the whole widget or a replot.
void CursorMoveAt(benchmark::State& state, QSize size) {
    YearWindow& window = YearWindow::Get();
    if (!window.Ready()) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.Resize(size);
    window.ShowSummerDay();
    window.Settle();
    const QList<ChartSurface*> charts = window.Form().findChildren<ChartSurface*>();
    ChartSurface* chart = window.Form().findChild<ChartSurface*>(QStringLiteral("Chart"));
    auto* cursor = window.Form().findChild<ChartCursor*>();
    if (chart == nullptr || cursor == nullptr) {
        state.SkipWithError("no chart or cursor");
        return;
    }
    const QRect area = chart->PlotArea();
    PaintCounter upper(charts.value(0));
    PaintCounter lower(charts.value(1));
    int step = 0;
    for (auto _ : state) {
        // Back and forth across the plot, a few pixels a move, as a hand moves the mouse.
        const int x = area.left() + 1 + (step++ * 7) % (area.width() - 2);
        const QPointF at(x, area.center().y());
        QMouseEvent move(QEvent::MouseMove, at, chart->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(chart, &move);
        QCoreApplication::sendPostedEvents();
    }
    if (!cursor->Visible() || cursor->ReadoutLines().size() < 14)
        state.SkipWithError("the cursor did not read the thirteen channels");
    // Every move is painted on both charts, or the figure would time the move alone.
    if (upper.Paints < state.iterations() || lower.Paints < state.iterations())
        state.SkipWithError("a move was not painted on both charts");
    // Off the chart again, so that no other figure draws the cursor.
    const QPointF away(-5.0, -5.0);
    QMouseEvent leave(QEvent::MouseMove, away, chart->mapToGlobal(away), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(chart, &leave);
    window.Resize(DesktopSize);
}
void CursorMove(benchmark::State& state) { CursorMoveAt(state, DesktopSize); }
void CursorMoveLarge(benchmark::State& state) { CursorMoveAt(state, LargeSize); }
BENCHMARK(CursorMove)->Unit(benchmark::kMillisecond);
BENCHMARK(CursorMoveLarge)->Unit(benchmark::kMillisecond);

// The summer day with every channel as a line (outputs and the other values not as bars) at the
// line width the settings ask for, drawn each way the program draws: the window, a picture at the
// window's size (image save) and a printed page (a PDF file, as printing is tested). A width of
// 99, the widest the settings dialog allows, against the usual 2.
enum class DrawingPath { Window, Picture, Print };

void DrawLines(benchmark::State& state, int width, DrawingPath path) {
    YearWindow& window = YearWindow::Get();
    auto* chart = window.Form().findChild<ChartSurface*>(QStringLiteral("Chart"));
    auto* chart2 = window.Form().findChild<ChartSurface*>(QStringLiteral("Chart2"));
    if (!window.Ready() || chart == nullptr || chart2 == nullptr) {
        state.SkipWithError("the year window could not be prepared");
        return;
    }
    window.ShowSummerDay();
    WindowSettings settings = WindowSettings::FactoryDefaults();
    settings.LineWidth = width;
    settings.OthersShowBars = false;
    settings.RShowBars = false;
    window.Form().ApplySettings(settings);
    window.Settle();
    QTemporaryDir dir;
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("page.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    const ChartPair pair{*chart, *chart2, QStringLiteral("Solvista")};
    for (auto _ : state) {
        switch (path) {
        case DrawingPath::Window:
            window.Redraw();
            break;
        case DrawingPath::Picture:
            benchmark::DoNotOptimize(chart->Picture().constBits());
            benchmark::DoNotOptimize(chart2->Picture().constBits());
            break;
        case DrawingPath::Print:
            PrintChartPage(pair, printer);
            break;
        }
    }
    window.Form().ApplySettings(WindowSettings::FactoryDefaults());
    window.Settle();
}
void LinesWidth2Window(benchmark::State& state) { DrawLines(state, 2, DrawingPath::Window); }
void LinesWidth99Window(benchmark::State& state) { DrawLines(state, 99, DrawingPath::Window); }
void LinesWidth2Picture(benchmark::State& state) { DrawLines(state, 2, DrawingPath::Picture); }
void LinesWidth99Picture(benchmark::State& state) { DrawLines(state, 99, DrawingPath::Picture); }
void LinesWidth2Print(benchmark::State& state) { DrawLines(state, 2, DrawingPath::Print); }
void LinesWidth99Print(benchmark::State& state) { DrawLines(state, 99, DrawingPath::Print); }
BENCHMARK(LinesWidth2Window)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesWidth99Window)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesWidth2Picture)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesWidth99Picture)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesWidth2Print)->Unit(benchmark::kMillisecond);
BENCHMARK(LinesWidth99Print)->Unit(benchmark::kMillisecond);

// The program as a user starts it, with a settings folder of its own; the probe says "shown"
// when the first analysis window appears.
void StartProgram(benchmark::State& state) {
    QTemporaryDir home;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (auto _ : state) {
        QProcess probe;
        probe.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        probe.start(QStringLiteral(SOLVISTA_START_PROBE), QStringList());
        bool shown = false;
        while (!shown && probe.waitForReadyRead(5000))
            shown = probe.readAll().contains("shown");
        state.SetIterationTime(Seconds(timer));
        probe.waitForFinished(5000);
        if (!shown) {
            state.SkipWithError("the program showed no analysis window");
            return;
        }
    }
}
BENCHMARK(StartProgram)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    YearWindow::Drop();
    return 0;
}
