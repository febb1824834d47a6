#pragma once

#include "Commands.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace quorvex {

class TQuery;

// "sql ALIAS USER PASSWORD STATEMENT": one statement run the way the main window's text panes
// run their text, parameter parsing off.
inline constexpr std::string_view kSqlOperands[] = {"ALIAS", "USER", "PASSWORD", "STATEMENT"};
inline constexpr TOptionSpec kSqlOptions[] = {kFormatOption};
inline constexpr TCommandForm kSqlForms[] = {{nullptr, kSqlOperands, kSqlOptions}};
inline constexpr std::string_view kSqlSummary =
    "Log in to the database ALIAS as USER and run STATEMENT (\"-\": read it\n"
    "from standard input) as a text pane does: text whose first character\n"
    "is S or s is a query, printed as a line of column names and a line\n"
    "per row, fields separated by tabs, nulls empty; a first line \"*NAME\"\n"
    "queries the table NAME; any other statement runs and prints OK.\n"
    "--format csv or json prints the rows as CSV or JSON instead.";

int RunSql(const TCommandContext& context);

// How sql prints a query's rows.
enum class TRowFormat {
    Text, // a line of column names, then a line per row, fields separated by tabs, nulls empty
    Csv,  // RFC 4180: a header record, fields quoted where needed, CR LF, nulls empty
    Json, // {"columns": [names], "rows": [[texts or null], ...]}
};

// A query's rows from its current position to its end, as sql prints them.
void PrintRows(TQuery& query, std::ostream& out, TRowFormat format = TRowFormat::Text);

} // namespace quorvex
