// The ODBC backend, exercised with the SQLite ODBC driver against an embedded database folder:
// the Oracle SQL of the dictionary reader runs unchanged through it.
#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QSqlDatabase>
#include <cmath>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class OdbcSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QSqlDatabase::isDriverAvailable("QODBC"))
            GTEST_SKIP() << "this Qt has no QODBC driver";
        m_folder = BuildTestDatabase(m_dir);
        m_aliases = WriteAliases(m_dir, "[LITE]\nDRIVER=ORACLE\nBACKEND=ODBC\n"
                                        "CONNECT STRING=DRIVER=SQLite3;Database=" +
                                            m_folder + "/SYS.sqlite\nUSER NAME=scott\n");
        m_login.Password = "tiger";
        m_session = MakeSession(m_aliases, "LITE", m_login);
    }

    TempDir m_dir;
    std::string m_folder;
    std::string m_aliases;
    TLoginRecorder m_login;
    std::unique_ptr<TQtSession> m_session;
};

TEST_F(OdbcSessionTest, ConnectsThroughTheOdbcDriver)
{
    m_session->Open();
    EXPECT_TRUE(m_session->Connected());
    EXPECT_EQ(m_session->UserName(), "SCOTT");
    EXPECT_EQ(QSqlDatabase::database("QuorvexGlobal", false).driverName(), "QODBC");
    EXPECT_EQ(m_login.Seen.UserName, "scott");
}

TEST_F(OdbcSessionTest, DictionaryQueriesRunWithParameters)
{
    // The reader's user lookup and a restricted owners phase, as Oracle SQL.
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT * FROM SYS.\"USER$\"");
    q->Open();
    const int name = q->FieldIndex("NAME");
    const int number = q->FieldIndex("USER#");
    ASSERT_GE(name, 0);
    ASSERT_GE(number, 0);
    std::string scottNo;
    for (; !q->Eof(); q->Next())
        if (q->AsText(name) == "SCOTT")
            scottNo = q->AsText(number);
    EXPECT_EQ(scottNo, "59");

    q->SetSQL("SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1");
    q->AddSQL("AND USER# = :USER_NO");
    q->SetParam("USER_NO", scottNo);
    q->Open();
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(q->AsInteger(0), 59);
    EXPECT_EQ(q->AsText(1), "SCOTT");
    q->Next();
    EXPECT_TRUE(q->Eof());
}

TEST_F(OdbcSessionTest, OracleSqlIsTranslatedForSqlite)
{
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM SYS.OBJ$ O, SYS.USER$ U "
                                    "WHERE O.OWNER# = U.USER# AND U.NAME = 'HR'"),
              "2");
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT U.NAME, O.NAME FROM SYS.USER$ U, SYS.OBJ$ O "
              "WHERE U.USER# = O.OWNER#(+) AND U.NAME = :N");
    q->SetParam("N", "NOPASS");
    q->Open();
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(q->AsText(0), "NOPASS");
    EXPECT_TRUE(q->IsNull(1));

    q->SetSQL("SELECT SYSDATE FROM DUAL");
    q->Open();
    EXPECT_LT(std::fabs(q->AsDateTime(0) - NowDayNumber()), 60.0 / 86400);
}

TEST_F(OdbcSessionTest, SchemasOfTheFolderAreReachable)
{
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM EMP"), "3");
    EXPECT_EQ(FirstText(*m_session, "SELECT ENAME FROM HR.\"EMP\" WHERE EMPNO = 2"), "KOCHHAR");
    EXPECT_EQ(FirstText(*m_session, "SELECT DUMMY FROM DUAL"), "X");
}

TEST_F(OdbcSessionTest, ConversionsMatchTheEmbeddedEngine)
{
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT SAL, ENAME, HIREDATE FROM EMP ORDER BY EMPNO");
    q->Open();
    EXPECT_EQ(q->AsText(0), "800");
    EXPECT_DOUBLE_EQ(q->AsDateTime(2), 29572);
    q->Next();
    EXPECT_EQ(q->AsText(0), "1600.5");
    EXPECT_EQ(q->AsInteger(0), 1601);
    q->Next();
    EXPECT_TRUE(q->IsNull(0));
    EXPECT_EQ(q->AsText(0), "");
    EXPECT_EQ(q->AsInteger(0), 0);
    EXPECT_EQ(q->AsText(1), "WARD");
}

TEST_F(OdbcSessionTest, StatementsAndErrors)
{
    m_session->ExecuteStatement("CREATE TABLE SCOTT.NOTES (ID INTEGER, BODY TEXT)");
    auto insert = m_session->CreateQuery();
    insert->SetSQL("INSERT INTO SCOTT.NOTES VALUES (:ID, :BODY)");
    insert->SetParam("ID", std::int64_t{1});
    insert->SetParam("BODY", "");
    insert->ExecSQL();
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM NOTES WHERE BODY IS NULL"), "1");

    auto bad = m_session->CreateQuery();
    bad->SetSQL("SELECT * FROM NO_SUCH_TABLE");
    try {
        bad->Open();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("no such table"), std::string::npos) << e.what();
    }
}

TEST_F(OdbcSessionTest, UnreachableDataSourceRaisesTheDriverMessage)
{
    const std::string aliases =
        WriteAliases(m_dir, "[BAD]\nBACKEND=ODBC\nDSN=quorvex_no_such_dsn\n");
    TLoginRecorder login;
    auto session = MakeSession(aliases, "BAD", login);
    try {
        session->Open();
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("QODBC"), std::string::npos) << e.what();
    }
    EXPECT_EQ(login.Calls, 1);
    EXPECT_FALSE(session->Connected());
    EXPECT_FALSE(QSqlDatabase::contains("QuorvexGlobal"));
}

} // namespace
} // namespace quorvex::test
