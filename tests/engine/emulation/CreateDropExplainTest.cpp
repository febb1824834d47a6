// CREATE, DROP and EXPLAIN PLAN on a copy of the demo: the dictionary stays in step with the
// SQLite schema files, and Oracle's refusals come with Oracle's messages.
#include "EmulationTestSupport.h"
#include "persistence/Exceptions.h"
#include "sqltools/ResultsTexts.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

constexpr const char* kExists = "ORA-00955: name is already used by an existing object";

// The columns of a table or view as USER_TAB_COLUMNS describes them.
std::string Columns(DemoSession& session, const std::string& table)
{
    return session.Text("SELECT COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, DATA_SCALE, "
                        "NULLABLE, DATA_DEFAULT FROM USER_TAB_COLUMNS WHERE TABLE_NAME = '" +
                        table + "' ORDER BY COLUMN_ID");
}

TEST(CreateTable, TablesEnterTheDictionaryAndTheOwnersFile)
{
    DemoSession scott("scott", "tiger");
    scott.Execute(kPlanTableSql);
    EXPECT_EQ(scott.Text(R"(SELECT u."NAME", o."TYPE#", o."STATUS", o."OBJ#" > 51008
        FROM SYS."OBJ$" o JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
        WHERE o."NAME" = 'QUORVEX_PLAN_TABLE')"),
              "SCOTT|2|1|1\n");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE name = "
                          "'QUORVEX_PLAN_TABLE'"),
              1);
    EXPECT_EQ(scott.ErrorOf(kPlanTableSql), kExists);
    scott.Execute("create table notes (id number(6) constraint notes_pk primary key, "
                  "body varchar2(200) not null, created date default sysdate, "
                  "\"Mixed\" char(1), other number) tablespace users pctfree 10");
    EXPECT_EQ(Columns(scott, "NOTES"),
              "ID|NUMBER|22|6|0|N|NULL\nBODY|VARCHAR2|200|NULL|NULL|N|NULL\n"
              "CREATED|DATE|7|NULL|NULL|Y|sysdate\n"
              "Mixed|CHAR|1|NULL|NULL|Y|NULL\nOTHER|NUMBER|22|NULL|NULL|Y|NULL\n");
    EXPECT_EQ(scott.Text("SELECT CONSTRAINT_TYPE, CONSTRAINT_NAME = 'NOTES_PK', SEARCH_CONDITION "
                         "FROM USER_CONSTRAINTS WHERE TABLE_NAME = 'NOTES' ORDER BY 1"),
              "C|0|\"BODY\" IS NOT NULL\nP|1|NULL\n");
    // The key's index carries the constraint's name, as the model expects.
    EXPECT_EQ(scott.Text(R"(SELECT o."TYPE#", i."PROPERTY", i."COLS" FROM SYS."OBJ$" o
        JOIN SYS."IND$" i ON i."OBJ#" = o."OBJ#" WHERE o."NAME" = 'NOTES_PK')"),
              "1|1|1\n");
    scott.Execute("INSERT INTO NOTES (ID, BODY) VALUES (1, 'first')");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM NOTES WHERE CREATED > '2000-01-01'"), 1);
    EXPECT_FALSE(scott.ErrorOf("INSERT INTO NOTES (ID) VALUES (2)").empty());
    scott.Execute("CREATE TABLE RICH AS SELECT ENAME, SAL FROM EMP WHERE SAL > 2900");
    EXPECT_EQ(Columns(scott, "RICH"), "ENAME|VARCHAR2|4000|NULL|NULL|Y|NULL\n"
                                      "SAL|NUMBER|22|NULL|0|Y|NULL\n");
}

TEST(CreateTable, TableOfAUserWithoutSchemaFileCreatesTheFile)
{
    DemoSession system("system", "manager");
    system.Execute(
        R"(INSERT INTO SYS."USER$" ("USER#", "NAME", "TYPE#") VALUES (80, 'NEWBIE', 1))");
    EXPECT_FALSE(std::filesystem::exists(system.Folder() + "/NEWBIE.sqlite"));
    system.Execute("CREATE TABLE NEWBIE.T1 (A INTEGER)");
    EXPECT_TRUE(std::filesystem::exists(system.Folder() + "/NEWBIE.sqlite"));
    EXPECT_EQ(system.Count("SELECT COUNT(*) FROM NEWBIE.sqlite_master WHERE name = 'T1'"), 1);
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OWNER#" = 80)"), 1);
    EXPECT_EQ(system.ErrorOf("CREATE TABLE NOBODY.T (A INTEGER)"),
              "ORA-01918: user 'NOBODY' does not exist");
}

TEST(CreateView, ViewsKeepTheirNumberAndTakeTheirQuerysColumns)
{
    DemoSession hr("hr", "hr");
    const std::string view = R"(SELECT o."OBJ#", o."STATUS", v."COLS", v."TEXT" FROM SYS."OBJ$" o
        JOIN SYS."VIEW$" v ON v."OBJ#" = o."OBJ#" WHERE o."NAME" = )";
    EXPECT_EQ(hr.ErrorOf("CREATE OR REPLACE VIEW EMP_DEPT50_VIEW AS SELECT X FROM NOWHERE"),
              "no such table: HR.NOWHERE");
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."COL$" WHERE "OBJ#" = 52031)"), 8);
    hr.Execute("CREATE OR REPLACE VIEW EMP_DEPT50_VIEW AS SELECT EMPLOYEE_ID, LAST_NAME "
               "FROM EMPLOYEES WHERE DEPARTMENT_ID = 50");
    EXPECT_EQ(hr.Text(view + "'EMP_DEPT50_VIEW'"),
              "52031|1|2|SELECT EMPLOYEE_ID, LAST_NAME FROM EMPLOYEES WHERE DEPARTMENT_ID = 50\n");
    EXPECT_EQ(Columns(hr, "EMP_DEPT50_VIEW"), "EMPLOYEE_ID|NUMBER|22|6|0|Y|NULL\n"
                                              "LAST_NAME|VARCHAR2|25|NULL|NULL|Y|NULL\n");
    // The view's read-only constraint was replaced by none.
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."CDEF$" WHERE "OBJ#" = 52031)"), 0);
    // Recreating the invalid view makes it valid; columns SQLite cannot type keep their types.
    hr.Execute("CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS\n" +
               *hr.Rows(R"(SELECT "TEXT" FROM SYS."VIEW$" WHERE "OBJ#" = 52032)")[0][0]);
    EXPECT_EQ(hr.Text(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = 52032)"), "1\n");
    EXPECT_EQ(hr.Text("SELECT COLUMN_NAME, DATA_TYPE FROM USER_TAB_COLUMNS WHERE TABLE_NAME = "
                      "'DEPT_SALARY_VIEW' ORDER BY COLUMN_ID"),
              "DEPARTMENT_ID|NUMBER\nDEPARTMENT_NAME|VARCHAR2\nEMPLOYEE_COUNT|NUMBER\n"
              "TOTAL_SALARY|NUMBER\n");
    EXPECT_EQ(hr.ErrorOf("CREATE OR REPLACE FORCE VIEW BROKEN_VIEW AS SELECT X FROM NOWHERE"),
              "ORA-24344: success with compilation error");
    EXPECT_EQ(hr.Text("SELECT o.STATUS, e.TEXT FROM SYS.OBJ$ o JOIN SYS.ERROR$ e "
                      "ON e.OBJ# = o.OBJ# WHERE o.NAME = 'BROKEN_VIEW'"),
              "5|no such table: HR.NOWHERE\n");
}

TEST(CreateView, NewViewWithColumnsAndOuterJoinAndAnIndexWithADescendingKey)
{
    DemoSession scott("scott", "tiger");
    scott.Execute("CREATE VIEW DEPT_STAFF (DEPARTMENT, EMPLOYEE) AS SELECT d.DNAME, e.ENAME "
                  "FROM DEPT d, EMP e WHERE d.DEPTNO = e.DEPTNO(+) WITH READ ONLY");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM DEPT_STAFF WHERE EMPLOYEE IS NULL"), 1);
    EXPECT_EQ(scott.Text("SELECT TABLE_TYPE, CONSTRAINT_TYPE FROM USER_TAB_COMMENTS JOIN "
                         "USER_CONSTRAINTS USING (TABLE_NAME) WHERE TABLE_NAME = 'DEPT_STAFF'"),
              "VIEW|O\n");
    EXPECT_EQ(scott.ErrorOf("CREATE VIEW DEPT_STAFF AS SELECT 1 X FROM DEPT"), kExists);
    EXPECT_EQ(scott.ErrorOf("CREATE OR REPLACE VIEW EMP AS SELECT 1 X FROM DEPT"), kExists);
    scott.Execute("CREATE UNIQUE INDEX EMP_NAME_IX ON EMP (ENAME, HIREDATE DESC) TABLESPACE x");
    EXPECT_EQ(scott.Text(R"(SELECT i."PROPERTY", i."COLS", t."NAME", c."NAME", ic."POS#",
        c."PROPERTY" & 131072 FROM SYS."OBJ$" o JOIN SYS."IND$" i ON i."OBJ#" = o."OBJ#"
        JOIN SYS."OBJ$" t ON t."OBJ#" = i."BO#" JOIN SYS."ICOL$" ic ON ic."OBJ#" = o."OBJ#"
        JOIN SYS."COL$" c ON c."OBJ#" = ic."BO#" AND c."INTCOL#" = ic."INTCOL#"
        WHERE o."NAME" = 'EMP_NAME_IX' AND o."OWNER#" = 59 ORDER BY ic."POS#")"),
              "1|2|EMP|ENAME|1|0\n1|2|EMP|HIREDATE|2|131072\n");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE type = 'index' AND "
                          "name = 'EMP_NAME_IX'"),
              1);
    EXPECT_EQ(scott.ErrorOf("CREATE INDEX EMP_NAME_IX ON DEPT (DNAME)"), kExists);
}

// The dictionary tables that still hold rows under one of the object numbers.
std::string Leftovers(DemoSession& session, const std::string& numbers)
{
    std::string found;
    for (const char* table : {"OBJ$", "COL$", "COM$", "IND$", "ICOL$", "CCOL$", "CDEF$", "SEQ$",
                              "VIEW$", "SOURCE$", "TRIGGER$", "ERROR$", "SYN$"})
        if (session.Count(std::string("SELECT COUNT(*) FROM SYS.\"") + table +
                          "\" WHERE \"OBJ#\" IN (" + numbers + ")") > 0)
            found += std::string(table) + " ";
    if (session.Count(R"(SELECT COUNT(*) FROM SYS."CDEF$" WHERE "ROBJ#" IN ()" + numbers + ")") > 0)
        found += "references";
    return found;
}

TEST(DropObject, DroppedTablesLeaveNothingBehind)
{
    DemoSession scott("scott", "tiger");
    // EMP 51003 with PK_EMP 51004, EMP_DEPT_SAL_IX 51007, constraints PK_EMP and FK_DEPTNO.
    EXPECT_EQ(Leftovers(scott, "51003, 51004, 51007"), "OBJ$ COL$ COM$ IND$ ICOL$ CCOL$ CDEF$ ");
    EXPECT_EQ(scott.ErrorOf("DROP TABLE DEPT"),
              "ORA-02449: unique/primary keys in table referenced by foreign keys");
    scott.Execute("DROP TABLE DEPT CASCADE CONSTRAINTS");
    EXPECT_EQ(Leftovers(scott, "51001, 51002"), "");
    EXPECT_EQ(scott.Text("SELECT CONSTRAINT_NAME FROM USER_CONSTRAINTS"), "PK_EMP\n");
    scott.Execute("DROP TABLE \"EMP\"");
    EXPECT_EQ(Leftovers(scott, "51003, 51004, 51007"), "");
    EXPECT_EQ(scott.Count(R"(SELECT COUNT(*) FROM SYS."CON$" WHERE "NAME" IN ('PK_EMP',
        'FK_DEPTNO'))"),
              0);
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE tbl_name = 'EMP'"), 0);
}

TEST(DropObject, EachKindRemovesTheObjectOnly)
{
    struct TCase {
        const char* Statement;
        const char* Gone;  // object numbers that must have left the dictionary
        const char* Stays; // object numbers that must still be there
    };
    const TCase cases[] = {{"DROP VIEW \"EMP_DETAILS_VIEW\"", "52030", "52013"},
                           {"DROP INDEX \"EMP_NAME_IX\"", "52019", "52013"},
                           {"DROP SEQUENCE \"TICKET_SEQ\"", "52038", "52037"},
                           {"DROP SYNONYM \"STAFF\"", "52050", "52013"},
                           {"DROP PROCEDURE \"PURGE_OLD_HISTORY\"", "52043", "52042"},
                           {"DROP PACKAGE BODY \"EMP_MGMT\"", "52047", "52046"},
                           {"DROP PACKAGE \"EMP_MGMT\"", "52046, 52047", "52045"},
                           {"DROP FUNCTION \"YEARS_OF_SERVICE\"", "52045", "52044"},
                           {"DROP TRIGGER \"SECURE_EMPLOYEES\"", "52049", "52048, 52013"},
                           {"DROP TABLE JOB_HISTORY CASCADE CONSTRAINTS PURGE",
                            "52021, 52022, 52023, 52024, 52025", "52026, 52027"},
                           {"DROP TABLE \"JOB_HISTORY_NOTES\"", "52026, 52027", "52014"}};
    DemoSession hr("hr", "hr");
    for (const auto& [statement, gone, stays] : cases) {
        hr.Execute(statement);
        EXPECT_EQ(Leftovers(hr, gone), "") << statement;
        EXPECT_EQ(hr.Count(std::string(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" IN ()") +
                           stays + ")"),
                  std::string_view(stays).find(',') == std::string_view::npos ? 1 : 2)
            << statement;
    }
    EXPECT_EQ(hr.Text("SELECT name FROM HR.sqlite_master WHERE name IN ('EMP_DETAILS_VIEW', "
                      "'EMP_NAME_IX', 'JOB_HISTORY_NOTES', 'JOB_HISTORY')"),
              "");
    // Dropping a table invalidates the views on it.
    hr.Execute("DROP TABLE REGIONS CASCADE CONSTRAINTS");
    EXPECT_EQ(hr.Count(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = 52031)"), 1);
    hr.Execute("CREATE VIEW R_VIEW AS SELECT * FROM COUNTRIES");
    hr.Execute("DROP TABLE COUNTRIES CASCADE CONSTRAINTS");
    EXPECT_EQ(hr.Count(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "NAME" = 'R_VIEW')"), 5);
}

TEST(DropObject, OracleRefusals)
{
    DemoSession hr("hr", "hr");
    const std::pair<const char*, const char*> cases[] = {
        {"DROP TABLE NOPE", "ORA-00942: table or view does not exist"},
        {"DROP TABLE EMP_DETAILS_VIEW", "ORA-00942: table or view does not exist"},
        {"DROP VIEW NOPE", "ORA-00942: table or view does not exist"},
        {"DROP INDEX NOPE", "ORA-01418: specified index does not exist"},
        {"DROP SEQUENCE NOPE", "ORA-02289: sequence does not exist"},
        {"DROP SYNONYM NOPE", "ORA-01434: private synonym to be dropped does not exist"},
        {"DROP PUBLIC SYNONYM NOPE", "ORA-01432: public synonym to be dropped does not exist"},
        {"DROP PROCEDURE NOPE", "ORA-04043: object NOPE does not exist"},
        {"DROP PACKAGE BODY ADD_JOB_HISTORY", "ORA-04043: object ADD_JOB_HISTORY does not exist"},
        {"DROP TRIGGER NOPE", "ORA-04080: trigger 'NOPE' does not exist"},
        {"DROP INDEX EMP_EMP_ID_PK",
         "ORA-02429: cannot drop index used for enforcement of unique/primary key"},
        {"DROP TABLE IF EXISTS NOPE", ""}};
    for (const auto& [statement, message] : cases)
        EXPECT_EQ(hr.ErrorOf(statement), message);
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" = 52014)"), 1);
}

TEST(DropObject, PublicSynonymAndAnObjectOnlySqliteKnows)
{
    DemoSession system("system", "manager");
    system.Execute("DROP PUBLIC SYNONYM DUAL");
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OBJ#" = 259)"), 0);
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."SYN$")"), 1);
    system.Execute("CREATE TABLE T (A INTEGER)");
    system.Execute(R"(DELETE FROM SYS."OBJ$" WHERE "NAME" = 'T')");
    system.Execute("DROP TABLE T");
    EXPECT_EQ(system.Count("SELECT COUNT(*) FROM SYSTEM.sqlite_master WHERE name = 'T'"), 0);
}

// EXPLAIN PLAN fills the plan table by statement id; failures leave no rows.
TEST(ExplainPlanSession, PlansAreStoredByStatement)
{
    DemoSession scott("scott", "tiger");
    const auto explain = [&scott](const std::string& id, const std::string& sql) {
        const std::string error = scott.ErrorOf("EXPLAIN PLAN SET STATEMENT_ID = '" + id +
                                                "' INTO QUORVEX_PLAN_TABLE FOR " + sql);
        return error + scott.Text("SELECT ID, PARENT_ID, POSITION, OPERATION, OPTIONS, "
                                  "OBJECT_OWNER, OBJECT_NAME, OBJECT_TYPE, TIMESTAMP IS NOT NULL "
                                  "FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = '" +
                                  id + "' ORDER BY ID");
    };
    EXPECT_THROW(explain("1", "SELECT * FROM EMP"), Exception); // no plan table yet
    scott.Execute(kPlanTableSql);
    EXPECT_EQ(explain("2", "SELECT * FROM NO_SUCH_TABLE"), "no such table: NO_SUCH_TABLE");
    EXPECT_EQ(explain("3", "SELEC 1"), "near \"SELEC\": syntax error");
    const std::string top = "0|NULL|NULL|SELECT STATEMENT|NULL|NULL|NULL|NULL|1\n";
    EXPECT_EQ(explain("77", "SELECT * FROM SALGRADE ORDER BY GRADE"),
              top + "1|0|1|SORT|ORDER BY|NULL|NULL|NULL|1\n"
                    "2|1|1|TABLE ACCESS|FULL|SCOTT|SALGRADE|TABLE|1\n");
    EXPECT_EQ(explain("78", "select * from dual"),
              top + "1|0|1|TABLE ACCESS|FULL|SYS|DUAL|TABLE|1\n");
    // SQLite's planner picks the driving table; both orders are sound plans.
    const std::string join =
        explain("4012", "SELECT e.ENAME, d.DNAME FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO");
    const std::string head = top + "1|0|1|NESTED LOOPS|NULL|NULL|NULL|NULL|1\n";
    EXPECT_TRUE(join == head + "2|1|1|TABLE ACCESS|FULL|SCOTT|EMP|TABLE|1\n"
                               "3|1|2|TABLE ACCESS|BY INDEX ROWID|SCOTT|DEPT|TABLE|1\n"
                               "4|3|1|INDEX|RANGE SCAN|SCOTT|PK_DEPT|INDEX|1\n" ||
                join == head + "2|1|1|TABLE ACCESS|FULL|SCOTT|DEPT|TABLE|1\n"
                               "3|1|2|TABLE ACCESS|BY INDEX ROWID|SCOTT|EMP|TABLE|1\n"
                               "4|3|1|INDEX|RANGE SCAN|SCOTT|EMP_DEPT_SAL_IX|INDEX|1\n")
        << join;
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM QUORVEX_PLAN_TABLE"), 10);
}

} // namespace
} // namespace quorvex::test
