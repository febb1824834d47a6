// SQL text files: CR LF on save, any line break on load, 8-bit text kept, binary and huge files
// refused, and a failed save that leaves the previous file alone.
#include "sqltools/SqlTextFile.h"

#include "QStringPrinter.h"
#include "TestSupport.h"
#include "persistence/Exceptions.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace quorvex::test {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QString Q(const std::string& path)
{
    return QString::fromStdString(path);
}

// The message of what `action` throws; empty when it throws nothing.
template <typename F>
std::string Failure(F action)
{
    try {
        action();
    } catch (const Exception& error) {
        return error.what();
    }
    return {};
}

TEST(SqlTextFile, SaveEndsEveryLineWithCrLfAndLoadReadsItBack)
{
    TempDir dir;
    const std::string file = dir.File("query.sql");
    WriteSqlTextFile(Q(file), {"SELECT *", "", "FROM EMP -- größer", "WHERE SAL > 0"});
    EXPECT_EQ(ReadFileBytes(file), "SELECT *\r\n\r\nFROM EMP -- gr\xC3\xB6\xC3\x9F"
                                   "er\r\nWHERE SAL > 0\r\n");
    EXPECT_EQ(ReadSqlTextFile(Q(file)), QStringLiteral("SELECT *\n\nFROM EMP -- größer\nWHERE "
                                                       "SAL > 0"));
    WriteSqlTextFile(Q(file), {});
    EXPECT_EQ(ReadFileBytes(file), "");
    EXPECT_EQ(ReadSqlTextFile(Q(file)), QString());
}

TEST(SqlTextFile, LoadTakesAnyLineBreakAndKeepsEightBitText)
{
    TempDir dir;
    const struct {
        std::string Bytes;
        QString Text;
    } cases[] = {
        {"a\r\nb\nc\rd", QStringLiteral("a\nb\nc\nd")},
        {"a\n\n", QStringLiteral("a\n")},
        {"no break", QStringLiteral("no break")},
        // Not UTF-8: every byte is one character.
        {"SELECT '\xE9t\xE9' FROM DUAL\r\n", QStringLiteral("SELECT 'été' FROM DUAL")},
    };
    for (const auto& c : cases) {
        const std::string file = dir.File("in.sql");
        WriteFileBytes(file, c.Bytes);
        EXPECT_EQ(ReadSqlTextFile(Q(file)), c.Text) << c.Bytes;
    }
}

TEST(SqlTextFile, UnreadableFilesAreRefusedWithTheirName)
{
    TempDir dir;
    const std::string missing = dir.File("missing.sql");
    EXPECT_NE(Failure([&] { ReadSqlTextFile(Q(missing)); }).find("missing.sql"), std::string::npos);

    const std::string binary = dir.File("image.sql");
    WriteFileBytes(binary, std::string("BM\0\0\x10\x20", 6));
    EXPECT_EQ(Failure([&] { ReadSqlTextFile(Q(binary)); }), binary + " is not a text file");

    // A sparse file just over the limit costs no disk space.
    const std::string huge = dir.File("huge.sql");
    WriteFileBytes(huge, "SELECT 1 FROM DUAL\n");
    fs::resize_file(huge, static_cast<std::uintmax_t>(kMaxSqlFileBytes) + 1);
    EXPECT_NE(Failure([&] { ReadSqlTextFile(Q(huge)); }).find("too large"), std::string::npos);

    EXPECT_FALSE(Failure([&] { ReadSqlTextFile(Q(dir.Path().string())); }).empty());
}

// The process may write no more than `bytes` to any file while it lives.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~TFileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST(SqlTextFile, FailedSaveKeepsTheOldFile)
{
    TempDir dir;
    const std::string file = dir.File("keep.sql");
    WriteFileBytes(file, "SELECT 'old' FROM DUAL\r\n");
    const QStringList big(2000, QString(100, QLatin1Char('n')));
    {
        // The disk fills up in the middle of the save.
        const TFileSizeLimit limit(64 * 1024);
        EXPECT_FALSE(Failure([&] { WriteSqlTextFile(Q(file), big); }).empty());
    }
    EXPECT_EQ(ReadFileBytes(file), "SELECT 'old' FROM DUAL\r\n");
    EXPECT_EQ(Entries(dir.Path()), std::vector<std::string>{"keep.sql"});

    // A folder of that name cannot be replaced by the file.
    fs::create_directory(dir.Path() / "folder.sql");
    EXPECT_FALSE(Failure([&] { WriteSqlTextFile(Q(dir.File("folder.sql")), {"x"}); }).empty());
    EXPECT_TRUE(fs::is_directory(dir.Path() / "folder.sql"));
    EXPECT_EQ(Entries(dir.Path()), (std::vector<std::string>{"folder.sql", "keep.sql"}));
}

} // namespace
} // namespace quorvex::test
