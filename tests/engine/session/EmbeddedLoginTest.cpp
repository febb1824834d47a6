// Opening the embedded engine: the login callback, refused and cancelled logins, aliases.
#include "engine/EmbeddedLogin.h"

#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QSqlDatabase>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

constexpr const char* kInvalidLogon = "ORA-01017: invalid username/password; logon denied";

class EmbeddedLoginTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_folder = BuildTestDatabase(m_dir);
        m_aliases = EmbeddedAliases(m_dir, m_folder);
    }

    // The message Open raises, or "" when it succeeds.
    static std::string OpenMessage(TQtSession& session)
    {
        try {
            session.Open();
        } catch (const EAbort&) {
            return "EAbort";
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }

    TempDir m_dir;
    std::string m_folder;
    std::string m_aliases;
};

TEST_F(EmbeddedLoginTest, PasswordHashIsLowerCaseHexSha256)
{
    EXPECT_EQ(PasswordHash("tiger"),
              "f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e");
    EXPECT_EQ(PasswordHash(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
}

TEST_F(EmbeddedLoginTest, LoginPrefillsTheAliasUserAndConnects)
{
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(m_aliases, "TEST", login);
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(session->UserName(), "");

    session->Open();
    EXPECT_EQ(login.Calls, 1);
    EXPECT_EQ(login.Seen.Alias, "TEST");
    EXPECT_EQ(login.Seen.UserName, "scott");
    EXPECT_EQ(login.Seen.Password, "");
    EXPECT_TRUE(session->Connected());
    EXPECT_EQ(session->UserName(), "SCOTT");
    // The one Qt connection carries the global database name.
    EXPECT_TRUE(QSqlDatabase::contains("QuorvexGlobal"));

    session->Open(); // already open: no second login
    EXPECT_EQ(login.Calls, 1);
    session->Close();
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(session->UserName(), "");
    EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
}

TEST_F(EmbeddedLoginTest, RefusedLoginsRaiseOra01017)
{
    struct TCase {
        const char* user;
        const char* password;
    };
    const TCase cases[] = {
        {"SCOTT", "lion"}, {"SCOTT", ""}, {"NOBODY", "tiger"}, {"APP_ROLE", "x"}, {"BROKEN", "x"},
        {"HR", "tiger"},   {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password);
        TLoginRecorder login;
        login.UserName = c.user;
        login.Password = c.password;
        auto session = MakeSession(m_aliases, "TEST", login);
        if (*c.user == '\0')
            session->SetLoginCallback([](TLoginParams& p) { p.UserName.clear(); });
        EXPECT_EQ(OpenMessage(*session), kInvalidLogon);
        EXPECT_FALSE(session->Connected());
        EXPECT_EQ(session->UserName(), "");
        EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
    }
}

TEST_F(EmbeddedLoginTest, AcceptedLogins)
{
    struct TCase {
        const char* user;
        const char* password;
        const char* expectedUser;
    };
    const TCase cases[] = {
        {"scott", "tiger", "SCOTT"},
        {"Scott", "TIGER", "SCOTT"}, // passwords compare without regard to case
        {"hr", "Hr", "HR"},
        {"nopass", "", "NOPASS"},
        {"NOPASS", "anything", "NOPASS"},
        {"sys", "change_on_install", "SYS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.user) + "/" + c.password);
        TLoginRecorder login;
        login.UserName = c.user;
        login.Password = c.password;
        auto session = MakeSession(m_aliases, "TEST", login);
        EXPECT_EQ(OpenMessage(*session), "");
        EXPECT_EQ(session->UserName(), c.expectedUser);
    }
}

TEST_F(EmbeddedLoginTest, CancelledLoginIsSilentAndLeavesTheConnectionClosed)
{
    TLoginRecorder login;
    login.Abort = true;
    auto session = MakeSession(m_aliases, "TEST", login);
    EXPECT_EQ(OpenMessage(*session), "EAbort");
    EXPECT_FALSE(session->Connected());

    // A query opening the connection is cancelled the same way and stays closed.
    auto query = session->CreateQuery();
    query->SetSQL("SELECT 1 FROM DUAL");
    EXPECT_THROW(query->Open(), EAbort);
    EXPECT_FALSE(query->IsOpen());
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(login.Calls, 2);
}

TEST_F(EmbeddedLoginTest, QueryOnAClosedConnectionLogsInFirst)
{
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(m_aliases, "TEST", login);
    EXPECT_EQ(FirstText(*session, "SELECT COUNT(*) FROM EMP"), "3");
    EXPECT_EQ(login.Calls, 1);
    EXPECT_TRUE(session->Connected());
    EXPECT_EQ(FirstText(*session, "SELECT COUNT(*) FROM EMP"), "3");
    EXPECT_EQ(login.Calls, 1);
}

TEST_F(EmbeddedLoginTest, UnknownAliasRaisesBeforeTheLogin)
{
    TLoginRecorder login;
    auto session = MakeSession(m_aliases, "NOPE", login);
    EXPECT_EQ(OpenMessage(*session), "Alias NOPE not found");
    EXPECT_EQ(login.Calls, 0);
    EXPECT_FALSE(session->Connected());
}

TEST_F(EmbeddedLoginTest, AliasNamesCompareWithoutCase)
{
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(m_aliases, "test", login);
    EXPECT_EQ(OpenMessage(*session), "");
    EXPECT_EQ(session->Alias(), "test");
    EXPECT_EQ(session->AliasDriver("Test"), "ORACLE");
}

TEST_F(EmbeddedLoginTest, EmptyAliasRunsTheLoginThenRaises)
{
    // The program's login handler aborts on an empty alias; without it the session says why.
    TLoginRecorder login;
    auto session = MakeSession(m_aliases, "", login);
    EXPECT_EQ(OpenMessage(*session), "No alias specified");
    EXPECT_EQ(login.Calls, 1);
    login.Abort = true;
    EXPECT_EQ(OpenMessage(*session), "EAbort");
}

TEST_F(EmbeddedLoginTest, ChangingTheAliasClosesTheConnection)
{
    const std::string other = BuildTestDatabase(m_dir, "other");
    const std::string aliases =
        WriteAliases(m_dir, "[ONE]\nBACKEND=EMBEDDED\nPATH=" + m_folder +
                                "\nUSER NAME=SCOTT\n[TWO]\nBACKEND=EMBEDDED\nPATH=" + other +
                                "\nUSER NAME=HR\n");
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(aliases, "ONE", login);
    auto query = session->CreateQuery();
    query->SetSQL("SELECT ENAME FROM EMP");
    query->Open();
    session->SetAlias("ONE");
    EXPECT_TRUE(session->Connected());
    EXPECT_TRUE(query->IsOpen());
    session->SetAlias("TWO");
    EXPECT_FALSE(session->Connected());
    EXPECT_FALSE(query->IsOpen());
    login.Password = "hr";
    query->Open();
    EXPECT_EQ(session->UserName(), "HR");
    EXPECT_EQ(query->AsText(0), "KING");
}

TEST_F(EmbeddedLoginTest, MissingDatabaseFolderRaises)
{
    const std::string aliases =
        WriteAliases(m_dir, "[GONE]\nBACKEND=EMBEDDED\nPATH=" + m_dir.File("gone") + "\n");
    TLoginRecorder login;
    auto session = MakeSession(aliases, "GONE", login);
    EXPECT_EQ(OpenMessage(*session),
              "No embedded database in " + m_dir.File("gone") + " (SYS.sqlite is missing)");
    EXPECT_FALSE(session->Connected());
    EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
}

TEST_F(EmbeddedLoginTest, BuiltInDemoIsBuiltOnFirstUse)
{
    const std::string demo =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
        "/quorvex/demo";
    TLoginRecorder login;
    login.Password = "tiger";
    auto session = MakeSession(m_dir.File("none.ini"), "DEMO", login);
    session->Open();
    EXPECT_EQ(login.Seen.UserName, "SCOTT");
    EXPECT_EQ(session->UserName(), "SCOTT");
    EXPECT_TRUE(std::filesystem::exists(demo + "/SYS.sqlite"));
    EXPECT_EQ(FirstText(*session, "SELECT COUNT(*) FROM EMP"), "14");
    EXPECT_EQ(FirstText(*session, R"(SELECT "USER#" FROM SYS."USER$" WHERE "NAME" = 'SCOTT')"),
              "59");
}

} // namespace
} // namespace quorvex::test
