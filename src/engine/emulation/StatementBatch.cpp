#include "engine/emulation/StatementBatch.h"

#include "engine/emulation/Dictionary.h"
#include "engine/sql/StatementClassifier.h"
#include "persistence/Exceptions.h"

#include <sqlite3.h>
#include <utility>

namespace quorvex::emulation {

namespace {

constexpr int kMaxPending = 500;
constexpr std::chrono::seconds kMaxDelay(2);
// The leading keywords are found within this many bytes (comments before them included), so
// that a long package body is not read twice in full.
constexpr size_t kLeadingBytes = 4096;

// Statements that end, begin or undo transactions themselves, or attach and detach schema files
// (which SQLite refuses inside a transaction).
bool RunsAlone(std::string_view statement)
{
    using sql::TStatementKind;
    switch (sql::ClassifyStatement(statement)) {
    case TStatementKind::Call:
    case TStatementKind::Commit:
    case TStatementKind::Rollback:
        return true;
    case TStatementKind::CreateOther:
    case TStatementKind::Alter:
    case TStatementKind::Drop: {
        const TStatementTokens t(statement.substr(0, kLeadingBytes));
        return t.IsKeyword(1, "USER");
    }
    case TStatementKind::Other: {
        // SQLite's own transaction statements, typed as they are.
        const TStatementTokens t(statement.substr(0, kLeadingBytes));
        return t.IsAnyKeyword(0, {"END", "SAVEPOINT", "RELEASE", "ATTACH", "DETACH", "VACUUM"});
    }
    default:
        return false;
    }
}

} // namespace

TStatementBatch::TStatementBatch(sqlite3* db)
    : m_db(db)
{
}

TStatementBatch::~TStatementBatch()
{
    // Work each statement reported done is kept when the connection closes mid-batch; a failure
    // here has no one left to tell.
    if (m_open && sqlite3_get_autocommit(m_db) == 0)
        sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr);
}

void TStatementBatch::Begin()
{
    m_active = true;
}

void TStatementBatch::End()
{
    m_active = false;
    Commit();
}

void TStatementBatch::Commit()
{
    if (!std::exchange(m_open, false))
        return; // a transaction begun by the user's own BEGIN stays the user's to end
    const int pending = std::exchange(m_pending, 0);
    if (sqlite3_get_autocommit(m_db) != 0)
        return;
    try {
        RunStatement(m_db, "COMMIT");
    } catch (const Exception& e) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw Exception(std::string(e.what()) + "; the work of the last " +
                        std::to_string(pending) + (pending == 1 ? " statement" : " statements") +
                        " could not be committed and was undone");
    }
}

void TStatementBatch::Run(std::string_view statement, const std::function<void()>& run)
{
    if (!m_active || RunsAlone(statement)) {
        Commit();
        run();
        return;
    }
    if (!m_open && sqlite3_get_autocommit(m_db) != 0) {
        RunStatement(m_db, "BEGIN");
        m_open = true;
        m_started = std::chrono::steady_clock::now();
    }
    RunStatement(m_db, "SAVEPOINT quorvex_statement");
    try {
        run();
    } catch (const Exception& e) {
        if (sqlite3_get_autocommit(m_db) != 0) {
            // Some failures (a full disk, an I/O error) make SQLite undo the whole transaction.
            const bool ours = std::exchange(m_open, false);
            const int lost = std::exchange(m_pending, 0);
            if (!ours || lost == 0)
                throw;
            throw Exception(std::string(e.what()) + "; the work of the " + std::to_string(lost) +
                            (lost == 1 ? " statement" : " statements") +
                            " run before it since the last commit was undone as well");
        }
        sqlite3_exec(m_db, "ROLLBACK TO quorvex_statement; RELEASE quorvex_statement", nullptr,
                     nullptr, nullptr);
        throw;
    }
    RunStatement(m_db, "RELEASE quorvex_statement");
    if (m_open &&
        (++m_pending >= kMaxPending || std::chrono::steady_clock::now() - m_started >= kMaxDelay))
        Commit();
}

} // namespace quorvex::emulation
