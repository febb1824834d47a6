#include "SqliteCursor.h"

#include <initializer_list>
#include <sqlite3.h>

namespace quorvex {

TSqliteCursor::TSqliteCursor(sqlite3* db, const TBoundStatement& statement)
    : m_statement(db, statement.Sql)
{
    m_statement.Bind(statement.Values);
    if (!m_statement.IsEmpty())
        m_fieldCount = sqlite3_column_count(m_statement.Handle());
}

std::string TSqliteCursor::FieldName(int index) const
{
    const char* name = sqlite3_column_name(m_statement.Handle(), index);
    return name != nullptr ? name : "";
}

bool TSqliteCursor::IsLongText(int index) const
{
    const char* declared = sqlite3_column_decltype(m_statement.Handle(), index);
    if (declared == nullptr)
        return false;
    for (const char* type : {"LONG", "CLOB", "NCLOB"})
        if (sqlite3_stricmp(declared, type) == 0)
            return true;
    return false;
}

TFieldValue TSqliteCursor::Value(int index) const
{
    // One call into the statement per value: sqlite3_column_* each take the connection's
    // mutex, the value accessors do not. The connection is used from one thread only.
    sqlite3_value* column = sqlite3_column_value(m_statement.Handle(), index);
    TFieldValue value;
    switch (sqlite3_value_type(column)) {
    case SQLITE_INTEGER:
        value.Kind = TFieldValue::TKind::Integer;
        value.Integer = sqlite3_value_int64(column);
        break;
    case SQLITE_FLOAT:
        value.Kind = TFieldValue::TKind::Real;
        value.Real = sqlite3_value_double(column);
        break;
    case SQLITE_TEXT: {
        value.Kind = TFieldValue::TKind::Text;
        const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(column));
        value.Text = {text, static_cast<size_t>(sqlite3_value_bytes(column))};
        break;
    }
    case SQLITE_BLOB: {
        value.Kind = TFieldValue::TKind::Text;
        const auto* bytes = static_cast<const char*>(sqlite3_value_blob(column));
        value.Text = {bytes, static_cast<size_t>(sqlite3_value_bytes(column))};
        break;
    }
    default:
        break;
    }
    return value;
}

} // namespace quorvex
