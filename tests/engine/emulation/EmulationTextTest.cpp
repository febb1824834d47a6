// The emulation's pieces on their own: the || and CONNECT BY rewriters, the Oracle functions
// registered on SQLite, declared types, statement splitting and EXPLAIN PLAN's parts.
#include "SqliteRows.h"
#include "engine/SqliteStatementPreparer.h"
#include "engine/emulation/ConcatRewriter.h"
#include "engine/emulation/EmbeddedStatements.h"
#include "engine/emulation/ExplainPlan.h"
#include "engine/emulation/HierarchicalQuery.h"
#include "engine/emulation/OracleFunctions.h"
#include "engine/emulation/OracleTypes.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using namespace quorvex::emulation;

// SQLite with the Oracle functions and a tree: root(0) has a(1) and b(3); a has a1(2); b has
// b1(4); c(10) stands alone; x(20) and y(21) point at each other.
class OracleSqlite : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegisterOracleFunctions(m_db.Handle());
        m_db.Execute("CREATE TABLE T (ID INTEGER, PARENT_ID INTEGER, NAME TEXT); INSERT INTO T "
                     "VALUES (0, NULL, 'root'), (1, 0, 'a'), (2, 1, 'a1'), (3, 0, 'b'), "
                     "(4, 3, 'b1'), (10, NULL, 'c'), (20, 21, 'x'), (21, 20, 'y')");
    }
    SqliteRows m_db;
};

TEST(ConcatRewriter, RewritesChainsLeavingQuotesAndCommentsAlone)
{
    EXPECT_EQ(RewriteConcatenation("SELECT 'a||b' FROM T -- x || y"),
              "SELECT 'a||b' FROM T -- x || y");
    EXPECT_EQ(RewriteConcatenation("SELECT e.ENAME||' '||d.DNAME Name FROM EMP e"),
              "SELECT NULLIF(COALESCE(e.ENAME,'') || COALESCE(' ','') || COALESCE(d.DNAME,''),'') "
              "Name FROM EMP e");
    EXPECT_EQ(RewriteConcatenation("SELECT (A) || :P FROM T"),
              "SELECT NULLIF(COALESCE((A),'') || COALESCE(:P,''),'') FROM T");
}

// Expressions, their || rewritten, give Oracle's results (NULL for null).
TEST_F(OracleSqlite, ExpressionsGiveOraclesResults)
{
    const std::pair<const char*, const char*> cases[] = {
        {"'a' || NULL", "a"},
        {"NULL || NULL", "NULL"},
        {"'' || ''", "NULL"},
        {"'n' || 2 * 3", "n6"}, // * binds tighter than ||, + does not
        {"'1' || 9 + 1", "20"},
        {"-1 || 'x' || -1", "-1x-1"},
        {"LPAD('a', 2, '*') || '-'", "*a-"},
        {"decode('o', NULL, '', 'o' || '.') || 'n'", "o.n"}, // a chain inside an operand
        {"1 WHERE 'a' || NULL = 'a' AND 1 = 1", "1"},
        {"length('ab' || NULL || 'cd')", "4"},
        {"'a' || CASE WHEN 1 = 1 THEN NULL END || 'b'", "ab"},
        {"'<' || (SELECT NULL) || '>'", "<>"},
        {"DECODE(2, 1, 'one', 2, 'two', 'other')", "two"},
        {"DECODE(3, 1, 'one', 2, 'two', 'other')", "other"},
        {"DECODE(3, 1, 'one')", "NULL"},
        {"DECODE(NULL, NULL, 'null', 'x')", "null"},
        {"DECODE('', NULL, 'empty', 'x')", "empty"},
        {"DECODE('a', NULL, 'null', 'x')", "x"},
        {"DECODE(2, '2', 'y', 'n')", "y"},
        {"DECODE(1.0, 1, 'y', 'n')", "y"},
        {"DECODE('abc', 'ABC', 'y', 'n')", "n"},
        {"decode('x', 'x', NULL, 'n')", "NULL"},
        {"NVL(NULL, 'b') || NVL('a', 'b') || NVL('', 'c') || NVL(0, 5)", "ba"
                                                                         "c0"},
        {"NVL(NULL, NULL)", "NULL"},
        {"LPAD('>', (1 + 1) * 3, '-')", "----->"},
        {"LPAD('abc', 2)", "ab"},
        {"LPAD('a', 3)", "  a"},
        {"LPAD('a', 0)", "NULL"},
        {"LPAD(NULL, 3)", "NULL"},
        {"LPAD('a', NULL)", "NULL"},
        {"LPAD('a', 3, '')", "NULL"},
        {"LPAD('a', 5, 'xy')", "xyxya"},
        {"LPAD('\xC3\xA9', 3, '*')", "**\xC3\xA9"},
        {"LPAD('\xC3\xA9\xC3\xA9\xC3\xA9', 2)", "\xC3\xA9\xC3\xA9"},
        {"LPAD(5, 3, '0')", "005"},
        {"LPAD('a', 2.7, '*')", "*a"},
        {"RPAD('a', 3, '.')", "a.."},
        {"RPAD('abcd', 2)", "ab"}};
    for (const auto& [expression, expected] : cases)
        EXPECT_EQ(
            m_db.Value(RewriteConcatenation(std::string("SELECT ") + expression)).value_or("NULL"),
            expected)
            << expression;
    try {
        m_db.Value("SELECT DECODE(1, 1)");
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("ORA-00938"), std::string::npos) << e.what();
    }
}

// CONNECT BY results in Oracle's depth-first order: LEVEL, PRIOR on either side, START WITH,
// WHERE after the walk, sibling order and cycles.
TEST_F(OracleSqlite, HierarchicalQueriesWalkTheTreeAsOracleDoes)
{
    const std::pair<const char*, const char*> cases[] = {
        {"SELECT LEVEL || ':' || NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID",
         "1:root 2:a 3:a1 2:b 3:b1"},
        {"SELECT LPAD('>', (LEVEL + 1) * 3, '-') || NAME FROM T START WITH (ID = 0) CONNECT BY "
         "(PRIOR ID = PARENT_ID) AND (NAME <> 'zz') ",
         "----->root -------->a ----------->a1 -------->b ----------->b1"},
        {"SELECT t.NAME FROM T t START WITH t.ID = 0 CONNECT BY PRIOR t.ID = t.PARENT_ID",
         "root a a1 b b1"},
        {"SELECT NAME FROM T AS t CONNECT BY PARENT_ID = PRIOR ID START WITH ID = 3", "b b1"},
        {"SELECT NAME FROM T START WITH ID = 4 CONNECT BY ID = PRIOR PARENT_ID", "b1 b root"},
        {"SELECT NAME FROM T WHERE NAME <> 'a' START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID",
         "root a1 b b1"},
        {"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID AND LEVEL <= 2",
         "root a b"},
        {"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID ORDER SIBLINGS BY "
         "NAME DESC",
         "root b b1 a a1"},
        {"SELECT NAME FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID ORDER BY NAME",
         "a a1 b b1 root"},
        {"SELECT COUNT(*) FROM T CONNECT BY PRIOR ID = PARENT_ID AND ID < 10", "14"},
        {"SELECT NAME FROM T START WITH ID = 20 CONNECT BY NOCYCLE PRIOR ID = PARENT_ID", "x y"},
        {"SELECT MAX(LEVEL) FROM T START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID;", "3"}};
    for (const auto& [query, expected] : cases) {
        const std::string sql = TSqliteStatementPreparer().Prepare(query);
        std::string values;
        for (const TextRow& row : m_db.Rows(sql))
            values += (values.empty() ? "" : " ") + row.at(0).value_or("NULL");
        EXPECT_EQ(values, expected) << sql;
    }
    const std::string plain = "SELECT CONNECTED, 'CONNECT BY' FROM T WHERE START_WITH = 1";
    EXPECT_EQ(RewriteHierarchicalQuery(plain), plain);
    for (const char* sql :
         {"SELECT NAME FROM T, U START WITH ID = 0 CONNECT BY PRIOR ID = PARENT_ID",
          "SELECT NAME FROM T JOIN U ON 1 = 1 CONNECT BY PRIOR ID = PARENT_ID",
          "SELECT * FROM (SELECT NAME FROM T CONNECT BY PRIOR ID = PARENT_ID)",
          "SELECT NAME FROM T CONNECT BY PRIOR ID = PARENT_ID UNION SELECT 'x' FROM T",
          "SELECT NAME FROM T CONNECT BY PRIOR ID = (SELECT 1 FROM U)"})
        EXPECT_THROW(RewriteHierarchicalQuery(sql), Exception) << sql;
}

// Declared column types as the dictionary keeps them: TYPE#, LENGTH, PRECISION#, SCALE and the
// character set form.
TEST(OracleTypes, MapToTheDictionaryForm)
{
    const std::pair<const char*, const char*> cases[] = {{"varchar2 ( 14 BYTE )", "1 14 - - 0"},
                                                         {"VARCHAR(10)", "1 10 - - 0"},
                                                         {"NVARCHAR2(10)", "1 20 - - 2"},
                                                         {"CHAR(2)", "96 2 - - 0"},
                                                         {"CHAR", "96 1 - - 0"},
                                                         {"NUMBER", "2 22 - - 0"},
                                                         {"NUMBER(4)", "2 22 4 0 0"},
                                                         {"NUMBER(7,2)", "2 22 7 2 0"},
                                                         {"NUMBER(*,0)", "2 22 - 0 0"},
                                                         {"NUMERIC", "2 22 - 0 0"},
                                                         {"INTEGER", "2 22 - 0 0"},
                                                         {"DECIMAL(10,3)", "2 22 10 3 0"},
                                                         {"FLOAT", "2 22 126 - 0"},
                                                         {"DATE", "12 7 - - 0"},
                                                         {"LONG", "8 0 - - 0"},
                                                         {"LONG RAW", "24 0 - - 0"},
                                                         {"RAW(16)", "23 16 - - 0"},
                                                         {"CLOB", "112 4000 - - 0"},
                                                         {"BLOB", "113 4000 - - 0"},
                                                         {"TIMESTAMP", "180 11 - 6 0"},
                                                         {"TIMESTAMP(3)", "180 11 - 3 0"},
                                                         {"TEXT", "1 4000 - - 0"},
                                                         {"", "1 4000 - - 0"},
                                                         {"GEOMETRY", "1 4000 - - 0"}};
    const auto number = [](std::optional<int> value) {
        return value ? std::to_string(*value) : "-";
    };
    for (const auto& [declared, expected] : cases) {
        const TOracleColumnType type = OracleColumnType(declared);
        EXPECT_EQ(std::to_string(type.TypeNo) + " " + std::to_string(type.Length) + " " +
                      number(type.Precision) + " " + number(type.Scale) + " " +
                      std::to_string(type.CharsetForm),
                  expected)
            << declared;
    }
}

TEST(SplitStatements, SplitsAtTopLevelSemicolons)
{
    const std::pair<const char*, std::vector<std::string_view>> cases[] = {
        {" ; ;\n", {}},
        {"DROP TABLE A;\n", {"DROP TABLE A"}},
        {"INSERT INTO T VALUES (1, ';'); -- a ; comment\nDELETE FROM T",
         {"INSERT INTO T VALUES (1, ';')", "DELETE FROM T"}},
        {"BEGIN P(A => :A); END;", {"BEGIN P(A => :A); END;"}},
        {"CREATE TRIGGER X AFTER INSERT ON T BEGIN DELETE FROM U; END;",
         {"CREATE TRIGGER X AFTER INSERT ON T BEGIN DELETE FROM U; END;"}},
        {"BEGIN; COMMIT;", {"BEGIN", "COMMIT"}}};
    for (const auto& [text, statements] : cases)
        EXPECT_EQ(SplitStatements(text), statements) << text;
}

TEST(ExplainPlan, ParsesIdTableAndStatement)
{
    const auto parsed = [](const char* sql) {
        const TExplainStatement plan = ParseExplainPlan(sql);
        return plan.StatementId.value_or("-") + "|" + plan.Table.Schema + "|" + plan.Table.Name +
               "|" + plan.Statement;
    };
    EXPECT_EQ(parsed("EXPLAIN PLAN SET STATEMENT_ID = '4012' INTO QUORVEX_PLAN_TABLE FOR "
                     "SELECT * FROM EMP"),
              "4012||QUORVEX_PLAN_TABLE|SELECT * FROM EMP");
    EXPECT_EQ(parsed("explain plan for\n  select 1 from dual;"),
              "-||PLAN_TABLE|select 1 from dual");
    EXPECT_EQ(parsed("EXPLAIN PLAN SET STATEMENT_ID='it''s' INTO scott.plans FOR DELETE T"),
              "it's|SCOTT|PLANS|DELETE T");
    for (const char* sql : {"EXPLAIN SELECT 1", "EXPLAIN PLAN SELECT 1", "EXPLAIN PLAN FOR",
                            "EXPLAIN PLAN SET STATEMENT_ID = 5 FOR SELECT 1"})
        EXPECT_THROW(ParseExplainPlan(sql), Exception) << sql;
}

// SQLite's plan steps in Oracle's form, a row per line: "id parent position
// operation|options|object|type".
TEST(ExplainPlan, SqlitePlansBecomeOraclePlans)
{
    const std::pair<std::vector<TQueryPlanStep>, const char*> cases[] = {
        {{}, ""},
        {{{2, 0, "SCAN e"}, {4, 0, "SEARCH d USING INDEX PK_DEPT (DEPTNO=?)"}},
         "1 0 1 NESTED LOOPS|||\n2 1 1 TABLE ACCESS|FULL|e|TABLE\n"
         "3 1 2 TABLE ACCESS|BY INDEX ROWID|d|TABLE\n4 3 1 INDEX|RANGE SCAN|PK_DEPT|INDEX\n"},
        {{{2, 0, "SCAN a"},
          {3, 0, "SCAN b"},
          {4, 0, "SEARCH c USING INTEGER PRIMARY KEY (rowid=?)"}},
         "1 0 1 NESTED LOOPS|||\n2 1 1 NESTED LOOPS|||\n3 2 1 TABLE ACCESS|FULL|a|TABLE\n"
         "4 2 2 TABLE ACCESS|FULL|b|TABLE\n5 1 2 TABLE ACCESS|BY USER ROWID|c|TABLE\n"},
        {{{3, 0, "SEARCH e USING INDEX EMP_IX (DEPTNO=?)"}, {9, 0, "USE TEMP B-TREE FOR ORDER BY"}},
         "1 0 1 SORT|ORDER BY||\n2 1 1 TABLE ACCESS|BY INDEX ROWID|e|TABLE\n"
         "3 2 1 INDEX|RANGE SCAN|EMP_IX|INDEX\n"},
        {{{3, 0, "SCAN EMP USING COVERING INDEX EMP_IX"},
          {7, 0, "USE TEMP B-TREE FOR GROUP BY"},
          {8, 0, "USE TEMP B-TREE FOR DISTINCT"}},
         "1 0 1 SORT|UNIQUE||\n2 1 1 SORT|GROUP BY||\n3 2 1 INDEX|FULL SCAN|EMP_IX|INDEX\n"},
        {{{2, 0, "SCAN CONSTANT ROW"}}, "1 0 1 FAST DUAL|||\n"},
        {{{1, 0, "COMPOUND QUERY"},
          {2, 1, "LEFT-MOST SUBQUERY"},
          {5, 2, "SCAN EMP"},
          {10, 1, "UNION USING TEMP B-TREE"},
          {13, 10, "SCAN DEPT"}},
         "1 0 1 SORT|UNIQUE||\n2 1 1 UNION-ALL|||\n3 2 1 TABLE ACCESS|FULL|EMP|TABLE\n"
         "4 2 2 TABLE ACCESS|FULL|DEPT|TABLE\n"},
        {{{1, 0, "COMPOUND QUERY"},
          {2, 1, "LEFT-MOST SUBQUERY"},
          {5, 2, "SCAN A"},
          {10, 1, "EXCEPT USING TEMP B-TREE"},
          {13, 10, "SCAN B"}},
         "1 0 1 MINUS|||\n2 1 1 TABLE ACCESS|FULL|A|TABLE\n3 1 2 TABLE ACCESS|FULL|B|TABLE\n"},
        {{{2, 0, "SCAN EMP"}, {5, 0, "LIST SUBQUERY 1"}, {7, 5, "SCAN DEPT"}},
         "1 0 1 TABLE ACCESS|FULL|EMP|TABLE\n2 0 2 LIST SUBQUERY 1|||\n"
         "3 2 1 TABLE ACCESS|FULL|DEPT|TABLE\n"},
        {{{2, 0, "CO-ROUTINE v"}, {3, 2, "SCAN EMP"}, {9, 0, "SCAN v"}},
         "1 0 1 VIEW||v|\n2 1 1 TABLE ACCESS|FULL|EMP|TABLE\n3 0 2 TABLE ACCESS|FULL|v|TABLE\n"}};
    for (const auto& [steps, expected] : cases) {
        std::string lines;
        for (const TPlanRow& row : PlanRows(steps, "SELECT STATEMENT"))
            lines += std::to_string(row.Id) + " " +
                     (row.ParentId ? std::to_string(*row.ParentId) : "-") + " " +
                     (row.Position ? std::to_string(*row.Position) : "-") + " " + row.Operation +
                     "|" + row.Options + "|" + row.ObjectName + "|" + row.ObjectType + "\n";
        EXPECT_EQ(lines, "0 - - SELECT STATEMENT|||\n" + std::string(expected));
    }
}

} // namespace
} // namespace quorvex::test
