// The large-database generator, run at a small size: it writes the requested counts.
#include "DemoTestDatabase.h"
#include "TestSupport.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

class GeneratedDictionary : public ::testing::Test {
protected:
    AttachedDatabase m_db{GeneratedFolder()};

    long long Objects(const std::string& types)
    {
        return m_db.Scalar("SELECT COUNT(*) FROM SYS.\"OBJ$\" WHERE \"OWNER#\" >= 100 AND "
                           "\"TYPE#\" IN (" +
                           types + ")");
    }
};

TEST_F(GeneratedDictionary, HasTheRequestedCounts)
{
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"USER$\" WHERE \"USER#\" >= 100"), 3);
    EXPECT_EQ(Objects("2"), 12);
    EXPECT_EQ(Objects("1"), 20);
    EXPECT_EQ(Objects("12"), 5);
    EXPECT_EQ(Objects("4"), 4);
    EXPECT_EQ(Objects("6"), 3);
    EXPECT_EQ(Objects("7, 8, 9, 11"), 7);
    // Procedures, functions and packages in turn, each package with its body; the last
    // package would lack room for its body, so a procedure takes its place.
    EXPECT_EQ(Objects("7"), 3);
    EXPECT_EQ(Objects("8"), 2);
    EXPECT_EQ(Objects("9"), 1);
    EXPECT_EQ(Objects("11"), 1);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"COL$\" c JOIN SYS.\"OBJ$\" o ON o.\"OBJ#\" "
                          "= c.\"OBJ#\" WHERE o.\"TYPE#\" = 2 AND o.\"OWNER#\" >= 100"),
              72);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"CDEF$\" WHERE \"CON#\" >= 10000"), 50);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"SOURCE$\""), 70);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"COM$\""), 20);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"TRIGGER$\""), 5);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"SEQ$\""), 3);
    EXPECT_EQ(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"VIEW$\""), 4);
}

TEST_F(GeneratedDictionary, HasEveryKindOfConstraintAndADescendingKey)
{
    for (int type : {1, 2, 3, 4, 7}) {
        EXPECT_GT(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"CDEF$\" WHERE \"TYPE#\" = " +
                              std::to_string(type)),
                  0)
            << type;
    }
    EXPECT_GT(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"CDEF$\" WHERE \"ENABLED\" IS NULL"), 0);
    EXPECT_GT(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"SEQ$\" WHERE \"MINVALUE\" IS NULL"), 0);
    const Rows keys = m_db.Query(
        "SELECT idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM SYS.\"OBJ$\" "
        "idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE idx.\"OWNER#\" = :USER_NO AND idx.\"OBJ#\" = "
        "ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" ORDER BY "
        "idx.\"OBJ#\",ic.\"POS#\"",
        "100");
    EXPECT_FALSE(keys.empty());
    EXPECT_GT(m_db.Scalar("SELECT COUNT(*) FROM SYS.\"ICOL$\" ic JOIN SYS.\"COL$\" c ON "
                          "ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = c.\"INTCOL#\" WHERE "
                          "(c.\"PROPERTY\" & 131072) <> 0"),
              0);
}

TEST(GenerateDictionaryProgram, RefusesAnExistingFolderWithoutForce)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "out").string();
    ASSERT_EQ(std::system(SmallGeneratorCommand(folder).c_str()), 0);
    EXPECT_NE(std::system(SmallGeneratorCommand(folder).c_str()), 0);
    EXPECT_EQ(std::system((SmallGeneratorCommand(folder) + " --force").c_str()), 0)
        << ReadFileBytes(folder + ".log");
}

} // namespace
} // namespace quorvex::test
