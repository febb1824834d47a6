#include "QtSession.h"

#include "EmbeddedConnection.h"
#include "EngineMessages.h"
#include "QtDatabase.h"
#include "QtSqlConnection.h"
#include "SessionClient.h"
#include "SessionQuery.h"
#include "SessionStoredProc.h"
#include "engine/demo/DemoDatabase.h"
#include "engine/sql/SqlTokenizer.h"
#include "persistence/Exceptions.h"

#include <algorithm>

namespace quorvex {
namespace {

QString QtText(const std::string& text)
{
    return QString::fromStdString(text);
}

// Oracle's easy-connect form host:port/service; a service alone is a TNS name.
QString OciConnectDescriptor(const TAliasConfig& alias)
{
    const std::string host = alias.Value(alias_keys::kHost);
    const std::string port = alias.Value(alias_keys::kPort);
    const std::string service = alias.Value(alias_keys::kServiceName);
    if (host.empty())
        return QtText(service);
    return QtText("//" + host + (port.empty() ? "" : ":" + port) + "/" + service);
}

QString DriverOf(TBackendKind backend)
{
    switch (backend) {
    case TBackendKind::Embedded:
        return "QSQLITE";
    case TBackendKind::Oci:
        return "QOCI";
    case TBackendKind::Odbc:
        return "QODBC";
    }
    return {};
}

} // namespace

TQtSession::TQtSession()
    : TQtSession(TAliasStore::DefaultFileName())
{
}

TQtSession::TQtSession(const std::string& aliasFile)
    : m_aliases(aliasFile)
{
}

TQtSession::~TQtSession()
{
    Close();
    for (TSessionClient* client : m_clients)
        client->SessionDestroyed();
}

std::vector<std::string> TQtSession::AliasNames() const
{
    return m_aliases.Names();
}

std::string TQtSession::AliasDriver(const std::string& alias) const
{
    return m_aliases.Driver(alias);
}

std::vector<std::string> TQtSession::AliasParams(const std::string& alias) const
{
    return m_aliases.Params(alias);
}

void TQtSession::SetAlias(const std::string& alias)
{
    if (alias != m_alias)
        Close();
    m_alias = alias;
}

void TQtSession::Open()
{
    if (Connected())
        return;
    std::optional<TAliasConfig> alias;
    if (!m_alias.empty()) {
        alias = m_aliases.Get(m_alias);
        TQtDatabase::RequireDriver(DriverOf(alias->Backend()));
    }
    TLoginParams login{m_alias, alias ? alias->Value(alias_keys::kUserName) : std::string(), {}};
    if (m_login)
        m_login(login);
    if (!alias)
        throw Exception(messages::kNoAliasSpecified);
    m_connection = Connect(*alias, login);
    m_userName = sql::ToUpper(login.UserName);
    if (m_batch)
        m_connection->BeginBatch();
}

std::unique_ptr<TBackendConnection> TQtSession::Connect(const TAliasConfig& alias,
                                                        const TLoginParams& login) const
{
    switch (alias.Backend()) {
    case TBackendKind::Embedded: {
        std::string folder = alias.Value(alias_keys::kPath);
        // The demo database is built on first use (and rebuilt when the program brings a
        // newer one); a folder of the user's own is never touched.
        if (alias.BuiltIn)
            folder = EnsureDemoDatabase(folder);
        return std::make_unique<TEmbeddedConnection>(folder, login.UserName, login.Password);
    }
    case TBackendKind::Oci:
        return std::make_unique<TQtSqlConnection>(TQtSqlTarget{"QOCI", OciConnectDescriptor(alias)},
                                                  login.UserName, login.Password);
    case TBackendKind::Odbc: {
        std::string target = alias.Value(alias_keys::kConnectString);
        if (target.empty())
            target = alias.Value(alias_keys::kDsn);
        return std::make_unique<TQtSqlConnection>(TQtSqlTarget{"QODBC", QtText(target)},
                                                  login.UserName, login.Password);
    }
    }
    throw Exception(messages::UnknownBackend(alias.Name, alias.Value(alias_keys::kBackend)));
}

void TQtSession::Close()
{
    if (!m_connection)
        return;
    // Statements must be released before their connection closes.
    for (TSessionClient* client : m_clients)
        client->ConnectionClosing();
    m_connection.reset();
    m_userName.clear();
}

std::vector<std::string> TQtSession::TakeNotices()
{
    return m_connection ? m_connection->TakeNotices() : std::vector<std::string>{};
}

void TQtSession::BeginBatch()
{
    m_batch = true;
    if (m_connection)
        m_connection->BeginBatch();
}

void TQtSession::EndBatch()
{
    m_batch = false;
    if (m_connection)
        m_connection->EndBatch();
}

TBackendConnection& TQtSession::Connection()
{
    if (!m_connection)
        Open();
    return *m_connection;
}

void TQtSession::ExecuteStatement(std::string_view sql)
{
    Connection().Execute({sql, false, nullptr});
}

std::unique_ptr<TQuery> TQtSession::CreateQuery(bool parseParams)
{
    return std::make_unique<TSessionQuery>(*this, parseParams);
}

std::unique_ptr<TStoredProc> TQtSession::CreateStoredProc(std::string_view name)
{
    return std::make_unique<TSessionStoredProc>(*this, name);
}

void TQtSession::Register(TSessionClient& client)
{
    m_clients.push_back(&client);
}

void TQtSession::Unregister(TSessionClient& client)
{
    std::erase(m_clients, &client);
}

} // namespace quorvex
