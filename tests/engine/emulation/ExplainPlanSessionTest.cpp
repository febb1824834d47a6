// The SQL Results window's explain on the demo: the plan table is created and found, EXPLAIN
// PLAN fills it, and the hierarchical display query shows the indented plan.
#include "EmulationTestSupport.h"
#include "engine/QtSession.h"

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

std::string DisplayQuery(const std::string& id)
{
    return "SELECT CARDINALITY Records,BYTES,LPAD('>',(LEVEL+1)*3,'-')||OPERATION||' '||OPTIONS||"
           "decode(OBJECT_NAME,NULL,'',' on ')||decode(OBJECT_OWNER,NULL,'',OBJECT_OWNER||'.')||"
           "OBJECT_NAME||' '||OBJECT_NODE||' '||OBJECT_TYPE Description_of_plan_operation FROM "
           "QUORVEX_PLAN_TABLE START WITH (ID = 0) AND (STATEMENT_ID = '" +
           id + "') CONNECT BY (PRIOR ID = PARENT_ID) AND (STATEMENT_ID = '" + id + "') ";
}

// The plan window's rows: the description column, read with parameter parsing off.
std::vector<std::string> Plan(DemoSession& session, const std::string& id)
{
    auto query = session.Session().CreateQuery(false);
    query->SetSQL(DisplayQuery(id));
    query->Open();
    EXPECT_EQ(query->FieldCount(), 3);
    std::vector<std::string> lines;
    for (; !query->Eof(); query->Next())
        lines.push_back(query->AsText(2));
    return lines;
}

bool Explain(DemoSession& session, const std::string& id, const std::string& sql)
{
    try {
        session.Execute("EXPLAIN PLAN SET STATEMENT_ID = '" + id +
                        "' INTO QUORVEX_PLAN_TABLE FOR " + sql);
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

TEST(ExplainPlanSession, JoinPlanShowsIndentedTree)
{
    DemoSession scott("scott", "tiger");
    scott.Execute(kPlanTable);
    ASSERT_TRUE(Explain(scott, "4012",
                        "SELECT e.ENAME, d.DNAME FROM EMP e, DEPT d WHERE e.DEPTNO = d.DEPTNO"));
    const auto lines = Plan(scott, "4012");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], "----->SELECT STATEMENT   ");
    EXPECT_EQ(lines[1], "-------->NESTED LOOPS   ");
    // SQLite's planner picks the driving table; both orders are sound plans.
    const std::vector<std::string> empFirst = {
        "----------->TABLE ACCESS FULL on SCOTT.EMP  TABLE",
        "----------->TABLE ACCESS BY INDEX ROWID on SCOTT.DEPT  TABLE",
        "-------------->INDEX RANGE SCAN on SCOTT.PK_DEPT  INDEX"};
    const std::vector<std::string> deptFirst = {
        "----------->TABLE ACCESS FULL on SCOTT.DEPT  TABLE",
        "----------->TABLE ACCESS BY INDEX ROWID on SCOTT.EMP  TABLE",
        "-------------->INDEX RANGE SCAN on SCOTT.EMP_DEPT_SAL_IX  INDEX"};
    const std::vector<std::string> rest(lines.begin() + 2, lines.end());
    EXPECT_TRUE(rest == empFirst || rest == deptFirst) << rest[0] << "\n"
                                                       << rest[1] << "\n"
                                                       << rest[2];
}

TEST(ExplainPlanSession, RowsCarryStatementIdParentsAndPositions)
{
    DemoSession scott("scott", "tiger");
    scott.Execute(kPlanTable);
    ASSERT_TRUE(Explain(scott, "77", "SELECT * FROM SALGRADE ORDER BY GRADE"));
    EXPECT_EQ(
        scott.Rows("SELECT ID, PARENT_ID, POSITION, OPERATION, OPTIONS, OBJECT_OWNER, "
                   "OBJECT_NAME, OBJECT_TYPE, TIMESTAMP IS NOT NULL FROM QUORVEX_PLAN_TABLE "
                   "WHERE STATEMENT_ID = '77' ORDER BY ID"),
        (TextRows{
            {"0", std::nullopt, std::nullopt, "SELECT STATEMENT", std::nullopt, std::nullopt,
             std::nullopt, std::nullopt, "1"},
            {"1", "0", "1", "SORT", "ORDER BY", std::nullopt, std::nullopt, std::nullopt, "1"},
            {"2", "1", "1", "TABLE ACCESS", "FULL", "SCOTT", "SALGRADE", "TABLE", "1"}}));
    // A second explain adds its own rows; the first stay.
    ASSERT_TRUE(Explain(scott, "78", "select * from dual"));
    EXPECT_EQ(Plan(scott, "78"),
              (std::vector<std::string>{"----->SELECT STATEMENT   ",
                                        "-------->TABLE ACCESS FULL on SYS.DUAL  TABLE"}));
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = '77'"), 3);
}

TEST(ExplainPlanSession, FailuresLeaveNoRows)
{
    DemoSession scott("scott", "tiger");
    EXPECT_FALSE(Explain(scott, "1", "SELECT * FROM EMP")); // no plan table yet
    scott.Execute(kPlanTable);
    EXPECT_FALSE(Explain(scott, "2", "SELECT * FROM NO_SUCH_TABLE"));
    EXPECT_FALSE(Explain(scott, "3", "SELEC 1"));
    EXPECT_EQ(scott.Count("SELECT COUNT(*) FROM QUORVEX_PLAN_TABLE"), 0);
    // The results window deletes the rows of statement A before explaining.
    scott.Execute("DELETE FROM QUORVEX_PLAN_TABLE WHERE STATEMENT_ID = 'A'");
}

TEST(ExplainPlanSession, HierarchicalQueryOverTheDictionary)
{
    DemoSession hr("hr", "hr");
    // Managers and their reports, depth first.
    const auto rows = hr.Column("SELECT LPAD(' ', LEVEL - 1) || LAST_NAME FROM EMPLOYEES "
                                "START WITH MANAGER_ID IS NULL "
                                "CONNECT BY PRIOR EMPLOYEE_ID = MANAGER_ID");
    ASSERT_GT(rows.size(), 2u);
    EXPECT_NE(rows[0][0], ' ');
    EXPECT_EQ(rows[1][0], ' ');
}

} // namespace
} // namespace quorvex::test
