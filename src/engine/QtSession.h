#pragma once

#include "AliasStore.h"
#include "BackendConnection.h"
#include "dictionary/DatabaseSession.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvex {

class TSessionClient;

// The database session on Qt SQL: aliases from TAliasStore and one connection, the Qt SQL
// connection named kGlobalDatabaseName, reached through the alias's backend:
// - EMBEDDED: a folder of SQLite files holding an Oracle-like dictionary (TEmbeddedConnection);
// - OCI: Qt's QOCI driver with HOST, PORT and SERVICE NAME;
// - ODBC: Qt's QODBC driver with DSN or CONNECT STRING (Oracle's ODBC driver under unixODBC).
// Needs a QCoreApplication for Qt to load its SQL drivers; one session per process, used from
// the thread that created it. Queries and stored procedures must be freed before the session
// or become unusable with it.
class TQtSession final : public TDatabaseSession {
public:
    TQtSession(); // aliases from TAliasStore::DefaultFileName()
    explicit TQtSession(const std::string& aliasFile);
    ~TQtSession() override;
    TQtSession(const TQtSession&) = delete;
    TQtSession& operator=(const TQtSession&) = delete;

    std::vector<std::string> AliasNames() const override;
    std::string AliasDriver(const std::string& alias) const override;
    std::vector<std::string> AliasParams(const std::string& alias) const override;

    // Setting another alias closes an open connection.
    void SetAlias(const std::string& alias) override;
    std::string Alias() const override { return m_alias; }
    void SetLoginCallback(TLoginCallback callback) override { m_login = std::move(callback); }
    // Nothing when already open. Unknown alias or missing Qt driver: an Exception before the
    // login callback runs. The callback's EAbort passes through; the connection stays closed.
    void Open() override;
    void Close() override;
    bool Connected() const override { return m_connection != nullptr; }
    std::string UserName() const override { return m_userName; }

    // Runs one statement without parameters; opens the connection first when needed.
    void ExecuteStatement(std::string_view sql) override;
    std::vector<std::string> TakeNotices() override;
    // A batch begun before the connection opens applies to it once open.
    void BeginBatch() override;
    void EndBatch() override;
    std::unique_ptr<TQuery> CreateQuery(bool parseParams = true) override;
    std::unique_ptr<TStoredProc> CreateStoredProc(std::string_view name) override;

    const TAliasStore& Aliases() const { return m_aliases; }
    // The open connection, opened first (with login) when closed.
    TBackendConnection& Connection();
    void Register(TSessionClient& client);
    void Unregister(TSessionClient& client);

private:
    std::unique_ptr<TBackendConnection> Connect(const TAliasConfig& alias,
                                                const TLoginParams& login) const;

    TAliasStore m_aliases;
    std::string m_alias;
    TLoginCallback m_login;
    std::unique_ptr<TBackendConnection> m_connection;
    std::string m_userName;
    bool m_batch = false;
    std::vector<TSessionClient*> m_clients;
};

} // namespace quorvex
