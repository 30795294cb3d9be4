#pragma once

#include "chart/PlotLibrary.h"

#include <functional>

// Value-axis ticks with an optional fixed increment and a hook that may replace each label.
class ValueTicker : public QCPAxisTicker {
public:
    double Increment = 0.0; // 0 chooses a step from the range
    std::function<void(QString&)> LabelHook;

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar,
                         int precision) override;
};
