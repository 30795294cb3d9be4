#include "LogFileFixture.h"

#include <random>

namespace {

const char* const Fragments[] = {"2010-05-01 00:00",
                                 "01.05.10 23:59",
                                 "99.99.9999 99:99",
                                 ";",
                                 ";;",
                                 "Err",
                                 "57,3",
                                 "-0,0",
                                 "1e308",
                                 "9999999999999999999,9",
                                 "\r\n",
                                 "\r",
                                 "\n",
                                 "\t",
                                 " ",
                                 "1.000",
                                 "inf",
                                 "nan",
                                 "[W]",
                                 "[C]",
                                 "2010-05-01 12:",
                                 "R!",
                                 "\xB0",
                                 "0,5e-3",
                                 "--1",
                                 ","};

} // namespace

// Random and mutated files must end in a message or a shortened day, never in a crash.
class LogFuzzTest : public LogFileFixture {
protected:
    void Survives(const QByteArray& bytes) {
        try {
            LogLines lines;
            const QByteArray heading = Reader.ReadLogLines(Write(bytes), lines);
            Reader.CheckHeading(heading, Units);
            TDay day(Reader.GetFileDate(lines), &Chart, &Chart2);
            day.ReadLines(&lines, Reader);
            for (int i = 0; i < TDay::SlotCount; ++i)
                EXPECT_LE(day.SeriesAt(i).Count(), 2 * lines.Count());
        } catch (const AppError& error) {
            EXPECT_FALSE(error.Message().isEmpty());
        }
        Reader.Convention = DateConvention::DayFirst();
    }
};

TEST_F(LogFuzzTest, RandomAndMutatedFiles) {
    std::mt19937 random(20100501);
    const QByteArray valid = QByteArray(IsoHeading) +
                             "\n2010-04-30 00:00;20;21;22;23;24;25;26;5;1000;0;100;0;0\n"
                             "2010-05-01 00:01;20,5;Err;;23;24;25;26;5;1000;100;0;0;0\n";
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes;
        switch (round % 3) {
        case 0:
            for (int n = static_cast<int>(random() % 200); n > 0; --n)
                bytes += static_cast<char>(random() % 256);
            break;
        case 1:
            bytes = valid;
            for (int n = static_cast<int>(random() % 8) + 1; n > 0; --n)
                bytes[static_cast<qsizetype>(random() % static_cast<unsigned>(bytes.size()))] =
                    static_cast<char>(random() % 256);
            break;
        default:
            bytes = QByteArray(round % 2 ? IsoHeading : DayFirstHeading) + "\n";
            for (int n = static_cast<int>(random() % 40); n > 0; --n)
                bytes += Fragments[random() % std::size(Fragments)];
        }
        Survives(bytes);
    }
}

TEST_F(LogFuzzTest, OversizedInput) {
    Survives(QByteArray(IsoHeading) + "\n2010-05-01 00:00;" + QByteArray(100000, '7') + "\n");
    Survives(QByteArray(IsoHeading) + "\n2010-05-01 00:00" + QByteArray(1000000, ';') + "\n");
    QByteArray wide = "DATE & TIME";
    for (int i = 0; i < 200; ++i)
        wide += ";T1";
    Survives(wide + "\n2010-05-01 00:00;1\n");
    Survives(QByteArray(5000, ' '));
}
