#include "ObjectTreeModel.h"

#include "StateIcons.h"
#include "TreeSelection.h"
#include "dictionary/DBOraClass.h"
#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/ObjectItem.h"
#include "model/ObjectState.h"

#include <QCollator>
#include <QMimeData>
#include <algorithm>
#include <array>

namespace quorvex {

namespace {

const QString kNodeMimeType = QStringLiteral("application/x-quorvex-tree-node");

// Below this many children a sort compares captions directly; above it, it pays to compute
// each caption's sort key once.
constexpr std::size_t kSortKeyThreshold = 12;

bool IsAddedOrRemoved(std::int32_t state)
{
    return state == ObjectStates::Added || state == ObjectStates::Removed;
}

int ListCount(const TCleanList* list)
{
    return list == nullptr ? 0 : list->Count();
}

const std::array<QIcon, kLastStateImage + 1>& StateIcons()
{
    static const std::array<QIcon, kLastStateImage + 1> icons = [] {
        std::array<QIcon, kLastStateImage + 1> made;
        for (int state = kFirstStateImage; state <= kLastStateImage; ++state)
            made[std::size_t(state)] = StateIcon(state);
        return made;
    }();
    return icons;
}

} // namespace

// Builds the node arrays in two passes: the first counts the nodes so every array is
// allocated once and each node's children get one contiguous slice; the second creates the
// nodes in model order, which the state rules depend on.
class TObjectTreeModel::TBuilder {
public:
    TBuilder(const TObjectTreeModel& model, std::vector<TNode>& nodes,
             std::vector<std::int32_t>& children)
        : m_model(model)
        , m_nodes(nodes)
        , m_children(children)
        , m_collator(model.m_locale)
    {
        m_collator.setCaseSensitivity(Qt::CaseSensitive);
        m_collator.setNumericMode(false);
        m_collator.setIgnorePunctuation(false);
    }

    void Build(TDBNewOracle& schema)
    {
        const TOwnerList& owners = schema.Owners();
        const TObjectList& objects = schema.Objects();

        std::array<std::int32_t, kCategoryCount> categorySizes{};
        categorySizes[0] = owners.Count();
        std::size_t total = kCategoryCount + std::size_t(owners.Count());
        for (int i = 0; i < objects.Count(); ++i) {
            const TObjectItem* object = objects.Items(i);
            const int category = object == nullptr ? -1 : CategoryOfObjectType(object->ObjectType);
            if (category < 0)
                continue;
            ++categorySizes[std::size_t(category)];
            total += 1 + std::size_t(GroupCount(*object) + ListCount(object->ConstraintsIfAny()) +
                                     ListCount(object->TriggersIfAny()) +
                                     ListCount(object->IndexesIfAny()) +
                                     ListCount(object->FieldsIfAny()));
        }
        m_nodes.reserve(total);
        m_children.resize(total);

        m_cursor = kCategoryCount;
        for (int category = 0; category < kCategoryCount; ++category) {
            TNode node;
            node.Kind = TNodeKind::Category;
            node.Label = std::uint8_t(category);
            node.Row = category;
            m_children[std::size_t(category)] = std::int32_t(m_nodes.size());
            m_nodes.push_back(node);
            Allocate(category, categorySizes[std::size_t(category)]);
        }

        for (int i = 0; i < owners.Count(); ++i)
            Add(int(TTreeCategory::Owners), TNodeKind::Owner, owners.Items(i));

        for (int i = 0; i < objects.Count(); ++i) {
            TObjectItem* object = objects.Items(i);
            const int category = object == nullptr ? -1 : CategoryOfObjectType(object->ObjectType);
            if (category >= 0)
                AddObject(category, *object);
        }

        for (int category = 0; category < kCategoryCount; ++category)
            SortChildren(category);
    }

private:
    static int GroupCount(const TObjectItem& object)
    {
        return int(ListCount(object.ConstraintsIfAny()) > 0) +
               int(ListCount(object.TriggersIfAny()) > 0) +
               int(ListCount(object.IndexesIfAny()) > 0);
    }

    std::int32_t& State(std::int32_t id) { return m_nodes[std::size_t(id)].State; }

    // Reserves the next `count` entries of the children array for a node's children.
    void Allocate(std::int32_t id, std::int32_t count)
    {
        m_nodes[std::size_t(id)].FirstChild = m_cursor;
        m_cursor += count;
    }

    std::int32_t Add(std::int32_t parent, TNodeKind kind, TCleanItem* item, std::uint8_t label = 0)
    {
        TNode& owner = m_nodes[std::size_t(parent)];
        TNode node;
        node.Item = item;
        node.Parent = parent;
        node.Row = owner.ChildCount;
        node.Kind = kind;
        node.Label = label;
        const auto id = std::int32_t(m_nodes.size());
        m_children[std::size_t(owner.FirstChild + owner.ChildCount)] = id;
        ++owner.ChildCount;
        m_nodes.push_back(node);
        return id;
    }

    // A group node under an object; it shows the object's added or removed mark.
    std::int32_t AddGroup(std::int32_t object, TTreeGroup group, int count)
    {
        const std::int32_t id = Add(object, TNodeKind::Group, nullptr, std::uint8_t(group));
        if (IsAddedOrRemoved(State(object)))
            State(id) = State(object);
        Allocate(id, count);
        return id;
    }

    void AddObject(std::int32_t category, TObjectItem& object)
    {
        const std::int32_t id = Add(category, TNodeKind::Object, &object);
        if (object.ObjectState > 0) {
            State(id) = object.ObjectState;
            if (State(category) == 0)
                State(category) = ObjectStates::Invalid;
        }
        Allocate(id, GroupCount(object) + ListCount(object.FieldsIfAny()));

        if (const TConstraintList* constraints = object.ConstraintsIfAny();
            ListCount(constraints) > 0) {
            const std::int32_t group = AddGroup(id, TTreeGroup::Constraints, constraints->Count());
            for (int i = 0; i < constraints->Count(); ++i) {
                TDefaultItem* item = constraints->Items(i);
                const std::int32_t node = Add(group, TNodeKind::Constraint, item);
                if (item->ObjectState > 0) {
                    State(node) = item->ObjectState;
                    for (std::int32_t above : {group, id, category}) {
                        if (State(above) == 0)
                            State(above) = ObjectStates::Invalid;
                    }
                }
            }
            SortChildren(group);
        }

        if (const TTriggerList* triggers = object.TriggersIfAny(); ListCount(triggers) > 0) {
            const std::int32_t group = AddGroup(id, TTreeGroup::Triggers, triggers->Count());
            for (int i = 0; i < triggers->Count(); ++i) {
                TDefaultItem* item = triggers->Items(i);
                const std::int32_t node = Add(group, TNodeKind::Trigger, item);
                if (item->ObjectState > 0) {
                    State(node) = item->ObjectState;
                    for (std::int32_t above : {group, id, category}) {
                        if (!IsAddedOrRemoved(State(above)))
                            State(above) = ObjectStates::Changed;
                    }
                }
            }
            SortChildren(group);
        }

        if (const TIndexList* indexes = object.IndexesIfAny(); ListCount(indexes) > 0) {
            const std::int32_t group = AddGroup(id, TTreeGroup::Indexes, indexes->Count());
            for (int i = 0; i < indexes->Count(); ++i) {
                TDefaultItem* item = indexes->Items(i);
                const std::int32_t node = Add(group, TNodeKind::Index, item);
                if (item->ObjectState > 0) {
                    State(node) = item->ObjectState;
                    for (std::int32_t above : {group, id}) {
                        if (State(above) == 0)
                            State(above) = ObjectStates::ChangedIndex;
                    }
                }
            }
            SortChildren(group);
        }

        if (const TFieldList* fields = object.FieldsIfAny(); ListCount(fields) > 0) {
            for (int i = 0; i < fields->Count(); ++i) {
                TDefaultItem* item = fields->Items(i);
                const std::int32_t node = Add(id, TNodeKind::Column, item);
                if (item->ObjectState > 0) {
                    State(node) = item->ObjectState;
                    if (!IsAddedOrRemoved(State(id)))
                        State(id) = ObjectStates::Changed;
                    State(category) = ObjectStates::Invalid;
                }
            }
        }
    }

    // Orders a node's direct children by caption, keeping equal captions in their order.
    void SortChildren(std::int32_t id)
    {
        TNode& node = m_nodes[std::size_t(id)];
        const auto count = std::size_t(node.ChildCount);
        if (count < 2)
            return;
        const auto first = m_children.begin() + node.FirstChild;

        // The caption strings are reused from sort to sort, so they rarely allocate.
        if (m_captions.size() < count)
            m_captions.resize(count);
        m_order.resize(count);
        for (std::size_t i = 0; i < count; ++i) {
            m_order[i] = std::int32_t(i);
            m_captions[i].resize(0);
            m_model.AppendNodeCaption(m_nodes[std::size_t(first[std::ptrdiff_t(i)])],
                                      m_captions[i]);
        }

        if (count < kSortKeyThreshold) {
            // Insertion sort: stable and free of allocations for the many small groups.
            for (std::size_t i = 1; i < count; ++i) {
                const std::int32_t moving = m_order[i];
                std::size_t j = i;
                while (j > 0 && m_collator.compare(m_captions[std::size_t(moving)],
                                                   m_captions[std::size_t(m_order[j - 1])]) < 0) {
                    m_order[j] = m_order[j - 1];
                    --j;
                }
                m_order[j] = moving;
            }
        } else {
            std::vector<QCollatorSortKey> keys;
            keys.reserve(count);
            for (std::size_t i = 0; i < count; ++i)
                keys.push_back(m_collator.sortKey(m_captions[i]));
            std::stable_sort(m_order.begin(), m_order.end(), [&](std::int32_t a, std::int32_t b) {
                return keys[std::size_t(a)].compare(keys[std::size_t(b)]) < 0;
            });
        }

        m_sorted.resize(count);
        for (std::size_t i = 0; i < count; ++i)
            m_sorted[i] = first[m_order[i]];
        for (std::size_t i = 0; i < count; ++i) {
            first[std::ptrdiff_t(i)] = m_sorted[i];
            m_nodes[std::size_t(m_sorted[i])].Row = std::int32_t(i);
        }
    }

    const TObjectTreeModel& m_model;
    std::vector<TNode>& m_nodes;
    std::vector<std::int32_t>& m_children;
    QCollator m_collator;
    std::int32_t m_cursor = 0;
    std::vector<std::int32_t> m_order;
    std::vector<std::int32_t> m_sorted;
    std::vector<QString> m_captions;
};

TObjectTreeModel::TObjectTreeModel(QObject* parent)
    : QAbstractItemModel(parent)
{
}

TObjectTreeModel::~TObjectTreeModel() = default;

void TObjectTreeModel::SetCollationLocale(const QLocale& locale)
{
    m_locale = locale;
}

void TObjectTreeModel::BuildObjectTree(TDBNewOracle& schema)
{
    beginResetModel();
    std::vector<TNode>().swap(m_nodes);
    std::vector<std::int32_t>().swap(m_children);
    m_schema = &schema;
    ++m_generation;
    try {
        TBuilder(*this, m_nodes, m_children).Build(schema);
        m_topCount = kCategoryCount;
    } catch (...) {
        m_nodes.clear();
        m_children.clear();
        m_topCount = 0;
        endResetModel();
        throw;
    }
    endResetModel();
}

void TObjectTreeModel::Clear()
{
    beginResetModel();
    std::vector<TNode>().swap(m_nodes);
    std::vector<std::int32_t>().swap(m_children);
    m_topCount = 0;
    m_schema = nullptr;
    ++m_generation;
    endResetModel();
}

std::size_t TObjectTreeModel::MemoryBytes() const noexcept
{
    return m_nodes.capacity() * sizeof(TNode) + m_children.capacity() * sizeof(std::int32_t);
}

std::int32_t TObjectTreeModel::NodeId(const QModelIndex& index) const
{
    if (!index.isValid() || index.model() != this)
        return -1;
    return std::int32_t(index.internalId());
}

QModelIndex TObjectTreeModel::IndexOf(std::int32_t id) const
{
    if (id < 0)
        return {};
    return createIndex(m_nodes[std::size_t(id)].Row, 0, quintptr(id));
}

QString TObjectTreeModel::NodeCaption(const TNode& node) const
{
    QString caption;
    AppendNodeCaption(node, caption);
    return caption;
}

void TObjectTreeModel::AppendNodeCaption(const TNode& node, QString& out) const
{
    switch (node.Kind) {
    case TNodeKind::Category:
        out.append(CategoryCaption(static_cast<TTreeCategory>(node.Label)));
        break;
    case TNodeKind::Group:
        out.append(GroupCaption(static_cast<TTreeGroup>(node.Label)));
        break;
    case TNodeKind::Owner:
        AppendUtf8(out, static_cast<const TOwnerItem*>(node.Item)->OwnerName);
        break;
    case TNodeKind::Constraint:
        AppendConstraintCaption(out, *static_cast<const TConstraintItem*>(node.Item));
        break;
    case TNodeKind::Column:
        AppendColumnCaption(out, *static_cast<const TFieldItem*>(node.Item));
        break;
    case TNodeKind::Object:
    case TNodeKind::Trigger:
    case TNodeKind::Index:
        AppendUtf8(out, static_cast<const TNameStateItem*>(node.Item)->ObjectName);
        break;
    }
}

TDefaultItem* TObjectTreeModel::Item(const QModelIndex& index) const
{
    const std::int32_t id = NodeId(index);
    if (id < 0)
        return nullptr;
    const TNode& node = m_nodes[std::size_t(id)];
    switch (node.Kind) {
    case TNodeKind::Category:
    case TNodeKind::Owner:
    case TNodeKind::Group:
        return nullptr;
    default:
        return static_cast<TDefaultItem*>(node.Item);
    }
}

TDefaultItem* TObjectTreeModel::ItemAt(const QModelIndex& index)
{
    const auto* model = qobject_cast<const TObjectTreeModel*>(index.model());
    return model == nullptr ? nullptr : model->Item(index);
}

TObjectTreeModel::TNodeKind TObjectTreeModel::Kind(const QModelIndex& index) const
{
    const std::int32_t id = NodeId(index);
    return id < 0 ? TNodeKind::Category : m_nodes[std::size_t(id)].Kind;
}

QString TObjectTreeModel::Caption(const QModelIndex& index) const
{
    const std::int32_t id = NodeId(index);
    return id < 0 ? QString() : NodeCaption(m_nodes[std::size_t(id)]);
}

int TObjectTreeModel::StateImage(const QModelIndex& index) const
{
    const std::int32_t id = NodeId(index);
    return id < 0 ? 0 : m_nodes[std::size_t(id)].State;
}

void TObjectTreeModel::SetStateImage(const QModelIndex& index, int state)
{
    const std::int32_t id = NodeId(index);
    if (id < 0)
        return;
    m_nodes[std::size_t(id)].State = std::max(state, 0);
    emit dataChanged(index, index, {Qt::DecorationRole, Qt::ToolTipRole, StateRole});
}

void TObjectTreeModel::UpdateStateFromChildren(const QModelIndex& index)
{
    const std::int32_t id = NodeId(index);
    if (id < 0)
        return;
    const TNode& node = m_nodes[std::size_t(id)];
    const auto first = m_children.begin() + node.FirstChild;
    const bool flagged = std::any_of(first, first + node.ChildCount, [&](std::int32_t child) {
        return m_nodes[std::size_t(child)].State > 0;
    });
    SetStateImage(index, flagged ? ObjectStates::Invalid : 0);
}

void TObjectTreeModel::RemoveNode(const QModelIndex& index)
{
    const std::int32_t id = NodeId(index);
    if (id < 0 || m_nodes[std::size_t(id)].Parent < 0)
        return;
    const std::int32_t parentId = m_nodes[std::size_t(id)].Parent;
    TNode& parent = m_nodes[std::size_t(parentId)];
    const std::int32_t row = m_nodes[std::size_t(id)].Row;
    beginRemoveRows(IndexOf(parentId), row, row);
    const auto first = m_children.begin() + parent.FirstChild;
    std::move(first + row + 1, first + parent.ChildCount, first + row);
    --parent.ChildCount;
    for (std::int32_t r = row; r < parent.ChildCount; ++r)
        m_nodes[std::size_t(first[r])].Row = r;
    endRemoveRows();
}

QModelIndex TObjectTreeModel::CategoryIndex(TTreeCategory category) const
{
    const int row = int(category);
    return row < m_topCount ? index(row, 0) : QModelIndex();
}

std::string TObjectTreeModel::OwnerPrefix(int ownerNo) const
{
    return m_schema == nullptr ? std::string() : quorvex::OwnerPrefix(m_schema->Owners(), ownerNo);
}

QModelIndex TObjectTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0)
        return {};
    if (!parent.isValid())
        return row < m_topCount ? IndexOf(m_children[std::size_t(row)]) : QModelIndex();
    const std::int32_t id = NodeId(parent);
    if (id < 0)
        return {};
    const TNode& node = m_nodes[std::size_t(id)];
    if (row >= node.ChildCount)
        return {};
    return createIndex(row, 0, quintptr(m_children[std::size_t(node.FirstChild + row)]));
}

QModelIndex TObjectTreeModel::parent(const QModelIndex& child) const
{
    const std::int32_t id = NodeId(child);
    return id < 0 ? QModelIndex() : IndexOf(m_nodes[std::size_t(id)].Parent);
}

int TObjectTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return m_topCount;
    if (parent.column() != 0)
        return 0;
    const std::int32_t id = NodeId(parent);
    return id < 0 ? 0 : m_nodes[std::size_t(id)].ChildCount;
}

int TObjectTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool TObjectTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant TObjectTreeModel::data(const QModelIndex& index, int role) const
{
    const std::int32_t id = NodeId(index);
    if (id < 0)
        return {};
    const TNode& node = m_nodes[std::size_t(id)];
    switch (role) {
    case Qt::DisplayRole:
        return NodeCaption(node);
    case Qt::DecorationRole:
        if (node.State >= kFirstStateImage && node.State <= kLastStateImage)
            return StateIcons()[std::size_t(node.State)];
        return {};
    case Qt::ToolTipRole: {
        const TDefaultItem* item = Item(index);
        const QString tip =
            StateToolTip(node.State, item != nullptr && item->ObjectState == node.State);
        return tip.isEmpty() ? QVariant() : QVariant(tip);
    }
    case Qt::StatusTipRole:
        // The node's hint: its item's display text.
        if (const TDefaultItem* item = Item(index))
            return QString::fromStdString(item->GetDisplayText());
        return {};
    case StateRole:
        return node.State;
    default:
        return {};
    }
}

Qt::ItemFlags TObjectTreeModel::flags(const QModelIndex& index) const
{
    if (NodeId(index) < 0)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (Item(index) != nullptr)
        flags |= Qt::ItemIsDragEnabled;
    return flags;
}

QStringList TObjectTreeModel::mimeTypes() const
{
    return {kNodeMimeType};
}

Qt::DropActions TObjectTreeModel::supportedDragActions() const
{
    return Qt::CopyAction;
}

QMimeData* TObjectTreeModel::mimeData(const QModelIndexList& indexes) const
{
    for (const QModelIndex& index : indexes) {
        const TDefaultItem* item = Item(index);
        if (item == nullptr)
            continue;
        // The view takes ownership of the data it asked for.
        auto* data = new QMimeData;
        data->setData(kNodeMimeType, QStringLiteral("%1:%2:%3")
                                         .arg(quintptr(this))
                                         .arg(m_generation)
                                         .arg(index.internalId())
                                         .toLatin1());
        data->setText(QString::fromStdString(item->ObjectText));
        return data;
    }
    return nullptr;
}

TDefaultItem* TObjectTreeModel::ItemFromMimeData(const QMimeData* data) const
{
    if (data == nullptr || !data->hasFormat(kNodeMimeType))
        return nullptr;
    const QList<QByteArray> parts = data->data(kNodeMimeType).split(':');
    if (parts.size() != 3 || parts[0].toULongLong() != quintptr(this) ||
        parts[1].toULongLong() != m_generation)
        return nullptr;
    bool ok = false;
    const qulonglong id = parts[2].toULongLong(&ok);
    if (!ok || id >= m_nodes.size())
        return nullptr;
    return Item(createIndex(m_nodes[std::size_t(id)].Row, 0, quintptr(id)));
}

} // namespace quorvex
