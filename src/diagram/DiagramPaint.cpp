#include "DiagramPaint.h"

#include <QPainter>
#include <QPolygon>
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
    // A one-pixel pen outlines QRect(x, y, w, h) over w + 1 columns: the far edge is exclusive.
    const QRect outline(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    if (fill.isValid() && x2 - x1 > 2 && y2 - y1 > 2)
        painter.fillRect(QRect(x1 + 1, y1 + 1, x2 - x1 - 2, y2 - y1 - 2), fill);
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

void FillRectangle(QPainter& painter, int x1, int y1, int x2, int y2)
{
    if (Normalise(x1, y1, x2, y2))
        painter.fillRect(QRect(x1, y1, x2 - x1, y2 - y1), painter.pen().color());
}

} // namespace quorvex
