// The ER diagram over a synthetic schema (see README.md): placing every table and opening its
// references, zooming out and in, repainting a view at both ends of the zoom, and the memory
// the diagram takes per table. Each figure is printed with its target.
//
//   quorvex-bench-diagram [--tables N] [--columns N] [--foreign-keys N] [--runs N]
//                         [--repaints N]

#include "BenchMeasures.h"
#include "SyntheticDiagram.h"
#include "diagram/DiagramDocument.h"
#include "diagram/DiagramFont.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <malloc.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

struct TOptions {
    int Tables = 5000;
    int Columns = 12;
    int ForeignKeys = 8000;
    int Runs = 3;
    int Repaints = 15;
};

// The heap bytes malloc has handed out and not taken back: unlike the resident size it does
// not depend on which pages the allocator keeps.
long long HeapInUse()
{
    return static_cast<long long>(mallinfo2().uordblks);
}

// One repaint of a view the size of `image` showing `area` of the diagram, as the pane does it:
// a white background, the diagram font and a black pen, the painter moved to the area's corner.
TTime Repaint(const TDiagramDocument& document, QImage& image, const QRect& area)
{
    const TStopwatch watch;
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(DiagramFont());
    painter.setPen(Qt::black);
    painter.translate(-area.left(), -area.top());
    document.PaintTo(painter, area);
    painter.end();
    return watch.Elapsed();
}

TTime MedianRepaint(const TDiagramDocument& document, QImage& image, const QRect& area,
                    int repaints, TTime& first)
{
    std::vector<TTime> times;
    for (int i = 0; i < repaints; ++i)
        times.push_back(Repaint(document, image, area));
    first = times.front();
    return Median(std::move(times));
}

struct TRunFigures {
    TTime Index; // the model's tables and foreign keys by name, built at the first look-up
    TTime Place;
    TTime References;
    TTime ZoomOut; // 1 to 16
    TTime ZoomIn;  // 16 to 1
    TTime PaintNear;
    TTime PaintNearFirst;
    TTime PaintFar;
    TTime PaintFarFirst;
    int PaintedNear = 0;
    int PaintedFar = 0;
    QRect FarBounds;
    std::size_t Tables = 0;
    std::size_t Lines = 0;
    long long HeapIndex = 0;  // heap bytes after the model index is built
    long long HeapTables = 0; // after placing every table
    long long HeapAll = 0;    // after the references too
    long long ResidentKiB = 0;
};

int CountMeeting(const TDiagramDocument& document, const QRect& area)
{
    int count = 0;
    for (const auto& component : document.Components())
        count += component->Visible && component->Bounds().intersects(area) ? 1 : 0;
    return count;
}

TRunFigures RunOnce(const TSyntheticSchema& schema, const TOptions& options)
{
    TRunFigures figures;
    // Free heap pages go back to the system, so the diagram's pages show in the resident size.
    malloc_trim(0);
    const long long heapBefore = HeapInUse();
    const long long residentBefore = ProcStatusKiB("VmRSS:");

    auto document = std::make_unique<TDiagramDocument>();
    document->ModelChanged(&schema.Model->Objects());
    {
        const TStopwatch watch;
        document->FindModelTable(std::string());
        figures.Index = watch.Elapsed();
    }
    figures.HeapIndex = HeapInUse() - heapBefore;
    {
        const TStopwatch watch;
        PlaceEveryTable(*document, schema.Tables);
        figures.Place = watch.Elapsed();
    }
    figures.HeapTables = HeapInUse() - heapBefore;
    {
        const TStopwatch watch;
        OpenEveryReference(*document, schema.Tables);
        figures.References = watch.Elapsed();
    }
    figures.HeapAll = HeapInUse() - heapBefore;
    figures.ResidentKiB = ProcStatusKiB("VmRSS:") - residentBefore;
    for (const auto& component : document->Components())
        ++(component->IsTable() ? figures.Tables : figures.Lines);

    QImage image(1600, 1000, QImage::Format_RGB32);
    const QRect near(0, 0, image.width(), image.height());
    figures.PaintedNear = CountMeeting(*document, near);
    figures.PaintNear =
        MedianRepaint(*document, image, near, options.Repaints, figures.PaintNearFirst);
    {
        const TStopwatch watch;
        document->SetDiagramScale(TDiagramDocument::kMaxScale);
        figures.ZoomOut = watch.Elapsed();
    }
    figures.FarBounds = document->ContentBounds();
    const QRect far(figures.FarBounds.topLeft(), image.size());
    figures.PaintedFar = CountMeeting(*document, far);
    figures.PaintFar =
        MedianRepaint(*document, image, far, options.Repaints, figures.PaintFarFirst);
    {
        const TStopwatch watch;
        document->SetDiagramScale(1);
        figures.ZoomIn = watch.Elapsed();
    }
    return figures;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: quorvex-bench-diagram [--tables N] [--columns N] [--foreign-keys N]\n"
                 "         [--runs N] [--repaints N]\n"
                 "  --tables        tables of the synthetic schema (default 5000)\n"
                 "  --columns       columns per table (default 12)\n"
                 "  --foreign-keys  foreign keys between them (default 8000)\n"
                 "  --runs          diagrams built, each timed; medians printed (default 3)\n"
                 "  --repaints      repaints timed at each scale per run (default 15)\n"
                 "  The targets are those of the default sizes.\n");
    return 2;
}

int Run(const TOptions& options)
{
    const TSyntheticSchema schema =
        BuildSyntheticSchema(options.Tables, options.Columns, options.ForeignKeys);
    WarmDiagramFont();

    std::vector<TRunFigures> runs;
    for (int run = 0; run < options.Runs; ++run)
        runs.push_back(RunOnce(schema, options));

    const auto median = [&runs](TTime TRunFigures::*member) {
        std::vector<TTime> times;
        for (const TRunFigures& figures : runs)
            times.push_back(figures.*member);
        return Median(std::move(times));
    };
    // Memory from the first run: the heap was fresh.
    const TRunFigures& first = runs.front();
    const double diagramTables = static_cast<double>(std::max<std::size_t>(1, first.Tables));
    std::printf(
        "diagram    %zu tables, %zu lines; %d runs, %d repaints each; medians of the runs\n",
        first.Tables, first.Lines, options.Runs, options.Repaints);
    std::printf("view       1600x1000: %d components meet it at scale 1; at scale %d the "
                "diagram is %dx%d, %d components\n",
                first.PaintedNear, TDiagramDocument::kMaxScale, first.FarBounds.width(),
                first.FarBounds.height(), first.PaintedFar);
    std::printf("\n");

    bool pass = true;
    const TTime index = median(&TRunFigures::Index);
    const TTime place = median(&TRunFigures::Place);
    const TTime references = median(&TRunFigures::References);
    std::vector<TTime> totals;
    for (const TRunFigures& figures : runs)
        totals.push_back({figures.Index.Wall + figures.Place.Wall + figures.References.Wall,
                          figures.Index.Cpu + figures.Place.Cpu + figures.References.Cpu});
    std::printf("%-34s %9.2f ms (CPU %9.2f ms)\n", "model index (first look-up)", index.Wall * 1e3,
                index.Cpu * 1e3);
    std::printf("%-34s %9.2f ms (CPU %9.2f ms)\n", "place every table", place.Wall * 1e3,
                place.Cpu * 1e3);
    std::printf("%-34s %9.2f ms (CPU %9.2f ms)\n", "open References of every table",
                references.Wall * 1e3, references.Cpu * 1e3);
    pass &= PrintTime("index, place and References, total", Median(std::move(totals)), 1500);
    pass &= PrintTime("zoom 1 -> 16", median(&TRunFigures::ZoomOut), 100);
    pass &= PrintTime("zoom 16 -> 1", median(&TRunFigures::ZoomIn), 100);
    pass &= PrintTime("repaint 1600x1000 at scale 1", median(&TRunFigures::PaintNear), 10);
    pass &= PrintTime("repaint 1600x1000 at scale 16", median(&TRunFigures::PaintFar), 10);
    std::printf("%-34s %9.2f ms at scale 1, %.2f ms at scale 16 (glyphs cached on the way)\n",
                "first repaint of the first run", first.PaintNearFirst.Wall * 1e3,
                first.PaintFarFirst.Wall * 1e3);

    const double perTable = static_cast<double>(first.HeapAll) / diagramTables;
    const bool memoryPass = perTable <= 1536;
    pass &= memoryPass;
    std::printf("%-34s %9.0f bytes per table             target <= %6d B   %s\n",
                "heap of the diagram", perTable, 1536, Verdict(memoryPass));
    const double lines = static_cast<double>(std::max<std::size_t>(1, first.Lines));
    std::printf("%-34s %9.0f bytes per table\n", "  the model index",
                static_cast<double>(first.HeapIndex) / diagramTables);
    std::printf("%-34s %9.0f bytes per table\n", "  the tables",
                static_cast<double>(first.HeapTables - first.HeapIndex) / diagramTables);
    std::printf(
        "%-34s %9.0f bytes per line (%.2f lines per table)\n", "  the lines and reference lists",
        static_cast<double>(first.HeapAll - first.HeapTables) / lines, lines / diagramTables);
    std::printf("%-34s %9.0f bytes per table (%.1f MiB)\n", "resident size over the model",
                static_cast<double>(first.ResidentKiB) * 1024.0 / diagramTables,
                static_cast<double>(first.ResidentKiB) / 1024.0);
    std::printf("\n%s\n", pass ? "all targets met" : "some targets missed");
    return pass ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    UseOffscreenPlatform();
    QGuiApplication app(argc, argv);
    TOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        int* value = nullptr;
        if (arg == "--tables")
            value = &options.Tables;
        else if (arg == "--columns")
            value = &options.Columns;
        else if (arg == "--foreign-keys")
            value = &options.ForeignKeys;
        else if (arg == "--runs")
            value = &options.Runs;
        else if (arg == "--repaints")
            value = &options.Repaints;
        if (value == nullptr || i + 1 >= argc)
            return Usage();
        *value = std::atoi(argv[++i]);
    }
    if (options.Tables < 1 || options.Columns < 1 || options.ForeignKeys < 0 || options.Runs < 1 ||
        options.Repaints < 1)
        return Usage();
    try {
        return Run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}
