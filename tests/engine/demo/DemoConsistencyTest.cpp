// The demo dictionary agrees with itself and with the data files: every row refers to rows
// that exist, counts match, and every table and view of the dictionary is in its user's file.
#include "DemoTestDatabase.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

// Dictionary checks for the demo ("demo") and for a generated dictionary ("generated").
class DictionaryConsistency : public ::testing::TestWithParam<std::string> {
protected:
    AttachedDatabase m_db{GetParam() == "demo" ? BuiltDemoFolder() : GeneratedFolder(),
                          GetParam() == "demo" ? std::vector<std::string>{"SYSTEM", "SCOTT", "HR"}
                                               : std::vector<std::string>{}};

    // The query must return no row; the rows found are shown on failure.
    void ExpectNone(const std::string& what, const std::string& sql)
    {
        const Rows rows = m_db.Query(sql);
        std::string shown;
        for (const auto& row : rows) {
            for (const auto& value : row) {
                shown += (value ? *value : "NULL") + " ";
            }
            shown += "\n";
        }
        EXPECT_TRUE(rows.empty()) << what << ":\n" << shown;
    }
};

TEST_P(DictionaryConsistency, ConstraintColumnsMatchTheirCount)
{
    ExpectNone("constraints whose CCOL$ rows differ from COLS",
               "SELECT d.\"CON#\" FROM SYS.\"CDEF$\" d WHERE d.\"COLS\" <> (SELECT COUNT(*) "
               "FROM SYS.\"CCOL$\" c JOIN SYS.\"COL$\" k ON k.\"OBJ#\" = c.\"OBJ#\" AND "
               "k.\"INTCOL#\" = c.\"INTCOL#\" WHERE c.\"CON#\" = d.\"CON#\" AND c.\"OBJ#\" = "
               "d.\"OBJ#\")");
    ExpectNone("CON$ and CDEF$ rows without each other",
               "SELECT o.\"CON#\" FROM SYS.\"CON$\" o LEFT JOIN SYS.\"CDEF$\" d ON "
               "d.\"CON#\" = o.\"CON#\" WHERE d.\"CON#\" IS NULL UNION ALL SELECT d.\"CON#\" "
               "FROM SYS.\"CDEF$\" d LEFT JOIN SYS.\"CON$\" o ON d.\"CON#\" = o.\"CON#\" WHERE "
               "o.\"CON#\" IS NULL");
    ExpectNone("constraints on objects that do not exist or belong to another owner",
               "SELECT d.\"CON#\" FROM SYS.\"CDEF$\" d JOIN SYS.\"CON$\" o ON o.\"CON#\" = "
               "d.\"CON#\" LEFT JOIN SYS.\"OBJ$\" t ON t.\"OBJ#\" = d.\"OBJ#\" WHERE t.\"OBJ#\" "
               "IS NULL OR t.\"OWNER#\" <> o.\"OWNER#\" OR (d.\"TYPE#\" IN (5, 6)) <> "
               "(t.\"TYPE#\" = 4)");
}

TEST_P(DictionaryConsistency, ForeignKeysReferToKeysOfTheirObject)
{
    ExpectNone("foreign keys whose RCON# is not a key of ROBJ# with as many columns",
               "SELECT d.\"CON#\" FROM SYS.\"CDEF$\" d LEFT JOIN SYS.\"CDEF$\" r ON "
               "r.\"CON#\" = d.\"RCON#\" WHERE d.\"TYPE#\" = 4 AND (r.\"CON#\" IS NULL OR "
               "r.\"OBJ#\" <> d.\"ROBJ#\" OR r.\"TYPE#\" NOT IN (2, 3) OR r.\"COLS\" <> "
               "d.\"COLS\")");
}

TEST_P(DictionaryConsistency, NotNullChecksMatchTheirColumns)
{
    ExpectNone("NOT NULL checks on nullable columns or with another condition",
               "SELECT d.\"CON#\" FROM SYS.\"CDEF$\" d JOIN SYS.\"CCOL$\" c ON c.\"CON#\" = "
               "d.\"CON#\" JOIN SYS.\"COL$\" k ON k.\"OBJ#\" = c.\"OBJ#\" AND k.\"INTCOL#\" = "
               "c.\"INTCOL#\" WHERE d.\"TYPE#\" = 7 AND (k.\"NULL$\" = 0 OR d.\"CONDITION\" <> "
               "'\"' || k.\"NAME\" || '\" IS NOT NULL')");
}

TEST_P(DictionaryConsistency, IndexColumnsMatchTheirCount)
{
    ExpectNone("indexes whose ICOL$ rows differ from COLS or that lack IND$",
               "SELECT o.\"OBJ#\" FROM SYS.\"OBJ$\" o LEFT JOIN SYS.\"IND$\" i ON i.\"OBJ#\" = "
               "o.\"OBJ#\" WHERE o.\"TYPE#\" = 1 AND (i.\"OBJ#\" IS NULL OR i.\"COLS\" <> "
               "(SELECT COUNT(*) FROM SYS.\"ICOL$\" c JOIN SYS.\"COL$\" k ON k.\"OBJ#\" = "
               "c.\"BO#\" AND k.\"INTCOL#\" = c.\"INTCOL#\" WHERE c.\"OBJ#\" = o.\"OBJ#\" AND "
               "c.\"BO#\" = i.\"BO#\"))");
}

TEST_P(DictionaryConsistency, EveryObjectHasItsKindsRows)
{
    const char* const checks[][2] = {
        {"2", "SELECT 1 FROM SYS.\"COL$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
        {"4", "SELECT 1 FROM SYS.\"VIEW$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
        {"5", "SELECT 1 FROM SYS.\"SYN$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
        {"6", "SELECT 1 FROM SYS.\"SEQ$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
        {"7, 8, 9, 11", "SELECT 1 FROM SYS.\"SOURCE$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
        {"12", "SELECT 1 FROM SYS.\"TRIGGER$\" x WHERE x.\"OBJ#\" = o.\"OBJ#\""},
    };
    for (const auto& check : checks) {
        ExpectNone(std::string("objects of type ") + check[0] + " without their rows",
                   std::string("SELECT o.\"NAME\" FROM SYS.\"OBJ$\" o WHERE o.\"TYPE#\" IN (") +
                       check[0] + ") AND NOT EXISTS (" + check[1] + ")");
    }
    ExpectNone("code whose line numbers have gaps",
               "SELECT \"OBJ#\" FROM SYS.\"SOURCE$\" GROUP BY \"OBJ#\" HAVING MIN(\"LINE\") <> 1 "
               "OR MAX(\"LINE\") <> COUNT(*)");
    ExpectNone("user objects numbered as low as SYS's",
               "SELECT \"NAME\" FROM SYS.\"OBJ$\" WHERE \"OWNER#\" > 4 AND \"OBJ#\" <= 32767");
    ExpectNone("objects of owners that do not exist",
               "SELECT o.\"NAME\" FROM SYS.\"OBJ$\" o LEFT JOIN SYS.\"USER$\" u ON u.\"USER#\" = "
               "o.\"OWNER#\" WHERE u.\"USER#\" IS NULL");
}

// The single-object refresh joins the object's own comment; an object with column comments
// only would not be found by it.
TEST_P(DictionaryConsistency, ObjectsWithColumnCommentsHaveAnObjectComment)
{
    ExpectNone("objects with column comments but none of their own",
               "SELECT DISTINCT c.\"OBJ#\" FROM SYS.\"COM$\" c WHERE c.\"COL#\" > 0 AND NOT "
               "EXISTS (SELECT 1 FROM SYS.\"COM$\" t WHERE t.\"OBJ#\" = c.\"OBJ#\" AND "
               "t.\"COL#\" IS NULL)");
}

INSTANTIATE_TEST_SUITE_P(Dictionaries, DictionaryConsistency,
                         ::testing::Values(std::string("demo"), std::string("generated")));

// Tables and views of the dictionary are in the owner's file with the same columns in the same
// order; descending index keys are descending there too.
TEST(DemoConsistency, DataFilesMatchTheDictionary)
{
    AttachedDatabase db{BuiltDemoFolder(), {"SYSTEM", "SCOTT", "HR"}};
    const Rows objects = db.Query(
        "SELECT o.\"OBJ#\", u.\"NAME\", o.\"NAME\" FROM SYS.\"OBJ$\" o JOIN SYS.\"USER$\" u ON "
        "u.\"USER#\" = o.\"OWNER#\" WHERE o.\"TYPE#\" IN (2, 4) AND u.\"NAME\" <> 'SYS'");
    EXPECT_EQ(objects.size(), 16u); // SYSTEM 1, SCOTT 4, HR 8 tables and 3 views
    for (const auto& object : objects) {
        const Rows dictionary =
            db.Query("SELECT \"NAME\" FROM SYS.\"COL$\" WHERE \"OBJ#\" = " + *object[0] +
                     " ORDER BY \"COL#\"");
        const Rows file = db.Query("SELECT name FROM pragma_table_info('" + *object[2] + "', '" +
                                   *object[1] + "') ORDER BY cid");
        EXPECT_EQ(file, dictionary) << *object[1] << "." << *object[2];
    }
    const Rows descending = db.Query(
        "SELECT u.\"NAME\", o.\"NAME\", k.\"NAME\" FROM SYS.\"ICOL$\" c JOIN SYS.\"COL$\" k ON "
        "k.\"OBJ#\" = c.\"BO#\" AND k.\"INTCOL#\" = c.\"INTCOL#\" JOIN SYS.\"OBJ$\" o ON "
        "o.\"OBJ#\" = c.\"OBJ#\" JOIN SYS.\"USER$\" u ON u.\"USER#\" = o.\"OWNER#\" WHERE "
        "(k.\"PROPERTY\" & 131072) <> 0");
    ASSERT_EQ(descending.size(), 2u);
    for (const auto& key : descending) {
        const Rows info = db.Query("SELECT \"desc\" FROM pragma_index_xinfo('" + *key[1] + "', '" +
                                   *key[0] + "') WHERE name = '" + *key[2] + "'");
        EXPECT_EQ(info, (Rows{{"1"}})) << *key[1];
    }
}

} // namespace
} // namespace quorvex::test
