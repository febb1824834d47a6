#pragma once

#include "NodeCaptions.h"

#include <QAbstractItemModel>
#include <QLocale>
#include <cstdint>
#include <string>
#include <vector>

namespace quorvex {

class TCleanItem;
class TDBNewOracle;
class TDefaultItem;

// The object tree over a schema model: owners in one category and the objects grouped by kind,
// each with its constraints, triggers, indexes and columns. Nodes are small records in flat
// arrays that refer to the model's items and never own them; captions are computed when asked
// for. The tree must be rebuilt (or cleared) before the items it refers to are freed.
class TObjectTreeModel : public QAbstractItemModel {
    Q_OBJECT

public:
    enum Role {
        StateRole = Qt::UserRole + 1, // the node's state image, 0 for none
    };

    // How a node came to be, which also says what its item is.
    enum class TNodeKind : std::uint8_t {
        Category,
        Owner,
        Object,
        Group,
        Constraint,
        Trigger,
        Index,
        Column
    };

    explicit TObjectTreeModel(QObject* parent = nullptr);
    ~TObjectTreeModel() override;

    // The locale whose case-sensitive collation orders the nodes (the system's by default).
    void SetCollationLocale(const QLocale& locale);
    QLocale CollationLocale() const { return m_locale; }

    // Replaces the whole tree by one built from the model's owners and objects.
    void BuildObjectTree(TDBNewOracle& schema);
    // Empties the tree.
    void Clear();
    const TDBNewOracle* Schema() const noexcept { return m_schema; }

    // The item a node stands for; nullptr for categories, owners and groups.
    TDefaultItem* Item(const QModelIndex& index) const;
    // The item of a node of any TObjectTreeModel; nullptr for other indexes.
    static TDefaultItem* ItemAt(const QModelIndex& index);
    TNodeKind Kind(const QModelIndex& index) const;
    QString Caption(const QModelIndex& index) const;
    // The node's state image, 0 for none.
    int StateImage(const QModelIndex& index) const;
    void SetStateImage(const QModelIndex& index, int state);
    // The node's state image becomes none, then 1 when any of its children has one.
    void UpdateStateFromChildren(const QModelIndex& index);
    // Takes a node (with everything below it) out of the tree; categories stay.
    void RemoveNode(const QModelIndex& index);
    QModelIndex CategoryIndex(TTreeCategory category) const;

    // OwnerPrefix over the model's owners; empty without a model.
    std::string OwnerPrefix(int ownerNo) const;

    // The number of nodes built and the bytes the node arrays hold.
    std::size_t NodeCount() const noexcept { return m_nodes.size(); }
    std::size_t MemoryBytes() const noexcept;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;

    // The item a drag from this tree carries; nullptr when the data came from elsewhere or
    // from an earlier build.
    TDefaultItem* ItemFromMimeData(const QMimeData* data) const;

private:
    struct TNode {
        TCleanItem* Item = nullptr; // an owner item for owner nodes
        std::int32_t Parent = -1;   // -1 at the top level
        std::int32_t Row = 0;
        std::int32_t FirstChild = 0; // into m_children
        std::int32_t ChildCount = 0;
        std::int32_t State = 0;
        TNodeKind Kind = TNodeKind::Category;
        std::uint8_t Label = 0; // the category or group number
    };

    class TBuilder;

    std::int32_t NodeId(const QModelIndex& index) const;
    QModelIndex IndexOf(std::int32_t id) const;
    QString NodeCaption(const TNode& node) const;
    void AppendNodeCaption(const TNode& node, QString& out) const;

    std::vector<TNode> m_nodes;
    // Every node's children side by side; a node's are [FirstChild, FirstChild + ChildCount).
    // The top-level nodes are the first kCategoryCount entries.
    std::vector<std::int32_t> m_children;
    std::int32_t m_topCount = 0;
    TDBNewOracle* m_schema = nullptr;
    QLocale m_locale;
    quint64 m_generation = 0; // counts builds, so stale drags are recognised
};

} // namespace quorvex
