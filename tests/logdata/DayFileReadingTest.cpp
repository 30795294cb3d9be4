#include "logdata/DayFileReading.h"

#include "core/LanguageTexts.h"
#include "logdata/DayLineReader.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr int SameDayText = 112;

// Counts what each reading thread is handed, and what is taken afterwards.
class CountingConsumer : public DayConsumer {
public:
    struct Seen {
        int Begun = 0;
        int Lines = 0;
        int Ended = 0;
        DateTime Day = 0.0;
    };
    void Prepare(size_t files) override { Read.assign(files, Seen()); }
    std::unique_ptr<DayWorker> MakeWorker() override {
        class Worker : public DayWorker {
        public:
            explicit Worker(CountingConsumer& owner) : Owner(owner) {}
            void Begin(DateTime day, int) override {
                Current = Seen();
                Current.Day = day;
                ++Current.Begun;
            }
            void Line(const DayLine&) override { ++Current.Lines; }
            void End(size_t index, const QString&, const DayLineReader&) override {
                ++Current.Ended;
                Owner.Read[index] = Current;
            }

        private:
            CountingConsumer& Owner;
            Seen Current;
        };
        return std::make_unique<Worker>(*this);
    }
    void Take(size_t index) override { Taken.push_back(Read[index]); }

    std::vector<Seen> Read;
    std::vector<Seen> Taken;
};

class DayFileReadingTest : public ::testing::Test {
protected:
    DayFileReadingTest() { SetCurrentTexts(TextArrayId::English); }
    ~DayFileReadingTest() override { SetCurrentTexts(TextArrayId::German); }

    QString Write(const QString& name, int day, int lines) {
        QByteArray bytes = "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\r\n";
        for (int m = 0; m < lines; ++m)
            bytes += QStringLiteral("2010-05-%1 %2:%3;20,5;1;2;3;4;5;6;7;8;0;0;0;0\r\n")
                         .arg(day, 2, 10, QLatin1Char('0'))
                         .arg(m / 60, 2, 10, QLatin1Char('0'))
                         .arg(m % 60, 2, 10, QLatin1Char('0'))
                         .toLatin1();
        const QString path = Dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir Dir;
};

} // namespace

TEST_F(DayFileReadingTest, EveryConsumerGetsEachDayOnceInDateOrderAndSkipsCarryTheirReasons) {
    // Enough files for several reading threads; the 3rd is named twice under two names.
    QStringList files;
    for (int day = 20; day >= 1; --day)
        files << Write(QStringLiteral("d%1.csv").arg(day), day, 30 + day);
    files << Write(QStringLiteral("again.csv"), 3, 5);
    files << Dir.filePath(QStringLiteral("missing.csv"));
    files << Write(QStringLiteral("nothing.csv"), 4, 0);
    CountingConsumer first;
    CountingConsumer second;
    DayFileReading reading(SameDayText);
    DateTime from = 0;
    DateTime to = 0;
    EncodeDate(2010, 5, 2, from);
    EncodeDate(2010, 5, 19, to);
    reading.SetRange(from, to);
    ASSERT_TRUE(reading.Read(files, {&first, &second}));

    for (const CountingConsumer* consumer : {&first, &second}) {
        ASSERT_EQ(consumer->Taken.size(), 18U);
        for (size_t i = 0; i < consumer->Taken.size(); ++i) {
            const CountingConsumer::Seen& seen = consumer->Taken[i];
            EXPECT_EQ(seen.Day, from + static_cast<double>(i));
            EXPECT_EQ(seen.Begun, 1);
            EXPECT_EQ(seen.Ended, 1);
            EXPECT_EQ(seen.Lines, 32 + static_cast<int>(i)); // the 3rd's first file stays
        }
    }
    // Read are the twenty days and the second file of the 3rd; outside the range is not kept.
    EXPECT_EQ(reading.FilesRead(), 21);
    ASSERT_EQ(reading.Skipped().size(), 3U);
    std::map<QString, QString> reasons;
    for (const DaySkip& skip : reading.Skipped())
        reasons[QFileInfo(skip.File).fileName()] = skip.Reason;
    EXPECT_TRUE(reasons["again.csv"].contains(files[17])) << reasons["again.csv"].toStdString();
    EXPECT_TRUE(reasons["missing.csv"].startsWith(QStringLiteral("Error occurred")));
    EXPECT_EQ(reasons["nothing.csv"],
              QStringLiteral("The file you specified does not contain measured values."));

    // A later reading adds to the days held: a date held already is passed over.
    CountingConsumer later;
    ASSERT_TRUE(reading.Read({Write(QStringLiteral("late.csv"), 5, 3)}, {&later}));
    EXPECT_TRUE(later.Taken.empty());
    EXPECT_EQ(reading.Skipped().size(), 4U);
}

TEST_F(DayFileReadingTest, ACancelledReadingKeepsWhatWasReadAndReportsIt) {
    QStringList files;
    for (int day = 1; day <= 12; ++day)
        files << Write(QStringLiteral("d%1.csv").arg(day), day, 10);
    ReadingProgress progress;
    progress.Cancel = true;
    CountingConsumer consumer;
    DayFileReading reading(SameDayText);
    EXPECT_FALSE(reading.Read(files, {&consumer}, &progress));
    EXPECT_EQ(progress.Total, 12);
    EXPECT_EQ(static_cast<size_t>(progress.Done), consumer.Taken.size());
    EXPECT_LT(consumer.Taken.size(), 12U);
}
