// Time and memory of building the object tree over the synthetic model. The model is built
// first; then the peak resident size is reset, so the growth of the peak over the resident
// size before the build is what the tree needs.

#include "BenchMeasures.h"
#include "SyntheticModel.h"
#include "mainwindow/ObjectTreeModel.h"

#include <QCoreApplication>
#include <QLocale>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <malloc.h>
#include <string>
#include <string_view>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

int Usage()
{
    std::fprintf(stderr, "usage: quorvex-bench-tree [--scale F] [--locale NAME] [--repeat N]\n"
                         "  builds the object tree over the synthetic model (F = size relative\n"
                         "  to 100,000 objects and 1,000,000 columns; locale default en_US),\n"
                         "  then N more times (default 1)\n");
    return 2;
}

int Run(double scale, const QString& localeName, int repeat)
{
    RegisterDictionaryClasses();
    const auto modelStart = std::chrono::steady_clock::now();
    auto schema = BuildSyntheticModel(SyntheticModelShape::Scaled(scale));
    const double modelSeconds = SecondsSince(modelStart);
    const auto counts = CountModel(*schema);

    TObjectTreeModel tree;
    tree.SetCollationLocale(QLocale(localeName));
    // Free heap pages go back to the system, so the tree's pages show in the resident size.
    malloc_trim(0);
    const bool peakReset = ResetPeak();
    const long long baseRss = ProcStatusKiB("VmRSS:");

    const auto buildStart = std::chrono::steady_clock::now();
    tree.BuildObjectTree(*schema);
    const double buildSeconds = SecondsSince(buildStart);

    const long long peakHwm = ProcStatusKiB("VmHWM:");
    const long long rss = ProcStatusKiB("VmRSS:");
    const auto nodes = static_cast<double>(tree.NodeCount());

    const auto rebuildStart = std::chrono::steady_clock::now();
    for (int i = 0; i < repeat; ++i)
        tree.BuildObjectTree(*schema);
    const double rebuildSeconds = SecondsSince(rebuildStart) / repeat;

    // Every caption once, as a view would ask for them with every node expanded.
    const auto walkStart = std::chrono::steady_clock::now();
    std::size_t characters = 0;
    std::function<void(const QModelIndex&)> walk = [&](const QModelIndex& parent) {
        const int rows = tree.rowCount(parent);
        for (int row = 0; row < rows; ++row) {
            const QModelIndex child = tree.index(row, 0, parent);
            characters += std::size_t(tree.data(child).toString().size());
            walk(child);
        }
    };
    walk({});
    const double walkSeconds = SecondsSince(walkStart);

    std::printf("model          %lld objects (%lld tables), %lld columns, %lld constraints, "
                "%lld indexes, %lld triggers, %lld owners (built in %.2f s)\n",
                static_cast<long long>(counts.Objects), static_cast<long long>(counts.Tables),
                static_cast<long long>(counts.Columns), static_cast<long long>(counts.Constraints),
                static_cast<long long>(counts.Indexes), static_cast<long long>(counts.Triggers),
                static_cast<long long>(counts.Owners), modelSeconds);
    std::printf("tree           %.0f nodes, collation %s\n", nodes,
                QLocale(localeName).name().toUtf8().constData());
    std::printf("build          %.3f s (later builds %.3f s on average of %d)\n", buildSeconds,
                rebuildSeconds, repeat);
    std::printf("node arrays    %.1f MiB, %.1f bytes per node\n",
                double(tree.MemoryBytes()) / 1048576.0, double(tree.MemoryBytes()) / nodes);
    if (peakReset)
        std::printf("peak (VmHWM)   %.1f MiB over baseline, %.1f bytes per node\n",
                    double(peakHwm - baseRss) / 1024.0, double(peakHwm - baseRss) * 1024.0 / nodes);
    else
        std::printf("peak (VmHWM)   not measured: the peak could not be reset\n");
    std::printf("resident       %.1f MiB over baseline, %.1f bytes per node\n",
                double(rss - baseRss) / 1024.0, double(rss - baseRss) * 1024.0 / nodes);
    std::printf("all captions   %.3f s, %zu characters\n", walkSeconds, characters);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    double scale = 1.0;
    QString locale = QStringLiteral("en_US");
    int repeat = 1;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--scale" && i + 1 < argc)
            scale = std::atof(argv[++i]);
        else if (arg == "--repeat" && i + 1 < argc)
            repeat = std::atoi(argv[++i]);
        else if (arg == "--locale" && i + 1 < argc)
            locale = QString::fromLocal8Bit(argv[++i]);
        else
            return Usage();
    }
    if (scale <= 0 || repeat < 1)
        return Usage();
    try {
        return Run(scale, locale, repeat);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}
