// Queries on the embedded engine and through ODBC: conversions, parameters, the SQL text, the
// cursor, name resolution across schemas, SYSDATE, errors and stored procedures.
#include "SessionTestSupport.h"
#include "engine/FieldConversion.h"
#include "engine/SessionStoredProc.h"
#include "engine/StatementParams.h"
#include "engine/ValueConversion.h"
#include "persistence/Exceptions.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <cmath>
#include <iomanip>
#include <sstream>

namespace quorvex::test {
namespace {

// A value given as "<kind letter>:<value>" ("" for null) read as text, integer, number and
// date-time, "error" where the reading raises.
std::string Readings(std::string_view given)
{
    const std::string text(given.substr(std::min<size_t>(2, given.size())));
    const auto number = [&text] { return std::stod(text); };
    const TFieldValue value =
        given.empty()     ? TFieldValue{}
        : given[0] == 'i' ? TFieldValue{TFieldValue::TKind::Integer, std::stoll(text), 0, {}}
        : given[0] == 'r' ? TFieldValue{TFieldValue::TKind::Real, 0, number(), {}}
        : given[0] == 'd' ? TFieldValue{TFieldValue::TKind::DateTime, 0, number(), {}}
                          : TFieldValue{TFieldValue::TKind::Text, 0, 0, text};
    const auto read = [](auto conversion) -> std::string {
        try {
            std::ostringstream out;
            out << std::setprecision(15) << conversion();
            return out.str();
        } catch (const Exception&) {
            return "error";
        }
    };
    return FieldAsText(value) + "|" + read([&] { return FieldAsInteger(value); }) + "|" +
           read([&] { return FieldAsFloat(value); }) + "|" +
           read([&] { return FieldAsDateTime(value); });
}

// Integers round to the nearest, half away from zero; texts must be whole numbers; large
// numbers show 15 digits and an exponent; day numbers count from 1899-12-30.
TEST(FieldConversion, ReadsValuesAsTheProgramDoes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "|0|0|0"},
        {"i:-42", "-42|-42|-42|-42"},
        {"i:123456789012345678",
         "1.23456789012346E17|123456789012345678|1.23456789012346e+17|1.23456789012346e+17"},
        {"r:0.1", "0.1|0|0.1|0.1"},
        {"r:2.5", "2.5|3|2.5|2.5"},
        {"r:-2.5", "-2.5|-3|-2.5|-2.5"},
        {"r:2.4999", "2.4999|2|2.4999|2.4999"},
        {"r:-0.4", "-0.4|0|-0.4|-0.4"},
        {"r:1e27", "1E27|9223372036854775807|1e+27|1e+27"},
        {"r:-1.5e-7", "-1.5E-7|0|-1.5e-07|-1.5e-07"},
        {"t:", "|0|0|0"},
        {"t: 42 ", " 42 |42|42|42"},
        {"t:+7", "+7|7|7|7"},
        {"t:123456789012345678",
         "123456789012345678|123456789012345678|1.23456789012346e+17|1.23456789012346e+17"},
        {"t:2.5", "2.5|3|2.5|2.5"},
        {"t:-1e3", "-1e3|-1000|-1000|-1000"},
        {"t:1E27", "1E27|9223372036854775807|1e+27|1e+27"},
        {"t:36526.25", "36526.25|36526|36526.25|36526.25"},
        {"t:1899-12-31 12:00:00", "1899-12-31 12:00:00|error|error|1.5"},
        {"t:1899-12-30", "1899-12-30|error|error|0"},
        {"t:2000-01-01T06:00:00", "2000-01-01T06:00:00|error|error|36526.25"},
        {"d:0", "1899-12-30 00:00:00|0|0|0"},
        {"d:1.5", "1899-12-31 12:00:00|2|1.5|1.5"},
        {"d:29572", "1980-12-17 00:00:00|29572|29572|29572"}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(Readings(value), expected) << value;
    for (const std::string text : {"abc", "12abc", "nan", "inf", "1,5", "++1", "0x10", "yesterday"})
        EXPECT_EQ(Readings("t:" + text), text + "|error|error|error");
    try {
        FieldAsInteger({TFieldValue::TKind::Text, 0, 0, "abc"});
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'abc' is not a valid integer value");
    }
    for (const char* text : {"1899-12-30 00:00:00", "1980-12-17 23:59:59", "2024-02-29 12:34:56",
                             "1850-06-01 06:00:00", "9999-12-31 23:59:59"})
        EXPECT_EQ(IsoTextFromDayNumber(DayNumberFromIsoText(text).value()), text);
    // Half a second rounds up to the next second, across midnight too.
    EXPECT_EQ(IsoTextFromDayNumber(1 - 0.4 / 86400), "1899-12-31 00:00:00");
}

// Parameter names in order of first appearance; each occurrence becomes one ?.
TEST(StatementParams, NamesAndBinding)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT * FROM T WHERE USER# = :USER_NO", "USER_NO"},
        {"SELECT :b, :A, :B, :0 FROM DUAL", "B A 0"},
        {"SELECT ':X', \":Y\" FROM DUAL -- :Z\nWHERE 1 = :W /* :V */", "W"},
        {"SELECT :1, :0 FROM DUAL", "1 0"},
        {"BEGIN x := 1; END;", ""},
        {"SELECT TO_CHAR(D, 'HH24:MI:SS') FROM T WHERE A = :A#1", "A#1"}};
    for (const auto& [sql, expected] : cases) {
        std::string names;
        for (const std::string& name : ParameterNames(sql))
            names += (names.empty() ? "" : " ") + name;
        EXPECT_EQ(names, expected) << sql;
    }
    const TParamValues values{{"A", std::string("x")}, {"B", std::int64_t{7}}};
    const TBoundStatement bound =
        BindParameters("SELECT :a, ':a', :B, :a, :MISSING FROM DUAL", true, &values);
    EXPECT_EQ(bound.Sql, "SELECT ?, ':a', ?, ?, ? FROM DUAL");
    EXPECT_EQ(bound.Values, (std::vector<TParamValue>{std::string("x"), std::int64_t{7},
                                                      std::string("x"), TParamValue()}));
    EXPECT_EQ(BindParameters("SELECT :A FROM DUAL", false, &values).Sql, "SELECT :A FROM DUAL");
    EXPECT_TRUE(BindParameters("SELECT :A FROM DUAL", false, &values).Values.empty());
    EXPECT_EQ(BindParameters("SELECT :X, :0 FROM DUAL", true, nullptr).Values,
              (std::vector<TParamValue>{TParamValue(), TParamValue()}));
}

// The current local time as a day number.
double Now()
{
    const QDateTime now = QDateTime::currentDateTime();
    return DayNumber(now.date().year(), now.date().month(), now.date().day(), now.time().hour(),
                     now.time().minute(), now.time().second());
}

// The same Oracle SQL through the embedded engine and through ODBC with the SQLite ODBC driver
// on the same folder: the reader's texts run unchanged, values convert alike.
TEST_F(SessionTest, BothBackendsRunOracleSql)
{
    WriteAliases("[TEST]\nBACKEND=EMBEDDED\nPATH=" + m_folder + "\nUSER NAME=scott\n[LITE]\n" +
                 "BACKEND=ODBC\nCONNECT STRING=DRIVER=SQLite3;Database=" + m_folder +
                 "/SYS.sqlite\nUSER NAME=scott\n[BAD]\nBACKEND=ODBC\nDSN=quorvex_no_such_dsn\n");
    for (const char* alias : {"TEST", "LITE"}) {
        SCOPED_TRACE(alias);
        if (alias[0] == 'L' && !QSqlDatabase::isDriverAvailable("QODBC"))
            GTEST_SKIP() << "this Qt has no QODBC driver";
        auto session = MakeSession(alias);
        auto q = session->CreateQuery();
        q->SetSQL("SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1");
        q->AddSQL("AND USER# = :USER_NO");
        q->SetParam("USER_NO", "59"); // bound as text, as the reader binds it
        q->Open();
        EXPECT_EQ(std::to_string(q->AsInteger(0)) + q->AsText(1) + session->UserName(),
                  "59SCOTTSCOTT");
        EXPECT_EQ(QSqlDatabase::database("QuorvexGlobal", false).driverName(),
                  alias[0] == 'L' ? "QODBC" : "QSQLITE");
        // Unqualified names are the login user's; an Oracle outer join over the dictionary.
        EXPECT_EQ(Text(*session, "SELECT U.NAME, O.NAME FROM SYS.USER$ U, SYS.OBJ$ O WHERE "
                                 "U.USER# = O.OWNER#(+) AND U.TYPE# = 1 ORDER BY U.NAME, O.NAME"),
                  "BROKEN|NULL\nHR|DEPARTMENTS\nHR|EMP\nNOPASS|NULL\nSCOTT|EMP\nSYS|DUAL\n");
        EXPECT_EQ(Text(*session, "SELECT ENAME FROM HR.\"EMP\" WHERE EMPNO = 2 UNION ALL SELECT "
                                 "DUMMY FROM DUAL UNION ALL SELECT COUNT(*) FROM EMP"),
                  "KOCHHAR\nX\n3\n");
        EXPECT_EQ(Text(*session, "SELECT EMPNO, ENAME, SAL, HIREDATE FROM EMP ORDER BY EMPNO"),
                  "7369|SMITH|800|1980-12-17 00:00:00\n7499|ALLEN|1600.5|1981-02-20 00:00:00\n"
                  "7521|WARD|NULL|NULL\n");
        q->SetSQL("SELECT SAL, HIREDATE, SYSDATE FROM EMP WHERE EMPNO = 7499");
        q->Open();
        EXPECT_EQ(q->AsInteger(0), 1601);
        EXPECT_DOUBLE_EQ(q->AsDateTime(1), 29637);
        EXPECT_LT(std::fabs(q->AsDateTime(2) - Now()), 60.0 / 86400);
        session->ExecuteStatement("CREATE TABLE SCOTT.NOTES (ID INTEGER, BODY TEXT)");
        q->SetSQL("INSERT INTO SCOTT.NOTES VALUES (:ID, :BODY)");
        for (const std::string body : {"first: with a colon", ""}) {
            q->SetParam("ID", std::int64_t{static_cast<int>(body.size())});
            q->SetParam("BODY", body); // an empty text is null
            q->ExecSQL();
        }
        EXPECT_EQ(Text(*session, "SELECT ID, BODY FROM NOTES ORDER BY ID"),
                  "0|NULL\n19|first: with a colon\n");
        EXPECT_THROW(Text(*session, "SELECT * FROM NO_SUCH_TABLE"), Exception);
        session->ExecuteStatement("DROP TABLE SCOTT.NOTES");
    }
    auto bad = MakeSession("BAD");
    EXPECT_NE(OpenMessage(*bad).find("QODBC"), std::string::npos);
    EXPECT_FALSE(bad->Connected());
}

TEST_F(SessionTest, EmbeddedQueriesKeepTheirTextAndParameters)
{
    auto session = MakeSession();
    auto q = session->CreateQuery();
    q->SetSQL("SELECT ENAME\r\nFROM EMP\nWHERE EMPNO = 7369\r\n");
    q->AddSQL("ORDER BY 1");
    EXPECT_EQ(q->SQLText(), "SELECT ENAME\r\nFROM EMP\r\nWHERE EMPNO = 7369\r\nORDER BY 1\r\n");
    q->ClearSQL();
    EXPECT_EQ(q->SQLText(), "");
    // An index counts the distinct parameters of the text in order; names ignore case.
    q->SetSQL("SELECT :B || :A || :B, :A + 1, :C IS NULL, :D IS NULL, :E IS NULL, 2.5, "
              "123456789012345678, '1899-12-31 12:00:00' FROM DUAL");
    q->SetParam(0, "x");
    q->SetParam(1, std::int64_t{41});
    q->SetParam("c", "");
    q->SetParam("D", " ");
    q->Open();
    EXPECT_EQ(q->AsText(0) + " " + q->AsText(1) + " " + q->AsText(2) + q->AsText(3) + q->AsText(4) +
                  " " + q->AsText(5) + " " + std::to_string(q->AsInteger(5)) + " " +
                  std::to_string(q->AsInteger(6)),
              "x41x 42 101 2.5 3 123456789012345678");
    EXPECT_DOUBLE_EQ(q->AsDateTime(7), 1.5);
    EXPECT_THROW(q->SetParam(8, "z"), Exception);
    auto typed = session->CreateQuery(false);
    typed->SetSQL("SELECT ':X', COALESCE(:X, 'unbound') FROM DUAL");
    typed->SetParam("X", "bound");
    EXPECT_NO_THROW(typed->SetParam(5, "ignored"));
    typed->Open();
    EXPECT_EQ(typed->AsText(0) + " " + typed->AsText(1), ":X unbound");
    // Several statements in one text all run; failures carry the database's message.
    session->ExecuteStatement("CREATE TABLE SCOTT.NOTES (ID INTEGER); INSERT INTO SCOTT.NOTES "
                              "VALUES (3); INSERT INTO SCOTT.NOTES VALUES (4);");
    EXPECT_EQ(Text(*session, "SELECT SUM(ID) FROM NOTES"), "7\n");
    for (const auto& [sql, message] :
         {std::pair{"SELECT * FROM NO_SUCH_TABLE", "no such table: NO_SUCH_TABLE"},
          {"SELECT NO_SUCH_COLUMN FROM EMP", "no such column: NO_SUCH_COLUMN"},
          {"SELEC 1", "near \"SELEC\": syntax error"},
          {"INSERT INTO NOWHERE VALUES (1)", "no such table: NOWHERE"}}) {
        try {
            session->ExecuteStatement(sql);
            ADD_FAILURE() << "no exception";
        } catch (const Exception& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
    session->Close();
    m_login.UserName = "hr";
    m_login.Password = "hr";
    EXPECT_EQ(Text(*session, "SELECT COUNT(*) FROM EMP UNION ALL SELECT COUNT(*) FROM "
                             "SCOTT.\"EMP\" UNION ALL SELECT NAME FROM DEPARTMENTS"),
              "2\n3\nAdministration\n");
}

TEST_F(SessionTest, CursorWalksFirstReRunsAndCloseEnds)
{
    auto session = MakeSession();
    auto q = session->CreateQuery();
    q->SetSQL("SELECT EMPNO, ENAME AS \"Name\" FROM EMP WHERE EMPNO < 7500 ORDER BY EMPNO");
    q->Open();
    EXPECT_EQ(q->FieldName(1), "Name");
    EXPECT_EQ(std::to_string(q->FieldIndex("name")) + std::to_string(q->FieldIndex("EMPNO")) +
                  std::to_string(q->FieldIndex("SAL")),
              "10-1");
    q->Next();
    q->Next();
    // Past the end every field reads as null, and Next stays there.
    EXPECT_TRUE(q->Eof() && q->IsNull(0) && q->AsText(1).empty());
    q->Next();
    EXPECT_TRUE(q->Eof());
    q->First();
    q->First(); // still on the first row
    EXPECT_EQ(q->AsInteger(0), 7369);
    q->Next();
    EXPECT_EQ(q->AsInteger(0), 7499);
    EXPECT_THROW(q->AsText(2), Exception);
    EXPECT_THROW(q->AsText(-1), Exception);
    q->Close();
    EXPECT_TRUE(!q->IsOpen() && q->Eof() && q->FieldCount() == 0);
    EXPECT_THROW(q->AsText(0), Exception);
    EXPECT_THROW(q->Next(), Exception);
    q->SetSQL("SELECT ENAME FROM EMP WHERE 1 = 0");
    q->Open();
    EXPECT_TRUE(q->IsOpen() && q->Eof() && q->FieldCount() == 1 && q->IsNull(0));
    // Closing the session closes its queries; opening again logs in again.
    q->SetSQL("SELECT ENAME FROM EMP");
    q->Open();
    session->Close();
    EXPECT_TRUE(!q->IsOpen() && q->Eof());
    q->Open();
    EXPECT_EQ(m_login.Calls, 2);
    EXPECT_EQ(q->AsText(0), "SMITH");
    session.reset();
    EXPECT_FALSE(q->IsOpen());
    EXPECT_THROW(q->Open(), Exception);
    EXPECT_THROW(q->ExecSQL(), Exception);
}

TEST_F(SessionTest, StoredProceduresCallTextAndTheEmbeddedRefusal)
{
    EXPECT_EQ(StoredProcCallText("SYS.DBMS_UTILITY.ANALYZE_SCHEMA", {"SCHEMA", "METHOD"}),
              "BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA(SCHEMA => :SCHEMA, METHOD => :METHOD); END;");
    EXPECT_EQ(StoredProcCallText("P", {}), "BEGIN P(); END;");
    auto session = MakeSession();
    auto proc = session->CreateStoredProc("SYS.DBMS_STATS.GATHER_SCHEMA_STATS");
    try {
        proc->Prepare();
        ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Stored procedure SYS.DBMS_STATS.GATHER_SCHEMA_STATS is not "
                               "supported by the embedded engine");
    }
    EXPECT_EQ(m_login.Calls, 1); // preparing opened the connection
    EXPECT_TRUE(proc->ParamNames().empty());
    proc->SetParam("ownname", "SCOTT");
    EXPECT_THROW(proc->Execute(), Exception);
}

} // namespace
} // namespace quorvex::test
