// The reader's query texts exactly as sent, through the Oracle-to-SQLite translation, against
// the demo database: each gives the rows the LEFT JOIN form gives.
#include "DemoTestDatabase.h"
#include "dictionary/DictionaryQueries.h"
#include "engine/sql/SqliteTranslator.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

namespace q = quorvex::queries;

std::string Sent(std::string_view text)
{
    return sql::TranslateForSqlite("SELECT " + std::string(text));
}

class DemoTranslatedQueries : public ::testing::Test {
protected:
    AttachedDatabase m_db{BuiltDemoFolder()};
};

TEST_F(DemoTranslatedQueries, RestrictedQueriesForScottAndHr)
{
    for (const char* user : {"59", "46"}) {
        EXPECT_EQ(m_db.Query(Sent(q::kFieldsRestricted), user).size(),
                  m_db.Query("SELECT 1 FROM SYS.\"OBJ$\" o JOIN SYS.\"COL$\" c ON c.\"OBJ#\" = "
                             "o.\"OBJ#\" WHERE o.\"TYPE#\" = 2 AND o.\"OWNER#\" = :USER_NO",
                             user)
                      .size())
            << user;
        const Rows constraints = m_db.Query(Sent(q::kConstraintsRestricted), user);
        EXPECT_EQ(constraints.size(),
                  m_db.Query("SELECT 1 FROM SYS.\"CON$\" o JOIN SYS.\"CDEF$\" d ON d.\"CON#\" = "
                             "o.\"CON#\" LEFT JOIN SYS.\"CCOL$\" c ON c.\"CON#\" = d.\"CON#\" "
                             "WHERE o.\"OWNER#\" = :USER_NO",
                             user)
                      .size())
            << user;
        EXPECT_FALSE(m_db.Query(Sent(q::kIndexesRestricted), user).empty()) << user;
        EXPECT_FALSE(m_db.Query(Sent(q::kCommentsRestricted), user).empty()) << user;
    }
    EXPECT_EQ(m_db.Query(Sent(q::kTriggersRestricted), "46").size(), 2u);
    EXPECT_EQ(m_db.Query(Sent(q::kViewsRestricted), "46").size(), 3u);
    EXPECT_EQ(m_db.Query(Sent(q::kSourceRestricted), "46").size(), 84u);
    EXPECT_EQ(m_db.Query(Sent(q::kSequences), "").size(), 5u);
    const Rows owners = m_db.Query(sql::TranslateForSqlite(
        std::string(q::kOwners) + "\n" + std::string(q::kOwnersRestriction) + "59\n"));
    EXPECT_EQ(owners, (Rows{{"59", "SCOTT"}}));
}

TEST_F(DemoTranslatedQueries, SingleObjectRefresh)
{
    std::string text;
    for (const auto line : q::kRefreshObject) {
        text += std::string(line) + (line == q::kRefreshObject[2] ? "51003" : "") + "\n";
    }
    EXPECT_EQ(m_db.Query(sql::TranslateForSqlite(text)),
              (Rows{{"EMP", "1", "Employees with their jobs, managers and salaries"}}));
}

} // namespace
} // namespace quorvex::test
