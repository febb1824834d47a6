// Files: the configuration file's reading and writing, and saving over an existing snapshot or
// configuration file, where a failed save keeps the old file as it was and leaves no temporary
// file behind.
#include "DiskFull.h"
#include "SnapshotBytes.h"
#include "persistence/IniFile.h"

#include <filesystem>
#include <sys/stat.h>

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
        {"[S]\n  USER NAME  = scott \nCONNECT STRING=DRIVER=SQLite3;Database=/x.db\nEMPTY=\n"
         "TABS=\tx\t\n", "[S]\nUSER NAME= scott \nCONNECT STRING=DRIVER=SQLite3;Database=/x.db\n"
         "EMPTY=\nTABS=\tx\t\n"},
        {"[S]\r\nA=1\r\nB= 2 \r\n", "[S]\nA=1\nB= 2 \n"},
        {"[S]\nA=1\nB= 2 ", "[S]\nA=1\nB= 2 \n"},
        // Lines without "=", comments and keys before the first section are ignored.
        {"orphan=1\n[S]\njust text\n; note=not a key\n\nA=1\n[ T ]\nB=2\n",
         "[S]\nA=1\n\n[T]\nB=2\n"},
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

TEST(SafeSaveTest, FailedSavesKeepTheOldFileAndLeaveNothingBehind)
{
    const TDBNewOracle small;
    const auto large = BuildSampleModel(); // more than the writer buffers: written out in parts
    large->Objects().Items(3)->CommentText = std::string(3 * 1024 * 1024, 'p');
    const std::string tooLong(250, 'M'); // its temporary's name is longer than a file name may be
    const std::string create = "Cannot create file";
    // No model: an ini file is saved; limit 0: none.
    // clang-format off
    const struct { const char* Name; std::string File; const TStreamed* Model; rlim_t Limit;
                   std::string Error; } cases[] = {
        {"disk full while writing", "MODEL.OBJ", large.get(), 64 * 1024, "Stream write error"},
        {"disk full at the end", "MODEL.OBJ", &small, 100, "Stream write error"},
        {"disk full for a new file", "NEW.OBJ", large.get(), 64 * 1024, "Stream write error"},
        {"ini file on a full disk", "aliases.ini", nullptr, 4, "Stream write error"},
        {"no room for the temporary's name", tooLong, &small, 0, create},
        {"missing folder", "missing/MODEL.OBJ", &small, 0, create},
        {"a folder in the file's place", "FOLDER", &small, 0, create},
        {"a folder in the ini file's place", "FOLDER", nullptr, 0, create},
    };
    // clang-format on
    for (const auto& c : cases) {
        TempDir dir;
        const std::string file = dir.File(c.File);
        TIniFile ini(file);
        ini.WriteString("S", "A", "2");
        WriteFileBytes(dir.File("MODEL.OBJ"), "old model");
        WriteFileBytes(dir.File("aliases.ini"), "[S]\nA=1\n");
        WriteFileBytes(dir.File(tooLong), "old");
        std::filesystem::create_directory(dir.Path() / "FOLDER");
        WriteFileBytes(dir.File("FOLDER/inside"), "kept");
        const std::string before = FolderContents(dir.Path());
        const std::string error = ErrorOf<EStreamError>([&] {
            const TDiskFull full(c.Limit);
            c.Model != nullptr ? SaveToFile(*c.Model, file) : ini.Save();
        });
        EXPECT_EQ(error, c.Error == create ? create + " " + file : c.Error) << c.Name;
        EXPECT_EQ(FolderContents(dir.Path()), before) << c.Name;
    }
}

TEST(SafeSaveTest, SuccessfulSaveKeepsThePermissionsOfTheFileItReplaces)
{
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    WriteFileBytes(file, "an older and longer content" + std::string(1000, '.'));
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    SaveToFile(TDBNewOracle(), file);
    struct stat info {};
    EXPECT_EQ(stat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0, 0640u);
    EXPECT_EQ(ReadFileBytes(file), SaveToString(TDBNewOracle()));
}

} // namespace
} // namespace quorvex::test
