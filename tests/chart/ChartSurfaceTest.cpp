#include "chart/ChartSurface.h"

#include "chart/ChartMarks.h"
#include "chart/ChartSeries.h"
#include "chart/SeriesGraph.h"
#include "core/AppError.h"
#include "core/DateTime.h"

#include <QPrinter>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

TEST(ChartSurface, RefusesInvertedRangesAndKeepsTheOldOne) {
    ChartSurface surface;
    surface.SetMaximum(ChartAxis::Left, 7.0);
    surface.SetMinimum(ChartAxis::Left, 3.0);
    EXPECT_THROW(surface.SetMinimum(ChartAxis::Left, 20.0), AppError);
    EXPECT_THROW(surface.SetMaximum(ChartAxis::Left, 1.0), AppError);
    EXPECT_EQ(surface.Minimum(ChartAxis::Left), 3.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 7.0);
    // The caller's remedy: the other order.
    surface.SetMaximum(ChartAxis::Left, 30.0);
    surface.SetMinimum(ChartAxis::Left, 20.0);
    EXPECT_EQ(surface.Minimum(ChartAxis::Left), 20.0);
}

TEST(ChartSurface, AdjustToDataUsesVisibleSeriesOfThatAxisAndBarOrigin) {
    ChartSurface surface;
    ChartSeries left, right, empty;
    left.AddXY(1.0, 10.0);
    left.AddXY(2.0, 30.0);
    right.SetAxis(ValueAxis::Right);
    right.SetKind(SeriesKind::Bar);
    right.SetBarOrigin(-5.0);
    right.AddXY(1.0, 2.0);
    empty.AddNull(1.0);
    for (ChartSeries* s : {&left, &right, &empty})
        surface.AddSeries(s);
    surface.AdjustToData(ChartAxis::Left);
    surface.AdjustToData(ChartAxis::Right);
    EXPECT_EQ(surface.Minimum(ChartAxis::Left), 10.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 30.0);
    EXPECT_EQ(surface.Minimum(ChartAxis::Right), -5.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Right), 2.0);
}

TEST(ChartSurface, PercentMarginsFollowTheSize) {
    ChartSurface surface;
    surface.resize(1000, 400);
    surface.SetMarginsPercent(8.0, 5.0, 10.0);
    surface.replot();
    const QMargins m = surface.axisRect()->margins();
    EXPECT_EQ(m.left(), 80);
    EXPECT_EQ(m.right(), 50);
    EXPECT_EQ(m.top(), 40);
    surface.resize(500, 200);
    surface.replot();
    EXPECT_EQ(surface.axisRect()->margins().left(), 40);
}

// Stacked surfaces share one time axis: the follower takes the leader's plot edges, not its own
// percent guess.
TEST(ChartSurface, FollowerTakesTheLeadersPlotEdges) {
    ChartSurface leader;
    ChartSurface follower;
    leader.resize(900, 400);
    follower.resize(900, 150);
    leader.show(); // the plot takes its size from the resize event of a shown widget
    follower.show();
    leader.SetAxisTitle(ChartAxis::Left, QStringLiteral("[\u00B0C]"));
    leader.SetAxisVisible(ChartAxis::Right, true);
    leader.SetMaximum(ChartAxis::Left, 12000.0);
    follower.SetMarginsPercent(3.0, 3.0, 2.0);
    follower.FollowPlotEdgesOf(&leader);
    follower.replot();
    EXPECT_EQ(follower.axisRect()->margins().left(), 27)
        << "percent margins until the leader lays out";
    leader.replot();
    follower.replot();
    const QCPAxisRect* lead = leader.axisRect();
    EXPECT_GT(lead->left(), 27);
    EXPECT_EQ(follower.axisRect()->left(), lead->left());
    EXPECT_EQ(follower.axisRect()->right(), lead->right());
}

TEST(ChartSurface, AxisLabelHookReplacesBandLabels) {
    ChartSurface surface;
    surface.resize(600, 400);
    surface.SetIncrement(ChartAxis::Left, 1.0);
    surface.SetMaximum(ChartAxis::Left, 4.5);
    surface.SetMinimum(ChartAxis::Left, 0.5);
    surface.SetAutomatic(ChartAxis::Left, false);
    surface.SetAxisLabelHook([](ChartAxis axis, QString& text) {
        if (axis != ChartAxis::Left)
            return;
        static const QStringList bands = {"R1", "R2", "R3", "RErr"};
        const int i = text.toInt();
        text = i >= 1 && i <= 4 ? bands[i - 1] : QString();
    });
    surface.replot();
    EXPECT_EQ(surface.yAxis->tickVectorLabels(), (QVector<QString>{"R1", "R2", "R3", "RErr"}));
}

TEST(ChartSurface, TitleLines) {
    ChartSurface surface;
    surface.AddTitle(QStringLiteral("b"));
    surface.InsertTitleTop(QStringLiteral("a"));
    surface.AddTitle(QStringLiteral("c"));
    EXPECT_EQ(surface.TitleCount(), 3);
    EXPECT_EQ(surface.TitleLine(0), QStringLiteral("a"));
    surface.DeleteTopTitle();
    EXPECT_EQ(surface.TitleLine(0), QStringLiteral("b"));
    surface.ClearTitle();
    surface.DeleteTopTitle();
    EXPECT_EQ(surface.TitleCount(), 0);
}

namespace {
struct MouseSurface : ::testing::Test {
    MouseSurface() {
        surface.resize(800, 400);
        surface.SetMarginsPercent(10, 10, 5);
        surface.SetAutomatic(ChartAxis::Left, false);
        surface.xAxis->setRange(0.0, 1.0);
        surface.yAxis->setRange(0.0, 100.0);
        surface.show();
        surface.replot();
    }
    void Drag(QPoint from, QPoint to) {
        QWidget* w = &surface;
        QTest::mousePress(w, Qt::LeftButton, {}, from);
        QMouseEvent move(QEvent::MouseMove, to, w->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(w, &move);
        QTest::mouseRelease(w, Qt::LeftButton, {}, to);
    }
    // A drag from left to right across the middle of the plot.
    void ZoomIn() {
        const QPoint c = surface.axisRect()->rect().center();
        Drag(c - QPoint(100, 50), c + QPoint(100, 50));
        QCoreApplication::processEvents();
        ASSERT_TRUE(surface.CanUndoZoom());
    }
    ChartSurface surface;
};
} // namespace

TEST_F(MouseSurface, ZoomThenUndoRestoresRangesAndNotifies) {
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    QSignalSpy undone(&surface, &ChartSurface::AfterUndoZoom);
    surface.replot();
    const QRect r = surface.axisRect()->rect();
    Drag(r.center() - QPoint(100, 50), r.center() + QPoint(100, 50));
    QCoreApplication::processEvents();
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_LT(surface.Maximum(ChartAxis::Bottom) - surface.Minimum(ChartAxis::Bottom), 0.5);
    EXPECT_GE(surface.Maximum(ChartAxis::Bottom) - surface.Minimum(ChartAxis::Bottom),
              1.0 / 24.0 - 1e-12);
    EXPECT_TRUE(surface.CanUndoZoom());
    surface.UndoZoom();
    EXPECT_EQ(undone.count(), 1);
    EXPECT_EQ(surface.Minimum(ChartAxis::Bottom), 0.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0);
}

TEST_F(MouseSurface, UndoAfterTwoZoomsReturnsEveryAxisToBeforeTheFirst) {
    surface.yAxis2->setRange(-10.0, 10.0);
    QSignalSpy undone(&surface, &ChartSurface::AfterUndoZoom);
    ZoomIn();
    const double firstLeftMax = surface.Maximum(ChartAxis::Left);
    ZoomIn();
    ASSERT_LT(surface.Maximum(ChartAxis::Left), firstLeftMax) << "the second zoom went further";
    surface.UndoZoom();
    EXPECT_EQ(undone.count(), 1);
    EXPECT_EQ(surface.Minimum(ChartAxis::Bottom), 0.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
    EXPECT_EQ(surface.Minimum(ChartAxis::Left), 0.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0);
    EXPECT_EQ(surface.Minimum(ChartAxis::Right), -10.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Right), 10.0);
    EXPECT_FALSE(surface.CanUndoZoom());
    // Nothing left to undo: the ranges stay, the notification still comes.
    surface.UndoZoom();
    EXPECT_EQ(undone.count(), 2);
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
}

TEST_F(MouseSurface, ADragFromRightToLeftUndoesInEitherVerticalDirection) {
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    QSignalSpy undone(&surface, &ChartSurface::AfterUndoZoom);
    const QPoint c = surface.axisRect()->rect().center();
    for (const int dy : {40, -40}) {
        ZoomIn();
        ZoomIn();
        Drag(c + QPoint(80, 0), c + QPoint(-80, dy));
        QCoreApplication::processEvents();
        EXPECT_FALSE(surface.CanUndoZoom()) << dy;
        EXPECT_EQ(surface.Minimum(ChartAxis::Bottom), 0.0) << dy;
        EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0) << dy;
        EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0) << dy;
    }
    EXPECT_EQ(zoomed.count(), 4) << "the undoing drag is no zoom";
    EXPECT_EQ(undone.count(), 2);
}

TEST_F(MouseSurface, EscapeAndTheContextMenuEntryUndo) {
    QAction* entry = surface.UndoZoomAction();
    ASSERT_NE(entry, nullptr);
    EXPECT_TRUE(surface.actions().contains(entry)) << "offered by the context menu";
    EXPECT_TRUE(entry->isVisible());
    EXPECT_FALSE(entry->isEnabled()) << "nothing to undo yet";
    ZoomIn();
    EXPECT_TRUE(entry->isEnabled());
    entry->trigger();
    EXPECT_FALSE(surface.CanUndoZoom());
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
    EXPECT_FALSE(entry->isEnabled());

    ZoomIn();
    QTest::keyClick(&surface, Qt::Key_Escape);
    EXPECT_FALSE(surface.CanUndoZoom());
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0);

    // A chart that cannot zoom offers no entry.
    surface.SetZoomAllowed(false);
    EXPECT_FALSE(entry->isVisible());
}

TEST_F(MouseSurface, RightButtonAndShiftDragsDoNotZoom) {
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    const QPoint c = surface.axisRect()->rect().center();
    const auto drag = [&](Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
        QWidget* w = &surface;
        QTest::mousePress(w, button, modifiers, c);
        QMouseEvent move(QEvent::MouseMove, c + QPoint(120, 60), w->mapToGlobal(c), Qt::NoButton,
                         button, modifiers);
        QApplication::sendEvent(w, &move);
        QTest::mouseRelease(w, button, modifiers, c + QPoint(120, 60));
        QCoreApplication::processEvents();
    };
    drag(Qt::RightButton, Qt::NoModifier);
    drag(Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(zoomed.count(), 0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
    drag(Qt::LeftButton, Qt::NoModifier);
    EXPECT_EQ(zoomed.count(), 1) << "a plain drag still zooms";
}

TEST_F(MouseSurface, AValueRangeSetByCodeWhileZoomedOutlivesTheUndo) {
    ZoomIn();
    surface.SetMinimum(ChartAxis::Left, -40.0);
    surface.SetMaximum(ChartAxis::Left, 250.0);
    surface.UndoZoom();
    EXPECT_EQ(surface.Minimum(ChartAxis::Left), -40.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 250.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Bottom), 1.0);
}

TEST_F(MouseSurface, NoZoomWhenNotAllowedAndPanNotifiesOnlyOnMove) {
    surface.SetZoomAllowed(false);
    surface.SetPanAllowed(true);
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    QSignalSpy panned(&surface, &ChartSurface::AfterPan);
    QSignalSpy panning(&surface, &ChartSurface::Panning);
    const QPoint c = surface.axisRect()->rect().center();
    Drag(c, c + QPoint(100, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(zoomed.count(), 0);
    ASSERT_EQ(panned.count(), 1);
    EXPECT_EQ(panning.count(), 1) << "told at the drag's one move, so followers keep up";
    EXPECT_LT(surface.Minimum(ChartAxis::Bottom), 0.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0) << "panning is horizontal only";
    QTest::mouseClick(&surface, Qt::LeftButton, {}, c);
    EXPECT_EQ(panned.count(), 1);
}

namespace {
// A blue line of width 3 across the whole bottom range at half the fixed left range.
void AddMidLine(ChartSurface& surface, ChartSeries& line) {
    line.SetColor(Qt::blue);
    line.SetLineWidth(3);
    line.AddXY(0.0, 50.0);
    line.AddXY(1.0, 50.0);
    surface.AddSeries(&line);
    surface.SetAutomatic(ChartAxis::Left, false);
    surface.xAxis->setRange(0.0, 1.0);
    surface.yAxis->setRange(0.0, 100.0);
}
} // namespace

TEST(ChartSurfaceOutput, BmpHasTheSurfaceSizeWhiteBackgroundAndTheLine) {
    QTemporaryDir dir;
    ChartSurface surface;
    surface.resize(400, 300);
    ChartSeries s;
    AddMidLine(surface, s);
    const QString file = dir.filePath(QStringLiteral("c.bmp"));
    ASSERT_TRUE(surface.SaveBmp(file));
    const QImage image(file);
    ASSERT_EQ(image.size(), QSize(400, 300));
    EXPECT_EQ(image.pixelColor(2, 2), QColor(Qt::white));
    int blue = 0;
    for (int y = 0; y < image.height(); ++y)
        blue += image.pixelColor(200, y) == QColor(Qt::blue);
    EXPECT_GE(blue, 2);
    EXPECT_FALSE(surface.SaveBmp(dir.filePath(QStringLiteral("missing/c.bmp"))));
}

TEST(ChartSurfaceOutput, PrintsIntoAPdfAndRestoresTheScreenLayout) {
    QTemporaryDir dir;
    ChartSurface surface;
    surface.resize(600, 300);
    surface.replot();
    const QRect before = surface.axisRect()->rect();
    const QRect viewport = surface.viewport();
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(dir.filePath(QStringLiteral("c.pdf")));
    {
        QCPPainter painter(&printer);
        surface.DrawInto(painter, QRect(50, 50, 400, 200));
    }
    EXPECT_GT(QFileInfo(printer.outputFileName()).size(), 500);
    EXPECT_EQ(surface.axisRect()->rect(), before);
    EXPECT_EQ(surface.viewport(), viewport);
}

namespace {
int FirstColumnOf(const QImage& image, int row, QColor color) {
    for (int x = 0; x < image.width(); ++x)
        if (image.pixelColor(x, row) == color)
            return x;
    return -1;
}
} // namespace

TEST(ChartSurfaceOutput, PrintedLayoutIsTheScreenLayoutShrunkByOneAndAHalf) {
    ChartSurface surface;
    surface.resize(600, 300);
    ChartSeries s;
    AddMidLine(surface, s);
    surface.replot();
    const int screenLeft = surface.axisRect()->left();
    const int screenRight = surface.viewport().right() - surface.axisRect()->right();

    // The target has the screen size, so only the 1.5 layout can move the plot area.
    QImage page(800, 500, QImage::Format_RGB32);
    page.fill(Qt::white);
    const QRect target(100, 100, 600, 300);
    {
        QCPPainter painter(&page);
        surface.DrawInto(painter, target);
    }
    const int row = target.top() + target.height() / 2;
    int lineRow = -1;
    for (int y = target.top(); y < target.bottom() && lineRow < 0; ++y)
        if (page.pixelColor(target.center().x(), y) == QColor(Qt::blue))
            lineRow = y;
    ASSERT_GE(lineRow, 0) << "the series is drawn inside the target";
    EXPECT_NEAR(lineRow, row, 30);
    const int printedLeft = FirstColumnOf(page, lineRow, Qt::blue) - target.left();
    EXPECT_NEAR(printedLeft, screenLeft / 1.5, 3.0);
    EXPECT_LT(printedLeft, screenLeft - 3) << "margins and text shrink on paper";
    int printedRight = -1;
    for (int x = page.width() - 1; x >= 0 && printedRight < 0; --x)
        if (page.pixelColor(x, lineRow) == QColor(Qt::blue))
            printedRight = target.right() + 1 - x;
    EXPECT_NEAR(printedRight, screenRight / 1.5, 3.0);
    // Nothing is drawn outside the target.
    EXPECT_EQ(page.pixelColor(50, 50), QColor(Qt::white));
    EXPECT_EQ(page.pixelColor(750, 450), QColor(Qt::white));
}

TEST(ChartSurface, BottomLabelHookAndCopiedBottomAxis) {
    ChartSurface upper, lower;
    upper.resize(800, 300);
    lower.resize(800, 300);
    upper.SetDateFormat(QStringLiteral("hh:mm"));
    DateTime day = 0.0;
    ASSERT_TRUE(EncodeDate(2024, 7, 1, day));
    upper.xAxis->setRange(day + 0.25, day + 0.75);
    upper.SetAxisLabelHook([](ChartAxis axis, QString& text) {
        if (axis == ChartAxis::Bottom)
            text.prepend(QLatin1Char('~'));
    });
    upper.replot();
    const QVector<QString> labels = upper.xAxis->tickVectorLabels();
    ASSERT_FALSE(labels.isEmpty());
    for (const QString& label : labels)
        EXPECT_TRUE(label.startsWith(QLatin1Char('~'))) << label.toStdString();

    upper.CopyBottomAxisTo(lower);
    EXPECT_EQ(lower.Minimum(ChartAxis::Bottom), upper.Minimum(ChartAxis::Bottom));
    EXPECT_EQ(lower.Maximum(ChartAxis::Bottom), upper.Maximum(ChartAxis::Bottom));
    EXPECT_EQ(lower.DateFormat(), QStringLiteral("hh:mm"));
    lower.replot();
    QVector<QString> unhooked = labels;
    for (QString& label : unhooked)
        label.remove(0, 1);
    EXPECT_EQ(lower.xAxis->tickVectorLabels(), unhooked) << "same ticks, but the hook stays";
}

TEST(ChartSurface, ReattachedSeriesDrawsItsNewPoints) {
    ChartSurface surface;
    ChartSeries s;
    s.AddXY(0.0, 1.0);
    s.AddXY(1.0, 2.0);
    surface.AddSeries(&s);
    surface.replot();
    ASSERT_NE(surface.GraphOf(&s), nullptr);
    EXPECT_EQ(surface.GraphOf(&s)->data()->size(), 2);
    surface.RemoveSeries(&s);
    EXPECT_EQ(surface.GraphOf(&s), nullptr);
    s.AddXY(2.0, 3.0);
    surface.AddSeries(&s);
    surface.replot();
    EXPECT_EQ(surface.GraphOf(&s)->data()->size(), 3);
}

TEST(ChartSurface, AnEventSpanShadesItsTimesInTheSavedChartAUserSpanDoesNot) {
    ChartSurface surface;
    surface.resize(400, 300);
    surface.SetMaximum(ChartAxis::Bottom, 10.0);
    surface.SetMinimum(ChartAxis::Bottom, 0.0);
    surface.SetBackgroundColor(Qt::white);
    const auto colourAt = [&surface](double x, double heightRatio) {
        const QImage image = surface.toPixmap(400, 300).toImage();
        const QRect plot = surface.axisRect()->rect();
        const int px = static_cast<int>(surface.xAxis->coordToPixel(x));
        return image.pixelColor(px, plot.top() + static_cast<int>(plot.height() * heightRatio));
    };
    using Kind = ChartMarks::SpanKind;
    ChartMarks& marks = surface.Marks();
    const QColor plain = colourAt(3.0, 0.5);
    marks.SetSpan(4.0, 2.0, Kind::Event); // either order
    EXPECT_TRUE(marks.HasSpan());
    EXPECT_EQ(marks.SpanFrom(), 2.0);
    EXPECT_EQ(marks.SpanTo(), 4.0);
    EXPECT_NE(colourAt(3.0, 0.5), plain);
    EXPECT_EQ(colourAt(3.0, 0.05), colourAt(3.0, 0.95));
    EXPECT_EQ(colourAt(7.0, 0.5), plain);
    marks.SetSpan(6.0, 8.0, Kind::Event); // moves the one span
    EXPECT_EQ(colourAt(3.0, 0.5), plain);
    EXPECT_NE(colourAt(7.0, 0.5), plain);
    marks.SetSpan(6.0, 8.0, Kind::User); // takes the slot, and stays on the screen
    EXPECT_EQ(marks.Span(), Kind::User);
    EXPECT_EQ(colourAt(7.0, 0.5), plain);
    marks.SetSpan(2.0, 4.0, Kind::Event);
    marks.ClearSpan();
    EXPECT_FALSE(marks.HasSpan());
    EXPECT_EQ(colourAt(3.0, 0.5), plain);
    marks.ClearSpan();

    // A second surface given the model draws the same span.
    ChartSurface other;
    other.ShareMarks(marks);
    marks.SetSpan(1.0, 2.0, Kind::Event);
    EXPECT_EQ(&other.Marks(), &marks);
    EXPECT_EQ(other.Marks().SpanTo(), 2.0);
}

TEST(ChartSurfaceOutput, LinesAreDrawnAboveBarsWhateverTheOrderOfAttaching) {
    ChartSurface surface;
    surface.resize(400, 300);
    ChartSeries line;
    AddMidLine(surface, line);
    ChartSeries bars; // attached later, and tall enough to cover the line
    bars.SetKind(SeriesKind::Bar);
    bars.SetColor(Qt::red);
    for (int i = 0; i <= 20; ++i)
        bars.AddXY(i / 20.0, 100.0);
    surface.AddSeries(&bars);
    const QImage image = surface.toPixmap(400, 300).toImage();
    const QPoint mid(static_cast<int>(surface.xAxis->coordToPixel(0.5)),
                     static_cast<int>(surface.yAxis->coordToPixel(50.0)));
    EXPECT_EQ(image.pixelColor(mid.x(), mid.y() + 10), QColor(Qt::red)) << "the bars are drawn";
    EXPECT_EQ(image.pixelColor(mid), QColor(Qt::blue));
    // Turned into a line, the later series is drawn above the first again.
    bars.SetKind(SeriesKind::Line);
    EXPECT_EQ(surface.GraphOf(&bars)->layer(), surface.GraphOf(&line)->layer());
}

TEST(ChartSurfaceOutput, UnderlaidSeriesLieBeneathTheirKindButTheirLinesAboveAnyBars) {
    ChartSurface surface;
    ChartSeries line, bars, underLine, underBars;
    for (ChartSeries* series : {&underLine, &underBars, &line, &bars}) {
        series->AddXY(0.0, 1.0);
        series->AddXY(1.0, 2.0);
    }
    bars.SetKind(SeriesKind::Bar);
    underBars.SetKind(SeriesKind::Bar);
    // Attached last, as the window attaches what it lays under its own series.
    for (ChartSeries* series : {&line, &bars, &underLine, &underBars}) {
        series->SetUnderlay(series == &underLine || series == &underBars);
        surface.AddSeries(series);
    }
    const auto depth = [&](const ChartSeries& series) {
        return surface.GraphOf(&series)->layer()->index();
    };
    EXPECT_LT(depth(underBars), depth(bars));
    EXPECT_LT(depth(bars), depth(underLine));
    EXPECT_LT(depth(underLine), depth(line));
    underLine.SetUnderlay(false);
    EXPECT_EQ(depth(underLine), depth(line));
}

TEST(ChartSurface, NoLineIsDrawnWiderThanTheLimit) {
    ChartSurface surface;
    ChartSeries wide, thin;
    wide.SetLineWidth(5000);
    thin.SetLineWidth(0);
    surface.AddSeries(&wide);
    surface.AddSeries(&thin);
    EXPECT_EQ(surface.GraphOf(&wide)->pen().width(), ChartSurface::MaxLineWidth);
    EXPECT_EQ(ChartSurface::MaxLineWidth, 99);
    EXPECT_EQ(surface.GraphOf(&thin)->pen().width(), 1);
    EXPECT_EQ(wide.LineWidth(), 5000) << "the series keeps what it was given";
}
