#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace quorvex {
class TDatabaseSession;
}

namespace quorvex::test {

using TextRow = std::vector<std::optional<std::string>>;
using TextRows = std::vector<TextRow>;

// Rows as one text: a line per row, columns joined by '|', NULL for null; compared with one
// expected text, a whole result shows at once when it differs.
std::string RowsText(const TextRows& rows);

// Every row of a query through a database session, its parameters parsed.
TextRows SessionRows(TDatabaseSession& session, std::string_view sql);

// An in-memory SQLite connection for tests that look at SQL results without the session,
// closed on destruction. Failures raise std::runtime_error with SQLite's message.
class SqliteRows {
public:
    // Attaches folder/SYS.sqlite as SYS and folder/<USER>.sqlite for each user, the way the
    // engine does it; without a folder the connection starts empty.
    explicit SqliteRows(const std::string& folder = {}, const std::vector<std::string>& users = {});
    ~SqliteRows();
    SqliteRows(const SqliteRows&) = delete;
    SqliteRows& operator=(const SqliteRows&) = delete;

    sqlite3* Handle() const { return m_db; }
    // Runs one or more statements.
    void Execute(const std::string& sql);
    // Every row of one statement as texts; :USER_NO, when the text has it, is bound as text
    // like the reader binds it.
    TextRows Rows(const std::string& sql, const std::string& userNo = {});
    std::string Text(const std::string& sql, const std::string& userNo = {});
    // The single value of a query.
    std::optional<std::string> Value(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

} // namespace quorvex::test
