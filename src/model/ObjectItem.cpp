#include "ObjectItem.h"

namespace quorvex {

namespace {

template <class List>
List& Obtain(std::unique_ptr<List>& list)
{
    if (!list)
        list = std::make_unique<List>();
    return *list;
}

template <class List>
void FreeIfEmpty(std::unique_ptr<List>& list)
{
    if (list && list->Count() == 0)
        list.reset();
}

// Appends copies of every item of `from` to `to`.
template <class List>
void AppendCopies(const List* from, List& (TObjectItem::*target)(), TObjectItem& self)
{
    if (from == nullptr)
        return;
    List& to = (self.*target)();
    // Counted once: when an object copies itself, `from` is `to` and grows as we append.
    const int count = from->Count();
    for (int i = 0; i < count; ++i)
        to.NewItem()->Assign(*from->Items(i));
}

} // namespace

TObjectItem::TObjectItem() = default;

TObjectItem::~TObjectItem() = default;

const TClassInfo& TObjectItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo(
        "TObjectItem", &TNameStateItem::StaticClass(), &CreateInstance<TObjectItem>,
        {OwnedObjectProp<TFieldList, &TObjectItem::FieldsIfAny, &TObjectItem::ObjectFields>(
             "ObjectFields"),
         OwnedObjectProp<TConstraintList, &TObjectItem::ConstraintsIfAny,
                         &TObjectItem::ObjectConstraints>("ObjectConstraints"),
         OwnedObjectProp<TTriggerList, &TObjectItem::TriggersIfAny, &TObjectItem::ObjectTriggers>(
             "ObjectTriggers"),
         OwnedObjectProp<TIndexList, &TObjectItem::IndexesIfAny, &TObjectItem::ObjectIndexes>(
             "ObjectIndexes"),
         TextProp<&TObjectItem::CommentText>("CommentText")});
    return info;
}

TFieldList& TObjectItem::ObjectFields()
{
    return Obtain(m_fields);
}

TConstraintList& TObjectItem::ObjectConstraints()
{
    return Obtain(m_constraints);
}

TTriggerList& TObjectItem::ObjectTriggers()
{
    return Obtain(m_triggers);
}

TIndexList& TObjectItem::ObjectIndexes()
{
    return Obtain(m_indexes);
}

void TObjectItem::Loaded()
{
    // A file holds all four sub-lists of every object, most of them empty. An absent list
    // behaves as an empty one (reading creates it, the writer and the report treat it as
    // empty), and a model of 100,000 objects would otherwise keep some 230,000 empty lists.
    FreeIfEmpty(m_fields);
    FreeIfEmpty(m_constraints);
    FreeIfEmpty(m_triggers);
    FreeIfEmpty(m_indexes);
}

void TObjectItem::Assign(const TStreamed& source)
{
    TNameStateItem::Assign(source);
    CopyPropertyByName(source, "CommentText");
    if (!source.InheritsFrom(TObjectItem::StaticClass()))
        return;
    const auto& other = static_cast<const TObjectItem&>(source);
    AppendCopies(other.FieldsIfAny(), &TObjectItem::ObjectFields, *this);
    AppendCopies(other.ConstraintsIfAny(), &TObjectItem::ObjectConstraints, *this);
    AppendCopies(other.TriggersIfAny(), &TObjectItem::ObjectTriggers, *this);
    AppendCopies(other.IndexesIfAny(), &TObjectItem::ObjectIndexes, *this);
}

void TObjectItem::Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                          const TItemTexts& own)
{
    const bool table = ObjectType == ObjectTypes::Table;
    if (table)
        report.Add(mark, " Source");
    TDefaultItem::Compare(other, report, mark, own);
    if (!table)
        return;
    auto* counterpart = other != nullptr && other->InheritsFrom(TObjectItem::StaticClass())
                            ? static_cast<TObjectItem*>(other)
                            : nullptr;
    if (other != nullptr) {
        // A sub-list present on either side is compared; the absent side's is created empty.
        TObjectItem empty;
        TObjectItem& theirs = counterpart != nullptr ? *counterpart : empty;
        if (m_fields || theirs.m_fields)
            ObjectFields().Compare(&theirs.ObjectFields(), report, mark);
        if (m_triggers || theirs.m_triggers)
            ObjectTriggers().Compare(&theirs.ObjectTriggers(), report, mark);
        if (m_indexes || theirs.m_indexes)
            ObjectIndexes().Compare(&theirs.ObjectIndexes(), report, mark);
        if (m_constraints || theirs.m_constraints)
            ObjectConstraints().Compare(&theirs.ObjectConstraints(), report, mark);
        return;
    }
    if (m_fields)
        m_fields->Compare(nullptr, report, mark);
    if (m_triggers)
        m_triggers->Compare(nullptr, report, mark);
    if (m_indexes)
        m_indexes->Compare(nullptr, report, mark);
    if (m_constraints)
        m_constraints->Compare(nullptr, report, mark);
}

std::string_view KindName(int objectType) noexcept
{
    switch (objectType) {
    case ObjectTypes::Index:
        return "Index";
    case ObjectTypes::Table:
        return "Table";
    case ObjectTypes::View:
        return "View";
    case ObjectTypes::Synonym:
        return "Synonym";
    case ObjectTypes::Sequence:
        return "Sequence";
    case ObjectTypes::Procedure:
        return "Procedure";
    case ObjectTypes::Function:
        return "Function";
    case ObjectTypes::PackageHeader:
        return "Package Header";
    case ObjectTypes::PackageBody:
        return "Package Body";
    case ObjectTypes::Trigger:
        return "Trigger";
    default:
        return {};
    }
}

std::string TObjectItem::ColumnListText() const
{
    std::string text;
    if (m_fields == nullptr)
        return text;
    std::string_view separator = "\r\n ";
    for (int i = 0; i < m_fields->Count(); ++i) {
        text += separator;
        text += m_fields->Items(i)->GetCreatingText();
        separator = "\r\n,";
    }
    return text;
}

std::string TObjectItem::GetCreatingText() const
{
    switch (ObjectType) {
    case ObjectTypes::Table:
        return "CREATE TABLE " + ObjectName + " (" + ColumnListText() + ");";
    case ObjectTypes::Synonym:
        return "CREATE SYNONYM " + ObjectName + ";";
    default:
        // Views, sequences, stored code, and indexes or triggers left in the object list:
        // the stored text unchanged.
        return ObjectText;
    }
}

std::string TObjectItem::GetKey() const
{
    return std::string(KindName(ObjectType)) + " : " + ObjectName;
}

std::string TObjectItem::GetDisplayText() const
{
    if (ObjectType == ObjectTypes::Table)
        return CommentText;
    return GetCreatingText();
}

} // namespace quorvex
