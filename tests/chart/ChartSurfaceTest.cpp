#include "chart/ChartSurface.h"

#include "chart/ChartSeries.h"
#include "core/AppError.h"

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
    ChartSurface surface;
};
} // namespace

TEST_F(MouseSurface, ZoomThenUndoRestoresRangesAndNotifies) {
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    QSignalSpy undone(&surface, &ChartSurface::AfterUndoZoom);
    surface.replot();
    const QRect r = surface.axisRect()->rect();
    Drag(r.center() - QPoint(100, 50), r.center() + QPoint(100, 50));
    EXPECT_EQ(zoomed.count(), 0) << "the notification runs after QCP applied the zoom";
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

TEST_F(MouseSurface, NoZoomWhenNotAllowedAndPanNotifiesOnlyOnMove) {
    surface.SetZoomAllowed(false);
    surface.SetPanAllowed(true);
    QSignalSpy zoomed(&surface, &ChartSurface::AfterZoom);
    QSignalSpy panned(&surface, &ChartSurface::AfterPan);
    const QPoint c = surface.axisRect()->rect().center();
    Drag(c, c + QPoint(100, 40));
    QCoreApplication::processEvents();
    EXPECT_EQ(zoomed.count(), 0);
    ASSERT_EQ(panned.count(), 1);
    EXPECT_LT(surface.Minimum(ChartAxis::Bottom), 0.0);
    EXPECT_EQ(surface.Maximum(ChartAxis::Left), 100.0) << "panning is horizontal only";
    QTest::mouseClick(&surface, Qt::LeftButton, {}, c);
    EXPECT_EQ(panned.count(), 1);
}

TEST(ChartSurfaceOutput, BmpHasTheSurfaceSizeWhiteBackgroundAndTheLine) {
    QTemporaryDir dir;
    ChartSurface surface;
    surface.resize(400, 300);
    ChartSeries s;
    s.SetColor(Qt::blue);
    s.SetLineWidth(3);
    s.AddXY(0.0, 50.0);
    s.AddXY(1.0, 50.0);
    surface.AddSeries(&s);
    surface.SetAutomatic(ChartAxis::Left, false);
    surface.yAxis->setRange(0.0, 100.0);
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
