// Shows one log file on the two stacked surfaces of an analysis window, for a first look.
#include "chart/ChartSurface.h"
#include "logdata/LogLines.h"
#include "logdata/LogReader.h"
#include "logdata/TDay.h"

#include "core/AppError.h"

#include <QApplication>
#include <QSplitter>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: daydemo file.csv\n");
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
        const QByteArray heading = reader.ReadLogLines(QString::fromLocal8Bit(argv[1]), lines);
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
                                  true, 2, colors[channel]);
        }
        chart->AddTitle(QStringLiteral("%1").arg(QString::fromLocal8Bit(argv[1])));
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
        return app.exec();
    } catch (const AppError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.Message()));
        return 1;
    }
}
