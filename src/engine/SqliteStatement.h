#pragma once

#include "StatementParams.h"

#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace quorvex {

// One prepared SQLite statement, finalized on destruction. Every failure is an Exception
// carrying sqlite3_errmsg verbatim.
class TSqliteStatement {
public:
    // Prepares the first statement of sql; when tail is given it receives the rest of the text.
    // A text of only blanks and comments gives an empty statement.
    TSqliteStatement(sqlite3* db, std::string_view sql, std::string_view* tail = nullptr);
    ~TSqliteStatement();
    TSqliteStatement(const TSqliteStatement&) = delete;
    TSqliteStatement& operator=(const TSqliteStatement&) = delete;

    bool IsEmpty() const { return m_statement == nullptr; }
    sqlite3_stmt* Handle() const { return m_statement; }

    // Binds values[first...] to the statement's parameters; returns how many it took.
    size_t Bind(const std::vector<TParamValue>& values, size_t first = 0);
    // True on a row, false when done.
    bool Step();

private:
    [[noreturn]] void Fail() const;

    sqlite3* m_db;
    sqlite3_stmt* m_statement = nullptr;
};

} // namespace quorvex
