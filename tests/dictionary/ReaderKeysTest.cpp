// Large object and column numbers: the 32-bit keys object × 256 + column and object × 65536 +
// line overflow or collide there, yet columns, comments and source lines must all land on the
// object and column they belong to.
#include "ReaderHarness.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// T40K (40000, above 32767: object × 65536 overflows), T9M (9000000, above 8388607: object ×
// 256 overflows), WIDE with column numbers from 255 on (object × 256 + 256 is the key of the
// next object's column 0), and NEXT, the object after WIDE. Objects whose numbers differ by
// 2^16 (P_LOW, P_HIGH) or 2^24 (T_LOW, T_HIGH) would get the same keys in 32-bit arithmetic.
const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES
    (40000, 59, 'T40K', 2), (40001, 59, 'P40K', 7),
    (9000000, 59, 'T9M', 2), (9000001, 59, 'P9M', 7), (9000002, 59, 'I9M', 1),
    (50000, 59, 'WIDE', 2), (50001, 59, 'NEXT', 2),
    (50010, 59, 'P_LOW', 7), (115546, 59, 'P_HIGH', 7),
    (60000, 59, 'T_LOW', 2), (16837216, 59, 'T_HIGH', 2);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH") VALUES
    (9000000, 3, 3, 3, 'C3', 1, 10), (9000000, 1, 1, 1, 'C1', 1, 10),
    (9000000, 2, 2, 2, 'C2', 1, 10),
    (40000, 2, 2, 2, 'B', 1, 10), (40000, 1, 1, 1, 'A', 1, 10),
    (50000, 257, 257, 257, 'W257', 1, 10), (50000, 1, 1, 1, 'W1', 1, 10),
    (50000, 256, 256, 256, 'W256', 1, 10), (50000, 255, 255, 255, 'W255', 1, 10),
    (50001, 1, 1, 1, 'N1', 1, 10),
    (60000, 1, 1, 1, 'LOW1', 1, 10), (60000, 2, 2, 2, 'LOW2', 1, 10),
    (16837216, 1, 1, 1, 'HIGH1', 1, 10), (16837216, 2, 2, 2, 'HIGH2', 1, 10);
INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (9000000, NULL, 'table 9M'), (9000000, 2, 'column 9M.2'),
    (40000, 2, 'column 40K.2'),
    (50000, 255, 'wide 255'), (50000, 256, 'wide 256'), (50000, 257, 'wide 257'),
    (50001, NULL, 'next table'), (50001, 1, 'next 1'),
    (60000, 2, 'low 2'), (16837216, 1, 'high 1');
INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES (59, 'PK_9M', 7001);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ENABLED") VALUES (7001, 9000000, 2, 1);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#") VALUES
    (7001, 9000000, 2, 2, 2), (7001, 9000000, 1, 1, 1);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES
    (9000002, 9000000, 3, 1, 3), (9000002, 9000000, 1, 2, 1);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (9000001, 2, 'BEGIN NULL; END;
'), (9000001, 1, 'PROCEDURE P9M IS
'), (40001, 1, 'PROCEDURE P40K IS
'), (40001, 2, 'BEGIN
'), (40001, 3, 'NULL;
'), (40001, 4, 'END;
'),
    (50010, 1, 'PROCEDURE P_LOW IS
'), (50010, 2, 'BEGIN NULL; END;
'), (115546, 1, 'PROCEDURE P_HIGH IS
'), (115546, 2, 'BEGIN NULL; END;
');
)";

std::vector<std::string> Names(const TFieldList& fields)
{
    std::vector<std::string> names;
    for (int i = 0; i < fields.Count(); ++i)
        names.push_back(fields.Items(i)->FieldName);
    return names;
}

std::vector<std::string> Comments(const TFieldList& fields)
{
    std::vector<std::string> comments;
    for (int i = 0; i < fields.Count(); ++i)
        comments.push_back(fields.Items(i)->CommentText);
    return comments;
}

class ReaderKeysTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { m_harness.Root().IncludeSys = GetParam(); }

    TObjectItem& Object(std::int32_t number)
    {
        TObjectItem* object = m_harness.Root().Objects().FindByOID(number);
        if (object == nullptr)
            throw std::runtime_error("no object " + std::to_string(number));
        return *object;
    }

    TReaderHarness m_harness{kSchema};
};

TEST_P(ReaderKeysTest, LargeObjectNumbersKeepTheirColumns)
{
    m_harness.LoadSchema();
    TObjectItem& t9m = Object(9000000);
    EXPECT_EQ(Names(t9m.ObjectFields()), (std::vector<std::string>{"C1", "C2", "C3"}));
    EXPECT_EQ(Comments(t9m.ObjectFields()), (std::vector<std::string>{"", "column 9M.2", ""}));
    EXPECT_EQ(t9m.CommentText, "table 9M");
    // 9000000 × 256 does not fit in 32 bits: the stored key is left 0.
    for (int i = 0; i < t9m.ObjectFields().Count(); ++i)
        EXPECT_EQ(t9m.ObjectFields().Items(i)->OID, 0);
    ASSERT_EQ(t9m.ObjectConstraints().Count(), 1);
    EXPECT_EQ(t9m.ObjectConstraints().Items(0)->RefFields, "C1,C2");
    ASSERT_EQ(t9m.ObjectIndexes().Count(), 1);
    EXPECT_EQ(t9m.ObjectIndexes().Items(0)->ObjectText, "CREATE INDEX I9M ON T9M (C3,C1)");
    EXPECT_EQ(m_harness.Root().Objects().FindByOID(9000002), nullptr);

    TObjectItem& t40k = Object(40000);
    EXPECT_EQ(Names(t40k.ObjectFields()), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(Comments(t40k.ObjectFields()), (std::vector<std::string>{"", "column 40K.2"}));
    EXPECT_EQ(t40k.ObjectFields().Items(1)->OID, 40000 * 256 + 2);
}

TEST_P(ReaderKeysTest, ColumnNumbersFrom256KeepTheirComments)
{
    m_harness.LoadSchema();
    TObjectItem& wide = Object(50000);
    EXPECT_EQ(Names(wide.ObjectFields()), (std::vector<std::string>{"W1", "W255", "W256", "W257"}));
    EXPECT_EQ(Comments(wide.ObjectFields()),
              (std::vector<std::string>{"", "wide 255", "wide 256", "wide 257"}));
    EXPECT_EQ(wide.CommentText, "");
    // The stored keys stay object × 256 + column even where they collide with NEXT's.
    EXPECT_EQ(wide.ObjectFields().Items(2)->OID, 50000 * 256 + 256);
    TObjectItem& next = Object(50001);
    EXPECT_EQ(next.CommentText, "next table");
    EXPECT_EQ(Comments(next.ObjectFields()), (std::vector<std::string>{"next 1"}));
    EXPECT_EQ(next.ObjectFields().Items(0)->OID, 50001 * 256 + 1);
}

TEST_P(ReaderKeysTest, LargeObjectNumbersKeepTheirSource)
{
    m_harness.LoadSchema();
    m_harness.LoadSource();
    EXPECT_EQ(Object(40001).ObjectText,
              "CREATE OR REPLACE PROCEDURE P40K IS\nBEGIN\nNULL;\nEND;\n");
    EXPECT_EQ(Object(9000001).ObjectText, "CREATE OR REPLACE PROCEDURE P9M IS\nBEGIN NULL; END;\n");
    EXPECT_GT(m_harness.Root().SourceLoaded, 0);
}

TEST_P(ReaderKeysTest, NumbersWithEqual32BitKeysStayApart)
{
    m_harness.LoadSchema();
    m_harness.LoadSource();
    EXPECT_EQ(Object(50010).ObjectText, "CREATE OR REPLACE PROCEDURE P_LOW IS\nBEGIN NULL; END;\n");
    EXPECT_EQ(Object(115546).ObjectText,
              "CREATE OR REPLACE PROCEDURE P_HIGH IS\nBEGIN NULL; END;\n");
    EXPECT_EQ(Comments(Object(60000).ObjectFields()), (std::vector<std::string>{"", "low 2"}));
    EXPECT_EQ(Comments(Object(16837216).ObjectFields()), (std::vector<std::string>{"high 1", ""}));
    EXPECT_EQ(Names(Object(16837216).ObjectFields()), (std::vector<std::string>{"HIGH1", "HIGH2"}));
}

INSTANTIATE_TEST_SUITE_P(Variants, ReaderKeysTest, ::testing::Bool(), [](const auto& info) {
    return std::string(info.param ? "AllOwners" : "OneOwner");
});

} // namespace
} // namespace quorvex::test
