#include "SchemaReader.h"

#include "DatabaseSession.h"
#include "DictionaryQueries.h"
#include "ReadPhase.h"
#include "model/ObjectState.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quorvex {

namespace {

constexpr int kKeyFactor = 256; // column keys: object number × 256 + column number

std::int32_t Int32(TQuery& q, int column)
{
    return static_cast<std::int32_t>(q.AsInteger(column));
}

int ObjectStateFromStatus(std::int64_t status)
{
    return status == 0 || status == 1 ? ObjectStates::Normal : ObjectStates::Invalid;
}

bool IsReadObjectType(std::int64_t type)
{
    switch (type) {
    case 1:
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 11:
    case 12:
        return true;
    default:
        return false;
    }
}

// The column of `objectNo` numbered `fieldNo` in a column list sorted by object and column.
TFieldItem* FindColumn(const TFieldList& columns, std::int32_t objectNo, std::int32_t fieldNo)
{
    int low = 0;
    int high = columns.Count() - 1;
    while (low <= high) {
        const int probe = low + (high - low) / 2;
        TFieldItem* item = columns.Items(probe);
        if (item->ObjectNo == objectNo && item->FieldNo == fieldNo)
            return item;
        if (item->ObjectNo < objectNo || (item->ObjectNo == objectNo && item->FieldNo < fieldNo))
            low = probe + 1;
        else
            high = probe - 1;
    }
    return nullptr;
}

} // namespace

void SortIfNeeded(TCleanList& list, TItemCompare compare)
{
    for (int i = 1; i < list.Count(); ++i) {
        if (compare(list.Items(i - 1), list.Items(i)) > 0) {
            list.Sort(compare);
            return;
        }
    }
}

int CompareObjectAndField(const TCleanItem* a, const TCleanItem* b)
{
    if (a == nullptr || b == nullptr)
        return CompareAbsent(a, b);
    const auto& x = static_cast<const TCommentItem&>(*a);
    const auto& y = static_cast<const TCommentItem&>(*b);
    if (x.ObjectNo != y.ObjectNo)
        return x.ObjectNo < y.ObjectNo ? -1 : 1;
    if (x.FieldNo != y.FieldNo)
        return x.FieldNo < y.FieldNo ? -1 : 1;
    return 0;
}

TSchemaReader::TSchemaReader(TDBNewOracle& root, TQuery& query, const TProgress& progress)
    : m_root(root)
    , m_query(query)
    , m_progress(progress)
    , m_hint(root.HintPrefix())
{
}

template <class Body>
void TSchemaReader::RunFillingPhase(TCleanList& target, Body body)
{
    try {
        body();
    } catch (const Exception&) {
        // A user without access to a dictionary table gets an empty part, not a message.
        target.Clear();
    }
    target.TrimCapacity();
}

void TSchemaReader::ReadOwners()
{
    TOwnerList& owners = m_root.Owners();
    RunFillingPhase(owners, [&] {
        TReadPhase phase(m_query, m_progress, "Reading Owners...");
        phase.SetText(queries::kOwners);
        if (m_root.Restricted())
            phase.AppendClause(std::string(queries::kOwnersRestriction) + m_root.UserNo);
        owners.Reserve(30);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            TOwnerItem* owner = owners.NewItem();
            owner->OwnerNo = Int32(m_query, 0);
            owner->OwnerName = m_query.AsText(1);
            owner->OID = owner->OwnerNo;
        }
    });
    Report(m_progress, "Sorting Owners...");
    owners.Sort(CompareOIDs);
}

void TSchemaReader::ReadObjects()
{
    TObjectList& objects = m_root.Objects();
    RunFillingPhase(objects, [&] {
        TReadPhase phase(m_query, m_progress, "Reading Objects...");
        phase.SetText(m_hint, queries::kObjects);
        if (m_root.Restricted())
            phase.AppendClause(std::string(queries::kObjectsRestriction) + m_root.UserNo);
        phase.AppendClause(queries::kObjectsOrder);
        objects.Reserve(2000);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            const std::int64_t type = m_query.AsInteger(2);
            if (!IsReadObjectType(type))
                continue;
            TObjectItem* object = objects.NewItem();
            object->OwnerNo = Int32(m_query, 4);
            object->ObjectNo = Int32(m_query, 0);
            object->ObjectName = m_query.AsText(1);
            object->ObjectType = static_cast<std::int32_t>(type);
            object->ObjectState = ObjectStateFromStatus(m_query.AsInteger(3));
            object->OID = object->ObjectNo;
        }
    });
    Report(m_progress, "Sorting Objects...");
    objects.Sort(CompareOIDs);
}

void TSchemaReader::ReadFields()
{
    RunFillingPhase(m_fields, [&] {
        TReadPhase phase(m_query, m_progress, "Reading Fields...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kFieldsRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kFieldsAll);
        }
        m_fields.Reserve(4000);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            TFieldItem* field = m_fields.NewItem();
            field->ObjectNo = Int32(m_query, 0);
            field->FieldNo = Int32(m_query, 1);
            field->FieldName = m_query.AsText(2);
            field->FieldType = Int32(m_query, 3);
            field->Length = Int32(m_query, 4);
            field->Precision = m_query.IsNull(5) ? -1 : Int32(m_query, 5);
            field->Scale = m_query.IsNull(6) ? -1 : Int32(m_query, 6);
            field->Null = Int32(m_query, 7);
            field->DefaultVal = m_query.AsText(8);
            // The stored key where it fits; lookups go by the (object, column) pair, so large
            // object numbers and column numbers of 256 and more lose nothing.
            CombinedKey(field->ObjectNo, kKeyFactor, field->FieldNo, field->OID);
        }
    });
    Report(m_progress, "Sorting Fields...");
    SortIfNeeded(m_fields, CompareObjectAndField);
}

void TSchemaReader::ReadComments()
{
    RunFillingPhase(m_comments, [&] {
        TReadPhase phase(m_query, m_progress, "Reading Comments...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kCommentsRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kCommentsAll);
        }
        m_comments.Reserve(500);
        phase.Open();
        for (; !m_query.Eof(); m_query.Next()) {
            TCommentItem* comment = m_comments.NewItem();
            comment->ObjectNo = Int32(m_query, 0);
            comment->FieldNo = Int32(m_query, 1); // null: a comment on the object itself
            comment->ObjectText = m_query.AsText(2);
            CombinedKey(comment->ObjectNo, kKeyFactor, comment->FieldNo, comment->OID);
        }
    });
    Report(m_progress, "Sorting Comments...");
    SortIfNeeded(m_comments, CompareObjectAndField);
}

void TSchemaReader::ReadConstraints()
{
    RunFillingPhase(m_constraints, [&] {
        TReadPhase phase(m_query, m_progress, "Reading Constraints...");
        if (m_root.Restricted()) {
            phase.SetText(m_hint, queries::kConstraintsRestricted);
            phase.BindUserNo(m_root.UserNo);
        } else {
            phase.SetText(m_hint, queries::kConstraintsAll);
        }
        m_constraints.Reserve(2000);
        phase.Open();
        while (!m_query.Eof()) {
            TConstraintItem* c = m_constraints.NewItem();
            c->ConstNo = Int32(m_query, 0);
            c->OID = c->ConstNo;
            c->ConstType = Int32(m_query, 1);
            c->ObjectName = m_query.AsText(2);
            c->Condition = m_query.AsText(4);
            c->RefAct = m_query.AsInteger(5) == 1;
            c->ObjectNo = Int32(m_query, 6);
            c->RefObjectNo = Int32(m_query, 7);
            c->RefConstNo = Int32(m_query, 8);
            c->OwnerNo = Int32(m_query, 9);
            c->RefRules = m_query.AsText(10);
            c->Match = Int32(m_query, 11);
            c->RefFields = m_query.AsText(12);
            c->RefObjName = m_query.AsText(13);
            if (c->ConstType == 5 || c->ConstType == 6)
                c->ObjectState = ObjectStates::Normal;
            else
                c->ObjectState = m_query.IsNull(3) ? ObjectStates::Disabled : ObjectStates::Normal;
            // Consecutive rows of one constraint add its further columns.
            for (m_query.Next(); !m_query.Eof() && m_query.AsInteger(0) == c->OID; m_query.Next())
                c->RefFields.append(",").append(m_query.AsText(12));
            c->ObjectText = c->GetDisplayText();
        }
    });
}

void TSchemaReader::AttachComments()
{
    Report(m_progress, "Attaching Comments...");
    TObjectList& objects = m_root.Objects();
    for (int i = 0; i < m_comments.Count(); ++i) {
        const TCommentItem* comment = m_comments.Items(i);
        if (comment->FieldNo == 0) {
            if (TObjectItem* object = objects.FindByOID(comment->ObjectNo))
                object->CommentText = comment->ObjectText;
        } else if (comment->FieldNo > 0) {
            if (TFieldItem* field = FindColumn(m_fields, comment->ObjectNo, comment->FieldNo))
                field->CommentText = comment->ObjectText;
        }
    }
}

void TSchemaReader::AttachFields()
{
    Report(m_progress, "Attaching Fields...");
    TObjectList& objects = m_root.Objects();
    // The columns are sorted by object and column number, so each object's columns form one
    // run: one lookup per run, and the run appended in order to a list reserved to its length
    // (the objects were created by this read, so their lists are empty). Columns of objects
    // not read are freed on leaving.
    std::vector<std::unique_ptr<TCleanItem>> columns = m_fields.TakeItems();
    const auto objectOf = [&](size_t i) { return static_cast<TFieldItem&>(*columns[i]).ObjectNo; };
    for (size_t first = 0; first < columns.size();) {
        const std::int32_t objectNo = objectOf(first);
        size_t end = first + 1;
        while (end < columns.size() && objectOf(end) == objectNo)
            ++end;
        if (TObjectItem* object = objects.FindByOID(objectNo)) {
            TFieldList& fields = object->ObjectFields();
            fields.Reserve(fields.Count() + static_cast<int>(end - first));
            for (size_t i = first; i < end; ++i)
                fields.Add(std::move(columns[i]));
        }
        first = end;
    }
}

void TSchemaReader::AttachConstraints()
{
    Report(m_progress, "Attaching Constraints...");
    TObjectList& objects = m_root.Objects();
    for (int i = m_constraints.Count() - 1; i >= 0; --i) {
        auto constraint = m_constraints.Delete(i);
        auto& c = static_cast<TConstraintItem&>(*constraint);
        if (TObjectItem* table = objects.FindByOID(c.ObjectNo)) {
            c.TableName = table->ObjectName;
            table->ObjectConstraints().Insert(0, std::move(constraint));
        }
    }
}

} // namespace quorvex
