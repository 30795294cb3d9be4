#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"
#include "chart/SeriesGraph.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <cmath>

TEST(ChartSeriesOnSurface, KeepsInsertionOrderAndGapsAcrossKindChanges) {
    ChartSurface surface;
    ChartSeries series;
    series.AddXY(2.0, 5.0);
    series.AddNull(1.0);
    series.AddXY(1.0, 7.0);
    surface.AddSeries(&series);
    series.SetKind(SeriesKind::Bar);
    series.SetKind(SeriesKind::Line);
    SeriesGraph* graph = surface.GraphOf(&series);
    ASSERT_NE(graph, nullptr);
    ASSERT_EQ(graph->dataCount(), 3);
    auto it = graph->data()->constBegin();
    EXPECT_EQ(it->key, 2.0);
    EXPECT_TRUE(std::isnan((it + 1)->value));
    EXPECT_EQ((it + 2)->value, 7.0);
    EXPECT_EQ(surface.GraphOf(&series), graph) << "a kind change keeps the plottable";
}

TEST(ChartSeriesOnSurface, StyleChangesReachTheGraphAndTheLegend) {
    ChartSurface surface;
    ChartSeries a, b, hidden;
    a.SetTitle(QStringLiteral("T1"));
    b.SetTitle(QStringLiteral("T2"));
    hidden.SetShowInLegend(false);
    surface.AddSeries(&a);
    surface.AddSeries(&hidden);
    surface.AddSeries(&b);
    EXPECT_EQ(surface.ActiveSeriesCount(), 3);
    EXPECT_EQ(surface.LegendEntries(), (QStringList{"T1", "T2"}));
    a.SetShowInLegend(false);
    a.SetShowInLegend(true);
    EXPECT_EQ(surface.LegendEntries(), (QStringList{"T1", "T2"})) << "legend follows series order";
    b.SetColor(Qt::red);
    b.SetTitle(QStringLiteral("Flow"));
    EXPECT_EQ(surface.GraphOf(&b)->pen().color(), QColor(Qt::red));
    EXPECT_EQ(surface.LegendEntries(), (QStringList{"T1", "Flow"}));
    b.SetAxis(ValueAxis::Right);
    EXPECT_EQ(surface.GraphOf(&b)->valueAxis(), surface.yAxis2);
    surface.RemoveSeries(&a);
    EXPECT_EQ(surface.GraphOf(&a), nullptr);
    EXPECT_EQ(surface.LegendEntries(), (QStringList{"Flow"}));
    EXPECT_EQ(surface.plottableCount(), 2);
}

TEST(ChartSeriesOnSurface, SeriesOutlivingOrDyingBeforeTheSurfaceIsSafe) {
    ChartSeries survivor;
    {
        ChartSurface surface;
        surface.AddSeries(&survivor);
        {
            ChartSeries shortLived;
            surface.AddSeries(&shortLived);
        }
        EXPECT_EQ(surface.ActiveSeriesCount(), 1);
        EXPECT_EQ(surface.plottableCount(), 1);
    }
    EXPECT_EQ(survivor.Host(), nullptr);
}

TEST(ChartSeriesOnSurface, ManyChangesInOneActionCostOneReplot) {
    ChartSurface surface;
    ChartSeries a, b;
    surface.AddSeries(&a);
    surface.AddSeries(&b);
    QCoreApplication::processEvents();
    int replots = 0;
    QObject::connect(&surface, &QCustomPlot::afterReplot, [&replots] { ++replots; });
    a.SetColor(Qt::green);
    b.SetTitle(QStringLiteral("x"));
    a.AddXY(1.0, 2.0);
    b.SetKind(SeriesKind::Bar);
    QCoreApplication::processEvents();
    EXPECT_EQ(replots, 1);
    EXPECT_EQ(surface.GraphOf(&a)->dataCount(), 1) << "points reach the graph by the replot";
    a.SetColor(Qt::green); // unchanged: nothing to draw
    QCoreApplication::processEvents();
    EXPECT_EQ(replots, 1);
}
