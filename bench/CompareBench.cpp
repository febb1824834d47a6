// Speed of the model comparison behind Compare With File: two large synthetic models of which
// about 1% of the objects differ, and two long package bodies compared line by line.
// Run the Release build: quorvex-bench-compare [--scale=F] [--fraction=F] [--lines=N]. Under
// load, read the CPU column: building the models is not timed, only the comparison.

#include "BenchMeasures.h"
#include "SyntheticModel.h"
#include "model/ComparisonReport.h"
#include "model/ObjectState.h"

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

struct TBenchOptions {
    double Scale = 1.0;
    double Fraction = 0.01;
    int Lines = 100000;
};

TBenchOptions g_options;

// Lines of the report after the header that remove or add something.
std::pair<std::int64_t, std::int64_t> CountMarks(const TReportLines& report)
{
    std::int64_t removed = 0;
    std::int64_t added = 0;
    for (size_t k = 0; k < report.Count(); ++k) {
        const std::string_view line = report[k];
        removed += line.starts_with(Marks::Removed);
        added += line.starts_with(Marks::Added);
    }
    return {removed, added};
}

void SetReportCounters(benchmark::State& state, const TReportLines& report)
{
    const auto [removed, added] = CountMarks(report);
    state.counters["report_lines"] = static_cast<double>(report.Count());
    state.counters["removed"] = static_cast<double>(removed);
    state.counters["added"] = static_cast<double>(added);
}

// The current model and the model of the file: the same synthetic model, the second changed
// by MutateModel. Each comparison merges into the current model, so every run needs a fresh
// pair; building it is not timed.
struct TModelPair {
    std::unique_ptr<TDBNewOracle> Current;
    std::unique_ptr<TDBNewOracle> Loaded;
    MutationSummary Changes;
};

TModelPair BuildPair()
{
    const auto shape = SyntheticModelShape::Scaled(g_options.Scale);
    TModelPair pair;
    pair.Current = BuildSyntheticModel(shape);
    pair.Loaded = BuildSyntheticModel(shape);
    pair.Changes = MutateModel(*pair.Loaded, g_options.Fraction, 0xC0FFEE);
    return pair;
}

void CompareModelsBench(benchmark::State& state)
{
    double buildSeconds = 0;
    double freeSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto start = std::chrono::steady_clock::now();
        TModelPair pair = BuildPair();
        buildSeconds += SecondsSince(start);
        TReportLines report;
        state.ResumeTiming();

        CompareObjectLists(pair.Current->Objects(), pair.Loaded->Objects(), report);
        benchmark::DoNotOptimize(report.Count());

        state.PauseTiming();
        SetReportCounters(state, report);
        state.counters["changed_objects"] = pair.Changes.Total();
        start = std::chrono::steady_clock::now();
        pair = {};
        report = {};
        freeSeconds += SecondsSince(start);
        state.ResumeTiming();
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["build_s"] = buildSeconds / runs;
    state.counters["free_s"] = freeSeconds / runs;
}

// A package body of `lines` lines: mostly assignments that occur once, with a few common
// statements ("BEGIN", "NULL;", blank lines) that two unrelated bodies share.
std::string PackageBody(const std::string& name, int lines, std::uint64_t seed)
{
    static const char* const common[] = {
        "BEGIN",     "END;", "  NULL;", "", "  RETURN;", "EXCEPTION", "  WHEN OTHERS THEN",
        "    RAISE;"};
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> pick(0, 99);
    std::uniform_int_distribution<int> statement(0, 7);
    std::uniform_int_distribution<std::uint64_t> number(0, 999'999'999);
    std::string text = "PACKAGE BODY " + name + " IS\r\n";
    for (int k = 1; k < lines; ++k) {
        if (pick(rng) < 5)
            text += common[statement(rng)];
        else
            text +=
                "  v_" + std::to_string(number(rng)) + " := " + std::to_string(number(rng)) + ";";
        text += "\r\n";
    }
    return text;
}

// The same body with about 1% of its lines replaced, removed or followed by a new line.
std::string EditedBody(const std::string& body, std::uint64_t seed)
{
    std::mt19937_64 rng(seed);
    std::uniform_int_distribution<int> pick(0, 299);
    std::string edited;
    size_t start = 0;
    while (start < body.size()) {
        const size_t end = body.find("\r\n", start);
        const std::string_view line(body.data() + start, end - start);
        switch (pick(rng)) {
        case 0:
            edited += "  v_edit := 1;\r\n";
            break;
        case 1:
            break;
        case 2:
            edited.append(line);
            edited += "\r\n  v_new := 2;\r\n";
            break;
        default:
            edited.append(line);
            edited += "\r\n";
            break;
        }
        start = end + 2;
    }
    return edited;
}

std::unique_ptr<TObjectItem> MakeBody(const std::string& text)
{
    auto body = std::make_unique<TObjectItem>();
    body->ObjectType = ObjectTypes::PackageBody;
    body->ObjectName = "PKG";
    body->ObjectText = text;
    return body;
}

// Compares two package bodies as Compare With File does; the items can be compared again and
// again, as only the first one's state and comparison text change.
void CompareBodies(benchmark::State& state, const std::string& current, const std::string& other)
{
    const auto mine = MakeBody(current);
    const auto theirs = MakeBody(other);
    for (auto _ : state) {
        TReportLines report;
        mine->Compare(theirs.get(), report, Marks::Unchanged);
        benchmark::DoNotOptimize(report.Count());
        state.PauseTiming();
        SetReportCounters(state, report);
        report = {};
        state.ResumeTiming();
    }
}

void UnrelatedBodiesBench(benchmark::State& state)
{
    static const std::string current = PackageBody("PKG_A", g_options.Lines, 1);
    static const std::string other = PackageBody("PKG_B", g_options.Lines, 2);
    CompareBodies(state, current, other);
}

void EditedBodiesBench(benchmark::State& state)
{
    static const std::string current = PackageBody("PKG_A", g_options.Lines, 1);
    static const std::string other = EditedBody(current, 3);
    CompareBodies(state, current, other);
}

void PrintUsage()
{
    std::fprintf(stderr, "Options besides Google Benchmark's own:\n"
                         "  --scale=F     model size relative to the default (1.0 = 100,000\n"
                         "                objects, 1,000,000 columns)\n"
                         "  --fraction=F  share of the objects the file's model changes (0.01)\n"
                         "  --lines=N     lines of each package body (100000)\n");
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg.starts_with("--scale=")) {
            g_options.Scale = std::atof(argv[i] + 8);
        } else if (arg.starts_with("--fraction=")) {
            g_options.Fraction = std::atof(argv[i] + 11);
        } else if (arg.starts_with("--lines=")) {
            g_options.Lines = std::atoi(argv[i] + 8);
        } else {
            std::fprintf(stderr, "Unknown argument: %s\n", argv[i]);
            PrintUsage();
            return 2;
        }
    }
    if (g_options.Scale <= 0 || g_options.Fraction < 0 || g_options.Fraction > 1 ||
        g_options.Lines < 1) {
        PrintUsage();
        return 2;
    }
    RegisterDictionaryClasses();

    // Seconds each: a model pair takes a while to build, so a few runs are enough.
    benchmark::RegisterBenchmark("CompareModels", &CompareModelsBench)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime()
        ->Iterations(3);
    benchmark::RegisterBenchmark("CompareUnrelatedBodies", &UnrelatedBodiesBench)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("CompareEditedBodies", &EditedBodiesBench)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
