#include "TGDBTable.h"

#include "DiagramDocument.h"
#include "DiagramFont.h"
#include "DiagramPaint.h"
#include "FieldMask.h"
#include "JoinCondition.h"
#include "TableColumns.h"
#include "model/ObjectItem.h"
#include "persistence/AsciiText.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cstdlib>
#include <optional>

namespace quorvex {

namespace {

constexpr int kRowHeight = 11;
constexpr int kTitleHeight = 14;
constexpr int kTitleBox = 12;
constexpr int kEdge = 4;
// From this scale on a table is drawn as its box alone: no text is measured or drawn.
constexpr int kBoxOnlyScale = 8;

const QColor kCyan(0, 255, 255);
const QColor kYellow(255, 255, 0);

// Whether the rectangles together cover `rect`. Only those spanning its full height count:
// enough for a row under stacked tables, and a row wrongly taken as visible is merely drawn.
bool Covered(const QRect& rect, const std::vector<QRect>& cover)
{
    int reached = rect.left();
    for (bool advanced = true; advanced && reached <= rect.right();) {
        advanced = false;
        for (const QRect& c : cover) {
            if (c.top() <= rect.top() && c.bottom() >= rect.bottom() && c.left() <= reached &&
                c.right() >= reached) {
                reached = c.right() + 1;
                advanced = true;
            }
        }
    }
    return reached > rect.right();
}

bool LessNoCase(const std::string& a, const std::string& b)
{
    return CompareTextAscii(a, b) < 0;
}

} // namespace

std::string JoinConditionOf(const TGDBTable& from, const TGDBTable& to, const std::string& fk)
{
    return JoinCondition(from.TableName(), to.TableName(), to.PrimaryKeyText, fk);
}

const TGDBTable* TTableReference::Other() const
{
    return Outgoing ? Line->ToTable() : Line->FromTable();
}

std::string TTableReference::Text() const
{
    return Other()->TableName() + "=" + Line->FkColumns;
}

TGDBTable::TGDBTable(TDiagramDocument& document)
    : TGDBComponent(document)
{
}

TGDBTable::~TGDBTable() = default;

std::string_view TGDBTable::RowText(std::string_view line)
{
    const size_t equals = line.find('=');
    return equals == std::string_view::npos ? line : line.substr(equals + 1);
}

std::string_view TGDBTable::CommentOf(std::string_view columnName) const
{
    for (const std::string& entry : ColumnComments) {
        if (entry.size() > columnName.size() && entry[columnName.size()] == '=' &&
            std::string_view(entry).substr(0, columnName.size()) == columnName)
            return std::string_view(entry).substr(columnName.size() + 1);
    }
    return {};
}

bool TGDBTable::IsKeyColumn(std::string_view columnName) const
{
    const std::string key = "," + PrimaryKeyText + ",";
    return key.find("," + std::string(columnName) + ",") != std::string::npos;
}

void TGDBTable::SetTableName(const std::string& name)
{
    const std::string old = m_tableName;
    m_tableName = name;
    if (old != name)
        Document().Renamed(*this, old);
    m_titleWidth = DiagramTextWidth(m_tableName);
    if (m_showFields)
        LoadColumnsAndSize();
    // A model object's hint is made from the model when shown; a database's comment is kept.
    m_titleHint.clear();
    m_hasTitleHint = SchemaObject != nullptr;
    std::string comment;
    if (SchemaObject == nullptr && DiagramQuery != nullptr &&
        ReadTableComment(*DiagramQuery, m_tableName, comment)) {
        m_titleHint = std::move(comment);
        m_hasTitleHint = true;
    }
    ShowHint = true;
    AdjustSize();
}

void TGDBTable::LoadColumns()
{
    ColumnLines.clear();
    ColumnComments.clear();
    m_rowWidth = -1;
    m_modelRows = -1;
    m_order.clear();
    if (SchemaObject != nullptr) {
        // Read again whenever the mask or the visibility changes.
        m_columnsRead = false;
        LoadModelColumns(*this, *SchemaObject);
    } else if (DiagramQuery != nullptr) {
        LoadDatabaseColumns(*this, *DiagramQuery);
        m_columnsRead = true;
    }
}

void TGDBTable::LoadColumnsAndSize()
{
    try {
        LoadColumns();
    } catch (...) {
        AdjustSize();
        throw;
    }
}

void TGDBTable::SetShowFields(bool show)
{
    m_showFields = show;
    if (show && !m_columnsRead)
        LoadColumnsAndSize();
    AdjustSize();
}

void TGDBTable::SetShowMask(const std::string& mask)
{
    m_showMask = mask;
    if (m_showFields && !m_columnsRead)
        LoadColumnsAndSize();
    AdjustSize();
}

void TGDBTable::SetScale(int scale)
{
    if (scale == m_scale || scale < 1)
        return;
    if (scale < 2)
        MoveTo(Left() * m_scale, Top() * m_scale);
    else
        MoveTo(Left() * m_scale / scale, Top() * m_scale / scale);
    m_scale = scale;
    AdjustSize();
}

void TGDBTable::SetSelected(bool selected)
{
    if (selected == m_selected)
        return;
    m_selected = selected;
    if (selected)
        Document().SelectGroup(Tag);
    Document().Invalidate(Bounds());
}

size_t TGDBTable::RowCount() const noexcept
{
    return m_modelRows >= 0 ? size_t(m_modelRows) : ColumnLines.size();
}

std::string TGDBTable::Row(size_t index) const
{
    if (m_modelRows < 0)
        return ColumnLines.at(index);
    const size_t column = m_order.empty() ? index : m_order.at(index);
    // A refresh of the object may have changed its columns since they were counted.
    const TFieldList* fields = SchemaObject->FieldsIfAny();
    if (fields == nullptr || column >= size_t(fields->Count()))
        return {};
    try {
        return ModelRow(*this, *fields->Items(int(column)));
    } catch (const EFormatError&) {
        return {};
    }
}

std::string TGDBTable::TitleHint() const
{
    if (!m_hasTitleHint)
        return {};
    const std::string comment = SchemaObject != nullptr && m_titleHint.empty()
                                    ? std::string(SchemaObject->CommentText)
                                    : m_titleHint;
    return m_tableName + " (Primary Key = " + PrimaryKeyText + ")\r\n" + comment;
}

void TGDBTable::KeepModelTexts()
{
    if (SchemaObject != nullptr && m_hasTitleHint && m_titleHint.empty())
        m_titleHint = SchemaObject->CommentText;
    if (m_modelRows < 0)
        return;
    std::vector<std::string> rows;
    rows.reserve(RowCount());
    for (size_t i = 0; i < RowCount(); ++i)
        rows.push_back(Row(i));
    ColumnLines = std::move(rows);
    m_modelRows = -1;
    m_order.clear();
}

int TGDBTable::MaxRowWidth() const
{
    // Rows held in ColumnLines may have been replaced since they were measured.
    if (m_modelRows < 0 && (m_rowWidth < 0 || m_measuredRows != ColumnLines.size())) {
        m_measuredRows = ColumnLines.size();
        m_rowWidth = 0;
        for (const std::string& line : ColumnLines)
            m_rowWidth = std::max(m_rowWidth, DiagramTextWidth(RowText(line)));
    }
    return m_rowWidth;
}

void TGDBTable::AdjustSize()
{
    int width = m_titleWidth + 2 * (kTitleBox / m_scale);
    int height = kTitleHeight;
    if (m_showFields) {
        width = std::max(width, MaxRowWidth());
        height = int(RowCount()) * kRowHeight + 18;
    }
    width += 8;
    if (m_scale > 1) {
        height /= m_scale;
        width /= m_scale;
    }
    SetBounds(Left(), Top(), width, height);
    UpdateLines();
}

void TGDBTable::UpdateLines()
{
    if (Document().m_deferLines)
        return;
    for (const TTableReference& reference : OutgoingReferences)
        reference.Line->UpdatePosition();
    for (const TTableReference& reference : IncomingReferences)
        reference.Line->UpdatePosition();
}

void TGDBTable::SortColumns()
{
    if (m_modelRows < 0) {
        std::stable_sort(ColumnLines.begin(), ColumnLines.end(), LessNoCase);
    } else {
        std::vector<std::pair<std::string, std::uint16_t>> rows;
        for (size_t i = 0; i < RowCount(); ++i)
            rows.emplace_back(Row(i), m_order.empty() ? std::uint16_t(i) : m_order[i]);
        std::stable_sort(rows.begin(), rows.end(),
                         [](const auto& a, const auto& b) { return LessNoCase(a.first, b.first); });
        m_order.clear();
        for (const auto& row : rows)
            m_order.push_back(row.second);
    }
    Document().Invalidate();
}

QRect TGDBTable::OpaqueRect() const
{
    if (m_scale >= kBoxOnlyScale || m_showFields)
        return Bounds();
    // The title bar alone ends a pixel above the bounds.
    return QRect(Left(), Top(), Width(), kTitleHeight / m_scale - 1);
}

QRect TGDBTable::RowsRect() const
{
    if (m_scale != 1 || !m_showFields || RowCount() == 0)
        return {};
    // Rows are drawn however small the box was made.
    return QRect(Left(), Top(), std::max(Width(), MaxRowWidth() + 3),
                 std::max(Height(), int(RowCount()) * kRowHeight + 18));
}

QRect TGDBTable::PaintedRect() const
{
    return QRect(Left(), Top(), std::max(Width(), 2), std::max(Height(), 2)) | RowsRect();
}

void TGDBTable::PaintTo(QPainter& painter, int x, int y) const
{
    PaintExposed(painter, x, y, {});
}

void TGDBTable::PaintExposed(QPainter& painter, int x, int y, const std::vector<QRect>& cover) const
{
    const QColor fill = m_selected ? kCyan : QColor(Qt::white);
    const int right = x + Width();
    if (m_scale >= kBoxOnlyScale) {
        PaintRectangle(painter, x, y, std::max(right, x + 2), y + std::max(Height(), 2), fill);
        return;
    }
    const int d = kTitleBox / m_scale;
    const int bar = y + kTitleHeight / m_scale - 1;
    PaintRectangle(painter, x, y, right - d + 1, bar, fill);
    // Measuring the painter's font costs more than drawing a row: the diagram font's metrics
    // are kept.
    std::optional<QFontMetrics> other;
    if (painter.font() != DiagramFont())
        other.emplace(painter.font());
    const QFontMetrics& metrics = other ? *other : DiagramFontMetrics();
    if (m_scale == 1)
        painter.drawText(QPoint(x + d + 2, y + metrics.ascent()), Latin1Text(m_tableName));
    PaintRectangle(painter, right - d, y, right, bar, kYellow);
    PaintRectangle(painter, x, y, x + d, bar, kYellow);
    if (!m_showFields)
        return;
    PaintRectangle(painter, x, bar - 1, right, y + Height(), fill);
    if (m_scale != 1)
        return;
    const int textWidth = MaxRowWidth();
    for (size_t i = 0; i < RowCount(); ++i) {
        const int baseline = bar + kRowHeight * int(i) + metrics.ascent();
        // Where the row's glyphs may reach: a pixel left of the text, and accented capitals
        // above the ascent (3 pixels of margin hold them).
        const QRect band(x + 1, baseline - metrics.ascent() - 3, textWidth + 2,
                         metrics.ascent() + metrics.descent() + 6);
        if (!cover.empty() && Covered(band, cover))
            continue;
        painter.drawText(QPoint(x + 2, baseline), Latin1Text(RowText(Row(i))));
    }
}

TGDBTable::THintInfo TGDBTable::GetHintInfo(QPoint point) const
{
    THintInfo info{TitleHint(), QRect(0, 0, Width(), Height())};
    if (m_scale != 1) {
        info.Text = m_tableName + " (Primary Key = " + PrimaryKeyText + ")";
    } else if (point.y() >= 15) {
        const int row = (point.y() - kTitleHeight) / kRowHeight;
        if (row >= 0 && row < int(RowCount())) {
            const std::string line = Row(size_t(row));
            info.Text = std::string(CommentOf(line.substr(0, line.find('='))));
            info.Area = QRect(QPoint(0, row * kRowHeight + kTitleHeight),
                              QPoint(Width() - 1, (row + 1) * kRowHeight + 15 - 1));
        }
    } else {
        info.Area = QRect(0, 0, Width(), 15);
    }
    return info;
}

std::pair<QPoint, bool> TGDBTable::BorderPoint(const QRect& other) const
{
    const int hw = Width() / 2;
    const int hh = Height() / 2;
    const int cx = Left() + hw;
    const int cy = Top() + hh;
    // `other` is (left, top, right exclusive, bottom exclusive).
    const int dx = other.width() / 2 + other.left() - cx;
    const int dy = other.height() / 2 + other.top() - cy;
    if (dx == 0)
        return {{cx, dy >= 0 ? Top() + Height() : Top() - 1}, false};
    if (dy == 0)
        return {{dx > 0 ? Left() + Width() : Left() - 1, cy}, true};
    const long long adx = std::llabs(dx);
    const long long ady = std::llabs(dy);
    const int sx = dx > 0 ? 1 : -1;
    const int sy = dy > 0 ? 1 : -1;
    // |dx| / |dy| < hw / hh compared crosswise: no division, so a flat or thin box (half size
    // 0) needs no guard.
    if (adx * hh < hw * ady) {
        const int y = sy > 0 ? Top() + Height() : Top() - 1;
        return {{cx + sx * int(hh * adx / ady), y}, false};
    }
    const int x = sx > 0 ? Left() + Width() : Left() - 1;
    return {{x, cy + sy * int(hw * ady / adx)}, true};
}

void TGDBTable::AddReference(const std::string& otherName, TObjectItem* other, TGDBLine* line,
                             const std::string& fkColumns, bool outgoing)
{
    std::vector<TTableReference>& list = outgoing ? OutgoingReferences : IncomingReferences;
    const size_t opposite = (outgoing ? IncomingReferences : OutgoingReferences).size();
    for (const TTableReference& reference : list) {
        if (reference.Other()->TableName() == otherName)
            return;
    }
    // The entry's text is the other end's name and the line's columns: a line given here joins
    // this table to the table of that name.
    if (line != nullptr) {
        list.push_back({line, outgoing});
        return;
    }
    TDiagramDocument& document = Document();
    // The first table of that name other than this one, so a self reference finds a second box.
    TGDBTable* target = nullptr;
    if (const auto named = document.m_byName.find(otherName); named != document.m_byName.end()) {
        const auto found = std::find_if(named->second.begin(), named->second.end(),
                                        [this](const TGDBTable* table) { return table != this; });
        if (found != named->second.end())
            target = *found;
    }
    if (target == nullptr) {
        target = &document.NewTable();
        target->DiagramQuery = DiagramQuery;
        // Placed in full-scale units: SetScale divides the position by the scale.
        target->MoveTo(((Left() + Width()) / 8 + 1) * 8 * m_scale,
                       (Top() + int(list.size() + opposite) * 16) * m_scale);
        target->SchemaObject = other;
        target->SetTableName(otherName);
        target->SetScale(m_scale);
        target->SetShowFields(false);
        target->Visible = true;
    }
    target->SetSelected(true);
    TGDBLine& newLine = document.NewLine();
    TGDBTable* from = outgoing ? this : target;
    TGDBTable* to = outgoing ? target : this;
    newLine.SetFromTable(from);
    newLine.SetToTable(to);
    newLine.FkColumns = fkColumns;
    list.push_back({&newLine, outgoing});
    newLine.Hint = JoinConditionOf(*from, *to, fkColumns);
    newLine.ShowHint = true;
    newLine.Visible = true;
    target->AddReference(m_tableName, SchemaObject, &newLine, fkColumns, !outgoing);
}

void TGDBTable::RemoveLine(const TGDBLine* line)
{
    for (auto* list : {&OutgoingReferences, &IncomingReferences}) {
        std::erase_if(*list, [line](const TTableReference& r) { return r.Line == line; });
    }
}

void TGDBTable::Attach(TGDBLine* line)
{
    m_attached.push_back(line);
}

void TGDBTable::Detach(const TGDBLine* line)
{
    std::erase(m_attached, line);
    RemoveLine(line);
}

int TGDBTable::MouseModeAt(QPoint point, bool ctrl) const
{
    const int titleHeight = kTitleHeight / m_scale;
    const int box = kTitleBox / m_scale;
    int mode = MouseModes::Default;
    if (m_showFields && ctrl) {
        if (point.y() >= Height() - kEdge)
            mode = MouseModes::BottomEdge;
        else if (point.y() >= titleHeight && point.x() >= Width() - kEdge)
            mode = MouseModes::RightEdge;
        else if (point.y() >= titleHeight && point.x() < kEdge)
            mode = MouseModes::LeftEdge;
    }
    if (point.y() < titleHeight) {
        if (ctrl && point.x() > Width() - box)
            mode = MouseModes::References;
        else if (ctrl && point.x() < box)
            mode = MouseModes::ReferencedBy;
        else
            mode = MouseModes::Drag;
    }
    return mode;
}

} // namespace quorvex
