#pragma once

#include "engine/BackendConnection.h"
#include "engine/SqliteStatementPreparer.h"
#include "engine/emulation/Dictionary.h"
#include "engine/emulation/StatementBatch.h"

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct sqlite3;

namespace quorvex::emulation {

// Splits a text into its statements at the semicolons outside parentheses, quotes and
// comments. A PL/SQL block (BEGIN, DECLARE) or a CREATE TRIGGER/PROCEDURE/FUNCTION/PACKAGE
// runs to the end of the text, semicolons and all. Blank statements are left out; the
// semicolons are not part of the statements.
std::vector<std::string_view> SplitStatements(std::string_view text);

// The one place where the embedded engine decides how a statement runs: the statements SQLite
// does not know are emulated against the dictionary (EXPLAIN PLAN, ALTER ... COMPILE, DROP,
// CREATE TABLE/VIEW/INDEX, calls of the emulated stored procedures, anonymous blocks of SQL
// statements, COMMIT and ROLLBACK outside a transaction, ALTER TABLE, CREATE SEQUENCE/SYNONYM,
// COMMENT, and the statements that change nothing the schema model keeps); everything else is
// translated (TSqliteStatementPreparer) and run by SQLite as it is, its errors being SQLite's. At
// construction Oracle's functions and the login user's catalogue views are set up on the
// connection.
class TEmbeddedStatements {
public:
    TEmbeddedStatements(sqlite3* db, const std::string& folder, const std::string& loginUser);

    // The rows of the text's first statement; an emulated statement runs and gives no rows.
    std::unique_ptr<TCursor> OpenCursor(const TStatementRequest& request);
    // Runs every statement of the text in order.
    void Execute(const TStatementRequest& request);
    // Statements accepted without any effect since the last call, one text each.
    std::vector<std::string> TakeNotices() { return std::exchange(m_notices, {}); }
    // Execute runs its statements in this batch while it is active.
    TStatementBatch& Batch() { return m_batch; }

private:
    // True when the statement was emulated.
    bool Emulate(std::string_view statement, const TStatementRequest& request);
    // Runs one statement, emulated or by SQLite.
    void ExecuteOne(std::string_view statement, const TStatementRequest& request);

    sqlite3* m_db;
    TDictionary m_dictionary;
    TSqliteStatementPreparer m_preparer;
    std::vector<std::string> m_notices;
    TStatementBatch m_batch; // last: commits what is pending before the rest goes
};

} // namespace quorvex::emulation
