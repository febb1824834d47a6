#pragma once

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <string>

class QPainter;

namespace quorvex {

class TDiagramDocument;

// A component of a diagram: a table box or a reference line. Geometry is in whole pixels of the
// diagram at its current scale; the document owns every component and keeps their order.
class TGDBComponent {
public:
    explicit TGDBComponent(TDiagramDocument& document);
    TGDBComponent(const TGDBComponent&) = delete;
    TGDBComponent& operator=(const TGDBComponent&) = delete;
    virtual ~TGDBComponent() = default;

    virtual bool IsTable() const noexcept = 0;
    // Draws the component with its top-left corner at (x, y) in the painter's current pen, font
    // and coordinate system.
    virtual void PaintTo(QPainter& painter, int x, int y) const = 0;
    // Whether a point of the diagram hits the component (not merely its bounds, for lines).
    virtual bool HitTest(QPoint point) const { return Bounds().contains(point); }

    int Left() const noexcept { return m_left; }
    int Top() const noexcept { return m_top; }
    int Width() const noexcept { return m_width; }
    int Height() const noexcept { return m_height; }
    // (Left, Top) to (Left + Width, Top + Height), right and bottom exclusive.
    QRect Bounds() const noexcept { return QRect(m_left, m_top, m_width, m_height); }
    void SetBounds(int left, int top, int width, int height);
    void MoveTo(int left, int top) { SetBounds(left, top, m_width, m_height); }
    void MoveBy(int dx, int dy) { SetBounds(m_left + dx, m_top + dy, m_width, m_height); }

    bool Visible = false;
    std::string Hint;
    bool ShowHint = false;

    TDiagramDocument& Document() const noexcept { return m_document; }
    // Drawing order: higher is drawn later (in front).
    std::int64_t ZOrder() const noexcept { return m_z; }

protected:
    // Called after the bounds changed.
    virtual void BoundsChanged() {}

private:
    friend class TDiagramDocument;

    TDiagramDocument& m_document;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    std::int64_t m_z = 0;
};

} // namespace quorvex
