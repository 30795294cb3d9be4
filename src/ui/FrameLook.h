#pragma once

#include <QColor>
#include <QPalette>
#include <QWidget>

// The grey of the logo's background: the frame, its top panel and the analysis windows' panels.
inline const QColor FrameGrey(219, 224, 227);

// Fills a widget's background with `color`.
inline void Paint(QWidget* widget, const QColor& color) {
    widget->setAutoFillBackground(true);
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, color);
    widget->setPalette(palette);
}
