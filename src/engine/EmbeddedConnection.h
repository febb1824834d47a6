#pragma once

#include "BackendConnection.h"
#include "QtDatabase.h"

#include <memory>
#include <string>

struct sqlite3;

namespace quorvex {

namespace emulation {
class TEmbeddedStatements;
}

// The embedded engine: a folder of SQLite files, one per schema, opened on Qt's SQLite driver.
// The main database is in memory and holds DUAL; the login user's file is attached first, then
// SYS, then the other schemas as far as SQLite's attach limit allows, so that SYS."OBJ$" works
// and unqualified names find the login user's tables. Rows are read with the SQLite C API on
// the driver's handle; every statement goes through emulation::TEmbeddedStatements, which
// emulates what SQLite lacks.
class TEmbeddedConnection final : public TBackendConnection {
public:
    // Opens and checks the login against SYS."USER$" (ORA-01017 when refused).
    TEmbeddedConnection(const std::string& folder, const std::string& user,
                        const std::string& password);
    ~TEmbeddedConnection() override;

    std::unique_ptr<TCursor> OpenCursor(const TStatementRequest& request) override;
    void Execute(const TStatementRequest& request) override;
    std::vector<std::string> TakeNotices() override;
    void BeginBatch() override;
    void EndBatch() override;
    bool IsSqlite() const override { return true; }

private:
    void AttachSchemas(const std::string& folder, const std::string& user);

    TQtDatabase m_database;
    sqlite3* m_handle = nullptr;
    std::unique_ptr<emulation::TEmbeddedStatements> m_statements;
};

} // namespace quorvex
