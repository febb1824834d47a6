#include "DiagramDocument.h"

#include "DiagramFont.h"
#include "DiagramPaint.h"
#include "model/ConstraintItem.h"
#include "model/ObjectList.h"

#include <QPageSize>
#include <QPainter>
#include <algorithm>
#include <unordered_set>

namespace quorvex {

namespace {

// Line markers reach a few pixels beyond a line's bounds.
constexpr int kMarkerReach = 4;
// From this scale on lines are drawn without their end markers.
constexpr int kNoMarkerScale = 8;

// An A4 page at 600 dpi: where the placement wraps when no printer tells its page height.
int DefaultPageHeight()
{
    return QPageSize(QPageSize::A4).sizePixels(600).height();
}

// Whether tables paint every pixel of their opaque part with this painter, and their rows keep
// to the bands measured in the diagram font: only then may rows under them be left out.
bool TablesCoverExactly(const QPainter& painter)
{
    const QPen& pen = painter.pen();
    return pen.style() == Qt::SolidLine && pen.brush().style() == Qt::SolidPattern &&
           pen.color().alpha() == 255 && painter.opacity() >= 1.0 &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver &&
           !painter.testRenderHint(QPainter::Antialiasing) &&
           painter.worldTransform().type() <= QTransform::TxTranslate &&
           painter.font() == DiagramFont() &&
           (!painter.hasClipping() || painter.clipRegion().rectCount() <= 1);
}

// The part of `extent` left in sight by the covering rectangles, as one rectangle: covers
// that span the whole width (or height) cut it from the top, bottom (or sides); others are
// ignored, so the part may be larger than what is seen, never smaller.
QRect ExposedPart(const QRect& extent, const std::vector<QRect>& covers)
{
    int left = extent.left();
    int top = extent.top();
    int right = extent.right();
    int bottom = extent.bottom();
    for (bool cut = true; cut && left <= right && top <= bottom;) {
        cut = false;
        for (const QRect& c : covers) {
            if (c.left() <= left && c.right() >= right) {
                if (c.top() <= top && c.bottom() >= top) {
                    top = c.bottom() + 1;
                    cut = true;
                }
                if (c.top() <= bottom && c.bottom() >= bottom) {
                    bottom = c.top() - 1;
                    cut = true;
                }
            }
            if (c.top() <= top && c.bottom() >= bottom) {
                if (c.left() <= left && c.right() >= left) {
                    left = c.right() + 1;
                    cut = true;
                }
                if (c.left() <= right && c.right() >= right) {
                    right = c.left() - 1;
                    cut = true;
                }
            }
        }
    }
    return left > right || top > bottom ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool ValidScale(int scale)
{
    return scale == 1 || scale == 2 || scale == 4 || scale == 8 || scale == 16;
}

} // namespace

// The model's tables by name and its foreign keys by referenced name, each in list order,
// built once per model: References and Referenced By look up instead of scanning the model.
struct TDiagramDocument::TModelIndex {
    // Sorted by name, list order kept within a name. The names point into the model, which
    // outlives the index (the index goes before the model changes).
    struct TTable {
        std::string_view Name;
        TObjectItem* Object;
    };
    struct TForeignKey {
        std::string_view Referenced;
        TObjectItem* Object;
        TConstraintItem* Constraint;
    };
    std::vector<TTable> Tables;
    std::vector<TForeignKey> ReferencedBy;
};

TDiagramDocument::TDiagramDocument()
    : PageHeight(DefaultPageHeight())
{
}

TDiagramDocument::~TDiagramDocument()
{
    m_observer = nullptr;
    // Lines first: they unregister from their tables.
    for (auto& component : m_components) {
        if (!component->IsTable())
            component.reset();
    }
    m_components.clear();
}

// ---- Components

std::vector<TGDBTable*> TDiagramDocument::Tables() const
{
    std::vector<TGDBTable*> tables;
    for (const auto& component : m_components) {
        if (component->IsTable())
            tables.push_back(static_cast<TGDBTable*>(component.get()));
    }
    return tables;
}

TGDBComponent& TDiagramDocument::Add(std::unique_ptr<TGDBComponent> component, bool front)
{
    component->m_z = front ? ++m_front : --m_back;
    m_components.push_back(std::move(component));
    m_orderDirty = true;
    Invalidate();
    return *m_components.back();
}

TGDBTable& TDiagramDocument::NewTable()
{
    auto& table = static_cast<TGDBTable&>(Add(std::make_unique<TGDBTable>(*this), true));
    table.m_sequence = m_nextSequence++;
    m_byName[std::string()].push_back(&table);
    return table;
}

TGDBLine& TDiagramDocument::NewLine()
{
    return static_cast<TGDBLine&>(Add(std::make_unique<TGDBLine>(*this), false));
}

void TDiagramDocument::Renamed(TGDBTable& table, const std::string& oldName)
{
    if (auto old = m_byName.find(oldName); old != m_byName.end()) {
        std::erase(old->second, &table);
        if (old->second.empty())
            m_byName.erase(old);
    }
    std::vector<TGDBTable*>& list = m_byName[table.TableName()];
    const auto at = std::upper_bound(
        list.begin(), list.end(), &table,
        [](const TGDBTable* a, const TGDBTable* b) { return a->m_sequence < b->m_sequence; });
    list.insert(at, &table);
}

TGDBTable* TDiagramDocument::FindDiagramTable(const std::string& name) const
{
    const auto found = m_byName.find(name);
    return found == m_byName.end() || found->second.empty() ? nullptr : found->second.front();
}

void TDiagramDocument::Free(TGDBComponent* component)
{
    if (component != nullptr)
        FreeMarked({component});
}

void TDiagramDocument::FreeMarked(std::vector<TGDBComponent*> marked)
{
    std::unordered_set<const TGDBComponent*> doomed(marked.begin(), marked.end());
    for (TGDBComponent* component : marked) {
        if (component->IsTable()) {
            for (TGDBLine* line : static_cast<TGDBTable*>(component)->m_attached)
                doomed.insert(line);
        }
    }
    std::vector<std::unique_ptr<TGDBComponent>> lines;
    std::vector<std::unique_ptr<TGDBComponent>> tables;
    m_orderDirty = true;
    std::erase_if(m_components, [&](std::unique_ptr<TGDBComponent>& component) {
        if (!doomed.contains(component.get()))
            return false;
        (component->IsTable() ? tables : lines).push_back(std::move(component));
        return true;
    });
    for (auto& table : tables) {
        auto* t = static_cast<TGDBTable*>(table.get());
        if (auto list = m_byName.find(t->TableName()); list != m_byName.end()) {
            std::erase(list->second, t);
            if (list->second.empty())
                m_byName.erase(list);
        }
    }
    if (m_observer != nullptr) {
        for (const auto* group : {&lines, &tables}) {
            for (const auto& component : *group)
                m_observer->ComponentFreed(component.get());
        }
    }
    // Lines go first: each unregisters from both its tables.
    lines.clear();
    tables.clear();
    Invalidate();
}

void TDiagramDocument::Clear()
{
    std::vector<TGDBComponent*> all;
    all.reserve(m_components.size());
    for (const auto& component : m_components)
        all.push_back(component.get());
    FreeMarked(std::move(all));
    ResetPlacement();
}

void TDiagramDocument::SendToBack(TGDBComponent* component)
{
    if (component != nullptr) {
        component->m_z = --m_back;
        m_orderDirty = true;
        Invalidate();
    }
}

void TDiagramDocument::BringToFront(TGDBComponent* component)
{
    if (component != nullptr) {
        component->m_z = ++m_front;
        m_orderDirty = true;
        Invalidate();
    }
}

std::vector<TGDBComponent*> TDiagramDocument::DrawingOrder() const
{
    return SortedOrder();
}

// Kept between repaints: the order changes only when components come, go or change places.
const std::vector<TGDBComponent*>& TDiagramDocument::SortedOrder() const
{
    if (m_orderDirty) {
        m_drawOrder.clear();
        m_drawOrder.reserve(m_components.size());
        for (const auto& component : m_components)
            m_drawOrder.push_back(component.get());
        std::sort(m_drawOrder.begin(), m_drawOrder.end(),
                  [](const TGDBComponent* a, const TGDBComponent* b) { return a->m_z < b->m_z; });
        m_orderDirty = false;
    }
    return m_drawOrder;
}

TGDBComponent* TDiagramDocument::ComponentAt(QPoint point) const
{
    TGDBComponent* hit = nullptr;
    for (const auto& component : m_components) {
        if (component->Visible && (hit == nullptr || component->m_z > hit->m_z) &&
            component->HitTest(point))
            hit = component.get();
    }
    return hit;
}

QRect TDiagramDocument::ContentBounds() const
{
    QRect bounds;
    for (const auto& component : m_components) {
        if (component->Visible)
            bounds |= component->Bounds();
    }
    return bounds;
}

void TDiagramDocument::PaintTo(QPainter& painter, const QRect& area) const
{
    std::vector<const TGDBComponent*> visible;
    for (const TGDBComponent* component : SortedOrder()) {
        if (!component->Visible)
            continue;
        const QRect bounds = component->IsTable()
                                 ? component->Bounds()
                                 : component->Bounds().adjusted(-kMarkerReach, -kMarkerReach,
                                                                kMarkerReach, kMarkerReach);
        if (bounds.intersects(area) || bounds.isEmpty())
            visible.push_back(component);
    }
    // Text costs the most, and the placement stacks tables 16 pixels apart: most rows lie under
    // opaque tables drawn later, and are left out.
    const std::vector<std::vector<QRect>> covers =
        TablesCoverExactly(painter) ? Covers(visible) : std::vector<std::vector<QRect>>();
    // Covered tables are clipped to their part in sight, within the painter's own clip (a
    // rectangle wherever covers are used: the view's exposed part or none).
    const QRect baseClip =
        painter.hasClipping() ? painter.clipBoundingRect().toAlignedRect() : QRect();
    // Lines lie behind the tables: each run of lines in the drawing order goes in one call, its
    // markers after it. Below 1/4 markers are left out: they would be larger than the tables.
    std::vector<QLine> segments;
    std::vector<QPoint> ends;
    std::vector<const TGDBLine*> run;
    const auto flushLines = [&] {
        PaintLines(painter, segments, ends);
        if (m_scale < kNoMarkerScale) {
            for (const TGDBLine* line : run)
                line->PaintMarker(painter, line->Left(), line->Top());
        }
        segments.clear();
        ends.clear();
        run.clear();
    };
    for (size_t i = 0; i < visible.size(); ++i) {
        const TGDBComponent* component = visible[i];
        if (!component->IsTable()) {
            const auto* line = static_cast<const TGDBLine*>(component);
            line->AppendPath(segments, ends, line->Left(), line->Top());
            run.push_back(line);
            continue;
        }
        if (!run.empty())
            flushLines();
        if (i >= covers.size() || covers[i].empty()) {
            component->PaintTo(painter, component->Left(), component->Top());
            continue;
        }
        // Stacked tables hide most of one another: only the part still in sight is filled.
        const auto* table = static_cast<const TGDBTable*>(component);
        const QRect extent = table->PaintedRect();
        const QRect exposed = ExposedPart(extent, covers[i]);
        if (exposed.isEmpty())
            continue;
        const bool clip = exposed != extent;
        if (clip)
            painter.setClipRect(baseClip.isNull() ? exposed : exposed & baseClip);
        table->PaintExposed(painter, table->Left(), table->Top(), covers[i]);
        if (clip) {
            if (baseClip.isNull())
                painter.setClipping(false);
            else
                painter.setClipRect(baseClip);
        }
    }
    if (!run.empty())
        flushLines();
}

std::vector<std::vector<QRect>>
TDiagramDocument::Covers(const std::vector<const TGDBComponent*>& order)
{
    const auto tableAt = [&order](size_t i) {
        return order[i]->IsTable() ? static_cast<const TGDBTable*>(order[i]) : nullptr;
    };
    // Worth it only where rows of text are drawn (full scale); reduced, tables are small and
    // the cells below would hold too many of them.
    bool rows = false;
    for (size_t i = 0; i < order.size() && !rows; ++i)
        rows = tableAt(i) != nullptr && !tableAt(i)->RowsRect().isEmpty();
    if (!rows)
        return {};
    // A grid of cells finds the tables that meet one without comparing every pair.
    constexpr int kCell = 256;
    const auto cell = [](int v) { return v >= 0 ? v / kCell : -1 - (-1 - v) / kCell; };
    const auto forCells = [&cell](const QRect& r, const auto& visit) {
        for (int cy = cell(r.top()); cy <= cell(r.bottom()); ++cy) {
            for (int cx = cell(r.left()); cx <= cell(r.right()); ++cx)
                visit(std::uint64_t(std::uint32_t(cx)) << 32 | std::uint32_t(cy));
        }
    };
    std::unordered_map<std::uint64_t, std::vector<size_t>> cells;
    for (size_t i = 0; i < order.size(); ++i) {
        if (const TGDBTable* table = tableAt(i); table != nullptr && !table->OpaqueRect().isEmpty())
            forCells(table->OpaqueRect(), [&](std::uint64_t key) { cells[key].push_back(i); });
    }
    std::vector<std::vector<QRect>> covers(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        const TGDBTable* table = tableAt(i);
        if (table == nullptr)
            continue;
        const QRect extent = table->PaintedRect();
        forCells(extent, [&](std::uint64_t key) {
            const auto found = cells.find(key);
            if (found == cells.end())
                return;
            for (size_t j : found->second) {
                const QRect opaque = tableAt(j)->OpaqueRect();
                // A table in several cells is met more than once: it is listed once.
                if (j > i && opaque.intersects(extent) &&
                    std::find(covers[i].begin(), covers[i].end(), opaque) == covers[i].end())
                    covers[i].push_back(opaque);
            }
        });
    }
    return covers;
}

// ---- The model

void TDiagramDocument::ModelAboutToChange()
{
    for (TGDBTable* table : Tables()) {
        if (table->SchemaObject != nullptr) {
            table->KeepModelTexts();
            table->SchemaObject = nullptr;
            table->m_fromModel = true;
        }
    }
    m_objects = nullptr;
    m_modelIndex.reset();
}

void TDiagramDocument::ModelChanged(TObjectList* objects)
{
    ModelAboutToChange();
    m_objects = objects;
    for (TGDBTable* table : Tables()) {
        if (table->m_fromModel)
            table->SchemaObject = FindModelTable(table->TableName());
    }
    Invalidate();
}

const TDiagramDocument::TModelIndex& TDiagramDocument::ModelIndex() const
{
    if (m_modelIndex)
        return *m_modelIndex;
    m_modelIndex = std::make_unique<TModelIndex>();
    if (m_objects == nullptr)
        return *m_modelIndex;
    TModelIndex& index = *m_modelIndex;
    for (int i = 0; i < m_objects->Count(); ++i) {
        TObjectItem* object = m_objects->Items(i);
        if (object->ObjectType == ObjectTypes::Table)
            index.Tables.push_back({object->ObjectName, object});
        if (TConstraintList* constraints = object->ConstraintsIfAny()) {
            for (int c = 0; c < constraints->Count(); ++c) {
                TConstraintItem* constraint = constraints->Items(c);
                if (constraint->ConstType == ConstraintTypes::ForeignKey)
                    index.ReferencedBy.push_back(
                        {constraint->RefObjName.View(), object, constraint});
            }
        }
    }
    std::ranges::stable_sort(index.Tables, {}, &TModelIndex::TTable::Name);
    std::ranges::stable_sort(index.ReferencedBy, {}, &TModelIndex::TForeignKey::Referenced);
    index.Tables.shrink_to_fit();
    index.ReferencedBy.shrink_to_fit();
    return index;
}

TObjectItem* TDiagramDocument::FindModelTable(const std::string& name) const
{
    const auto& tables = ModelIndex().Tables;
    const auto named =
        std::ranges::equal_range(tables, std::string_view(name), {}, &TModelIndex::TTable::Name);
    return named.empty() ? nullptr : named.front().Object;
}

// ---- Placement and references

TGDBTable& TDiagramDocument::AddTableForObject(TObjectItem& object)
{
    TGDBTable& table = NewTable();
    table.SchemaObject = &object;
    Place(table, object.ObjectName);
    return table;
}

TGDBTable& TDiagramDocument::AddTableByName(const std::string& name)
{
    TGDBTable& table = NewTable();
    Place(table, name);
    return table;
}

TGDBTable& TDiagramDocument::LoadTable(const std::string& name, QPoint position, bool showFields,
                                       const std::string& mask, int tag, QPoint viewOrigin)
{
    TGDBTable& table = NewTable();
    table.DiagramQuery = Query;
    table.MoveTo(position.x(), position.y());
    table.Tag = tag;
    try {
        table.SetTableName(name);
        table.SetShowFields(showFields);
        table.SetShowMask(mask);
    } catch (...) {
        // A table whose columns could not be read stays, with what was read, where it belongs.
        table.SetScale(m_scale);
        table.MoveBy(viewOrigin.x(), viewOrigin.y());
        table.Visible = true;
        throw;
    }
    table.SetScale(m_scale);
    table.MoveBy(viewOrigin.x(), viewOrigin.y());
    table.Visible = true;
    return table;
}

void TDiagramDocument::Place(TGDBTable& table, const std::string& name)
{
    table.DiagramQuery = Query;
    // The mask first, so the rows are formatted once.
    table.m_showMask = DefaultMask;
    table.MoveTo(NextLeft, NextTop);
    try {
        table.SetTableName(name);
    } catch (...) {
        // A table whose columns could not be read stays, with what was read, where it belongs.
        table.SetScale(m_scale);
        table.Visible = true;
        throw;
    }
    table.SetScale(m_scale);
    table.Visible = true;
    ColumnWidth = std::max(ColumnWidth, table.Width() * table.Scale());
    NextTop += (table.Scale() + 1) * 8;
    if (PageHeight < NextTop) {
        NextTop = kPlacementStart;
        NextLeft += (ColumnWidth / 8 + 1) * 8;
        ColumnWidth = 0;
    }
}

void TDiagramDocument::OpenReferences(TObjectItem& object, bool referencedBy)
{
    NextTop = kPlacementStart;
    if (ShowStatus)
        ShowStatus("Opening referenced tables for \"" + object.ObjectName + "\"");
    const auto tableFor = [this](TObjectItem& o) {
        TGDBTable* table = FindDiagramTable(o.ObjectName);
        if (table == nullptr) {
            table = &AddTableForObject(o);
            table->SetShowFields(false);
        }
        return table;
    };
    const TModelIndex& index = ModelIndex();
    if (!referencedBy) {
        TGDBTable* table = tableFor(object);
        table->SetSelected(true);
        TConstraintList* constraints = object.ConstraintsIfAny();
        for (int c = 0; constraints != nullptr && c < constraints->Count(); ++c) {
            const TConstraintItem& constraint = *constraints->Items(c);
            if (constraint.ConstType != ConstraintTypes::ForeignKey)
                continue;
            for (const auto& parent : std::ranges::equal_range(
                     index.Tables, constraint.RefObjName.View(), {}, &TModelIndex::TTable::Name))
                table->AddReference(parent.Object->ObjectName, parent.Object, nullptr,
                                    constraint.RefFields, true);
        }
        return;
    }
    for (const auto& child :
         std::ranges::equal_range(index.ReferencedBy, std::string_view(object.ObjectName), {},
                                  &TModelIndex::TForeignKey::Referenced))
        tableFor(*child.Object)
            ->AddReference(object.ObjectName, &object, nullptr, child.Constraint->RefFields, true);
}

TGDBLine* TDiagramDocument::AddManualReference(TGDBTable& from, TGDBTable& to)
{
    if (&from == &to)
        return nullptr;
    const std::string fk = to.PrimaryKeyText;
    for (const TTableReference& reference : from.OutgoingReferences) {
        if (reference.Line->ToTable() == &to)
            return nullptr;
    }
    TGDBLine& line = NewLine();
    line.SetFromTable(&from);
    line.SetToTable(&to);
    line.FkColumns = fk;
    from.OutgoingReferences.push_back({&line, true});
    to.IncomingReferences.push_back({&line, false});
    line.Hint = JoinConditionOf(from, to, fk);
    line.ShowHint = true;
    line.Visible = true;
    return &line;
}

void TDiagramDocument::ResetPlacement()
{
    NextLeft = kPlacementStart;
    NextTop = kPlacementStart;
    ColumnWidth = 0;
}

// ---- Selection and groups

void TDiagramDocument::SelectGroup(int tag)
{
    if (tag == 0)
        return;
    for (TGDBTable* table : Tables()) {
        if (table->Tag == tag)
            table->m_selected = true;
    }
    Invalidate();
}

void TDiagramDocument::SelectOnlyGroup(int tag)
{
    for (TGDBTable* table : Tables())
        table->m_selected = tag != 0 && table->Tag == tag;
    Invalidate();
}

void TDiagramDocument::GroupSelected()
{
    ++GroupCounter;
    for (TGDBTable* table : Tables()) {
        if (table->Selected())
            table->Tag = GroupCounter;
    }
}

void TDiagramDocument::UngroupTag(int tag)
{
    if (tag == 0)
        return;
    for (TGDBTable* table : Tables()) {
        if (table->Tag == tag)
            table->Tag = 0;
        else if (table->Tag > tag)
            --table->Tag;
    }
    --GroupCounter;
}

void TDiagramDocument::UngroupSelected(bool free)
{
    std::vector<TGDBComponent*> doomed;
    for (auto it = m_components.rbegin(); it != m_components.rend(); ++it) {
        if (!(*it)->IsTable())
            continue;
        auto* table = static_cast<TGDBTable*>(it->get());
        if (!table->Selected())
            continue;
        UngroupTag(table->Tag);
        if (free)
            doomed.push_back(table);
    }
    if (!doomed.empty())
        FreeMarked(std::move(doomed));
}

void TDiagramDocument::Group()
{
    UngroupSelected(false);
    GroupSelected();
}

void TDiagramDocument::GroupConnected(TGDBComponent* popup)
{
    SelectOnlyGroup(0);
    if (popup != nullptr && popup->IsTable()) {
        auto* table = static_cast<TGDBTable*>(popup);
        table->SetSelected(true);
        for (const TTableReference& reference : table->OutgoingReferences)
            reference.Line->ToTable()->SetSelected(true);
        for (const TTableReference& reference : table->IncomingReferences)
            reference.Line->FromTable()->SetSelected(true);
    }
    Group();
}

void TDiagramDocument::UngroupSelectedCommand()
{
    UngroupSelected(false);
    SelectOnlyGroup(0);
}

void TDiagramDocument::RemoveSelected(TGDBComponent* popup)
{
    if (popup != nullptr && !popup->IsTable())
        Free(popup);
    else
        UngroupSelected(true);
}

// ---- Zoom and moving

void TDiagramDocument::SetDiagramScale(int scale)
{
    if (!ValidScale(scale))
        return;
    m_scale = scale;
    // Every line is placed once at the end, not once per end table.
    m_deferLines = true;
    for (TGDBTable* table : Tables())
        table->SetScale(scale);
    m_deferLines = false;
    for (const auto& component : m_components) {
        if (!component->IsTable())
            static_cast<TGDBLine*>(component.get())->UpdatePosition();
    }
    Invalidate();
}

bool TDiagramDocument::ZoomIn()
{
    if (m_scale <= 1)
        return false;
    SetDiagramScale(m_scale / 2);
    return true;
}

bool TDiagramDocument::ZoomOut()
{
    if (m_scale >= kMaxScale)
        return false;
    SetDiagramScale(m_scale * 2);
    return true;
}

void TDiagramDocument::MoveAll(int dx, int dy)
{
    for (const auto& component : m_components)
        component->MoveBy(dx, dy);
}

void TDiagramDocument::DragTable(TGDBTable& table, int mode, int dx, int dy)
{
    switch (mode) {
    case MouseModes::BottomEdge:
        table.SetBounds(table.Left(), table.Top(), table.Width(), table.Height() + dy);
        break;
    case MouseModes::LeftEdge:
        table.SetBounds(table.Left() + dx, table.Top(), table.Width() - dx, table.Height());
        break;
    case MouseModes::RightEdge:
        table.SetBounds(table.Left(), table.Top(), table.Width() + dx, table.Height());
        break;
    default:
        table.MoveBy(dx, dy);
    }
    if (table.Tag != 0) {
        for (TGDBTable* other : Tables()) {
            if (other != &table && other->Tag == table.Tag) {
                other->MoveBy(dx, dy);
                other->UpdateLines();
            }
        }
    }
    table.UpdateLines();
}

// ---- Notification

void TDiagramDocument::Invalidate()
{
    if (m_observer != nullptr)
        m_observer->DiagramChanged(QRect());
}

void TDiagramDocument::Invalidate(const QRect& area)
{
    // Line markers and the outline reach a few pixels beyond a component's bounds.
    if (m_observer != nullptr && !area.isNull())
        m_observer->DiagramChanged(area.adjusted(-kMarkerReach - 1, -kMarkerReach - 1,
                                                 kMarkerReach + 1, kMarkerReach + 1));
}

} // namespace quorvex
