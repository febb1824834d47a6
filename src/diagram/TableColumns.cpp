#include "TableColumns.h"

#include "DiagramFont.h"
#include "FieldMask.h"
#include "TGDBTable.h"
#include "dictionary/DatabaseSession.h"
#include "model/ConstraintItem.h"
#include "model/ObjectItem.h"

#include <algorithm>
#include <cctype>

namespace quorvex {

namespace {

std::string Field(const TQuery& query, std::string_view name)
{
    const int index = query.FieldIndex(name);
    return index < 0 ? std::string() : query.AsText(index);
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Oracle keeps a default as typed, often with a trailing line break.
std::string TrimRight(std::string text)
{
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    return text;
}

std::string DatabaseRow(const TQuery& query, const TGDBTable& table)
{
    const std::string name = Field(query, "COLUMN_NAME");
    const std::string type = Lower(Field(query, "DATA_TYPE"));
    const std::string precision = Field(query, "DATA_PRECISION");
    std::string scale = Field(query, "DATA_SCALE");
    if (!scale.empty())
        scale.insert(0, ",");
    std::string row = name + "=" + type;
    if (precision.empty() && scale.empty()) {
        if (type != "date" && type != "long")
            row += "(" + Field(query, "DATA_LENGTH") + ")";
    } else {
        row += "(" + precision + scale + ")";
    }
    const std::string nullable = Field(query, "NULLABLE");
    if (nullable.empty() || std::string_view("YyTt").find(nullable[0]) == std::string_view::npos)
        row += " NOT NULL";
    const std::string defaultValue = TrimRight(Field(query, "DATA_DEFAULT"));
    if (!defaultValue.empty())
        row += " <" + defaultValue + ">";
    if (table.IsKeyColumn(name))
        row += ",KEY";
    return row;
}

} // namespace

std::string QuoteLiteral(std::string_view name)
{
    std::string quoted;
    quoted.reserve(name.size());
    for (const char c : name) {
        quoted += c;
        if (c == '\'')
            quoted += '\'';
    }
    return quoted;
}

void LoadModelColumns(TGDBTable& table, const TObjectItem& object)
{
    table.PrimaryKeyText.clear();
    std::string keyName;
    if (const TConstraintList* constraints = object.ConstraintsIfAny()) {
        for (int i = 0; i < constraints->Count(); ++i) {
            const TConstraintItem& constraint = *constraints->Items(i);
            if (constraint.ConstType == ConstraintTypes::PrimaryKey)
                keyName = constraint.ObjectName;
        }
    }
    if (!keyName.empty()) {
        if (const TIndexList* indexes = object.IndexesIfAny()) {
            for (int i = 0; i < indexes->Count(); ++i) {
                if (indexes->Items(i)->ObjectName == keyName)
                    table.PrimaryKeyText = indexes->Items(i)->IndexFields;
            }
        }
    }
    table.m_modelRows = 0;
    table.m_rowWidth = 0;
    const TFieldList* fields = object.FieldsIfAny();
    if (fields == nullptr)
        return;
    for (int i = 0; i < fields->Count(); ++i) {
        const TFieldItem& field = *fields->Items(i);
        if (!field.CommentText.empty())
            table.ColumnComments.push_back(field.FieldName + "=" + std::string(field.CommentText));
    }
    // A mask that does not fit stops here, leaving the rows formatted before it.
    for (int i = 0; i < fields->Count(); ++i) {
        const std::string row = ModelRow(table, *fields->Items(i));
        table.m_rowWidth = std::max(table.m_rowWidth, DiagramTextWidth(TGDBTable::RowText(row)));
        table.m_modelRows = i + 1;
    }
}

std::string ModelRow(const TGDBTable& table, const TFieldItem& field)
{
    const std::string type = field.TypeText();
    TFieldMaskArgs args;
    args.No = field.FieldNo;
    args.Texts = {field.FieldName, field.DefaultVal.View(), type,
                  table.IsKeyColumn(field.FieldName) ? "[Key]" : "", field.CommentText.View()};
    return field.FieldName + "=" + FormatFieldMask(table.ShowMask(), args);
}

void LoadDatabaseColumns(TGDBTable& table, TQuery& query)
{
    const std::string name = QuoteLiteral(table.TableName());
    table.PrimaryKeyText.clear();
    query.ClearSQL();
    query.AddSQL("SELECT COLUMN_NAME FROM USER_CONSTRAINTS UC,USER_CONS_COLUMNS UCC");
    query.AddSQL("WHERE UC.TABLE_NAME = '" + name + "' ");
    query.AddSQL("AND UC.CONSTRAINT_TYPE = 'P' ");
    query.AddSQL("AND UC.CONSTRAINT_NAME = UCC.CONSTRAINT_NAME ");
    {
        const TQueryCloser closer(query);
        query.Open();
        for (; !query.Eof(); query.Next()) {
            if (!table.PrimaryKeyText.empty())
                table.PrimaryKeyText += ',';
            table.PrimaryKeyText += Field(query, "COLUMN_NAME");
        }
    }

    query.ClearSQL();
    query.AddSQL("SELECT * FROM USER_TAB_COLUMNS WHERE TABLE_NAME = '" + name +
                 "' ORDER BY COLUMN_ID");
    {
        const TQueryCloser closer(query);
        query.Open();
        for (; !query.Eof(); query.Next())
            table.ColumnLines.push_back(DatabaseRow(query, table));
    }

    query.ClearSQL();
    query.AddSQL("SELECT COLUMN_NAME,COMMENTS FROM USER_COL_COMMENTS WHERE TABLE_NAME = '" + name +
                 "' ");
    const TQueryCloser closer(query);
    query.Open();
    for (; !query.Eof(); query.Next()) {
        const std::string column = query.AsText(0);
        const std::string comment = query.FieldCount() > 1 ? query.AsText(1) : std::string();
        if (comment.empty())
            continue;
        table.ColumnComments.push_back(column + "=" + comment);
        const std::string prefix = column + "=";
        const auto row = std::find_if(
            table.ColumnLines.begin(), table.ColumnLines.end(),
            [&](const std::string& line) { return line.compare(0, prefix.size(), prefix) == 0; });
        if (row != table.ColumnLines.end())
            *row += '+';
    }
}

bool ReadTableComment(TQuery& query, const std::string& tableName, std::string& comment)
{
    query.ClearSQL();
    query.AddSQL("SELECT * FROM USER_TAB_COMMENTS WHERE TABLE_NAME = '" + QuoteLiteral(tableName) +
                 "'");
    const TQueryCloser closer(query);
    query.Open();
    if (query.Eof())
        return false;
    comment = Field(query, "COMMENTS");
    return true;
}

} // namespace quorvex
