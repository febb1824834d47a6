// Splitting a text into statements the way the embedded engine runs them.
#include "engine/emulation/EmbeddedStatements.h"

#include <gtest/gtest.h>

namespace quorvex::emulation {
namespace {

struct SplitCase {
    const char* Text;
    std::vector<std::string_view> Statements;
};

class SplitStatement : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitStatement, SplitsAtTopLevelSemicolons)
{
    EXPECT_EQ(SplitStatements(GetParam().Text), GetParam().Statements) << GetParam().Text;
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SplitStatement,
    ::testing::Values(SplitCase{"", {}}, SplitCase{" ; ;\n", {}},
                      SplitCase{"SELECT 1 FROM DUAL", {"SELECT 1 FROM DUAL"}},
                      SplitCase{"DROP TABLE A;\n", {"DROP TABLE A"}},
                      SplitCase{"INSERT INTO T VALUES (1, ';'); -- a ; comment\nDELETE FROM T",
                                {"INSERT INTO T VALUES (1, ';')", "DELETE FROM T"}},
                      SplitCase{"BEGIN P(A => :A); END;", {"BEGIN P(A => :A); END;"}},
                      SplitCase{"CREATE TRIGGER X AFTER INSERT ON T BEGIN DELETE FROM U; END;",
                                {"CREATE TRIGGER X AFTER INSERT ON T BEGIN DELETE FROM U; END;"}},
                      SplitCase{"BEGIN; COMMIT;", {"BEGIN", "COMMIT"}},
                      SplitCase{
                          "CREATE TABLE A (X INTEGER); CREATE VIEW V AS SELECT X FROM A",
                          {"CREATE TABLE A (X INTEGER)", "CREATE VIEW V AS SELECT X FROM A"}}));

} // namespace
} // namespace quorvex::emulation
