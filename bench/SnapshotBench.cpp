// Speed of writing and reading a snapshot of a large synthetic model (see README.md).

#include "BenchMeasures.h"
#include "SyntheticModel.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

struct TBenchSetup {
    std::unique_ptr<TDBNewOracle> Model;
    std::string FileName;
    bool KeepFile = false;
    std::int64_t FileBytes = 0;
    std::string Bytes; // the snapshot in memory, for the benchmarks without file access
};

TBenchSetup* g_setup = nullptr;

void SetCounters(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * g_setup->FileBytes);
    const auto counts = CountModel(*g_setup->Model);
    state.counters["file_MB"] = static_cast<double>(g_setup->FileBytes) / 1e6;
    state.counters["columns"] = static_cast<double>(counts.Columns);
}

// SaveToFile as the command runs it: a temporary file, flushed to disk, renamed into place.
void SaveToFileBench(benchmark::State& state)
{
    for (auto _ : state)
        SaveToFile(*g_setup->Model, g_setup->FileName);
    SetCounters(state);
}

// The same bytes written to memory: the cost of the writer without the file system.
void SaveToStringBench(benchmark::State& state)
{
    for (auto _ : state) {
        std::string bytes = SaveToString(*g_setup->Model);
        benchmark::DoNotOptimize(bytes.data());
    }
    SetCounters(state);
}

// CreateFromFile<TDBNewOracle>; freeing the loaded model is not timed.
void CreateFromFileBench(benchmark::State& state)
{
    for (auto _ : state) {
        auto loaded = CreateFromFile<TDBNewOracle>(g_setup->FileName);
        benchmark::DoNotOptimize(loaded.get());
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    SetCounters(state);
}

// Reading from bytes already in memory: the cost of the reader without the file system.
void CreateFromStringBench(benchmark::State& state)
{
    for (auto _ : state) {
        auto loaded = CreateFromString<TDBNewOracle>(g_setup->Bytes);
        benchmark::DoNotOptimize(loaded.get());
        state.PauseTiming();
        loaded.reset();
        state.ResumeTiming();
    }
    SetCounters(state);
}

void PrintUsage()
{
    std::fprintf(stderr, "Options besides Google Benchmark's own:\n"
                         "  --scale=F       model size relative to the default (1.0 = 100,000\n"
                         "                  objects, 1,000,000 columns)\n"
                         "  --snapshot=FILE write the snapshot to FILE and keep it\n");
}

} // namespace

int main(int argc, char** argv)
{
    bool minTimeGiven = false;
    for (int i = 1; i < argc; ++i)
        minTimeGiven |= std::string_view(argv[i]).starts_with("--benchmark_min_time");
    benchmark::Initialize(&argc, argv);

    double scale = 1.0;
    TBenchSetup setup;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--scale=")) {
            scale = std::atof(argv[i] + 8);
        } else if (arg.starts_with("--snapshot=")) {
            setup.FileName = std::string(arg.substr(11));
            setup.KeepFile = true;
        } else {
            std::fprintf(stderr, "Unknown argument: %s\n", argv[i]);
            PrintUsage();
            return 2;
        }
    }
    if (scale <= 0) {
        PrintUsage();
        return 2;
    }
    if (setup.FileName.empty())
        setup.FileName = (std::filesystem::temp_directory_path() /
                          ("quorvex-bench-" + std::to_string(getpid()) + ".obj"))
                             .string();

    RegisterDictionaryClasses();
    const auto start = std::chrono::steady_clock::now();
    setup.Model = BuildSyntheticModel(SyntheticModelShape::Scaled(scale));
    const auto counts = CountModel(*setup.Model);
    std::fprintf(stderr,
                 "model: %lld owners, %lld objects (%lld tables), %lld columns, %lld constraints, "
                 "%lld indexes, %lld triggers; built in %.2f s\n",
                 static_cast<long long>(counts.Owners), static_cast<long long>(counts.Objects),
                 static_cast<long long>(counts.Tables), static_cast<long long>(counts.Columns),
                 static_cast<long long>(counts.Constraints), static_cast<long long>(counts.Indexes),
                 static_cast<long long>(counts.Triggers), SecondsSince(start));
    // Written once before timing: the loading benchmarks need the file, and every benchmark
    // reports its speed against the file's size.
    SaveToFile(*setup.Model, setup.FileName);
    setup.FileBytes = static_cast<std::int64_t>(std::filesystem::file_size(setup.FileName));
    setup.Bytes = SaveToString(*setup.Model);
    std::fprintf(stderr, "snapshot: %s, %lld bytes\n", setup.FileName.c_str(),
                 static_cast<long long>(setup.FileBytes));
    g_setup = &setup;

    const std::vector<std::pair<const char*, void (*)(benchmark::State&)>> benches = {
        {"SaveToFile", &SaveToFileBench},
        {"SaveToString", &SaveToStringBench},
        {"CreateFromFile", &CreateFromFileBench},
        {"CreateFromString", &CreateFromStringBench},
    };
    for (const auto& [name, function] : benches) {
        auto* b = benchmark::RegisterBenchmark(name, function);
        b->Unit(benchmark::kMillisecond)->UseRealTime();
        if (!minTimeGiven)
            b->MinTime(3.0);
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();

    if (!setup.KeepFile)
        std::filesystem::remove(setup.FileName);
    g_setup = nullptr;
    return 0;
}
