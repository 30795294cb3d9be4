// Two stacked surfaces with synthetic series, for screenshots; "--time" measures a month redraw.
#include "chart/ChartSeries.h"
#include "chart/ChartSurface.h"

#include <QApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QSplitter>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

double Day(int y, int m, int d) {
    return static_cast<double>(QDate(1899, 12, 30).daysTo(QDate(y, m, d)));
}

std::unique_ptr<ChartSeries> Wave(double from, int minutes, double phase, double scale,
                                  const QColor& color) {
    auto s = std::make_unique<ChartSeries>();
    s->Reserve(minutes);
    for (int i = 0; i < minutes; ++i) {
        const double x = from + i / 1440.0;
        if (i % 1440 > 600 && i % 1440 < 660)
            s->AddNull(x); // a gap in the log
        else
            s->AddXY(x, 40 + scale * std::sin(i / 200.0 + phase));
    }
    s->SetColor(color);
    s->SetLineWidth(2);
    return s;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const bool month = args.contains(QStringLiteral("month"));
    const double from = month ? Day(2010, 6, 1) : Day(2010, 6, 15);
    const int minutes = month ? 44640 : 1440;

    if (args.contains(QStringLiteral("--time"))) {
        ChartSurface surface;
        surface.resize(1200, 450);
        std::vector<std::unique_ptr<ChartSeries>> series;
        for (int i = 0; i < 13; ++i) {
            series.push_back(
                Wave(Day(2010, 6, 1), 44640, i, 10 + i, QColor::fromHsv(i * 27, 255, 200)));
            surface.AddSeries(series.back().get());
        }
        surface.SetDateFormat(QStringLiteral("dd."));
        surface.xAxis->setRange(Day(2010, 6, 1), Day(2010, 7, 2));
        surface.replot();
        std::vector<double> ms;
        for (int i = 0; i < 15; ++i) {
            QElapsedTimer t;
            t.start();
            surface.replot(QCustomPlot::rpImmediateRefresh);
            ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("month redraw, 13 x 44640 points, width 2: median %.1f ms\n",
                    ms[ms.size() / 2]);
        return 0;
    }

    QSplitter splitter(Qt::Vertical);
    auto* chart = new ChartSurface(&splitter);
    auto* chart2 = new ChartSurface(&splitter);
    chart->setObjectName(QStringLiteral("Chart"));
    chart2->setObjectName(QStringLiteral("Chart2"));
    for (ChartSurface* c : {chart, chart2})
        c->SetMarginsPercent(7, 3, 2);
    chart->AddTitle(QStringLiteral("Demo day"));
    chart->AddTitle(QStringLiteral("second title line"));
    auto line = Wave(from, minutes, 0, 30, Qt::red);
    line->SetTitle(QStringLiteral("T1 collector"));
    auto stairs = Wave(from, minutes, 2, 20, Qt::darkGreen);
    stairs->SetStairs(true);
    stairs->SetTitle(QStringLiteral("T2 store"));
    chart->AddSeries(line.get());
    chart->AddSeries(stairs.get());
    chart->SetAxisTitle(ChartAxis::Left, QStringLiteral("°C"));
    chart->SetDateFormat(month ? QStringLiteral("dd.") : QStringLiteral("hh:mm"));
    chart->xAxis->setRange(from, from + (month ? 31.0 : 1.0));

    std::vector<std::unique_ptr<ChartSeries>> bands;
    const QColor colors[4] = {Qt::blue, Qt::magenta, Qt::darkCyan, Qt::gray};
    for (int b = 0; b < 4; ++b) {
        auto s = std::make_unique<ChartSeries>(SeriesKind::Bar);
        s->SetBarOrigin(b + 0.6);
        for (int i = 0; i < minutes; ++i) {
            const bool on = std::sin(i / (37.0 + 11 * b)) > 0.3;
            s->AddXY(from + i / 1440.0, on ? b + 1.4 : b + 0.6);
        }
        s->SetColor(colors[b]);
        s->SetTitle(QStringLiteral("R%1").arg(b + 1));
        chart2->AddSeries(s.get());
        bands.push_back(std::move(s));
    }
    chart2->SetAutomatic(ChartAxis::Left, false);
    chart2->SetMaximum(ChartAxis::Left, 4.5);
    chart2->SetMinimum(ChartAxis::Left, 0.5);
    chart2->SetIncrement(ChartAxis::Left, 1.0);
    chart2->SetAxisLabelHook([](ChartAxis axis, QString& text) {
        if (axis != ChartAxis::Left)
            return;
        static const QStringList names = {"R1", "R2", "R3", "RErr"};
        const int i = text.toInt();
        text = i >= 1 && i <= 4 ? names[i - 1] : QString();
    });
    chart->CopyBottomAxisTo(*chart2);
    splitter.resize(1400, 900);
    splitter.show();
    return app.exec();
}
