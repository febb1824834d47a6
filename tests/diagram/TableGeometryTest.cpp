// Table sizes, the points where lines leave tables, the drawing of tables and lines, mouse
// modes and dragging.
#include "DiagramTestSupport.h"
#include "ModelBuilder.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(TableGeometry, SizeFollowsTitleOrWidestRowAtEveryScale)
{
    SchemaBuilder model;
    TObjectItem* wideRows = model.Object(ObjectTypes::Table, "T");
    model.Column(*wideRows, "A_RATHER_LONG_COLUMN_NAME");
    model.Column(*wideRows, "B");
    TObjectItem* wideTitle = model.Object(ObjectTypes::Table, "A_RATHER_LONG_TABLE_NAME_FOR_A_BOX");
    model.Column(*wideTitle, "C");
    TDiagramDocument document;
    document.DefaultMask = "%1:s"; // rows are the column names
    for (TObjectItem* object : {wideRows, wideTitle}) {
        int rowWidth = 0;
        for (int i = 0; i < object->ObjectFields().Count(); ++i)
            rowWidth =
                std::max(rowWidth, DiagramTextWidth(object->ObjectFields().Items(i)->FieldName));
        const int rows = object->ObjectFields().Count();
        for (const bool show : {true, false}) {
            for (const int scale : {1, 2, 4, 8, 16}) {
                TGDBTable& table = document.AddTableForObject(*object);
                table.SetScale(scale);
                table.SetShowFields(show);
                int width = DiagramTextWidth(object->ObjectName) + 2 * (12 / scale);
                if (show)
                    width = std::max(width, rowWidth);
                SCOPED_TRACE(object->ObjectName + " scale " + std::to_string(scale) +
                             (show ? " with rows" : " title only"));
                EXPECT_EQ(table.Width(), (width + 8) / scale);
                EXPECT_EQ(table.Height(), (show ? rows * 11 + 18 : 14) / scale);
            }
        }
    }
}

struct TBorderCase {
    QRect Box;
    QPoint Towards; // the centre of the other table
    QPoint Point;
    bool Side;
};

TEST(TableGeometry, BorderPointLiesOnePixelOutsideTheEdgeFacingTheOtherTable)
{
    // Centre (120, 110), half sizes 20 and 10: the diagonals have slope 1/2.
    const QRect box(100, 100, 41, 21);
    const TBorderCase cases[] = {
        {box, {120, 200}, {120, 121}, false}, // straight below
        {box, {120, 0}, {120, 99}, false},    // straight above
        {box, {120, 110}, {120, 121}, false}, // same centre: downwards
        {box, {300, 110}, {141, 110}, true},  // straight right
        {box, {0, 110}, {99, 110}, true},     // straight left
        {box, {150, 140}, {130, 121}, false}, // steeper than the diagonal: bottom edge
        {box, {90, 80}, {110, 99}, false},    // top edge, up and left
        {box, {127, 160}, {121, 121}, false}, // 10 * 7 / 50 truncated to 1
        {box, {160, 130}, {141, 120}, true},  // exactly on the diagonal: the side wins
        {box, {80, 130}, {99, 120}, true},
        {box, {170, 103}, {141, 108}, true}, // 20 * 7 / 50 truncated to 2
        // Half height 0, then both 0, then half width 0: no division by zero, a point on an edge.
        {QRect(100, 100, 41, 1), {150, 130}, {120, 101}, false},
        {QRect(100, 100, 1, 1), {150, 130}, {101, 100}, true},
        {QRect(100, 100, 0, 0), {50, 70}, {99, 100}, true},
        {QRect(100, 100, 1, 41), {150, 130}, {101, 120}, true},
    };
    TDiagramDocument document;
    TGDBTable& table = document.NewTable();
    for (const TBorderCase& c : cases) {
        table.SetBounds(c.Box.x(), c.Box.y(), c.Box.width(), c.Box.height());
        const auto [point, side] = table.BorderPoint(QRect(c.Towards, QSize(1, 1)));
        EXPECT_EQ(point, c.Point) << "towards " << c.Towards.x() << "," << c.Towards.y();
        EXPECT_EQ(side, c.Side) << "towards " << c.Towards.x() << "," << c.Towards.y();
    }
}

// A line from a table at `from` to one at `to`, both 10 x 6.
TGDBLine& Link(TDiagramDocument& document, QPoint from, QPoint to, bool straight)
{
    TGDBLine& line = document.NewLine();
    line.SetStraight(straight);
    TGDBTable& a = Box(document, "A", from.x(), from.y());
    TGDBTable& b = Box(document, "B", to.x(), to.y());
    for (TGDBTable* table : {&a, &b})
        table->SetBounds(table->Left(), table->Top(), 10, 6);
    line.SetFromTable(&a);
    line.SetToTable(&b);
    return line;
}

int BlackIn(const QImage& image, const QRect& area)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
    }
    return count;
}

TEST(LineGeometry, SideBySideTablesGetAHorizontalLineMarkedAtTheReferencedEnd)
{
    TDiagramDocument document;
    TGDBLine& right = Link(document, {0, 0}, {30, 0}, true);
    EXPECT_EQ(right.Bounds(), QRect(10, 3, 20, 1));
    const QImage image = Paint(right, {40, 10});
    EXPECT_EQ(BlackIn(image, QRect(10, 3, 20, 1)), 20);
    EXPECT_GT(BlackIn(image, QRect(26, 0, 4, 3)), 0); // the marker, above the line's end
    EXPECT_EQ(BlackIn(image, QRect(10, 0, 4, 3)), 0);

    TGDBLine& left = Link(document, {30, 0}, {0, 0}, true);
    EXPECT_EQ(left.Bounds(), QRect(10, 3, 20, 1));
    const QImage mirrored = Paint(left, {40, 10});
    EXPECT_GT(BlackIn(mirrored, QRect(10, 4, 4, 3)), 0); // below the line's start
    EXPECT_EQ(BlackIn(mirrored, QRect(26, 4, 4, 3)), 0);
}

TEST(LineGeometry, TableBelowGetsAVerticalLineBetweenFacingEdges)
{
    TDiagramDocument document;
    TGDBLine& line = Link(document, {0, 0}, {0, 20}, true);
    EXPECT_EQ(line.Bounds(), QRect(5, 6, 1, 14));
    EXPECT_FALSE(line.FromSide());
    EXPECT_FALSE(line.ToSide());
}

TEST(LineGeometry, ElbowedLineBetweenVerticalEdges)
{
    TDiagramDocument document;
    // Top-left to bottom-right: ends (10, 4) and (25, 12); a square on the referenced end.
    TGDBLine& down = Link(document, {0, 0}, {26, 10}, false);
    EXPECT_EQ(down.Bounds(), QRect(10, 4, 16, 9));
    EXPECT_EQ(Pixels(Paint(down, {23, 12}, {6, 4})), "....########...........\n"
                                                     "...........#...........\n"
                                                     "...........#...........\n"
                                                     "...........#...........\n"
                                                     "...........#...########\n"
                                                     "...........#...########\n"
                                                     "...........#...########\n"
                                                     "...........#...########\n"
                                                     "...........############\n"
                                                     "...............########\n"
                                                     "...............########\n"
                                                     "...............########\n");
    // Bottom-left to top-right: the same path upwards, no marker.
    TGDBLine& up = Link(document, {0, 10}, {26, 0}, false);
    EXPECT_EQ(up.Bounds(), QRect(10, 4, 16, 9));
    EXPECT_EQ(Pixels(Paint(up, {23, 12}, {6, 4})), "...........#########...\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "...........#...........\n"
                                                   "....########...........\n"
                                                   ".......................\n"
                                                   ".......................\n"
                                                   ".......................\n");
}

TEST(TableGeometry, PaintedBoxHasYellowTitleBoxesAndTextOnlyAtFullScale)
{
    SchemaBuilder model;
    TObjectItem* emp = model.Object(ObjectTypes::Table, "EMP");
    model.Column(*emp, "EMPNO");
    model.Column(*emp, "ENAME");
    TDiagramDocument document;
    TGDBTable& table = document.AddTableForObject(*emp);
    const QRgb black = qRgb(0, 0, 0);
    const QRgb yellow = qRgb(255, 255, 0);
    for (const int scale : {1, 2}) {
        for (const bool selected : {false, true}) {
            table.SetScale(scale);
            table.SetSelected(selected);
            const int w = table.Width();
            const int h = table.Height();
            const int bar = 14 / scale - 1;
            const QImage image = Paint(table, {w + 1, h + 1}, table.Bounds().topLeft());
            SCOPED_TRACE("scale " + std::to_string(scale) + (selected ? " selected" : ""));
            EXPECT_EQ(image.pixel(1, 1), yellow);
            EXPECT_EQ(image.pixel(w - 2, 1), yellow);
            EXPECT_EQ(image.pixel(w - 2, h - 2),
                      selected ? qRgb(0, 255, 255) : qRgb(255, 255, 255));
            // Right and bottom edges are exclusive.
            EXPECT_EQ(image.pixel(w - 1, h - 1), black);
            EXPECT_EQ(image.pixel(w, h), qRgb(255, 255, 255));
            // Texts only at full scale: the title between its boxes, the rows below.
            const int d = 12 / scale;
            EXPECT_EQ(BlackIn(image, QRect(d + 1, 1, w - 2 * d - 2, bar - 2)) > 0, scale == 1);
            EXPECT_EQ(BlackIn(image, QRect(1, bar + 1, w - 2, h - bar - 2)) > 0, scale == 1);
        }
    }
}

TEST(TableGeometry, MouseModeByPlaceAndCtrl)
{
    TDiagramDocument document;
    TGDBTable& table = Box(document, "T");
    table.SetBounds(0, 0, 60, 40);
    const struct {
        QPoint At;
        bool Ctrl;
        int Mode;
    } cases[] = {
        {{5, 5}, false, MouseModes::Drag},       {{55, 5}, false, MouseModes::Drag},
        {{55, 5}, true, MouseModes::References}, {{5, 5}, true, MouseModes::ReferencedBy},
        {{30, 5}, true, MouseModes::Drag},       {{30, 37}, true, MouseModes::BottomEdge},
        {{57, 20}, true, MouseModes::RightEdge}, {{2, 20}, true, MouseModes::LeftEdge},
        {{57, 20}, false, MouseModes::Default},  {{30, 20}, true, MouseModes::Default},
    };
    for (const auto& c : cases)
        EXPECT_EQ(table.MouseModeAt(c.At, c.Ctrl), c.Mode) << c.At.x() << "," << c.At.y();
    table.SetShowFields(false); // no resizing without rows
    table.SetBounds(0, 0, 60, 40);
    EXPECT_EQ(table.MouseModeAt({57, 20}, true), MouseModes::Default);
}

TEST(TableGeometry, DraggingOneGroupMemberMovesTheGroupAndItsLines)
{
    TDiagramDocument document;
    TGDBTable& a = Box(document, "A", 0, 0);
    TGDBTable& b = Box(document, "B", 100, 0);
    TGDBTable& c = Box(document, "C", 0, 100);
    a.Tag = b.Tag = 5;
    TGDBLine* line = document.AddManualReference(c, b);
    ASSERT_NE(line, nullptr);
    const int width = a.Width();
    document.DragTable(a, MouseModes::Default, 10, 5);
    document.DragTable(a, MouseModes::RightEdge, 7, 3);
    EXPECT_EQ(a.Bounds(), QRect(10, 5, width + 7, a.Height()));
    EXPECT_EQ(b.Bounds().topLeft(), QPoint(117, 8));
    EXPECT_EQ(c.Bounds().topLeft(), QPoint(0, 100));
    const QRect moved = line->Bounds();
    line->UpdatePosition();
    EXPECT_EQ(line->Bounds(), moved); // already re-routed
}

} // namespace
} // namespace quorvex::test
