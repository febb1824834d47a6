// Failures inside the reading phases: a structure phase empties its part, a text phase keeps
// what it did, and an object moved under its table never stays in the object list too.
#include "ReaderHarness.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace quorvex::test {
namespace {

// Two tables, each with a trigger and an index; the rows of each phase come in object order.
const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES
    (50001, 59, 'T1', 2), (50002, 59, 'T2', 2),
    (50003, 59, 'TRG1', 12), (50004, 59, 'TRG2', 12),
    (50005, 59, 'I1', 1), (50006, 59, 'I2', 1);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH") VALUES
    (50001, 1, 1, 1, 'A', 2, 22), (50002, 1, 1, 1, 'B', 2, 22);
INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES (59, 'PK_T1', 7001);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ENABLED") VALUES (7001, 50001, 2, 1);
INSERT INTO "TRIGGER$" ("OBJ#", "BASEOBJECT", "DEFINITION", "ACTION#") VALUES
    (50003, 50001, 'TRG1 ', 'BEGIN NULL; END;'), (50004, 50002, 'TRG2 ', 'BEGIN NULL; END;');
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES
    (50005, 50001, 1, 1, 1), (50006, 50002, 1, 1, 1);
)";

class ReaderFailureTest : public ::testing::Test {
protected:
    TObjectItem* Object(std::int32_t number)
    {
        return m_harness.Root().Objects().FindByOID(number);
    }

    TReaderHarness m_harness{kSchema};
};

TEST_F(ReaderFailureTest, TriggerPhaseErrorKeepsWhatItMoved)
{
    m_harness.Query().FailNextCall(1, "TRIGGER$");
    m_harness.LoadSchema();
    // TRG1 moved before the error; TRG2 was never read and stays, without text.
    EXPECT_EQ(ObjectNames(m_harness.Root().Objects()),
              (std::vector<std::string>{"T1", "T2", "TRG2"}));
    ASSERT_EQ(Object(50001)->ObjectTriggers().Count(), 1);
    EXPECT_EQ(Object(50001)->ObjectTriggers().Items(0)->ObjectText, "TRG1 BEGIN NULL; END;");
    EXPECT_EQ(Object(50004)->ObjectText, "");
    // The read went on after the phase.
    EXPECT_EQ(Object(50001)->ObjectIndexes().Count(), 1);
    EXPECT_EQ(Object(50002)->ObjectIndexes().Count(), 1);
    EXPECT_GT(m_harness.Root().SchemaLoaded, 0);
}

TEST_F(ReaderFailureTest, IndexPhaseErrorKeepsWhatItMoved)
{
    // The second Next fails while the columns of I2 are read (the first one ended I1's).
    m_harness.Query().FailNextCall(2, "ICOL$");
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNames(m_harness.Root().Objects()),
              (std::vector<std::string>{"T1", "T2", "I2"}));
    ASSERT_EQ(Object(50001)->ObjectIndexes().Count(), 1);
    EXPECT_EQ(Object(50001)->ObjectIndexes().Items(0)->ObjectText, "CREATE INDEX I1 ON T1 (A)");
    // I2 was not read to its end: it stays in the object list, and T2 has no half index.
    EXPECT_EQ(Object(50002)->IndexesIfAny(), nullptr);
    EXPECT_EQ(Object(50006)->ObjectText, "");
    EXPECT_GT(m_harness.Root().SchemaLoaded, 0);
}

TEST_F(ReaderFailureTest, IndexReadHalfwayIsNotMoved)
{
    m_harness.Query().FailNextCall(1, "ICOL$");
    m_harness.LoadSchema();
    EXPECT_EQ(ObjectNames(m_harness.Root().Objects()),
              (std::vector<std::string>{"T1", "T2", "I1", "I2"}));
    EXPECT_EQ(Object(50001)->IndexesIfAny(), nullptr);
    EXPECT_EQ(Object(50002)->IndexesIfAny(), nullptr);
}

TEST_F(ReaderFailureTest, OtherFailureInATextPhasePassesOnWithoutDuplicates)
{
    m_harness.Query().FailNextCall(1, "TRIGGER$", TInjectedFailure::OtherError);
    EXPECT_THROW(m_harness.LoadSchema(), std::runtime_error);
    // TRG1 lives under T1 only, not in the object list as well.
    EXPECT_EQ(Object(50003), nullptr);
    ASSERT_NE(Object(50001), nullptr);
    EXPECT_EQ(Object(50001)->ObjectTriggers().Count(), 1);
    EXPECT_EQ(m_harness.Root().SchemaLoaded, 0);
}

TEST_F(ReaderFailureTest, StructurePhaseErrorEmptiesItsPart)
{
    m_harness.Query().FailNextCall(1, "COL$\" c WHERE"); // the column phase, not the indexes
    m_harness.LoadSchema();
    // No table got a column; everything else was read.
    EXPECT_EQ(Object(50001)->FieldsIfAny(), nullptr);
    EXPECT_EQ(Object(50002)->FieldsIfAny(), nullptr);
    EXPECT_EQ(Object(50001)->ObjectConstraints().Count(), 1);
    EXPECT_EQ(Object(50001)->ObjectTriggers().Count(), 1);
    EXPECT_GT(m_harness.Root().SchemaLoaded, 0);
}

TEST_F(ReaderFailureTest, ObjectPhaseErrorEmptiesTheObjects)
{
    m_harness.Query().FailNextCall(3, "FROM SYS.\"OBJ$\"\r\n");
    m_harness.LoadSchema();
    EXPECT_EQ(m_harness.Root().Objects().Count(), 0);
    EXPECT_EQ(m_harness.Root().Owners().Count(), 1);
    EXPECT_GT(m_harness.Root().SchemaLoaded, 0);
}

} // namespace
} // namespace quorvex::test
