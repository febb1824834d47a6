// A cancelled login while the connection is closed: with the system schema included every
// phase opens the connection, absorbs the cancellation and leaves the next phase to ask again;
// the database time at the end passes the cancellation on.
#include "ReaderHarness.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#") VALUES (50001, 59, 'T', 2);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH") VALUES
    (50001, 1, 1, 1, 'A', 2, 22);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES (50001, 1, 'x');
)";

class ReaderLoginTest : public ::testing::Test {
protected:
    TReaderHarness m_harness{kSchema};
};

TEST_F(ReaderLoginTest, EveryPhaseAsksAgainAndTheDatabaseTimeEndsTheRead)
{
    TDBNewOracle& root = m_harness.Root();
    root.IncludeSys = true;
    m_harness.LoadSchema();
    const double loaded = root.SchemaLoaded;
    ASSERT_GT(loaded, 0);
    ASSERT_EQ(m_harness.LoginPrompts(), 1);
    ASSERT_GT(root.Objects().Count(), 0);

    m_harness.Session().Close();
    m_harness.CancelLogins();
    m_harness.ClearLog();
    EXPECT_THROW(m_harness.LoadSchema(), EAbort);
    // Nine phases each asked once, then the database time.
    EXPECT_EQ(m_harness.LoginPrompts(), 1 + 9 + 1);
    EXPECT_EQ(m_harness.Opened().size(), 10u);
    EXPECT_EQ(m_harness.Captions().size(), 16u); // every phase still ran and reported
    EXPECT_FALSE(m_harness.Session().Connected());
    EXPECT_EQ(root.Objects().Count(), 0);
    EXPECT_EQ(root.Owners().Count(), 0);
    // The read did not complete: the model counts as never read.
    EXPECT_EQ(root.SchemaLoaded, 0);
}

TEST_F(ReaderLoginTest, TheUserLookupPassesTheCancellationOnAtOnce)
{
    m_harness.CancelLogins();
    EXPECT_THROW(m_harness.LoadSchema(), EAbort);
    EXPECT_EQ(m_harness.LoginPrompts(), 1);
    EXPECT_EQ(m_harness.Captions().size(), 0u);
    EXPECT_EQ(m_harness.Opened().size(), 1u); // SELECT * FROM SYS."USER$"
}

TEST_F(ReaderLoginTest, LoadSourcePassesTheCancellationOn)
{
    TDBNewOracle& root = m_harness.Root();
    root.IncludeSys = true;
    m_harness.LoadSchema();
    m_harness.LoadSource();
    const double loaded = root.SourceLoaded;
    ASSERT_GT(loaded, 0);

    m_harness.Session().Close();
    m_harness.CancelLogins();
    const int before = m_harness.LoginPrompts();
    EXPECT_THROW(m_harness.LoadSource(), EAbort);
    EXPECT_EQ(m_harness.LoginPrompts(), before + 1);
    EXPECT_EQ(root.SourceLoaded, loaded);
}

} // namespace
} // namespace quorvex::test
