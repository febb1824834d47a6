// The || rewriter: exact texts for the shapes the program sends, and Oracle's results of
// concatenations evaluated by SQLite after the rewrite.
#include "engine/emulation/ConcatRewriter.h"

#include "EmulationTestSupport.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using emulation::RewriteConcatenation;

struct TextCase {
    const char* Oracle;
    const char* Rewritten;
};

class ConcatRewriteText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ConcatRewriteText, RewritesChainsWithOraclePrecedence)
{
    EXPECT_EQ(RewriteConcatenation(GetParam().Oracle), GetParam().Rewritten);
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, ConcatRewriteText,
    ::testing::Values(
        TextCase{"SELECT A FROM T", "SELECT A FROM T"},
        TextCase{"SELECT 'a||b' FROM T -- x || y", "SELECT 'a||b' FROM T -- x || y"},
        TextCase{"SELECT A || B FROM T",
                 "SELECT NULLIF(COALESCE(A,'') || COALESCE(B,''),'') FROM T"},
        TextCase{"SELECT e.ENAME||' '||d.DNAME Name FROM EMP e",
                 "SELECT NULLIF(COALESCE(e.ENAME,'') || COALESCE(' ','') || "
                 "COALESCE(d.DNAME,''),'') Name FROM EMP e"},
        // * binds tighter than ||, + does not.
        TextCase{"SELECT A || B * 2 + 1 FROM T",
                 "SELECT NULLIF(COALESCE(A,'') || COALESCE(B * 2,''),'') + 1 FROM T"},
        TextCase{"SELECT -A || B FROM T",
                 "SELECT NULLIF(COALESCE(-A,'') || COALESCE(B,''),'') FROM T"},
        TextCase{"SELECT X, F(A, B)||'-' FROM T",
                 "SELECT X, NULLIF(COALESCE(F(A, B),'') || COALESCE('-',''),'') FROM T"},
        // A chain inside an operand is rewritten on its own.
        TextCase{"SELECT decode(O,NULL,'',O||'.')||N FROM T",
                 "SELECT NULLIF(COALESCE(decode(O,NULL,'',NULLIF(COALESCE(O,'') || "
                 "COALESCE('.',''),'')),'') || COALESCE(N,''),'') FROM T"},
        TextCase{"SELECT CASE WHEN A = 1 THEN 'x' END || B FROM T",
                 "SELECT NULLIF(COALESCE(CASE WHEN A = 1 THEN 'x' END,'') || "
                 "COALESCE(B,''),'') FROM T"},
        TextCase{"SELECT 1 FROM T WHERE A || B = 'ab' AND C = 1",
                 "SELECT 1 FROM T WHERE NULLIF(COALESCE(A,'') || COALESCE(B,''),'') = 'ab' AND "
                 "C = 1"},
        TextCase{"SELECT (A) || :P FROM T",
                 "SELECT NULLIF(COALESCE((A),'') || COALESCE(:P,''),'') FROM T"}));

struct ValueCase {
    const char* Expression;
    std::optional<std::string> Expected;
};

class ConcatRewriteValue : public ::testing::TestWithParam<ValueCase> {};

TEST_P(ConcatRewriteValue, GivesOraclesResult)
{
    MemoryDatabase db;
    const std::string sql = RewriteConcatenation(std::string("SELECT ") + GetParam().Expression);
    EXPECT_EQ(db.Value(sql), GetParam().Expected) << sql;
}

INSTANTIATE_TEST_SUITE_P(
    Results, ConcatRewriteValue,
    ::testing::Values(ValueCase{"'a' || NULL", "a"}, ValueCase{"NULL || 'b'", "b"},
                      ValueCase{"NULL || NULL", std::nullopt}, ValueCase{"'' || ''", std::nullopt},
                      ValueCase{"'n' || 2 * 3", "n6"}, ValueCase{"-1 || 'x'", "-1x"},
                      ValueCase{"'[' || 'x' || ']' || NULL", "[x]"},
                      ValueCase{"length('ab' || NULL || 'cd')", "4"},
                      ValueCase{"'a' || CASE WHEN 1 = 1 THEN NULL END || 'b'", "ab"},
                      ValueCase{"upper('a') || lower('B')", "Ab"},
                      ValueCase{"'<' || (SELECT NULL) || '>'", "<>"}));

} // namespace
} // namespace quorvex::test
