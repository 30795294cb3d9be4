#include "chart/ChartSurface.h"
#include "core/DatePattern.h"

#include <QDate>

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {
double Day(int y, int m, int d) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

struct BerlinTime : ::testing::Test {
    BerlinTime() {
        if (const char* tz = std::getenv("TZ"))
            FOld = tz;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    ~BerlinTime() override {
        if (FOld.isEmpty())
            unsetenv("TZ");
        else
            setenv("TZ", FOld.constData(), 1);
        tzset();
    }
    QVector<QString> Labels(double from, double to, const QString& format) {
        ChartSurface surface;
        surface.resize(1200, 400);
        surface.SetDateFormat(format);
        surface.xAxis->setRange(from, to);
        surface.replot();
        return surface.xAxis->tickVectorLabels();
    }
    QByteArray FOld;
};
} // namespace

TEST(DatePattern, FormatsWallClockFields) {
    const double t = Day(2010, 3, 28) + (2.0 * 60 + 30) / 1440.0; // absent in Berlin local time
    EXPECT_EQ(DatePattern::Format(QStringLiteral("hh:mm"), t), QStringLiteral("02:30"));
    EXPECT_EQ(DatePattern::Format(QStringLiteral("dd.mm.yyyy"), t), QStringLiteral("28.03.2010"));
    EXPECT_EQ(DatePattern::Format(QStringLiteral("dd."), t), QStringLiteral("28."));
    EXPECT_EQ(DatePattern::Format(QStringLiteral("d.m. h:nn"), t), QStringLiteral("28.3. 2:30"));
    EXPECT_EQ(DatePattern::Format(QStringLiteral("mmm"), t),
              QLocale::system().standaloneMonthName(3, QLocale::ShortFormat));
    // Rounding to the second must not fall back to the previous day.
    EXPECT_EQ(DatePattern::Format(QStringLiteral("dd hh:mm"), Day(2010, 3, 29) - 1e-9),
              QStringLiteral("29 00:00"));
}

TEST_F(BerlinTime, DayRangeLabelsShowLoggedTimeInSummerAndOnBothChangeDays) {
    for (const double day : {Day(2010, 6, 15), Day(2010, 3, 28), Day(2010, 10, 31)}) {
        const QVector<QString> labels = Labels(day, day + 1.0, QStringLiteral("hh:mm"));
        ASSERT_FALSE(labels.isEmpty());
        EXPECT_EQ(labels.first(), QStringLiteral("00:00")) << day;
        EXPECT_EQ(labels.last(), QStringLiteral("00:00")) << day;
        for (const QString& label : labels)
            EXPECT_TRUE(label.endsWith(QStringLiteral(":00"))) << label.toStdString();
        EXPECT_TRUE(labels.contains(QStringLiteral("12:00"))) << day;
    }
}

TEST_F(BerlinTime, MonthRangeTicksAtMidnightsAndYearRangeAtFirstOfMonth) {
    const QVector<QString> month =
        Labels(Day(2010, 6, 1), Day(2010, 7, 1), QStringLiteral("dd.mm. hh:mm"));
    ASSERT_FALSE(month.isEmpty());
    for (const QString& label : month)
        EXPECT_TRUE(label.endsWith(QStringLiteral("00:00"))) << label.toStdString();
    EXPECT_EQ(month.first(), QStringLiteral("01.06. 00:00"));
    const QVector<QString> year =
        Labels(Day(2010, 1, 1), Day(2011, 1, 1), QStringLiteral("dd.mm."));
    ASSERT_FALSE(year.isEmpty());
    for (const QString& label : year)
        EXPECT_TRUE(label.startsWith(QStringLiteral("01."))) << label.toStdString();
}
