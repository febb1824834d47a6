// Building the demo database into a folder: once, atomically, and again when outdated.
#include "engine/demo/DemoDatabase.h"

#include "DemoTestDatabase.h"
#include "TestSupport.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(DemoDatabase, BuildsOneFilePerUserWithTablesAndTheMarker)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "demo").string();
    EXPECT_EQ(EnsureDemoDatabase(folder), folder);
    EXPECT_EQ(Entries(folder),
              (std::vector<std::string>{"DEMO_VERSION", "HR.sqlite", "SCOTT.sqlite", "SYS.sqlite",
                                        "SYSTEM.sqlite"}));
    EXPECT_EQ(std::stoi(ReadFileBytes((fs::path(folder) / kDemoVersionFile).string())),
              kDemoDatabaseVersion);
    // Nothing is left beside the folder.
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{"demo"}));
    AttachedDatabase db(folder, {"SCOTT"});
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SCOTT.\"EMP\""), 14);
}

TEST(DemoDatabase, SecondCallKeepsTheDatabase)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "demo").string();
    EnsureDemoDatabase(folder);
    // A change made through the engine must survive the next start.
    {
        AttachedDatabase db(folder, {"SCOTT"});
        db.Query("DELETE FROM SCOTT.\"EMP\" WHERE \"EMPNO\" = 7369");
    }
    EnsureDemoDatabase(folder + "/");
    AttachedDatabase db(folder, {"SCOTT"});
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SCOTT.\"EMP\""), 13);
}

TEST(DemoDatabase, OutdatedDatabaseIsRebuilt)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "demo").string();
    EnsureDemoDatabase(folder);
    WriteFileBytes((fs::path(folder) / kDemoVersionFile).string(), "0\n");
    WriteFileBytes((fs::path(folder) / "LEFTOVER.sqlite").string(), "x");
    EnsureDemoDatabase(folder);
    EXPECT_FALSE(fs::exists(fs::path(folder) / "LEFTOVER.sqlite"));
    EXPECT_EQ(std::stoi(ReadFileBytes((fs::path(folder) / kDemoVersionFile).string())),
              kDemoDatabaseVersion);
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{"demo"}));
}

TEST(DemoDatabase, FolderWithoutMarkerIsReplaced)
{
    const TempDir temp;
    const fs::path folder = temp.Path() / "demo";
    fs::create_directories(folder);
    WriteFileBytes((folder / "SYS.sqlite").string(), "half a database");
    EnsureDemoDatabase(folder.string());
    AttachedDatabase db(folder.string());
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SYS.\"USER$\" WHERE \"TYPE#\" = 1"), 4);
}

TEST(DemoDatabase, FailedBuildLeavesNoFolder)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "demo").string();
    const std::vector<EmbeddedScript> scripts = {
        {"SCOTT", "CREATE TABLE \"A\" (\"X\" NUMBER);\n\n-- a comment\nINSERT INTO \"B\" "
                  "VALUES (1);\n"},
    };
    try {
        EnsureEmbeddedDatabase(folder, scripts, 1);
        FAIL() << "the build should fail";
    } catch (const Exception& e) {
        const std::string message = e.what();
        EXPECT_NE(message.find("SCOTT.sqlite: line 4: no such table: B"), std::string::npos)
            << message;
    }
    EXPECT_TRUE(Entries(temp.Path()).empty());
}

TEST(DemoDatabase, FailedRebuildKeepsTheOldDatabase)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "demo").string();
    EnsureEmbeddedDatabase(folder, {{"SCOTT", "CREATE TABLE \"A\" (\"X\" NUMBER);"}}, 1);
    EXPECT_THROW(EnsureEmbeddedDatabase(folder, {{"SCOTT", "CREATE TABLE (;"}}, 2), Exception);
    EXPECT_EQ(Entries(temp.Path()), (std::vector<std::string>{"demo"}));
    AttachedDatabase db(folder, {"SCOTT"});
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SCOTT.\"A\""), 0);
    EXPECT_EQ(ReadFileBytes((fs::path(folder) / kDemoVersionFile).string()), "1\n");
}

TEST(DemoDatabase, BuildRefusesAFolderThatIsNotEmpty)
{
    const TempDir temp;
    WriteFileBytes(temp.File("something"), "x");
    EXPECT_THROW(BuildEmbeddedDatabase(temp.Path().string(), {}), Exception);
}

TEST(DemoDatabase, EmptyScriptListGivesTheBareDictionary)
{
    const TempDir temp;
    const std::string folder = (temp.Path() / "bare").string();
    BuildEmbeddedDatabase(folder, {});
    EXPECT_EQ(Entries(folder), (std::vector<std::string>{"SYS.sqlite"}));
    AttachedDatabase db(folder);
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SYS.\"USER$\""), 2); // SYS and PUBLIC
    EXPECT_EQ(db.Scalar("SELECT COUNT(*) FROM SYS.\"DUAL\""), 1);
}

} // namespace
} // namespace quorvex::test
