// Replays the fuzzer's seed corpus (and the reproducers of fixed findings) through the fuzz
// entry point. Files named ok-* must load, bad-* must be refused with a quorvex::Exception;
// any other file (a reproducer) may do either, but must not crash, leak or throw anything else.

#include "SnapshotReaderFuzzer.h"
#include "TestSupport.h"
#include "persistence/LiveObjects.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using quorvex::fuzz::LoadSnapshotBytes;
using quorvex::fuzz::SnapshotOutcome;
namespace fs = std::filesystem;

std::vector<fs::path> CorpusFiles()
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(QUORVEX_FUZZ_CORPUS_DIR)) {
        if (entry.is_regular_file())
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

bool StartsWith(const std::string& text, const std::string& prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(SnapshotCorpusReplay, CorpusHasValidAndMalformedSeeds)
{
    const auto files = CorpusFiles();
    ASSERT_FALSE(files.empty()) << "no files in " << QUORVEX_FUZZ_CORPUS_DIR;
    const auto named = [&](const std::string& prefix) {
        return std::count_if(files.begin(), files.end(), [&](const fs::path& p) {
            return StartsWith(p.filename().string(), prefix);
        });
    };
    EXPECT_GE(named("ok-"), 2);
    EXPECT_GE(named("bad-"), 2);
}

TEST(SnapshotCorpusReplay, EveryFileLoadsOrIsRefusedWithoutLeaking)
{
    const auto files = CorpusFiles();
    ASSERT_FALSE(files.empty());
    for (const auto& file : files) {
        const std::string name = file.filename().string();
        SCOPED_TRACE(name);
        const std::string bytes = quorvex::test::ReadFileBytes(file.string());
        const auto before = quorvex::LiveObjectCount();
        SnapshotOutcome outcome = SnapshotOutcome::Rejected;
        EXPECT_NO_THROW(outcome = LoadSnapshotBytes(bytes));
        EXPECT_EQ(quorvex::LiveObjectCount(), before);
        if (StartsWith(name, "ok-")) {
            EXPECT_EQ(outcome, SnapshotOutcome::Loaded);
        } else if (StartsWith(name, "bad-")) {
            EXPECT_EQ(outcome, SnapshotOutcome::Rejected);
        }
    }
}

} // namespace
