// The dictionary reader on a large database (see README.md): LoadSchema and LoadSource timed
// over several runs, and in a process of their own the memory the model takes.
//
//   quorvex-bench-reader FOLDER [--user NAME --password TEXT] [--restricted] [--runs N]
//   quorvex-bench-reader FOLDER --memory [--user ...] [--restricted]

#include "BenchMeasures.h"
#include "dictionary/DBOraClass.h"
#include "engine/QtSession.h"
#include "persistence/Exceptions.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <malloc.h>
#include <memory>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

struct TCounts {
    long long Objects = 0;
    long long Columns = 0;
    long long Constraints = 0;
    long long Indexes = 0;
    long long Triggers = 0;
    long long TextBytes = 0;
};

TCounts Count(const TDBNewOracle& root)
{
    TCounts counts;
    const TObjectList& objects = root.Objects();
    counts.Objects = objects.Count();
    for (int i = 0; i < objects.Count(); ++i) {
        const TObjectItem* object = objects.Items(i);
        counts.TextBytes += static_cast<long long>(object->ObjectText.size());
        if (const auto* fields = object->FieldsIfAny())
            counts.Columns += fields->Count();
        if (const auto* constraints = object->ConstraintsIfAny())
            counts.Constraints += constraints->Count();
        if (const auto* indexes = object->IndexesIfAny())
            counts.Indexes += indexes->Count();
        if (const auto* triggers = object->TriggersIfAny())
            counts.Triggers += triggers->Count();
    }
    return counts;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: quorvex-bench-reader FOLDER [--user NAME --password TEXT] [--restricted]\n"
                 "         [--runs N] [--memory]\n"
                 "  FOLDER   an embedded database (quorvex-generate-dictionary --scale 100k)\n"
                 "  --user   login (default OWNER001, password owner001)\n"
                 "  --restricted  read the user's schema only; default: every owner\n"
                 "  --runs   how many reads are timed (default 5)\n"
                 "  --memory one read, reporting the peak resident size it added\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    std::string folder;
    std::string user = "OWNER001";
    std::string password = "owner001";
    bool restricted = false;
    bool memory = false;
    int runs = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--restricted")
            restricted = true;
        else if (arg == "--memory")
            memory = true;
        else if (arg == "--user" && i + 1 < argc)
            user = argv[++i];
        else if (arg == "--password" && i + 1 < argc)
            password = argv[++i];
        else if (arg == "--runs" && i + 1 < argc)
            runs = std::max(1, std::atoi(argv[++i]));
        else if (!arg.starts_with("-") && folder.empty())
            folder = arg;
        else
            return Usage();
    }
    if (folder.empty())
        return Usage();
    try {
        QTemporaryDir dir;
        const std::string aliases = dir.filePath("aliases.ini").toStdString();
        std::ofstream(aliases) << "[BENCH]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" << folder
                               << "\n";
        auto session = std::make_unique<TQtSession>(aliases);
        session->SetAlias("BENCH");
        session->SetLoginCallback([&](TLoginParams& login) {
            login.UserName = user;
            login.Password = password;
        });
        auto query = session->CreateQuery();
        auto root = std::make_unique<TDBNewOracle>();
        root->SetQuery(query.get());
        root->UserName = user;
        root->IncludeSys = !restricted;
        root->DatabaseTime(); // logs in: not part of the timed reads
        const char* variant = restricted ? "restricted" : "all owners";

        if (memory) {
            malloc_trim(0);
            const long long base = ProcStatusKiB("VmRSS:");
            // The resident size at each caption shows where the peak comes from.
            struct TSample {
                std::string Caption;
                long long ResidentKiB;
                double HeapInUseMiB; // malloc's bytes in use: the resident size less free holes
            };
            std::vector<TSample> resident;
            const TProgress progress = [&](std::string_view caption) {
                resident.push_back({std::string(caption), ProcStatusKiB("VmRSS:"),
                                    static_cast<double>(mallinfo2().uordblks) / 1048576.0});
            };
            const double start = CpuSeconds();
            root->LoadSchema(progress);
            root->LoadSource(progress);
            const double seconds = CpuSeconds() - start;
            const long long peak = ProcStatusKiB("VmHWM:");
            const long long withConnection = ProcStatusKiB("VmRSS:");
            // The engine's caches go with the connection; what stays is the model.
            root->SetQuery(nullptr);
            query.reset();
            session.reset();
            malloc_trim(0);
            const long long modelOnly = ProcStatusKiB("VmRSS:");
            const TCounts counts = Count(*root);
            const double columns = static_cast<double>(std::max(1LL, counts.Columns));
            const auto perColumn = [&](long long kib) {
                return static_cast<double>(kib - base) * 1024.0 / columns;
            };
            std::printf("model (%s)   %lld objects, %lld columns, %lld constraints, %lld indexes, "
                        "%lld triggers, %lld text bytes\n",
                        variant, counts.Objects, counts.Columns, counts.Constraints, counts.Indexes,
                        counts.Triggers, counts.TextBytes);
            std::printf("read time        %.3f s CPU\n", seconds);
            std::printf("baseline         VmRSS %lld KiB (logged in)\n", base);
            std::printf("peak (VmHWM)     +%.1f MiB, %.1f bytes per column\n",
                        static_cast<double>(peak - base) / 1024.0, perColumn(peak));
            std::printf("after the read   +%.1f MiB, %.1f bytes per column\n",
                        static_cast<double>(withConnection - base) / 1024.0,
                        perColumn(withConnection));
            std::printf("model alone      +%.1f MiB, %.1f bytes per column (connection closed)\n",
                        static_cast<double>(modelOnly - base) / 1024.0, perColumn(modelOnly));
            std::printf("\nat each caption: resident over the baseline, heap in use (MiB)\n");
            for (const TSample& sample : resident)
                std::printf("  %-26s %7.1f %7.1f\n", sample.Caption.c_str(),
                            static_cast<double>(sample.ResidentKiB - base) / 1024.0,
                            sample.HeapInUseMiB);
            return 0;
        }

        std::vector<double> schema;
        std::vector<double> source;
        std::vector<double> total;
        // CPU time from each caption to the next, summed over the runs: where the time goes.
        std::vector<std::pair<std::string, double>> steps;
        std::size_t step = 0;
        double stepStart = 0;
        const auto endStep = [&] {
            if (step > 0)
                steps[step - 1].second += CpuSeconds() - stepStart;
        };
        const TProgress progress = [&](std::string_view caption) {
            endStep();
            if (step == steps.size())
                steps.emplace_back(std::string(caption), 0.0);
            ++step;
            stepStart = CpuSeconds();
        };
        for (int run = 0; run < runs; ++run) {
            const double wallStart = WallSeconds();
            step = 0;
            // Freeing the previous read's model is not part of reading.
            root->Clear();
            const double start = CpuSeconds();
            root->LoadSchema(progress);
            endStep();
            const double middle = CpuSeconds();
            root->LoadSource(progress);
            endStep();
            const double end = CpuSeconds();
            schema.push_back(middle - start);
            source.push_back(end - middle);
            total.push_back(end - start);
            std::printf("run %d: LoadSchema %.3f s, LoadSource %.3f s, together %.3f s CPU "
                        "(%.3f s wall)\n",
                        run + 1, middle - start, end - middle, end - start,
                        WallSeconds() - wallStart);
        }
        const auto report = [](const char* name, std::vector<double> values) {
            std::sort(values.begin(), values.end());
            std::printf("  %-12s %7.3f  %7.3f\n", name, values.front(), values[values.size() / 2]);
        };
        const TCounts counts = Count(*root);
        std::printf("\nreader, %s, %d runs (CPU seconds: min / median); %lld objects, %lld "
                    "columns\n",
                    variant, runs, counts.Objects, counts.Columns);
        report("LoadSchema", schema);
        report("LoadSource", source);
        report("together", total);
        std::printf("\nfrom each caption to the next (CPU seconds, mean of the runs; the last\n"
                    "step of each read includes finding the user and the database time)\n");
        for (const auto& [caption, seconds] : steps)
            std::printf("  %-26s %7.3f\n", caption.c_str(), seconds / runs);
        root->SetQuery(nullptr);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    return 0;
}
