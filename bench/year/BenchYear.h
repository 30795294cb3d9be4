#pragma once

#include <QString>
#include <QStringList>

class TAnalysisData;
class SeriesHost;
class TChildform;

// The year every benchmark uses: 365 one-minute day files of 2010, the way the multi-day dialog
// lists them (in date order).
namespace benchyear {

// The date a day file's name gives.
double DateOfFile(const QString& path);

// The files of the year below SOLVISTA_BENCH_DATA when it is set, else generated once into a
// temporary folder that lives until the process ends. Empty when they cannot be had.
QStringList YearFiles();

// The multi-day path of the data set: the range load, every further file, the month totals. The
// further files are read on `threads` reading threads (0: one per core; 1: file after file here).
void LoadIntoDataSet(TAnalysisData& data, const QStringList& files, SeriesHost* chart,
                     SeriesHost* chart2, int threads = 1);

// The same through an analysis window, as the multi-day dialog drives it.
void LoadIntoWindow(TChildform& form, const QStringList& files);

// Ticks every channel a day shows (T1 to RError); false when one was refused.
bool ShowDayChannels(TChildform& form);

} // namespace benchyear
