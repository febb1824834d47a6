// Peak memory of loading a snapshot (see README.md). Loading is the only work the process does
// after taking its baseline, so the growth of the peak resident size is what the load needs.

#include "BenchMeasures.h"
#include "SyntheticModel.h"
#include "persistence/LiveObjects.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <sys/resource.h>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

int Usage()
{
    std::fprintf(stderr, "usage: quorvex-bench-snapshot-memory FILE\n"
                         "         load the snapshot FILE and print the peak memory of the load\n"
                         "       quorvex-bench-snapshot-memory --write FILE [--scale F]\n"
                         "         write the synthetic model (F = size relative to the default of\n"
                         "         100,000 objects and 1,000,000 columns) to FILE\n");
    return 2;
}

int Write(const std::string& fileName, double scale)
{
    const auto start = std::chrono::steady_clock::now();
    auto model = BuildSyntheticModel(SyntheticModelShape::Scaled(scale));
    const double built = SecondsSince(start);
    const auto saveStart = std::chrono::steady_clock::now();
    SaveToFile(*model, fileName);
    const double saved = SecondsSince(saveStart);
    const auto counts = CountModel(*model);
    std::printf("wrote %s: %llu bytes, %lld objects, %lld columns (built in %.2f s, saved in "
                "%.2f s)\n",
                fileName.c_str(),
                static_cast<unsigned long long>(std::filesystem::file_size(fileName)),
                static_cast<long long>(counts.Objects), static_cast<long long>(counts.Columns),
                built, saved);
    return 0;
}

int Load(const std::string& fileName)
{
    const long long baseRss = ProcStatusKiB("VmRSS:");
    const long long baseHwm = ProcStatusKiB("VmHWM:");
    const long long baseMaxRss = MaxRssKiB();

    const auto start = std::chrono::steady_clock::now();
    auto model = CreateFromFile<TDBNewOracle>(fileName);
    const double seconds = SecondsSince(start);

    const long long peakHwm = ProcStatusKiB("VmHWM:");
    const long long peakMaxRss = MaxRssKiB();
    const long long rss = ProcStatusKiB("VmRSS:");
    const auto counts = CountModel(*model);
    const auto fileBytes = std::filesystem::file_size(fileName);
    const double columns = counts.Columns > 0 ? static_cast<double>(counts.Columns) : 1.0;
    // Peaks are measured against the resident size before loading, the larger baseline.
    const double peakDelta = static_cast<double>(peakHwm - baseRss) * 1024.0;
    const double maxRssDelta = static_cast<double>(peakMaxRss - baseRss) * 1024.0;
    const double residentDelta = static_cast<double>(rss - baseRss) * 1024.0;

    std::printf("file           %s, %llu bytes\n", fileName.c_str(),
                static_cast<unsigned long long>(fileBytes));
    std::printf("model          %lld objects (%lld tables), %lld columns, %lld constraints, "
                "%lld indexes, %lld triggers, %lld owners\n",
                static_cast<long long>(counts.Objects), static_cast<long long>(counts.Tables),
                static_cast<long long>(counts.Columns), static_cast<long long>(counts.Constraints),
                static_cast<long long>(counts.Indexes), static_cast<long long>(counts.Triggers),
                static_cast<long long>(counts.Owners));
    std::printf("load time      %.3f s, %.1f MB/s\n", seconds,
                static_cast<double>(fileBytes) / 1e6 / seconds);
    std::printf("baseline       VmRSS %lld KiB, VmHWM %lld KiB, ru_maxrss %lld KiB\n", baseRss,
                baseHwm, baseMaxRss);
    std::printf("after load     VmRSS %lld KiB, VmHWM %lld KiB, ru_maxrss %lld KiB\n", rss, peakHwm,
                peakMaxRss);
    std::printf("peak (VmHWM)   %.1f MiB over baseline, %.1f bytes per column\n",
                peakDelta / 1048576.0, peakDelta / columns);
    std::printf("peak (maxrss)  %.1f MiB over baseline, %.1f bytes per column\n",
                maxRssDelta / 1048576.0, maxRssDelta / columns);
    std::printf("resident       %.1f MiB over baseline, %.1f bytes per column\n",
                residentDelta / 1048576.0, residentDelta / columns);

    const auto freeStart = std::chrono::steady_clock::now();
    model.reset();
    std::printf("free time      %.3f s, live objects left %lld\n", SecondsSince(freeStart),
                static_cast<long long>(LiveObjectCount()));
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        RegisterDictionaryClasses();
        if (argc >= 3 && std::string_view(argv[1]) == "--write") {
            double scale = 1.0;
            if (argc == 5 && std::string_view(argv[3]) == "--scale")
                scale = std::atof(argv[4]);
            else if (argc != 3)
                return Usage();
            if (scale <= 0)
                return Usage();
            return Write(argv[2], scale);
        }
        if (argc != 2 || std::string_view(argv[1]).starts_with("-"))
            return Usage();
        return Load(argv[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}
