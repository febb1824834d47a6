// The configuration file module: reading sections and keys, and writing them back.
#include "persistence/IniFile.h"

#include "TestSupport.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TIniFile Load(const TempDir& dir, std::string_view text)
{
    WriteFileBytes(dir.File("test.ini"), text);
    return TIniFile(dir.File("test.ini"));
}

TEST(IniFileTest, ReadsSectionsAndKeysAsWrittenBack)
{
    const std::pair<const char*, const char*> cases[] = {
        // clang-format off
        // Sections and keys keep their file order.
        {"[Zeta]\nb=2\na=1\n[Alpha]\nz=26\nc=3\n", "[Zeta]\nb=2\na=1\n\n[Alpha]\nz=26\nc=3\n"},
        // A value is everything after the first "=", blanks included; names are trimmed.
        {"[S]\n  USER NAME  = scott \nCONNECT STRING=DRIVER=SQLite3;Database=/x.db\nEMPTY=\nTABS=\tx\t\n",
         "[S]\nUSER NAME= scott \nCONNECT STRING=DRIVER=SQLite3;Database=/x.db\nEMPTY=\nTABS=\tx\t\n"},
        {"[S]\r\nA=1\r\nB= 2 \r\n", "[S]\nA=1\nB= 2 \n"},
        {"[S]\nA=1\nB= 2 ", "[S]\nA=1\nB= 2 \n"},
        // Lines without "=", comments and keys before the first section are ignored.
        {"orphan=1\n[S]\njust text\n; note=not a key\n\nA=1\n[ T ]\nB=2\n", "[S]\nA=1\n\n[T]\nB=2\n"},
        // A repeated key keeps its first value; a repeated section (in any case) merges.
        {"[S]\nA=1\na=2\n[T]\nX=0\n[s]\nB=3\n", "[S]\nA=1\nB=3\n\n[T]\nX=0\n"},
        // clang-format on
    };
    TempDir dir;
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(Load(dir, text).Text(), expected) << text;
    const TIniFile ini = Load(dir, "[Demo]\nUser Name=SCOTT\nB=2\n");
    EXPECT_EQ(ini.Find("DEMO", "USER NAME"), "SCOTT");
    EXPECT_EQ(ini.Keys("demo"), (std::vector<std::string>{"User Name", "B"}));
    EXPECT_TRUE(ini.SectionExists("dEmO"));
    EXPECT_EQ(ini.ReadString("Demo", "C", "fallback"), "fallback");
    // A missing file reads as empty and is not created.
    EXPECT_TRUE(TIniFile(dir.File("absent.ini")).Sections().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.ini")));
}

TEST(IniFileTest, WritesUpdateInPlaceAppendOrDeleteAndSaveReplacesTheFile)
{
    TempDir dir;
    TIniFile ini = Load(dir, "[S]\r\nUser Name=a\r\nB=b\r\n[T]\nC=3\n[U]\nD=4\n");
    ini.WriteString("s", "USER NAME", " spaced value ");
    ini.WriteString("S", "CONNECT STRING", "DRIVER=X;Database=y");
    ini.WriteString("Other", "K", "v");
    EXPECT_TRUE(ini.DeleteKey("s", "b"));
    EXPECT_FALSE(ini.DeleteKey("S", "B"));
    EXPECT_FALSE(ini.DeleteKey("Missing", "B"));
    EXPECT_TRUE(ini.EraseSection("t"));
    EXPECT_FALSE(ini.EraseSection("T"));
    // What would not read back the same is refused.
    EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), Exception);
    EXPECT_THROW(ini.WriteString("S", "A=B", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S", "  ", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S]", "K", "v"), Exception);
    ini.Save();
    const std::string expected =
        "[S]\nUser Name= spaced value \nCONNECT STRING=DRIVER=X;Database=y\n"
        "\n[U]\nD=4\n\n[Other]\nK=v\n";
    EXPECT_EQ(ReadFileBytes(dir.File("test.ini")), expected);
    EXPECT_EQ(TIniFile(dir.File("test.ini")).Text(), expected);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

} // namespace
} // namespace quorvex::test
