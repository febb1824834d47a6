#pragma once

#include "TGDBLine.h"
#include "TGDBTable.h"

#include <QRect>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace quorvex {

class TConstraintItem;
class TObjectItem;
class TObjectList;
class TQuery;

// Told when the diagram must be drawn again and when a component is gone.
class TDiagramObserver {
public:
    virtual ~TDiagramObserver() = default;
    // `area` (diagram coordinates) is to be drawn again; a null rectangle means everything.
    virtual void DiagramChanged(const QRect& area) = 0;
    virtual void ComponentFreed(const TGDBComponent* component) = 0;
};

// One diagram: its tables and lines in creation order (the order of layout files, Automatic SQL
// and the commands) and in drawing order, the placement of new tables, groups, the zoom and the
// default mask. Owns every component. No widgets: the pane, pictures and printing draw it.
class TDiagramDocument {
public:
    static constexpr int kPlacementStart = 8;
    static constexpr int kMaxScale = 16;

    TDiagramDocument();
    TDiagramDocument(const TDiagramDocument&) = delete;
    TDiagramDocument& operator=(const TDiagramDocument&) = delete;
    ~TDiagramDocument();

    // ---- Components
    // In creation order.
    const std::vector<std::unique_ptr<TGDBComponent>>& Components() const noexcept
    {
        return m_components;
    }
    std::vector<TGDBTable*> Tables() const;
    // A new, invisible table in front of everything; the caller configures it.
    TGDBTable& NewTable();
    // A new, invisible line behind everything.
    TGDBLine& NewLine();
    // Frees a component; a table first frees every line that ends on it.
    void Free(TGDBComponent* component);
    // Frees every component, first to last, and restarts the placement.
    void Clear();
    void SendToBack(TGDBComponent* component);
    void BringToFront(TGDBComponent* component);
    // The components in drawing order (back first).
    std::vector<TGDBComponent*> DrawingOrder() const;
    // The frontmost component hit at a diagram point; nullptr over empty area.
    TGDBComponent* ComponentAt(QPoint point) const;
    // The smallest rectangle holding every visible component; empty when there is none.
    QRect ContentBounds() const;
    // Draws the visible components that meet `area` (diagram coordinates), back first. The
    // painter draws in diagram coordinates; its font is used for the table texts.
    void PaintTo(QPainter& painter, const QRect& area) const;
    // The first table (creation order) of that exact name.
    TGDBTable* FindDiagramTable(const std::string& name) const;

    // ---- The schema model the snapshot-backed tables show
    // Before the model is cleared or replaced: every table forgets its model object (keeping
    // its rows), so none points into a freed model.
    void ModelAboutToChange();
    // The new model's objects (nullptr for none): tables take the first table object of their
    // name again.
    void ModelChanged(TObjectList* objects);
    TObjectList* Objects() const noexcept { return m_objects; }
    // The first table object of the model with that name, or nullptr.
    TObjectItem* FindModelTable(const std::string& name) const;

    // ---- Placement and references
    TQuery* Query = nullptr; // given to every new table
    int PageHeight = 0;      // where the automatic placement starts a new column
    int NextLeft = kPlacementStart;
    int NextTop = kPlacementStart;
    int ColumnWidth = 0;
    int GroupCounter = 0;
    std::string DefaultMask = TGDBTable::kDefaultMask;
    std::function<void(const std::string&)> ShowStatus;

    TGDBTable& AddTableForObject(TObjectItem& object);
    // A table read from the database by name (no model object), placed like the others.
    TGDBTable& AddTableByName(const std::string& name);
    // A table of a layout file: read from the database, placed at a full-scale position
    // relative to the view's top-left diagram point, shown at the current scale.
    TGDBTable& LoadTable(const std::string& name, QPoint position, bool showFields,
                         const std::string& mask, int tag, QPoint viewOrigin);
    // References (false) or Referenced By (true) of a model object.
    void OpenReferences(TObjectItem& object, bool referencedBy);
    // A reference drawn by hand from one table to another, joined on the target's key.
    TGDBLine* AddManualReference(TGDBTable& from, TGDBTable& to);
    void ResetPlacement();

    // ---- Selection and groups
    void SelectGroup(int tag);
    void SelectOnlyGroup(int tag);
    void GroupSelected();
    void UngroupTag(int tag);
    void UngroupSelected(bool free);
    // The commands of the popup menu; `popup` is the component the menu was opened on.
    void Group();
    void GroupConnected(TGDBComponent* popup);
    void UngroupSelectedCommand();
    void RemoveSelected(TGDBComponent* popup);

    // ---- Zoom and moving
    int CurrentScale() const noexcept { return m_scale; }
    void SetDiagramScale(int scale);
    // False at the limit (nothing changes).
    bool ZoomIn();
    bool ZoomOut();
    // Moves every component by the offset.
    void MoveAll(int dx, int dy);
    // A mouse drag of a table by the offset in the given mouse mode: resizes or moves it, and
    // moves the other members of its group.
    void DragTable(TGDBTable& table, int mode, int dx, int dy);

    // ---- Notification
    void SetObserver(TDiagramObserver* observer) noexcept { m_observer = observer; }
    // Everything, or an area of the diagram, is to be drawn again.
    void Invalidate();
    void Invalidate(const QRect& area);

private:
    friend class TGDBTable;

    struct TModelIndex;
    const TModelIndex& ModelIndex() const;
    // For each table of `order` (drawing order), the opaque rectangles of the tables drawn
    // after it that meet what it paints.
    static std::vector<std::vector<QRect>> Covers(const std::vector<const TGDBComponent*>& order);
    TGDBComponent& Add(std::unique_ptr<TGDBComponent> component, bool front);
    // Names, sizes and shows a new table at the placement point, and moves the point on.
    void Place(TGDBTable& table, const std::string& name);
    void Renamed(TGDBTable& table, const std::string& oldName);
    // Frees the marked components (and the lines ending on marked tables) in one pass.
    void FreeMarked(std::vector<TGDBComponent*> marked);

    std::vector<std::unique_ptr<TGDBComponent>> m_components;
    // Tables by name, each list in creation order.
    std::unordered_map<std::string, std::vector<TGDBTable*>> m_byName;
    const std::vector<TGDBComponent*>& SortedOrder() const;
    mutable std::vector<TGDBComponent*> m_drawOrder;
    mutable bool m_orderDirty = true;
    std::uint64_t m_nextSequence = 0;
    // Set while a zoom rescales every table: lines are placed once afterwards.
    bool m_deferLines = false;
    std::int64_t m_front = 0;
    std::int64_t m_back = 0;
    int m_scale = 1;
    TObjectList* m_objects = nullptr;
    mutable std::unique_ptr<TModelIndex> m_modelIndex;
    TDiagramObserver* m_observer = nullptr;
};

} // namespace quorvex
