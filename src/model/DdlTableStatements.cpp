#include "DdlTableStatements.h"

#include "ConstraintItem.h"
#include "DdlColumnType.h"
#include "DdlNames.h"
#include "ObjectList.h"
#include "ObjectState.h"
#include "OwnerList.h"
#include "persistence/Exceptions.h"

#include <algorithm>
#include <vector>

namespace quorvex::ddl {

namespace {

std::vector<const TConstraintItem*> ConstraintsOf(const TObjectItem& object)
{
    std::vector<const TConstraintItem*> constraints;
    if (const TConstraintList* list = object.ConstraintsIfAny()) {
        for (int i = 0; i < list->Count(); ++i)
            constraints.push_back(list->Items(i));
    }
    return constraints;
}

std::vector<std::string> SplitColumns(std::string_view text)
{
    std::vector<std::string> columns;
    while (!text.empty()) {
        const size_t comma = text.find(',');
        std::string_view column = text.substr(0, comma);
        while (column.starts_with(' '))
            column.remove_prefix(1);
        columns.emplace_back(column);
        text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
    }
    return columns;
}

// "A, B DESC": the names quoted as needed; an index's DESC mark kept after its name.
std::string ColumnList(std::string_view text, bool descMarks)
{
    std::string list;
    for (std::string column : SplitColumns(text)) {
        constexpr std::string_view desc = " DESC";
        const bool descending = column.ends_with(desc);
        if (descending)
            column.resize(column.size() - desc.size());
        if (!list.empty())
            list += ", ";
        list += QuotedName(column);
        if (descending && descMarks)
            list += desc;
    }
    return list;
}

// Every constraint keeps its name, the ones Oracle made up (SYS_C...) too: a schema rebuilt from
// the script then compares equal to the one it came from.
std::string NamePart(const TConstraintItem& constraint)
{
    return "CONSTRAINT " + QuotedName(constraint.ObjectName) + " ";
}

std::string StatePart(const TConstraintItem& constraint)
{
    return constraint.ObjectState == ObjectStates::Disabled ? " DISABLE" : "";
}

const TFieldItem* Column(const TObjectItem& table, std::string_view name)
{
    if (const TFieldList* fields = table.FieldsIfAny()) {
        for (int i = 0; i < fields->Count(); ++i) {
            if (fields->Items(i)->FieldName == name)
                return fields->Items(i);
        }
    }
    return nullptr;
}

bool Mandatory(const TObjectItem& table, std::string_view column)
{
    const TFieldItem* field = Column(table, column);
    return field != nullptr && field->Null > 0;
}

// The column a NOT NULL constraint is on: a NOT NULL one's column, or the column of an old-style
// generated check of the same meaning ("C" IS NOT NULL); empty for any other constraint.
std::string_view NotNullColumn(const TConstraintItem& constraint)
{
    if (constraint.ConstType == ConstraintTypes::NotNull)
        return constraint.RefFields;
    if (constraint.ConstType != ConstraintTypes::Check || !IsGeneratedName(constraint.ObjectName))
        return {};
    const std::string_view condition = constraint.Condition;
    constexpr std::string_view tail = " IS NOT NULL";
    if (!condition.ends_with(tail))
        return {};
    std::string_view column = condition.substr(0, condition.size() - tail.size());
    if (column.size() > 2 && column.starts_with('"') && column.ends_with('"'))
        column = column.substr(1, column.size() - 2);
    return column;
}

// A NOT NULL constraint the column's NOT NULL in CREATE TABLE makes again: an enabled one on a
// mandatory column.
bool MadeByColumn(const TObjectItem& table, const TConstraintItem& constraint)
{
    const std::string_view column = NotNullColumn(constraint);
    return !column.empty() && constraint.ObjectState != ObjectStates::Disabled &&
           Mandatory(table, column);
}

// The key's column names: its own, else those of the index of its name that Oracle made for
// it; empty when the model has neither.
std::vector<std::string> KeyColumnNames(const TObjectItem& table, const TConstraintItem& key)
{
    if (!key.RefFields.empty())
        return SplitColumns(key.RefFields);
    std::vector<std::string> names;
    const TIndexList* indexes = table.IndexesIfAny();
    for (int i = 0; indexes != nullptr && i < indexes->Count() && names.empty(); ++i) {
        if (indexes->Items(i)->ObjectName == key.ObjectName)
            names = SplitColumns(indexes->Items(i)->IndexFields);
    }
    for (std::string& name : names) {
        if (name.ends_with(" DESC"))
            name.resize(name.size() - 5);
    }
    return names;
}

std::string JoinedNames(const std::vector<std::string>& names)
{
    std::string list;
    for (const std::string& name : names)
        list += (list.empty() ? "" : ", ") + QuotedName(name);
    return list;
}

std::string KeyColumns(const TObjectItem& table, const TConstraintItem& key)
{
    const std::vector<std::string> names = KeyColumnNames(table, key);
    if (names.empty())
        throw Exception("The key " + key.ObjectName + " of table " + table.ObjectName +
                        " has no columns in the model");
    return JoinedNames(names);
}

std::string ColumnText(const TObjectItem& table, const TFieldItem& field)
{
    std::string text = "  " + QuotedName(field.FieldName) + " " + ColumnTypeText(field);
    std::string_view defaultText = field.DefaultVal;
    while (!defaultText.empty() && (defaultText.back() == ' ' || defaultText.back() == '\n' ||
                                    defaultText.back() == '\r' || defaultText.back() == '\t'))
        defaultText.remove_suffix(1);
    if (!defaultText.empty())
        text.append(" DEFAULT ").append(defaultText);
    if (field.Null <= 0)
        return text;
    // The column's NOT NULL constraint keeps its name: a NOT NULL one first, else an old-style
    // generated check of the same meaning.
    for (const bool notNullKind : {true, false}) {
        for (const TConstraintItem* constraint : ConstraintsOf(table)) {
            if ((constraint->ConstType == ConstraintTypes::NotNull) == notNullKind &&
                NotNullColumn(*constraint) == field.FieldName && MadeByColumn(table, *constraint))
                return text + " " + NamePart(*constraint) + "NOT NULL";
        }
    }
    // Oracle marks a primary key's columns mandatory without a NOT NULL constraint of their
    // own: the key, added later, marks them again, and a NOT NULL here would add one.
    for (const TConstraintItem* constraint : ConstraintsOf(table)) {
        if (constraint->ConstType == ConstraintTypes::PrimaryKey &&
            constraint->ObjectState != ObjectStates::Disabled) {
            const std::vector<std::string> keyColumns = KeyColumnNames(table, *constraint);
            if (std::find(keyColumns.begin(), keyColumns.end(), field.FieldName) !=
                keyColumns.end())
                return text;
        }
    }
    return text + " NOT NULL";
}

bool IsKeyIndex(const TObjectItem& table, const TIndexItem& index)
{
    for (const TConstraintItem* constraint : ConstraintsOf(table)) {
        if ((constraint->ConstType == ConstraintTypes::PrimaryKey ||
             constraint->ConstType == ConstraintTypes::UniqueKey) &&
            constraint->ObjectName == index.ObjectName)
            return true;
    }
    return false;
}

} // namespace

TDdlContext::TDdlContext(const TObjectList& objects, const TOwnerList& owners,
                         std::optional<std::int32_t> ownerNo)
    : m_ownerNo(ownerNo)
{
    for (int i = 0; i < owners.Count(); ++i)
        m_ownerNames.emplace(owners.Items(i)->OwnerNo, owners.Items(i)->OwnerName);
    for (int i = 0; i < objects.Count(); ++i) {
        const TObjectItem* object = objects.Items(i);
        m_objects.emplace(object->ObjectNo, object);
        for (const TConstraintItem* constraint : ConstraintsOf(*object)) {
            if (constraint->ConstNo != 0)
                m_constraints.emplace(constraint->ConstNo, constraint);
        }
    }
}

std::string TDdlContext::Qualified(std::int32_t ownerNo, std::string_view name) const
{
    if (m_ownerNo && ownerNo == *m_ownerNo)
        return QuotedName(name);
    const auto owner = m_ownerNames.find(ownerNo);
    return QualifiedName(owner == m_ownerNames.end() ? std::string_view() : owner->second, name);
}

std::string TDdlContext::Name(const TObjectItem& object) const
{
    return Qualified(object.OwnerNo, object.ObjectName);
}

std::string TDdlContext::OwnerName(std::int32_t ownerNo) const
{
    const auto found = m_ownerNames.find(ownerNo);
    return found == m_ownerNames.end() ? std::string() : found->second;
}

std::string TDdlContext::NameOfOwner(std::string_view owner, std::string_view name) const
{
    const auto own = m_ownerNo ? m_ownerNames.find(*m_ownerNo) : m_ownerNames.end();
    return own != m_ownerNames.end() && own->second == owner ? QuotedName(name)
                                                             : QualifiedName(owner, name);
}

std::string TDdlContext::NameBeside(const TObjectItem& of, std::string_view name) const
{
    return Qualified(of.OwnerNo, name);
}

const TObjectItem* TDdlContext::Object(std::int32_t objectNo) const
{
    const auto found = m_objects.find(objectNo);
    return found == m_objects.end() ? nullptr : found->second;
}

const TConstraintItem* TDdlContext::Constraint(std::int32_t constNo) const
{
    const auto found = m_constraints.find(constNo);
    return found == m_constraints.end() ? nullptr : found->second;
}

std::string CreateTableText(const TDdlContext& context, const TObjectItem& table)
{
    const TFieldList* fields = table.FieldsIfAny();
    if (fields == nullptr || fields->Count() == 0)
        throw Exception("The table " + table.ObjectName + " has no columns in the model");
    std::string text = "CREATE TABLE " + context.Name(table) + " (\n";
    for (int i = 0; i < fields->Count(); ++i)
        text += ColumnText(table, *fields->Items(i)) + (i + 1 < fields->Count() ? ",\n" : "\n");
    return text + ");\n";
}

std::string KeysText(const TDdlContext& context, const TObjectItem& table)
{
    std::string text;
    for (const TConstraintItem* key : ConstraintsOf(table)) {
        if (key->ConstType != ConstraintTypes::PrimaryKey &&
            key->ConstType != ConstraintTypes::UniqueKey)
            continue;
        text += "ALTER TABLE " + context.Name(table) + " ADD " + NamePart(*key) +
                (key->ConstType == ConstraintTypes::PrimaryKey ? "PRIMARY KEY (" : "UNIQUE (") +
                KeyColumns(table, *key) + ")" + StatePart(*key) + ";\n";
    }
    return text;
}

std::string IndexesText(const TDdlContext& context, const TObjectItem& table)
{
    std::string text;
    const TIndexList* indexes = table.IndexesIfAny();
    for (int i = 0; indexes != nullptr && i < indexes->Count(); ++i) {
        const TIndexItem& index = *indexes->Items(i);
        // The key made its index already.
        if (IsKeyIndex(table, index))
            continue;
        text += "CREATE INDEX " + context.NameBeside(table, index.ObjectName) + " ON " +
                context.Name(table) + " (" + ColumnList(index.IndexFields, true) + ");\n";
    }
    return text;
}

std::string ChecksText(const TDdlContext& context, const TObjectItem& table)
{
    std::string text;
    for (const TConstraintItem* check : ConstraintsOf(table)) {
        if (MadeByColumn(table, *check))
            continue;
        if (check->ConstType == ConstraintTypes::Check)
            text += "ALTER TABLE " + context.Name(table) + " ADD " + NamePart(*check) + "CHECK (" +
                    std::string(check->Condition) + ")" + StatePart(*check) + ";\n";
        else if (check->ConstType == ConstraintTypes::NotNull)
            text += "ALTER TABLE " + context.Name(table) + " MODIFY (" +
                    QuotedName(check->RefFields) + " " + NamePart(*check) + "NOT NULL" +
                    StatePart(*check) + ");\n";
    }
    return text;
}

std::string ForeignKeysText(const TDdlContext& context, const TObjectItem& table)
{
    std::string text;
    for (const TConstraintItem* key : ConstraintsOf(table)) {
        if (key->ConstType != ConstraintTypes::ForeignKey)
            continue;
        if (key->RefFields.empty())
            throw Exception("The foreign key " + key->ObjectName + " of table " + table.ObjectName +
                            " has no columns in the model");
        const TObjectItem* parent = context.Object(key->RefObjectNo);
        const TConstraintItem* parentKey = context.Constraint(key->RefConstNo);
        text += "ALTER TABLE " + context.Name(table) + " ADD " + NamePart(*key) + "FOREIGN KEY (" +
                ColumnList(key->RefFields, false) + ") REFERENCES " +
                (parent != nullptr ? context.Name(*parent) : QuotedName(key->RefObjName));
        // Without the parent's key, Oracle takes the parent's primary key.
        if (parent != nullptr && parentKey != nullptr) {
            if (const auto names = KeyColumnNames(*parent, *parentKey); !names.empty())
                text += " (" + JoinedNames(names) + ")";
        }
        text += std::string(key->RefAct ? " ON DELETE CASCADE" : "") + StatePart(*key) + ";\n";
    }
    return text;
}

std::string ViewOptionText(const TObjectItem& view)
{
    for (const TConstraintItem* option : ConstraintsOf(view)) {
        const std::string name = " CONSTRAINT " + QuotedName(option->ObjectName);
        if (option->ConstType == ConstraintTypes::ViewCheck)
            return "\nWITH CHECK OPTION" + name;
        if (option->ConstType == ConstraintTypes::ReadOnly)
            return "\nWITH READ ONLY" + name;
    }
    return {};
}

} // namespace quorvex::ddl
