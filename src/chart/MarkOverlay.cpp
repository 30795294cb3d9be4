#include "chart/MarkOverlay.h"

#include "chart/ChartMarks.h"
#include "chart/PlotLibrary.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

MarkOverlay::MarkOverlay(QCustomPlot* plot, const ChartMarks* marks) : FPlot(plot), FMarks(marks) {}

void MarkOverlay::SetReadout(std::vector<Line> lines, bool onLeft) {
    FLines = std::move(lines);
    FOnLeft = onLeft;
}

QRegion MarkOverlay::Footprint() const { return Arrange().Footprint; }

void MarkOverlay::Redraw() {
    const Layout now = Arrange();
    FBox = now.Box;
    const QRegion dirty = FShown.united(now.Footprint);
    if (!dirty.isEmpty())
        FPlot->update(dirty);
}

MarkOverlay::Layout MarkOverlay::Arrange() const {
    Layout layout;
    QCPAxisRect* rect = FPlot->axisRect();
    if (rect == nullptr || FMarks == nullptr)
        return layout;
    const QRect area = rect->rect();
    QCPAxis* time = rect->axis(QCPAxis::atBottom);
    for (const ChartMarks::Mark& mark : FMarks->Entries()) {
        if (mark.Style.Behind)
            continue;
        if (mark.From < mark.To) {
            const double a = std::max<double>(area.left(), time->coordToPixel(mark.From));
            const double b = std::min<double>(area.right() + 1, time->coordToPixel(mark.To));
            if (b > a)
                layout.Shapes.push_back(
                    {QRectF(a, area.top(), std::max(1.0, b - a), area.height()), mark.Style.Fill});
            continue;
        }
        const double x = std::round(time->coordToPixel(mark.From));
        if (x >= area.left() && x <= area.right())
            layout.Shapes.push_back(
                {QRectF(x, area.top(), 0.0, area.height() - 1.0), mark.Style.Fill});
    }
    if (!FLines.empty()) {
        const QFontMetrics metrics(FPlot->font());
        int width = 0;
        for (const Line& line : FLines)
            width = std::max(width, metrics.horizontalAdvance(line.Text));
        const int pad = 5;
        QRect box(0, area.top() + pad, width + 2 * pad,
                  metrics.height() * static_cast<int>(FLines.size()) + 2 * pad);
        box.moveLeft(FOnLeft ? area.left() + pad : area.right() - pad - box.width());
        layout.Box = box;
    }
    // A pixel more on each side than the shapes cover: rounding of fractional edges and the
    // box's outline, which a one-pixel pen draws right of and below the rectangle.
    for (const Shape& shape : layout.Shapes)
        layout.Footprint |= shape.Rect.toAlignedRect().adjusted(-1, -1, 2, 2);
    if (!layout.Box.isEmpty())
        layout.Footprint |= layout.Box.adjusted(-1, -1, 2, 2);
    layout.Footprint &= area;
    return layout;
}

void MarkOverlay::Paint(QPainter& painter) {
    const Layout layout = Arrange();
    FShown = layout.Footprint;
    FBox = layout.Box;
    if (layout.Footprint.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setClipRect(FPlot->axisRect()->rect(), Qt::IntersectClip);
    for (const Shape& shape : layout.Shapes) {
        if (shape.Rect.width() == 0.0) {
            painter.setPen(QPen(shape.Colour, 1));
            painter.drawLine(QLineF(shape.Rect.topLeft(), shape.Rect.bottomLeft()));
        } else {
            painter.setPen(Qt::NoPen);
            painter.setBrush(shape.Colour);
            painter.drawRect(shape.Rect);
        }
    }
    if (!layout.Box.isEmpty())
        PaintReadout(painter, layout.Box);
    painter.restore();
}

void MarkOverlay::PaintReadout(QPainter& painter, const QRect& box) const {
    const QFontMetrics metrics(FPlot->font());
    const int pad = 5;
    const int lineHeight = metrics.height();
    painter.setFont(FPlot->font());
    painter.setPen(QPen(QColor(150, 150, 150), 1));
    painter.setBrush(QColor(255, 255, 255, 225));
    painter.drawRect(box);
    int y = box.top() + pad;
    for (const Line& line : FLines) {
        QColor ink = line.Colour.isValid() ? line.Colour : QColor(Qt::black);
        // Light channel colours (yellow, light green) stay readable on the white box.
        if (ink.lightness() > 150)
            ink = ink.darker(160);
        painter.setPen(ink);
        painter.drawText(QRect(box.left() + pad, y, box.width() - 2 * pad, lineHeight),
                         Qt::AlignLeft | Qt::AlignVCenter, line.Text);
        y += lineHeight;
    }
}
