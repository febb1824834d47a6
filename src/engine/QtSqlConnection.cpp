#include "QtSqlConnection.h"

#include "QtSqlCursor.h"
#include "SchemaFiles.h"
#include "dictionary/DatabaseSession.h"
#include "engine/sql/SqlTokenizer.h"

#include <QSqlQuery>
#include <QVariant>
#include <algorithm>
#include <filesystem>

namespace quorvex {
namespace {

QString SqlLiteral(const std::string& text)
{
    QString quoted = QString::fromStdString(text);
    quoted.replace('\'', "''");
    return '\'' + quoted + '\'';
}

QString QuotedName(const std::string& text)
{
    QString quoted = QString::fromStdString(text);
    quoted.replace('"', "\"\"");
    return '"' + quoted + '"';
}

} // namespace

TQtSqlConnection::TQtSqlConnection(const TQtSqlTarget& target, const std::string& user,
                                   const std::string& password)
    : m_database(target.Driver,
                 QString::fromUtf8(kGlobalDatabaseName.data(),
                                   static_cast<qsizetype>(kGlobalDatabaseName.size())))
{
    m_database.Db().setDatabaseName(target.DatabaseName);
    m_database.Open(QString::fromStdString(user), QString::fromStdString(password));
    m_sqlite = target.Driver == "QODBC" && ProbeSqlite();
    if (m_sqlite)
        PrepareSqliteFolder(user);
}

// A function only SQLite has; on any other database the probe fails without side effects.
bool TQtSqlConnection::ProbeSqlite()
{
    QSqlQuery probe(m_database.Db());
    return probe.exec("SELECT sqlite_version()") && probe.next();
}

void TQtSqlConnection::PrepareSqliteFolder(const std::string& user)
{
    QSqlQuery query(m_database.Db());
    query.setForwardOnly(true);
    std::string mainFile;
    if (query.exec("PRAGMA database_list")) {
        while (query.next())
            if (query.value(1).toString() == "main")
                mainFile = query.value(2).toString().toStdString();
    }
    if (!mainFile.empty()) {
        const std::string folder = std::filesystem::path(mainFile).parent_path().string();
        const auto files = SchemaFilesInAttachOrder(folder, user);
        const bool isDatabaseFolder =
            std::any_of(files.begin(), files.end(),
                        [](const TSchemaFile& file) { return sql::ToUpper(file.Name) == "SYS"; });
        // Attached as far as SQLite's limit allows; the first refusal ends it.
        for (size_t k = 0; isDatabaseFolder && k < files.size(); ++k)
            if (!query.exec("ATTACH DATABASE " + SqlLiteral(files[k].Path) + " AS " +
                            QuotedName(files[k].Name)))
                break;
    }
    // Temporary tables come first in name resolution: DUAL is found before any other.
    if (query.exec("CREATE TEMP TABLE IF NOT EXISTS DUAL (DUMMY TEXT)") &&
        query.exec("SELECT COUNT(*) FROM temp.DUAL") && query.next() && query.value(0).toInt() == 0)
        query.exec("INSERT INTO temp.DUAL (DUMMY) VALUES ('X')");
}

TBoundStatement TQtSqlConnection::Bind(const TStatementRequest& request) const
{
    if (!m_sqlite)
        return BindParameters(request.Sql, request.ParseParams, request.Params);
    return BindParameters(m_preparer.Prepare(request.Sql), request.ParseParams, request.Params);
}

std::unique_ptr<TCursor> TQtSqlConnection::OpenCursor(const TStatementRequest& request)
{
    return std::make_unique<TQtSqlCursor>(m_database.Db(), Bind(request));
}

void TQtSqlConnection::Execute(const TStatementRequest& request)
{
    ExecuteQtSql(m_database.Db(), Bind(request));
}

} // namespace quorvex
