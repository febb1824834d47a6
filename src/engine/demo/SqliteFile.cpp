#include "SqliteFile.h"

#include "persistence/Exceptions.h"

#include <algorithm>
#include <sqlite3.h>

namespace quorvex {

SqliteFile::SqliteFile(const std::string& fileName)
    : m_fileName(fileName)
{
    const int rc = sqlite3_open_v2(fileName.c_str(), &m_db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        // The handle exists even after a failed open and carries the message.
        const std::string message = m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc);
        sqlite3_close(m_db);
        m_db = nullptr;
        throw Exception("Cannot open " + fileName + ": " + message);
    }
    sqlite3_extended_result_codes(m_db, 1);
}

SqliteFile::~SqliteFile()
{
    sqlite3_close(m_db);
}

void SqliteFile::Fail(const std::string& what) const
{
    throw Exception(m_fileName + ": " + what + sqlite3_errmsg(m_db));
}

namespace {

// The line (from 1) where the statement starting at or after `from` begins: blanks and
// comments before it are skipped.
long LineOfStatement(const char* begin, const char* from, const char* end)
{
    const char* p = from;
    while (p < end) {
        if (*p == ' ' || *p == '\n' || *p == '\r' || *p == '\t') {
            ++p;
        } else if (end - p >= 2 && p[0] == '-' && p[1] == '-') {
            while (p < end && *p != '\n') {
                ++p;
            }
        } else if (end - p >= 2 && p[0] == '/' && p[1] == '*') {
            p += 2;
            while (end - p >= 2 && !(p[0] == '*' && p[1] == '/')) {
                ++p;
            }
            p = std::min(p + 2, end);
        } else {
            break;
        }
    }
    return 1 + static_cast<long>(std::count(begin, p, '\n'));
}

} // namespace

void SqliteFile::Execute(const std::string& script)
{
    const char* const begin = script.c_str();
    const char* const end = begin + script.size();
    const char* next = begin;
    while (next < end) {
        sqlite3_stmt* statement = nullptr;
        const char* tail = nullptr;
        const char* const start = next;
        if (sqlite3_prepare_v2(m_db, next, static_cast<int>(end - next), &statement, &tail) !=
            SQLITE_OK) {
            Fail("line " + std::to_string(LineOfStatement(begin, start, end)) + ": ");
        }
        next = tail;
        if (statement == nullptr) {
            continue; // only blanks or comments were left
        }
        int step = SQLITE_ROW;
        while (step == SQLITE_ROW) {
            step = sqlite3_step(statement);
        }
        if (step != SQLITE_DONE) {
            // The message belongs to the statement; read it before finalizing.
            const std::string message = sqlite3_errmsg(m_db);
            sqlite3_finalize(statement);
            throw Exception(m_fileName + ": line " +
                            std::to_string(LineOfStatement(begin, start, end)) + ": " + message);
        }
        sqlite3_finalize(statement);
    }
}

void SqliteFile::ExecuteInTransaction(const std::string& script)
{
    Execute("BEGIN");
    try {
        Execute(script);
        Execute("COMMIT");
    } catch (...) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

} // namespace quorvex
