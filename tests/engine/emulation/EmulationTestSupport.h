#pragma once

#include "SqliteRows.h"
#include "TestSupport.h"
#include "engine/QtSession.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvex::test {

// A private copy of the demo database and a session logged in to it as one user.
class DemoSession {
public:
    DemoSession(const std::string& user, const std::string& password);

    TQtSession& Session() { return *m_session; }
    const std::string& Folder() const { return m_folder; }

    // Every row of a query as texts (nullopt for null), parameters parsed.
    TextRows Rows(std::string_view sql) { return SessionRows(*m_session, sql); }
    // The rows as one text (RowsText).
    std::string Text(std::string_view sql) { return RowsText(Rows(sql)); }
    // The single value of a query as an integer.
    long long Count(std::string_view sql);
    void Execute(std::string_view sql) { m_session->ExecuteStatement(sql); }
    // The message a statement fails with; empty when it runs.
    std::string ErrorOf(std::string_view sql);

private:
    TempDir m_dir;
    std::string m_folder;
    std::unique_ptr<TQtSession> m_session;
};

} // namespace quorvex::test
