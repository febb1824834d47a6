// The USER_ catalogue views for the login user, with the queries the diagram and the
// maintenance commands send.
#include "EmulationTestSupport.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class CatalogViews : public ::testing::Test {
protected:
    DemoSession m_scott{"scott", "tiger"};
};

TEST_F(CatalogViews, UserConstraintsListScottsConstraints)
{
    EXPECT_EQ(m_scott.Rows("SELECT CONSTRAINT_NAME, CONSTRAINT_TYPE, TABLE_NAME, "
                           "R_CONSTRAINT_NAME, DELETE_RULE, STATUS, OWNER FROM USER_CONSTRAINTS "
                           "ORDER BY CONSTRAINT_NAME"),
              (TextRows{{"FK_DEPTNO", "R", "EMP", "PK_DEPT", "NO ACTION", "ENABLED", "SCOTT"},
                        {"PK_DEPT", "P", "DEPT", std::nullopt, std::nullopt, "ENABLED", "SCOTT"},
                        {"PK_EMP", "P", "EMP", std::nullopt, std::nullopt, "ENABLED", "SCOTT"}}));
}

TEST_F(CatalogViews, UserConsColumnsListKeyColumns)
{
    EXPECT_EQ(m_scott.Rows("SELECT CONSTRAINT_NAME, TABLE_NAME, COLUMN_NAME, POSITION "
                           "FROM USER_CONS_COLUMNS ORDER BY CONSTRAINT_NAME"),
              (TextRows{{"FK_DEPTNO", "EMP", "DEPTNO", "1"},
                        {"PK_DEPT", "DEPT", "DEPTNO", "1"},
                        {"PK_EMP", "EMP", "EMPNO", "1"}}));
    // The diagram's primary key query, line by line as it sends it.
    auto query = m_scott.Session().CreateQuery();
    query->AddSQL("SELECT COLUMN_NAME FROM USER_CONSTRAINTS UC,USER_CONS_COLUMNS UCC");
    query->AddSQL("WHERE UC.TABLE_NAME = 'EMP' ");
    query->AddSQL("AND UC.CONSTRAINT_TYPE = 'P' ");
    query->AddSQL("AND UC.CONSTRAINT_NAME = UCC.CONSTRAINT_NAME ");
    query->Open();
    ASSERT_FALSE(query->Eof());
    EXPECT_EQ(query->AsText(query->FieldIndex("COLUMN_NAME")), "EMPNO");
    query->Next();
    EXPECT_TRUE(query->Eof());
}

TEST_F(CatalogViews, UserTabColumnsDescribeColumnsAsOracleDoes)
{
    EXPECT_EQ(m_scott.Rows("SELECT COLUMN_NAME, DATA_TYPE, DATA_LENGTH, DATA_PRECISION, "
                           "DATA_SCALE, NULLABLE, DATA_DEFAULT FROM USER_TAB_COLUMNS "
                           "WHERE TABLE_NAME = 'EMP' ORDER BY COLUMN_ID"),
              (TextRows{{"EMPNO", "NUMBER", "22", "4", "0", "N", std::nullopt},
                        {"ENAME", "VARCHAR2", "10", std::nullopt, std::nullopt, "Y", std::nullopt},
                        {"JOB", "VARCHAR2", "9", std::nullopt, std::nullopt, "Y", std::nullopt},
                        {"MGR", "NUMBER", "22", "4", "0", "Y", std::nullopt},
                        {"HIREDATE", "DATE", "7", std::nullopt, std::nullopt, "Y", std::nullopt},
                        {"SAL", "NUMBER", "22", "7", "2", "Y", std::nullopt},
                        {"COMM", "NUMBER", "22", "7", "2", "Y", std::nullopt},
                        {"DEPTNO", "NUMBER", "22", "2", "0", "Y", std::nullopt}}));
    // The diagram reads every column of SELECT * by name.
    auto query = m_scott.Session().CreateQuery();
    query->SetSQL("SELECT * FROM USER_TAB_COLUMNS WHERE TABLE_NAME = 'BONUS' ORDER BY COLUMN_ID");
    query->Open();
    for (const char* column : {"COLUMN_NAME", "DATA_TYPE", "DATA_LENGTH", "DATA_PRECISION",
                               "DATA_SCALE", "DATA_DEFAULT", "NULLABLE", "COLUMN_ID"})
        EXPECT_GE(query->FieldIndex(column), 0) << column;
    EXPECT_EQ(query->AsText(query->FieldIndex("COLUMN_NAME")), "ENAME");
}

TEST_F(CatalogViews, CommentsOfTablesAndColumns)
{
    EXPECT_EQ(m_scott.Rows("SELECT TABLE_NAME, TABLE_TYPE, COMMENTS FROM USER_TAB_COMMENTS "
                           "ORDER BY TABLE_NAME"),
              (TextRows{{"BONUS", "TABLE", std::nullopt},
                        {"DEPT", "TABLE", "Departments of the company"},
                        {"EMP", "TABLE", "Employees with their jobs, managers and salaries"},
                        {"SALGRADE", "TABLE", std::nullopt}}));
    EXPECT_EQ(m_scott.Rows("SELECT COLUMN_NAME,COMMENTS FROM USER_COL_COMMENTS "
                           "WHERE TABLE_NAME = 'EMP' AND COMMENTS IS NOT NULL "
                           "ORDER BY COLUMN_NAME"),
              (TextRows{{"COMM", "Commission of salesmen"}, {"SAL", "Monthly salary"}}));
    EXPECT_EQ(m_scott.Count("SELECT COUNT(*) FROM USER_COL_COMMENTS WHERE TABLE_NAME = 'EMP'"), 8);
}

// One session at a time: the program has one connection.
TEST(CatalogViewsOfUsers, UserErrorsAreTheLoginUsersOnly)
{
    {
        DemoSession scott("scott", "tiger");
        EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM USER_ERRORS"), 0);
    }
    DemoSession hr("hr", "hr");
    EXPECT_EQ(hr.Rows("SELECT NAME, TYPE, SEQUENCE, LINE, POSITION, ATTRIBUTE, MESSAGE_NUMBER "
                      "FROM USER_ERRORS ORDER BY SEQUENCE"),
              (TextRows{{"PURGE_OLD_HISTORY", "PROCEDURE", "1", "5", "5", "ERROR", "0"},
                        {"PURGE_OLD_HISTORY", "PROCEDURE", "2", "5", "16", "ERROR", "201"},
                        {"PURGE_OLD_HISTORY", "PROCEDURE", "3", "6", "5", "ERROR", "0"},
                        {"PURGE_OLD_HISTORY", "PROCEDURE", "4", "6", "61", "ERROR", "201"}}));
    // HR's views hold HR's objects, not SCOTT's.
    EXPECT_EQ(hr.Count("SELECT COUNT(*) FROM USER_TAB_COMMENTS WHERE TABLE_NAME = 'EMP'"), 0);
    EXPECT_EQ(hr.Count("SELECT COUNT(*) FROM USER_CONSTRAINTS WHERE CONSTRAINT_TYPE = 'V'"), 1);
}

TEST_F(CatalogViews, OracleFunctionsAndConcatenationInQueries)
{
    EXPECT_EQ(m_scott.Rows("SELECT DECODE(1, 1, 'a', 'b'), NVL(NULL, 'x'), LPAD('>', 6, '-'), "
                           "'a' || NULL || 'b', NVL(COMM, -1) FROM EMP WHERE EMPNO = 7369"),
              (TextRows{{"a", "x", "----->", "ab", "-1"}}));
    EXPECT_EQ(m_scott.Column("SELECT ENAME || ' (' || COMM || ')' FROM EMP "
                             "WHERE DEPTNO = 30 AND JOB = 'SALESMAN' AND SAL < 1300 "
                             "ORDER BY ENAME"),
              (std::vector<std::string>{"MARTIN (1400)", "WARD (500)"}));
    EXPECT_EQ(m_scott.Count("SELECT COUNT(*) FROM DUAL WHERE SYSDATE > '2000-01-01'"), 1);
}

} // namespace
} // namespace quorvex::test
