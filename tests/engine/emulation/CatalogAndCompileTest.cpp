// The USER_ catalogue views for the login user, with the queries the diagram, the Errors pane
// and the maintenance commands send; ALTER ... COMPILE; DBMS_UTILITY's analyses; statements
// that cannot run.
#include "EmulationTestSupport.h"
#include "engine/emulation/StoredProcedures.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(CatalogViews, DescribeScottsObjectsAsOracleDoes)
{
    DemoSession scott("scott", "tiger");
    EXPECT_EQ(scott.Text("SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, R_CONSTRAINT_NAME, "
                         "DELETE_RULE, STATUS, OWNER FROM USER_CONSTRAINTS ORDER BY 1"),
              "FK_DEPTNO|R|EMP|PK_DEPT|NO ACTION|ENABLED|SCOTT\n"
              "PK_DEPT|P|DEPT|NULL|NULL|ENABLED|SCOTT\nPK_EMP|P|EMP|NULL|NULL|ENABLED|SCOTT\n");
    EXPECT_EQ(scott.Text("SELECT CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, POSITION FROM "
                         "USER_CONS_COLUMNS ORDER BY CONSTRAINT_NAME"),
              "FK_DEPTNO|EMP|DEPTNO|1\nPK_DEPT|DEPT|DEPTNO|1\nPK_EMP|EMP|EMPNO|1\n");
    // The diagram's primary key query, line by line as it sends it.
    EXPECT_EQ(scott.Text("SELECT COLUMN_NAME FROM USER_CONSTRAINTS UC,USER_CONS_COLUMNS UCC\n"
                         "WHERE UC.TABLE_NAME = 'EMP' \nAND UC.CONSTRAINT_TYPE = 'P' \n"
                         "AND UC.CONSTRAINT_NAME = UCC.CONSTRAINT_NAME \n"),
              "EMPNO\n");
    EXPECT_EQ(scott.Text("SELECT COLUMN_ID, COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, "
                         "DATA_SCALE, NULLABLE, DATA_DEFAULT FROM USER_TAB_COLUMNS WHERE "
                         "TABLE_NAME = 'EMP' AND COLUMN_ID IN (1, 2, 5, 6) ORDER BY COLUMN_ID"),
              "1|EMPNO|NUMBER|22|4|0|N|NULL\n2|ENAME|VARCHAR2|10|NULL|NULL|Y|NULL\n"
              "5|HIREDATE|DATE|7|NULL|NULL|Y|NULL\n6|SAL|NUMBER|22|7|2|Y|NULL\n");
    EXPECT_EQ(
        scott.Text("SELECT TABLE_NAME, TABLE_TYPE, COMMENTS FROM USER_TAB_COMMENTS ORDER BY 1"),
        "BONUS|TABLE|NULL\nDEPT|TABLE|Departments of the company\n"
        "EMP|TABLE|Employees with their jobs, managers and salaries\nSALGRADE|TABLE|NULL\n");
    EXPECT_EQ(scott.Text("SELECT COLUMN_NAME,COMMENTS FROM USER_COL_COMMENTS WHERE TABLE_NAME = "
                         "'EMP' AND COMMENTS IS NOT NULL ORDER BY COLUMN_NAME"),
              "COMM|Commission of salesmen\nSAL|Monthly salary\n");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM USER_ERRORS"), 0);
    // Oracle's functions and || in a query through the session.
    EXPECT_EQ(scott.Text("SELECT DECODE(1, 1, 'a', 'b'), NVL(COMM, -1), ENAME || ' (' || COMM || "
                         "')' FROM EMP WHERE EMPNO IN (7369, 7521) ORDER BY 1, 2"),
              "a|-1|SMITH ()\na|500|WARD (500)\n");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM DUAL WHERE SYSDATE > '2000-01-01'"), 1);
}

constexpr const char* kStatus = R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = )";
constexpr const char* kCompileError = "ORA-24344: success with compilation error";

// The Errors pane's lines for one object.
std::string Errors(DemoSession& session, const std::string& name)
{
    return session.Text(R"(SELECT "LINE","POSITION","TEXT" FROM "USER_ERRORS" WHERE "NAME" = ')" +
                        name + R"(' ORDER BY "NAME","SEQUENCE")");
}

TEST(CompileObject, StoredCodeWithErrorsStaysInvalidAndListsThem)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE"), kCompileError);
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52043"), 5);
    EXPECT_EQ(Errors(hr, "PURGE_OLD_HISTORY"),
              "5|5|PL/SQL: Statement ignored\n5|16|PLS-00201: identifier 'X' must be declared\n"
              "6|5|PL/SQL: Statement ignored\n"
              "6|61|PLS-00201: identifier 'HIST_TABLE' must be declared\n");
    EXPECT_EQ(hr.Text("SELECT TYPE, SEQUENCE, ATTRIBUTE, MESSAGE_NUMBER FROM USER_ERRORS "
                      "ORDER BY SEQUENCE"),
              "PROCEDURE|1|ERROR|0\nPROCEDURE|2|ERROR|201\nPROCEDURE|3|ERROR|0\n"
              "PROCEDURE|4|ERROR|201\n");
    // Cleared errors make it valid.
    hr.Execute("DELETE FROM SYS.\"ERROR$\" WHERE \"OBJ#\" = 52043");
    hr.Execute("ALTER PROCEDURE \"PURGE_OLD_HISTORY\" COMPILE");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52043"), 1);
    EXPECT_EQ(Errors(hr, "PURGE_OLD_HISTORY"), "");
}

TEST(CompileObject, CodeWithoutErrorsBecomesValidAndAPackageBodyOnItsOwn)
{
    DemoSession hr("hr", "hr");
    hr.Execute("UPDATE SYS.\"OBJ$\" SET \"STATUS\" = 5 WHERE \"OBJ#\" IN (52042, 52046, 52047)");
    hr.Execute("ALTER PROCEDURE \"RAISE_SALARY\" COMPILE");
    hr.Execute("ALTER PACKAGE \"EMP_MGMT\" COMPILE BODY");
    const std::string statuses = R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" IN )";
    EXPECT_EQ(hr.Text(statuses + "(52042, 52046, 52047) ORDER BY \"OBJ#\""), "1\n5\n1\n");
    hr.Execute("alter package emp_mgmt compile package");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52046"), 1);
    EXPECT_EQ(hr.ErrorOf("ALTER PROCEDURE \"NOPE\" COMPILE"),
              "ORA-04043: object NOPE does not exist");
    EXPECT_EQ(hr.ErrorOf("ALTER FUNCTION \"RAISE_SALARY\" COMPILE"),
              "ORA-04043: object RAISE_SALARY does not exist");
    // Other ALTER statements go to SQLite as they are.
    hr.Execute("ALTER TABLE REGIONS ADD COLUMN NOTE TEXT");
    EXPECT_EQ(hr.Count("SELECT COUNT(NOTE) FROM REGIONS"), 0);
}

// An invalid view whose query runs becomes valid; one whose query fails is marked invalid with
// its error, and the SQLite view is left as it was.
TEST(CompileObject, ViewsBecomeValidOrKeepTheirError)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52032"), 5);
    hr.Execute("ALTER VIEW \"DEPT_SALARY_VIEW\" COMPILE");
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52032"), 1);
    EXPECT_EQ(hr.Rows("SELECT * FROM DEPT_SALARY_VIEW WHERE DEPARTMENT_ID = 10")[0].size(), 4u);
    hr.Execute("UPDATE SYS.\"VIEW$\" SET \"TEXT\" = 'SELECT NO_SUCH_COLUMN FROM EMPLOYEES' "
               "WHERE \"OBJ#\" = 52031");
    EXPECT_EQ(hr.ErrorOf("ALTER VIEW EMP_DEPT50_VIEW COMPILE"), kCompileError);
    EXPECT_EQ(hr.Count(std::string(kStatus) + "52031"), 5);
    EXPECT_EQ(Errors(hr, "EMP_DEPT50_VIEW"), "0|0|no such column: NO_SUCH_COLUMN\n");
    EXPECT_GT(hr.Count("SELECT COUNT(*) FROM EMP_DEPT50_VIEW"), 0);
}

// The statistics rows SQLite's ANALYZE left in a schema's file.
long long Statistics(DemoSession& session, const std::string& schema)
{
    return session.Count("SELECT COUNT(*) FROM " + schema +
                         ".sqlite_master WHERE name = 'sqlite_stat1'") == 0
               ? 0
               : session.Count("SELECT COUNT(*) FROM " + schema + ".sqlite_stat1");
}

// Called the way the maintenance commands call them.
TEST(StoredProcedures, AnalysesFillAndDeleteStatistics)
{
    DemoSession system("system", "manager");
    EXPECT_FALSE(emulation::EmulatedProcedureParams("SYS.DBMS_STATS.GATHER_SCHEMA_STATS"));
    for (const char* name : {"SYS.DBMS_UTILITY.ANALYZE_SCHEMA", "dbms_utility.analyze_database"}) {
        auto proc = system.Session().CreateStoredProc(name);
        proc->Prepare();
        EXPECT_EQ(proc->ParamNames().front(), name[0] == 'S' ? "SCHEMA" : "METHOD");
        if (name[0] == 'S')
            proc->SetParam("schema", "SCOTT");
        proc->SetParam("method", "COMPUTE");
        proc->SetParam("estimate_rows", std::int64_t{0});
        proc->SetParam("estimate_percent", std::int64_t{0});
        proc->SetParam("method_opt", "");
        EXPECT_THROW(proc->SetParam("tablespace", "USERS"), Exception);
        proc->Execute();
        EXPECT_EQ(Statistics(system, "HR") > 0, name[0] == 'd');
        EXPECT_GT(Statistics(system, "SCOTT"), 0);
    }
    system.Execute("BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA('HR', 'DELETE'); END;");
    EXPECT_EQ(Statistics(system, "HR"), 0);
    EXPECT_GT(Statistics(system, "SYSTEM"), 0);
    EXPECT_EQ(system.ErrorOf("BEGIN SYS.DBMS_UTILITY.ANALYZE_SCHEMA(SCHEMA => 'NOBODY', "
                             "METHOD => 'COMPUTE'); END;"),
              "ORA-01435: user does not exist");
    EXPECT_EQ(system.ErrorOf("BEGIN DBMS_UTILITY.ANALYZE_SCHEMA('HR', 'ESTIMATE', 0, 0); END;"),
              "ORA-01493: invalid SAMPLE size specified");
    EXPECT_EQ(system.ErrorOf("CALL DBMS_UTILITY.ANALYZE_SCHEMA('HR')"),
              "PLS-00306: wrong number or types of arguments in call to 'ANALYZE_SCHEMA'");
    EXPECT_EQ(system.ErrorOf("BEGIN DBMS_LOCK.SLEEP(1); END;"),
              "PLS-00201: identifier 'DBMS_LOCK.SLEEP' must be declared");
    system.Execute("EXEC DBMS_UTILITY.ANALYZE_SCHEMA('hr', 'ESTIMATE', 5)");
    EXPECT_GT(Statistics(system, "HR"), 0);
    EXPECT_THROW(system.Session().CreateStoredProc("SYS.DBMS_STATS.GATHER_SCHEMA_STATS")->Prepare(),
                 Exception);
}

// Malformed and unsupported statements end in the database's (or Oracle's) message, never in
// a crash or another kind of failure, and leave the connection usable.
TEST(OddStatements, FailWithAMessageAndLeaveTheConnectionUsable)
{
    DemoSession scott("scott", "tiger");
    const std::vector<const char*> creates({"CREATE TABLE",
                                            "CREATE TABLE X",
                                            "CREATE TABLE X (",
                                            "CREATE TABLE X ()",
                                            "CREATE TABLE X (A NUMBER DEFAULT)",
                                            "CREATE GLOBAL TEMPORARY",
                                            "CREATE VIEW",
                                            "CREATE VIEW V",
                                            "CREATE VIEW V AS",
                                            "CREATE OR REPLACE VIEW V (",
                                            "CREATE INDEX",
                                            "CREATE INDEX I ON",
                                            "CREATE INDEX I ON EMP",
                                            "CREATE INDEX I ON EMP (",
                                            "CREATE SEQUENCE",
                                            "CREATE SEQUENCE S INCREMENT BY 0",
                                            "CREATE SYNONYM S FOR",
                                            "ALTER TABLE EMP ADD (",
                                            "ALTER TABLE EMP MODIFY",
                                            "COMMENT ON TABLE EMP IS"});
    const std::vector<const char*> others(
        {"DROP", "DROP TABLE", "DROP PACKAGE BODY", "DROP PUBLIC", "ALTER", "ALTER VIEW",
         "ALTER VIEW V COMPILE", "EXPLAIN", "EXPLAIN PLAN FOR", "EXPLAIN PLAN SET",
         "EXPLAIN PLAN INTO FOR SELECT 1", "BEGIN", "BEGIN X(", "CALL", "EXEC X(A =>)",
         "EXECUTE X(1,", "BEGIN X(1) END"});
    const std::vector<const char*> queries(
        {"SELECT * FROM EMP CONNECT BY", "SELECT * FROM EMP START WITH CONNECT BY PRIOR",
         "SELECT 1 CONNECT BY 1", "SELECT a || FROM DUAL", "|| a", "SELECT || 'x' FROM DUAL",
         "SELECT ((( || ))) FROM DUAL", "SELECT LPAD() FROM DUAL", "SELECT DECODE() FROM DUAL",
         "GRANT SELECT ON EMP TO HR", "COMMIT", "ROLLBACK", ";;;", ")",
         "SELECT * FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO(+) START WITH 1 = 1 CONNECT BY 1"});
    for (const auto* statements : {&creates, &others, &queries})
        for (const char* sql : *statements) {
            scott.ErrorOf(sql); // any exception but quorvex::Exception fails the test
            try {
                scott.Rows(sql);
            } catch (const Exception&) {
            }
        }
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM EMP"), 14);
    EXPECT_EQ(scott.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OWNER#" = 59)"), 8);
}

} // namespace
} // namespace quorvex::test
