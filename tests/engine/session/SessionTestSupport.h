#pragma once

#include "TestSupport.h"
#include "engine/QtSession.h"

#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex::test {

// Records every call of the login callback and answers with a user and password, or aborts.
struct TLoginRecorder {
    int Calls = 0;
    TLoginParams Seen;
    std::string UserName; // replaces the prefilled user when not empty
    std::string Password = "tiger";
    bool Abort = false;

    TLoginCallback Callback();
};

// A small embedded database folder: users SCOTT/tiger and HR/hr, NOPASS without password, the
// role APP_ROLE and BROKEN with a damaged hash; SCOTT.sqlite with EMP (3 rows), HR.sqlite with
// EMP (2 rows) and DEPARTMENTS. The aliases file has TEST: EMBEDDED on it, USER NAME=scott.
class SessionTest : public ::testing::Test {
protected:
    SessionTest();

    // Builds the small database into a folder of m_dir and returns the folder.
    std::string BuildDatabase(const std::string& name);
    // Writes the aliases file and returns its name.
    std::string WriteAliases(std::string_view text);
    // A session on the aliases file with m_login as login callback and the alias set.
    std::unique_ptr<TQtSession> MakeSession(const std::string& alias = "TEST",
                                            const std::string& aliasFile = {});
    // The message Open raises: "" when it succeeds, "EAbort" when cancelled.
    static std::string OpenMessage(TQtSession& session);
    // Every row of a query as RowsText gives it.
    static std::string Text(TDatabaseSession& session, std::string_view sql);

    TempDir m_dir;
    std::string m_folder;
    std::string m_aliases;
    TLoginRecorder m_login;
};

} // namespace quorvex::test
