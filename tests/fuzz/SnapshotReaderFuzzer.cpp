// libFuzzer entry point for the snapshot reader, also replayed over the seed corpus by a test.

#include "SnapshotReaderFuzzer.h"

#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace quorvex::fuzz {

SnapshotOutcome LoadSnapshotBytes(std::string_view bytes)
{
    [[maybe_unused]] static const bool registered = (RegisterDictionaryClasses(), true);

    std::unique_ptr<TDBNewOracle> model;
    try {
        model = CreateFromString<TDBNewOracle>(bytes);
    } catch (const Exception&) {
        return SnapshotOutcome::Rejected;
    }
    // Whatever the reader accepted, the writer must store, and what it stores must read back to
    // the same bytes; failures here are not caught on purpose.
    const std::string saved = SaveToString(*model);
    if (SaveToString(*CreateFromString<TDBNewOracle>(saved)) != saved)
        throw std::logic_error("a saved model did not read back to the same bytes");
    return SnapshotOutcome::Loaded;
}

} // namespace quorvex::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::int64_t before = quorvex::LiveObjectCount();
    quorvex::fuzz::LoadSnapshotBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::int64_t after = quorvex::LiveObjectCount();
    if (after != before) {
        std::fprintf(stderr, "live objects went from %lld to %lld\n",
                     static_cast<long long>(before), static_cast<long long>(after));
        std::abort();
    }
    return 0;
}
