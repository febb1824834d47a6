#pragma once

#include "dictionary/DBOraClass.h"
#include "engine/QtSession.h"

#include <memory>
#include <string>

namespace quorvex {

// What reading a model from a live database needs: the login and the reader's switches.
struct TLiveRead {
    std::string Alias;
    std::string User;
    std::string Password;
    bool IncludeSys = false;
    bool UseRule = false;
    bool UseOrdered = false;
    bool ReadSource = true;
};

// A login to the alias (from the engine's alias configuration) that stays open after the model
// is read, for commands that go on using the database. Opens at the first use.
class TLiveConnection {
public:
    explicit TLiveConnection(const TLiveRead& read);
    ~TLiveConnection();
    TLiveConnection(const TLiveConnection&) = delete;
    TLiveConnection& operator=(const TLiveConnection&) = delete;

    // Reads the structure, then the source unless switched off, as Export To File does. The
    // model's UserName is the login user in upper case and its SourceName alias + "." + that
    // name, as after a login. Engine failures (unknown alias, refused login, SQL error) pass on
    // as Exceptions.
    std::unique_ptr<TDBNewOracle> ReadModel(const TProgress& progress);

    // The query the model was read with, shared as the main window shares its query.
    TQuery& Query() noexcept { return *m_query; }
    TQtSession& Session() noexcept { return m_session; }

private:
    TLiveRead m_read;
    TQtSession m_session;
    std::unique_ptr<TQuery> m_query; // freed before the session, as queries must be
};

// Points the session at the alias, logging in as `user` with `password` when it opens.
void SetLogin(TQtSession& session, const std::string& alias, const std::string& user,
              const std::string& password);

// The password operand as given, or for "-" the value of $QUORVEX_PASSWORD, so that it does
// not show in process lists. An Exception when "-" is given and the variable is not set.
std::string ResolvePassword(const std::string& operand);

} // namespace quorvex
