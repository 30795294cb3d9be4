#include "chart/StripDrawing.h"

#include <QPaintEngine>
#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <latch>
#include <type_traits>

namespace {

int ForcedStrips = 0;

// The drawings keeping strokes now; only the thread that owns the widgets draws charts.
std::vector<StripDrawing*>& Keeping() {
    static std::vector<StripDrawing*> keeping;
    return keeping;
}

QThreadPool& Pool() {
    // Threads wait between redraws instead of being started for each.
    static QThreadPool pool;
    static const bool once = [] {
        pool.setExpiryTimeout(-1);
        return true;
    }();
    (void)once;
    return pool;
}

// Below this much work a strip costs more to hand out than it saves.
constexpr std::size_t LeastItems = 64;
constexpr int LeastStripWidth = 128;
constexpr qint64 LeastPixelsForBands = 256 * 1024;

bool CopyableFormat(QImage::Format format) {
    // Opaque pixels are stored alike in these.
    return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32_Premultiplied ||
           format == QImage::Format_ARGB32;
}

} // namespace

int StripDrawing::Strips() {
    return ForcedStrips > 0 ? ForcedStrips : std::clamp(QThread::idealThreadCount(), 1, 8);
}

void StripDrawing::SetStrips(int strips) { ForcedStrips = std::max(0, strips); }

void StripDrawing::RunParts(int parts, const std::function<void(int)>& part) {
    if (parts <= 1) {
        part(0);
        return;
    }
    QThreadPool& pool = Pool();
    if (pool.maxThreadCount() < parts - 1)
        pool.setMaxThreadCount(parts - 1);
    std::latch done(parts - 1);
    for (int i = 1; i < parts; ++i)
        pool.start([&part, &done, i] {
            part(i);
            done.count_down();
        });
    part(0);
    done.wait();
}

void StripDrawing::Fill(QImage& image, const QColor& colour) {
    const int parts = static_cast<qint64>(image.width()) * image.height() < LeastPixelsForBands
                          ? 1
                          : std::min(Strips(), image.height());
    if (parts <= 1 || image.depth() != 32) {
        image.fill(colour);
        return;
    }
    uchar* bits = image.bits();
    const qsizetype line = image.bytesPerLine();
    const int height = image.height();
    RunParts(parts, [&](int k) {
        const int top = height * k / parts, bottom = height * (k + 1) / parts;
        QImage band(bits + top * line, image.width(), bottom - top, line, image.format());
        band.fill(colour);
    });
}

bool StripDrawing::CopyOnto(QPainter& painter, const QImage& image, const QRegion& region) {
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster || image.hasAlphaChannel() ||
        image.depth() != 32 || image.devicePixelRatio() != 1.0)
        return false;
    QPaintDevice* device = engine->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image)
        return false;
    const auto* target = static_cast<const QImage*>(device);
    const QTransform shift = painter.deviceTransform();
    if (!CopyableFormat(target->format()) || target->devicePixelRatio() != 1.0 ||
        shift.type() > QTransform::TxTranslate || shift.dx() != std::round(shift.dx()) ||
        shift.dy() != std::round(shift.dy()))
        return false;
    const QPoint origin(static_cast<int>(shift.dx()), static_cast<int>(shift.dy()));
    QRegion area = region.translated(origin) & QRect(origin, image.size()) & target->rect();
    if (painter.hasClipping())
        area &= shift.map(painter.clipRegion());
    // Where the window lets this widget paint: not under other widgets, within the update.
    const QRegion allowed = engine->systemClip();
    if (!allowed.isEmpty())
        area &= allowed;
    // The rows go to the memory the painter paints into, without detaching it.
    auto* into = const_cast<uchar*>(target->constBits());
    const qsizetype intoLine = target->bytesPerLine();
    struct Row {
        int Y, Left, Width;
    };
    std::vector<Row> rows;
    for (const QRect& r : area)
        for (int y = r.top(); y <= r.bottom(); ++y)
            rows.push_back({y, r.left(), r.width()});
    const qint64 pixels =
        static_cast<qint64>(area.boundingRect().width()) * static_cast<int>(rows.size());
    const int parts =
        pixels < LeastPixelsForBands ? 1 : std::min<int>(Strips(), static_cast<int>(rows.size()));
    RunParts(parts, [&](int k) {
        const std::size_t from =
            rows.size() * static_cast<std::size_t>(k) / static_cast<std::size_t>(parts);
        const std::size_t to =
            rows.size() * static_cast<std::size_t>(k + 1) / static_cast<std::size_t>(parts);
        for (std::size_t i = from; i < to; ++i) {
            const Row& row = rows[i];
            std::memcpy(into + row.Y * intoLine + row.Left * 4,
                        image.constScanLine(row.Y - origin.y()) + (row.Left - origin.x()) * 4,
                        static_cast<std::size_t>(row.Width) * 4);
        }
    });
    return true;
}

void StripDrawing::Begin(QImage& image) {
    End();
    if (image.depth() != 32 || image.devicePixelRatio() != 1.0 || image.isNull())
        return;
    FImage = &image;
    Keeping().push_back(this);
}

void StripDrawing::End() {
    if (FImage == nullptr)
        return;
    Flush();
    auto& keeping = Keeping();
    keeping.erase(std::remove(keeping.begin(), keeping.end(), this), keeping.end());
    FImage = nullptr;
}

StripDrawing* StripDrawing::For(const QPainter& painter) {
    const QPaintDevice* device = painter.device();
    for (StripDrawing* drawing : Keeping())
        if (drawing->FImage == device)
            return drawing;
    return nullptr;
}

bool StripDrawing::Keep(const QPainter& painter, bool rects, std::size_t first, std::size_t count) {
    // The painter of an antialiased chart is shifted by half a pixel.
    const QTransform shift = painter.deviceTransform();
    const bool plain = shift.type() <= QTransform::TxTranslate && painter.opacity() == 1.0 &&
                       painter.compositionMode() == QPainter::CompositionMode_SourceOver;
    const bool clipped = painter.hasClipping();
    if (!plain || (clipped && painter.clipRegion().rectCount() != 1)) {
        Flush();
        return false;
    }
    Command command;
    command.Pen = painter.pen();
    command.Brush = painter.brush();
    command.Hints = painter.renderHints();
    command.Shift = QPointF(shift.dx(), shift.dy());
    command.Clipped = clipped;
    if (clipped)
        command.Clip = shift.mapRect(painter.clipBoundingRect()).toAlignedRect();
    command.IsRects = rects;
    const double width =
        command.Pen.style() == Qt::NoPen ? 0.0 : std::max(1.0, command.Pen.widthF());
    // A square cap reaches half the width past a line's end, on a diagonal; antialiasing and
    // rounding up to two pixels more.
    command.Reach = 0.75 * width + 2.0;
    command.First = first;
    command.Count = count;
    FCommands.push_back(command);
    return true;
}

template <typename Item>
bool StripDrawing::KeepItems(const QPainter& painter, std::vector<Item>& kept, const Item* items,
                             std::size_t count) {
    if (FImage == nullptr || !Keep(painter, std::is_same_v<Item, QRectF>, kept.size(), count))
        return false;
    kept.insert(kept.end(), items, items + count);
    return true;
}

bool StripDrawing::Lines(const QPainter& painter, const QLineF* lines, std::size_t count) {
    return KeepItems(painter, FLines, lines, count);
}

bool StripDrawing::Rects(const QPainter& painter, const QRectF* rects, std::size_t count) {
    return KeepItems(painter, FRects, rects, count);
}

void StripDrawing::DrawStrip(QImage& strip, int left, int right) const {
    QPainter painter(&strip);
    static thread_local std::vector<QRectF> rects;
    static thread_local std::vector<QLineF> lines;
    for (const Command& c : FCommands) {
        painter.setRenderHints(painter.renderHints(), false);
        painter.setRenderHints(c.Hints, true);
        painter.setPen(c.Pen);
        painter.setBrush(c.Brush);
        // The clip was kept in the image's pixels.
        painter.setTransform(QTransform::fromTranslate(-left, 0));
        if (c.Clipped)
            painter.setClipRect(c.Clip);
        else
            painter.setClipping(false);
        painter.setTransform(QTransform::fromTranslate(c.Shift.x() - left, c.Shift.y()));
        // The strip's reach in the kept coordinates.
        const double low = left - c.Reach - c.Shift.x(), high = right + c.Reach - c.Shift.x();
        if (c.IsRects) {
            rects.clear();
            for (std::size_t i = c.First; i < c.First + c.Count; ++i) {
                const QRectF r = FRects[i].normalized();
                if (r.right() >= low && r.left() <= high)
                    rects.push_back(FRects[i]);
            }
            if (!rects.empty())
                painter.drawRects(rects.data(), static_cast<int>(rects.size()));
            continue;
        }
        // The engine strokes and blends each line of a call on its own, so a strip takes the
        // lines that reach it, in their order.
        lines.clear();
        for (std::size_t i = c.First; i < c.First + c.Count; ++i) {
            const QLineF& l = FLines[i];
            if (std::max(l.x1(), l.x2()) >= low && std::min(l.x1(), l.x2()) <= high)
                lines.push_back(l);
        }
        if (!lines.empty())
            painter.drawLines(lines.data(), static_cast<int>(lines.size()));
    }
}

void StripDrawing::Flush() {
    if (FCommands.empty() || FImage == nullptr)
        return;
    const int width = FImage->width();
    const std::size_t items = FLines.size() + FRects.size();
    const int strips = items < LeastItems ? 1 : std::clamp(width / LeastStripWidth, 1, Strips());
    // Strips share the image's memory, each a painter of its own; the painter drawing the layer
    // stays open on the image meanwhile, which is why even a single strip is such a view.
    uchar* bits = FImage->bits();
    const qsizetype line = FImage->bytesPerLine();
    RunParts(strips, [&](int k) {
        const int left = width * k / strips, right = width * (k + 1) / strips;
        QImage strip(bits + left * 4, right - left, FImage->height(), line, FImage->format());
        DrawStrip(strip, left, right);
    });
    FCommands.clear();
    FLines.clear();
    FRects.clear();
}
