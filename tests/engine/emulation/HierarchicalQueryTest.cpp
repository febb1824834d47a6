// CONNECT BY queries rewritten for SQLite: results in Oracle's depth-first order, LEVEL,
// PRIOR on either side, START WITH, WHERE after the walk, sibling order, cycles, and the shapes
// that are refused.
#include "engine/emulation/HierarchicalQuery.h"

#include "EmulationTestSupport.h"
#include "engine/SqliteStatementPreparer.h"
#include "engine/emulation/OracleFunctions.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using emulation::RewriteHierarchicalQuery;

// A tree: root(0) has a(1) and b(3); a has a1(2); b has b1(4); c(10) stands alone; x(20) and
// y(21) point at each other.
constexpr const char* kTree = R"(
CREATE TABLE T (ID INTEGER, PARENT_ID INTEGER, NAME TEXT);
INSERT INTO T VALUES (0, NULL, 'root'), (1, 0, 'a'), (2, 1, 'a1'), (3, 0, 'b'), (4, 3, 'b1'),
                     (10, NULL, 'c'), (20, 21, 'x'), (21, 20, 'y');)";

struct TreeCase {
    const char* Query;
    std::vector<std::string> Expected; // the first column of every row
};

class HierarchicalQuery : public ::testing::TestWithParam<TreeCase> {};

TEST_P(HierarchicalQuery, WalksTheTreeAsOracleDoes)
{
    MemoryDatabase db;
    emulation::RegisterOracleFunctions(db.Handle());
    db.Execute(kTree);
    const std::string sql = TSqliteStatementPreparer().Prepare(GetParam().Query);
    std::vector<std::string> values;
    for (const TextRow& row : db.Rows(sql))
        values.push_back(row.at(0).value_or("<null>"));
    EXPECT_EQ(values, GetParam().Expected) << sql;
}

INSTANTIATE_TEST_SUITE_P(
    Trees, HierarchicalQuery,
    ::testing::Values(
        TreeCase{"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID",
                 {"root", "a", "a1", "b", "b1"}},
        TreeCase{"SELECT LEVEL || ':' || NAME FROM T START WITH ID = 0 "
                 "CONNECT BY PRIOR ID = PARENT_ID",
                 {"1:root", "2:a", "3:a1", "2:b", "3:b1"}},
        TreeCase{"SELECT LPAD('>', (LEVEL + 1) * 3, '-') || NAME FROM T START WITH (ID = 0) "
                 "CONNECT BY (PRIOR ID = PARENT_ID) AND (NAME <> 'zz') ",
                 {"----->root", "-------->a", "----------->a1", "-------->b", "----------->b1"}},
        TreeCase{"SELECT t.NAME FROM T t START WITH t.ID = 0 CONNECT BY PRIOR t.ID = t.PARENT_ID",
                 {"root", "a", "a1", "b", "b1"}},
        TreeCase{"SELECT NAME FROM T AS t CONNECT BY PARENT_ID = PRIOR ID START WITH ID = 3",
                 {"b", "b1"}},
        TreeCase{"SELECT NAME FROM T START WITH ID = 4 CONNECT BY ID = PRIOR PARENT_ID",
                 {"b1", "b", "root"}},
        TreeCase{"SELECT NAME FROM T WHERE NAME <> 'a' START WITH ID = 0 "
                 "CONNECT BY PRIOR ID = PARENT_ID",
                 {"root", "a1", "b", "b1"}},
        TreeCase{"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID "
                 "AND LEVEL <= 2",
                 {"root", "a", "b"}},
        TreeCase{"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID "
                 "ORDER SIBLINGS BY NAME DESC",
                 {"root", "b", "b1", "a", "a1"}},
        TreeCase{"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID "
                 "ORDER BY NAME",
                 {"a", "a1", "b", "b1", "root"}},
        TreeCase{"SELECT COUNT(*) FROM T CONNECT BY PRIOR ID = PARENT_ID AND ID < 10", {"14"}},
        TreeCase{"SELECT NAME FROM T START WITH ID = 20 CONNECT BY NOCYCLE PRIOR ID = PARENT_ID",
                 {"x", "y"}},
        TreeCase{"SELECT MAX(LEVEL) FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID;",
                 {"3"}}));

TEST(HierarchicalQueryText, TextWithoutConnectByIsUnchanged)
{
    const std::string sql = "SELECT CONNECTED, 'CONNECT BY' FROM T WHERE START_WITH = 1";
    EXPECT_EQ(RewriteHierarchicalQuery(sql), sql);
}

TEST(HierarchicalQueryText, RefusesShapesItCannotRewrite)
{
    for (const char* sql :
         {"SELECT NAME FROM T, U START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID",
          "SELECT NAME FROM T JOIN U ON 1 = 1 CONNECT BY PRIOR ID = PARENT_ID",
          "SELECT * FROM (SELECT NAME FROM T CONNECT BY PRIOR ID = PARENT_ID)",
          "SELECT NAME FROM T CONNECT BY PRIOR ID = PARENT_ID UNION SELECT 'x' FROM T",
          "SELECT NAME FROM T CONNECT BY PRIOR ID = (SELECT 1 FROM U)"})
        EXPECT_THROW(RewriteHierarchicalQuery(sql), Exception) << sql;
}

} // namespace
} // namespace quorvex::test
