#include "LogGenerator.h"
#include "chart/ChartSurface.h"
#include "chart/MarkOverlay.h"
#include "core/DatePattern.h"
#include "core/LanguageTexts.h"
#include "logdata/TAnalysisData.h"
#include "logdata/TDay.h"
#include "ui/ChartCursor.h"
#include "ui/ReadoutTexts.h"
#include "ui/ScriptedPrompts.h"
#include "ui/TChildform.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double Minute = 1.0 / 1440.0;

DateTime Date(const QDate& date) {
    DateTime d = 0;
    EXPECT_TRUE(EncodeDate(date.year(), date.month(), date.day(), d));
    return d;
}

class ChartCursorTest : public ::testing::Test {
protected:
    void SetUp() override {
        SetCurrentTexts(TextArrayId::English);
        loggen::DayOptions options; // one-minute lines, a sunny day: the pump runs
        const QString path = Dir.filePath(QStringLiteral("20100601.csv"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(loggen::GenerateDay(Day, options).Bytes);
        file.close();
        Form.ApplyTexts(); // made before the language was chosen
        Form.LoadLogFile(path);
        Form.resize(1000, 700);
        Form.show();
        for (const char* box : {"CB_T1", "CB_Power", "CB_R1"})
            Form.findChild<QCheckBox*>(QString::fromLatin1(box))->setChecked(true);
        QApplication::processEvents();
        Chart().replot();
        Chart2().replot();
    }
    void TearDown() override { SetCurrentTexts(TextArrayId::German); }

    ChartSurface& Chart() { return *Form.findChild<ChartSurface*>(QStringLiteral("Chart")); }
    ChartSurface& Chart2() { return *Form.findChild<ChartSurface*>(QStringLiteral("Chart2")); }
    ChartCursor& Cursor() { return *Form.findChild<ChartCursor*>(); }
    QWidget& Panel() { return *Form.findChild<QWidget*>(QStringLiteral("PanelSpanStatistics")); }
    QTableWidget& Table() { return *Form.findChild<QTableWidget*>(QStringLiteral("TableSpan")); }
    const ChartSeries& Series(int channel) { return Form.Data()->GetDay(0).SeriesAt(channel); }

    QPointF PointAt(ChartSurface& chart, DateTime time) {
        return {chart.PixelOfKey(time), static_cast<double>(chart.PlotArea().center().y())};
    }
    void Mouse(ChartSurface& chart, QEvent::Type type, QPointF at,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        if (type == QEvent::MouseButtonPress)
            Pressed = true;
        if (type == QEvent::MouseButtonRelease)
            Pressed = false;
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        const Qt::MouseButtons held = Pressed ? Qt::LeftButton : Qt::NoButton;
        QMouseEvent event(type, at, chart.mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(&chart, &event);
    }
    void MoveOver(ChartSurface& chart, DateTime time) {
        Mouse(chart, QEvent::MouseMove, PointAt(chart, time));
    }
    void Drag(ChartSurface& chart, DateTime from, DateTime to, Qt::KeyboardModifiers modifiers) {
        Mouse(chart, QEvent::MouseButtonPress, PointAt(chart, from), modifiers);
        Mouse(chart, QEvent::MouseMove, (PointAt(chart, from) + PointAt(chart, to)) / 2, modifiers);
        Mouse(chart, QEvent::MouseMove, PointAt(chart, to), modifiers);
        Mouse(chart, QEvent::MouseButtonRelease, PointAt(chart, to), modifiers);
        QApplication::processEvents();
    }
    void Key(ChartSurface& chart, int key) {
        QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&chart, &event);
    }

    const QDate Day{2010, 6, 1};
    QTemporaryDir Dir;
    ScriptedPrompts Prompts;
    TChildform Form{nullptr, WindowSettings::FactoryDefaults()};
    bool Pressed = false;
};

} // namespace

TEST_F(ChartCursorTest, MovingOverEitherChartReadsEveryShownChannelAtOneTimeOnBoth) {
    const DateTime noon = Date(Day) + 0.5;
    MoveOver(Chart2(), noon + 10 * Minute);
    ASSERT_TRUE(Cursor().Visible());
    const DateTime t = Cursor().Time();
    EXPECT_NEAR(t, noon + 10 * Minute, 4 * Minute) << "within a pixel of the mouse";
    EXPECT_EQ(Chart().Marks().CursorKey(), t);
    EXPECT_EQ(Chart2().Marks().CursorKey(), t);

    // The value logged at or before the cursor, as the series hold it.
    const ChartSeries& t1 = Series(ChT1);
    int i = 0;
    while (i + 1 < t1.Count() && t1.XValue(i + 1) <= t)
        ++i;
    const QStringList lines = Cursor().ReadoutLines();
    ASSERT_GE(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("01.06.2010 12:"))) << lines[0].toStdString();
    EXPECT_EQ(
        lines[1],
        QStringLiteral("Temperature sensor 1: %1 °C").arg(QString::number(t1.YValue(i), 'f', 1)));
    EXPECT_TRUE(lines[2].startsWith(QStringLiteral("Thermal output: "))) << "Power";
    EXPECT_TRUE(lines[2].endsWith(QStringLiteral(" kW")));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Output 1: ")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral(" %")));
    EXPECT_EQ(Chart().Cursor()->Readout()[1].Colour, Series(ChT1).Color());
    // The box keeps away from the mouse: a cursor right of the middle puts it on the left.
    EXPECT_EQ(Chart().Cursor()->ReadoutOnLeft(),
              Chart().PixelOfKey(t) > Chart().PlotArea().center().x());

    // The readout follows the language.
    SetCurrentTexts(TextArrayId::German);
    Form.ApplyTexts();
    EXPECT_TRUE(Cursor().ReadoutLines()[1].startsWith(QString::fromUtf8("Temperatur Sensor 1: ")));
    EXPECT_TRUE(Cursor().ReadoutLines()[1].contains(QLatin1Char(',')));

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&Chart2(), &leave);
    EXPECT_FALSE(Cursor().Visible());
    EXPECT_TRUE(std::isnan(Chart().Marks().CursorKey()));
}

TEST_F(ChartCursorTest, TheScreenShowsTheLineOnBothChartsAndTheBoxWhereTheyAreNow) {
    // What the window shows after the paints the moves asked for, not a fresh paint of it all.
    const auto screen = [this] {
        QApplication::processEvents();
        return QGuiApplication::primaryScreen()->grabWindow(Form.winId()).toImage();
    };
    const auto at = [this](ChartSurface& chart, DateTime time) {
        return chart.mapTo(&Form, QPoint(static_cast<int>(std::round(chart.PixelOfKey(time))),
                                         chart.PlotArea().bottom() - 2));
    };
    const QColor grey = ChartMarks::CursorLook().Fill;
    const DateTime start = Date(Day);
    MoveOver(Chart(), start + 0.3);
    const QRect firstBox =
        Chart().Cursor()->LastBoxRect().translated(Chart().mapTo(&Form, QPoint()));
    ASSERT_FALSE(Chart().Cursor()->ReadoutOnLeft());
    MoveOver(Chart(), start + 0.7);
    MoveOver(Chart(), start + 0.8);
    const QRect lastBox =
        Chart().Cursor()->LastBoxRect().translated(Chart().mapTo(&Form, QPoint()));
    ASSERT_TRUE(Chart().Cursor()->ReadoutOnLeft());
    const DateTime now = Cursor().Time();
    QImage shown = screen();
    for (ChartSurface* chart : {&Chart(), &Chart2()}) {
        EXPECT_EQ(QColor(shown.pixel(at(*chart, now))), grey) << chart->objectName().toStdString();
        EXPECT_NE(QColor(shown.pixel(at(*chart, start + 0.3))), grey) << "a trail";
        EXPECT_NE(QColor(shown.pixel(at(*chart, start + 0.7))), grey) << "a trail";
    }
    const QColor border(150, 150, 150);
    EXPECT_EQ(QColor(shown.pixel(lastBox.left(), lastBox.center().y())), border);
    EXPECT_NE(QColor(shown.pixel(firstBox.right(), firstBox.center().y())), border) << "old box";

    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&Chart(), &leave);
    shown = screen();
    EXPECT_NE(QColor(shown.pixel(at(Chart2(), now))), grey) << "left behind";
    EXPECT_NE(QColor(shown.pixel(lastBox.left(), lastBox.center().y())), border);
}

TEST_F(ChartCursorTest, KeysStepFromLoggedPointToLoggedPointWithinTheView) {
    Chart().setFocus();
    Key(Chart(), Qt::Key_Home);
    const DateTime start = Date(Day);
    EXPECT_NEAR(Cursor().Time(), start, 1e-9) << "the first point in view";
    Key(Chart(), Qt::Key_Right);
    Key(Chart(), Qt::Key_Right);
    EXPECT_NEAR(Cursor().Time(), start + 2 * Minute, 1e-9);
    Key(Chart(), Qt::Key_Left);
    EXPECT_NEAR(Cursor().Time(), start + Minute, 1e-9);
    Key(Chart2(), Qt::Key_End);
    EXPECT_NEAR(Cursor().Time(), start + 1439 * Minute, 1e-9);
    Key(Chart2(), Qt::Key_Right);
    EXPECT_NEAR(Cursor().Time(), start + 1439 * Minute, 1e-9) << "no point after the last";
}

TEST_F(ChartCursorTest, ShiftDragMarksASpanWithoutZoomingAndTheTableGoesToTheClipboard) {
    const DateTime start = Date(Day);
    const double lo = Chart().Minimum(ChartAxis::Bottom);
    const double hi = Chart().Maximum(ChartAxis::Bottom);
    Drag(Chart2(), start + 12.0 / 24, start + 18.0 / 24, Qt::ShiftModifier);
    EXPECT_EQ(Chart().Minimum(ChartAxis::Bottom), lo) << "a span is no zoom";
    EXPECT_EQ(Chart().Maximum(ChartAxis::Bottom), hi);
    ASSERT_TRUE(Cursor().HasSpan());
    EXPECT_NEAR(Cursor().SpanFrom(), start + 0.5, 4 * Minute);
    EXPECT_NEAR(Cursor().SpanTo(), start + 0.75, 4 * Minute);
    EXPECT_EQ(Chart().Marks().SpanFrom(), Cursor().SpanFrom()) << "shaded on both charts";
    EXPECT_EQ(Chart2().Marks().SpanTo(), Cursor().SpanTo());
    ASSERT_TRUE(Panel().isVisible());
    ASSERT_EQ(Table().rowCount(), 3);
    EXPECT_EQ(Table().item(0, 0)->text(), QStringLiteral("Temperature sensor 1 [°C]"));

    QApplication::clipboard()->clear();
    Form.findChild<QPushButton*>(QStringLiteral("ButtonCopySpan"))->click();
    const QStringList lines = QApplication::clipboard()->text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 5);
    // The span's first and last moment head the table, as the marked span shows them.
    const QStringList span = lines[0].split(QLatin1Char('\t'));
    ASSERT_EQ(span.size(), 3);
    EXPECT_EQ(span[0], Text(TextMarkedSpan));
    EXPECT_EQ(span[1],
              DatePattern::Format(QStringLiteral("dd.mm.yyyy hh:nn"), Cursor().SpanFrom()));
    EXPECT_EQ(span[2], DatePattern::Format(QStringLiteral("dd.mm.yyyy hh:nn"), Cursor().SpanTo()));
    EXPECT_TRUE(span[1].startsWith(QStringLiteral("01.06.2010 1"))) << span[1].toStdString();
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).size(), 10);
    EXPECT_TRUE(lines[1].startsWith(Text(TextChannel) + QLatin1Char('\t')));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Thermal output [kW]\t")));
    const QStringList power = lines[3].split(QLatin1Char('\t'));
    EXPECT_FALSE(power[7].isEmpty()) << "the span's Energy";
    EXPECT_TRUE(power[9].isEmpty()) << "Power has no starts";
    const QStringList r1 = lines[4].split(QLatin1Char('\t'));
    EXPECT_FALSE(r1[8].isEmpty()) << "on-time";

    // Escape on the panel, where a click on Copy may have left the focus, closes it too.
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Panel(), &escape);
    EXPECT_FALSE(Cursor().HasSpan());
    EXPECT_FALSE(Panel().isVisible());
    EXPECT_FALSE(Chart2().Marks().HasSpan());
}

TEST_F(ChartCursorTest, AClickClearsTheSpanAndAPlainDragStillZooms) {
    const DateTime start = Date(Day);
    Drag(Chart(), start + 0.3, start + 0.4, Qt::ShiftModifier);
    ASSERT_TRUE(Cursor().HasSpan());
    Drag(Chart(), start + 0.6, start + 0.6, Qt::NoModifier);
    EXPECT_FALSE(Cursor().HasSpan());

    // Escape on a chart clears the span.
    Drag(Chart2(), start + 0.3, start + 0.4, Qt::ShiftModifier);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(&Chart(), &escape);
    EXPECT_FALSE(Cursor().HasSpan());

    Drag(Chart(), start + 0.25, start + 0.5, Qt::NoModifier);
    // A pixel is about two minutes here.
    EXPECT_NEAR(Chart().Minimum(ChartAxis::Bottom), start + 0.25, 4 * Minute) << "zoomed";
    EXPECT_NEAR(Chart().Maximum(ChartAxis::Bottom), start + 0.5, 4 * Minute);
    EXPECT_FALSE(Cursor().HasSpan());
}

TEST_F(ChartCursorTest, ClearingTheWindowDropsCursorAndSpan) {
    const DateTime start = Date(Day);
    Drag(Chart(), start + 0.3, start + 0.4, Qt::ShiftModifier);
    MoveOver(Chart(), start + 0.35);
    ASSERT_TRUE(Cursor().Visible());
    Form.ClearAnalysis();
    EXPECT_FALSE(Cursor().Visible());
    EXPECT_FALSE(Cursor().HasSpan());
    EXPECT_FALSE(Panel().isVisible());
    MoveOver(Chart(), start + 0.35);
    EXPECT_FALSE(Cursor().Visible()) << "nothing to read";
}
