// RefreshFromDatabase of one object: the two statements it sends, what it reads, and that the
// query is closed on every path.
#include "dictionary/ObjectRefresh.h"

#include "ReaderHarness.h"
#include "model/ObjectState.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

const std::string kSchema = std::string(kTestUsersSql) + R"(
INSERT INTO "OBJ$" ("OBJ#", "OWNER#", "NAME", "TYPE#", "STATUS") VALUES
    (50001, 59, 'T', 2, 1), (50002, 59, 'P_NEW', 7, 5);
INSERT INTO "COM$" ("OBJ#", "COL#", "COMMENT$") VALUES
    (50001, NULL, 'Table T'), (50001, 1, 'Column 1'), (50002, 0, 'Procedure P');
INSERT INTO "SOURCE$" ("OBJ#", "LINE", "SOURCE") VALUES
    (50002, 2, 'BEGIN NULL; END;
'), (50002, 1, 'PROCEDURE P_NEW IS
'), (50002, 10, '-- line 10
');
)";

std::string ObjectQuery(int number)
{
    return "SELECT o.\"NAME\",o.\"STATUS\",c.\"COMMENT$\"\r\n"
           " FROM SYS.\"OBJ$\" o,SYS.\"COM$\" c\r\n"
           " WHERE o.\"OBJ#\" = " +
           std::to_string(number) +
           "\r\n"
           " AND o.\"OBJ#\" = c.\"OBJ#\"(+)\r\n"
           " AND ((c.\"COL#\" IS NULL) OR (c.\"COL#\" = 0))\r\n";
}

std::string SourceQuery(int number)
{
    return "SELECT \"LINE\",\"SOURCE\" FROM SYS.\"SOURCE$\" \r\n"
           "WHERE \"OBJ#\" = " +
           std::to_string(number) + "\r\nORDER BY \"LINE\"\r\n";
}

// Makes `object` a stale copy of the object numbered `number`.
void MakeStale(TObjectItem& object, std::int32_t number, int type)
{
    object.ObjectNo = number;
    object.OID = number;
    object.ObjectType = type;
    object.ObjectName = "OLD";
    object.ObjectState = ObjectStates::Normal;
    object.CommentText = "old comment";
    object.ObjectText = "old text";
}

class ObjectRefreshTest : public ::testing::Test {
protected:
    TRecordingQuery& Query() { return m_harness.Query(); }

    TReaderHarness m_harness{kSchema};
};

TEST_F(ObjectRefreshTest, FoundObjectGetsNameStateCommentAndSource)
{
    TObjectItem object;
    MakeStale(object, 50002, 7);
    ASSERT_TRUE(RefreshFromDatabase(object, Query()));
    EXPECT_EQ(Query().Opened(),
              (std::vector<TOpenedStatement>{{ObjectQuery(50002), {}}, {SourceQuery(50002), {}}}));
    EXPECT_EQ(object.ObjectName, "P_NEW");
    EXPECT_EQ(object.ObjectState, ObjectStates::Invalid);
    EXPECT_EQ(object.CommentText, "Procedure P");
    // The lines in line order, without separators and without a prefix.
    EXPECT_EQ(object.ObjectText, "PROCEDURE P_NEW IS\nBEGIN NULL; END;\n-- line 10\n");
    EXPECT_FALSE(Query().Inner().IsOpen());
}

TEST_F(ObjectRefreshTest, TableTextBecomesEmpty)
{
    TObjectItem object;
    MakeStale(object, 50001, 2);
    ASSERT_TRUE(RefreshFromDatabase(object, Query()));
    EXPECT_EQ(object.ObjectName, "T");
    EXPECT_EQ(object.ObjectState, ObjectStates::Normal);
    EXPECT_EQ(object.CommentText, "Table T"); // not the column's comment
    EXPECT_EQ(object.ObjectText, "");
    EXPECT_FALSE(Query().Inner().IsOpen());
}

TEST_F(ObjectRefreshTest, MissingObjectStaysAsItWas)
{
    TObjectItem object;
    MakeStale(object, 59999, 7);
    EXPECT_FALSE(RefreshFromDatabase(object, Query()));
    EXPECT_EQ(Query().Opened(), (std::vector<TOpenedStatement>{{ObjectQuery(59999), {}}}));
    EXPECT_EQ(object.ObjectName, "OLD");
    EXPECT_EQ(object.CommentText, "old comment");
    EXPECT_EQ(object.ObjectText, "old text");
    EXPECT_FALSE(Query().Inner().IsOpen());
}

TEST_F(ObjectRefreshTest, ErrorWhileReadingSourceClosesTheQuery)
{
    TObjectItem object;
    MakeStale(object, 50002, 7);
    Query().FailNextCall(1); // the first Next: after the first source line
    EXPECT_THROW(RefreshFromDatabase(object, Query()), Exception);
    EXPECT_FALSE(Query().Inner().IsOpen());
    // What was read before the error keeps its new value.
    EXPECT_EQ(object.ObjectName, "P_NEW");
    EXPECT_EQ(object.CommentText, "Procedure P");
    EXPECT_EQ(object.ObjectText, "PROCEDURE P_NEW IS\n");
}

TEST(ObjectRefreshErrorTest, DatabaseErrorPassesOnWithTheQueryClosed)
{
    // A database whose stored source cannot be read: the second statement fails.
    TReaderHarness harness(kSchema + "DROP TABLE \"SOURCE$\";");
    TObjectItem object;
    MakeStale(object, 50002, 7);
    EXPECT_THROW(RefreshFromDatabase(object, harness.Query()), Exception);
    EXPECT_EQ(harness.Query().Opened().size(), 2u);
    EXPECT_FALSE(harness.Query().Inner().IsOpen());
    EXPECT_EQ(object.ObjectName, "P_NEW");
    EXPECT_EQ(object.ObjectText, ""); // emptied before the source query was opened
}

} // namespace
} // namespace quorvex::test
