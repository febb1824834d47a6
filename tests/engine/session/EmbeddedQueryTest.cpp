// Queries on the embedded engine: conversions, parameters, the SQL text, the cursor, name
// resolution across schemas, SYSDATE and errors.
#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <cmath>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class EmbeddedQueryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_aliases = EmbeddedAliases(m_dir, BuildTestDatabase(m_dir));
        m_login.Password = "tiger";
        m_session = MakeSession(m_aliases, "TEST", m_login);
    }

    std::unique_ptr<TQuery> Open(std::string_view sql, bool parseParams = true)
    {
        auto query = m_session->CreateQuery(parseParams);
        query->SetSQL(sql);
        query->Open();
        return query;
    }

    std::string ErrorOf(std::string_view sql)
    {
        try {
            Open(sql);
        } catch (const Exception& e) {
            return e.what();
        }
        return "";
    }

    TempDir m_dir;
    std::string m_aliases;
    TLoginRecorder m_login;
    std::unique_ptr<TQtSession> m_session;
};

TEST_F(EmbeddedQueryTest, ValuesConvertAsTheProgramReadsThem)
{
    auto q = Open("SELECT NULL, 2.5, -2.5, 1e27, 0.1, 123456789012345678, "
                  "'1899-12-31 12:00:00', '42', 'abc', 7 FROM DUAL");
    ASSERT_FALSE(q->Eof());
    ASSERT_EQ(q->FieldCount(), 10);
    struct TCase {
        int column;
        bool isNull;
        const char* text;
        std::int64_t integer;
    };
    const TCase cases[] = {
        {0, true, "", 0},       {1, false, "2.5", 3},
        {2, false, "-2.5", -3}, {3, false, "1E27", std::numeric_limits<std::int64_t>::max()},
        {4, false, "0.1", 0},   {5, false, "1.23456789012346E17", 123456789012345678},
        {7, false, "42", 42},   {9, false, "7", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.column);
        EXPECT_EQ(q->IsNull(c.column), c.isNull);
        EXPECT_EQ(q->AsText(c.column), c.text);
        EXPECT_EQ(q->AsInteger(c.column), c.integer);
    }
    EXPECT_DOUBLE_EQ(q->AsDateTime(0), 0);
    EXPECT_DOUBLE_EQ(q->AsDateTime(6), 1.5);
    EXPECT_DOUBLE_EQ(q->AsDateTime(1), 2.5);
    EXPECT_DOUBLE_EQ(q->AsFloat(4), 0.1);
    EXPECT_EQ(q->AsText(8), "abc");
    EXPECT_THROW(q->AsInteger(8), Exception);
}

TEST_F(EmbeddedQueryTest, TableColumnsConvert)
{
    auto q = Open("SELECT EMPNO, ENAME, SAL, HIREDATE FROM EMP ORDER BY EMPNO");
    std::vector<std::string> rows;
    for (; !q->Eof(); q->Next())
        rows.push_back(q->AsText(0) + "|" + q->AsText(1) + "|" + q->AsText(2) + "|" +
                       std::to_string(q->AsInteger(2)) + "|" + q->AsText(3) + "|" +
                       std::to_string(q->AsDateTime(3)) + "|" + (q->IsNull(2) ? "null" : "-"));
    EXPECT_EQ(rows,
              (std::vector<std::string>{"7369|SMITH|800|800|1980-12-17 00:00:00|29572.000000|-",
                                        "7499|ALLEN|1600.5|1601|1981-02-20 00:00:00|29637.000000|-",
                                        "7521|WARD||0||0.000000|null"}));
}

TEST_F(EmbeddedQueryTest, SysdateFromDualIsNow)
{
    auto q = Open("SELECT SYSDATE FROM DUAL");
    ASSERT_FALSE(q->Eof());
    const double now = NowDayNumber();
    EXPECT_LT(std::fabs(q->AsDateTime(0) - now), 60.0 / 86400);
    q->Next();
    EXPECT_TRUE(q->Eof());
}

TEST_F(EmbeddedQueryTest, UnqualifiedNamesResolveToTheLoginUser)
{
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM EMP"), "3");
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM HR.EMP"), "2");
    EXPECT_EQ(FirstText(*m_session, "SELECT ENAME FROM HR.\"EMP\" WHERE EMPNO = 1"), "KING");
    EXPECT_EQ(FirstText(*m_session, "SELECT DUMMY FROM DUAL"), "X");

    m_session->Close();
    m_login.UserName = "hr";
    m_login.Password = "hr";
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM EMP"), "2");
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM SCOTT.\"EMP\""), "3");
    EXPECT_EQ(FirstText(*m_session, "SELECT NAME FROM DEPARTMENTS"), "Administration");
}

TEST_F(EmbeddedQueryTest, DictionaryQueriesRunAsOracleWritesThem)
{
    EXPECT_EQ(FirstText(*m_session, "SELECT NAME FROM SYS.USER$ WHERE USER# = 59"), "SCOTT");
    // An Oracle outer join over two dictionary tables.
    auto q = Open("SELECT U.NAME, O.NAME FROM SYS.USER$ U, SYS.OBJ$ O "
                  "WHERE U.USER# = O.OWNER#(+) AND U.TYPE# = 1 ORDER BY U.NAME, O.NAME");
    std::vector<std::string> rows;
    for (; !q->Eof(); q->Next())
        rows.push_back(q->AsText(0) + "." + (q->IsNull(1) ? "-" : q->AsText(1)));
    EXPECT_EQ(rows, (std::vector<std::string>{"BROKEN.-", "HR.DEPARTMENTS", "HR.EMP", "NOPASS.-",
                                              "SCOTT.EMP", "SYS.DUAL"}));
}

TEST_F(EmbeddedQueryTest, NamedAndPositionalParameters)
{
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT \"NAME\" FROM SYS.\"USER$\" WHERE \"USER#\" = :USER_NO");
    q->SetParam("USER_NO", "46"); // bound as text, as the reader binds it
    q->Open();
    EXPECT_EQ(q->AsText(0), "HR");
    q->SetParam("user_no", std::int64_t{59});
    q->Open();
    EXPECT_EQ(q->AsText(0), "SCOTT");

    q->SetSQL("SELECT :0 || '-' || :1, :1 + 1 FROM DUAL");
    q->SetParam(0, "a");
    q->SetParam(1, std::int64_t{41});
    q->Open();
    EXPECT_EQ(q->AsText(0), "a-41");
    EXPECT_EQ(q->AsInteger(1), 42);

    // An index counts the distinct parameters of the text in order.
    q->SetSQL("SELECT :B || :A || :B FROM DUAL");
    q->SetParam(0, "x");
    q->SetParam(1, "y");
    q->Open();
    EXPECT_EQ(q->AsText(0), "xyx");
    EXPECT_THROW(q->SetParam(2, "z"), Exception);
}

TEST_F(EmbeddedQueryTest, EmptyTextParameterIsNull)
{
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT :A IS NULL, :B IS NULL, :UNSET IS NULL FROM DUAL");
    q->SetParam("A", "");
    q->SetParam("B", " ");
    q->Open();
    EXPECT_EQ(q->AsInteger(0), 1);
    EXPECT_EQ(q->AsInteger(1), 0);
    EXPECT_EQ(q->AsInteger(2), 1);
}

TEST_F(EmbeddedQueryTest, WithoutParameterParsingColonsStayAndValuesAreIgnored)
{
    const char* sql = "SELECT ':X', COALESCE(:X, 'unbound') FROM DUAL";
    auto parsed = m_session->CreateQuery(true);
    parsed->SetSQL(sql);
    parsed->SetParam("X", "bound");
    parsed->Open();
    EXPECT_EQ(parsed->AsText(0), ":X");
    EXPECT_EQ(parsed->AsText(1), "bound");

    auto typed = m_session->CreateQuery(false);
    typed->SetSQL(sql);
    typed->SetParam("X", "bound");
    EXPECT_NO_THROW(typed->SetParam(5, "ignored"));
    typed->Open();
    EXPECT_EQ(typed->AsText(0), ":X");
    EXPECT_EQ(typed->AsText(1), "unbound");
}

TEST_F(EmbeddedQueryTest, SqlTextIsKeptAsLines)
{
    auto q = m_session->CreateQuery();
    q->SetSQL("SELECT ENAME\r\nFROM EMP\nWHERE EMPNO = 7369\r\n");
    EXPECT_EQ(q->SQLText(), "SELECT ENAME\r\nFROM EMP\r\nWHERE EMPNO = 7369\r\n");
    q->AddSQL("ORDER BY 1");
    EXPECT_EQ(q->SQLText(), "SELECT ENAME\r\nFROM EMP\r\nWHERE EMPNO = 7369\r\nORDER BY 1\r\n");
    q->Open();
    EXPECT_EQ(q->AsText(0), "SMITH");
    q->ClearSQL();
    EXPECT_FALSE(q->IsOpen());
    EXPECT_EQ(q->SQLText(), "");
    q->AddSQL("SELECT COUNT(*)");
    q->AddSQL("FROM EMP");
    EXPECT_EQ(q->SQLText(), "SELECT COUNT(*)\r\nFROM EMP\r\n");
    q->Open();
    EXPECT_EQ(q->AsInteger(0), 3);
    q->SetSQL("");
    EXPECT_EQ(q->SQLText(), "");
}

TEST_F(EmbeddedQueryTest, CursorWalksFirstReRunsAndCloseEnds)
{
    auto q = Open("SELECT EMPNO, ENAME AS \"Name\" FROM EMP ORDER BY EMPNO");
    EXPECT_TRUE(q->IsOpen());
    EXPECT_EQ(q->FieldName(1), "Name");
    EXPECT_EQ(q->FieldIndex("name"), 1);
    EXPECT_EQ(q->FieldIndex("EMPNO"), 0);
    EXPECT_EQ(q->FieldIndex("SAL"), -1);
    std::vector<std::int64_t> numbers;
    for (; !q->Eof(); q->Next())
        numbers.push_back(q->AsInteger(0));
    EXPECT_EQ(numbers, (std::vector<std::int64_t>{7369, 7499, 7521}));
    // Past the end every field reads as null, and Next stays there.
    EXPECT_TRUE(q->IsNull(0));
    EXPECT_EQ(q->AsText(1), "");
    q->Next();
    EXPECT_TRUE(q->Eof());

    q->First();
    ASSERT_FALSE(q->Eof());
    EXPECT_EQ(q->AsInteger(0), 7369);
    q->First(); // still on the first row
    EXPECT_EQ(q->AsInteger(0), 7369);
    q->Next();
    EXPECT_EQ(q->AsInteger(0), 7499);

    EXPECT_THROW(q->AsText(2), Exception);
    EXPECT_THROW(q->AsText(-1), Exception);
    q->Close();
    EXPECT_FALSE(q->IsOpen());
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->FieldCount(), 0);
    EXPECT_THROW(q->AsText(0), Exception);
    EXPECT_THROW(q->Next(), Exception);
}

TEST_F(EmbeddedQueryTest, EmptyResultIsEofAtOnce)
{
    auto q = Open("SELECT ENAME FROM EMP WHERE 1 = 0");
    EXPECT_TRUE(q->IsOpen());
    EXPECT_TRUE(q->Eof());
    EXPECT_EQ(q->FieldCount(), 1);
    EXPECT_TRUE(q->IsNull(0));
}

TEST_F(EmbeddedQueryTest, FailedStatementsCarryTheDatabaseMessage)
{
    EXPECT_EQ(ErrorOf("SELECT * FROM NO_SUCH_TABLE"), "no such table: NO_SUCH_TABLE");
    EXPECT_EQ(ErrorOf("SELECT NO_SUCH_COLUMN FROM EMP"), "no such column: NO_SUCH_COLUMN");
    EXPECT_EQ(ErrorOf("SELEC 1"), "near \"SELEC\": syntax error");
    try {
        m_session->ExecuteStatement("INSERT INTO NOWHERE VALUES (1)");
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "no such table: NOWHERE");
    }
    // The connection survives a failed statement.
    EXPECT_EQ(FirstText(*m_session, "SELECT COUNT(*) FROM EMP"), "3");
}

TEST_F(EmbeddedQueryTest, StatementsWithoutResult)
{
    m_session->ExecuteStatement("CREATE TABLE SCOTT.NOTES (ID INTEGER, BODY TEXT)");
    auto insert = m_session->CreateQuery();
    insert->SetSQL("INSERT INTO SCOTT.NOTES VALUES (:ID, :BODY)");
    insert->SetParam("ID", std::int64_t{1});
    insert->SetParam("BODY", "first: with a colon");
    insert->ExecSQL();
    insert->SetParam("ID", std::int64_t{2});
    insert->SetParam("BODY", "");
    insert->ExecSQL();
    // Several statements in one text all run.
    m_session->ExecuteStatement("INSERT INTO SCOTT.NOTES VALUES (3, ':X'); "
                                "INSERT INTO SCOTT.NOTES VALUES (4, 'four');");

    auto q = Open("SELECT ID, BODY FROM NOTES ORDER BY ID");
    std::vector<std::string> rows;
    for (; !q->Eof(); q->Next())
        rows.push_back(q->AsText(0) + "=" + (q->IsNull(1) ? "null" : q->AsText(1)));
    EXPECT_EQ(rows,
              (std::vector<std::string>{"1=first: with a colon", "2=null", "3=:X", "4=four"}));
}

TEST_F(EmbeddedQueryTest, ClosingTheSessionClosesItsQueries)
{
    auto q = Open("SELECT ENAME FROM EMP");
    EXPECT_EQ(m_login.Calls, 1);
    m_session->Close();
    EXPECT_FALSE(q->IsOpen());
    EXPECT_TRUE(q->Eof());
    q->Open(); // logs in again
    EXPECT_EQ(m_login.Calls, 2);
    EXPECT_EQ(q->AsText(0), "SMITH");
}

TEST_F(EmbeddedQueryTest, QueryOutlivingItsSessionRaises)
{
    auto q = Open("SELECT ENAME FROM EMP");
    m_session.reset();
    EXPECT_FALSE(q->IsOpen());
    EXPECT_THROW(q->Open(), Exception);
    EXPECT_THROW(q->ExecSQL(), Exception);
}

} // namespace
} // namespace quorvex::test
