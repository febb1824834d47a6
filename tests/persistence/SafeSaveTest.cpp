// Saving over an existing snapshot or configuration file: a failed save keeps the old file as
// it was and leaves no temporary file behind; a successful one replaces it.
#include "DiskFull.h"
#include "SnapshotBytes.h"
#include "persistence/IniFile.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <sys/stat.h>

namespace quorvex::test {
namespace {

TEST(SafeSaveTest, FailedSavesKeepTheOldFileAndLeaveNothingBehind)
{
    RegisterSnapshotClasses();
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
            std::optional<TDiskFull> full;
            if (c.Limit != 0)
                full.emplace(c.Limit);
            c.Model != nullptr ? SaveToFile(*c.Model, file) : ini.Save();
        });
        EXPECT_EQ(error, c.Error == create ? create + " " + file : c.Error) << c.Name;
        EXPECT_EQ(FolderContents(dir.Path()), before) << c.Name;
    }
}

TEST(SafeSaveTest, SuccessfulSaveReplacesTheFileAndKeepsItsPermissions)
{
    RegisterSnapshotClasses();
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    WriteFileBytes(file, "an older and much longer content" + std::string(100000, '.'));
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    const auto model = BuildSampleModel();
    SaveToFile(*model, file);
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    const std::string bytes = SaveToString(*model);
    EXPECT_EQ(ReadFileBytes(file), bytes);
    EXPECT_EQ(FolderContents(dir.Path()), "MODEL.OBJ " + std::to_string(bytes.size()) + " bytes\n");
}

} // namespace
} // namespace quorvex::test
