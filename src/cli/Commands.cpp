#include "Commands.h"

#include "Cli.h"
#include "CompareJson.h"
#include "DiagramCommand.h"
#include "LiveDatabase.h"
#include "ProgressDisplay.h"
#include "ScriptCommand.h"
#include "SqlCommand.h"
#include "dictionary/DBOraClass.h"
#include "dictionary/SynonymTargets.h"
#include "engine/AliasStore.h"
#include "model/ComparisonReport.h"
#include "model/DdlScript.h"
#include "model/TextReport.h"
#include "persistence/ByteStream.h"
#include "persistence/Exceptions.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <charconv>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace quorvex {

namespace {

std::unique_ptr<TDBNewOracle> LoadSnapshot(const std::string& fileName)
{
    auto model = CreateFromFile<TDBNewOracle>(fileName);
    model->SourceName = fileName;
    return model;
}

// The login operands ALIAS USER PASSWORD from `first` on, and the reading switches.
TLiveRead LiveRead(const TCommandContext& context, size_t first)
{
    const auto& operands = context.Args.Operands;
    TLiveRead read;
    read.Alias = operands[first];
    read.User = operands[first + 1];
    read.Password = ResolvePassword(operands[first + 2]);
    read.IncludeSys = context.Args.Has("--include-sys");
    read.UseRule = context.Args.Has("--rule");
    read.UseOrdered = context.Args.Has("--ordered");
    read.ReadSource = !context.Args.Has("--no-source");
    return read;
}

// The model read through `connection`, its progress on standard error.
std::unique_ptr<TDBNewOracle> ReadLive(const TCommandContext& context, TLiveConnection& connection)
{
    TProgressDisplay progress(context.Err, context.ErrIsTerminal);
    return connection.ReadModel(progress.Callback());
}

std::unique_ptr<TDBNewOracle> ReadLive(const TCommandContext& context, size_t first)
{
    TLiveConnection connection(LiveRead(context, first));
    return ReadLive(context, connection);
}

// Entries are written one by one: a large schema's report is too big to copy into one text.
void WriteReport(const TReportLines& report, TByteSink& sink)
{
    for (size_t i = 0; i < report.Count(); ++i) {
        sink.Write(report[i]);
        sink.Write("\r\n");
    }
}

void WriteReport(const TReportLines& report, std::ostream& out)
{
    for (size_t i = 0; i < report.Count() && out; ++i) {
        const std::string_view entry = report[i];
        out.write(entry.data(), static_cast<std::streamsize>(entry.size()));
        out.write("\r\n", 2);
    }
    out.flush();
    if (!out)
        throw EWriteError("Cannot write the report to standard output");
}

constexpr std::string_view kCompareFormats[] = {"text", "json"};

int RunCompare(const TCommandContext& context)
{
    const bool json = ChosenFormat(context, "compare", kCompareFormats) == "json";
    if (context.Args.Has("--all") && !json)
        throw EUsage("compare: option --all needs --format json");
    const bool live = context.Args.Has("--db");
    const std::string& targetName = context.Args.Operands[live ? 3 : 1];
    // The database is read first: a refused login fails before any file is read.
    const auto current = live ? ReadLive(context, 0) : LoadSnapshot(context.Args.Operands[0]);
    const auto target = LoadSnapshot(targetName);

    TReportLines report;
    AddComparisonHeader(report, current->SourceName, targetName,
                        FormatReportDateTime(context.Now()));
    CompareObjectLists(current->Objects(), target->Objects(), report);
    const bool changes = ReportHasChanges(report);

    const std::string* fileName = context.Args.Value("--output");
    if (json) {
        const TCompareJsonHeader header{current->SourceName, targetName, context.Now(), changes};
        const bool all = context.Args.Has("--all");
        if (fileName != nullptr) {
            TSafeFileSink sink(*fileName);
            WriteCompareJson(*current, *target, header, all,
                             [&](std::string_view text) { sink.Write(text); });
            sink.Commit();
        } else {
            WriteCompareJson(*current, *target, header, all, [&](std::string_view text) {
                context.Out.write(text.data(), static_cast<std::streamsize>(text.size()));
            });
            context.Out.flush();
            if (!context.Out)
                throw EWriteError("Cannot write the report to standard output");
        }
    } else if (fileName != nullptr) {
        // Through a temporary file: a failed write leaves an earlier report in place.
        TSafeFileSink sink(*fileName);
        WriteReport(report, sink);
        sink.Commit();
    } else {
        WriteReport(report, context.Out);
    }
    return changes ? ExitCodes::Changes : ExitCodes::Success;
}

int RunExport(const TCommandContext& context)
{
    const auto model = ReadLive(context, 0);
    SaveToFile(*model, context.Args.Operands[3]);
    return ExitCodes::Success;
}

// Whose objects a DDL script builds: the logged-in user's when the model knows the user (with
// every owner read, by name), so the script builds that schema for whoever runs it; otherwise
// every owner's, qualified.
std::optional<std::int32_t> ScriptOwner(const TDBNewOracle& model)
{
    std::int32_t userNo = 0;
    const char* end = model.UserNo.data() + model.UserNo.size();
    if (const auto [at, error] = std::from_chars(model.UserNo.data(), end, userNo);
        !model.UserNo.empty() && error == std::errc() && at == end)
        return userNo;
    for (int i = 0; !model.UserName.empty() && i < model.Owners().Count(); ++i) {
        if (model.Owners().Items(i)->OwnerName == model.UserName)
            return model.Owners().Items(i)->OwnerNo;
    }
    return std::nullopt;
}

int RunDdl(const TCommandContext& context)
{
    const bool live = context.Args.Has("--db");
    std::unique_ptr<TDBNewOracle> model;
    // A snapshot holds no synonym's target; the database's dictionary does.
    TSynonymTargets synonyms;
    if (live) {
        TLiveConnection connection(LiveRead(context, 0));
        model = ReadLive(context, connection);
        synonyms = ReadSynonymTargets(connection.Query(), ScriptOwner(*model));
    } else {
        model = LoadSnapshot(context.Args.Operands[0]);
    }
    // Through a temporary file: a failed write leaves an earlier script in place.
    TSafeFileSink sink(context.Args.Operands[live ? 3 : 1]);
    WriteDdlScript(model->Objects(), model->Owners(), ScriptOwner(*model), sink, synonyms);
    sink.Commit();
    return ExitCodes::Success;
}

int RunAliases(const TCommandContext& context)
{
    const TAliasStore aliases(TAliasStore::DefaultFileName());
    for (const std::string& name : aliases.Names()) {
        const TAliasConfig config = aliases.Get(name);
        std::string backend;
        switch (config.Backend()) {
        case TBackendKind::Embedded:
            backend = "EMBEDDED";
            break;
        case TBackendKind::Oci:
            backend = "OCI";
            break;
        case TBackendKind::Odbc:
            backend = "ODBC";
            break;
        }
        context.Out << name << '\t' << aliases.Driver(name) << '\t' << backend << '\n';
    }
    context.Out.flush();
    if (!context.Out)
        throw EWriteError("Cannot write the aliases to standard output");
    return ExitCodes::Success;
}

int RunText(const TCommandContext& context)
{
    const auto model = LoadSnapshot(context.Args.Operands[0]);
    SaveAsText(*model, context.Args.Operands[1]);
    return ExitCodes::Success;
}

constexpr TOptionSpec kDbOption = {"", "--db", "",
                                   "compare: read the current model from the database\n"
                                   "ALIAS as USER with PASSWORD, not from the\n"
                                   "snapshot CURRENT; ddl: read the model from the\n"
                                   "database, not from a snapshot"};
// The reader's switches, as the Snapshot menu sets them.
constexpr TOptionSpec kReadOptions[] = {
    {"", "--include-sys", "", "read every owner, not only the user's schema"},
    {"", "--rule", "", "prefix the dictionary queries with the rule hint"},
    {"", "--ordered", "",
     "prefix the dictionary queries with the ordered\nhint; --rule wins when both are given"},
    {"", "--no-source", "", "read the structure only, without the stored source"},
};
constexpr TOptionSpec kCompareOptions[] = {kOutputOption, kFormatOption, kAllOption};
constexpr TOptionSpec kLiveCompareOptions[] = {kOutputOption,   kFormatOption,   kAllOption,
                                               kReadOptions[0], kReadOptions[1], kReadOptions[2],
                                               kReadOptions[3]};

constexpr std::string_view kCompareOperands[] = {"CURRENT", "TARGET"};
constexpr std::string_view kLiveCompareOperands[] = {"ALIAS", "USER", "PASSWORD", "TARGET"};
constexpr std::string_view kExportOperands[] = {"ALIAS", "USER", "PASSWORD", "OUT.OBJ"};
constexpr std::string_view kTextOperands[] = {"SNAPSHOT", "OUT.TXT"};
constexpr std::string_view kDdlOperands[] = {"SNAPSHOT", "OUT.SQL"};
constexpr std::string_view kLiveDdlOperands[] = {"ALIAS", "USER", "PASSWORD", "OUT.SQL"};

constexpr TCommandForm kCompareForms[] = {
    {nullptr, kCompareOperands, kCompareOptions},
    {&kDbOption, kLiveCompareOperands, kLiveCompareOptions},
};
constexpr TCommandForm kExportForms[] = {{nullptr, kExportOperands, kReadOptions}};
constexpr TCommandForm kAliasesForms[] = {{nullptr, {}, {}}};
constexpr TCommandForm kTextForms[] = {{nullptr, kTextOperands, {}}};
constexpr TCommandForm kDdlForms[] = {
    {nullptr, kDdlOperands, {}},
    {&kDbOption, kLiveDdlOperands, kReadOptions},
};

const TCommand kCommands[] = {
    {"compare", kCompareForms,
     "Compare two models and print the changes that turn the model of\n"
     "CURRENT into the model of TARGET: \"[-] \" lines to remove, \"[+] \"\n"
     "lines to add, \"[ ] \" lines unchanged. With --db, CURRENT is read\n"
     "from the database as export reads it. --format json writes the\n"
     "changed objects as JSON instead.",
     &RunCompare},
    {"export", kExportForms,
     "Log in to the database ALIAS as USER, read its structure and stored\n"
     "source and write the model to the snapshot file OUT.OBJ. A PASSWORD\n"
     "of \"-\" is taken from the environment variable QUORVEX_PASSWORD.",
     &RunExport},
    {"aliases", kAliasesForms,
     "List the database aliases, one a line: name, driver and backend\n"
     "separated by tabs.",
     &RunAliases},
    {"text", kTextForms,
     "Write the creating text of every object in SNAPSHOT to the text file\n"
     "OUT.TXT, with its constraints, columns, indexes and triggers.",
     &RunText},
    {"ddl", kDdlForms,
     "Write a SQL script to OUT.SQL that builds the schema of SNAPSHOT\n"
     "again on Oracle or the embedded engine: sequences, tables, keys,\n"
     "indexes, checks, foreign keys, comments, views, stored code,\n"
     "triggers. Only the user's own objects when the model has a user,\n"
     "unqualified; else every owner's, qualified. With --db, the model is\n"
     "read from the database as export reads it.",
     &RunDdl},
    {"sql", kSqlForms, kSqlSummary, &RunSql},
    {"script", kScriptForms, kScriptSummary, &RunScript},
    {"diagram", kDiagramForms, kDiagramSummary, &RunDiagram},
};

} // namespace

std::string_view ChosenFormat(const TCommandContext& context, std::string_view command,
                              std::span<const std::string_view> formats)
{
    const std::string* value = context.Args.Value("--format");
    if (value == nullptr)
        return formats.front();
    for (const std::string_view format : formats) {
        if (*value == format)
            return format;
    }
    std::string known;
    for (size_t i = 0; i < formats.size(); ++i)
        known += (i == 0 ? "" : i + 1 == formats.size() ? " or " : ", ") + std::string(formats[i]);
    throw EUsage(std::string(command) + ": unknown format \"" + *value + "\"; use " + known);
}

std::span<const TCommand> Commands()
{
    return kCommands;
}

const TCommand* FindCommand(std::string_view name)
{
    for (const TCommand& command : kCommands) {
        if (command.Name == name)
            return &command;
    }
    return nullptr;
}

} // namespace quorvex
