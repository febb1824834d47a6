#include "engine/sql/OuterJoinRewriter.h"

#include "persistence/Exceptions.h"

#include <gtest/gtest.h>
#include <ostream>
#include <string>

namespace quorvex::sql {
namespace {

struct TRewriteCase {
    std::string Name;
    std::string Sql;
    std::string Expected;
};

void PrintTo(const TRewriteCase& value, std::ostream* out)
{
    *out << value.Sql;
}

class RewriteCases : public ::testing::TestWithParam<TRewriteCase> {};

TEST_P(RewriteCases, GivesLeftJoins)
{
    EXPECT_EQ(RewriteOuterJoins(GetParam().Sql), GetParam().Expected);
}

std::string CaseName(const ::testing::TestParamInfo<TRewriteCase>& info)
{
    return info.param.Name;
}

INSTANTIATE_TEST_SUITE_P(
    OuterJoins, RewriteCases,
    ::testing::Values(
        TRewriteCase{"NoMarkIsUnchanged",
                     "select  a.x FROM a, b WHERE a.id = b.id -- (+)\n AND b.n = '(+)' /*(+)*/",
                     "select  a.x FROM a, b WHERE a.id = b.id -- (+)\n AND b.n = '(+)' /*(+)*/"},
        TRewriteCase{"UnaryPlusIsNoMark", "SELECT (+1) FROM DUAL", "SELECT (+1) FROM DUAL"},
        TRewriteCase{"NotASelectWithoutMark", "UPDATE t SET x = 1", "UPDATE t SET x = 1"},
        TRewriteCase{"Simple", "SELECT a.x, b.y FROM a, b WHERE a.id = b.id(+)",
                     "SELECT a.x, b.y FROM a LEFT JOIN b ON a.id = b.id"},
        TRewriteCase{"MarkOnTheLeft", "SELECT * FROM a, b WHERE b.id(+) = a.id",
                     "SELECT * FROM a LEFT JOIN b ON b.id = a.id"},
        TRewriteCase{"OptionalTableFirstInFrom", "SELECT * FROM b, a WHERE a.id = b.id(+)",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id"},
        TRewriteCase{"SpacedMarkAndOrderBy",
                     "SELECT * FROM a, b WHERE a.id = b.id ( + ) ORDER BY a.id",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id ORDER BY a.id"},
        TRewriteCase{"InnerConditionsStay",
                     "SELECT * FROM a, b, c WHERE a.k = 1 AND a.id = b.id(+) AND a.c = c.id",
                     "SELECT * FROM a,c LEFT JOIN b ON a.id = b.id WHERE a.k = 1 AND a.c = c.id"},
        TRewriteCase{"SeveralConditionsOfOneTable",
                     "SELECT * FROM a, b WHERE a.id = b.id(+) AND a.n = b.n(+) AND b.k(+) = 'X'",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id AND a.n = b.n AND b.k = 'X'"},
        TRewriteCase{"ChainedOptionalTables",
                     "SELECT * FROM c2, c1, a WHERE c1.id = c2.id(+) AND a.id = c1.id(+)",
                     "SELECT * FROM a LEFT JOIN c1 ON a.id = c1.id LEFT JOIN c2 ON c1.id = c2.id"},
        TRewriteCase{"Between",
                     "SELECT * FROM a, b WHERE a.n BETWEEN 1 AND 5 AND a.id = b.id(+) AND "
                     "b.v(+) BETWEEN 2 AND 3",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id AND b.v BETWEEN 2 AND 3 WHERE "
                     "a.n BETWEEN 1 AND 5"},
        TRewriteCase{
            "FilterOnOptionalTableStaysInWhere",
            "SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\"\n FROM SYS.\"OBJ$\" "
            "o,SYS.\"COM$\" c\n WHERE o.\"OBJ#\" = 100\n AND o.\"OBJ#\" = "
            "c.\"OBJ#\"(+)\n AND ((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))\n",
            "SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\"\n FROM SYS.\"OBJ$\" o LEFT JOIN "
            "SYS.\"COM$\" c ON o.\"OBJ#\" = c.\"OBJ#\" WHERE o.\"OBJ#\" = 100 AND "
            "((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))\n"},
        TRewriteCase{"QuotedAndCaseFoldedAliases",
                     "SELECT * FROM t1 \"x\", T2 Y, t3 WHERE \"x\".id = y.id(+) AND "
                     "T3.id(+) = \"x\".id",
                     "SELECT * FROM t1 \"x\" LEFT JOIN T2 Y ON \"x\".id = y.id LEFT JOIN t3 ON "
                     "T3.id = \"x\".id"},
        TRewriteCase{"QuotedAliasIsCaseSensitive",
                     "SELECT * FROM a \"x\", b x WHERE \"x\".id = X.id(+)",
                     "SELECT * FROM a \"x\" LEFT JOIN b x ON \"x\".id = X.id"},
        TRewriteCase{"SchemaQualifiedWithoutAlias",
                     "SELECT * FROM SYS.OBJ$, SYS.COM$ WHERE OBJ$.OBJ# = SYS.COM$.OBJ#(+)",
                     "SELECT * FROM SYS.OBJ$ LEFT JOIN SYS.COM$ ON OBJ$.OBJ# = SYS.COM$.OBJ#"},
        TRewriteCase{"HintsCommentsAndStrings",
                     "SELECT /*+RULE*/ '(+)' FROM a, b -- tables\n WHERE a.id = b.id(+) /* j */"
                     " AND a.n <> 'x(+)' ORDER BY 1",
                     "SELECT /*+RULE*/ '(+)' FROM a LEFT JOIN b -- tables\n ON a.id = b.id /* j */"
                     " WHERE a.n <> 'x(+)' ORDER BY 1"},
        TRewriteCase{"TrailingLineCommentKeepsItsLineBreak",
                     "SELECT * FROM a, b WHERE a.id = b.id(+) -- join\nAND a.k = 1",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id -- join\n WHERE a.k = 1"},
        TRewriteCase{"NoBlankBeforeTheRest", "SELECT * FROM a, b WHERE a.id = b.id(+)ORDER BY 1",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id ORDER BY 1"},
        TRewriteCase{"SubqueryInAnInnerCondition",
                     "SELECT * FROM a, b WHERE a.id = b.id(+) AND a.k IN (SELECT k FROM c WHERE "
                     "c.z = 1) GROUP BY a.id",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id WHERE a.k IN (SELECT k FROM c "
                     "WHERE c.z = 1) GROUP BY a.id"},
        TRewriteCase{"FunctionAroundTheMarkedColumn",
                     "SELECT * FROM a, b WHERE UPPER(b.n(+)) = a.n;",
                     "SELECT * FROM a LEFT JOIN b ON UPPER(b.n) = a.n;"},
        TRewriteCase{"ParametersKept", "SELECT * FROM a, b WHERE a.o = :USER_NO AND a.id = b.id(+)",
                     "SELECT * FROM a LEFT JOIN b ON a.id = b.id WHERE a.o = :USER_NO"}),
    CaseName);

// The constraint query of the dictionary reader: rc hangs on c, which is itself optional.
TEST(OuterJoins, ChainsTheConstraintQuery)
{
    const std::string sql =
        "SELECT /*+RULE*/ d.\"CON#\",rc.\"NAME\" RCOL,ro.\"NAME\" ROBJ FROM SYS.\"CON$\" "
        "o,SYS.\"CDEF$\" d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro WHERE o.\"OWNER#\" = "
        ":USER_NO AND o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = ro.\"OBJ#\"(+) AND d.\"CON#\" = "
        "c.\"CON#\"(+) AND c.\"OBJ#\" = rc.\"OBJ#\"(+) AND c.\"COL#\" = rc.\"COL#\"(+) ORDER BY "
        "o.\"NAME\",c.\"POS#\"";
    EXPECT_EQ(RewriteOuterJoins(sql),
              "SELECT /*+RULE*/ d.\"CON#\",rc.\"NAME\" RCOL,ro.\"NAME\" ROBJ FROM SYS.\"CON$\" "
              "o,SYS.\"CDEF$\" d LEFT JOIN SYS.\"CCOL$\" c ON d.\"CON#\" = c.\"CON#\" LEFT JOIN "
              "SYS.\"COL$\" rc ON c.\"OBJ#\" = rc.\"OBJ#\" AND c.\"COL#\" = rc.\"COL#\" LEFT JOIN "
              "SYS.\"OBJ$\" ro ON d.\"ROBJ#\" = ro.\"OBJ#\" WHERE o.\"OWNER#\" = :USER_NO AND "
              "o.\"CON#\" = d.\"CON#\" ORDER BY o.\"NAME\",c.\"POS#\"");
}

struct TRefusedCase {
    std::string Name;
    std::string Sql;
    std::string Reason; // a part of the message
};

void PrintTo(const TRefusedCase& value, std::ostream* out)
{
    *out << value.Sql;
}

class RefusedCases : public ::testing::TestWithParam<TRefusedCase> {};

TEST_P(RefusedCases, RaiseAnError)
{
    try {
        const std::string result = RewriteOuterJoins(GetParam().Sql);
        ADD_FAILURE() << "rewritten to: " << result;
    } catch (const Exception& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("outer join (+)"), std::string::npos) << message;
        EXPECT_NE(message.find(GetParam().Reason), std::string::npos) << message;
    }
}

std::string RefusedName(const ::testing::TestParamInfo<TRefusedCase>& info)
{
    return info.param.Name;
}

INSTANTIATE_TEST_SUITE_P(
    OuterJoins, RefusedCases,
    ::testing::Values(
        TRefusedCase{"Or", "SELECT * FROM a, b WHERE a.id = b.id(+) OR a.k = 1", "OR"},
        TRefusedCase{"OrInParentheses", "SELECT * FROM a, b WHERE (a.id = b.id(+) OR a.k = 1)",
                     "OR"},
        TRefusedCase{"SubqueryBesideTheMark",
                     "SELECT * FROM a, b WHERE b.id(+) = (SELECT MAX(a.id) FROM a)", "subquery"},
        TRefusedCase{"MarkInsideASubquery",
                     "SELECT * FROM a, b WHERE a.id = b.id AND a.k IN (SELECT c.k FROM c, d "
                     "WHERE c.id = d.id(+))",
                     "no table"},
        TRefusedCase{"MarkInsideASubqueryOnOuterNames",
                     "SELECT * FROM a, b WHERE a.k IN (SELECT a.k FROM a, b WHERE a.id = b.id(+))",
                     "subquery"},
        TRefusedCase{"AnsiJoin", "SELECT * FROM a JOIN b ON a.id = b.id, c WHERE a.id = c.id(+)",
                     "ANSI"},
        TRefusedCase{"SubqueryInFrom", "SELECT * FROM a, (SELECT id FROM b) x WHERE a.id = x.id(+)",
                     "subqueries"},
        TRefusedCase{"UnqualifiedColumn", "SELECT * FROM a, b WHERE a.id = id(+)", "qualified"},
        TRefusedCase{"UnknownQualifier", "SELECT * FROM a, b WHERE a.id = z.id(+)", "known as Z"},
        TRefusedCase{"TwoTablesMarked", "SELECT * FROM a, b WHERE a.id(+) = b.id(+)", "two tables"},
        TRefusedCase{"AllOptional", "SELECT * FROM a, b WHERE a.id(+) = b.id AND b.k(+) = a.k",
                     "every table"},
        TRefusedCase{"Cycle",
                     "SELECT * FROM a, b, c WHERE a.x = b.x(+) AND c.y = b.y(+) AND b.z = c.z(+)",
                     "cycle"},
        TRefusedCase{"NotASelect", "UPDATE a SET x = 1 WHERE a.id = b.id(+)", "plain SELECT"},
        TRefusedCase{"With",
                     "WITH q AS (SELECT 1 x FROM DUAL) SELECT * FROM a, q WHERE a.x = q.x(+)",
                     "plain SELECT"},
        TRefusedCase{"MarkInSelectList", "SELECT b.id(+) FROM a, b WHERE a.id = b.id",
                     "WHERE clause"},
        TRefusedCase{"SecondQueryOfAUnion",
                     "SELECT * FROM a, b WHERE a.id = b.id(+) UNION SELECT * FROM c, d WHERE c.id "
                     "= d.id(+)",
                     "WHERE clause"},
        TRefusedCase{"NoWhere", "SELECT * FROM a, b ORDER BY b.id(+)", "WHERE clause"},
        TRefusedCase{"DuplicateAlias", "SELECT * FROM a x, b x WHERE x.id = x.k(+)", "both known"},
        TRefusedCase{"EmptyCondition", "SELECT * FROM a, b WHERE a.id = b.id(+) AND", "empty"}),
    RefusedName);

} // namespace
} // namespace quorvex::sql
