#include "EmbeddedConnection.h"

#include "EmbeddedLogin.h"
#include "EngineMessages.h"
#include "SchemaFiles.h"
#include "SqliteStatement.h"
#include "dictionary/DatabaseSession.h"
#include "engine/emulation/EmbeddedStatements.h"
#include "engine/emulation/StatementTokens.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <QSqlDriver>
#include <QVariant>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace quorvex {
namespace {

// The sqlite3 handle under Qt's SQLite driver.
sqlite3* HandleOf(QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || std::strcmp(handle.typeName(), "sqlite3*") != 0)
        throw Exception("The Qt SQLite driver gives no SQLite handle");
    return *static_cast<sqlite3* const*>(handle.constData());
}

void Run(sqlite3* db, std::string_view sql)
{
    TSqliteStatement statement(db, sql);
    while (statement.Step()) {
    }
}

} // namespace

TEmbeddedConnection::TEmbeddedConnection(const std::string& folder, const std::string& user,
                                         const std::string& password)
    : m_database("QSQLITE", QString::fromUtf8(kGlobalDatabaseName.data(),
                                              static_cast<qsizetype>(kGlobalDatabaseName.size())))
{
    m_database.Db().setDatabaseName(":memory:");
    m_database.Open({}, {});
    m_handle = HandleOf(m_database.Db());
    Run(m_handle, "CREATE TABLE DUAL (DUMMY TEXT)");
    Run(m_handle, "INSERT INTO DUAL (DUMMY) VALUES ('X')");
    AttachSchemas(folder, user);
    CheckEmbeddedLogin(m_handle, user, password);
    m_statements = std::make_unique<emulation::TEmbeddedStatements>(m_handle, folder, user);
}

TEmbeddedConnection::~TEmbeddedConnection() = default;

void TEmbeddedConnection::AttachSchemas(const std::string& folder, const std::string& user)
{
    const auto files = SchemaFilesInAttachOrder(folder, user);
    const bool hasSys = std::any_of(files.begin(), files.end(), [](const TSchemaFile& file) {
        return sql::ToUpper(file.Name) == "SYS";
    });
    if (!hasSys)
        throw Exception(messages::NoEmbeddedDatabase(folder));
    const int limit = sqlite3_limit(m_handle, SQLITE_LIMIT_ATTACHED, -1);
    for (size_t k = 0; k < files.size() && k < static_cast<size_t>(limit); ++k) {
        TSqliteStatement attach(m_handle,
                                "ATTACH DATABASE ? AS " + emulation::QuotedName(files[k].Name));
        attach.Bind({TParamValue(files[k].Path)});
        attach.Step();
    }
}

std::unique_ptr<TCursor> TEmbeddedConnection::OpenCursor(const TStatementRequest& request)
{
    return m_statements->OpenCursor(request);
}

void TEmbeddedConnection::Execute(const TStatementRequest& request)
{
    m_statements->Execute(request);
}

std::vector<std::string> TEmbeddedConnection::TakeNotices()
{
    return m_statements->TakeNotices();
}

void TEmbeddedConnection::BeginBatch()
{
    m_statements->Batch().Begin();
}

void TEmbeddedConnection::EndBatch()
{
    m_statements->Batch().End();
}

} // namespace quorvex
