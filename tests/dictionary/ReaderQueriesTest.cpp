// Every statement the reader sends, character for character, in both variants (one owner, or
// all owners) and with each optimizer hint, and the progress captions in order.
#include "ReaderHarness.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// One object of each phase, so that every phase has rows to read.
const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (50001, 59, 'T', 2, 1), (50002, 59, 'I', 1, 1), (50003, 59, 'TRG', 12, 1),
    (50004, 59, 'V', 4, 1), (50005, 59, 'S', 6, 1), (50006, 59, 'P', 7, 1);
INSERT INTO "COL$" ("OBJ#", "COL#", "SEGCOL#", "INTCOL#", "NAME", "TYPE#", "LENGTH") VALUES
    (50001, 1, 1, 1, 'A', 2, 22);
INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES (50001, 1, 'Column A');
INSERT INTO "CON$" ("OWNER#", "NAME", "CON#") VALUES (59, 'PK_T', 7001);
INSERT INTO "CDEF$" ("CON#", "OBJ#", "TYPE#", "ENABLED") VALUES (7001, 50001, 2, 1);
INSERT INTO "CCOL$" ("CON#", "OBJ#", "COL#", "POS#", "INTCOL#") VALUES (7001, 50001, 1, 1, 1);
INSERT INTO "ICOL$" ("OBJ#", "BO#", "COL#", "POS#", "INTCOL#") VALUES (50002, 50001, 1, 1, 1);
INSERT INTO "TRIGGER$" ("OBJ#", "BASEOBJECT", "DEFINITION", "ACTION#") VALUES
    (50003, 50001, 'SCOTT.TRG BEFORE INSERT ON SCOTT.T
', 'BEGIN NULL; END;
');
INSERT INTO "VIEW$" ("OBJ#", "TEXT") VALUES (50004, 'SELECT A FROM T');
INSERT INTO "SEQ$" ("OBJ#", "HIGHWATER") VALUES (50005, 1);
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES (50006, 1, 'PROCEDURE P IS BEGIN NULL; END;
');
)";

constexpr const char* kCrLf = "\r\n";

struct THintCase {
    bool UseRule;
    bool UseOrdered;
    const char* Prefix;
};

class ReaderQueriesTest : public ::testing::TestWithParam<THintCase> {
protected:
    // The statements of LoadSchema and LoadSource, restricted to SCOTT (user 59) or not.
    static std::vector<TOpenedStatement> ExpectedSchemaStatements(bool restricted,
                                                                  const std::string& h)
    {
        const std::vector<std::string> user =
            restricted ? std::vector<std::string>{"USER_NO='59'"} : std::vector<std::string>{};
        std::vector<TOpenedStatement> expected;
        if (restricted)
            expected.push_back({std::string("SELECT * FROM SYS.\"USER$\"") + kCrLf, {}});
        expected.push_back(
            {std::string("SELECT \"USER#\",\"NAME\" FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1") +
                 kCrLf + (restricted ? std::string(" AND USER# = 59") + kCrLf : ""),
             {}});
        expected.push_back(
            {h + "\"OBJ#\",\"NAME\",\"TYPE#\",\"STATUS\",\"OWNER#\" FROM SYS.\"OBJ$\"" + kCrLf +
                 (restricted ? std::string(" WHERE \"OWNER#\" = 59") + kCrLf : "") +
                 " ORDER BY \"NAME\"" + kCrLf,
             {}});
        expected.push_back(
            {h +
                 (restricted ? "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" "
                               "FROM SYS.\"OBJ$\" o,SYS.\"TRIGGER$\" s WHERE o.\"OWNER#\" = "
                               ":USER_NO AND o.\"TYPE#\" = 12 AND o.\"OBJ#\" = s.\"OBJ#\""
                             : "s.\"OBJ#\", s.\"BASEOBJECT\", s.\"DEFINITION\", s.\"ACTION#\" "
                               "FROM SYS.\"TRIGGER$\" s") +
                 kCrLf,
             user});
        expected.push_back(
            {h +
                 (restricted ? "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"OBJ$\" o,SYS.\"VIEW$\" s WHERE "
                               "o.\"OWNER#\" = :USER_NO AND o.\"TYPE#\" = 4 AND o.\"OBJ#\" = "
                               "s.\"OBJ#\""
                             : "s.\"OBJ#\", s.\"TEXT\" FROM SYS.\"VIEW$\" s") +
                 kCrLf,
             user});
        expected.push_back(
            {h +
                 (restricted
                      ? "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", "
                        "c.\"PRECISION#\", c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM "
                        "SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE o.\"OWNER#\" = :USER_NO AND "
                        "o.\"TYPE#\" = 2 AND o.\"OBJ#\" = c.\"OBJ#\""
                      : "c.\"OBJ#\", c.\"COL#\", c.\"NAME\", c.\"TYPE#\", c.\"LENGTH\", "
                        "c.\"PRECISION#\", c.\"SCALE\", c.\"NULL$\", c.\"DEFAULT$\" FROM "
                        "SYS.\"OBJ$\" o,SYS.\"COL$\" c WHERE o.\"TYPE#\" = 2 AND o.\"OBJ#\" = "
                        "c.\"OBJ#\"") +
                 kCrLf,
             user});
        expected.push_back(
            {h +
                 (restricted ? "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"OBJ$\" "
                               "o,SYS.\"COM$\" c WHERE o.\"OWNER#\" = :USER_NO AND o.\"OBJ#\" = "
                               "c.\"OBJ#\""
                             : "c.\"OBJ#\", c.\"COL#\", c.\"COMMENT$\" FROM SYS.\"COM$\" c") +
                 kCrLf,
             user});
        expected.push_back(
            {h +
                 "d.\"CON#\",d.\"TYPE#\",o.\"NAME\",d.\"ENABLED\",d.\"CONDITION\",d.\"REFACT\","
                 "d.\"OBJ#\",d.\"ROBJ#\",d.\"RCON#\",o.\"OWNER#\",d.\"RRULES\",d.\"MATCH#\","
                 "rc.\"NAME\" RCOL,ro.\"NAME\" ROBJ FROM SYS.\"CON$\" o,SYS.\"CDEF$\" "
                 "d,SYS.\"CCOL$\" c,SYS.\"COL$\" rc,SYS.\"OBJ$\" ro WHERE " +
                 (restricted ? "o.\"OWNER#\" = :USER_NO AND " : "") +
                 "o.\"CON#\" = d.\"CON#\" AND d.\"ROBJ#\" = ro.\"OBJ#\"(+) AND d.\"CON#\" = "
                 "c.\"CON#\"(+) AND c.\"OBJ#\" = rc.\"OBJ#\"(+) AND c.\"COL#\" = rc.\"COL#\"(+) "
                 "ORDER BY o.\"NAME\",c.\"POS#\"" +
                 kCrLf,
             user});
        expected.push_back({h +
                                "\"OBJ#\",\"HIGHWATER\",\"INCREMENT$\",\"MINVALUE\",\"MAXVALUE\","
                                "\"CYCLE#\",\"CACHE\",\"ORDER$\" FROM SYS.\"SEQ$\"" +
                                kCrLf,
                            {}});
        expected.push_back(
            {h +
                 "idx.\"OBJ#\",c.\"OBJ#\",c.\"NAME\",ic.\"POS#\",c.\"PROPERTY\" FROM SYS.\"OBJ$\" "
                 "idx,SYS.\"ICOL$\" ic,SYS.\"COL$\" c  WHERE " +
                 (restricted ? "idx.\"OWNER#\" = :USER_NO AND " : "") +
                 "idx.\"OBJ#\" = ic.\"OBJ#\" AND ic.\"BO#\" = c.\"OBJ#\" AND ic.\"INTCOL#\" = "
                 "c.\"INTCOL#\" ORDER BY idx.\"OBJ#\",ic.\"POS#\"" +
                 kCrLf,
             user});
        expected.push_back({std::string("SELECT SYSDATE FROM DUAL") + kCrLf, {}});
        return expected;
    }

    static std::vector<TOpenedStatement> ExpectedSourceStatements(bool restricted,
                                                                  const std::string& h)
    {
        std::vector<TOpenedStatement> expected;
        if (restricted) {
            expected.push_back({std::string("SELECT * FROM SYS.\"USER$\"") + kCrLf, {}});
            expected.push_back(
                {h +
                     "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"OBJ$\" o,SYS.\"SOURCE$\" s "
                     "WHERE o.\"OWNER#\" = :USER_NO  AND o.\"TYPE#\" IN (7,8,9,11) AND o.\"OBJ#\" "
                     "= s.\"OBJ#\"" +
                     kCrLf,
                 {"USER_NO='59'"}});
        } else {
            expected.push_back(
                {h + "s.\"OBJ#\", s.\"LINE\", s.\"SOURCE\" FROM SYS.\"SOURCE$\" s" + kCrLf, {}});
        }
        expected.push_back({std::string("SELECT SYSDATE FROM DUAL") + kCrLf, {}});
        return expected;
    }

    void SetUp() override
    {
        m_harness.Root().UseRule = GetParam().UseRule;
        m_harness.Root().UseOrdered = GetParam().UseOrdered;
    }

    TReaderHarness m_harness{kSchema};
};

const std::vector<std::string> kSchemaCaptions = {
    "Reading Owners...",     "Sorting Owners...",      "Reading Objects...",
    "Sorting Objects...",    "Reading Triggers...",    "Reading Views...",
    "Reading Fields...",     "Sorting Fields...",      "Reading Comments...",
    "Sorting Comments...",   "Reading Constraints...", "Reading Sequences...",
    "Attaching Comments...", "Attaching Fields...",    "Attaching Constraints...",
    "Reading Indexes...",
};
const std::vector<std::string> kSourceCaptions = {"Reading Source...", "Sorting Source...",
                                                  "Attaching Source..."};

TEST_P(ReaderQueriesTest, RestrictedToTheLoggedInUser)
{
    TDBNewOracle& root = m_harness.Root();
    m_harness.LoadSchema();
    EXPECT_EQ(root.UserNo, "59");
    EXPECT_EQ(m_harness.Opened(), ExpectedSchemaStatements(true, GetParam().Prefix));
    EXPECT_EQ(m_harness.Captions(), kSchemaCaptions);
    // Every phase read its rows: the texts of the restricted variants run on the engine.
    EXPECT_EQ(ObjectNames(root.Objects()), (std::vector<std::string>{"T", "V", "S", "P"}));
    TObjectItem* table = root.Objects().Items(0);
    ASSERT_EQ(table->ObjectFields().Count(), 1);
    EXPECT_EQ(table->ObjectFields().Items(0)->CommentText, "Column A");
    EXPECT_EQ(table->ObjectConstraints().Count(), 1);
    EXPECT_EQ(table->ObjectTriggers().Count(), 1);
    EXPECT_EQ(table->ObjectIndexes().Count(), 1);
    EXPECT_EQ(root.Objects().Items(2)->ObjectText.substr(0, 17), "CREATE SEQUENCE \"");
    EXPECT_GT(root.SchemaLoaded, 0);

    m_harness.ClearLog();
    m_harness.LoadSource();
    EXPECT_EQ(m_harness.Opened(), ExpectedSourceStatements(true, GetParam().Prefix));
    EXPECT_EQ(m_harness.Captions(), kSourceCaptions);
    EXPECT_EQ(root.Objects().Items(3)->ObjectText,
              "CREATE OR REPLACE PROCEDURE P IS BEGIN NULL; END;\n");
    EXPECT_GT(root.SourceLoaded, 0);
}

TEST_P(ReaderQueriesTest, AllOwnersWithTheSystemSchema)
{
    TDBNewOracle& root = m_harness.Root();
    root.IncludeSys = true;
    root.UserNo = "59"; // a stale number from an earlier read is dropped without a query
    m_harness.LoadSchema();
    EXPECT_EQ(root.UserNo, "");
    EXPECT_EQ(m_harness.Opened(), ExpectedSchemaStatements(false, GetParam().Prefix));
    EXPECT_EQ(m_harness.Captions(), kSchemaCaptions);
    // SYS's table DUAL and PUBLIC's synonym DUAL come with every database.
    EXPECT_EQ(ObjectNames(root.Objects()),
              (std::vector<std::string>{"DUAL", "DUAL", "T", "V", "S", "P"}));

    m_harness.ClearLog();
    m_harness.LoadSource();
    EXPECT_EQ(m_harness.Opened(), ExpectedSourceStatements(false, GetParam().Prefix));
    EXPECT_EQ(m_harness.Captions(), kSourceCaptions);
    EXPECT_EQ(root.Objects().Items(5)->ObjectText,
              "CREATE OR REPLACE PROCEDURE P IS BEGIN NULL; END;\n");
}

TEST_P(ReaderQueriesTest, AnUnknownUserReadsAllOwners)
{
    // The user is looked up case-sensitively: a name not upper-cased is not found.
    TDBNewOracle& root = m_harness.Root();
    root.UserName = "scott";
    m_harness.LoadSchema();
    EXPECT_EQ(root.UserNo, "");
    auto expected = ExpectedSchemaStatements(false, GetParam().Prefix);
    expected.insert(expected.begin(), {std::string("SELECT * FROM SYS.\"USER$\"") + kCrLf, {}});
    EXPECT_EQ(m_harness.Opened(), expected);
    EXPECT_EQ(root.Owners().Count(), 3); // SYS, HR, SCOTT
}

INSTANTIATE_TEST_SUITE_P(Hints, ReaderQueriesTest,
                         ::testing::Values(THintCase{false, false, "SELECT "},
                                           THintCase{true, false, "SELECT /*+RULE*/ "},
                                           THintCase{false, true, "SELECT /*+ORDERED*/ "},
                                           THintCase{true, true, "SELECT /*+RULE*/ "}),
                         [](const auto& info) {
                             return std::string(info.param.UseRule ? "Rule" : "NoRule") +
                                    (info.param.UseOrdered ? "Ordered" : "NotOrdered");
                         });

TEST(ReaderHintPrefix, RuleWinsOverOrdered)
{
    TDBNewOracle root;
    EXPECT_EQ(root.HintPrefix(), "SELECT ");
    root.UseOrdered = true;
    EXPECT_EQ(root.HintPrefix(), "SELECT /*+ORDERED*/ ");
    root.UseRule = true;
    EXPECT_EQ(root.HintPrefix(), "SELECT /*+RULE*/ ");
    root.UseOrdered = false;
    EXPECT_EQ(root.HintPrefix(), "SELECT /*+RULE*/ ");
}

} // namespace
} // namespace quorvex::test
