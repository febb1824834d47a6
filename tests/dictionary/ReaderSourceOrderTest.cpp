// Stored source whose rows come in no particular order: a SOURCE$ without its primary key,
// filled out of order, with the lines of two objects interleaved and a line number given twice.
#include "ReaderHarness.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES
    (50001, 59, 'P', 7), (50002, 59, 'F', 8), (50003, 59, 'B', 11), (50004, 59, 'Q', 7);
DROP TABLE "SOURCE$";
CREATE TABLE "SOURCE$" ("OBJ#" INTEGER NOT NULL, "LINE" INTEGER NOT NULL, "SOURCE" TEXT);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (50004, 1, 'q1;'),
    (50002, 2, 'f2;'), (50001, 3, 'p3;'), (50001, 1, 'p1;'), (50002, 1, 'f1;'),
    (50001, 2, 'p2;'), (50003, 1, 'b1;'), (50001, 10, 'p10;'), (50003, 1, 'b1 again;'),
    (50002, 3, 'f3;');
)";

class ReaderSourceOrderTest : public ::testing::TestWithParam<bool> {
protected:
    TReaderHarness m_harness{kSchema};
};

TEST_P(ReaderSourceOrderTest, LinesGoInObjectAndLineOrder)
{
    TDBNewOracle& root = m_harness.Root();
    root.IncludeSys = GetParam();
    m_harness.LoadSchema();
    m_harness.LoadSource();
    const auto text = [&](std::int32_t number) {
        return root.Objects().FindByOID(number)->ObjectText;
    };
    EXPECT_EQ(text(50001), "CREATE OR REPLACE p1;p2;p3;p10;");
    EXPECT_EQ(text(50002), "CREATE OR REPLACE f1;f2;f3;");
    // Lines of equal number keep the order they came in.
    EXPECT_EQ(text(50003), "CREATE OR REPLACE b1;b1 again;");
    EXPECT_EQ(text(50004), "CREATE OR REPLACE q1;");
    // A second read gives the same texts.
    m_harness.LoadSource();
    EXPECT_EQ(text(50001), "CREATE OR REPLACE p1;p2;p3;p10;");
    EXPECT_EQ(text(50003), "CREATE OR REPLACE b1;b1 again;");
}

INSTANTIATE_TEST_SUITE_P(Variants, ReaderSourceOrderTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "AllOwners" : "OneOwner");
});

} // namespace
} // namespace quorvex::test
