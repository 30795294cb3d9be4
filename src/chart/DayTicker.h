#pragma once

#include "chart/PlotLibrary.h"

#include <QLocale>

#include <functional>
#include <optional>

// Ticks for a time axis whose keys are DateTime days. Ticks are placed arithmetically on round
// minutes, hours, midnights or the 1st of a month and labelled from the day count, so local time
// (and its daylight-saving changes) never shifts them.
class DayTicker : public QCPAxisTicker {
public:
    QString Format = QStringLiteral("hh:mm");
    double Increment = 0.0; // days; 0 chooses a step from the range
    std::function<void(QString&)> LabelHook;
    // Month names of this locale instead of the system's.
    std::optional<QLocale> MonthNames;

protected:
    double getTickStep(const QCPRange& range) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;
};
