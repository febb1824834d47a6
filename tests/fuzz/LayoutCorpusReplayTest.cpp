// Replays the layout fuzzer's seed corpus: ok-* files load whole, bad-* stop with a message, and
// no file crashes, leaves a line on anything but a table or throws anything else.

#include "CorpusReplay.h"
#include "LayoutReaderFuzzer.h"

TEST(LayoutCorpusReplay, EveryFileLoadsOrIsRefused)
{
    quorvex::test::ReplayCorpus(QUORVEX_FUZZ_CORPUS_DIR, quorvex::fuzz::LoadLayoutBytes);
}
