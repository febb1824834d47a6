#pragma once

#include <QString>
#include <QStringList>

namespace quorvex {

// How "Execute SQL" reads a text pane: as a list of lines whose very first character tells a
// query (opened in an SQL Results window) from a statement (executed at once).

// What the text of a pane is to "Execute SQL".
enum class TPaneSqlKind {
    Nothing,        // no lines: nothing happens
    Query,          // first character "S" or "s"
    Statement,      // any other first character, a blank or a comment included
    EmptyFirstLine, // further lines follow an empty first line: nothing to decide by
};

// The pane's text as lines; a final line break ends the last line and adds no empty one.
QStringList PaneLines(const QString& text);

// "*NAME" becomes "SELECT * FROM NAME"; true when the first line was rewritten.
bool RewriteStarLine(QStringList& lines);

TPaneSqlKind ClassifyPaneSql(const QStringList& lines);

// The statement sent to the database: every line followed by a line feed.
QString StatementText(const QStringList& lines);

// The message put into the Errors pane for TPaneSqlKind::EmptyFirstLine.
inline constexpr const char* kEmptyFirstLine =
    "The first line of the SQL text is empty: start the query or statement on the first line.";

} // namespace quorvex
