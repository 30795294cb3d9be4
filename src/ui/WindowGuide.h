#pragma once

#include <QObject>

class ChartSurface;
class QLabel;
class TChildform;

// What an analysis window tells a new user without being asked: a hint in the empty chart while
// data is loaded and no channel is ticked, and tool tips on the span controls. The hint is a
// widget above the chart, never part of a saved or printed picture. It lives as long as the chart.
class WindowGuide : public QObject {
    Q_OBJECT
public:
    WindowGuide(TChildform& form, ChartSurface& chart);

    void ApplyTexts();
    // Shows or hides the hint as the window now stands.
    void Update();
    bool HintShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    TChildform& Form;
    ChartSurface& Chart;
    QLabel* Hint;
};
