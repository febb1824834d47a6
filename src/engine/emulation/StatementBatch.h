#pragma once

#include <chrono>
#include <functional>
#include <string_view>

struct sqlite3;

namespace quorvex::emulation {

// Runs a series of statements (a script) in a few large SQLite transactions instead of one
// each, so that their work reaches the disk in a few syncs rather than several syncs a
// statement. What each statement does is unchanged: it takes effect whole or not at all, as if
// run alone, and the statements that manage transactions or schema files themselves (COMMIT,
// ROLLBACK, blocks, calls, user statements) first
// commit what is pending and then run alone as before. Only the commit is delayed: pending work
// is committed after 500 statements or 2 seconds, at End, and at destruction. A transaction the
// user began (BEGIN TRANSACTION) is left for the user to end, batch or not.
class TStatementBatch {
public:
    explicit TStatementBatch(sqlite3* db);
    ~TStatementBatch();
    TStatementBatch(const TStatementBatch&) = delete;
    TStatementBatch& operator=(const TStatementBatch&) = delete;

    void Begin();
    // Commits what is pending. When that fails the pending statements are undone, and the
    // Exception says how many.
    void End();
    bool Active() const { return m_active; }

    // Runs `statement` by calling `run`, inside the batch when one is active.
    void Run(std::string_view statement, const std::function<void()>& run);

private:
    void Commit();

    sqlite3* m_db;
    bool m_active = false;
    bool m_open = false; // the batch began the transaction that is open
    int m_pending = 0;
    std::chrono::steady_clock::time_point m_started;
};

} // namespace quorvex::emulation
