// Tokens, statement kinds, the (+) rewriter and the Oracle-to-SQLite translation, each as a
// table of statements and what they must give.
#include "engine/sql/OuterJoinRewriter.h"
#include "engine/sql/SqlTokenizer.h"
#include "engine/sql/SqliteTranslator.h"
#include "engine/sql/StatementClassifier.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::sql {
namespace {

// Tokens as "<kind letter> <text>" joined by '|'; the texts must cover the input exactly, each
// at its position.
std::string Tokens(std::string_view sql)
{
    std::string text, joined;
    for (const TToken& token : Tokenize(sql)) {
        EXPECT_EQ(token.Position, joined.size()) << sql;
        joined += token.Text;
        text += std::string(text.empty() ? "" : "|") + "WQSNPYCB"[static_cast<int>(token.Kind)] +
                " " + std::string(token.Text);
    }
    EXPECT_EQ(joined, sql);
    return text;
}

TEST(Tokenizer, GivesKindsAndTexts)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", ""},
        {"SELECT a FROM t", "W SELECT|B  |W a|B  |W FROM|B  |W t"},
        {"SYS.OBJ$", "W SYS|Y .|W OBJ$"},
        {"USER#=1", "W USER#|Y =|N 1"},
        {"_x1$#", "W _x1$#"},
        {"\"OBJ#\".\"a\"\"b\"", "Q \"OBJ#\"|Y .|Q \"a\"\"b\""},
        {"'it''s' 'x'", "S 'it''s'|B  |S 'x'"},
        {"'a\"b' \"c'd\"", "S 'a\"b'|B  |Q \"c'd\""},
        {"-- note\r\nx", "C -- note|B \r\n|W x"},
        {"a--b", "W a|C --b"},
        {"SELECT /*+RULE*/ 1", "W SELECT|B  |C /*+RULE*/|B  |N 1"},
        {"/* a ' \" -- */b", "C /* a ' \" -- */|W b"},
        {":USER_NO :0 ?", "P :USER_NO|B  |P :0|B  |P ?"},
        {"x:=1", "W x|Y :=|N 1"},
        {"a||b<>c<=d>=e!=f=>g", "W a|Y |||W b|Y <>|W c|Y <=|W d|Y >=|W e|Y !=|W f|Y =>|W g"},
        {"12 1.5e-3 .5 3E2x", "N 12|B  |N 1.5e-3|B  |N .5|B  |N 3E2|W x"},
        {"1e", "N 1|W e"},
        {"c.x(+)", "W c|Y .|W x|Y (|Y +|Y )"},
        {"a-b/c", "W a|Y -|W b|Y /|W c"},
        {"K\xC3\x84SE", "W K\xC3\x84SE"},
        {"'open", "S 'open"},
        {"\"open", "Q \"open"},
        {"x /* open", "W x|B  |C /* open"},
        {"'a''", "S 'a''"},
        {":", "Y :"}};
    for (const auto& [sql, expected] : cases)
        EXPECT_EQ(Tokens(sql), expected) << sql;
    Tokens(std::string("\0a\x01\xff\t\r\n  @@ ~ ` \\ ; ,", 21));
}

TEST(Tokenizer, HelpersJudgeTokens)
{
    const std::vector<TToken> tokens = Tokenize("select \"SELECT\" obj$ \"a\"\"b\" -- x\n'y'");
    ASSERT_EQ(tokens.size(), 11u);
    EXPECT_TRUE(IsKeyword(tokens[0], "SELECT"));
    EXPECT_FALSE(IsKeyword(tokens[0], "SELEC"));
    EXPECT_FALSE(IsKeyword(tokens[2], "SELECT")); // quoted: a name, not a keyword
    EXPECT_EQ(NameOf(tokens[0]) + NameOf(tokens[2]) + NameOf(tokens[6]) + NameOf(tokens[10]),
              "SELECTSELECTa\"b'y'");
    EXPECT_TRUE(IsSignificant(tokens[0]) && !IsSignificant(tokens[1]) && !IsSignificant(tokens[8]));
    EXPECT_TRUE(IsSymbol(Tokenize("||")[0], "||"));
    EXPECT_EQ(ToUpper("abc$#\xC3\xA4"), "ABC$#\xC3\xA4");
}

TEST(Classifier, GivesTheKind)
{
    using K = TStatementKind;
    const std::pair<TStatementKind, std::vector<const char*>> cases[] = {
        {K::Select,
         {"  select 1 from dual", "WITH q AS (SELECT 1 FROM DUAL) SELECT * FROM q",
          "(SELECT 1 FROM DUAL) UNION (SELECT 2 FROM DUAL)", "/*+RULE*/ SELECT 1 FROM DUAL",
          "-- header\n/* block\n */\r\n\tSelect 1 FROM DUAL"}},
        {K::Insert, {"INSERT INTO t VALUES (1)"}},
        {K::Update, {"update t set x = 1"}},
        {K::Delete, {"DELETE t"}},
        {K::Merge, {"MERGE INTO t USING s ON (1=1)"}},
        {K::CreateTable, {"CREATE TABLE t (x NUMBER)", "create global temporary table t (x)"}},
        {K::CreateView,
         {"CREATE VIEW v AS SELECT 1 FROM DUAL", "CREATE OR REPLACE FORCE VIEW v AS SELECT 1",
          "CREATE NO FORCE VIEW v AS SELECT 1", "CREATE OR REPLACE NOFORCE EDITIONABLE VIEW v"}},
        {K::CreateIndex,
         {"CREATE INDEX i ON t (x)", "CREATE UNIQUE INDEX i ON t (x)", "CREATE BITMAP INDEX i"}},
        {K::CreateOther,
         {"CREATE SEQUENCE s", "CREATE OR REPLACE PROCEDURE p IS BEGIN NULL; END;",
          "CREATE MATERIALIZED VIEW mv AS SELECT 1 FROM DUAL", "CREATE PUBLIC SYNONYM s FOR t",
          "CREATE", "CREATE \"TABLE\" x"}},
        {K::Alter, {"ALTER PROCEDURE p COMPILE"}},
        {K::Drop, {"DROP TABLE t"}},
        {K::Explain, {"EXPLAIN PLAN FOR SELECT 1 FROM DUAL"}},
        {K::Call,
         {"BEGIN p; END;", "DECLARE x NUMBER; BEGIN NULL; END;", "CALL p()", "EXEC p",
          "execute p"}},
        {K::Commit, {"COMMIT", "commit work"}},
        {K::Rollback, {"ROLLBACK"}},
        {K::Other,
         {"TRUNCATE TABLE t", "GRANT SELECT ON t TO u", "", "   -- only a comment",
          "/* unterminated SELECT", "\"SELECT\" 1", "'SELECT'", "SELECTED", "(("}}};
    for (const auto& [kind, statements] : cases)
        for (const char* sql : statements)
            EXPECT_EQ(ClassifyStatement(sql), kind) << sql;
}

TEST(Translator, GivesSqliteText)
{
    const std::string now = "datetime('now','localtime')";
    const std::pair<std::string, std::string> cases[] = {
        {"SELECT * FROM sys.obj$ o", "SELECT * FROM sys.\"OBJ$\" o"},
        {"SELECT \"USER#\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1\n AND USER# = 5",
         "SELECT \"USER#\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1\n AND \"USER#\" = 5"},
        {"SELECT o.obj#, o.Name FROM OBJ$ o", "SELECT o.\"OBJ#\", o.Name FROM \"OBJ$\" o"},
        {"SELECT \"obj$\", 'OBJ$', x -- OBJ$\n/* USER# */ FROM t",
         "SELECT \"obj$\", 'OBJ$', x -- OBJ$\n/* USER# */ FROM t"},
        {"select sysdate,SysDate from dual", "select " + now + "," + now + " from dual"},
        {"SELECT \"SYSDATE\", 'SYSDATE', SYSDATE_X, t.SYSDATE, SYSDATE$ FROM t",
         "SELECT \"SYSDATE\", 'SYSDATE', SYSDATE_X, t.SYSDATE, \"SYSDATE$\" FROM t"},
        {"SELECT /*+RULE*/ x FROM t WHERE a = :USER_NO AND b = :0 AND c = :OBJ$",
         "SELECT /*+RULE*/ x FROM t WHERE a = :USER_NO AND b = :0 AND c = :OBJ$"},
        {"SELECT o.NAME, c.COMMENT$ FROM SYS.OBJ$ o, SYS.COM$ c WHERE o.OBJ# = c.OBJ#(+)",
         "SELECT o.NAME, c.\"COMMENT$\" FROM SYS.\"OBJ$\" o LEFT JOIN SYS.\"COM$\" c ON o.\"OBJ#\" "
         "= c.\"OBJ#\""},
        {"", ""},
        {"UPDATE t SET x = 'open", "UPDATE t SET x = 'open"}};
    for (const auto& [oracle, sqlite] : cases)
        EXPECT_EQ(TranslateForSqlite(oracle), sqlite) << oracle;
    EXPECT_THROW(TranslateForSqlite("SELECT * FROM a, b WHERE a.id = b.id(+) OR a.k = 1"),
                 Exception);
}

TEST(OuterJoins, RewritesMarkedTablesAsLeftJoins)
{
    const std::pair<const char*, const char*> cases[] = {
        {"select  a.x FROM a, b WHERE a.id = b.id -- (+)\n AND b.n = '(+)' /*(+)*/",
         "select  a.x FROM a, b WHERE a.id = b.id -- (+)\n AND b.n = '(+)' /*(+)*/"},
        {"SELECT (+1) FROM DUAL", "SELECT (+1) FROM DUAL"},
        {"UPDATE t SET x = 1", "UPDATE t SET x = 1"},
        {"SELECT * FROM a, b WHERE b.id(+) = a.id", "SELECT * FROM a LEFT JOIN b ON b.id = a.id"},
        {"SELECT * FROM b, a WHERE a.id = b.id(+)", "SELECT * FROM a LEFT JOIN b ON a.id = b.id"},
        {"SELECT * FROM a, b WHERE a.id = b.id ( + ) ORDER BY a.id",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id ORDER BY a.id"},
        {"SELECT * FROM a, b, c WHERE a.k = 1 AND a.id = b.id(+) AND a.c = c.id",
         "SELECT * FROM a,c LEFT JOIN b ON a.id = b.id WHERE a.k = 1 AND a.c = c.id"},
        {"SELECT * FROM a, b WHERE a.id = b.id(+) AND a.n = b.n(+) AND b.k(+) = 'X'",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id AND a.n = b.n AND b.k = 'X'"},
        {"SELECT * FROM c2, c1, a WHERE c1.id = c2.id(+) AND a.id = c1.id(+)",
         "SELECT * FROM a LEFT JOIN c1 ON a.id = c1.id LEFT JOIN c2 ON c1.id = c2.id"},
        {"SELECT * FROM a, b WHERE a.n BETWEEN 1 AND 5 AND a.id = b.id(+) AND b.v(+) BETWEEN 2 "
         "AND 3",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id AND b.v BETWEEN 2 AND 3 WHERE a.n BETWEEN 1 "
         "AND 5"},
        {"SELECT o.N\n FROM O o,C c\n WHERE o.ID = 1\n AND o.ID = c.ID(+)\n AND ((c.K IS NULL) OR "
         "(c.K = 0))\n",
         "SELECT o.N\n FROM O o LEFT JOIN C c ON o.ID = c.ID WHERE o.ID = 1 AND ((c.K IS NULL) OR "
         "(c.K = 0))\n"},
        {"SELECT * FROM t1 \"x\", T2 Y, t3 WHERE \"x\".id = y.id(+) AND T3.id(+) = \"x\".id",
         "SELECT * FROM t1 \"x\" LEFT JOIN T2 Y ON \"x\".id = y.id LEFT JOIN t3 ON T3.id = "
         "\"x\".id"},
        {"SELECT * FROM a \"x\", b x WHERE \"x\".id = X.id(+)",
         "SELECT * FROM a \"x\" LEFT JOIN b x ON \"x\".id = X.id"},
        {"SELECT * FROM SYS.OBJ$, SYS.COM$ WHERE OBJ$.OBJ# = SYS.COM$.OBJ#(+)",
         "SELECT * FROM SYS.OBJ$ LEFT JOIN SYS.COM$ ON OBJ$.OBJ# = SYS.COM$.OBJ#"},
        {"SELECT /*+RULE*/ '(+)' FROM a, b -- t\n WHERE a.id = b.id(+) /* j */ AND a.n <> 'x(+)'",
         "SELECT /*+RULE*/ '(+)' FROM a LEFT JOIN b -- t\n ON a.id = b.id /* j */ WHERE a.n <> "
         "'x(+)'"},
        {"SELECT * FROM a, b WHERE a.id = b.id(+) -- join\nAND a.k = 1",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id -- join\n WHERE a.k = 1"},
        {"SELECT * FROM a, b WHERE a.id = b.id(+)ORDER BY 1",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id ORDER BY 1"},
        {"SELECT * FROM a, b WHERE a.id = b.id(+) AND a.k IN (SELECT k FROM c) GROUP BY a.id",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id WHERE a.k IN (SELECT k FROM c) GROUP BY a.id"},
        {"SELECT * FROM a, b WHERE UPPER(b.n(+)) = a.n;",
         "SELECT * FROM a LEFT JOIN b ON UPPER(b.n) = a.n;"},
        {"SELECT * FROM a, b WHERE a.o = :USER_NO AND a.id = b.id(+)",
         "SELECT * FROM a LEFT JOIN b ON a.id = b.id WHERE a.o = :USER_NO"}};
    for (const auto& [oracle, rewritten] : cases)
        EXPECT_EQ(RewriteOuterJoins(oracle), rewritten) << oracle;
}

TEST(OuterJoins, RefusesShapesItCannotRewriteFaithfully)
{
    const std::string from = "SELECT * FROM a, b WHERE ";
    const std::pair<std::string, const char*> cases[] = {
        {from + "a.id = b.id(+) OR a.k = 1", "OR"},
        {from + "(a.id = b.id(+) OR a.k = 1)", "OR"},
        {from + "b.id(+) = (SELECT MAX(a.id) FROM a)", "subquery"},
        {from + "a.id = b.id AND a.k IN (SELECT c.k FROM c, d WHERE c.id = d.id(+))", "no table"},
        {from + "a.k IN (SELECT a.k FROM a, b WHERE a.id = b.id(+))", "subquery"},
        {"SELECT * FROM a JOIN b ON a.id = b.id, c WHERE a.id = c.id(+)", "ANSI"},
        {"SELECT * FROM a, (SELECT id FROM b) x WHERE a.id = x.id(+)", "subqueries"},
        {from + "a.id = id(+)", "qualified"},
        {from + "a.id = z.id(+)", "known as Z"},
        {from + "a.id(+) = b.id(+)", "two tables"},
        {from + "a.id(+) = b.id AND b.k(+) = a.k", "every table"},
        {"SELECT * FROM a, b, c WHERE a.x = b.x(+) AND c.y = b.y(+) AND b.z = c.z(+)", "cycle"},
        {"UPDATE a SET x = 1 WHERE a.id = b.id(+)", "plain SELECT"},
        {"WITH q AS (SELECT 1 x FROM DUAL) SELECT * FROM a, q WHERE a.x = q.x(+)", "plain SELECT"},
        {"SELECT b.id(+) FROM a, b WHERE a.id = b.id", "WHERE clause"},
        {from + "a.id = b.id(+) UNION SELECT * FROM c, d WHERE c.id = d.id(+)", "WHERE clause"},
        {"SELECT * FROM a, b ORDER BY b.id(+)", "WHERE clause"},
        {"SELECT * FROM a x, b x WHERE x.id = x.k(+)", "both known"},
        {from + "a.id = b.id(+) AND", "empty"}};
    for (const auto& [sql, reason] : cases) {
        try {
            ADD_FAILURE() << sql << " rewritten to: " << RewriteOuterJoins(sql);
        } catch (const Exception& error) {
            EXPECT_NE(std::string(error.what()).find("outer join (+)"), std::string::npos) << sql;
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
    }
}

} // namespace
} // namespace quorvex::sql
