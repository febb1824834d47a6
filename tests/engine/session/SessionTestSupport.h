#pragma once

#include "TestSupport.h"
#include "dictionary/DatabaseSession.h"

#include <memory>
#include <string>
#include <string_view>

namespace quorvex {
class TQtSession;
}

namespace quorvex::test {

// A small embedded database folder: users SCOTT/tiger and HR/hr, NOPASS without password,
// the role APP_ROLE; SCOTT.sqlite with EMP (3 rows), HR.sqlite with EMP (2 rows) and
// DEPARTMENTS. Returns the folder.
std::string BuildTestDatabase(const TempDir& dir, const std::string& name = "db");

// Writes the aliases file and returns its name.
std::string WriteAliases(const TempDir& dir, std::string_view text);

// An aliases file with TEST (EMBEDDED on folder, USER NAME=scott).
std::string EmbeddedAliases(const TempDir& dir, const std::string& folder);

// Records every call of the login callback and answers with a fixed password, or aborts.
struct TLoginRecorder {
    int Calls = 0;
    TLoginParams Seen;
    std::string UserName; // replaces the prefilled user when not empty
    std::string Password;
    bool Abort = false;

    TLoginCallback Callback();
};

// A session on the aliases file with the recorder as login callback and the alias set.
std::unique_ptr<TQtSession> MakeSession(const std::string& aliasFile, const std::string& alias,
                                        TLoginRecorder& login);

// Runs a query and returns the first column of the first row as text.
std::string FirstText(TDatabaseSession& session, std::string_view sql);

// The current local time as a day number.
double NowDayNumber();

} // namespace quorvex::test
