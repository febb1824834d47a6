#include "EmulationTestSupport.h"

#include "engine/QtSession.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

namespace quorvex::test {

DemoSession::DemoSession(const std::string& user, const std::string& password)
    : m_folder(m_dir.File("demo"))
{
    CopyDemoDatabase(m_folder);
    const std::string aliases = m_dir.File("aliases.ini");
    WriteFileBytes(aliases, "[COPY]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + m_folder +
                                "\nUSER NAME=" + user + "\n");
    m_session = std::make_unique<TQtSession>(aliases);
    m_session->SetAlias("COPY");
    m_session->SetLoginCallback([password](TLoginParams& login) { login.Password = password; });
    m_session->Open();
}

DemoSession::~DemoSession() = default;

TextRows DemoSession::Rows(std::string_view sql)
{
    auto query = m_session->CreateQuery();
    query->SetSQL(sql);
    query->Open();
    TextRows rows;
    for (; !query->Eof(); query->Next()) {
        TextRow row;
        for (int k = 0; k < query->FieldCount(); ++k)
            row.push_back(query->IsNull(k) ? std::nullopt
                                           : std::optional<std::string>(query->AsText(k)));
        rows.push_back(std::move(row));
    }
    return rows;
}

std::vector<std::string> DemoSession::Column(std::string_view sql)
{
    std::vector<std::string> values;
    for (const TextRow& row : Rows(sql))
        values.push_back(row.at(0).value_or("<null>"));
    return values;
}

long long DemoSession::Count(std::string_view sql)
{
    const TextRows rows = Rows(sql);
    if (rows.size() != 1 || rows[0].empty() || !rows[0][0])
        throw std::runtime_error("no single value from " + std::string(sql));
    return std::stoll(*rows[0][0]);
}

void DemoSession::Execute(std::string_view sql)
{
    m_session->ExecuteStatement(sql);
}

std::string DemoSession::ErrorOf(std::string_view sql)
{
    try {
        Execute(sql);
    } catch (const Exception& e) {
        return e.what();
    }
    return {};
}

MemoryDatabase::MemoryDatabase()
{
    if (sqlite3_open(":memory:", &m_db) != SQLITE_OK)
        throw std::runtime_error("cannot open SQLite");
}

MemoryDatabase::~MemoryDatabase()
{
    sqlite3_close(m_db);
}

void MemoryDatabase::Execute(const std::string& sql)
{
    char* message = nullptr;
    if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message != nullptr ? message : "?";
        sqlite3_free(message);
        throw std::runtime_error(text + " in: " + sql);
    }
}

TextRows MemoryDatabase::Rows(const std::string& sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
        throw std::runtime_error(std::string(sqlite3_errmsg(m_db)) + " in: " + sql);
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

std::optional<std::string> MemoryDatabase::Value(const std::string& sql)
{
    const TextRows rows = Rows(sql);
    if (rows.size() != 1 || rows[0].size() != 1)
        throw std::runtime_error("no single value from " + sql);
    return rows[0][0];
}

} // namespace quorvex::test
