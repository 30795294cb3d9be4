#include "chart/ValueTicker.h"

#include <cmath>

double ValueTicker::getTickStep(const QCPRange& range) {
    // Too small an increment on a wide range would make thousands of ticks.
    if (Increment > 0.0 && range.size() / Increment <= 500.0)
        return Increment;
    return QCPAxisTicker::getTickStep(range);
}

QString ValueTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                                  int precision) {
    // Ticks come from repeated addition; round so hooks comparing with whole numbers match.
    const double rounded = std::abs(tick) < 1e-9 ? 0.0 : tick;
    QString label = QCPAxisTicker::getTickLabel(rounded, locale, formatChar, precision);
    if (LabelHook)
        LabelHook(label);
    return label;
}
