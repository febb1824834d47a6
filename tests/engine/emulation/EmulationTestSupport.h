#pragma once

#include "DemoCopy.h"
#include "TestSupport.h"
#include "dictionary/DatabaseSession.h"
#include "engine/QtSession.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace quorvex::test {

using TextRow = std::vector<std::optional<std::string>>;
using TextRows = std::vector<TextRow>;

// The demo database, built once per test program; tests that change it work on a copy.

// A private copy of the demo database and a session logged in to it as one user.
class DemoSession {
public:
    DemoSession(const std::string& user, const std::string& password);
    ~DemoSession();
    DemoSession(const DemoSession&) = delete;
    DemoSession& operator=(const DemoSession&) = delete;

    TQtSession& Session() { return *m_session; }
    const std::string& Folder() const { return m_folder; }

    // Every row of a query as texts (nullopt for null), parameters parsed.
    TextRows Rows(std::string_view sql);
    // The first column of every row.
    std::vector<std::string> Column(std::string_view sql);
    // The single value of a query as an integer.
    long long Count(std::string_view sql);
    void Execute(std::string_view sql);
    // The message a statement fails with; empty when it runs.
    std::string ErrorOf(std::string_view sql);

private:
    TempDir m_dir;
    std::string m_folder;
    std::unique_ptr<TQtSession> m_session;
};

// An in-memory SQLite connection for tests of single rewriters and functions, closed on
// destruction.
class MemoryDatabase {
public:
    MemoryDatabase();
    ~MemoryDatabase();
    MemoryDatabase(const MemoryDatabase&) = delete;
    MemoryDatabase& operator=(const MemoryDatabase&) = delete;

    sqlite3* Handle() const { return m_db; }
    void Execute(const std::string& sql);
    TextRows Rows(const std::string& sql);
    // The single value of a query; nullopt for null. Raises std::runtime_error with SQLite's
    // message on failure.
    std::optional<std::string> Value(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

} // namespace quorvex::test
