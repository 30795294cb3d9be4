#include "ui/WindowGuide.h"

#include "chart/ChartSurface.h"
#include "core/GuideTexts.h"
#include "core/LanguageTexts.h"
#include "ui/ErrorBoundary.h"

#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QToolButton>

#include <algorithm>

WindowGuide::WindowGuide(QWidget& form, ChartSurface& chart, std::function<bool()> wanted)
    : QObject(&chart), Form(form), Wanted(std::move(wanted)), Chart(chart),
      Hint(new QLabel(&chart)) {
    setObjectName(QStringLiteral("WindowGuide"));
    Hint->setObjectName(QStringLiteral("LabelNoChannelHint"));
    Hint->setAlignment(Qt::AlignCenter);
    Hint->setWordWrap(true);
    // The chart under it keeps its cursor, zoom and context menu.
    Hint->setAttribute(Qt::WA_TransparentForMouseEvents);
    Hint->setStyleSheet(QStringLiteral("QLabel { color: #505050; background: rgba(255,255,255,210);"
                                       " border: 1px solid #b0b0b0; border-radius: 4px;"
                                       " padding: 8px; }"));
    QFont font = Hint->font();
    font.setPixelSize(14);
    Hint->setFont(font);
    Hint->hide();
    Chart.installEventFilter(this);
    // Every load, tick and untick ends in a redraw of the chart.
    connect(&Chart, &ChartSurface::afterReplot, this, GuardedSlot([this] { Update(); }));
    ApplyTexts();
}

bool WindowGuide::HintShown() const { return !Hint->isHidden(); }

void WindowGuide::ApplyTexts() {
    Hint->setText(Text(TextNoChannelHint));
    const auto tip = [this](const char* name, int text) {
        if (auto* widget = Form.findChild<QWidget*>(QString::fromLatin1(name)))
            widget->setToolTip(Text(text));
    };
    tip("ButtonJumpLeft", TextTipJumpLeft);
    tip("ButtonJumpRight", TextTipJumpRight);
    tip("ButtonScrollLeft", TextTipScrollLeft);
    tip("ButtonScrollRight", TextTipScrollRight);
    tip("SpanTime", TextTipSpan);
    Place();
}

void WindowGuide::Update() {
    const bool shown = Wanted();
    if (shown == HintShown())
        return;
    Hint->setVisible(shown);
    if (shown) {
        Place();
        Hint->raise();
    }
}

void WindowGuide::Place() {
    const QRect area = Chart.rect();
    const int width = std::min(area.width() - 20, 420);
    Hint->setFixedWidth(std::max(width, 40));
    Hint->adjustSize();
    Hint->move(area.center() - Hint->rect().center());
}

bool WindowGuide::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &Chart && event->type() == QEvent::Resize)
        Guarded([this] { Place(); });
    return QObject::eventFilter(watched, event);
}
