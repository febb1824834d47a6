#include "SqliteStatement.h"

#include "persistence/Exceptions.h"

#include <sqlite3.h>

namespace quorvex {

TSqliteStatement::TSqliteStatement(sqlite3* db, std::string_view sql, std::string_view* tail)
    : m_db(db)
{
    if (tail != nullptr)
        *tail = {};
    if (sql.empty())
        return;
    const char* rest = nullptr;
    if (sqlite3_prepare_v2(m_db, sql.data(), static_cast<int>(sql.size()), &m_statement, &rest) !=
        SQLITE_OK)
        Fail();
    if (tail != nullptr)
        *tail = rest != nullptr ? sql.substr(static_cast<size_t>(rest - sql.data()))
                                : std::string_view();
}

TSqliteStatement::~TSqliteStatement()
{
    sqlite3_finalize(m_statement);
}

void TSqliteStatement::Fail() const
{
    throw Exception(sqlite3_errmsg(m_db));
}

size_t TSqliteStatement::Bind(const std::vector<TParamValue>& values, size_t first)
{
    const int count = sqlite3_bind_parameter_count(m_statement);
    for (int k = 0; k < count; ++k) {
        const size_t at = first + static_cast<size_t>(k);
        const TParamValue none;
        const TParamValue& value = at < values.size() ? values[at] : none;
        int result = SQLITE_OK;
        if (const auto* text = std::get_if<std::string>(&value))
            result = sqlite3_bind_text64(m_statement, k + 1, text->data(), text->size(),
                                         SQLITE_TRANSIENT, SQLITE_UTF8);
        else if (const auto* number = std::get_if<std::int64_t>(&value))
            result = sqlite3_bind_int64(m_statement, k + 1, *number);
        else
            result = sqlite3_bind_null(m_statement, k + 1);
        if (result != SQLITE_OK)
            Fail();
    }
    return static_cast<size_t>(count);
}

bool TSqliteStatement::Step()
{
    if (m_statement == nullptr)
        return false;
    switch (sqlite3_step(m_statement)) {
    case SQLITE_ROW:
        return true;
    case SQLITE_DONE:
        return false;
    default:
        Fail();
    }
}

} // namespace quorvex
