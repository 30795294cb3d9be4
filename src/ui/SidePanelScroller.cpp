#include "ui/SidePanelScroller.h"

#include <QLayout>
#include <QScrollBar>

#include <algorithm>

SidePanelScroller::SidePanelScroller(QWidget* panel, QWidget* parent)
    : QScrollArea(parent), PanelWidth(panel->minimumWidth()) {
    setObjectName(panel->objectName() + QStringLiteral("Scroller"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWidgetResizable(true);
    // Scrolled, the panel is never shorter than what it holds, whatever least height it was given.
    if (panel->layout() != nullptr)
        panel->setMinimumHeight(
            std::max(panel->minimumHeight(), panel->layout()->totalMinimumSize().height()));
    setWidget(panel);
    // The area's own background shows beside a panel that scrolls; it takes the panel's colour.
    setPalette(panel->palette());
    viewport()->setPalette(panel->palette());
    setFixedWidth(PanelWidth);
    connect(verticalScrollBar(), &QScrollBar::rangeChanged, this,
            [this](int, int maximum) { FollowScrollBar(maximum); });
}

void SidePanelScroller::FollowScrollBar(int maximum) {
    setFixedWidth(PanelWidth + (maximum > 0 ? verticalScrollBar()->sizeHint().width() : 0));
}
