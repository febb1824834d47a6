// Saving over an existing snapshot: a failed save keeps the old file and leaves nothing behind.
#include "SampleModel.h"
#include "TestClasses.h"
#include "TestSupport.h"
#include "persistence/Exceptions.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace quorvex::test {
namespace {

namespace fs = std::filesystem;

class SafeSaveTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllTestClasses(); }

    std::vector<std::string> Entries(const fs::path& folder) const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(SafeSaveTest, FailingWriterKeepsTheOldFile)
{
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    const std::string old = SaveToString(*BuildSampleModel());
    WriteFileBytes(file, old);

    TExplodingObject exploding;
    // More than the writer buffers, so part of the new file has been written out.
    exploding.Payload = std::string(3 * 1024 * 1024, 'p');
    EXPECT_THROW(SaveToFile(exploding, file), std::runtime_error);
    EXPECT_EQ(ReadFileBytes(file), old);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"MODEL.OBJ"});

    // A save that fails into a new name leaves no file at all.
    EXPECT_THROW(SaveToFile(exploding, dir.File("NEW.OBJ")), std::runtime_error);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"MODEL.OBJ"});

    // Once it succeeds, the file is replaced.
    exploding.Explode = false;
    SaveToFile(exploding, file);
    EXPECT_EQ(ReadFileBytes(file), SaveToString(exploding));
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"MODEL.OBJ"});
    const auto loaded = CreateFromFile<TExplodingObject>(file);
    EXPECT_EQ(loaded->Payload.size(), exploding.Payload.size());
}

TEST_F(SafeSaveTest, SuccessfulSaveReplacesTheFileAndKeepsItsPermissions)
{
    TempDir dir;
    const std::string file = dir.File("MODEL.OBJ");
    WriteFileBytes(file, "an older and much longer content than the new snapshot will have" +
                             std::string(100000, '.'));
    ASSERT_EQ(chmod(file.c_str(), 0640), 0);
    TDBNewOracle model;
    SaveToFile(model, file);
    EXPECT_EQ(ReadFileBytes(file), SaveToString(model));
    struct stat info {};
    ASSERT_EQ(stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"MODEL.OBJ"});
}

TEST_F(SafeSaveTest, TargetThatCannotBeReplacedIsLeftAlone)
{
    // The name is taken by a folder: the new file cannot be put in its place.
    TempDir dir;
    const fs::path folder = dir.Path() / "MODEL.OBJ";
    fs::create_directory(folder);
    WriteFileBytes((folder / "inside").string(), "kept");
    TDBNewOracle model;
    try {
        SaveToFile(model, folder.string());
        ADD_FAILURE() << "saved over a folder";
    } catch (const EStreamError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + folder.string());
    }
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(ReadFileBytes((folder / "inside").string()), "kept");
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"MODEL.OBJ"});
}

TEST_F(SafeSaveTest, ReadOnlyFolderKeepsTheOldFile)
{
    TempDir dir;
    const fs::path folder = dir.Path() / "locked";
    fs::create_directory(folder);
    const std::string file = (folder / "MODEL.OBJ").string();
    WriteFileBytes(file, "old");
    ASSERT_EQ(chmod(folder.c_str(), 0555), 0);
    if (access(folder.c_str(), W_OK) == 0) {
        chmod(folder.c_str(), 0755);
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    }
    TDBNewOracle model;
    try {
        SaveToFile(model, file);
        ADD_FAILURE() << "saved into a read-only folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + file);
    }
    chmod(folder.c_str(), 0755);
    EXPECT_EQ(ReadFileBytes(file), "old");
    EXPECT_EQ(Entries(folder), std::vector<std::string>{"MODEL.OBJ"});
}

} // namespace
} // namespace quorvex::test
