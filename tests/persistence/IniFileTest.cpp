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
        // Sections and keys keep their file order.
        {"[Zeta]\nb=2\na=1\n[Alpha]\nz=26\nc=3\n", "[Zeta]\nb=2\na=1\n\n[Alpha]\nz=26\nc=3\n"},
        // A value is everything after the first "=", blanks included; names are trimmed.
        {"[S]\n  USER NAME  = scott \nCONNECT STRING=DRIVER=SQLite3;Database=/x.db\nEMPTY=\n"
         "TABS=\tx\t\n",
         "[S]\nUSER NAME= scott \nCONNECT "
         "STRING=DRIVER=SQLite3;Database=/x.db\nEMPTY=\nTABS=\tx\t\n"},
        {"[S]\r\nA=1\r\nB= 2 \r\n", "[S]\nA=1\nB= 2 \n"},
        {"[S]\nA=1\nB= 2 ", "[S]\nA=1\nB= 2 \n"},
        // Lines without "=", comments and keys before the first section are ignored.
        {"orphan=1\n[S]\njust text\n; note=not a key\n\nA=1\n[ T ]\nB=2\n",
         "[S]\nA=1\n\n[T]\nB=2\n"},
        // A repeated key keeps its first value; a repeated section (in any case) merges.
        {"[S]\nA=1\na=2\n[T]\nX=0\n[s]\nB=3\n", "[S]\nA=1\nB=3\n\n[T]\nX=0\n"},
    };
    for (const auto& [text, expected] : cases) {
        TempDir dir;
        EXPECT_EQ(Load(dir, text).Text(), expected) << text;
    }
    TempDir dir;
    const TIniFile ini = Load(dir, "[Demo]\nUser Name=SCOTT\nB=2\n");
    EXPECT_EQ(ini.Find("DEMO", "USER NAME"), "SCOTT");
    EXPECT_EQ(ini.Keys("demo"), (std::vector<std::string>{"User Name", "B"}));
    EXPECT_TRUE(ini.SectionExists("dEmO"));
    EXPECT_EQ(ini.ReadString("Demo", "C", "fallback"), "fallback");
    EXPECT_TRUE(ini.Keys("Missing").empty());
    // A missing file reads as empty and is not created.
    const TIniFile absent(dir.File("absent.ini"));
    EXPECT_TRUE(absent.Sections().empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.ini")));
}

TEST(IniFileTest, WritesUpdateInPlaceAppendOrDelete)
{
    TempDir dir;
    TIniFile ini = Load(dir, "[S]\nUser Name=a\nB=b\n[T]\nC=3\n[U]\nD=4\n");
    ini.WriteString("s", "USER NAME", "c");
    ini.WriteString("S", "New", "n");
    ini.WriteString("Other", "K", "v");
    EXPECT_TRUE(ini.DeleteKey("s", "b"));
    EXPECT_FALSE(ini.DeleteKey("S", "B"));
    EXPECT_FALSE(ini.DeleteKey("Missing", "B"));
    EXPECT_TRUE(ini.EraseSection("t"));
    EXPECT_FALSE(ini.EraseSection("T"));
    EXPECT_EQ(ini.Text(), "[S]\nUser Name=c\nNew=n\n\n[U]\nD=4\n\n[Other]\nK=v\n");
    // What would not read back the same is refused.
    EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), Exception);
    EXPECT_THROW(ini.WriteString("S", "A=B", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S", "  ", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S]", "K", "v"), Exception);
    EXPECT_EQ(ini.Text(), "[S]\nUser Name=c\nNew=n\n\n[U]\nD=4\n\n[Other]\nK=v\n");
}

TEST(IniFileTest, SaveReplacesTheFileAndReadsBack)
{
    TempDir dir;
    const std::string file = dir.File("aliases.ini");
    WriteFileBytes(file, "[Old]\r\nA=1\r\n");
    TIniFile ini(file);
    ini.WriteString("Old", "A", " spaced value ");
    ini.WriteString("New", "CONNECT STRING", "DRIVER=X;Database=y");
    ini.Save();
    const std::string expected =
        "[Old]\nA= spaced value \n\n[New]\nCONNECT STRING=DRIVER=X;Database=y\n";
    EXPECT_EQ(ReadFileBytes(file), expected);
    EXPECT_EQ(TIniFile(file).Text(), expected);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

} // namespace
} // namespace quorvex::test
