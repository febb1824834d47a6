#include "SessionTestSupport.h"

#include "engine/QtSession.h"
#include "engine/ValueConversion.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <QDateTime>

namespace quorvex::test {

std::string BuildTestDatabase(const TempDir& dir, const std::string& name)
{
    const std::string folder = dir.File(name);
    BuildEmbeddedDatabase(
        folder, {{"SYS", R"(INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES
                 (59, 'SCOTT', 1, 'f15c16b99f82d8201767d3a841ff40849c8a1b812ffbfd2e393d2b6aa6682a6e'),
                 (46, 'HR', 1, '1b52f3a2e15148731314bf167145c54565ed2385a862b5eb7771eaf719e4f82e'),
                 (70, 'NOPASS', 1, ''),
                 (71, 'APP_ROLE', 0, ''),
                 (72, 'BROKEN', 1, 'not-a-hash');
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

std::string WriteAliases(const TempDir& dir, std::string_view text)
{
    const std::string file = dir.File("aliases.ini");
    WriteFileBytes(file, text);
    return file;
}

std::string EmbeddedAliases(const TempDir& dir, const std::string& folder)
{
    return WriteAliases(dir, "[TEST]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                 "\nUSER NAME=scott\n");
}

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

std::unique_ptr<TQtSession> MakeSession(const std::string& aliasFile, const std::string& alias,
                                        TLoginRecorder& login)
{
    auto session = std::make_unique<TQtSession>(aliasFile);
    session->SetLoginCallback(login.Callback());
    session->SetAlias(alias);
    return session;
}

std::string FirstText(TDatabaseSession& session, std::string_view sql)
{
    auto query = session.CreateQuery();
    query->SetSQL(sql);
    query->Open();
    if (query->Eof())
        throw std::runtime_error("no row from " + std::string(sql));
    return query->AsText(0);
}

double NowDayNumber()
{
    const QDateTime now = QDateTime::currentDateTime();
    return DayNumber(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                     now.time().minute(), now.time().second());
}

} // namespace quorvex::test
