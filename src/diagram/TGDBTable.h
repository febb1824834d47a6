#pragma once

#include "TGDBComponent.h"

#include <string>
#include <utility>
#include <vector>

namespace quorvex {

class TGDBLine;
class TGDBTable;
class TObjectItem;
class TQuery;

// One entry of a table's reference lists: the line drawn for a foreign key, seen from one end.
struct TTableReference {
    TGDBLine* Line = nullptr;
    bool Outgoing = true; // this table is the line's from end

    // The table at the other end.
    const TGDBTable* Other() const;
    // The other table's name, "=", the foreign-key columns.
    std::string Text() const;
};

// What a press of the left button does at a point of a table (MouseModeAt).
namespace MouseModes {
inline constexpr int References = 1;   // Ctrl on the right title box
inline constexpr int ReferencedBy = 2; // Ctrl on the left title box
inline constexpr int Drag = 3;         // the title bar
inline constexpr int Default = 4;      // the rows: drags too
inline constexpr int RightEdge = 5;    // Ctrl on the right edge: resize
inline constexpr int LeftEdge = 6;     // Ctrl on the left edge: resize
inline constexpr int BottomEdge = 7;   // Ctrl on the bottom edge: resize
} // namespace MouseModes

// The box of one database table on a diagram: a title bar with the name and two yellow boxes
// (References on the right, Referenced By on the left), and one row per column. Its columns come
// from the schema model (SchemaObject set) or from the connected database's USER_ views.
class TGDBTable final : public TGDBComponent {
public:
    static constexpr const char* kDefaultMask = "%1:s=%3:s%4:s";

    explicit TGDBTable(TDiagramDocument& document);
    ~TGDBTable() override;

    bool IsTable() const noexcept override { return true; }

    const std::string& TableName() const noexcept { return m_tableName; }
    // Stores the name, reads the columns (when shown), sets the title hint and the size.
    void SetTableName(const std::string& name);
    // Fills ColumnLines, ColumnComments and PrimaryKeyText from the model or the database. A
    // failure midway keeps the rows read before it.
    void LoadColumns();

    bool ShowFields() const noexcept { return m_showFields; }
    void SetShowFields(bool show);
    const std::string& ShowMask() const noexcept { return m_showMask; }
    void SetShowMask(const std::string& mask);
    int Scale() const noexcept { return m_scale; }
    // Moves the box to the new scale's coordinates (full-scale position divided by the scale,
    // truncated) and resizes it.
    void SetScale(int scale);
    bool Selected() const noexcept { return m_selected; }
    // Selecting a table selects its whole group.
    void SetSelected(bool selected);

    void AdjustSize();
    // Repositions every line this table lists.
    void UpdateLines();
    // Sorts the rows by their whole text, without regard to case, until they are read again.
    void SortColumns();

    void PaintTo(QPainter& painter, int x, int y) const override;

    struct THintInfo {
        std::string Text;
        QRect Area; // in the table's own coordinates
    };
    // The hint for a point in the table's own coordinates.
    THintInfo GetHintInfo(QPoint point) const;
    // The point one pixel outside this box where the line towards the centre of `other` leaves
    // it, and whether that is on the left or right edge.
    std::pair<QPoint, bool> BorderPoint(const QRect& other) const;

    // Adds `otherName` (with the foreign-key columns) to the outgoing or incoming references.
    // With no line given, finds the other table on the diagram or opens one for `other` beside
    // this one, draws the line and has the other table list it too. Nothing when the list has
    // that name already.
    void AddReference(const std::string& otherName, TObjectItem* other, TGDBLine* line,
                      const std::string& fkColumns, bool outgoing);
    // Forgets the line in both reference lists.
    void RemoveLine(const TGDBLine* line);

    // MouseModes for a point in the table's own coordinates.
    int MouseModeAt(QPoint point, bool ctrl) const;

    // The painted text of a row: the part after the first "=".
    static std::string_view RowText(std::string_view line);
    // The comment of a column, empty when it has none.
    std::string_view CommentOf(std::string_view columnName) const;
    // Whether the name is one of the primary-key columns.
    bool IsKeyColumn(std::string_view columnName) const;

    // The rows: how many, and each as NAME=painted row. A table showing a model object formats
    // them from the model when asked; others hold them in ColumnLines.
    size_t RowCount() const noexcept;
    std::string Row(size_t index) const;
    // Copies the rows and the hint made from the model into the table, before the model goes.
    void KeepModelTexts();
    // The title bar's hint: name, primary key and the table's comment; empty for a table the
    // database does not know.
    std::string TitleHint() const;

    std::vector<std::string> ColumnLines;    // rows read from the database
    std::vector<std::string> ColumnComments; // NAME=comment
    std::string PrimaryKeyText;              // key columns joined by ","
    TQuery* DiagramQuery = nullptr;
    std::vector<TTableReference> OutgoingReferences;
    std::vector<TTableReference> IncomingReferences;
    TObjectItem* SchemaObject = nullptr; // set: the table shows a model object
    int Tag = 0;                         // group number, 0 for none

private:
    friend class TGDBLine;
    friend class TDiagramDocument;
    friend void LoadModelColumns(TGDBTable& table, const TObjectItem& object);

    // Every line ending on this table, listed or not, so freeing the table frees them all.
    std::vector<TGDBLine*> m_attached;
    void Attach(TGDBLine* line);
    void Detach(const TGDBLine* line);

    // Reads the rows, then sizes the box even when reading failed midway.
    void LoadColumnsAndSize();
    int MaxRowWidth() const;

    // For the document's repaint, which leaves out the rows hidden under tables drawn later.
    // The part of the bounds painted over with opaque pixels.
    QRect OpaqueRect() const;
    // Where the text of the rows reaches; empty when no rows are drawn at this scale.
    QRect RowsRect() const;
    // Everything the table paints: its box (drawn two pixels at least) and its rows' text.
    QRect PaintedRect() const;
    // PaintTo in the diagram font, leaving out the rows wholly inside `cover`: rectangles
    // painted over opaquely afterwards.
    void PaintExposed(QPainter& painter, int x, int y, const std::vector<QRect>& cover) const;

    // Creation order, for finding the first table of a name.
    std::uint64_t m_sequence = 0;
    // Showed a model object before the model changed: takes the new model's object again.
    bool m_fromModel = false;
    std::string m_tableName;
    std::string m_showMask = kDefaultMask;
    int m_scale = 1;
    bool m_showFields = true;
    bool m_selected = false;
    bool m_columnsRead = false;
    // Text widths measured once per reading: zooming never measures text again.
    mutable int m_rowWidth = -1;
    mutable size_t m_measuredRows = 0;
    // Rows formatted from SchemaObject's columns, -1 when they are in ColumnLines; and their
    // order when sorted (column positions), empty for the model's order.
    int m_modelRows = -1;
    // The table's comment for the title hint, when not taken from the model object.
    std::string m_titleHint;
    bool m_hasTitleHint = false;
    std::vector<std::uint16_t> m_order;
    int m_titleWidth = 0;
};

// The join condition of a line from `from` to `to` on the foreign-key columns `fk`.
std::string JoinConditionOf(const TGDBTable& from, const TGDBTable& to, const std::string& fk);

} // namespace quorvex
