// Replays the snapshot fuzzer's seed corpus: ok-* files load, bad-* are refused with a
// quorvex::Exception, and no file crashes, leaks model objects or throws anything else.

#include "CorpusReplay.h"
#include "SnapshotReaderFuzzer.h"
#include "persistence/LiveObjects.h"

namespace {

TEST(SnapshotCorpusReplay, EveryFileLoadsOrIsRefusedWithoutLeaking)
{
    const auto before = quorvex::LiveObjectCount();
    quorvex::test::ReplayCorpus(
        QUORVEX_FUZZ_CORPUS_DIR,
        [](std::string_view bytes) {
            return quorvex::fuzz::LoadSnapshotBytes(bytes) ==
                   quorvex::fuzz::SnapshotOutcome::Loaded;
        },
        [before] { EXPECT_EQ(quorvex::LiveObjectCount(), before); });
}

} // namespace
