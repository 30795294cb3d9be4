// Files read ahead on reading threads and taken in in file order give the data set that reading
// them one after the other gives, with the same failures in the same order.
#include "LogGenerator.h"
#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "core/LanguageTexts.h"
#include "logdata/DayFilesAhead.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"

#include <QDate>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString Hex(double v) { return QString::asprintf("%a", v); }

struct Loaded {
    QStringList Failures;
    QStringList Days;
    QStringList Units;
    bool DayFirstAfter = false;
    bool operator==(const Loaded&) const = default;
};

class DayFilesAheadTest : public ::testing::Test {
protected:
    void SetUp() override { SetCurrentTexts(TextArrayId::English); }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    static QByteArray Day(const QDate& date,
                          loggen::DateStyle style = loggen::DateStyle::YearFirst) {
        loggen::DayOptions options;
        options.IntervalMinutes = 5;
        options.Style = style;
        options.FaultChance = 0.01;
        options.EmptyChance = 0.01;
        return loggen::GenerateDay(date, options).Bytes;
    }

    // The files after the first one through AddFile (`threads` 1) or read ahead; `stopAfter`
    // further files taken before the rest is dropped.
    Loaded Load(const QStringList& files, int threads, qsizetype stopAfter = -1) {
        LogReader reader;
        MemoryHost chart, chart2;
        TAnalysisData data({}, &reader);
        data.LoadRange(40330.0, 40359.0, static_cast<unsigned>(files.size()), files[0], &chart,
                       &chart2);
        Loaded loaded;
        const qsizetype last = stopAfter < 0 ? files.size() : 1 + stopAfter;
        const auto each = [&](const std::function<void(qsizetype)>& add) {
            for (qsizetype i = 1; i < last; ++i) {
                try {
                    add(i);
                } catch (const AppError& error) {
                    loaded.Failures << files[i] + ": " + error.Message();
                }
            }
        };
        if (threads == 1) {
            each([&](qsizetype i) { data.AddFile(files[i]); });
        } else {
            DayFilesAhead ahead(data, files, 1, threads);
            each([&](qsizetype i) { data.AddRead(ahead.Take(i)); });
            ahead.Stop();
        }
        for (unsigned i = 0; i < data.GetDayCount(); ++i) {
            const TDay& day = data.GetDay(i);
            QString text = day.FileName() + ' ' + Hex(day.GetVolume()) + ' ' + Hex(day.GetEnergy());
            day.ForEachLine([&text](const DayLine& line, bool) {
                text += ' ' + Hex(line.Time);
                for (int c = 0; c < FileChannelCount; ++c)
                    text += line.Has[static_cast<size_t>(c)]
                                ? ' ' + Hex(line.Values[static_cast<size_t>(c)])
                                : QStringLiteral(" -");
            });
            loaded.Days << text;
        }
        for (int c = 0; c < ChannelCount; ++c)
            loaded.Units << data.GetUnit(c);
        loaded.DayFirstAfter = reader.Convention == DateConvention::DayFirst();
        return loaded;
    }

    QTemporaryDir Dir;
};

TEST_F(DayFilesAheadTest, ReadAheadTakesInWhatOneThreadReadsInTheSameOrder) {
    QStringList files;
    for (QDate d(2010, 6, 1); d <= QDate(2010, 6, 30); d = d.addDays(1)) {
        const QString name = d.toString("yyyyMMdd") + ".csv";
        if (d.day() == 4)
            files << Write(name, "no log file\r\n");
        else if (d.day() == 8)
            files << Write(name, Day(QDate(2010, 9, 1))); // no month of the range holds it
        else if (d.day() == 12)
            files << Write(name, Day(QDate(2010, 6, 11))); // the day before, again
        else if (d.day() == 20 || d.day() == 30)
            files << Write(name, Day(d, loggen::DateStyle::DayFirstTwoDigitYear)
                                     .replace("\xB0"
                                              "C]",
                                              "\xB0"
                                              "F]"));
        else
            files << Write(name, Day(d));
    }
    files << Dir.filePath("20100631.csv"); // gone before it is read
    const Loaded one = Load(files, 1);
    ASSERT_EQ(one.Failures.size(), 3);
    EXPECT_EQ(one.Days.size(), 28);
    EXPECT_TRUE(one.Units[ChT1].contains('F'));
    EXPECT_TRUE(one.DayFirstAfter);
    for (const int threads : {2, 4, 8})
        EXPECT_EQ(Load(files, threads), one) << threads << " threads";
    // Stopped part-way: what was taken in is the same, the rest is dropped unread or read.
    for (const qsizetype stop : {3, 19, 20}) {
        const Loaded part = Load(files, 1, stop);
        EXPECT_EQ(Load(files, 4, stop), part) << stop;
        EXPECT_EQ(part.DayFirstAfter, stop == 19) << stop;
    }
}

} // namespace
