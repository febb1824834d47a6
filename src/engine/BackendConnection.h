#pragma once

#include "FieldValue.h"
#include "StatementParams.h"

#include <memory>
#include <string>

namespace quorvex {

// The rows of one running statement, read forward only.
class TCursor {
public:
    virtual ~TCursor() = default;

    // Moves to the next row (the first one on the first call); false when none is left.
    virtual bool Next() = 0;
    virtual int FieldCount() const = 0;
    virtual std::string FieldName(int index) const = 0;
    // The column holds long text (LONG, CLOB); false when the backend cannot tell.
    virtual bool IsLongText(int /*index*/) const { return false; }
    // The value of the current row; index is within FieldCount.
    virtual TFieldValue Value(int index) const = 0;
};

// One open connection of a backend. Failures are Exceptions carrying the database's message.
class TBackendConnection {
public:
    virtual ~TBackendConnection() = default;

    // Runs a statement and returns its rows, before the first one.
    virtual std::unique_ptr<TCursor> OpenCursor(const TStatementRequest& request) = 0;
    // Runs a statement without a result.
    virtual void Execute(const TStatementRequest& request) = 0;
    // The connection speaks SQLite (embedded, or SQLite reached through ODBC): statements are
    // translated, and Oracle's stored procedures do not exist.
    virtual bool IsSqlite() const = 0;
    // See TDatabaseSession::TakeNotices.
    virtual std::vector<std::string> TakeNotices() { return {}; }
    // See TDatabaseSession::BeginBatch.
    virtual void BeginBatch() {}
    virtual void EndBatch() {}
};

} // namespace quorvex
