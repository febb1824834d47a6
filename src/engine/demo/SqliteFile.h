#pragma once

#include <string>

struct sqlite3;

namespace quorvex {

// An SQLite database file opened for reading and writing (created when missing), closed on
// destruction. Runs SQL scripts; every failure is an Exception naming the file and, for a
// script, the line where the failing statement starts.
class SqliteFile {
public:
    explicit SqliteFile(const std::string& fileName);
    ~SqliteFile();
    SqliteFile(const SqliteFile&) = delete;
    SqliteFile& operator=(const SqliteFile&) = delete;

    // Runs every statement of the script in order.
    void Execute(const std::string& script);
    // Runs the script inside one transaction; on failure nothing of it stays.
    void ExecuteInTransaction(const std::string& script);

    sqlite3* Handle() const { return m_db; }
    const std::string& FileName() const { return m_fileName; }

private:
    [[noreturn]] void Fail(const std::string& what) const;

    sqlite3* m_db = nullptr;
    std::string m_fileName;
};

} // namespace quorvex
