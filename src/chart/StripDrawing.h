#pragma once

#include <QBrush>
#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QRectF>
#include <QRegion>

#include <cstddef>
#include <functional>
#include <vector>

// The strokes and fills of the chart's series, kept while a layer is drawn into the chart's
// buffer and then drawn into vertical strips of it, one strip per core. The raster engine strokes
// and fills on the calling thread only, and on a large screen that, with clearing the buffer and
// copying it onto the window, is most of a redraw. Each pixel lies in one strip and is drawn
// there by every stroke and fill that reaches it, in the order they were given, so the picture is
// the one a single painter draws, but for a level or two of rounding where a stroke is cut at a
// strip's edge.
class StripDrawing {
public:
    // Starts keeping what is drawn onto image; For() finds this drawing by the painter's device.
    void Begin(QImage& image);
    // Draws what was kept and stops keeping.
    void End();
    // The drawing that keeps what painter draws, or nullptr when painter draws straight.
    static StripDrawing* For(const QPainter& painter);

    // Keeps lines or rectangles with the painter's pen, brush, hints and clip. False, with
    // nothing kept, when that state cannot be drawn elsewhere (a transform, opacity, another
    // composition, a clip that is not a rectangle): what was kept before is then drawn, and the
    // caller draws these itself.
    bool Lines(const QPainter& painter, const QLineF* lines, std::size_t count);
    bool Rects(const QPainter& painter, const QRectF* rects, std::size_t count);
    // Draws what was kept so far.
    void Flush();

    // How many strips the work is split into: one per core unless set (0 restores that).
    static int Strips();
    static void SetStrips(int strips);

    // Runs part(0) .. part(parts - 1), each on its own thread, the first on the calling one.
    static void RunParts(int parts, const std::function<void(int)>& part);
    // Fills image with colour, in bands of rows on every core.
    static void Fill(QImage& image, const QColor& colour);
    // Copies the opaque image onto the widget painter's window at the painter's origin, within
    // region (the painter's coordinates), on every core. False when the painter does not paint
    // into an image the rows can be copied into; then nothing was drawn.
    static bool CopyOnto(QPainter& painter, const QImage& image, const QRegion& region);

private:
    struct Command {
        QPen Pen;
        QBrush Brush;
        QPainter::RenderHints Hints;
        QPointF Shift; // the painter's translation
        QRect Clip;    // in the image's pixels
        bool Clipped = false;
        bool IsRects = false;
        double Reach = 0.0; // how far beyond its geometry a stroke may touch pixels
        std::size_t First = 0, Count = 0;
    };
    bool Keep(const QPainter& painter, bool rects, std::size_t first, std::size_t count);
    template <typename Item>
    bool KeepItems(const QPainter& painter, std::vector<Item>& kept, const Item* items,
                   std::size_t count);
    void DrawStrip(QImage& strip, int left, int right) const;

    QImage* FImage = nullptr;
    std::vector<Command> FCommands;
    std::vector<QLineF> FLines;
    std::vector<QRectF> FRects;
};
