// The sql command on a private copy of the demo database: queries print tab-separated rows,
// other statements print OK, errors exit 2 with the database's message; in process and
// through the built executable.
#include "DemoCopy.h"
#include "TestSupport.h"
#include "cli/Cli.h"
#include "engine/demo/DemoDatabase.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <iostream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace quorvex {
namespace {

struct TResult {
    int Code = -1;
    std::string Out;
    std::string Err;
};

class CliSql : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string folder = m_dir.File("demo");
        test::CopyDemoDatabase(folder);
        m_aliases = m_dir.File("aliases.ini");
        test::WriteFileBytes(m_aliases, "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" + folder +
                                            "\nUSER NAME=SCOTT\n");
        setenv("QUORVEX_ALIASES", m_aliases.c_str(), 1);
    }
    void TearDown() override { unsetenv("QUORVEX_ALIASES"); }

    static TResult Sql(const std::string& statement, const std::string& user = "scott",
                       const std::string& password = "tiger")
    {
        std::ostringstream out;
        std::ostringstream err;
        TResult result;
        result.Code = RunCli({"sql", "DEMO", user, password, statement}, out, err);
        result.Out = out.str();
        result.Err = err.str();
        return result;
    }

    test::TempDir m_dir;
    std::string m_aliases;
};

TEST_F(CliSql, QueryPrintsHeaderAndTabSeparatedRows)
{
    const TResult result = Sql("SELECT DEPTNO, DNAME, LOC FROM DEPT ORDER BY DEPTNO");
    EXPECT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out, "DEPTNO\tDNAME\tLOC\n"
                          "10\tACCOUNTING\tNEW YORK\n"
                          "20\tRESEARCH\tDALLAS\n"
                          "30\tSALES\tCHICAGO\n"
                          "40\tOPERATIONS\tBOSTON\n");
}

TEST_F(CliSql, NullsAreEmptyFieldsAndLowerCaseSelectIsAQuery)
{
    const TResult result =
        Sql("select ENAME, COMM, MGR from EMP\nwhere EMPNO in (7839, 7499) order by EMPNO");
    EXPECT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_EQ(result.Out, "ENAME\tCOMM\tMGR\nALLEN\t300\t7698\nKING\t\t\n");
}

TEST_F(CliSql, StarLineQueriesTheTable)
{
    const TResult result = Sql("*SALGRADE");
    EXPECT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_TRUE(result.Out.starts_with("GRADE\tLOSAL\tHISAL\n1\t700\t1200\n")) << result.Out;
    EXPECT_EQ(std::count(result.Out.begin(), result.Out.end(), '\n'), 6);
}

TEST_F(CliSql, StatementsPrintOkAndChangeTheDatabase)
{
    const TResult create = Sql("CREATE TABLE NOTES (ID NUMBER(4) PRIMARY KEY, BODY VARCHAR2(20))");
    EXPECT_EQ(create.Code, ExitCodes::Success) << create.Err;
    EXPECT_EQ(create.Out, "OK\n");
    EXPECT_EQ(Sql("INSERT INTO NOTES VALUES (1, 'first')").Out, "OK\n");
    EXPECT_EQ(Sql("SELECT COUNT(1) FROM SYS.OBJ$ WHERE NAME = 'NOTES'").Out, "COUNT(1)\n1\n");
    EXPECT_EQ(Sql("SELECT ID || ':' || BODY AS NOTE FROM NOTES").Out, "NOTE\n1:first\n");
    // A leading blank makes a statement of a query, as in a text pane.
    EXPECT_EQ(Sql(" SELECT 1 FROM DUAL").Out, "OK\n");
    EXPECT_EQ(Sql("DROP TABLE NOTES").Out, "OK\n");
    EXPECT_EQ(Sql("SELECT COUNT(1) FROM SYS.OBJ$ WHERE NAME = 'NOTES'").Out, "COUNT(1)\n0\n");
}

TEST_F(CliSql, ExplainPlanThroughTheCommand)
{
    ASSERT_EQ(Sql("CREATE TABLE QUORVEX_PLAN_TABLE (STATEMENT_ID VARCHAR2(30),TIMESTAMP DATE,"
                  "REMARKS VARCHAR2(80),OPERATION VARCHAR2(30),OPTIONS VARCHAR2(30),OBJECT_NODE "
                  "VARCHAR2(128),OBJECT_OWNER VARCHAR2(30),OBJECT_NAME VARCHAR2(30),"
                  "OBJECT_INSTANCE NUMERIC,OBJECT_TYPE VARCHAR2(30),OPTIMIZER VARCHAR2(255),"
                  "SEARCH_COLUMNS NUMERIC,ID NUMERIC,PARENT_ID NUMERIC,POSITION NUMERIC,COST "
                  "NUMERIC,CARDINALITY NUMERIC,BYTES NUMERIC,OTHER_TAG VARCHAR2(255),OTHER LONG)")
                  .Out,
              "OK\n");
    ASSERT_EQ(Sql("EXPLAIN PLAN SET STATEMENT_ID = '9' INTO QUORVEX_PLAN_TABLE FOR "
                  "SELECT * FROM BONUS")
                  .Out,
              "OK\n");
    const TResult plan = Sql("SELECT LPAD('>',(LEVEL+1)*3,'-')||OPERATION||' '||OPTIONS Step FROM "
                             "QUORVEX_PLAN_TABLE START WITH (ID = 0) AND (STATEMENT_ID = '9') "
                             "CONNECT BY (PRIOR ID = PARENT_ID) AND (STATEMENT_ID = '9') ");
    EXPECT_EQ(plan.Code, ExitCodes::Success) << plan.Err;
    EXPECT_EQ(plan.Out, "Step\n----->SELECT STATEMENT \n-------->TABLE ACCESS FULL\n");
}

TEST_F(CliSql, StatementFromStandardInput)
{
    std::istringstream input("SELECT DNAME FROM DEPT\r\nWHERE DEPTNO = 10\r\n");
    std::streambuf* saved = std::cin.rdbuf(input.rdbuf());
    const TResult result = Sql("-");
    std::cin.rdbuf(saved);
    EXPECT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_EQ(result.Out, "DNAME\nACCOUNTING\n");
}

TEST_F(CliSql, ErrorsExitTwoWithTheDatabasesMessage)
{
    const struct {
        std::string Statement, User, Password, Message;
    } cases[] = {
        {"SELECT * FROM NOWHERE", "scott", "tiger", "no such table: NOWHERE\n"},
        {"DROP TABLE NOWHERE", "scott", "tiger", "ORA-00942: table or view does not exist\n"},
        {"SELECT 1 FROM DUAL", "scott", "wrong",
         "ORA-01017: invalid username/password; logon denied\n"},
        {"", "scott", "tiger", "The statement is empty\n"},
        {"\nSELECT 1 FROM DUAL", "scott", "tiger", "The first line of the statement is empty\n"},
    };
    for (const auto& c : cases) {
        const TResult result = Sql(c.Statement, c.User, c.Password);
        EXPECT_EQ(result.Code, ExitCodes::Error) << c.Statement;
        EXPECT_EQ(result.Out, "") << c.Statement;
        EXPECT_EQ(result.Err, c.Message) << c.Statement;
    }
}

// Single quotes for the shell; a quote inside is closed, escaped and reopened.
std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

TEST_F(CliSql, ExecutableReadsStandardInputAndSetsTheExitStatus)
{
    const auto run = [&](const std::string& input, const std::string& statement) {
        const std::string command = "printf %s " + Quoted(input) + " | " +
                                    Quoted(QUORVEX_CLI_EXECUTABLE) + " sql DEMO scott tiger " +
                                    Quoted(statement) + " >" + Quoted(m_dir.File("out")) + " 2>" +
                                    Quoted(m_dir.File("err"));
        const int status = std::system(command.c_str());
        return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
    };
    ASSERT_EQ(run("SELECT EMPNO FROM EMP WHERE ENAME = 'KING'", "-"), 0)
        << test::ReadFileBytes(m_dir.File("err"));
    EXPECT_EQ(test::ReadFileBytes(m_dir.File("out")), "EMPNO\n7839\n");
    ASSERT_EQ(run("", "UPDATE EMP SET SAL = SAL + 1 WHERE ENAME = 'KING'"), 0);
    EXPECT_EQ(test::ReadFileBytes(m_dir.File("out")), "OK\n");
    ASSERT_EQ(run("", "UPDATE NOWHERE SET A = 1"), 2);
    EXPECT_EQ(test::ReadFileBytes(m_dir.File("out")), "");
    EXPECT_EQ(test::ReadFileBytes(m_dir.File("err")), "no such table: NOWHERE\n");
}

} // namespace
} // namespace quorvex
