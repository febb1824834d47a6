// DECODE, NVL, LPAD and RPAD as registered on an SQLite connection, with Oracle's results.
#include "engine/emulation/OracleFunctions.h"

#include "EmulationTestSupport.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

struct FunctionCase {
    const char* Expression;
    std::optional<std::string> Expected;
};

class OracleFunction : public ::testing::TestWithParam<FunctionCase> {};

TEST_P(OracleFunction, GivesOraclesResult)
{
    MemoryDatabase db;
    emulation::RegisterOracleFunctions(db.Handle());
    EXPECT_EQ(db.Value(std::string("SELECT ") + GetParam().Expression), GetParam().Expected)
        << GetParam().Expression;
}

INSTANTIATE_TEST_SUITE_P(
    Decode, OracleFunction,
    ::testing::Values(FunctionCase{"DECODE(1, 1, 'one', 2, 'two', 'other')", "one"},
                      FunctionCase{"DECODE(2, 1, 'one', 2, 'two', 'other')", "two"},
                      FunctionCase{"DECODE(3, 1, 'one', 2, 'two', 'other')", "other"},
                      FunctionCase{"DECODE(3, 1, 'one')", std::nullopt},
                      FunctionCase{"DECODE(NULL, NULL, 'null', 'x')", "null"},
                      FunctionCase{"DECODE('', NULL, 'empty', 'x')", "empty"},
                      FunctionCase{"DECODE('a', NULL, 'null', 'x')", "x"},
                      FunctionCase{"DECODE(2, '2', 'y', 'n')", "y"},
                      FunctionCase{"DECODE(1.0, 1, 'y', 'n')", "y"},
                      FunctionCase{"DECODE('abc', 'ABC', 'y', 'n')", "n"},
                      FunctionCase{"decode('x', 'x', NULL, 'n')", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(Nvl, OracleFunction,
                         ::testing::Values(FunctionCase{"NVL(NULL, 'b')", "b"},
                                           FunctionCase{"NVL('a', 'b')", "a"},
                                           FunctionCase{"NVL('', 'b')", "b"},
                                           FunctionCase{"NVL(0, 5)", "0"},
                                           FunctionCase{"NVL(NULL, NULL)", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    Pad, OracleFunction,
    ::testing::Values(
        FunctionCase{"LPAD('>', 6, '-')", "----->"},
        FunctionCase{"LPAD('>', (1 + 1) * 3, '-')", "----->"}, FunctionCase{"LPAD('abc', 2)", "ab"},
        FunctionCase{"LPAD('a', 3)", "  a"}, FunctionCase{"LPAD('a', 0)", std::nullopt},
        FunctionCase{"LPAD(NULL, 3)", std::nullopt}, FunctionCase{"LPAD('a', NULL)", std::nullopt},
        FunctionCase{"LPAD('a', 3, '')", std::nullopt}, FunctionCase{"LPAD('a', 5, 'xy')", "xyxya"},
        FunctionCase{"LPAD('\xC3\xA9', 3, '*')", "**\xC3\xA9"},
        FunctionCase{"LPAD('\xC3\xA9\xC3\xA9\xC3\xA9', 2)", "\xC3\xA9\xC3\xA9"},
        FunctionCase{"LPAD(5, 3, '0')", "005"}, FunctionCase{"LPAD('a', 2.7, '*')", "*a"},
        FunctionCase{"RPAD('a', 3, '.')", "a.."}, FunctionCase{"RPAD('abcd', 2)", "ab"}));

TEST(OracleFunctionErrors, DecodeWithTooFewArgumentsFailsWithOraclesMessage)
{
    MemoryDatabase db;
    emulation::RegisterOracleFunctions(db.Handle());
    try {
        db.Value("SELECT DECODE(1, 1)");
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("ORA-00938"), std::string::npos) << e.what();
    }
}

} // namespace
} // namespace quorvex::test
