// Diagram files over the synthetic schema (see README.md): saving its layout, loading a layout
// of database-backed tables from an embedded database, and exporting the whole diagram as PNG
// and SVG. Each figure is printed with its target.
//
//   quorvex-bench-diagram-files [--tables N] [--columns N] [--foreign-keys N]
//                               [--load-tables N] [--runs N] [--keep FOLDER]

#include "BenchMeasures.h"
#include "SyntheticDiagram.h"
#include "diagram/DiagramDocument.h"
#include "diagram/DiagramRender.h"
#include "diagram/LayoutFile.h"
#include "engine/QtSession.h"
#include "generate-dictionary-writer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace {

using namespace quorvex;
using namespace quorvex::bench;

constexpr const char* kUser = "OWNER001"; // the generator's first owner
constexpr const char* kPassword = "owner001";
constexpr int kPngScale = 4;
constexpr int kSvgScale = 1;

struct TOptions {
    int Tables = 5000;
    int Columns = 12;
    int ForeignKeys = 8000;
    int LoadTables = 1000;
    int Runs = 3;
    std::string Keep; // a folder for the files; empty: a temporary one, removed at the end
};

std::uintmax_t FileBytes(const std::string& fileName)
{
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    return error ? 0 : size;
}

double Mb(std::uintmax_t bytes)
{
    return static_cast<double>(bytes) / 1e6;
}

void PrintPart(const char* caption, const TTime& time)
{
    std::printf("  %-32s %9.2f ms (CPU %9.2f ms)\n", caption, time.Wall * 1e3, time.Cpu * 1e3);
}

// Forwards to the session's query and counts what the layout reading asks of it: how many
// statements it opens and the time spent opening them and stepping through their rows.
class TCountingQuery final : public TQuery {
public:
    explicit TCountingQuery(TQuery& query)
        : m_query(query)
    {
    }

    int Opens = 0;
    int Rows = 0;
    TTime OpenTime;
    TTime NextTime;

    void SetSQL(std::string_view text) override { m_query.SetSQL(text); }
    void ClearSQL() override { m_query.ClearSQL(); }
    void AddSQL(std::string_view line) override { m_query.AddSQL(line); }
    std::string SQLText() const override { return m_query.SQLText(); }
    void SetParam(std::string_view name, std::string_view text) override
    {
        m_query.SetParam(name, text);
    }
    void SetParam(std::string_view name, std::int64_t value) override
    {
        m_query.SetParam(name, value);
    }
    void SetParam(int index, std::string_view text) override { m_query.SetParam(index, text); }
    void SetParam(int index, std::int64_t value) override { m_query.SetParam(index, value); }
    void Open() override
    {
        const TStopwatch watch;
        m_query.Open();
        Add(OpenTime, watch.Elapsed());
        ++Opens;
        Rows += m_query.Eof() ? 0 : 1;
    }
    bool IsOpen() const override { return m_query.IsOpen(); }
    bool Eof() const override { return m_query.Eof(); }
    void First() override { m_query.First(); }
    void Next() override
    {
        const TStopwatch watch;
        m_query.Next();
        Add(NextTime, watch.Elapsed());
        Rows += m_query.Eof() ? 0 : 1;
    }
    void Close() override { m_query.Close(); }
    void ExecSQL() override { m_query.ExecSQL(); }
    int FieldCount() const override { return m_query.FieldCount(); }
    std::string FieldName(int index) const override { return m_query.FieldName(index); }
    int FieldIndex(std::string_view name) const override { return m_query.FieldIndex(name); }
    bool IsNull(int index) const override { return m_query.IsNull(index); }
    std::string AsText(int index) const override { return m_query.AsText(index); }
    std::int64_t AsInteger(int index) const override { return m_query.AsInteger(index); }
    double AsDateTime(int index) const override { return m_query.AsDateTime(index); }
    double AsFloat(int index) const override { return m_query.AsFloat(index); }

private:
    static void Add(TTime& sum, const TTime& time)
    {
        sum.Wall += time.Wall;
        sum.Cpu += time.Cpu;
    }

    TQuery& m_query;
};

// ---- Saving the layout and the pictures of the synthetic diagram

struct TExportFigures {
    std::vector<TTime> Save;
    std::vector<TTime> Png;
    std::vector<TTime> Svg;
    std::uintmax_t LayoutBytes = 0;
    std::uintmax_t PngBytes = 0;
    std::uintmax_t SvgBytes = 0;
    QRect PngArea;
    QRect SvgArea;
    // The parts, from one further run each.
    TTime LayoutText;
    TTime Render;
    TTime Encode;
    TTime SvgPaint;
};

TExportFigures TimeExports(const TSyntheticSchema& schema, const TOptions& options,
                           const std::string& folder)
{
    TDiagramDocument document;
    document.ModelChanged(&schema.Model->Objects());
    PlaceEveryTable(document, schema.Tables);
    OpenEveryReference(document, schema.Tables);
    std::size_t tables = 0;
    for (const auto& component : document.Components())
        tables += component->IsTable() ? 1 : 0;
    const QRect bounds = document.ContentBounds();
    std::printf("diagram    %zu tables, %zu lines; %dx%d pixels at scale 1\n", tables,
                document.Components().size() - tables, bounds.width(), bounds.height());

    TExportFigures figures;
    const std::string layout = folder + "/diagram.layout";
    const std::string png = folder + "/diagram.png";
    const std::string svg = folder + "/diagram.svg";
    for (int run = 0; run < options.Runs; ++run) {
        {
            const TStopwatch watch;
            SaveLayout(document, layout);
            figures.Save.push_back(watch.Elapsed());
        }
        document.SetDiagramScale(kPngScale);
        {
            const TStopwatch watch;
            SaveDiagramPicture(document, png, TImageFormat::Png, {});
            figures.Png.push_back(watch.Elapsed());
        }
        figures.PngArea = PictureArea(document, {});
        document.SetDiagramScale(kSvgScale);
        {
            const TStopwatch watch;
            SaveDiagramPicture(document, svg, TImageFormat::Svg, {});
            figures.Svg.push_back(watch.Elapsed());
        }
        figures.SvgArea = PictureArea(document, {});
    }
    figures.LayoutBytes = FileBytes(layout);
    figures.PngBytes = FileBytes(png);
    figures.SvgBytes = FileBytes(svg);

    // Where the time goes: the same steps as above, taken apart and without the files.
    {
        const TStopwatch watch;
        const std::string text = LayoutText(document);
        figures.LayoutText = watch.Elapsed();
    }
    document.SetDiagramScale(kPngScale);
    {
        TStopwatch watch;
        const QImage image = RenderDiagram(document, {});
        figures.Render = watch.Elapsed();
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        watch = TStopwatch();
        image.save(&buffer, "PNG");
        figures.Encode = watch.Elapsed();
    }
    document.SetDiagramScale(kSvgScale);
    {
        const TStopwatch watch;
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        const QRect area = PictureArea(document, {});
        QSvgGenerator generator;
        generator.setOutputDevice(&buffer);
        generator.setSize(area.size());
        generator.setViewBox(QRect(QPoint(0, 0), area.size()));
        QPainter painter(&generator);
        PaintDiagram(document, painter, area);
        painter.end();
        figures.SvgPaint = watch.Elapsed();
    }
    return figures;
}

// ---- Loading a layout of database-backed tables

struct TLoadFigures {
    std::vector<TTime> Load;
    int Tables = 0;      // on the loaded diagram
    long long Rows = 0;  // their column rows
    long long Keys = 0;  // tables whose primary key was read
    long long Hints = 0; // tables whose comment was read
    int Queries = 0;     // from the counting run
    int QueryRows = 0;   // rows the counting run stepped through
    TTime CountedLoad;   // the counting run's whole load
    TTime OpenTime;      // in its Open calls
    TTime NextTime;      // in its Next calls
    double GenerateSeconds = 0;
    std::uintmax_t DatabaseBytes = 0;
    std::uintmax_t LayoutBytes = 0;
};

// The names of the user's tables, read from the catalogue in name order.
std::vector<std::string> UserTables(TQuery& query)
{
    std::vector<std::string> names;
    query.SetSQL("SELECT TABLE_NAME FROM USER_TAB_COMMENTS WHERE TABLE_TYPE = 'TABLE' "
                 "ORDER BY TABLE_NAME");
    query.Open();
    for (; !query.Eof(); query.Next())
        names.push_back(query.AsText(0));
    query.Close();
    return names;
}

TLoadFigures TimeLoads(const TOptions& options, const std::string& folder)
{
    TLoadFigures figures;
    // The generator of quorvex-generate-dictionary at a smaller size: one owner's tables, each
    // with its primary key and the index behind it, a table comment and three column comments.
    tools::DictionarySize size;
    size.owners = 1;
    size.tables = options.LoadTables;
    size.columnsPerTable = 12;
    size.constraints = options.LoadTables;
    size.indexes = options.LoadTables;
    size.triggers = 0;
    size.views = 0;
    size.sequences = 0;
    size.code = 0;
    size.sourceLines = 0;
    size.comments = 4LL * options.LoadTables;
    const std::string database = folder + "/database";
    {
        const TStopwatch watch;
        tools::GenerateDictionary(database, size);
        figures.GenerateSeconds = watch.Elapsed().Wall;
    }
    figures.DatabaseBytes = FileBytes(database + "/SYS.sqlite");

    const std::string aliases = folder + "/aliases.ini";
    std::ofstream(aliases) << "[BENCH]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" << database << "\n";
    auto session = std::make_unique<TQtSession>(aliases);
    session->SetAlias("BENCH");
    session->SetLoginCallback([](TLoginParams& login) {
        login.UserName = kUser;
        login.Password = kPassword;
    });
    auto query = session->CreateQuery();
    // Logs in, and names the tables the layout holds.
    const std::vector<std::string> names = UserTables(*query);

    const std::string layout = folder + "/database.layout";
    {
        // Tables by name without a query: placed like the pane places them, rows not read.
        TDiagramDocument source;
        for (const std::string& name : names)
            source.AddTableByName(name);
        SaveLayout(source, layout);
    }
    figures.LayoutBytes = FileBytes(layout);

    for (int run = 0; run < options.Runs; ++run) {
        TDiagramDocument document;
        document.Query = query.get();
        const TStopwatch watch;
        LoadLayout(document, layout, {0, 0});
        figures.Load.push_back(watch.Elapsed());
        if (run > 0)
            continue;
        for (const TGDBTable* table : document.Tables()) {
            ++figures.Tables;
            figures.Rows += static_cast<long long>(table->ColumnLines.size());
            figures.Keys += table->PrimaryKeyText.empty() ? 0 : 1;
            figures.Hints += table->TitleHint().empty() ? 0 : 1;
        }
    }
    {
        TCountingQuery counting(*query);
        TDiagramDocument document;
        document.Query = &counting;
        const TStopwatch watch;
        LoadLayout(document, layout, {0, 0});
        figures.CountedLoad = watch.Elapsed();
        figures.Queries = counting.Opens;
        figures.QueryRows = counting.Rows;
        figures.OpenTime = counting.OpenTime;
        figures.NextTime = counting.NextTime;
    }
    query.reset(); // before its session
    return figures;
}

int Usage()
{
    std::fprintf(stderr,
                 "usage: quorvex-bench-diagram-files [--tables N] [--columns N] "
                 "[--foreign-keys N]\n"
                 "         [--load-tables N] [--runs N] [--keep FOLDER]\n"
                 "  --tables        tables of the synthetic diagram (default 5000)\n"
                 "  --columns       columns per table (default 12)\n"
                 "  --foreign-keys  foreign keys between them (default 8000)\n"
                 "  --load-tables   tables of the embedded database and of the layout loaded\n"
                 "                  from it (default 1000)\n"
                 "  --runs          how many times each step is timed; medians printed "
                 "(default 3)\n"
                 "  --keep          write the database, layouts and pictures to FOLDER and "
                 "keep them\n"
                 "  The targets are those of the default sizes.\n");
    return 2;
}

int Run(const TOptions& options)
{
    QTemporaryDir temporary;
    std::string folder = options.Keep;
    if (folder.empty()) {
        if (!temporary.isValid())
            throw std::runtime_error("cannot make a temporary folder");
        folder = temporary.path().toStdString();
    } else {
        std::filesystem::create_directories(folder);
        std::filesystem::remove_all(folder + "/database");
    }

    const TSyntheticSchema schema =
        BuildSyntheticSchema(options.Tables, options.Columns, options.ForeignKeys);
    WarmDiagramFont();
    const TExportFigures exports = TimeExports(schema, options, folder);
    const TLoadFigures loads = TimeLoads(options, folder);
    std::printf("database   %d tables of 12 columns, SYS.sqlite %.1f MB (generated in %.2f s); "
                "layout of %.2f MB\n",
                options.LoadTables, Mb(loads.DatabaseBytes), loads.GenerateSeconds,
                Mb(loads.LayoutBytes));
    std::printf("loaded     %d tables, %lld rows, %lld primary keys, %lld table comments\n",
                loads.Tables, loads.Rows, loads.Keys, loads.Hints);
    std::printf("%d runs; medians\n\n", options.Runs);

    bool pass = true;
    pass &= PrintTime("Save Layout", Median(exports.Save), 200);
    PrintPart("layout text", exports.LayoutText);
    std::printf("  %-32s %9.2f MB\n", "file", Mb(exports.LayoutBytes));

    const TTime load = Median(loads.Load);
    pass &= PrintTime("Load Layout (database tables)", load, 3000);
    const double tables = std::max(1, loads.Tables);
    const double queries = std::max(1, loads.Queries);
    std::printf("  %-32s %9.3f ms per table, %.3f ms per query (%d queries, %.2f a table)\n",
                "per table and per query", load.Wall * 1e3 / tables, load.Wall * 1e3 / queries,
                loads.Queries, loads.Queries / tables);
    PrintPart("counting run (clocks add to it)", loads.CountedLoad);
    PrintPart("  in Open (the statements run)", loads.OpenTime);
    PrintPart("  in Next (rows fetched)", loads.NextTime);
    std::printf("  %-32s %9d\n", "rows fetched", loads.QueryRows);

    pass &= PrintTime("PNG export at scale 4", Median(exports.Png), 3000);
    std::printf("  %-32s %dx%d pixels, %.2f MB\n", "picture", exports.PngArea.width(),
                exports.PngArea.height(), Mb(exports.PngBytes));
    PrintPart("drawing the bitmap", exports.Render);
    PrintPart("PNG encoding", exports.Encode);

    pass &= PrintTime("SVG export at scale 1", Median(exports.Svg), 3000);
    std::printf("  %-32s %dx%d pixels, %.2f MB\n", "picture", exports.SvgArea.width(),
                exports.SvgArea.height(), Mb(exports.SvgBytes));
    PrintPart("drawing into memory", exports.SvgPaint);

    if (!options.Keep.empty())
        std::printf("\nfiles kept in %s\n", folder.c_str());
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
        if (i + 1 >= argc)
            return Usage();
        if (arg == "--keep") {
            options.Keep = argv[++i];
            continue;
        }
        int* value = nullptr;
        if (arg == "--tables")
            value = &options.Tables;
        else if (arg == "--columns")
            value = &options.Columns;
        else if (arg == "--foreign-keys")
            value = &options.ForeignKeys;
        else if (arg == "--load-tables")
            value = &options.LoadTables;
        else if (arg == "--runs")
            value = &options.Runs;
        if (value == nullptr)
            return Usage();
        *value = std::atoi(argv[++i]);
    }
    if (options.Tables < 1 || options.Columns < 1 || options.ForeignKeys < 0 ||
        options.LoadTables < 1 || options.Runs < 1)
        return Usage();
    try {
        return Run(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
}
