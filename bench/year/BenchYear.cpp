#include "BenchYear.h"

#include "LogGenerator.h"
#include "core/Channels.h"
#include "core/DateTime.h"
#include "logdata/DayFilesAhead.h"
#include "logdata/TAnalysisData.h"
#include "ui/TChildform.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace benchyear {

namespace {

constexpr int Year = 2010;

DateTime DateOf(int year, int month, int day) {
    DateTime value = 0.0;
    EncodeDate(year, month, day, value);
    return value;
}

} // namespace

DateTime DateOfFile(const QString& path) {
    const QString stem = QFileInfo(path).completeBaseName();
    return DateOf(stem.left(4).toInt(), stem.mid(4, 2).toInt(), stem.mid(6, 2).toInt());
}

QStringList YearFiles() {
    static QStringList files = [] {
        const QByteArray given = qgetenv("SOLVISTA_BENCH_DATA");
        if (!given.isEmpty()) {
            QStringList found;
            for (const QFileInfo& info :
                 QDir(QString::fromLocal8Bit(given))
                     .entryInfoList({QStringLiteral("*.csv")}, QDir::Files, QDir::Name))
                found.append(info.absoluteFilePath());
            return found;
        }
        static std::unique_ptr<QTemporaryDir> folder = std::make_unique<QTemporaryDir>();
        if (!folder->isValid())
            return QStringList();
        return loggen::WriteDays(folder->path(), QDate(Year, 1, 1), 365, loggen::FolderLayout::Flat,
                                 loggen::DayOptions{});
    }();
    return files;
}

void LoadIntoDataSet(TAnalysisData& data, const QStringList& files, SeriesHost* chart,
                     SeriesHost* chart2, int threads) {
    data.LoadRange(DateOfFile(files.front()), DateOfFile(files.back()),
                   static_cast<unsigned>(files.size()), files.front(), chart, chart2);
    if (threads == 1) {
        for (qsizetype i = 1; i < files.size(); ++i)
            data.AddFile(files[i]);
    } else {
        DayFilesAhead ahead(data, files, 1, threads);
        for (qsizetype i = 1; i < files.size(); ++i)
            data.AddRead(ahead.Take(i));
    }
    data.BuildMonthTotals();
}

void LoadIntoWindow(TChildform& form, const QStringList& files) {
    form.BeginMultiDayLoad(static_cast<int>(files.size()), files.front(), DateOfFile(files.front()),
                           DateOfFile(files.back()));
    DayFilesAhead ahead(*form.Data(), files, 1);
    for (qsizetype i = 1; i < files.size(); ++i)
        form.AddMultiDayFile(ahead.Take(i));
    form.FinishMultiDayLoad();
}

bool ShowDayChannels(TChildform& form) {
    bool all = true;
    for (QCheckBox* box : form.findChildren<QCheckBox*>()) {
        const QVariant tag = box->property("tag");
        if (!tag.isValid())
            continue;
        const int channel = tag.toInt();
        if (channel == ChVolume || channel == ChEnergy)
            continue;
        box->setChecked(true);
        all = all && box->isChecked();
    }
    return all;
}

} // namespace benchyear
