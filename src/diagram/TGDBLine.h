#pragma once

#include "TGDBComponent.h"

#include <QLine>
#include <QPoint>
#include <array>
#include <vector>

namespace quorvex {

class TGDBTable;

// One foreign-key reference drawn between two tables, from the referencing table to the
// referenced one: a straight diagonal or an elbowed path inside the rectangle spanned by its
// two end points, with a marker at the referenced end. Its hint is the join condition.
class TGDBLine final : public TGDBComponent {
public:
    explicit TGDBLine(TDiagramDocument& document);
    ~TGDBLine() override;

    bool IsTable() const noexcept override { return false; }

    TGDBTable* FromTable() const noexcept { return m_from; }
    TGDBTable* ToTable() const noexcept { return m_to; }
    // Positions the line once both ends are set.
    void SetFromTable(TGDBTable* table);
    void SetToTable(TGDBTable* table);

    // The foreign-key columns of a reference the tables list; empty for a layout's line.
    std::string FkColumns;

    bool Straight() const noexcept { return m_straight; }
    void SetStraight(bool straight);
    bool Diagonal() const noexcept { return m_diagonal; }
    bool FromSide() const noexcept { return m_fromSide; }
    bool ToSide() const noexcept { return m_toSide; }
    bool ToIsRight() const noexcept { return m_toIsRight; }

    // Recomputes the end points, the flags and the bounds from the two tables.
    void UpdatePosition();

    void PaintTo(QPainter& painter, int x, int y) const override;
    // Within a few pixels of the drawn path.
    bool HitTest(QPoint point) const override;

    // The points of the drawn path for a line whose top-left corner is at (x, y): two for a
    // straight line, four or five for an elbowed one.
    struct TPath {
        std::array<QPoint, 5> Points;
        int Count = 0;
    };
    TPath PathPoints(int x, int y) const;
    // For drawing many lines in one call: the path's segments and its end pixel, then the
    // marker at the referenced end on its own.
    void AppendPath(std::vector<QLine>& segments, std::vector<QPoint>& ends, int x, int y) const;
    void PaintMarker(QPainter& painter, int x, int y) const;

private:
    void SetEnd(TGDBTable*& end, TGDBTable* table);

    TGDBTable* m_from = nullptr;
    TGDBTable* m_to = nullptr;
    bool m_straight = true;
    bool m_diagonal = true;
    bool m_fromSide = false;
    bool m_toSide = false;
    bool m_toIsRight = false;
};

} // namespace quorvex
