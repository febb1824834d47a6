#pragma once

#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace quorvex::test {

using Row = std::vector<std::optional<std::string>>;
using Rows = std::vector<Row>;

// An in-memory SQLite connection with an embedded database folder attached the way the engine
// does it: SYS.sqlite as SYS and each <USER>.sqlite under the user's name.
class AttachedDatabase {
public:
    explicit AttachedDatabase(const std::string& folder,
                              const std::vector<std::string>& users = {});
    ~AttachedDatabase();
    AttachedDatabase(const AttachedDatabase&) = delete;
    AttachedDatabase& operator=(const AttachedDatabase&) = delete;

    // Runs one statement and returns every row as texts (nullopt for null); :USER_NO, when the
    // text has it, is bound as text like the reader does.
    Rows Query(const std::string& sql, const std::string& userNo = "");
    // The first column of the single row of a query, as an integer.
    long long Scalar(const std::string& sql);

private:
    sqlite3* m_db = nullptr;
};

// The demo database, built once per test program into a temporary folder.
const std::string& BuiltDemoFolder();

// The command that runs the dictionary generator with the small size the tests expect, given
// its output folder.
std::string SmallGeneratorCommand(const std::string& folder);
// A small generated dictionary, written once per test program into a temporary folder.
const std::string& GeneratedFolder();

} // namespace quorvex::test
