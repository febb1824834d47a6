// EXPLAIN PLAN: the statement's parts, and SQLite's plans in Oracle's form.
#include "engine/emulation/ExplainPlan.h"

#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::emulation {
namespace {

TEST(ExplainPlanParse, ReadsIdTableAndStatement)
{
    const auto plan = ParseExplainPlan(
        "EXPLAIN PLAN SET STATEMENT_ID = '4012' INTO QUORVEX_PLAN_TABLE FOR SELECT * FROM EMP");
    EXPECT_EQ(plan.StatementId, "4012");
    EXPECT_EQ(plan.Table.Schema, "");
    EXPECT_EQ(plan.Table.Name, "QUORVEX_PLAN_TABLE");
    EXPECT_EQ(plan.Statement, "SELECT * FROM EMP");
}

TEST(ExplainPlanParse, DefaultsAndQualifiedTable)
{
    const auto bare = ParseExplainPlan("explain plan for\n  select 1 from dual;");
    EXPECT_FALSE(bare.StatementId);
    EXPECT_EQ(bare.Table.Name, "PLAN_TABLE");
    EXPECT_EQ(bare.Statement, "select 1 from dual");
    const auto qualified =
        ParseExplainPlan("EXPLAIN PLAN SET STATEMENT_ID='it''s' INTO scott.plans FOR DELETE T");
    EXPECT_EQ(qualified.StatementId, "it's");
    EXPECT_EQ(qualified.Table.Schema, "SCOTT");
    EXPECT_EQ(qualified.Table.Name, "PLANS");
}

TEST(ExplainPlanParse, MalformedStatementsFailWithOraclesMessages)
{
    for (const char* sql : {"EXPLAIN SELECT 1", "EXPLAIN PLAN SELECT 1", "EXPLAIN PLAN FOR",
                            "EXPLAIN PLAN SET STATEMENT_ID = 5 FOR SELECT 1"})
        EXPECT_THROW(ParseExplainPlan(sql), Exception) << sql;
}

// Rows as "id parent position operation|options|object|type".
std::vector<std::string> Lines(const std::vector<TQueryPlanStep>& steps)
{
    std::vector<std::string> lines;
    for (const TPlanRow& row : PlanRows(steps, "SELECT STATEMENT"))
        lines.push_back(std::to_string(row.Id) + " " +
                        (row.ParentId ? std::to_string(*row.ParentId) : "-") + " " +
                        (row.Position ? std::to_string(*row.Position) : "-") + " " + row.Operation +
                        "|" + row.Options + "|" + row.ObjectName + "|" + row.ObjectType);
    return lines;
}

struct PlanCase {
    const char* Name;
    std::vector<TQueryPlanStep> Steps;
    std::vector<std::string> Expected;
};

class PlanShape : public ::testing::TestWithParam<PlanCase> {};

TEST_P(PlanShape, BecomesOraclesPlan)
{
    EXPECT_EQ(Lines(GetParam().Steps), GetParam().Expected) << GetParam().Name;
}

INSTANTIATE_TEST_SUITE_P(
    Plans, PlanShape,
    ::testing::Values(
        PlanCase{"no steps", {}, {"0 - - SELECT STATEMENT|||"}},
        PlanCase{"full scan",
                 {{2, 0, "SCAN EMP"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 TABLE ACCESS|FULL|EMP|TABLE"}},
        PlanCase{"join by index",
                 {{2, 0, "SCAN e"}, {4, 0, "SEARCH d USING INDEX PK_DEPT (DEPTNO=?)"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 NESTED LOOPS|||",
                  "2 1 1 TABLE ACCESS|FULL|e|TABLE", "3 1 2 TABLE ACCESS|BY INDEX ROWID|d|TABLE",
                  "4 3 1 INDEX|RANGE SCAN|PK_DEPT|INDEX"}},
        PlanCase{"three tables join left-deep",
                 {{2, 0, "SCAN a"},
                  {3, 0, "SCAN b"},
                  {4, 0,
                   "SEARCH c USING INTEGER PRIMARY "
                   "KEY (rowid=?)"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 NESTED LOOPS|||", "2 1 1 NESTED LOOPS|||",
                  "3 2 1 TABLE ACCESS|FULL|a|TABLE", "4 2 2 TABLE ACCESS|FULL|b|TABLE",
                  "5 1 2 TABLE ACCESS|BY USER ROWID|c|TABLE"}},
        PlanCase{"sorted search",
                 {{3, 0, "SEARCH e USING INDEX EMP_IX (DEPTNO=?)"},
                  {9, 0, "USE TEMP B-TREE FOR ORDER BY"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 SORT|ORDER BY||",
                  "2 1 1 TABLE ACCESS|BY INDEX ROWID|e|TABLE",
                  "3 2 1 INDEX|RANGE SCAN|EMP_IX|INDEX"}},
        PlanCase{"covering index grouped",
                 {{3, 0, "SCAN EMP USING COVERING INDEX EMP_IX"},
                  {7, 0, "USE TEMP B-TREE FOR GROUP BY"},
                  {8, 0, "USE TEMP B-TREE FOR DISTINCT"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 SORT|UNIQUE||", "2 1 1 SORT|GROUP BY||",
                  "3 2 1 INDEX|FULL SCAN|EMP_IX|INDEX"}},
        PlanCase{"constant row",
                 {{2, 0, "SCAN CONSTANT ROW"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 FAST DUAL|||"}},
        PlanCase{"union",
                 {{1, 0, "COMPOUND QUERY"},
                  {2, 1, "LEFT-MOST SUBQUERY"},
                  {5, 2, "SCAN EMP"},
                  {10, 1, "UNION USING TEMP B-TREE"},
                  {13, 10, "SCAN DEPT"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 SORT|UNIQUE||", "2 1 1 UNION-ALL|||",
                  "3 2 1 TABLE ACCESS|FULL|EMP|TABLE", "4 2 2 TABLE ACCESS|FULL|DEPT|TABLE"}},
        PlanCase{"union all and minus",
                 {{1, 0, "COMPOUND QUERY"},
                  {2, 1, "LEFT-MOST SUBQUERY"},
                  {5, 2, "SCAN A"},
                  {10, 1, "EXCEPT USING TEMP B-TREE"},
                  {13, 10, "SCAN B"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 MINUS|||", "2 1 1 TABLE ACCESS|FULL|A|TABLE",
                  "3 1 2 TABLE ACCESS|FULL|B|TABLE"}},
        PlanCase{"subquery",
                 {{2, 0, "SCAN EMP"}, {5, 0, "LIST SUBQUERY 1"}, {7, 5, "SCAN DEPT"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 TABLE ACCESS|FULL|EMP|TABLE",
                  "2 0 2 LIST SUBQUERY 1|||", "3 2 1 TABLE ACCESS|FULL|DEPT|TABLE"}},
        PlanCase{"view of a subquery",
                 {{2, 0, "CO-ROUTINE v"}, {3, 2, "SCAN EMP"}, {9, 0, "SCAN v"}},
                 {"0 - - SELECT STATEMENT|||", "1 0 1 VIEW||v|",
                  "2 1 1 TABLE ACCESS|FULL|EMP|TABLE", "3 0 2 TABLE ACCESS|FULL|v|TABLE"}}));

} // namespace
} // namespace quorvex::emulation
