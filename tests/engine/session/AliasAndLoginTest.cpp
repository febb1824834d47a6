// The alias store, the schema files attached, and opening a session: the login callback,
// refused and cancelled logins, alias rules and the backends that cannot connect.
#include "SessionTestSupport.h"
#include "engine/AliasStore.h"
#include "engine/SchemaFiles.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <QSqlDatabase>
#include <QStandardPaths>
#include <cstdlib>
#include <filesystem>

namespace quorvex::test {
namespace {

constexpr const char* kInvalidLogon = "ORA-01017: invalid username/password; logon denied";

std::string DemoFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() +
           "/quorvex/demo";
}

// Every alias of a store in order: name, driver, built-in mark, backend and parameter lines.
std::string Dump(const TAliasStore& store)
{
    std::string text;
    for (const std::string& name : store.Names()) {
        const TAliasConfig alias = store.Get(name);
        const char* const kinds[] = {"EMB", "OCI", "ODBC"};
        std::string backend = "BDE?";
        try {
            backend = kinds[static_cast<int>(alias.Backend())];
        } catch (const Exception&) {
        }
        text += name + " [" + store.Driver(name) + "]" + (alias.BuiltIn ? " built-in " : " ") +
                backend + ":";
        for (const std::string& line : store.Params(name))
            text += " " + line;
        text += "\n";
    }
    return text;
}

TEST_F(SessionTest, AliasFilesFollowTheBuiltInDemo)
{
    const std::pair<const char*, std::string> cases[] = {
        {"", "DEMO [ORACLE] built-in EMB: BACKEND=EMBEDDED PATH=" + DemoFolder() +
                 " USER NAME=SCOTT\n"},
        // The driver is given as written; the backend follows BACKEND or the keys given.
        {"[Zeta]\nDRIVER=ORACLE\nBACKEND=OCI\nHOST=h\n[alpha]\nDRIVER=Oracle\nDSN=ORCL\nUSER "
         "NAME=corbelin\n[X]\nDRIVER=\nBACKEND=embedded\n[Y]\nPATH=/x\n[Z]\nCONNECT STRING=D\n"
         "[H]\nHOST=h\n[B]\nBACKEND=BDE\n",
         "DEMO [ORACLE] built-in EMB: BACKEND=EMBEDDED PATH=" + DemoFolder() +
             " USER NAME=SCOTT\nZeta [ORACLE] OCI: BACKEND=OCI HOST=h\n"
             "alpha [Oracle] ODBC: DSN=ORCL USER NAME=corbelin\nX [] EMB: BACKEND=embedded\n"
             "Y [ORACLE] EMB: PATH=/x\nZ [ORACLE] ODBC: CONNECT STRING=D\nH [ORACLE] OCI: HOST=h\n"
             "B [ORACLE] BDE?: BACKEND=BDE\n"},
        {"[A]\nBACKEND=Odbc\n[demo]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=/srv/demo\n",
         "A [ORACLE] ODBC: BACKEND=Odbc\ndemo [ORACLE] EMB: BACKEND=EMBEDDED PATH=/srv/demo\n"}};
    for (const auto& [file, expected] : cases)
        EXPECT_EQ(Dump(TAliasStore(WriteAliases(file))), expected) << file;
    const TAliasStore store(WriteAliases("[X]\nBACKEND=ODBC\n"));
    EXPECT_EQ(Dump(TAliasStore(m_dir.File("none.ini"))), Dump(TAliasStore(WriteAliases(""))));
    EXPECT_EQ(store.Get("x").Name, "X");
    EXPECT_FALSE(store.Find("NOPE").has_value());
    EXPECT_THROW(store.Params("NOPE"), Exception);
    EXPECT_EQ(MakeSession("NOPE", WriteAliases(""))->AliasDriver("demo"), "ORACLE");
}

TEST_F(SessionTest, AliasFileFromTheEnvironmentOrTheConfigurationFolder)
{
    EXPECT_EQ(
        TAliasStore::DefaultFileName(),
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString() +
            "/quorvex/aliases.ini");
    EXPECT_EQ(TAliasStore::DefaultDemoFolder(), DemoFolder());
    setenv("QUORVEX_ALIASES", WriteAliases("[PROD]\nBACKEND=ODBC\nDSN=P\n").c_str(), 1);
    EXPECT_EQ(TAliasStore::DefaultFileName(), m_dir.File("aliases.ini"));
    const TQtSession session;
    unsetenv("QUORVEX_ALIASES");
    EXPECT_EQ(session.AliasNames(), (std::vector<std::string>{"DEMO", "PROD"}));
    EXPECT_EQ(session.AliasParams("prod"), (std::vector<std::string>{"BACKEND=ODBC", "DSN=P"}));
}

// The login user's file first, then SYS, then the others by name; SQLite attaches at most ten.
TEST_F(SessionTest, SchemaFilesAttachInOrderUpToSqlitesLimit)
{
    for (const char* name : {"ZED.sqlite", "SYS.sqlite", "HR.sqlite", "scott.sqlite",
                             "ALPHA.sqlite", "main.sqlite", "notes.txt", "HR.sqlite-journal"})
        WriteFileBytes(m_dir.File(name), "");
    std::filesystem::create_directory(m_dir.File("FOLDER.sqlite"));
    const auto names = [this](const char* user) {
        std::string text;
        for (const TSchemaFile& file : SchemaFilesInAttachOrder(m_dir.Path().string(), user))
            text += file.Name + " ";
        return text;
    };
    EXPECT_EQ(names("Scott"), "scott SYS ALPHA HR ZED ");
    EXPECT_EQ(names("NOBODY"), "SYS ALPHA HR scott ZED ");
    EXPECT_EQ(SchemaFilesInAttachOrder(m_dir.Path().string(), "")[0].Path,
              m_dir.File("SYS.sqlite"));
    EXPECT_TRUE(SchemaFilesInAttachOrder(m_dir.File("missing"), "SYS").empty());

    std::vector<EmbeddedScript> scripts = {{"SYS", ""}};
    for (int k = 1; k <= 12; ++k) {
        const std::string name = (k < 10 ? "U0" : "U") + std::to_string(k);
        scripts[0].sql += R"(INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES ()" +
                          std::to_string(100 + k) + ", '" + name + "', 1, '');";
        scripts.push_back(
            {name,
             "CREATE TABLE \"T\" (\"OWNER\" TEXT); INSERT INTO \"T\" VALUES ('" + name + "');"});
    }
    BuildEmbeddedDatabase(m_dir.File("many"), scripts);
    m_login.UserName = "u12";
    auto session =
        MakeSession("MANY", WriteAliases("[MANY]\nBACKEND=EMBEDDED\nPATH=" + m_dir.File("many")));
    // main and ten attached databases; temp holds the catalogue views.
    EXPECT_EQ(Text(*session, "SELECT OWNER FROM T UNION ALL SELECT OWNER FROM U01.T UNION ALL "
                             "SELECT COUNT(*) FROM pragma_database_list WHERE name <> 'temp'"),
              "U12\nU01\n11\n");
    EXPECT_THROW(Text(*session, "SELECT OWNER FROM U11.T"), Exception);
}

TEST_F(SessionTest, LoginPrefillsTheAliasUserAndConnectsOnce)
{
    auto session = MakeSession("test");
    EXPECT_EQ(session->UserName(), "");
    EXPECT_EQ(Text(*session, "SELECT COUNT(*) FROM EMP"), "3\n"); // a query logs in first
    EXPECT_EQ(m_login.Seen.Alias + "/" + m_login.Seen.UserName + "/" + m_login.Seen.Password,
              "test/scott/");
    EXPECT_TRUE(session->Connected());
    EXPECT_EQ(session->UserName(), "SCOTT");
    EXPECT_EQ(session->AliasDriver("Test"), "ORACLE");
    // The one Qt connection carries the global database name.
    EXPECT_TRUE(QSqlDatabase::contains("QuorvexGlobal"));
    session->Open();
    EXPECT_EQ(Text(*session, "SELECT COUNT(*) FROM EMP"), "3\n");
    EXPECT_EQ(m_login.Calls, 1);
    session->Close();
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(session->UserName(), "");
    EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
}

// User and password as the login dialog gives them, and the user logged in or the message.
TEST_F(SessionTest, LoginOutcomes)
{
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"scott", "tiger", "SCOTT"},
        {"Scott", "TIGER", "SCOTT"}, // passwords compare without regard to case
        {"hr", "Hr", "HR"},
        {"nopass", "", "NOPASS"},
        {"NOPASS", "anything", "NOPASS"},
        {"sys", "change_on_install", "SYS"},
        {"SCOTT", "lion", kInvalidLogon},
        {"SCOTT", "", kInvalidLogon},
        {"NOBODY", "tiger", kInvalidLogon},
        {"APP_ROLE", "x", kInvalidLogon},
        {"BROKEN", "x", kInvalidLogon},
        {"HR", "tiger", kInvalidLogon}};
    for (const auto& [user, password, outcome] : cases) {
        m_login.UserName = user;
        m_login.Password = password;
        auto session = MakeSession();
        const std::string message = OpenMessage(*session);
        EXPECT_EQ(message.empty() ? session->UserName() : message, outcome) << user;
        EXPECT_EQ(QSqlDatabase::contains("QuorvexGlobal"), message.empty());
    }
    auto session = MakeSession();
    session->SetLoginCallback([](TLoginParams& login) { login.UserName.clear(); });
    EXPECT_EQ(OpenMessage(*session), kInvalidLogon);
    EXPECT_EQ(session->UserName(), "");
}

TEST_F(SessionTest, CancelledLoginIsSilentAndLeavesTheConnectionClosed)
{
    m_login.Abort = true;
    auto session = MakeSession();
    EXPECT_EQ(OpenMessage(*session), "EAbort");
    EXPECT_FALSE(session->Connected());
    // A query opening the connection is cancelled the same way and stays closed.
    auto query = session->CreateQuery();
    query->SetSQL("SELECT 1 FROM DUAL");
    EXPECT_THROW(query->Open(), EAbort);
    EXPECT_FALSE(query->IsOpen());
    EXPECT_FALSE(session->Connected());
    EXPECT_EQ(m_login.Calls, 2);
    // The program's login handler aborts on an empty alias; without it the session says why.
    session->SetAlias("");
    EXPECT_EQ(OpenMessage(*session), "EAbort");
    m_login.Abort = false;
    EXPECT_EQ(OpenMessage(*session), "No alias specified");
    EXPECT_EQ(m_login.Calls, 4);
}

// Aliases that cannot connect: an unknown alias, a missing QOCI driver, a missing folder.
TEST_F(SessionTest, AliasesThatCannotConnectRaise)
{
    const std::string gone = m_dir.File("gone");
    m_aliases = WriteAliases("[GONE]\nBACKEND=EMBEDDED\nPATH=" + gone +
                             "\n[PROD]\nDRIVER=ORACLE\nBACKEND=OCI\nHOST=db1\nPORT=1521\n"
                             "SERVICE NAME=ORCL\n");
    std::vector<std::pair<std::string, std::string>> cases = {{"NOPE", "Alias NOPE not found"}};
    if (!QSqlDatabase::isDriverAvailable("QOCI"))
        cases.push_back({"PROD", "The Qt SQL driver QOCI (Oracle OCI) is not available in this Qt "
                                 "installation. Reach Oracle through ODBC instead: set "
                                 "BACKEND=ODBC in the alias, with a DSN or CONNECT STRING for "
                                 "Oracle's ODBC driver."});
    // The missing folder is found once the user has logged in.
    cases.push_back({"GONE", "No embedded database in " + gone + " (SYS.sqlite is missing)"});
    for (const auto& [alias, message] : cases) {
        auto session = MakeSession(alias);
        EXPECT_EQ(OpenMessage(*session), message);
        EXPECT_FALSE(session->Connected());
        EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
        // No password is asked for a connection that cannot be made.
        EXPECT_EQ(m_login.Calls, alias == "GONE" ? 1 : 0);
    }
}

TEST_F(SessionTest, ChangingTheAliasClosesTheConnection)
{
    const std::string aliases =
        WriteAliases("[ONE]\nBACKEND=EMBEDDED\nPATH=" + m_folder +
                     "\nUSER NAME=SCOTT\n[TWO]\nBACKEND=EMBEDDED\nPATH=" + BuildDatabase("other") +
                     "\nUSER NAME=HR\n");
    auto session = MakeSession("ONE", aliases);
    auto query = session->CreateQuery();
    query->SetSQL("SELECT ENAME FROM EMP");
    query->Open();
    session->SetAlias("ONE");
    EXPECT_TRUE(session->Connected() && query->IsOpen());
    session->SetAlias("TWO");
    EXPECT_FALSE(session->Connected() || query->IsOpen());
    m_login.Password = "hr";
    query->Open();
    EXPECT_EQ(session->UserName() + " " + query->AsText(0), "HR KING");
}

TEST_F(SessionTest, BuiltInDemoIsBuiltOnFirstUse)
{
    auto session = MakeSession("DEMO", m_dir.File("none.ini"));
    EXPECT_EQ(Text(*session, R"(SELECT "USER#" FROM SYS."USER$" WHERE "NAME" = 'SCOTT')"), "59\n");
    EXPECT_EQ(m_login.Seen.UserName, "SCOTT");
    EXPECT_EQ(session->UserName(), "SCOTT");
    EXPECT_TRUE(std::filesystem::exists(DemoFolder() + "/SYS.sqlite"));
}

} // namespace
} // namespace quorvex::test
