#include "ReferenceFixture.h"
#include "chart/SeriesHost.h"
#include "core/Channels.h"
#include "logdata/ChannelReadings.h"
#include "logdata/ReferenceShift.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "settings/WindowSettings.h"

#include <QDateTime>

#include <QImage>

#include <cmath>
#include <utility>

namespace {

class ReferenceOutputTest : public ReferenceFixture {
protected:
    // 15 June 2010 over a cloudy 14 June whose lines lose a fifth of their fields.
    void LoadDayOverTheDayBefore() {
        loggen::DayOptions holes;
        holes.IntervalMinutes = 10;
        holes.EmptyChance = 0.2;
        holes.Seed = 7;
        holes.Sunny = false; // a curve of its own, not hidden under the period's
        WriteDay(QDate(2010, 6, 14), holes);
        Form.LoadLogFile(WriteDay(QDate(2010, 6, 15)));
    }
    QByteArray Export(const char* name, bool international) {
        Prompts.ExpectExportChoice(DataExportChoice{false, international});
        Prompts.ExpectFile(Dir.filePath(QString::fromLatin1(name)));
        Form.ExportData();
        QFile file(Dir.filePath(QString::fromLatin1(name)));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
        return file.readAll();
    }
    QImage SavedPicture(const char* name) {
        Prompts.ExpectFile(Dir.filePath(QString::fromLatin1(name)), 1); // PNG
        Prompts.ExpectChoice(0);                                        // as on screen
        Form.SaveChartImage();
        return QImage(Dir.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    }
    // Antialiasing blends a curve's edges; its middle keeps the colour within a few steps.
    static bool Near(const QColor& a, const QColor& b) {
        return std::abs(a.red() - b.red()) <= 12 && std::abs(a.green() - b.green()) <= 12 &&
               std::abs(a.blue() - b.blue()) <= 12;
    }
    static int PixelsOf(const QImage& image, const QColor& colour) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += Near(image.pixelColor(x, y), colour) ? 1 : 0;
        return count;
    }
    static DateTime TimeOf(const QByteArray& stamp) {
        const QDateTime t = QDateTime::fromString(QString::fromLatin1(stamp), Qt::ISODate);
        return Date(t.date()) + t.time().msecsSinceStartOfDay() / 86400000.0;
    }
};

} // namespace

TEST_F(ReferenceOutputTest,
       TheExportAddsTheReferencesValuesAtTheSameMomentsUnderAHeadingOfTheirOwn) {
    LoadDayOverTheDayBefore();
    Tick("CB_T1");
    Tick("CB_Power");
    const QByteArray alone = Export("alone.csv", true);
    Reference().Load(ReferenceShift::DaysEarlier(1));
    const QList<QByteArray> lines = Export("compared.csv", true).split('\n');
    const QString t1Unit = Form.Data()->GetUnit(ChT1);
    const QString pUnit = Form.Data()->GetUnit(ChPower);
    EXPECT_EQ(QString::fromUtf8(lines[0].trimmed()),
              QStringLiteral("time,T1 %1,Power %2,T1 (reference 14.06.2010) %1,"
                             "Power (reference 14.06.2010) %2")
                  .arg(t1Unit, pUnit));

    // Each line: the period's fields as without the reference, then the reference's value as
    // its own series has it a day earlier, or nothing.
    const QList<QByteArray> own = alone.split('\n');
    ASSERT_EQ(lines.size(), own.size());
    ChannelReadings before(*Reference().Data());
    int values = 0;
    int empty = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> fields = lines[i].trimmed().split(',');
        if (lines[i].trimmed().isEmpty())
            continue;
        ASSERT_EQ(fields.size(), 5) << i;
        EXPECT_EQ(fields.mid(0, 3).join(','), own[i].trimmed()) << i;
        const DateTime at = TimeOf(fields[0]);
        for (const auto& [channel, field] : {std::pair{ChT1, 3}, std::pair{ChPower, 4}}) {
            const ChannelReadings::Reading then = before.ValueAt(channel, at - 1.0);
            if (then.HasValue) {
                ++values;
                EXPECT_EQ(fields[field].toDouble(), then.Value) << i << " " << channel;
            } else {
                ++empty;
                EXPECT_TRUE(fields[field].isEmpty()) << i << " " << fields[field].toStdString();
            }
        }
    }
    EXPECT_GT(values, 150);
    EXPECT_GT(empty, 20) << "a fifth of the reference's fields are empty";

    // The log's format keeps its own columns first, so the program reads its export again.
    Reference().Clear();
    const QByteArray logAlone = Export("alone-log.csv", false);
    Reference().Load(ReferenceShift::DaysEarlier(1));
    const QByteArray log = Export("compared-log.csv", false);
    const QList<QByteArray> heading = log.left(log.indexOf("\r\n")).split(';');
    ASSERT_EQ(heading.size(), 14 + 2);
    EXPECT_EQ(heading.mid(0, 14).join(';'), logAlone.left(logAlone.indexOf("\r\n")));
    EXPECT_TRUE(heading[14].startsWith("T1 (reference 14.06.2010)[")) << heading[14].toStdString();
    EXPECT_TRUE(heading[15].startsWith("P (reference 14.06.2010)[")) << heading[15].toStdString();
    TAnalysisData readBack;
    MemoryHost host;
    MemoryHost host2;
    readBack.LoadFile(Dir.filePath(QStringLiteral("compared-log.csv")), &host, &host2);
    const ChartSeries& again = readBack.GetDay(0).SeriesAt(ChT1);
    const ChartSeries& shown = Form.Data()->GetDay(0).SeriesAt(ChT1);
    ASSERT_EQ(again.Count(), shown.Count());
    for (int i = 0; i < shown.Count(); ++i)
        ASSERT_EQ(again.YValue(i), shown.YValue(i)) << i;

    // Without the reference the export is the period's alone again.
    Reference().Clear();
    EXPECT_EQ(Export("after.csv", true), alone);
}

TEST_F(ReferenceOutputTest, ASavedPictureHoldsTheLighterCurveAndTheTitleLine) {
    LoadDayOverTheDayBefore();
    Tick("CB_T1");
    const QColor lighter = ReferencePeriod::Lighter(Form.Data()->GetDay(0).SeriesAt(ChT1).Color());
    const QImage alone = SavedPicture("alone");
    ASSERT_FALSE(alone.isNull());
    Reference().Load(ReferenceShift::DaysEarlier(1));
    const QImage compared = SavedPicture("compared");
    ASSERT_FALSE(compared.isNull()); // lower: the whole view's line stands below the charts
    // The period's own curve has a few such pixels at its edges; the reference's runs across the
    // day.
    const int before = PixelsOf(alone, lighter);
    EXPECT_GT(PixelsOf(compared, lighter), before + compared.width() / 2) << before;

    // A drawing keeps the title's words: the line that names the reference is among them.
    Prompts.ExpectFile(Dir.filePath(QStringLiteral("compared")), 2); // SVG
    Prompts.ExpectChoice(0);
    Form.SaveChartImage();
    QFile svg(Dir.filePath(QStringLiteral("compared.svg")));
    ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
    EXPECT_TRUE(svg.readAll().contains("Lighter: the reference 14.06.2010"));
    EXPECT_EQ(Chart().TitleLine(Chart().TitleCount() - 1), "Lighter: the reference 14.06.2010");
}

TEST_F(ReferenceOutputTest, TheReferenceTakesTheWindowsNewColoursAtOnce) {
    LoadDayOverTheDayBefore();
    Tick("CB_T1");
    Reference().Load(ReferenceShift::DaysEarlier(1));
    WindowSettings settings = Form.Settings();
    const QColor teal(0, 128, 128);
    settings.Colors[static_cast<size_t>(SlotOfChannel(ChT1))] = RefFromColor(teal);
    Form.ApplySettings(settings);
    ASSERT_EQ(Underlaid(Chart()).size(), 1u);
    EXPECT_EQ(Form.Data()->GetDay(0).SeriesAt(ChT1).Color(), teal);
    EXPECT_EQ(Underlaid(Chart()).front()->Color(), ReferencePeriod::Lighter(teal));
}
