#include "output/DataExport.h"

#include "LogGenerator.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesHost.h"
#include "core/AppError.h"
#include "core/Channels.h"
#include "core/FileTexts.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "support/FileSizeLimit.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <utility>

namespace {

std::vector<int> AllLogChannels() {
    std::vector<int> channels;
    for (int c = 0; c < FileChannelCount; ++c)
        channels.push_back(c);
    return channels;
}

DateTime ToDateTime(const QDateTime& time) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(time.date())) +
           time.time().msecsSinceStartOfDay() / 86400000.0;
}

class DataExportTest : public ::testing::Test {
protected:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString WriteDay(const QDate& date, loggen::DayOptions options) {
        return Write(date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".csv"),
                     loggen::GenerateDay(date, options).Bytes);
    }
    std::unique_ptr<TAnalysisData> LoadFile(const QString& path) {
        auto data = std::make_unique<TAnalysisData>();
        data->LoadFile(path, &Chart, &Chart2);
        return data;
    }
    std::unique_ptr<TAnalysisData> LoadRange(const QStringList& files, const QDate& first,
                                             const QDate& last) {
        auto data = std::make_unique<TAnalysisData>();
        data->LoadRange(ToDateTime(QDateTime(first, QTime(0, 0))),
                        ToDateTime(QDateTime(last, QTime(0, 0))),
                        static_cast<unsigned>(files.size()), files.front(), &Chart, &Chart2);
        for (qsizetype i = 1; i < files.size(); ++i)
            data->AddFile(files[i]);
        data->BuildMonthTotals();
        return data;
    }
    // Every slot of two days point for point: the line series of the log columns and the bars
    // of the outputs.
    static void ExpectSameSeries(const TDay& a, const TDay& b) {
        for (int slot = 0; slot < TDay::SlotCount; ++slot) {
            if (slot == ChVolume || slot == ChEnergy)
                continue;
            const ChartSeries& x = a.SeriesAt(slot);
            const ChartSeries& y = b.SeriesAt(slot);
            ASSERT_EQ(x.Count(), y.Count()) << "slot " << slot;
            for (int i = 0; i < x.Count(); ++i) {
                ASSERT_EQ(x.XValue(i), y.XValue(i)) << "slot " << slot << " point " << i;
                ASSERT_EQ(x.IsNull(i), y.IsNull(i)) << "slot " << slot << " point " << i;
                if (!x.IsNull(i)) {
                    ASSERT_EQ(x.YValue(i), y.YValue(i)) << "slot " << slot << " point " << i;
                }
            }
        }
        EXPECT_DOUBLE_EQ(a.GetVolume(), b.GetVolume());
        EXPECT_DOUBLE_EQ(a.GetEnergy(), b.GetEnergy());
    }

    QTemporaryDir Dir;
    MemoryHost Chart;
    MemoryHost Chart2;
};

} // namespace

TEST_F(DataExportTest, LogFormatOfADayReadsBackIntoTheSameDay) {
    loggen::DayOptions options;
    options.Gap = true;
    options.FaultChance = 0.01;
    options.EmptyChance = 0.01;
    const auto original = LoadFile(WriteDay(QDate(2010, 5, 1), options));

    DataExport out(*original, {ExportFormat::Log, AllLogChannels()});
    const int lines = out.Build();
    EXPECT_GT(lines, 1300);
    EXPECT_TRUE(out.Bytes().startsWith("DATE & TIME;T1[\xB0"
                                       "C];T2[\xB0"
                                       "C]"))
        << out.Bytes().left(80).toStdString();
    EXPECT_TRUE(out.Bytes().contains(";V'[l/min];P[W];R1[%];")) << "watts stay watts";
    EXPECT_EQ(out.Bytes().count("\r\n"), lines + 1);
    const QString path = Dir.filePath(QStringLiteral("export.csv"));
    out.Save(path);

    const auto again = LoadFile(path);
    ASSERT_EQ(again->GetDayCount(), 1u);
    EXPECT_EQ(again->GetStartDate(0), original->GetStartDate(0));
    ExpectSameSeries(original->GetDay(0), again->GetDay(0));
    for (int c = 0; c < FileChannelCount; ++c)
        EXPECT_EQ(again->GetUnit(c), original->GetUnit(c)) << "channel " << c;
}

TEST_F(DataExportTest, KilowattsWithFractionsAndSecondsComeBackAsTheyWere) {
    const QByteArray log = "dd.mm.yy hh:mm;T1;T2;T3;T4;T5;T6;Tds;V';P[kW];R1;R2;R3;R!\r\n"
                           "01.05.2010 00:00;12,5;;;;;;;3;1,25;0;;;\r\n"
                           "01.05.2010 00:01:30;-0,1;;;;;;;3;2;100\r\n"
                           "01.05.2010 00:03;Err;;;;;;;3;0,003\r\n";
    const auto original = LoadFile(Write(QStringLiteral("kw.csv"), log));
    DataExport out(*original, {ExportFormat::Log, AllLogChannels()});
    ASSERT_EQ(out.Build(), 3);
    EXPECT_EQ(out.Bytes(), "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P[kW];R1;R2;R3;R!\r\n"
                           "2010-05-01 00:00;12,5;;;;;;;3;1,25;0\r\n"
                           "2010-05-01 00:01:30;-0,1;;;;;;;3;2;100\r\n"
                           "2010-05-01 00:03;;;;;;;;3;0,003\r\n");
    const QString path = Dir.filePath(QStringLiteral("again.csv"));
    out.Save(path);
    ExpectSameSeries(original->GetDay(0), LoadFile(path)->GetDay(0));
}

TEST_F(DataExportTest, InternationalFieldsAreWhatTheHeadingSaysMergedAcrossDaysInTimeOrder) {
    loggen::DayOptions options;
    options.IntervalMinutes = 5;
    options.Gap = true;
    options.EmptyChance = 0.05;
    QStringList files;
    const QDate first(2010, 4, 29);
    for (int i = 0; i < 3; ++i) {
        options.Seed = static_cast<std::uint32_t>(i + 1);
        files << WriteDay(first.addDays(i), options);
    }
    const auto data = LoadRange(files, first, first.addDays(2));
    ASSERT_EQ(data->GetDayCount(), 3u);
    ExportRequest request{ExportFormat::International, {ChPower, ChT1, ChR1, ChFlow, ChVolume}};
    // From 22:00 on the 29th into the morning of 1 May: three days, a month end.
    request.From = data->GetStartDate(0) + 22.0 / 24;
    request.To = data->GetStartDate(2) + 6.0 / 24;
    DataExport out(*data, request);
    const int lines = out.Build();

    const QList<QByteArray> rows = out.Bytes().split('\n');
    ASSERT_GE(rows.size(), 2);
    EXPECT_EQ(rows[0], "time,T1 [\xC2\xB0"
                       "C],Flow [l/min],Power [kW],R1 [%]\r")
        << "channel order, units in UTF-8, no daily sums";
    // What each column must hold: the values of the days' series, by time.
    const QList<QByteArray> names = rows[0].trimmed().split(',');
    const std::map<QByteArray, int> channelOf = {
        {"T1", ChT1}, {"Flow", ChFlow}, {"Power", ChPower}, {"R1", ChR1}};
    std::map<std::pair<int, DateTime>, double> expected;
    for (unsigned d = 0; d < data->GetDayCount(); ++d)
        for (const auto& [name, channel] : channelOf) {
            const ChartSeries& series = data->GetDay(d).SeriesAt(channel);
            for (int i = 0; i < series.Count(); ++i)
                if (!series.IsNull(i) && series.XValue(i) >= request.From &&
                    series.XValue(i) < request.To)
                    expected[{channel, series.XValue(i)}] = series.YValue(i);
        }
    size_t fieldsWithValues = 0;
    int empties = 0;
    DateTime previous = -1.0;
    for (int r = 1; r <= lines; ++r) {
        const QList<QByteArray> fields = rows[r].trimmed().split(',');
        ASSERT_EQ(fields.size(), names.size()) << "row " << r;
        const QDateTime stamp = QDateTime::fromString(QString::fromLatin1(fields[0]), Qt::ISODate);
        ASSERT_TRUE(stamp.isValid()) << fields[0].toStdString();
        ASSERT_EQ(fields[0].size(), 19) << "yyyy-MM-ddThh:mm:ss";
        const DateTime time = ToDateTime(stamp);
        EXPECT_GT(time, previous) << "row " << r;
        previous = time;
        for (qsizetype f = 1; f < fields.size(); ++f) {
            const QByteArray name = names[f].split(' ').front();
            const auto point = expected.find({channelOf.at(name), time});
            if (fields[f].isEmpty()) {
                ++empties;
                EXPECT_TRUE(point == expected.end()) << name.toStdString() << " row " << r;
                continue;
            }
            ASSERT_TRUE(point != expected.end()) << name.toStdString() << " row " << r;
            bool ok = false;
            EXPECT_EQ(fields[f].toDouble(&ok), point->second);
            EXPECT_TRUE(ok);
            ++fieldsWithValues;
        }
    }
    EXPECT_EQ(fieldsWithValues, expected.size()) << "every point of the span is written once";
    EXPECT_GT(empties, 0) << "empty fields were generated";
    EXPECT_GT(lines, 60);
    EXPECT_EQ(rows.size(), lines + 2) << "heading, lines, nothing after the last line end";
    EXPECT_LT(previous, request.To);
    EXPECT_GE(ToDateTime(QDateTime::fromString(QString::fromLatin1(rows[1].split(',').front()),
                                               Qt::ISODate)),
              request.From);
}

TEST_F(DataExportTest, ASpanWithoutValuesHasOnlyTheHeadingAndAFailedSaveKeepsTheOldFile) {
    const auto data = LoadFile(WriteDay(QDate(2010, 5, 1), {}));
    ExportRequest request{ExportFormat::Log, {ChT1}};
    request.From = data->GetStartDate(0) + 2.0;
    request.To = data->GetStartDate(0) + 3.0;
    DataExport empty(*data, request);
    EXPECT_EQ(empty.Build(), 0);
    EXPECT_EQ(empty.Bytes().count("\r\n"), 1);
    EXPECT_TRUE(empty.Bytes().startsWith("DATE & TIME;T1"));

    EXPECT_THROW(empty.Save(Dir.filePath(QStringLiteral("missing/x.csv"))), AppError);
}

TEST_F(DataExportTest, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
    const auto data = LoadFile(WriteDay(QDate(2010, 5, 1), {}));
    DataExport out(*data, ExportRequest{ExportFormat::International, {ChT1, ChT2, ChFlow}});
    ASSERT_GT(out.Build(), 0);
    ASSERT_GT(out.Bytes().size(), 8192);
    const QString path = Dir.filePath(QStringLiteral("export.csv"));
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier export\r\n");
    old.close();
    for (const rlim_t free : {rlim_t{0}, rlim_t{4096}}) {
        QString error;
        {
            const FileSizeLimit disk(free);
            ASSERT_TRUE(disk.Active);
            try {
                out.Save(path);
            } catch (const AppError& e) {
                error = e.Message();
            }
        }
        EXPECT_EQ(error, QStringLiteral("Datei %1 kann nicht erstellt werden\n\n").arg(path) +
                             Text(TextFileDiskFull))
            << free;
        QFile kept(path);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "an earlier export\r\n") << free;
    }
    EXPECT_EQ(QDir(Dir.path()).entryList({QStringLiteral("export*")}, QDir::Files),
              QStringList{QStringLiteral("export.csv")});
    out.Save(path);
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), out.Bytes());
}
