#include "SqlCommand.h"

#include "Cli.h"
#include "JsonText.h"
#include "LiveDatabase.h"
#include "engine/QtSession.h"
#include "model/TextLines.h"
#include "persistence/Exceptions.h"

#include <iostream>
#include <iterator>
#include <memory>
#include <ostream>
#include <vector>

namespace quorvex {

namespace {

// A CSV field: quoted, its quotes doubled, when it holds a separator, a quote or a line break.
std::string CsvField(std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos)
        return std::string(text);
    std::string field = "\"";
    for (const char c : text) {
        if (c == '"')
            field += '"';
        field += c;
    }
    return field + "\"";
}

void PrintDelimited(TQuery& query, std::ostream& out, TRowFormat format)
{
    const bool csv = format == TRowFormat::Csv;
    const std::string_view separator = csv ? "," : "\t";
    const std::string_view lineEnd = csv ? "\r\n" : "\n";
    const auto field = [&](std::string_view text) {
        return csv ? CsvField(text) : std::string(text);
    };
    for (int k = 0; k < query.FieldCount(); ++k)
        out << (k > 0 ? separator : "") << field(query.FieldName(k));
    out << lineEnd;
    for (; !query.Eof(); query.Next()) {
        for (int k = 0; k < query.FieldCount(); ++k)
            out << (k > 0 ? separator : "")
                << (query.IsNull(k) ? std::string() : field(query.AsText(k)));
        out << lineEnd;
    }
}

void PrintJson(TQuery& query, std::ostream& out)
{
    out << "{\n  \"columns\": [";
    for (int k = 0; k < query.FieldCount(); ++k)
        out << (k > 0 ? ", " : "") << JsonQuoted(query.FieldName(k));
    out << "],\n  \"rows\": [";
    bool first = true;
    for (; !query.Eof(); query.Next()) {
        out << (first ? "\n    [" : ",\n    [");
        for (int k = 0; k < query.FieldCount(); ++k)
            out << (k > 0 ? ", " : "") << (query.IsNull(k) ? "null" : JsonQuoted(query.AsText(k)));
        out << ']';
        first = false;
    }
    out << (first ? "]\n}\n" : "\n  ]\n}\n");
}

constexpr std::string_view kSqlFormats[] = {"text", "csv", "json"};

} // namespace

void PrintRows(TQuery& query, std::ostream& out, TRowFormat format)
{
    if (format == TRowFormat::Json)
        PrintJson(query, out);
    else
        PrintDelimited(query, out, format);
}

int RunSql(const TCommandContext& context)
{
    const std::string_view formatName = ChosenFormat(context, "sql", kSqlFormats);
    const TRowFormat format = formatName == "csv"    ? TRowFormat::Csv
                              : formatName == "json" ? TRowFormat::Json
                                                     : TRowFormat::Text;
    const auto& operands = context.Args.Operands;
    std::string text = operands[3];
    if (text == "-")
        text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    std::vector<std::string> lines;
    for (const std::string_view line : SplitLines(text))
        lines.emplace_back(line);
    if (lines.empty())
        throw Exception("The statement is empty");
    // As in a text pane: "*NAME" queries the table, the first character tells a query from a
    // statement.
    if (lines.front().starts_with("*"))
        lines.front() = "SELECT * FROM " + lines.front().substr(1);
    if (lines.front().empty())
        throw Exception("The first line of the statement is empty");

    const std::string user = operands[1];
    const std::string password = ResolvePassword(operands[2]);
    TQtSession session;
    SetLogin(session, operands[0], user, password);
    const char first = lines.front().front();
    std::string statement;
    if (first == 'S' || first == 's') {
        for (const std::string& line : lines)
            statement += line + "\r\n";
        const std::unique_ptr<TQuery> query = session.CreateQuery(false);
        query->SetSQL(statement);
        query->Open();
        PrintRows(*query, context.Out, format);
    } else {
        for (const std::string& line : lines)
            statement += line + "\n";
        session.ExecuteStatement(statement);
        context.Out << (format == TRowFormat::Json ? "{\"ok\": true}\n" : "OK\n");
    }
    context.Out.flush();
    if (!context.Out)
        throw EWriteError("Cannot write to standard output");
    return ExitCodes::Success;
}

} // namespace quorvex
