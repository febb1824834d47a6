#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// The one place where an Oracle statement becomes the statement an SQLite database runs:
// every statement of the embedded engine, and of ODBC connections that reach SQLite, passes
// through Prepare. It translates names, SYSDATE and (+) joins (sql::TranslateForSqlite), gives
// || Oracle's null handling and turns CONNECT BY queries into recursive queries; the
// statements SQLite lacks altogether are emulated by emulation::TEmbeddedStatements.
class TSqliteStatementPreparer {
public:
    // Raises an Exception when the statement cannot be expressed for SQLite.
    std::string Prepare(std::string_view oracleSql) const;
};

} // namespace quorvex
