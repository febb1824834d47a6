#include "SessionTestSupport.h"

#include "SqliteRows.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

namespace quorvex::test {

TLoginCallback TLoginRecorder::Callback()
{
    return [this](TLoginParams& params) {
        ++Calls;
        Seen = params;
        if (Abort)
            throw EAbort("login cancelled");
        if (!UserName.empty())
            params.UserName = UserName;
        params.Password = Password;
    };
}

SessionTest::SessionTest()
    : m_folder(BuildDatabase("db"))
    , m_aliases(WriteAliases("[TEST]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + m_folder +
                             "\nUSER NAME=scott\n"))
{
}

std::string SessionTest::BuildDatabase(const std::string& name)
{
    const std::string folder = m_dir.File(name);
    BuildEmbeddedDatabase(
        folder, {{"SYS", R"(INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES
                 (59, 'SCOTT', 1, 'f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e'),
                 (46, 'HR', 1, '1b52f3a2e15148731314bf167145c54565ed2385a862b5eb7771eaf719e4f82e'),
                 (70, 'NOPASS', 1, ''), (71, 'APP_ROLE', 0, ''), (72, 'BROKEN', 1, 'not-a-hash');
                 INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES
                 (50000, 59, 'EMP', 2), (50001, 46, 'EMP', 2), (50002, 46, 'DEPARTMENTS', 2);)"},
                 {"SCOTT", R"(CREATE TABLE "EMP" ("EMPNO" INTEGER, "ENAME" TEXT, "SAL" NUMERIC,
                                          "HIREDATE" TEXT);
                   INSERT INTO "EMP" VALUES (7369, 'SMITH', 800, '1980-12-17 00:00:00'),
                                            (7499, 'ALLEN', 1600.5, '1981-02-20 00:00:00'),
                                            (7521, 'WARD', NULL, NULL);)"},
                 {"HR", R"(CREATE TABLE "EMP" ("EMPNO" INTEGER, "ENAME" TEXT);
                INSERT INTO "EMP" VALUES (1, 'KING'), (2, 'KOCHHAR');
                CREATE TABLE "DEPARTMENTS" ("DEPARTMENT_ID" INTEGER, "NAME" TEXT);
                INSERT INTO "DEPARTMENTS" VALUES (10, 'Administration');)"}});
    return folder;
}

std::string SessionTest::WriteAliases(std::string_view text)
{
    const std::string file = m_dir.File("aliases.ini");
    WriteFileBytes(file, text);
    return file;
}

std::unique_ptr<TQtSession> SessionTest::MakeSession(const std::string& alias,
                                                     const std::string& aliasFile)
{
    auto session = std::make_unique<TQtSession>(aliasFile.empty() ? m_aliases : aliasFile);
    session->SetLoginCallback(m_login.Callback());
    session->SetAlias(alias);
    return session;
}

std::string SessionTest::OpenMessage(TQtSession& session)
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

std::string SessionTest::Text(TDatabaseSession& session, std::string_view sql)
{
    return RowsText(SessionRows(session, sql));
}

} // namespace quorvex::test
