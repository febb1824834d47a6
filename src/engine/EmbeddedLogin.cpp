#include "EmbeddedLogin.h"

#include "EngineMessages.h"
#include "SqliteStatement.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <algorithm>
#include <sqlite3.h>

namespace quorvex {

std::string PasswordHash(std::string_view password)
{
    const QByteArray bytes(password.data(), static_cast<qsizetype>(password.size()));
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().toStdString();
}

void CheckEmbeddedLogin(sqlite3* db, std::string_view user, std::string_view password)
{
    TSqliteStatement lookup(
        db, R"(SELECT "PASSWORD" FROM SYS."USER$" WHERE "NAME" = ? AND "TYPE#" = 1)");
    lookup.Bind({TParamValue(sql::ToUpper(user))});
    if (!lookup.Step())
        throw Exception(messages::kInvalidLogon);
    const auto* stored = reinterpret_cast<const char*>(sqlite3_column_text(lookup.Handle(), 0));
    const std::string hash = stored != nullptr ? stored : "";
    if (hash.empty())
        return;
    std::string lower(password);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    for (const std::string& candidate : {std::string(password), lower, sql::ToUpper(password)})
        if (PasswordHash(candidate) == hash)
            return;
    throw Exception(messages::kInvalidLogon);
}

} // namespace quorvex
