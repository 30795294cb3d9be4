// Shows one log file on the two stacked surfaces of an analysis window, for a first look.
// --width N draws the lines N pixels wide; --time prints the median time of a redraw of both
// surfaces instead of showing them.
#include "chart/ChartSurface.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include "core/AppError.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSplitter>

#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    int lineWidth = 2;
    bool time = false;
    QString file;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--width") && i + 1 < argc)
            lineWidth = QString::fromLocal8Bit(argv[++i]).toInt();
        else if (arg == QLatin1String("--time"))
            time = true;
        else
            file = arg;
    }
    if (file.isEmpty()) {
        std::fprintf(stderr, "usage: daydemo [--width N] [--time] file.csv\n");
        return 2;
    }
    QSplitter splitter(Qt::Vertical);
    auto* chart = new ChartSurface(&splitter);
    auto* chart2 = new ChartSurface(&splitter);
    for (ChartSurface* c : {chart, chart2})
        c->SetMarginsPercent(7, 3, 2);
    try {
        LogReader reader;
        LogLines lines;
        ChannelUnits units;
        const QByteArray heading = reader.ReadLogLines(file, lines);
        if (!reader.CheckHeading(heading, units))
            AppError::RaiseText(86);
        TDay day(reader.GetFileDate(lines), chart, chart2);
        day.ReadLines(&lines, reader);
        const QColor colors[13] = {Qt::red,      Qt::blue,      Qt::darkGreen, Qt::darkYellow,
                                   Qt::darkCyan, Qt::magenta,   Qt::black,     Qt::darkBlue,
                                   Qt::darkRed,  Qt::darkGreen, Qt::blue,      Qt::darkMagenta,
                                   Qt::red};
        for (int channel = 0; channel <= 12; ++channel) {
            bool shown = false;
            DataState state = DataState::Absent;
            // Styling reaches only shown series.
            day.ShowChannel(channel, shown, state, true, day.StartDate() + 1.0, day.StartDate());
            day.ApplyChannelStyle(channel, QString::fromLatin1(ChannelShortNames[channel]), true,
                                  true, lineWidth, colors[channel]);
        }
        chart->AddTitle(file);
        chart->SetDateFormat(QStringLiteral("hh:mm"));
        chart->SetAutomatic(ChartAxis::Left, false);
        chart->SetMaximum(ChartAxis::Left, 120.0);
        chart->SetMinimum(ChartAxis::Left, -10.0);
        chart->SetAxisTitle(ChartAxis::Left, units[0]);
        chart->xAxis->setRange(day.StartDate(), day.StartDate() + 1.0);
        chart2->SetAutomatic(ChartAxis::Left, false);
        chart2->SetMaximum(ChartAxis::Left, 57.0);
        chart2->SetMinimum(ChartAxis::Left, -2.0);
        chart2->SetIncrement(ChartAxis::Left, 5.0);
        chart2->SetLegendVisible(false);
        chart->CopyBottomAxisTo(*chart2);
        splitter.resize(1400, 900);
        splitter.show();
        if (!time)
            return app.exec();
        QApplication::processEvents();
        std::vector<double> ms;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer timer;
            timer.start();
            chart->replot(QCustomPlot::rpImmediateRefresh);
            chart2->replot(QCustomPlot::rpImmediateRefresh);
            ms.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        }
        std::sort(ms.begin(), ms.end());
        std::printf("line width %d: redraw of both surfaces %.1f ms (median of 5)\n", lineWidth,
                    ms[2]);
        return 0;
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        return 1;
    }
}
