// Building an embedded database folder: once, atomically, and again when outdated; the demo
// and the large-database generator's dictionaries agree with themselves and their data files.
#include "engine/demo/DemoDatabase.h"

#include "DemoCopy.h"
#include "SqliteRows.h"
#include "TestSupport.h"
#include "engine/sql/SqliteTranslator.h"
#include "persistence/Exceptions.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>

namespace quorvex::test {
namespace {

namespace fs = std::filesystem;

class DemoDatabase : public ::testing::Test {
protected:
    // Everything in the temporary folder, the database folder's files included, sorted.
    std::string Entries()
    {
        std::set<std::string> names;
        for (const auto& entry : fs::recursive_directory_iterator(m_temp.Path()))
            names.insert(entry.path().lexically_relative(m_temp.Path()).string());
        std::string text;
        for (const std::string& name : names)
            text += name + " ";
        return text;
    }
    std::string Version() { return ReadFileBytes(m_folder + "/" + kDemoVersionFile); }

    TempDir m_temp;
    std::string m_folder = m_temp.File("demo");
    const std::string m_demoFiles = "demo demo/DEMO_VERSION demo/HR.sqlite demo/SCOTT.sqlite "
                                    "demo/SYS.sqlite demo/SYSTEM.sqlite ";
};

TEST_F(DemoDatabase, BuildsOneFilePerUserAndTheMarkerAndKeepsChangesAfterwards)
{
    EXPECT_EQ(EnsureDemoDatabase(m_folder), m_folder);
    EXPECT_EQ(Entries(), m_demoFiles);
    EXPECT_EQ(Version(), std::to_string(kDemoDatabaseVersion) + "\n");
    SqliteRows(m_folder, {"SCOTT"}).Execute(R"(DELETE FROM SCOTT."EMP" WHERE "EMPNO" = 7369)");
    EnsureDemoDatabase(m_folder + "/");
    EXPECT_EQ(SqliteRows(m_folder, {"SCOTT"}).Value(R"(SELECT COUNT(*) FROM SCOTT."EMP"
                                                       WHERE "EMPNO" = 7369)"),
              "0");
}

TEST_F(DemoDatabase, OutdatedOrUnmarkedFolderIsRebuilt)
{
    fs::create_directories(m_folder);
    WriteFileBytes(m_folder + "/SYS.sqlite", "half a database");
    EnsureDemoDatabase(m_folder);
    EXPECT_EQ(Version(), std::to_string(kDemoDatabaseVersion) + "\n");
    WriteFileBytes(m_folder + "/" + kDemoVersionFile, "0\n");
    WriteFileBytes(m_folder + "/LEFTOVER.sqlite", "x");
    EnsureDemoDatabase(m_folder);
    EXPECT_EQ(Version(), std::to_string(kDemoDatabaseVersion) + "\n");
    EXPECT_EQ(Entries(), m_demoFiles); // nothing left beside it, nor inside
    EXPECT_EQ(SqliteRows(m_folder).Value(R"(SELECT "NAME" FROM SYS."USER$" WHERE "USER#" = 59)"),
              "SCOTT");
}

TEST_F(DemoDatabase, FailedBuildLeavesNoFolderAndFailedRebuildKeepsTheOldOne)
{
    try {
        EnsureEmbeddedDatabase(m_folder,
                               {{"SCOTT", "CREATE TABLE \"A\" (\"X\" NUMBER);\n\n-- a comment\n"
                                          "INSERT INTO \"B\" VALUES (1);\n"}},
                               1);
        ADD_FAILURE() << "the build should fail";
    } catch (const Exception& e) {
        EXPECT_NE(std::string(e.what()).find("SCOTT.sqlite: line 4: no such table: B"),
                  std::string::npos)
            << e.what();
    }
    EXPECT_EQ(Entries(), "");
    EnsureEmbeddedDatabase(m_folder, {{"SCOTT", "CREATE TABLE \"A\" (\"X\" NUMBER);"}}, 1);
    EXPECT_THROW(EnsureEmbeddedDatabase(m_folder, {{"SCOTT", "CREATE TABLE (;"}}, 2), Exception);
    EXPECT_EQ(Entries(), "demo demo/DEMO_VERSION demo/SCOTT.sqlite demo/SYS.sqlite ");
    EXPECT_EQ(Version(), "1\n");
    EXPECT_EQ(SqliteRows(m_folder, {"SCOTT"}).Value("SELECT COUNT(*) FROM SCOTT.\"A\""), "0");
}

TEST_F(DemoDatabase, EmptyScriptListGivesTheBareDictionaryInAnEmptyFolderOnly)
{
    BuildEmbeddedDatabase(m_folder, {});
    EXPECT_EQ(Entries(), "demo demo/SYS.sqlite ");
    EXPECT_EQ(SqliteRows(m_folder).Text(R"(SELECT "NAME" FROM SYS."USER$" UNION ALL
                                           SELECT * FROM SYS."DUAL")"),
              "PUBLIC\nSYS\nX\n");
    EXPECT_THROW(BuildEmbeddedDatabase(m_temp.Path().string(), {}), Exception);
}

// The generator with the small size the tests expect, writing into folder.
std::string GeneratorCommand(const std::string& folder, const std::string& options = {})
{
    return std::string("\"") + QUORVEX_GENERATOR + "\" --output \"" + folder +
           "\" --owners 3 --tables 12 --columns-per-table 6 --constraints 50 --indexes 20"
           " --triggers 5 --views 4 --sequences 3 --code 7 --source-lines 70 --comments 20 " +
           options + " > \"" + folder + ".log\" 2>&1";
}

const std::string& GeneratedFolder()
{
    static const TempDir temp;
    static const std::string folder = temp.File("generated");
    static const int status = std::system(GeneratorCommand(folder).c_str());
    EXPECT_EQ(status, 0) << ReadFileBytes(folder + ".log");
    return folder;
}

// Procedures, functions and packages in turn, each package with its body; the last package
// would lack room for its body, so a procedure takes its place.
TEST(GeneratedDictionary, HasTheRequestedCountsAndRefusesAnExistingFolderWithoutForce)
{
    SqliteRows db(GeneratedFolder());
    const std::string objects = R"((SELECT COUNT(*) FROM SYS."OBJ$" WHERE "OWNER#" >= 100 AND )";
    std::string counts = "SELECT (SELECT COUNT(*) FROM SYS.\"USER$\" WHERE \"USER#\" >= 100)";
    for (const char* types : {"2", "1", "12", "4", "6", "7", "8", "9", "11"})
        counts += ", " + objects + "\"TYPE#\" = " + types + ")";
    for (const char* table : {"CDEF$", "SOURCE$", "COM$", "TRIGGER$", "SEQ$", "VIEW$"})
        counts += ", (SELECT COUNT(*) FROM SYS.\"" + std::string(table) + "\")";
    EXPECT_EQ(db.Text(counts), "3|12|20|5|4|3|3|2|1|1|50|70|20|5|3|4\n");
    EXPECT_NE(std::system(GeneratorCommand(GeneratedFolder()).c_str()), 0);
    const TempDir temp;
    EXPECT_EQ(std::system(GeneratorCommand(temp.File("out")).c_str()), 0);
    EXPECT_EQ(std::system(GeneratorCommand(temp.File("out"), "--force").c_str()), 0);
}

// Each query lists what breaks the dictionary's own rules; none may give a row.
class DictionaryConsistency : public ::testing::TestWithParam<bool> {};

TEST_P(DictionaryConsistency, EveryRowRefersToRowsThatExist)
{
    SqliteRows db(GetParam() ? DemoTemplate() : GeneratedFolder());
    std::vector<std::string> checks = {
        "SELECT d.CON# FROM SYS.CDEF$ d WHERE d.COLS <> (SELECT COUNT(*) FROM SYS.CCOL$ c JOIN "
        "SYS.COL$ k ON k.OBJ# = c.OBJ# AND k.INTCOL# = c.INTCOL# WHERE c.CON# = d.CON# AND "
        "c.OBJ# = d.OBJ#)",
        "SELECT d.CON# FROM SYS.CDEF$ d JOIN SYS.CON$ o ON o.CON# = d.CON# LEFT JOIN SYS.OBJ$ t "
        "ON t.OBJ# = d.OBJ# WHERE t.OBJ# IS NULL OR t.OWNER# <> o.OWNER# OR (d.TYPE# IN (5, 6)) "
        "<> (t.TYPE# = 4)",
        "SELECT d.CON# FROM SYS.CDEF$ d LEFT JOIN SYS.CDEF$ r ON r.CON# = d.RCON# WHERE d.TYPE# "
        "= 4 AND (r.CON# IS NULL OR r.OBJ# <> d.ROBJ# OR r.TYPE# NOT IN (2, 3) OR r.COLS <> "
        "d.COLS)",
        "SELECT o.OBJ# FROM SYS.OBJ$ o LEFT JOIN SYS.IND$ i ON i.OBJ# = o.OBJ# WHERE o.TYPE# = 1 "
        "AND (i.OBJ# IS NULL OR i.COLS <> (SELECT COUNT(*) FROM SYS.ICOL$ c JOIN SYS.COL$ k ON "
        "k.OBJ# = c.BO# AND k.INTCOL# = c.INTCOL# WHERE c.OBJ# = o.OBJ# AND c.BO# = i.BO#))",
        "SELECT o.NAME FROM SYS.OBJ$ o LEFT JOIN SYS.USER$ u ON u.USER# = o.OWNER# WHERE u.USER# "
        "IS NULL",
        // The single-object refresh joins the object's own comment.
        "SELECT DISTINCT c.OBJ# FROM SYS.COM$ c WHERE c.COL# > 0 AND NOT EXISTS (SELECT 1 FROM "
        "SYS.COM$ t WHERE t.OBJ# = c.OBJ# AND t.COL# IS NULL)"};
    for (const auto& [types, table] : {std::pair{"2", "COL$"},
                                       {"4", "VIEW$"},
                                       {"5", "SYN$"},
                                       {"6", "SEQ$"},
                                       {"7, 8, 9, 11", "SOURCE$"},
                                       {"12", "TRIGGER$"}})
        checks.push_back(std::string("SELECT o.NAME FROM SYS.OBJ$ o WHERE o.TYPE# IN (") + types +
                         ") AND NOT EXISTS (SELECT 1 FROM SYS." + table +
                         " x WHERE x.OBJ# = o.OBJ#)");
    for (const std::string& check : checks)
        EXPECT_EQ(db.Text(sql::TranslateForSqlite(check)), "") << check;
}

INSTANTIATE_TEST_SUITE_P(DemoAndGenerated, DictionaryConsistency, ::testing::Bool());

// Tables and views of the dictionary are in the owner's file with the same columns in the same
// order.
TEST(DemoConsistency, DataFilesMatchTheDictionary)
{
    SqliteRows db(DemoTemplate(), {"SYSTEM", "SCOTT", "HR"});
    const TextRows objects = db.Rows(sql::TranslateForSqlite(
        "SELECT o.OBJ#, u.NAME, o.NAME FROM SYS.OBJ$ o JOIN SYS.USER$ u ON u.USER# = o.OWNER# "
        "WHERE o.TYPE# IN (2, 4) AND u.NAME <> 'SYS'"));
    EXPECT_FALSE(objects.empty());
    for (const TextRow& object : objects)
        EXPECT_EQ(db.Text("SELECT name FROM pragma_table_info('" + *object[2] + "', '" +
                          *object[1] + "') ORDER BY cid"),
                  db.Text("SELECT \"NAME\" FROM SYS.\"COL$\" WHERE \"OBJ#\" = " + *object[0] +
                          " ORDER BY \"COL#\""))
            << *object[2];
}

} // namespace
} // namespace quorvex::test
