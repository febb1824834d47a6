// CREATE TABLE, VIEW and INDEX keep the dictionary in step with the SQLite schema files.
#include "EmulationTestSupport.h"
#include "engine/QtSession.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

constexpr const char* kPlanTable =
    "CREATE TABLE QUORVEX_PLAN_TABLE (STATEMENT_ID VARCHAR2(30),TIMESTAMP DATE,REMARKS "
    "VARCHAR2(80),OPERATION VARCHAR2(30),OPTIONS VARCHAR2(30),OBJECT_NODE VARCHAR2(128),"
    "OBJECT_OWNER VARCHAR2(30),OBJECT_NAME VARCHAR2(30),OBJECT_INSTANCE NUMERIC,OBJECT_TYPE "
    "VARCHAR2(30),OPTIMIZER VARCHAR2(255),SEARCH_COLUMNS NUMERIC,ID NUMERIC,PARENT_ID NUMERIC,"
    "POSITION NUMERIC,COST NUMERIC,CARDINALITY NUMERIC,BYTES NUMERIC,OTHER_TAG VARCHAR2(255),"
    "OTHER LONG)";

TEST(CreateTable, PlanTableIsFoundInTheDictionaryAfterItsCreation)
{
    DemoSession scott("scott", "tiger");
    const std::string exists = "SELECT COUNT(1) FROM SYS.OBJ$ WHERE NAME = 'QUORVEX_PLAN_TABLE'";
    EXPECT_EQ(scott.Count(exists), 0);
    scott.Execute(kPlanTable);
    EXPECT_EQ(scott.Count(exists), 1);
    EXPECT_EQ(scott.Rows(R"(SELECT u."NAME", o."TYPE#", o."STATUS", o."OBJ#" > 51008
                              FROM SYS."OBJ$" o JOIN SYS."USER$" u ON u."USER#" = o."OWNER#"
                             WHERE o."NAME" = 'QUORVEX_PLAN_TABLE')"),
              (TextRows{{"SCOTT", "2", "1", "1"}}));
    // In SCOTT's file, not in the in-memory main database.
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE name = "
                          "'QUORVEX_PLAN_TABLE'"),
              1);
    EXPECT_EQ(scott.Rows("SELECT COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, "
                         "DATA_SCALE FROM USER_TAB_COLUMNS WHERE TABLE_NAME = "
                         "'QUORVEX_PLAN_TABLE' AND COLUMN_ID IN (1, 2, 9, 20) ORDER BY COLUMN_ID"),
              (TextRows{{"STATEMENT_ID", "VARCHAR2", "30", std::nullopt, std::nullopt},
                        {"TIMESTAMP", "DATE", "7", std::nullopt, std::nullopt},
                        {"OBJECT_INSTANCE", "NUMBER", "22", std::nullopt, "0"},
                        {"OTHER", "LONG", "0", std::nullopt, std::nullopt}}));
    EXPECT_EQ(scott.ErrorOf(kPlanTable), "ORA-00955: name is already used by an existing object");
}

TEST(CreateTable, ConstraintsDefaultsAndFoldedNames)
{
    DemoSession scott("scott", "tiger");
    scott.Execute("create table notes (id number(6) constraint notes_pk primary key, "
                  "body varchar2(200) not null, created date default sysdate, "
                  "\"Mixed\" char(1)) tablespace users pctfree 10");
    EXPECT_EQ(scott.Rows("SELECT COLUMN_NAME, DATA_TYPE, NULLABLE, DATA_DEFAULT FROM "
                         "USER_TAB_COLUMNS WHERE TABLE_NAME = 'NOTES' ORDER BY COLUMN_ID"),
              (TextRows{{"ID", "NUMBER", "N", std::nullopt},
                        {"BODY", "VARCHAR2", "N", std::nullopt},
                        {"CREATED", "DATE", "Y", "sysdate"},
                        {"Mixed", "CHAR", "Y", std::nullopt}}));
    EXPECT_EQ(scott.Rows("SELECT CONSTRAINT_TYPE, SEARCH_CONDITION FROM USER_CONSTRAINTS "
                         "WHERE TABLE_NAME = 'NOTES' ORDER BY CONSTRAINT_TYPE"),
              (TextRows{{"C", "\"BODY\" IS NOT NULL"}, {"P", std::nullopt}}));
    EXPECT_EQ(scott.Column("SELECT CONSTRAINT_NAME FROM USER_CONSTRAINTS "
                           "WHERE TABLE_NAME = 'NOTES' AND CONSTRAINT_TYPE = 'P'"),
              (std::vector<std::string>{"NOTES_PK"}));
    // The key's index carries the constraint's name, as the model expects.
    EXPECT_EQ(scott.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" o JOIN SYS."IND$" i
                               ON i."OBJ#" = o."OBJ#" WHERE o."NAME" = 'NOTES_PK'
                              AND o."TYPE#" = 1 AND i."PROPERTY" = 1 AND i."COLS" = 1)"),
              1);
    scott.Execute("INSERT INTO NOTES (ID, BODY) VALUES (1, 'first')");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM NOTES WHERE CREATED > '2000-01-01'"), 1);
    EXPECT_FALSE(scott.ErrorOf("INSERT INTO NOTES (ID) VALUES (2)").empty());
}

TEST(CreateTable, TableOfAUserWithoutSchemaFileCreatesTheFile)
{
    DemoSession system("system", "manager");
    system.Execute(
        R"(INSERT INTO SYS."USER$" ("USER#", "NAME", "TYPE#") VALUES (80, 'NEWBIE', 1))");
    const std::string file = system.Folder() + "/NEWBIE.sqlite";
    EXPECT_FALSE(std::filesystem::exists(file));
    system.Execute("CREATE TABLE NEWBIE.T1 (A INTEGER)");
    EXPECT_TRUE(std::filesystem::exists(file));
    EXPECT_EQ(system.Count("SELECT COUNT(*) FROM NEWBIE.sqlite_master WHERE name = 'T1'"), 1);
    EXPECT_EQ(system.Count(R"(SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OWNER#" = 80)"), 1);
    EXPECT_EQ(system.ErrorOf("CREATE TABLE NOBODY.T (A INTEGER)"),
              "ORA-01918: user 'NOBODY' does not exist");
}

TEST(CreateTable, AsSelectTakesTheQuerysColumns)
{
    DemoSession scott("scott", "tiger");
    scott.Execute("CREATE TABLE RICH AS SELECT ENAME, SAL FROM EMP WHERE SAL > 2900");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM RICH"), 4);
    EXPECT_EQ(scott.Column("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = 'RICH' "
                           "ORDER BY COLUMN_ID"),
              (std::vector<std::string>{"ENAME", "SAL"}));
}

TEST(CreateView, ReplacedViewKeepsItsNumberAndTakesTheNewQuery)
{
    DemoSession hr("hr", "hr");
    hr.Execute("CREATE OR REPLACE VIEW EMP_DEPT50_VIEW AS SELECT EMPLOYEE_ID, LAST_NAME "
               "FROM EMPLOYEES WHERE DEPARTMENT_ID = 50");
    EXPECT_EQ(
        hr.Rows(R"(SELECT o."OBJ#", o."STATUS", v."COLS", v."TEXT" FROM SYS."OBJ$" o
                          JOIN SYS."VIEW$" v ON v."OBJ#" = o."OBJ#"
                          WHERE o."NAME" = 'EMP_DEPT50_VIEW')"),
        (TextRows{{"52031", "1", "2",
                   "SELECT EMPLOYEE_ID, LAST_NAME FROM EMPLOYEES WHERE DEPARTMENT_ID = 50"}}));
    EXPECT_EQ(hr.Rows("SELECT COLUMN_NAME, DATA_TYPE, DATA_LENGTH FROM USER_TAB_COLUMNS "
                      "WHERE TABLE_NAME = 'EMP_DEPT50_VIEW' ORDER BY COLUMN_ID"),
              (TextRows{{"EMPLOYEE_ID", "NUMBER", "22"}, {"LAST_NAME", "VARCHAR2", "25"}}));
    EXPECT_EQ(hr.Rows("SELECT * FROM EMP_DEPT50_VIEW")[0].size(), 2u);
    // The view's read-only constraint was replaced by none.
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."CDEF$" WHERE "OBJ#" = 52031)"), 0);
}

TEST(CreateView, RecreatingAnInvalidViewMakesItValid)
{
    DemoSession hr("hr", "hr");
    const auto text = hr.Column(R"(SELECT "TEXT" FROM SYS."VIEW$" WHERE "OBJ#" = 52032)");
    ASSERT_EQ(text.size(), 1u);
    hr.Execute("CREATE OR REPLACE VIEW DEPT_SALARY_VIEW AS\n" + text[0]);
    EXPECT_EQ(hr.Count(R"(SELECT "STATUS" FROM SYS."OBJ$" WHERE "OBJ#" = 52032)"), 1);
    EXPECT_EQ(hr.Column("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = "
                        "'DEPT_SALARY_VIEW' ORDER BY COLUMN_ID"),
              (std::vector<std::string>{"DEPARTMENT_ID", "DEPARTMENT_NAME", "EMPLOYEE_COUNT",
                                        "TOTAL_SALARY"}));
    // Columns SQLite cannot type keep the types they had.
    EXPECT_EQ(hr.Column("SELECT DATA_TYPE FROM USER_TAB_COLUMNS WHERE TABLE_NAME = "
                        "'DEPT_SALARY_VIEW' AND COLUMN_NAME = 'TOTAL_SALARY'"),
              (std::vector<std::string>{"NUMBER"}));
}

TEST(CreateView, NewViewWithColumnsAndOuterJoin)
{
    DemoSession scott("scott", "tiger");
    scott.Execute("CREATE VIEW DEPT_STAFF (DEPARTMENT, EMPLOYEE) AS SELECT d.DNAME, e.ENAME "
                  "FROM DEPT d, EMP e WHERE d.DEPTNO = e.DEPTNO(+) WITH READ ONLY");
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM DEPT_STAFF WHERE EMPLOYEE IS NULL"), 1);
    EXPECT_EQ(scott.Rows("SELECT TABLE_TYPE FROM USER_TAB_COMMENTS WHERE TABLE_NAME = "
                         "'DEPT_STAFF'"),
              (TextRows{{"VIEW"}}));
    EXPECT_EQ(scott.Column("SELECT CONSTRAINT_TYPE FROM USER_CONSTRAINTS WHERE TABLE_NAME = "
                           "'DEPT_STAFF'"),
              (std::vector<std::string>{"O"}));
    EXPECT_EQ(scott.ErrorOf("CREATE VIEW DEPT_STAFF AS SELECT 1 X FROM DEPT"),
              "ORA-00955: name is already used by an existing object");
    EXPECT_EQ(scott.ErrorOf("CREATE OR REPLACE VIEW EMP AS SELECT 1 X FROM DEPT"),
              "ORA-00955: name is already used by an existing object");
}

TEST(CreateView, FailingQueryChangesNothingUnlessForced)
{
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.ErrorOf("CREATE OR REPLACE VIEW EMP_DEPT50_VIEW AS SELECT X FROM NOWHERE"),
              "no such table: HR.NOWHERE");
    EXPECT_GT(hr.Count("SELECT COUNT(*) FROM EMP_DEPT50_VIEW"), 0);
    EXPECT_EQ(hr.Count(R"(SELECT COUNT(*) FROM SYS."COL$" WHERE "OBJ#" = 52031)"), 8);

    EXPECT_EQ(hr.ErrorOf("CREATE OR REPLACE FORCE VIEW BROKEN_VIEW AS SELECT X FROM NOWHERE"),
              "ORA-24344: success with compilation error");
    EXPECT_EQ(hr.Rows("SELECT o.STATUS, e.TEXT FROM SYS.OBJ$ o JOIN SYS.ERROR$ e "
                      "ON e.OBJ# = o.OBJ# WHERE o.NAME = 'BROKEN_VIEW'"),
              (TextRows{{"5", "no such table: HR.NOWHERE"}}));
}

TEST(CreateIndex, IndexEnteredWithItsKeysAndDescendingColumns)
{
    DemoSession scott("scott", "tiger");
    scott.Execute("CREATE UNIQUE INDEX EMP_NAME_IX ON EMP (ENAME, HIREDATE DESC) TABLESPACE x");
    EXPECT_EQ(scott.Rows(R"(SELECT i."PROPERTY", i."COLS", t."NAME" FROM SYS."OBJ$" o
                              JOIN SYS."IND$" i ON i."OBJ#" = o."OBJ#"
                              JOIN SYS."OBJ$" t ON t."OBJ#" = i."BO#"
                             WHERE o."NAME" = 'EMP_NAME_IX' AND o."OWNER#" = 59)"),
              (TextRows{{"1", "2", "EMP"}}));
    EXPECT_EQ(scott.Rows(R"(SELECT c."NAME", ic."POS#", c."PROPERTY" & 131072 FROM SYS."OBJ$" o
                              JOIN SYS."ICOL$" ic ON ic."OBJ#" = o."OBJ#"
                              JOIN SYS."COL$" c ON c."OBJ#" = ic."BO#"
                               AND c."INTCOL#" = ic."INTCOL#"
                             WHERE o."NAME" = 'EMP_NAME_IX' AND o."OWNER#" = 59
                             ORDER BY ic."POS#")"),
              (TextRows{{"ENAME", "1", "0"}, {"HIREDATE", "2", "131072"}}));
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM SCOTT.sqlite_master WHERE type = 'index' "
                          "AND name = 'EMP_NAME_IX'"),
              1);
    EXPECT_EQ(scott.ErrorOf("CREATE INDEX EMP_NAME_IX ON DEPT (DNAME)"),
              "ORA-00955: name is already used by an existing object");
}

} // namespace
} // namespace quorvex::test
