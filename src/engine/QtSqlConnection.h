#pragma once

#include "BackendConnection.h"
#include "QtDatabase.h"
#include "SqliteStatementPreparer.h"

#include <string>

namespace quorvex {

// Where a Qt SQL driver connects to.
struct TQtSqlTarget {
    QString Driver;       // "QOCI" or "QODBC"
    QString DatabaseName; // OCI: connect descriptor; ODBC: DSN or connection string
};

// A connection through a Qt SQL driver: Oracle over OCI or ODBC. SQL is sent as it is, unless
// the ODBC data source turns out to be SQLite (an embedded database folder reached through the
// SQLite ODBC driver): then statements are translated like the embedded engine's, and a folder
// holding SYS.sqlite gets its schema files attached and a DUAL table.
class TQtSqlConnection final : public TBackendConnection {
public:
    // Opens with the user and password; an Exception with the driver's message when refused.
    TQtSqlConnection(const TQtSqlTarget& target, const std::string& user,
                     const std::string& password);

    std::unique_ptr<TCursor> OpenCursor(const TStatementRequest& request) override;
    void Execute(const TStatementRequest& request) override;
    bool IsSqlite() const override { return m_sqlite; }

private:
    bool ProbeSqlite();
    void PrepareSqliteFolder(const std::string& user);
    TBoundStatement Bind(const TStatementRequest& request) const;

    TQtDatabase m_database;
    bool m_sqlite = false;
    TSqliteStatementPreparer m_preparer;
};

} // namespace quorvex
