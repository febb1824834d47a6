// The dictionary reader's query texts exactly as sent, through the Oracle-to-SQLite
// translation, against the demo database: what the reader sees of the demo's traps.
#include "DemoCopy.h"
#include "SqliteRows.h"
#include "dictionary/DictionaryQueries.h"
#include "engine/sql/SqliteTranslator.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

namespace q = quorvex::queries;

class DemoReaderQueries : public ::testing::Test {
protected:
    // A reader query as sent: the plain hint prefix, then the text.
    std::string Sent(std::string_view text, const std::string& userNo = {})
    {
        return m_db.Text(sql::TranslateForSqlite("SELECT " + std::string(text)), userNo);
    }
    SqliteRows m_db{DemoTemplate()};
};

// Each restricted query, run for every user in turn, gives the rows of its all-owners form
// between them; the (+) joins give what the LEFT JOIN form gives.
TEST_F(DemoReaderQueries, RestrictedQueriesTogetherGiveAllRows)
{
    const std::pair<std::string_view, std::string_view> queries[] = {
        {q::kFieldsAll, q::kFieldsRestricted},
        {q::kCommentsAll, q::kCommentsRestricted},
        {q::kConstraintsAll, q::kConstraintsRestricted},
        {q::kTriggersAll, q::kTriggersRestricted},
        {q::kViewsAll, q::kViewsRestricted},
        {q::kIndexesAll, q::kIndexesRestricted},
        {q::kSourceAll, q::kSourceRestricted}};
    const TextRows users = m_db.Rows(R"(SELECT "USER#" FROM SYS."USER$")");
    for (const auto& [all, restricted] : queries) {
        SCOPED_TRACE(all);
        size_t rows = 0;
        for (const TextRow& user : users)
            rows +=
                m_db.Rows(sql::TranslateForSqlite("SELECT /*+RULE*/ " + std::string(restricted)),
                          *user[0])
                    .size();
        EXPECT_EQ(
            rows,
            m_db.Rows(sql::TranslateForSqlite("SELECT /*+ORDERED*/ " + std::string(all))).size());
    }
    EXPECT_EQ(Sent(q::kConstraintsRestricted, "46"),
              m_db.Text(R"(SELECT d."CON#",d."TYPE#",o."NAME",d."ENABLED",d."CONDITION",
                d."REFACT",d."OBJ#",d."ROBJ#",d."RCON#",o."OWNER#",d."RRULES",d."MATCH#",
                rc."NAME" RCOL,ro."NAME" ROBJ FROM SYS."CON$" o JOIN SYS."CDEF$" d
                ON o."CON#" = d."CON#" LEFT JOIN SYS."OBJ$" ro ON d."ROBJ#" = ro."OBJ#"
                LEFT JOIN SYS."CCOL$" c ON d."CON#" = c."CON#" LEFT JOIN SYS."COL$" rc
                ON c."OBJ#" = rc."OBJ#" AND c."COL#" = rc."COL#" WHERE o."OWNER#" = :USER_NO
                ORDER BY o."NAME",c."POS#")",
                        "46"));
}

TEST_F(DemoReaderQueries, ScottsIndexesHaveADescendingColumn)
{
    EXPECT_EQ(Sent(q::kIndexesRestricted, "59"), "51002|51001|DEPTNO|1|0\n"
                                                 "51004|51003|EMPNO|1|0\n"
                                                 "51007|51003|DEPTNO|1|0\n"
                                                 "51007|51003|SAL|2|131072\n");
    const std::string owner = std::string(q::kOwners) + "\r\n" + std::string(q::kOwnersRestriction);
    EXPECT_EQ(m_db.Text(sql::TranslateForSqlite(owner + "59\r\n")), "59|SCOTT\n");
}

// An invalid view and an invalid procedure with its compiler errors, whose positions point at
// the undeclared names in the stored source; a disabled foreign key has no ENABLED value.
TEST_F(DemoReaderQueries, HrHasInvalidObjectsAndADisabledConstraint)
{
    const std::string objects =
        Sent(std::string(q::kObjects) + " WHERE \"STATUS\" <> 1" + std::string(q::kObjectsOrder));
    EXPECT_EQ(objects, "52032|DEPT_SALARY_VIEW|4|5|46\n52043|PURGE_OLD_HISTORY|7|5|46\n");
    EXPECT_EQ(m_db.Text(R"(SELECT e."LINE", e."POSITION#", e."TEXT", substr(s."SOURCE",
                e."POSITION#", 10) FROM SYS."ERROR$" e JOIN SYS."SOURCE$" s ON s."OBJ#" = e."OBJ#"
                AND s."LINE" = e."LINE" WHERE e."OBJ#" = 52043 ORDER BY e."SEQUENCE#")"),
              "5|5|PL/SQL: Statement ignored|v_count :=\n"
              "5|16|PLS-00201: identifier 'X' must be declared|X + SQL%RO\n"
              "6|5|PL/SQL: Statement ignored|DBMS_OUTPU\n"
              "6|61|PLS-00201: identifier 'HIST_TABLE' must be declared|HIST_TABLE\n");
    const std::string constraints =
        sql::TranslateForSqlite("SELECT " + std::string(q::kConstraintsRestricted));
    EXPECT_EQ(
        m_db.Text("SELECT NAME, ENABLED, ROBJ FROM (" + constraints + ") WHERE ENABLED IS NULL",
                  "46"),
        "DEPT_MGR_FK|NULL|EMPLOYEES\n");
}

} // namespace
} // namespace quorvex::test
