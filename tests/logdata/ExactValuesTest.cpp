#include "LogFileFixture.h"

#include "LogGenerator.h"
#include "core/DecimalComma.h"

#include <cmath>
#include <vector>

namespace {

class ExactValuesTest : public LogFileFixture {
protected:
    // Each channel's numbers in the order the file writes them, read by the general reader.
    static std::vector<std::vector<double>> Written(const QByteArray& bytes, bool& powerFraction) {
        std::vector<std::vector<double>> values(FileChannelCount);
        powerFraction = false;
        const QList<QByteArray> lines = bytes.split('\n');
        for (qsizetype l = 1; l < lines.size(); ++l) {
            const QList<QByteArray> fields = lines[l].trimmed().split(';');
            for (qsizetype f = 1; f < fields.size() && f <= FileChannelCount; ++f) {
                double v = 0;
                if (!ParseDecimalComma(fields[f].constData(),
                                       fields[f].constData() + fields[f].size(), v))
                    continue; // empty or "Err": no point
                values[static_cast<size_t>(f - 1)].push_back(v);
                powerFraction = powerFraction || (f - 1 == ChPower && std::floor(v) != v);
            }
        }
        return values;
    }

    void ExpectExact(const QByteArray& bytes, const char* what) {
        bool powerFraction = false;
        const auto written = Written(bytes, powerFraction);
        auto day = Load(bytes);
        for (int c = 0; c < FileChannelCount; ++c) {
            const ChartSeries& series = day->SeriesAt(c);
            std::vector<double> read;
            for (int i = 0; i < series.Count(); ++i)
                if (!series.IsNull(i))
                    read.push_back(series.YValue(i));
            const auto& expected = written[static_cast<size_t>(c)];
            ASSERT_EQ(read.size(), expected.size()) << what << " channel " << c;
            for (size_t i = 0; i < read.size(); ++i) {
                // Whole watts are shown as kilowatts, by the same product as always.
                const double want =
                    c == ChPower && !powerFraction ? expected[i] * 0.001 : expected[i];
                ASSERT_EQ(read[i], want) << what << " channel " << c << " point " << i;
            }
            if (IsOutputChannel(c)) {
                const int k = c - ChR1;
                const ChartSeries& bars = day->SeriesAt(TDay::BarSlotBase + k);
                ASSERT_EQ(bars.Count(), series.Count());
                for (int i = 0; i < bars.Count(); ++i) {
                    ASSERT_EQ(bars.XValue(i), series.XValue(i));
                    if (!series.IsNull(i)) {
                        ASSERT_EQ(bars.YValue(i), 44.5 - 15.0 * k + 0.1 * series.YValue(i) + 0.5);
                    }
                }
            }
        }
    }
};

TEST_F(ExactValuesTest, GeneratedDaysReadBackAsWritten) {
    const loggen::DateStyle styles[] = {loggen::DateStyle::YearFirst, loggen::DateStyle::DayFirst,
                                        loggen::DateStyle::DayFirstTwoDigitYear};
    for (std::uint32_t seed = 1; seed <= 12; ++seed) {
        loggen::DayOptions options;
        options.Seed = seed;
        options.Style = styles[seed % 3];
        options.Sunny = seed % 4 != 0;
        options.Gap = seed % 3 == 0;
        options.FaultChance = seed % 2 == 0 ? 0.01 : 0.0;
        options.EmptyChance = seed % 5 == 0 ? 0.02 : 0.0;
        options.IntervalMinutes = seed % 6 == 0 ? 5 : 1;
        const QDate date = QDate(2010, 1, 1).addDays(static_cast<int>(seed) * 29);
        ExpectExact(loggen::GenerateDay(date, options).Bytes,
                    qPrintable(QStringLiteral("seed %1").arg(seed)));
    }
}

TEST_F(ExactValuesTest, NumbersOfOtherShapesAreKeptExactlyToo) {
    // More than one decimal, exponents, a negative zero and watts beyond what a float holds in
    // tenths: the column keeps doubles, and the others stay as they are.
    const QByteArray bytes = QByteArray(IsoHeading) +
                             "\r\n2010-05-01 00:01;12,25;-0,0;1e2;0,1;5;6;7;8;123456789;0;0;0;0"
                             "\r\n2010-05-01 00:02;12,3;-1,5;2,5E-1;0,2;5;6;7;8;1234567;100;0;0;0"
                             "\r\n2010-05-01 00:03;;-2;3;0,3;5;6;7;8;8388608;50;0;0;0\r\n";
    ExpectExact(bytes, "odd shapes");
    auto day = Load(bytes);
    EXPECT_TRUE(std::signbit(day->SeriesAt(ChT2).YValue(0)));
    EXPECT_EQ(day->SeriesAt(ChT1).Count(), 2) << "an empty field gives no point";
    EXPECT_EQ(day->SeriesAt(ChT1).XValue(1), day->SeriesAt(ChT2).XValue(1));
}

} // namespace
