#include "LogFileFixture.h"
#include "core/FileTexts.h"

#include "core/LanguageTexts.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <vector>

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

DateTime At(int y, int mo, int d, int h = 0, int mi = 0) {
    DateTime date = 0;
    double time = 0;
    EncodeDate(y, mo, d, date);
    EncodeTime(h, mi, 0, time);
    return date + time;
}

constexpr double Minute = 1.0 / 1440.0;

// How many pages of [from, from + bytes) are in memory (whole pages inside the range only).
int ResidentPages(const char* from, size_t bytes) {
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto start = (reinterpret_cast<std::uintptr_t>(from) + page - 1) & ~(page - 1);
    const auto end = (reinterpret_cast<std::uintptr_t>(from) + bytes) & ~(page - 1);
    std::vector<unsigned char> in((end - start) / page);
    if (::mincore(reinterpret_cast<void*>(start), end - start, in.data()) != 0)
        return -1;
    return static_cast<int>(
        std::count_if(in.begin(), in.end(), [](unsigned char c) { return (c & 1) != 0; }));
}

} // namespace

using LogReaderTest = LogFileFixture;

TEST_F(LogReaderTest, SplitsAtEveryLineEndAndStopsAtNul) {
    LogLines lines;
    static const char bytes[] = "a\r\nb\rc\nd\r\n\r\ne\0f\ng";
    lines.Load(QByteArray(bytes, sizeof bytes - 1));
    ASSERT_EQ(lines.Count(), 6);
    EXPECT_EQ(lines.Line(2), "c");
    EXPECT_EQ(lines.Line(4), "");
    EXPECT_EQ(lines.Line(5), "e");
    lines.RemoveEmpty();
    EXPECT_EQ(lines.Count(), 5);
}

TEST_F(LogReaderTest, LastLineWithoutLineEndAndFilesOfLoneCarriageReturns) {
    LogLines lines;
    lines.Load(QByteArray("a\r\nb\r\n\r\nlast"));
    ASSERT_EQ(lines.Count(), 4);
    EXPECT_EQ(lines.Line(3), "last");
    lines.Load(QByteArray("a\nb\r"));
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines.Line(1), "b");

    QByteArray crOnly;
    for (int i = 0; i < 3000; ++i)
        crOnly += QByteArray::number(i) + '\r';
    crOnly += "x\n";
    lines.Load(crOnly);
    ASSERT_EQ(lines.Count(), 3001);
    EXPECT_EQ(lines.Line(0), "0");
    EXPECT_EQ(lines.Line(2999), "2999");
    EXPECT_EQ(lines.Line(3000), "x");
}

TEST_F(LogReaderTest, ReplacedAndTakenLinesLeaveTheOthersIntact) {
    LogLines lines;
    lines.Load(QByteArray("head\nfirst\nsecond"));
    EXPECT_EQ(lines.TakeFirst(), "head");
    ASSERT_EQ(lines.Count(), 2);
    // A replacement built from a view of the list itself.
    lines.Replace(0, lines.Line(1));
    lines.Append(lines.Line(0));
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines.Line(0), "second");
    EXPECT_EQ(lines.Line(1), "second");
    EXPECT_EQ(lines.Line(2), "second");
    lines.Replace(1, "");
    lines.RemoveEmpty();
    EXPECT_EQ(lines.Count(), 2);
}

TEST_F(LogReaderTest, UnreadableFilesAndFilesWithoutValues) {
    LogLines lines;
    const QString opening = Text(84) + QStringLiteral("\n\n");
    // Each failure to open names the file and says why.
    EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(Dir.filePath("none.csv"), lines); }),
              opening + "none.csv\n\n" + Text(TextFileMissing));
    QDir(Dir.path()).mkdir("folder.csv");
    EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(Dir.filePath("folder.csv"), lines); }),
              opening + "folder.csv\n\n" + Text(TextFileIsFolder));
    // A pipe would hold the reader until someone writes to it.
    const QString fifo = Dir.filePath("pipe\x1b[2J.csv");
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(fifo, lines); }),
              opening + "pipe\\x1b[2J.csv\n\n" + Text(TextFileNotRegular));
    for (const QByteArray& bytes : {QByteArray(), QByteArray(50, '\0'), QByteArray("\r\n\n\r")}) {
        EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(Write(bytes), lines); }), Text(85));
    }
    // A heading alone leaves no data line for the file's date.
    const QByteArray heading = Reader.ReadLogLines(Write(QByteArray("\n\n") + IsoHeading), lines);
    EXPECT_EQ(heading, IsoHeading);
    EXPECT_EQ(MessageOf([&] { Reader.GetFileDate(lines); }), Text(85));
}

// Refused from its size alone, before a byte is read: a sparse file takes no room on the disk
// and no time to make.
TEST_F(LogReaderTest, AFileOfTwoGibibytesIsRefusedBeforeItIsRead) {
    SetCurrentTexts(TextArrayId::English);
    const QString path =
        Write(QByteArray(IsoHeading) + "\r\n2010-05-01 00:00;1;2;3;4;5;6;7;8;9;0;0;0;0\r\n",
              QStringLiteral("20100501.csv"));
    LogLines lines;
    QFile file(path);
    for (const qint64 size : {LogReader::MaxFileSize, LogReader::MaxFileSize + 4096}) {
        ASSERT_TRUE(file.resize(size));
        EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(path, lines); }),
                  Text(84) + "\n\n20100501.csv\n\nThe file is too large (2.0 GiB); files of 2 "
                             "GiB or more cannot be read.");
        EXPECT_TRUE(lines.IsEmpty());
    }
    // Cut back, the same file reads (the zeros after its lines end the text).
    ASSERT_TRUE(file.resize(200));
    EXPECT_EQ(Reader.ReadLogLines(path, lines), IsoHeading);
    EXPECT_EQ(lines.Count(), 1);
    SetCurrentTexts(TextArrayId::German);
}

TEST_F(LogReaderTest, HeadingNamesUnitsAndSeparators) {
    EXPECT_TRUE(Reader.CheckHeading(IsoHeading, Units));
    EXPECT_EQ(Reader.Convention, DateConvention::YearFirstIso());
    EXPECT_EQ(Units[ChT1], QStringLiteral("[\u00B0C]"));
    EXPECT_EQ(Units[ChTD], QStringLiteral("[\u00B0C]"));
    EXPECT_EQ(Units[ChPower], "[kW]");
    EXPECT_TRUE(Units[ChFlow].isEmpty());
    EXPECT_TRUE(Units[ChR1].isEmpty());

    ChannelUnits units;
    EXPECT_TRUE(Reader.CheckHeading("dd.mm.yy hh:mm[x];T1[\xB0"
                                    "F];T2[F];T3;T4;T5;T6;Tds;V'[l/min];"
                                    "P;R1;R2;R3;R!;extra;more",
                                    units));
    EXPECT_EQ(Reader.Convention, DateConvention::DayFirst());
    EXPECT_EQ(units[ChT1], QStringLiteral("[\u00B0F]"));
    EXPECT_EQ(units[ChT2], QStringLiteral("[\u00B0F]"));
    EXPECT_EQ(units[ChFlow], "[l/min]");

    QByteArray tabs = DayFirstHeading;
    tabs.replace(';', '\t');
    EXPECT_TRUE(Reader.CheckHeading(tabs, units));
    EXPECT_FALSE(Reader.CheckHeading("DATE & TIME;t1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!", units));
    EXPECT_FALSE(
        Reader.CheckHeading("DATE & TIME;T1 [C];T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!", units));
    EXPECT_FALSE(Reader.CheckHeading("DATE & TIME;T1;T2", units));
    EXPECT_EQ(MessageOf([&] { Reader.CheckHeading("DATE & TIME,T1,T2", units); }), Text(86));
}

TEST_F(LogReaderTest, FileDateIsTheSecondLinesDateWithoutTimeOfDay) {
    LogLines lines;
    Reader.Convention = DateConvention::DayFirst();
    lines.Append("30.04.2010 00:00;1");
    lines.Append("01.05.2010 00:01;1");
    EXPECT_EQ(Reader.GetFileDate(lines), At(2010, 5, 1));
    // Two-digit years only read through the fallback; an afternoon start must stay on its day.
    lines.Clear();
    lines.Append("01.05.10 13:30;1");
    EXPECT_EQ(Reader.GetFileDate(lines), At(2010, 5, 1));
    EXPECT_EQ(Reader.Convention, DateConvention::DayFirst());
    lines.Clear();
    lines.Append("99.99.9999 99:99;1");
    EXPECT_EQ(MessageOf([&] { Reader.GetFileDate(lines); }), Text(86));
}

TEST_F(LogReaderTest, MidnightRecordMovesOntoTheFilesDay) {
    auto day = Load(QByteArray(DayFirstHeading) +
                    "\r\n30.04.2010 00:00;1\r\n01.05.2010 00:01;2\r\n01.05.2010 00:02;3\r\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 3);
    EXPECT_DOUBLE_EQ(t1.XValue(0), At(2010, 5, 1));
    EXPECT_DOUBLE_EQ(day->StartDate(), At(2010, 5, 1));
}

TEST_F(LogReaderTest, MidnightRecordWithTwoDigitYearsKeepsItsHour) {
    auto day = Load(QByteArray(DayFirstHeading) +
                    "\n30.04.10 23:00;1\n01.05.10 23:01;2\n01.05.10 23:02;3\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 3);
    EXPECT_NEAR(t1.XValue(0), At(2010, 5, 1, 23, 0), 1e-9);
    EXPECT_EQ(t1.YValue(0), 1.0);
}

TEST_F(LogReaderTest, MidnightRecordWithoutTimeKeepsItsValues) {
    auto day = Load(QByteArray(DayFirstHeading) +
                    "\n30.04.2010;1;2\n01.05.2010 00:01;3;4\n01.05.2010 00:02;5;6\n");
    const ChartSeries& t2 = day->SeriesAt(ChT2);
    ASSERT_EQ(t2.Count(), 3);
    EXPECT_EQ(t2.YValue(0), 2.0);
    EXPECT_EQ(day->SeriesAt(ChT1).YValue(0), 1.0);
}

TEST_F(LogReaderTest, MovedRecordThatWouldFollowTheSecondLineStaysAsItWas) {
    auto day = Load(QByteArray(DayFirstHeading) +
                    "\n30.04.2010 23:59;1\n01.05.2010 00:00;2\n01.05.2010 00:01;3\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 3);
    EXPECT_NEAR(t1.XValue(0), At(2010, 4, 30, 23, 59), 1e-9);
    EXPECT_EQ(t1.YValue(1), 2.0);
}

TEST_F(LogReaderTest, GapsGiveNullPointsAndEarlierLinesAreDropped) {
    auto day = Load(QByteArray(IsoHeading) +
                    "\n2010-05-01 00:00;1;;;;;;;;;5\n2010-05-01 00:01;2;;;;;;;;;5\n"
                    "2010-05-01 00:02;3\n2010-05-01 00:05;4;;;;;;;;;5\n2010-05-01 00:06;5\n"
                    "2010-05-01 00:01;99\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 6);
    EXPECT_TRUE(t1.IsNull(3));
    EXPECT_NEAR(t1.XValue(3), At(2010, 5, 1, 0, 5), 1e-9);
    EXPECT_EQ(t1.YValue(4), 4.0);
    EXPECT_EQ(t1.YValue(5), 5.0); // learnt the interval anew, no second gap
    const ChartSeries& bars = day->SeriesAt(TDay::BarSlotBase);
    ASSERT_EQ(bars.Count(), 4);
    EXPECT_TRUE(bars.IsNull(2));
    EXPECT_DOUBLE_EQ(bars.YValue(3), 44.5 + 0.5 + 0.5);
    EXPECT_DOUBLE_EQ(day->SeriesAt(ChR1).YValue(0), 5.0);
    EXPECT_DOUBLE_EQ(day->EndTime(), At(2010, 5, 2));
}

TEST_F(LogReaderTest, FieldStatesAndStops) {
    auto day = Load(QByteArray(DayFirstHeading) +
                    "\n01.05.2010 12:00;;Err;57,3\n01.05.2010 12:01;;Err;57.3;4\n"
                    "01.05.2010 12:02;1;1;1;1\n");
    EXPECT_EQ(day->SlotAt(ChT1).State, DataState::Empty);
    EXPECT_EQ(day->SlotAt(ChT2).State, DataState::Fault);
    EXPECT_EQ(day->SlotAt(ChT3).State, DataState::Valid);
    EXPECT_EQ(day->SlotAt(ChT4).State, DataState::Absent);
    ASSERT_EQ(day->SeriesAt(ChT3).Count(), 1);
    EXPECT_DOUBLE_EQ(day->SeriesAt(ChT3).YValue(0), 57.3);
}

// Common fields take a quick road, odd ones the general reader: both must land in the series.
TEST_F(LogReaderTest, OddFieldsReadAsBeforeBesidePlainOnes) {
    auto day = Load(QByteArray(IsoHeading) +
                    "\r\n2010-05-01 00:00; 12,5;+3;1,5e3;-0,5;12345678901234567;Err;;7\r\n"
                    "2010-05-01 00:01;-1;2, ;3\t;0,25;1;;Err;8;\r\n"
                    "2010-05-01 00:02;4;5;6;7;8;9;10;11;12;13;14;15;16;17\r\n"
                    "2010-05-01 00:03;1;1");
    const auto values = [&](int channel) {
        const ChartSeries& series = day->SeriesAt(channel);
        std::vector<double> ys;
        for (int i = 0; i < series.Count(); ++i)
            ys.push_back(series.YValue(i));
        return ys;
    };
    EXPECT_EQ(values(ChT1), (std::vector<double>{12.5, -1, 4, 1}));
    EXPECT_EQ(values(ChT2), (std::vector<double>{3, 2, 5, 1}));
    EXPECT_EQ(values(ChT3), (std::vector<double>{1500, 3, 6}));
    EXPECT_EQ(values(ChT4), (std::vector<double>{-0.5, 0.25, 7}));
    EXPECT_EQ(values(ChT5), (std::vector<double>{12345678901234567.0, 1, 8}));
    EXPECT_EQ(values(ChT6), (std::vector<double>{9}));
    EXPECT_EQ(day->SlotAt(ChT6).State, DataState::Valid);
    EXPECT_EQ(values(ChTD), (std::vector<double>{10}));
    EXPECT_EQ(day->SlotAt(ChTD).State, DataState::Valid);
    EXPECT_EQ(values(ChFlow), (std::vector<double>{7, 8, 11}));
    // Thirteen values at most: what follows the last channel is not read.
    EXPECT_EQ(values(ChRError), (std::vector<double>{16}));
    EXPECT_DOUBLE_EQ(day->EndTime(), At(2010, 5, 2));
}

TEST_F(LogReaderTest, TimeStampOnlyLinesAreMomentsWithoutValues) {
    // Five minutes apart: a stamp taken for unreadable would fall one minute after 00:00 and
    // break the interval into a gap at 00:10.
    auto day = Load(QByteArray(IsoHeading) +
                    "\n2010-05-01 00:00;1\n2010-05-01 00:05\n2010-05-01 00:10;3\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 2); // read on past the bare time stamp, and no gap at 00:10
    EXPECT_EQ(t1.YValue(1), 3.0);
    EXPECT_NEAR(t1.XValue(1), At(2010, 5, 1, 0, 10), 1e-9);
}

TEST_F(LogReaderTest, UnreadableTimeStampTakesTheNextMinute) {
    auto day =
        Load(QByteArray(IsoHeading) + "\n2010-05-01 00:00;1\n2010-05-01 00:01;2\nrubbish;3\n");
    const ChartSeries& t1 = day->SeriesAt(ChT1);
    ASSERT_EQ(t1.Count(), 3);
    EXPECT_NEAR(t1.XValue(2), At(2010, 5, 1, 0, 2), 1e-9);
}

TEST_F(LogReaderTest, DayFirstDatesInAYearFirstFileSwitchTheConvention) {
    auto day = Load(QByteArray(IsoHeading) + "\n01.05.2010 00:00;1\n01.05.2010 00:01;2\n");
    ASSERT_EQ(day->SeriesAt(ChT1).Count(), 2);
    EXPECT_NEAR(day->SeriesAt(ChT1).XValue(1), At(2010, 5, 1, 0, 1), 1e-9);
    EXPECT_EQ(Reader.Convention, DateConvention::YearFirstIso());
}

QByteArray WholeDay(const char* flow, const char* power, int lastMinute = 1439) {
    QByteArray text = "DATE & TIME;T1;T2;T3;T4;T5;T6;Tds;V';P;R1;R2;R3;R!\n";
    for (int m = 0; m <= lastMinute; ++m)
        text += QByteArray("2010-05-01 ") + QByteArray::number(m / 60).rightJustified(2, '0') +
                ':' + QByteArray::number(m % 60).rightJustified(2, '0') + ";;;;;;;;" + flow + ';' +
                power + '\n';
    return text;
}

TEST_F(LogReaderTest, VolumeAndEnergyOfAWholeDay) {
    auto day = Load(WholeDay("10", "1000"));
    EXPECT_NEAR(day->GetVolume(), 14400.0, 1e-6);
    EXPECT_NEAR(day->GetEnergy(), 24.0, 1e-9);
    EXPECT_DOUBLE_EQ(day->SeriesAt(ChPower).YValue(100), 1.0);

    auto kilowatts = Load(WholeDay("10", "1000,5"));
    EXPECT_NEAR(kilowatts->GetEnergy(), 24012.0, 1e-6);
    EXPECT_DOUBLE_EQ(kilowatts->SeriesAt(ChPower).YValue(100), 1000.5);

    auto wholeWithComma = Load(WholeDay("10", "1000,0"));
    EXPECT_NEAR(wholeWithComma->GetEnergy(), 24.0, 1e-9);
}

TEST_F(LogReaderTest, CarryStopsAtTheEndOfTheFilesDay) {
    // The last line is stamped 00:01 of the next day: no extra day of flow.
    QByteArray text = WholeDay("10", "1000");
    text += "2010-05-02 00:01;;;;;;;;10;1000\n";
    auto day = Load(text);
    EXPECT_NEAR(day->GetVolume(), 1439 * 10.0 + 20.0, 1e-6);

    auto single = Load(QByteArray(IsoHeading) + "\n2010-05-01 18:00;;;;;;;;2;500\n");
    EXPECT_DOUBLE_EQ(single->StartDate(), At(2010, 5, 1));
    EXPECT_NEAR(single->GetVolume(), 6 * 60 * 2.0, 1e-6);
    EXPECT_NEAR(single->GetEnergy(), 3.0, 1e-9);
}

TEST_F(LogReaderTest, ValueStopSkipsTheCarry) {
    auto day =
        Load(QByteArray(IsoHeading) + "\n2010-05-01 00:00;;;;;;;;10\n2010-05-01 00:01;;;;;;;;10\n"
                                      "2010-05-01 00:02;;;;;;;;inf\n");
    EXPECT_NEAR(day->GetVolume(), 10.0, 1e-6);
    EXPECT_EQ(day->SeriesAt(ChFlow).Count(), 2);
}

TEST_F(LogReaderTest, InternalErrorsForMissingOrEmptyLists) {
    TDay day(At(2010, 5, 1), &Chart, &Chart2);
    LogLines empty;
    EXPECT_EQ(MessageOf([&] { day.ReadLines(nullptr, Reader); }), "Illegal State(42)");
    EXPECT_EQ(MessageOf([&] { day.ReadLines(&empty, Reader); }), "Illegal State(43)");
    EXPECT_EQ(MessageOf([&] { TDay noChart(0, nullptr, &Chart2); }), Text(98));
}

TEST_F(LogReaderTest, LinesAreIndexedOnceAtTheirSizeAndEmptyOnesCostNothing) {
    // Eight bytes per line kept, counted before they are taken: no growth, no spare half.
    const QByteArray empties = QByteArray("\r\n").repeated(200000);
    const QByteArray mixed = QByteArray("x;1\r\n\r\n\n").repeated(1000);
    LogLines lines;
    lines.Load(empties, false);
    EXPECT_TRUE(lines.IsEmpty());
    EXPECT_TRUE(lines.StartedWithEmptyLine());
    EXPECT_EQ(lines.Capacity(), static_cast<size_t>(empties.capacity()));
    lines.Load(mixed, false);
    ASSERT_EQ(lines.Count(), 1000);
    EXPECT_EQ(lines.Line(999), "x;1");
    EXPECT_FALSE(lines.StartedWithEmptyLine());
    EXPECT_EQ(lines.Capacity(), static_cast<size_t>(mixed.capacity()) + 1000 * 8);
    lines.Load(mixed);
    ASSERT_EQ(lines.Count(), 3000);
    EXPECT_EQ(lines.Capacity(), static_cast<size_t>(mixed.capacity()) + 3000 * 8);

    // Read from a file, a heading after empty lines is still found; no heading at all is no log.
    const QByteArray file = QByteArray("\n\r\n") + IsoHeading + "\r\n\r\n" +
                            "2010-05-01 00:01;1;2;3;4;5;6;7;8;9;0;0;0;0\r\n";
    const QByteArray heading = Reader.ReadLogLines(Write(file), lines);
    EXPECT_EQ(heading, IsoHeading);
    ASSERT_EQ(lines.Count(), 1);
    EXPECT_EQ(MessageOf([&] { Reader.ReadLogLines(Write(empties), lines); }), Text(85));
}

TEST_F(LogReaderTest, ALongDaysTextGoesBackWhileItIsReadUnlessItIsShared) {
    // About 3 MB: forty lines a minute, each with values of its own.
    QByteArray text = QByteArray(IsoHeading) + "\r\n";
    for (int m = 0; m < 1440; ++m)
        for (int k = 0; k < 40; ++k)
            text += QString::asprintf("2010-05-01 %02d:%02d;%d,%d;2;3;4;5;6;7;8;9;0;0;0;0\r\n",
                                      m / 60, m % 60, k, m % 10)
                        .toLatin1();
    const QByteArray pristine(text.constData(), text.size());
    const auto read = [this](LogLines& lines) {
        ChannelUnits units;
        EXPECT_TRUE(Reader.CheckHeading(Reader.TakeHeading(lines), units));
        auto day = std::make_unique<TDay>(Reader.GetFileDate(lines), &Chart, &Chart2);
        day->ReadLines(&lines, Reader);
        return day;
    };

    LogLines own;
    QByteArray ownText(text.constData(), text.size());
    const char* const ownBytes = ownText.constData();
    ASSERT_GT(ResidentPages(ownBytes, 1 << 20), 200);
    own.Load(std::move(ownText));
    const std::unique_ptr<TDay> fromOwn = read(own);
    EXPECT_EQ(ResidentPages(ownBytes, 1 << 20), 0) << "the first MiB read is given back";

    LogLines shared;
    shared.Load(text);
    const std::unique_ptr<TDay> fromShared = read(shared);
    EXPECT_EQ(text, pristine) << "a text another owner holds stays whole";

    // Every line was read before its text went: both days hold the same points.
    for (int c = 0; c < FileChannelCount; ++c) {
        const ChartSeries& a = fromOwn->SeriesAt(c);
        const ChartSeries& b = fromShared->SeriesAt(c);
        ASSERT_EQ(a.Count(), b.Count()) << c;
        for (int i = 0; i < a.Count(); ++i) {
            ASSERT_EQ(a.XValue(i), b.XValue(i)) << c << " " << i;
            ASSERT_EQ(std::isnan(a.YValue(i)), std::isnan(b.YValue(i))) << c << " " << i;
            if (!std::isnan(a.YValue(i))) {
                ASSERT_EQ(a.YValue(i), b.YValue(i)) << c << " " << i;
            }
        }
    }
    const ChartSeries& t1 = fromOwn->SeriesAt(ChT1);
    EXPECT_EQ(t1.YValue(t1.Count() - 1), 39.9);
    EXPECT_TRUE(fromOwn->Complete());
}
