// The configuration file module: reading sections and keys, writing and saving safely.
#include "persistence/IniFile.h"

#include "TestSupport.h"
#include "persistence/Exceptions.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace quorvex::test {
namespace {

using TEntries = std::vector<TIniFile::TEntry>;

TIniFile Load(const TempDir& dir, std::string_view text)
{
    const std::string file = dir.File("test.ini");
    WriteFileBytes(file, text);
    return TIniFile(file);
}

TEST(IniFileTest, MissingFileIsEmpty)
{
    TempDir dir;
    TIniFile ini(dir.File("absent.ini"));
    EXPECT_TRUE(ini.Sections().empty());
    EXPECT_FALSE(ini.Find("A", "B").has_value());
    EXPECT_EQ(ini.ReadString("A", "B", "fallback"), "fallback");
    EXPECT_FALSE(std::filesystem::exists(dir.File("absent.ini")));
}

TEST(IniFileTest, SectionsAndKeysInFileOrder)
{
    TempDir dir;
    const TIniFile ini = Load(dir, "[Zeta]\nb=2\na=1\n[Alpha]\nz=26\nc=3\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"Zeta", "Alpha"}));
    EXPECT_EQ(ini.Keys("Zeta"), (std::vector<std::string>{"b", "a"}));
    EXPECT_EQ(ini.Entries("alpha"), (TEntries{{"z", "26"}, {"c", "3"}}));
    EXPECT_TRUE(ini.Keys("Missing").empty());
}

TEST(IniFileTest, ValuesAreEverythingAfterTheFirstEquals)
{
    struct TCase {
        const char* line;
        const char* key;
        const char* value;
    };
    const TCase cases[] = {
        {"KEY=value", "KEY", "value"},
        {"  USER NAME  = scott ", "USER NAME", " scott "},
        {"CONNECT STRING=DRIVER=SQLite3;Database=/x.db", "CONNECT STRING",
         "DRIVER=SQLite3;Database=/x.db"},
        {"EMPTY=", "EMPTY", ""},
        {"TABS=\tx\t", "TABS", "\tx\t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        const TIniFile ini = Load(dir, std::string("[S]\n") + c.line + "\n");
        EXPECT_EQ(ini.Entries("S"), (TEntries{{c.key, c.value}}));
    }
}

TEST(IniFileTest, CrLfAndLfLinesReadTheSame)
{
    TempDir dir;
    const TIniFile crlf = Load(dir, "[S]\r\nA=1\r\nB= 2 \r\n");
    const TIniFile lf = Load(dir, "[S]\nA=1\nB= 2 ");
    EXPECT_EQ(crlf.Entries("S"), (TEntries{{"A", "1"}, {"B", " 2 "}}));
    EXPECT_EQ(lf.Entries("S"), crlf.Entries("S"));
}

TEST(IniFileTest, NamesCompareWithoutCase)
{
    TempDir dir;
    const TIniFile ini = Load(dir, "[Demo]\nUser Name=SCOTT\n");
    EXPECT_EQ(ini.Find("DEMO", "USER NAME"), "SCOTT");
    EXPECT_EQ(ini.Find("demo", "user name"), "SCOTT");
    EXPECT_TRUE(ini.SectionExists("dEmO"));
}

TEST(IniFileTest, LinesWithoutEqualsCommentsAndKeysBeforeASectionAreIgnored)
{
    TempDir dir;
    const TIniFile ini =
        Load(dir, "orphan=1\n[S]\njust text\n; note=not a key\n\nA=1\n[ T ]\nB=2\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "T"}));
    EXPECT_EQ(ini.Entries("S"), (TEntries{{"A", "1"}}));
    EXPECT_EQ(ini.Find("T", "B"), "2");
}

TEST(IniFileTest, RepeatedKeysKeepTheFirstAndRepeatedSectionsMerge)
{
    TempDir dir;
    const TIniFile ini = Load(dir, "[S]\nA=1\na=2\n[T]\nX=0\n[s]\nB=3\n");
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "T"}));
    EXPECT_EQ(ini.Entries("S"), (TEntries{{"A", "1"}, {"B", "3"}}));
}

TEST(IniFileTest, WriteUpdatesInPlaceOrAppends)
{
    TempDir dir;
    TIniFile ini = Load(dir, "[S]\nUser Name=a\nB=b\n");
    ini.WriteString("s", "USER NAME", "c");
    ini.WriteString("S", "New", "n");
    ini.WriteString("Other", "K", "v");
    EXPECT_EQ(ini.Entries("S"), (TEntries{{"User Name", "c"}, {"B", "b"}, {"New", "n"}}));
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S", "Other"}));
    EXPECT_EQ(ini.Find("OTHER", "k"), "v");
}

TEST(IniFileTest, DeleteKeyAndSection)
{
    TempDir dir;
    TIniFile ini = Load(dir, "[S]\nA=1\nB=2\n[T]\nC=3\n");
    EXPECT_TRUE(ini.DeleteKey("s", "a"));
    EXPECT_FALSE(ini.DeleteKey("S", "A"));
    EXPECT_FALSE(ini.DeleteKey("Missing", "B"));
    EXPECT_EQ(ini.Keys("S"), (std::vector<std::string>{"B"}));
    EXPECT_TRUE(ini.EraseSection("t"));
    EXPECT_FALSE(ini.EraseSection("T"));
    EXPECT_EQ(ini.Sections(), (std::vector<std::string>{"S"}));
}

TEST(IniFileTest, WritesThatWouldNotReadBackAreRefused)
{
    TempDir dir;
    TIniFile ini(dir.File("x.ini"));
    EXPECT_THROW(ini.WriteString("S", "K", "two\nlines"), Exception);
    EXPECT_THROW(ini.WriteString("S", "A=B", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S", "  ", "v"), Exception);
    EXPECT_THROW(ini.WriteString("S]", "K", "v"), Exception);
    EXPECT_TRUE(ini.Sections().empty());
}

TEST(IniFileTest, SaveRoundTripsAndReplacesTheFile)
{
    TempDir dir;
    const std::string file = dir.File("aliases.ini");
    WriteFileBytes(file, "[Old]\r\nA=1\r\n");
    TIniFile ini(file);
    ini.WriteString("Old", "A", " spaced value ");
    ini.WriteString("New", "CONNECT STRING", "DRIVER=X;Database=y");
    ini.Save();

    EXPECT_EQ(ReadFileBytes(file),
              "[Old]\nA= spaced value \n\n[New]\nCONNECT STRING=DRIVER=X;Database=y\n");
    const TIniFile again(file);
    EXPECT_EQ(again.Sections(), ini.Sections());
    EXPECT_EQ(again.Entries("Old"), ini.Entries("Old"));
    EXPECT_EQ(again.Entries("New"), ini.Entries("New"));
    // No temporary file is left beside it.
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++count;
    EXPECT_EQ(count, 1u);
}

TEST(IniFileTest, FailedSaveKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string file = dir.File("aliases.ini");
    WriteFileBytes(file, "[S]\nA=1\n");
    TIniFile ini(file);
    ini.WriteString("S", "A", "2");
    chmod(dir.Path().c_str(), 0500);
    EXPECT_THROW(ini.Save(), EStreamError);
    chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(ReadFileBytes(file), "[S]\nA=1\n");
}

TEST(IniFileTest, FailedRenameLeavesNoTemporaryBehind)
{
    // A folder in the file's place: the rename fails even for root.
    TempDir dir;
    const std::string file = dir.File("aliases.ini");
    TIniFile ini(file);
    ini.WriteString("S", "A", "1");
    std::filesystem::create_directory(file);
    WriteFileBytes(file + "/keep", "x");
    EXPECT_THROW(ini.Save(), EStreamError);
    EXPECT_EQ(ReadFileBytes(file + "/keep"), "x");
    size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++count;
    EXPECT_EQ(count, 1u);
}

} // namespace
} // namespace quorvex::test
