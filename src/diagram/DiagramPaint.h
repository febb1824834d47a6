#pragma once

#include <QColor>
#include <QLine>
#include <QPoint>
#include <initializer_list>
#include <vector>

class QPainter;

namespace quorvex {

// Drawing primitives with the pixel coverage the diagram geometry is written for: rectangles
// and ellipses cover (x1, y1) inclusive to (x2, y2) exclusive, outlined in the current pen and
// filled with the given colour (none: transparent); a path covers every pixel of its segments,
// its last point included.
void PaintRectangle(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& fill);
void PaintEllipse(QPainter& painter, int x1, int y1, int x2, int y2, const QColor& fill);
void PaintPath(QPainter& painter, std::initializer_list<QPoint> points);
// Segments (each pixel of them, both ends included) and single points in the pen colour.
void PaintLines(QPainter& painter, const std::vector<QLine>& segments,
                const std::vector<QPoint>& ends);
// A rectangle filled in the pen colour, no outline: (x1, y1) inclusive to (x2, y2) exclusive.
void FillRectangle(QPainter& painter, int x1, int y1, int x2, int y2);

} // namespace quorvex
