#pragma once

#include <QFrame>

class AnalysisView;
class QComboBox;
class QLabel;
class QSlider;
class QTimer;
class QToolButton;

// The time-span controls below an analysis window's charts: the span selector, the slider of
// the day, month or hour, the jump and scroll buttons, and the timer that scrolls while a scroll
// button is held. They show an AnalysisView and report what the user does.
class SpanControls : public QFrame {
    Q_OBJECT
public:
    SpanControls(QWidget* parent, const AnalysisView& view);

    void FillSpanItems(int count);
    void ApplyTexts();
    void UpdateSpanTexts();
    // Span selector and slider as the view has them, without reporting it.
    void Show(const AnalysisView& view);
    // A scroll button pressed: outside the month span (where its click moves a month) the timer
    // ticks until Release, each tick a Step.
    void Press(bool left);
    void Release();
    // Space on a scroll button: one step; held, the key's repeats step on.
    void Key(bool left);
    // A tick of the scroll timer: a step while a button is held, else the timer stops.
    void Tick();

    QLabel* LabelDisplayedTimeSpan = nullptr;
    QComboBox* SpanTime = nullptr;
    QLabel* LabelSelectTimeSpan = nullptr;
    QSlider* SliderTime = nullptr;
    QToolButton* ButtonJumpLeft = nullptr;
    QToolButton* ButtonScrollLeft = nullptr;
    QToolButton* ButtonScrollRight = nullptr;
    QToolButton* ButtonJumpRight = nullptr;
    QTimer* ScrollTimer = nullptr;

Q_SIGNALS:
    // An entry chosen, or -1 for typed text that names none.
    void SpanChosen(int item);
    void Step(bool left);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const AnalysisView& View;
    bool FHeld = false;
    bool FHeldLeft = false;
};
