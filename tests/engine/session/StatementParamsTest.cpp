// Parameters in statement texts: names, binding and the untouched text without parsing.
#include "engine/StatementParams.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

using TNames = std::vector<std::string>;

TEST(StatementParamsTest, NamesInOrderOfFirstAppearance)
{
    struct TCase {
        const char* sql;
        TNames names;
    };
    const TCase cases[] = {
        {"SELECT * FROM T", {}},
        {"SELECT * FROM T WHERE USER# = :USER_NO", {"USER_NO"}},
        {"SELECT :b, :A, :B, :0 FROM DUAL", {"B", "A", "0"}},
        {"SELECT ':X', \":Y\" FROM DUAL -- :Z\nWHERE 1 = :W /* :V */", {"W"}},
        {"SELECT :1, :0 FROM DUAL", {"1", "0"}},
        {"BEGIN x := 1; END;", {}},
        {"SELECT TO_CHAR(D, 'HH24:MI:SS') FROM T WHERE A = :A#1", {"A#1"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_EQ(ParameterNames(c.sql), c.names);
    }
}

TEST(StatementParamsTest, BindReplacesEveryOccurrenceAndLooksValuesUpByName)
{
    const TParamValues values{{"A", std::string("x")}, {"B", std::int64_t{7}}};
    const TBoundStatement bound =
        BindParameters("SELECT :a, ':a', :B, :a, :MISSING FROM DUAL", true, &values);
    EXPECT_EQ(bound.Sql, "SELECT ?, ':a', ?, ?, ? FROM DUAL");
    ASSERT_EQ(bound.Values.size(), 4u);
    EXPECT_EQ(bound.Values[0], TParamValue(std::string("x")));
    EXPECT_EQ(bound.Values[1], TParamValue(std::int64_t{7}));
    EXPECT_EQ(bound.Values[2], TParamValue(std::string("x")));
    EXPECT_EQ(bound.Values[3], TParamValue());
}

TEST(StatementParamsTest, WithoutParsingTheTextStaysAsItIs)
{
    const TParamValues values{{"X", std::string("1")}};
    const TBoundStatement bound = BindParameters("SELECT :X FROM DUAL", false, &values);
    EXPECT_EQ(bound.Sql, "SELECT :X FROM DUAL");
    EXPECT_TRUE(bound.Values.empty());
}

TEST(StatementParamsTest, WithoutValuesEveryParameterIsNull)
{
    const TBoundStatement bound = BindParameters("SELECT :X, :0 FROM DUAL", true, nullptr);
    EXPECT_EQ(bound.Sql, "SELECT ?, ? FROM DUAL");
    EXPECT_EQ(bound.Values, (std::vector<TParamValue>{TParamValue(), TParamValue()}));
}

} // namespace
} // namespace quorvex::test
