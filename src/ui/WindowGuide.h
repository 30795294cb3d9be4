#pragma once

#include <QObject>

#include <functional>

class ChartSurface;
class QLabel;
class QWidget;

// What an analysis window tells a new user without being asked: a hint in the empty chart while
// data is loaded and no channel is ticked, and tool tips on the span controls. The hint is a
// widget above the chart, never part of a saved or printed picture. It lives as long as the chart.
class WindowGuide : public QObject {
    Q_OBJECT
public:
    // `form` holds the span controls; `wanted` says whether the hint belongs on the chart now.
    // The window calls Update whenever what the charts show changes.
    WindowGuide(QWidget& form, ChartSurface& chart, std::function<bool()> wanted);

    void ApplyTexts();
    // Shows or hides the hint as the window now stands.
    void Update();
    bool HintShown() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Place();

    QWidget& Form;
    std::function<bool()> Wanted;
    ChartSurface& Chart;
    QLabel* Hint;
};
