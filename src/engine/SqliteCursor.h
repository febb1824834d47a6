#pragma once

#include "BackendConnection.h"
#include "SqliteStatement.h"

namespace quorvex {

// Rows of an SQLite statement read straight with sqlite3_step: the fastest way through the
// dictionary queries of the embedded engine.
class TSqliteCursor final : public TCursor {
public:
    TSqliteCursor(sqlite3* db, const TBoundStatement& statement);

    bool Next() override { return m_statement.Step(); }
    int FieldCount() const override { return m_fieldCount; }
    std::string FieldName(int index) const override;
    // From the declared type of a table column; an expression has none.
    bool IsLongText(int index) const override;
    TFieldValue Value(int index) const override;

private:
    TSqliteStatement m_statement;
    int m_fieldCount = 0;
};

} // namespace quorvex
