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
inline constexpr TCommandForm kSqlForms[] = {{nullptr, kSqlOperands, {}}};
inline constexpr std::string_view kSqlSummary =
    "Log in to the database ALIAS as USER and run STATEMENT (\"-\": read it\n"
    "from standard input) as a text pane does: text whose first character\n"
    "is S or s is a query, printed as a line of column names and a line\n"
    "per row, fields separated by tabs, nulls empty; a first line \"*NAME\"\n"
    "queries the table NAME; any other statement runs and prints OK.";

int RunSql(const TCommandContext& context);

// A query's rows as sql prints them: a line of column names, then a line per row, fields
// separated by tabs, nulls empty.
void PrintRows(TQuery& query, std::ostream& out);

} // namespace quorvex
