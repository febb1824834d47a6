#include "DemoTestDatabase.h"

#include "TestSupport.h"
#include "engine/demo/DemoDatabase.h"

#include <cstdlib>
#include <sqlite3.h>
#include <stdexcept>

namespace quorvex::test {

AttachedDatabase::AttachedDatabase(const std::string& folder, const std::vector<std::string>& users)
{
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK) {
        throw std::runtime_error("cannot open SQLite");
    }
    Query("ATTACH DATABASE '" + folder + "/SYS.sqlite' AS SYS");
    for (const auto& user : users) {
        Query("ATTACH DATABASE '" + folder + "/" + user + ".sqlite' AS \"" + user + "\"");
    }
}

AttachedDatabase::~AttachedDatabase()
{
    sqlite3_close(m_db);
}

Rows AttachedDatabase::Query(const std::string& sql, const std::string& userNo)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    }
    const int parameter = sqlite3_bind_parameter_index(statement, ":USER_NO");
    if (parameter > 0) {
        sqlite3_bind_text(statement, parameter, userNo.c_str(), -1, SQLITE_TRANSIENT);
    }
    Rows rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        Row row;
        for (int column = 0; column < sqlite3_column_count(statement); ++column) {
            const unsigned char* text = sqlite3_column_text(statement, column);
            row.push_back(text == nullptr
                              ? std::nullopt
                              : std::optional<std::string>(reinterpret_cast<const char*>(text)));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (status != SQLITE_DONE) {
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    }
    return rows;
}

long long AttachedDatabase::Scalar(const std::string& sql)
{
    const Rows rows = Query(sql);
    if (rows.size() != 1 || rows[0].empty() || !rows[0][0]) {
        throw std::runtime_error("no single value from: " + sql);
    }
    return std::stoll(*rows[0][0]);
}

const std::string& BuiltDemoFolder()
{
    static const TempDir temp;
    static const std::string folder = EnsureDemoDatabase((temp.Path() / "demo").string());
    return folder;
}

std::string SmallGeneratorCommand(const std::string& folder)
{
    return std::string("\"") + QUORVEX_GENERATOR + "\" --output \"" + folder +
           "\" --owners 3 --tables 12 --columns-per-table 6 --constraints 50 --indexes 20"
           " --triggers 5 --views 4 --sequences 3 --code 7 --source-lines 70 --comments 20"
           " > \"" +
           folder + ".log\" 2>&1";
}

const std::string& GeneratedFolder()
{
    static const TempDir temp;
    static const std::string folder = [] {
        const std::string path = (temp.Path() / "generated").string();
        if (std::system(SmallGeneratorCommand(path).c_str()) != 0) {
            throw std::runtime_error("the generator failed: " + ReadFileBytes(path + ".log"));
        }
        return path;
    }();
    return folder;
}

} // namespace quorvex::test
