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
    const int left = clip.left();
    const int top = clip.top();
    const int right = clip.right();
    const int bottom = clip.bottom();
    const auto inside = [&](int x, int y) {
        return x >= left && x <= right && y >= top && y <= bottom;
    };
    for (const QLine& line : segments) {
        const int x1 = line.x1() + offset.x();
        const int y1 = line.y1() + offset.y();
        const int x2 = line.x2() + offset.x();
        const int y2 = line.y2() + offset.y();
        if (std::max(x1, x2) < left || std::min(x1, x2) > right || std::max(y1, y2) < top ||
            std::min(y1, y2) > bottom)
            continue;
        // Step along the longer axis; the other coordinate is the exact rounding of the ideal
        // line, kept as a remainder. Only the steps that can fall in view are walked: a line
        // crossing the view is not followed across the whole diagram.
        const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
        const int major1 = steep ? y1 : x1;
        const int major2 = steep ? y2 : x2;
        const int minor1 = steep ? x1 : y1;
        const int minor2 = steep ? x2 : y2;
        const int majorLo = steep ? top : left;
        const int majorHi = steep ? bottom : right;
        const int minorLo = steep ? left : top;
        const int minorHi = steep ? right : bottom;
        const long long n = std::abs(major2 - major1);
        const long long m = std::abs(minor2 - minor1);
        const int majorStep = major1 <= major2 ? 1 : -1;
        const int minorStep = minor1 <= minor2 ? 1 : -1;
        // Steps i = 0..n whose major coordinate lies in view.
        long long first = majorStep > 0 ? majorLo - major1 : major1 - majorHi;
        long long last = majorStep > 0 ? majorHi - major1 : major1 - majorLo;
        first = std::max(0LL, first);
        last = std::min(n, last);
        // ... and whose minor coordinate can: it moves i * m / n, give or take one.
        if (m > 0) {
            const long long near = minorStep > 0 ? minorLo - minor1 : minor1 - minorHi;
            const long long far = minorStep > 0 ? minorHi - minor1 : minor1 - minorLo;
            first = std::max(first, (near - 1) * n / m);
            last = std::min(last, (far + 1) * n / m + 1);
        } else if (minor1 < minorLo || minor1 > minorHi) {
            continue;
        }
        if (first > last)
            continue;
        const long long twoN = 2 * std::max(n, 1LL);
        long long offsetMinor = (2 * first * m + n) / twoN;
        long long remainder = (2 * first * m + n) % twoN;
        for (long long i = first; i <= last; ++i) {
            const int major = major1 + int(i) * majorStep;
            const int minor = minor1 + int(offsetMinor) * minorStep;
            const int x = steep ? minor : major;
            const int y = steep ? major : minor;
            if (inside(x, y))
                bits[y * stride + x] = colour;
            remainder += 2 * m;
            if (remainder >= twoN) {
                remainder -= twoN;
                ++offsetMinor;
            }
        }
    }
    for (const QPoint& end : ends) {
        const int x = end.x() + offset.x();
        const int y = end.y() + offset.y();
        if (inside(x, y))
            bits[y * stride + x] = colour;
    }
}

void FillRectangle(QPainter& painter, int x1, int y1, int x2, int y2)
{
    if (Normalise(x1, y1, x2, y2))
        painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), painter.pen().color());
}

} // namespace quorvex
