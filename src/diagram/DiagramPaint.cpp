#include "DiagramPaint.h"

#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <algorithm>
#include <cstdlib>
#include <utility>

namespace quorvex {

namespace {

// Corners given in either order, as the classic drawing calls accept them; false when nothing
// is left to draw.
bool Normalise(int& x1, int& y1, int& x2, int& y2)
{
    if (x2 < x1)
        std::swap(x1, x2);
    if (y2 < y1)
        std::swap(y1, y2);
    return x2 > x1 && y2 > y1;
}

} // namespace

void PaintRectangle(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& fill)
{
    if (!Normalise(x1, y1, x2, y2))
        return;
    const int w = x2 - x1;
    const int h = y2 - y1;
    if (fill.isValid() && w > 2 && h > 2)
        painter.fillRect(QRect(x1 + 1, y1 + 1, w - 2, h - 2), fill);
    // A one-pixel pen outlines QRect(x, y, w, h) over w + 1 columns: the far edge is exclusive.
    const QRect outline(x1, y1, w - 1, h - 1);
    painter.setBrush(Qt::NoBrush);
    if (outline.width() == 0 || outline.height() == 0)
        painter.drawLine(outline.topLeft(), outline.bottomRight());
    else
        painter.drawRect(outline);
}

void PaintEllipse(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& fill)
{
    if (!Normalise(x1, y1, x2, y2))
        return;
    painter.setBrush(fill.isValid() ? QBrush(fill) : QBrush(Qt::NoBrush));
    painter.drawEllipse(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    painter.setBrush(Qt::NoBrush);
}

void PaintPath(QPainter& painter, std::initializer_list<QPoint> points)
{
    painter.drawPolyline(QPolygon(QList<QPoint>(points)));
    if (points.size() > 0)
        painter.drawPoint(*(points.end() - 1));
}

namespace {

// The 32-bit image under the painter when lines can be set pixel by pixel: no smoothing, a
// solid one-pixel pen, a plain translation; nullptr otherwise.
QImage* DirectTarget(QPainter& painter, QPoint& offset, QRect& clip)
{
    QPaintDevice* device = painter.device();
    if (device == nullptr || device->devType() != QInternal::Image ||
        painter.testRenderHint(QPainter::Antialiasing) ||
        painter.worldTransform().type() > QTransform::TxTranslate ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        painter.opacity() < 1.0)
        return nullptr;
    const QPen& pen = painter.pen();
    if (pen.style() != Qt::SolidLine || pen.widthF() > 1.0 || pen.color().alpha() != 255 ||
        pen.brush().style() != Qt::SolidPattern)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    if (image->devicePixelRatio() != 1.0)
        return nullptr;
    const QImage::Format format = image->format();
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    offset = QPoint(qRound(painter.worldTransform().dx()), qRound(painter.worldTransform().dy()));
    clip = image->rect();
    if (painter.hasClipping())
        clip &= painter.clipBoundingRect().toAlignedRect().translated(offset);
    return image;
}

} // namespace

void PaintLines(QPainter& painter, const std::vector<QLine>& segments,
                const std::vector<QPoint>& ends)
{
    QPoint offset;
    QRect clip;
    QImage* image = DirectTarget(painter, offset, clip);
    if (image == nullptr ||
        (clip.width() > 0 && painter.hasClipping() && painter.clipRegion().rectCount() > 1)) {
        painter.drawLines(segments.data(), int(segments.size()));
        painter.drawPoints(ends.data(), int(ends.size()));
        return;
    }
    // Thousands of long lines cover the view many times over at small scales: setting their
    // pixels directly is ten times faster than the general line drawing.
    const QRgb colour = painter.pen().color().rgba();
    auto* bits = reinterpret_cast<QRgb*>(image->bits());
    const qsizetype stride = image->bytesPerLine() / qsizetype(sizeof(QRgb));
    const auto plot = [&](int x, int y) {
        if (clip.contains(x, y))
            bits[y * stride + x] = colour;
    };
    for (const QLine& line : segments) {
        int x = line.x1() + offset.x();
        int y = line.y1() + offset.y();
        const int x2 = line.x2() + offset.x();
        const int y2 = line.y2() + offset.y();
        if (std::max(x, x2) < clip.left() || std::min(x, x2) > clip.right() ||
            std::max(y, y2) < clip.top() || std::min(y, y2) > clip.bottom())
            continue;
        const int dx = std::abs(x2 - x);
        const int dy = -std::abs(y2 - y);
        const int sx = x < x2 ? 1 : -1;
        const int sy = y < y2 ? 1 : -1;
        for (int error = dx + dy;;) {
            plot(x, y);
            if (x == x2 && y == y2)
                break;
            const int twice = 2 * error;
            if (twice >= dy) {
                error += dy;
                x += sx;
            }
            if (twice <= dx) {
                error += dx;
                y += sy;
            }
        }
    }
    for (const QPoint& end : ends)
        plot(end.x() + offset.x(), end.y() + offset.y());
}

void FillRectangle(QPainter& painter, int x1, int y1, int x2, int y2)
{
    if (Normalise(x1, y1, x2, y2))
        painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), painter.pen().color());
}

} // namespace quorvex
