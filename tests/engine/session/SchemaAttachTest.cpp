// Which schema files of an embedded database folder are attached, and in which order.
#include "SessionTestSupport.h"
#include "engine/QtSession.h"
#include "engine/SchemaFiles.h"
#include "engine/demo/DemoDatabase.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

std::vector<std::string> Names(const std::vector<TSchemaFile>& files)
{
    std::vector<std::string> names;
    for (const auto& file : files)
        names.push_back(file.Name);
    return names;
}

TEST(SchemaAttachTest, LoginUserFirstThenSysThenTheOthersByName)
{
    TempDir dir;
    for (const char* name : {"ZED.sqlite", "SYS.sqlite", "HR.sqlite", "scott.sqlite",
                             "ALPHA.sqlite", "main.sqlite", "notes.txt", "HR.sqlite-journal"})
        WriteFileBytes(dir.File(name), "");
    std::filesystem::create_directory(dir.File("FOLDER.sqlite"));

    EXPECT_EQ(Names(SchemaFilesInAttachOrder(dir.Path().string(), "Scott")),
              (std::vector<std::string>{"scott", "SYS", "ALPHA", "HR", "ZED"}));
    EXPECT_EQ(Names(SchemaFilesInAttachOrder(dir.Path().string(), "ZED")),
              (std::vector<std::string>{"ZED", "SYS", "ALPHA", "HR", "scott"}));
    EXPECT_EQ(Names(SchemaFilesInAttachOrder(dir.Path().string(), "NOBODY")),
              (std::vector<std::string>{"SYS", "ALPHA", "HR", "scott", "ZED"}));
    const auto files = SchemaFilesInAttachOrder(dir.Path().string(), "");
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files[0].Path, dir.File("SYS.sqlite"));
    EXPECT_TRUE(SchemaFilesInAttachOrder(dir.File("missing"), "SYS").empty());
}

TEST(SchemaAttachTest, AttachLimitKeepsTheLoginUserAndSys)
{
    // Twelve schemas besides SYS; the login user's sorts last.
    TempDir dir;
    std::vector<EmbeddedScript> scripts;
    std::string users = R"(INSERT INTO "USER$" ("USER#", "NAME", "TYPE#", "PASSWORD") VALUES )";
    for (int k = 1; k <= 12; ++k) {
        const std::string name = (k < 10 ? "U0" : "U") + std::to_string(k);
        users += (k > 1 ? ", (" : "(") + std::to_string(100 + k) + ", '" + name + "', 1, '')";
        scripts.push_back(
            {name,
             "CREATE TABLE \"T\" (\"OWNER\" TEXT); INSERT INTO \"T\" VALUES ('" + name + "');"});
    }
    scripts.insert(scripts.begin(), {"SYS", users + ";"});
    const std::string folder = dir.File("db");
    BuildEmbeddedDatabase(folder, scripts);

    TLoginRecorder login;
    login.UserName = "u12";
    auto session = MakeSession(WriteAliases(dir, "[MANY]\nBACKEND=EMBEDDED\nPATH=" + folder + "\n"),
                               "MANY", login);
    EXPECT_EQ(FirstText(*session, "SELECT OWNER FROM T"), "U12");
    EXPECT_EQ(FirstText(*session, "SELECT COUNT(*) FROM SYS.USER$"), "14");
    // main and SQLite's default limit of ten attached databases (temp holds the catalogue
    // views).
    EXPECT_EQ(FirstText(*session, "SELECT COUNT(*) FROM pragma_database_list WHERE name <> 'temp'"),
              "11");
    EXPECT_EQ(FirstText(*session, "SELECT OWNER FROM U01.T"), "U01");
    auto missing = session->CreateQuery();
    missing->SetSQL("SELECT OWNER FROM U11.T");
    EXPECT_THROW(missing->Open(), Exception);
}

} // namespace
} // namespace quorvex::test
