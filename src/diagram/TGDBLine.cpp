#include "TGDBLine.h"

#include "DiagramDocument.h"
#include "DiagramPaint.h"
#include "TGDBTable.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdlib>

namespace quorvex {

namespace {

constexpr int kHitDistance = 3;

// Distance from p to the segment a-b, in pixels (Chebyshev, enough for a hit test on
// horizontal, vertical and diagonal segments).
bool NearSegment(QPoint p, QPoint a, QPoint b)
{
    const QRect box =
        QRect(a, b).normalized().adjusted(-kHitDistance, -kHitDistance, kHitDistance, kHitDistance);
    if (!box.contains(p))
        return false;
    const long long dx = b.x() - a.x();
    const long long dy = b.y() - a.y();
    if (dx == 0 || dy == 0)
        return true;
    // Cross product over the longer extent: the offset across the segment in pixels.
    const long long cross = std::llabs(dx * (p.y() - a.y()) - dy * (p.x() - a.x()));
    return cross <= kHitDistance * std::max(std::llabs(dx), std::llabs(dy));
}

// The circle marker as PaintEllipse draws it in black, on a transparent image with a pixel of
// border.
const QImage& CircleMarker()
{
    static const QImage marker = [] {
        QImage image(6, 6, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setPen(Qt::black);
        PaintEllipse(painter, 1, 1, 5, 5, QColor(Qt::white));
        return image;
    }();
    return marker;
}

} // namespace

TGDBLine::TGDBLine(TDiagramDocument& document)
    : TGDBComponent(document)
{
}

TGDBLine::~TGDBLine()
{
    if (m_from != nullptr)
        m_from->Detach(this);
    if (m_to != nullptr && m_to != m_from)
        m_to->Detach(this);
}

void TGDBLine::SetEnd(TGDBTable*& end, TGDBTable* table)
{
    if (end == table)
        return;
    TGDBTable* old = end;
    end = table;
    if (old != nullptr && old != m_from && old != m_to)
        old->Detach(this);
    if (table != nullptr)
        table->Attach(this);
    if (m_from != nullptr && m_to != nullptr)
        UpdatePosition();
}

void TGDBLine::SetFromTable(TGDBTable* table)
{
    SetEnd(m_from, table);
}

void TGDBLine::SetToTable(TGDBTable* table)
{
    SetEnd(m_to, table);
}

void TGDBLine::SetStraight(bool straight)
{
    m_straight = straight;
    Document().Invalidate(Bounds());
}

void TGDBLine::UpdatePosition()
{
    if (m_from == nullptr || m_to == nullptr)
        return;
    const auto [p1, fromSide] = m_from->BorderPoint(m_to->Bounds());
    const auto [p2, toSide] = m_to->BorderPoint(m_from->Bounds());
    m_fromSide = fromSide;
    m_toSide = toSide;
    m_diagonal = (p1.x() <= p2.x() && p1.y() <= p2.y()) || (p1.x() >= p2.x() && p1.y() >= p2.y());
    m_toIsRight = p1.x() < p2.x();
    SetBounds(std::min(p1.x(), p2.x()), std::min(p1.y(), p2.y()), std::abs(p1.x() - p2.x()) + 1,
              std::abs(p1.y() - p2.y()) + 1);
    // The path may change within the same bounds.
    Document().Invalidate(Bounds());
}

TGDBLine::TPath TGDBLine::PathPoints(int x, int y) const
{
    const int w = Width();
    const int h = Height();
    const int x2 = x + w - 1;
    const int y2 = y + h - 1;
    if (m_straight) {
        if (m_diagonal)
            return {{{{x, y}, {x2, y2}}}, 2};
        return {{{{x, y2}, {x2, y}}}, 2};
    }
    const int mx = x + w / 2 - h / 8;
    const int my = y + h / 2 - w / 8;
    const QPoint a = m_diagonal ? QPoint(x, y) : QPoint(x, y2);
    const QPoint b = m_diagonal ? QPoint(x2, y2) : QPoint(x2, y);
    const bool aHorizontal = m_toIsRight ? m_fromSide : m_toSide;
    const bool bHorizontal = m_toIsRight ? m_toSide : m_fromSide;
    if (aHorizontal && bHorizontal)
        return {{{a, {mx, a.y()}, {mx, b.y()}, b}}, 4};
    if (aHorizontal)
        return {{{a, {mx, a.y()}, {mx, my}, {x2, my}, b}}, 5};
    if (bHorizontal)
        return {{{a, {x, my}, {mx, my}, {mx, b.y()}, b}}, 5};
    return {{{a, {x, my}, {x2, my}, b}}, 4};
}

void TGDBLine::PaintTo(QPainter& painter, int x, int y) const
{
    std::vector<QLine> segments;
    std::vector<QPoint> ends;
    AppendPath(segments, ends, x, y);
    painter.drawLines(segments.data(), int(segments.size()));
    painter.drawPoints(ends.data(), int(ends.size()));
    PaintMarker(painter, x, y);
}

void TGDBLine::AppendPath(std::vector<QLine>& segments, std::vector<QPoint>& ends, int x,
                          int y) const
{
    const TPath path = PathPoints(x, y);
    for (int i = 1; i < path.Count; ++i)
        segments.emplace_back(path.Points[size_t(i - 1)], path.Points[size_t(i)]);
    // Segments may leave their last pixel out; the path always ends on it.
    ends.push_back(path.Points[size_t(path.Count - 1)]);
}

void TGDBLine::PaintMarker(QPainter& painter, int x, int y) const
{
    const int w = Width();
    const int h = Height();
    if (m_straight) {
        // A circle on the referenced end; on bitmaps a copy of one drawn once, pixel for pixel
        // the same.
        const int top = m_diagonal == m_toIsRight ? y + h - 4 : y;
        const int left = m_toIsRight ? x + w - 4 : x;
        const QPaintDevice* device = painter.device();
        if (device != nullptr && device->devType() == QInternal::Image &&
            painter.pen().color() == Qt::black && !painter.testRenderHint(QPainter::Antialiasing))
            painter.drawImage(left - 1, top - 1, CircleMarker());
        else
            PaintEllipse(painter, left, top, left + 4, top + 4, QColor(Qt::white));
        return;
    }
    // Elbowed lines mark the referenced end only when both ends leave sideways, diagonally.
    const bool aHorizontal = m_toIsRight ? m_fromSide : m_toSide;
    const bool bHorizontal = m_toIsRight ? m_toSide : m_fromSide;
    if (!m_diagonal || !aHorizontal || !bHorizontal)
        return;
    if (m_toIsRight)
        FillRectangle(painter, x + w - 5, y + h - 5, x + w + 3, y + h + 3);
    else
        FillRectangle(painter, x - 4, y - 4, x + 4, y + 4);
}

bool TGDBLine::HitTest(QPoint point) const
{
    const TPath path = PathPoints(Left(), Top());
    for (int i = 1; i < path.Count; ++i) {
        if (NearSegment(point, path.Points[size_t(i - 1)], path.Points[size_t(i)]))
            return true;
    }
    return false;
}

} // namespace quorvex
