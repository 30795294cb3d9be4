#include "chart/DayTicker.h"

#include "core/DatePattern.h"

#include <QDate>

#include <array>
#include <cmath>

namespace {
constexpr double Minute = 1.0 / 1440.0;
constexpr double MonthStep = 30.0; // marks a step of whole calendar months
} // namespace

double DayTicker::getTickStep(const QCPRange& range) {
    if (Increment > 0.0)
        return Increment;
    static constexpr std::array<double, 17> steps = {
        Minute,       5 * Minute,   10 * Minute,   15 * Minute,   30 * Minute,   60 * Minute,
        120 * Minute, 180 * Minute, 0.25,          0.5,           1.0,           2.0,
        7.0,          MonthStep,    2 * MonthStep, 3 * MonthStep, 12 * MonthStep};
    const double wanted = range.size() / std::max(1, mTickCount);
    for (double s : steps)
        if (s >= wanted * 0.999)
            return s;
    return steps.back();
}

QVector<double> DayTicker::createTickVector(double tickStep, const QCPRange& range) {
    QVector<double> ticks;
    if (tickStep <= 0.0 || range.size() / tickStep > 2000.0)
        return ticks;
    if (tickStep >= MonthStep) {
        const int months = static_cast<int>(std::lround(tickStep / MonthStep));
        const QDate epoch(1899, 12, 30);
        QDate d = epoch.addDays(static_cast<qint64>(std::floor(range.lower)));
        d = QDate(d.year(), 1 + (d.month() - 1) / months * months, 1);
        for (; epoch.daysTo(d) <= range.upper; d = d.addMonths(months))
            if (static_cast<double>(epoch.daysTo(d)) >= range.lower)
                ticks.append(static_cast<double>(epoch.daysTo(d)));
        return ticks;
    }
    if (tickStep >= 1.0) {
        // Whole days count from the first midnight in view, so a week starts on the shown day.
        for (double t = std::ceil(range.lower - 1e-9); t <= range.upper + 1e-9; t += tickStep)
            ticks.append(std::round(t));
        return ticks;
    }
    // Steps divide a day or are whole days, so multiples land on round wall-clock times; rounding
    // to the minute removes the drift of repeated floating-point addition.
    for (double t = std::ceil(range.lower / tickStep - 1e-9) * tickStep; t <= range.upper + 1e-9;
         t += tickStep)
        ticks.append(std::round(t * 1440.0) / 1440.0);
    return ticks;
}

QString DayTicker::getTickLabel(double tick, const QLocale&, QChar, int) {
    QString label = MonthNames ? DatePattern::Format(Format, tick, *MonthNames)
                               : DatePattern::Format(Format, tick);
    if (LabelHook)
        LabelHook(label);
    return label;
}
