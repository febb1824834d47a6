#include "SqliteRows.h"

#include "dictionary/DatabaseSession.h"

#include <sqlite3.h>
#include <stdexcept>

namespace quorvex::test {

std::string RowsText(const TextRows& rows)
{
    std::string text;
    for (const TextRow& row : rows) {
        for (size_t k = 0; k < row.size(); ++k)
            text += (k > 0 ? "|" : "") + row[k].value_or("NULL");
        text += "\n";
    }
    return text;
}

TextRows SessionRows(TDatabaseSession& session, std::string_view sql)
{
    auto query = session.CreateQuery();
    query->SetSQL(sql);
    TextRows rows;
    for (query->Open(); !query->Eof(); query->Next()) {
        TextRow& row = rows.emplace_back();
        for (int k = 0; k < query->FieldCount(); ++k)
            row.push_back(query->IsNull(k) ? std::nullopt
                                           : std::optional<std::string>(query->AsText(k)));
    }
    return rows;
}

SqliteRows::SqliteRows(const std::string& folder, const std::vector<std::string>& users)
{
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK)
        throw std::runtime_error("cannot open SQLite");
    if (!folder.empty())
        Execute("ATTACH DATABASE '" + folder + "/SYS.sqlite' AS SYS");
    for (const std::string& user : users)
        Execute("ATTACH DATABASE '" + folder + "/" + user + ".sqlite' AS \"" + user + "\"");
}

SqliteRows::~SqliteRows()
{
    sqlite3_close(m_db);
}

void SqliteRows::Execute(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql);
    }
}

TextRows SqliteRows::Rows(const std::string& sql, const std::string& userNo)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    const int parameter = sqlite3_bind_parameter_index(statement, ":USER_NO");
    if (parameter > 0)
        sqlite3_bind_text(statement, parameter, userNo.c_str(), -1, SQLITE_TRANSIENT);
    TextRows rows;
    int status = SQLITE_ROW;
    while ((status = sqlite3_step(statement)) == SQLITE_ROW) {
        TextRow row;
        for (int k = 0; k < sqlite3_column_count(statement); ++k) {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, k));
            row.push_back(text == nullptr ? std::nullopt : std::optional<std::string>(text));
        }
        rows.push_back(std::move(row));
    }
    sqlite3_finalize(statement);
    if (status != SQLITE_DONE)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
    return rows;
}

std::string SqliteRows::Text(const std::string& sql, const std::string& userNo)
{
    return RowsText(Rows(sql, userNo));
}

std::optional<std::string> SqliteRows::Value(const std::string& sql)
{
    const TextRows rows = Rows(sql);
    if (rows.size() != 1 || rows[0].size() != 1)
        throw std::runtime_error("no single value from " + sql);
    return rows[0][0];
}

} // namespace quorvex::test
