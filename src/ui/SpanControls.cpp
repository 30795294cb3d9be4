#include "ui/SpanControls.h"

#include "core/LanguageTexts.h"
#include "ui/ErrorBoundary.h"
#include "ui/FrameLook.h"
#include "ui/analysis/AnalysisView.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
constexpr int TextFirstSpan = 25; // "1 hour" ... "1 month"
constexpr int ScrollInterval = 25;
} // namespace

SpanControls::SpanControls(QWidget* parent, const AnalysisView& view) : QFrame(parent), View(view) {
    setObjectName(QStringLiteral("PanelZoomX"));
    setFixedHeight(63);
    setMinimumWidth(484);
    Paint(this, FrameGrey);
    ScrollTimer = new QTimer(this);
    ScrollTimer->setObjectName(QStringLiteral("ScrollTimer"));
    ScrollTimer->setInterval(50);
    auto* rows = new QVBoxLayout(this);
    rows->setContentsMargins(8, 4, 8, 4);
    rows->setSpacing(4);
    auto* first = new QHBoxLayout;
    LabelDisplayedTimeSpan = new QLabel(this);
    LabelDisplayedTimeSpan->setObjectName(QStringLiteral("LabelDisplayedTimeSpan"));
    SpanTime = new QComboBox(this);
    SpanTime->setObjectName(QStringLiteral("SpanTime"));
    SpanTime->setEditable(true);
    SpanTime->setFixedWidth(213);
    first->addWidget(LabelDisplayedTimeSpan);
    first->addWidget(SpanTime);
    first->addStretch(1);
    auto* second = new QHBoxLayout;
    LabelSelectTimeSpan = new QLabel(this);
    LabelSelectTimeSpan->setObjectName(QStringLiteral("LabelSelectTimeSpan"));
    SliderTime = new QSlider(Qt::Horizontal, this);
    SliderTime->setObjectName(QStringLiteral("SliderTime"));
    SliderTime->setFixedWidth(229);
    SliderTime->setTickPosition(QSlider::TicksBelow);
    SliderTime->setTickInterval(1);
    SliderTime->setRange(0, 0);
    SliderTime->setEnabled(false);
    second->addWidget(LabelSelectTimeSpan);
    second->addWidget(SliderTime);
    const auto makeButton = [&](QToolButton*& button, const char* name, const char* icon) {
        button = new QToolButton(this);
        button->setObjectName(QString::fromLatin1(name));
        button->setFixedSize(25, 25);
        button->setIcon(QIcon(QString::fromLatin1(icon)));
        button->setIconSize(QSize(16, 16));
        second->addWidget(button);
    };
    makeButton(ButtonJumpLeft, "ButtonJumpLeft", ":/icons/JumpLeft.svg");
    makeButton(ButtonScrollLeft, "ButtonScrollLeft", ":/icons/ScrollLeft.svg");
    makeButton(ButtonScrollRight, "ButtonScrollRight", ":/icons/ScrollRight.svg");
    makeButton(ButtonJumpRight, "ButtonJumpRight", ":/icons/JumpRight.svg");
    second->addStretch(1);
    rows->addLayout(first);
    rows->addLayout(second);

    // Enter in the selector must not grow the list by the typed text.
    SpanTime->setInsertPolicy(QComboBox::NoInsert);
    // activated, not currentIndexChanged: filling and selecting items from code must not run it.
    connect(SpanTime, &QComboBox::activated, this, [this](int item) { Q_EMIT SpanChosen(item); });
    // Typed text that names an item is activated by the combo box itself; any other text means
    // no item at all.
    connect(SpanTime->lineEdit(), &QLineEdit::returnPressed, this, [this] {
        if (SpanTime->findText(SpanTime->currentText(), Qt::MatchFixedString) < 0)
            Q_EMIT SpanChosen(-1);
    });
    // Press and release come from the event filter: pressed() also fires for the space key.
    ButtonScrollLeft->installEventFilter(this);
    ButtonScrollRight->installEventFilter(this);
    connect(ScrollTimer, &QTimer::timeout, this, GuardedSlot([this](auto&&...) { Tick(); }));
}

void SpanControls::FillSpanItems(int count) {
    const QSignalBlocker block(SpanTime);
    SpanTime->clear();
    for (int i = 0; i < count; ++i)
        SpanTime->addItem(Text(TextFirstSpan + i));
    SpanTime->setCurrentIndex(AnalysisView::DayItem);
}

void SpanControls::ApplyTexts() {
    LabelDisplayedTimeSpan->setText(Text(22) + QStringLiteral(":"));
    LabelSelectTimeSpan->setText(Text(23) + QStringLiteral(":"));
    UpdateSpanTexts();
}

void SpanControls::UpdateSpanTexts() {
    const QSignalBlocker block(SpanTime);
    const int selected = SpanTime->currentIndex();
    for (int i = SpanTime->count() - 1; i >= 0; --i)
        SpanTime->setItemText(i, Text(TextFirstSpan + i));
    SpanTime->setCurrentIndex(selected);
}

void SpanControls::Show(const AnalysisView& view) {
    const int item = view.Span();
    if (item < 0 || item >= SpanTime->count()) {
        const QSignalBlocker block(SpanTime);
        SpanTime->setCurrentIndex(-1);
    } else if (SpanTime->currentIndex() != item ||
               SpanTime->currentText() != SpanTime->itemText(item)) {
        const QSignalBlocker block(SpanTime);
        SpanTime->setCurrentIndex(item);
        SpanTime->setEditText(SpanTime->itemText(item));
    }
    const QSignalBlocker block(SliderTime);
    SliderTime->setRange(0, view.SliderMax());
    SliderTime->setValue(view.SliderPos());
    SliderTime->setEnabled(view.SliderEnabled());
}

void SpanControls::Press(bool left) {
    if (View.MonthMode)
        return;
    ScrollTimer->setInterval(ScrollInterval);
    FHeld = true;
    FHeldLeft = left;
    ScrollTimer->start();
}

void SpanControls::Release() {
    ScrollTimer->stop();
    FHeld = false;
}

void SpanControls::Key(bool left) {
    if (View.MonthMode)
        return;
    Release();
    Q_EMIT Step(left);
}

void SpanControls::Tick() {
    // Stopped during the step, so a slow step slows the scrolling instead of queueing ticks. A
    // step that fails leaves it stopped: its error box runs a modal loop in which ticks would go
    // on.
    ScrollTimer->stop();
    if (!FHeld)
        return;
    Q_EMIT Step(FHeldLeft);
    ScrollTimer->start();
}

bool SpanControls::eventFilter(QObject* watched, QEvent* event) {
    const bool left = watched == ButtonScrollLeft;
    if (left || watched == ButtonScrollRight)
        Guarded([&] {
            switch (event->type()) {
            case QEvent::MouseButtonPress:
            // The second press of a quick double click arrives as this; holding after it
            // scrolls too.
            case QEvent::MouseButtonDblClick:
                Press(left);
                break;
            case QEvent::MouseButtonRelease:
                Release();
                break;
            case QEvent::KeyPress:
                // Auto-repeated presses step again, so holding the key scrolls.
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space)
                    Key(left);
                break;
            default:
                break;
            }
        });
    // The button still sees the event: it draws itself pressed and clicks on release.
    return QFrame::eventFilter(watched, event);
}
