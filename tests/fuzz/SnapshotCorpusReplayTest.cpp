// Replays the snapshot fuzzer's seed corpus: ok-* files load, bad-* are refused with a
// quorvex::Exception, and no file crashes, leaks model objects or throws anything else.

#include "CorpusReplay.h"
#include "SnapshotBytes.h"
#include "SnapshotReaderFuzzer.h"

namespace quorvex::test {
namespace {

TEST(SnapshotCorpusReplay, EveryFileLoadsOrIsRefusedWithoutLeaking)
{
    const auto before = LiveObjectCount();
    ReplayCorpus(
        QUORVEX_FUZZ_CORPUS_DIR,
        [](std::string_view bytes) {
            return fuzz::LoadSnapshotBytes(bytes) == fuzz::SnapshotOutcome::Loaded;
        },
        [before] { EXPECT_EQ(LiveObjectCount(), before); });
}

// These two seeds are what the writer writes: the empty model, and a table with a column,
// constraints, an index, a trigger and an owner, so they pin the stored properties (names,
// order and encodings) of every model class.
TEST(SnapshotCorpusReplay, WrittenSeedsReadAndWriteBackByteForByte)
{
    RegisterDictionaryClasses();
    for (const char* name : {"/ok-empty-model", "/ok-scott-table"}) {
        const std::string bytes = ReadFileBytes(QUORVEX_FUZZ_CORPUS_DIR + std::string(name));
        EXPECT_EQ(Hex(SaveToString(*CreateFromString<TDBNewOracle>(bytes))), Hex(bytes)) << name;
    }
}

} // namespace
} // namespace quorvex::test
