#include "DiagramCommand.h"

#include "Cli.h"
#include "DiagramSteps.h"
#include "LiveDatabase.h"
#include "SqlCommand.h"
#include "diagram/AutoSQL.h"
#include "diagram/DiagramDocument.h"
#include "diagram/DiagramRender.h"
#include "diagram/LayoutFile.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"
#include "persistence/SnapshotReader.h"

#include <QGuiApplication>
#include <cctype>
#include <memory>
#include <ostream>
#include <sstream>

namespace quorvex {

namespace {

// The picture of a diagram without tables: one white pixel.
constexpr QSize kEmptyPicture(1, 1);

bool IsPictureName(const std::string& fileName)
{
    const size_t dot = fileName.find_last_of('.');
    if (dot == std::string::npos || fileName.find('/', dot) != std::string::npos)
        return false;
    std::string extension = fileName.substr(dot + 1);
    for (char& c : extension)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "bmp" || extension == "png" || extension == "svg" || extension == "pdf";
}

// Everything that can be refused without reading a model, refused before reading one.
void CheckArguments(const TArguments& args, bool snapshot)
{
    for (const auto& [option, value] : args.InOrder) {
        if (option == "--zoom")
            TDiagramSteps::Zoom(value);
    }
    if (snapshot && args.Has("--load-layout"))
        throw Exception("--load-layout reads the layout's tables from a database; it cannot be "
                        "used with --snapshot");
    if (snapshot && args.Has("--run"))
        throw Exception("--run needs a database; it cannot be used with --snapshot");
    const std::string* picture = args.Value("--output");
    if (picture != nullptr && !IsPictureName(*picture))
        throw Exception("The picture \"" + *picture + "\" must end in .bmp, .png, .svg or .pdf");
}

// Automatic SQL with every table selected and each table's "tabN.*" chosen in component order,
// joined as the window joins double-clicked fields.
std::vector<std::string> StatementLines(TDiagramDocument& document)
{
    std::vector<std::string> select;
    const auto& components = document.Components();
    for (size_t i = 0; i < components.size(); ++i) {
        if (!components[i]->IsTable())
            continue;
        static_cast<TGDBTable&>(*components[i]).SetSelected(true);
        select.push_back((select.empty() ? "tab" : ",tab") + std::to_string(i) + ".*");
    }
    const TAutoSqlParts parts = BuildAutoSql(document);
    return AutoSqlLines(select, parts.From, parts.Where);
}

std::string RunStatement(TLiveConnection& connection, const std::vector<std::string>& lines)
{
    std::string statement;
    for (const std::string& line : lines)
        statement += line + "\r\n";
    const std::unique_ptr<TQuery> query = connection.Session().CreateQuery(false);
    query->SetSQL(statement);
    query->Open();
    std::ostringstream rows;
    PrintRows(*query, rows);
    return rows.str();
}

} // namespace

int RunDiagram(const TCommandContext& context)
{
    // Tables measure their text with Qt Gui's fonts.
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) == nullptr)
        throw Exception("The diagram command needs a QGuiApplication");
    const TArguments& args = context.Args;
    const std::string* snapshot = args.Value("--snapshot");
    CheckArguments(args, snapshot != nullptr);

    // The model and the connection outlive the document, whose tables point into them.
    std::unique_ptr<TLiveConnection> connection;
    std::unique_ptr<TDBNewOracle> model;
    if (snapshot != nullptr) {
        model = CreateFromFile<TDBNewOracle>(*snapshot);
    } else {
        TLiveRead read;
        read.Alias = args.Operands[0];
        read.User = args.Operands[1];
        read.Password = ResolvePassword(args.Operands[2]);
        read.ReadSource = false;
        connection = std::make_unique<TLiveConnection>(read);
        model = connection->ReadModel({});
    }
    TDiagramDocument document;
    document.Query = connection ? &connection->Query() : nullptr;
    document.ModelChanged(&model->Objects());
    TDiagramSteps steps(document);
    for (const auto& [option, value] : args.InOrder)
        steps.Run(option, value);

    // Standard output is made in full first: a failed statement writes nothing anywhere.
    std::string text;
    if (args.Has("--sql") || args.Has("--run")) {
        const std::vector<std::string> lines = StatementLines(document);
        if (args.Has("--sql")) {
            for (const std::string& line : lines)
                text += line + "\n";
        }
        if (args.Has("--run"))
            text += RunStatement(*connection, lines);
    }
    document.SelectOnlyGroup(0);
    // The layout is committed only after the picture is written, so a failed picture leaves
    // no new layout either.
    std::unique_ptr<TSafeFileSink> layout;
    if (const std::string* fileName = args.Value("--save-layout")) {
        const std::string layoutText = LayoutText(document);
        layout = std::make_unique<TSafeFileSink>(*fileName);
        layout->Write(layoutText.data(), layoutText.size());
    }
    if (const std::string* fileName = args.Value("--output"))
        SaveDiagramPicture(document, *fileName, ImageFormatFor(*fileName), kEmptyPicture);
    if (layout)
        layout->Commit();
    context.Out << text;
    context.Out.flush();
    if (!context.Out)
        throw EWriteError("Cannot write to standard output");
    return ExitCodes::Success;
}

} // namespace quorvex
