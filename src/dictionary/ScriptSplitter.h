#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// One step of an SQL script as SQL*Plus reads it: a statement to run, another script to run,
// a switch of the error handling, the end of the run, or a flaw that keeps text from running.
struct TScriptItem {
    enum class TKind {
        Statement,       // Text: SQL without its ";", or a PL/SQL unit as written
        Include,         // @, @@ or START: Text is the file name as written
        StopOnError,     // WHENEVER SQLERROR EXIT
        ContinueOnError, // WHENEVER SQLERROR CONTINUE
        Exit,            // EXIT or QUIT
        Problem,         // Text says what is wrong; nothing of it runs
    };
    TKind Kind = TKind::Statement;
    int Line = 0; // 1-based: the statement's first line, or the line the problem begins on
    std::string Text;
};

// Splits a script's text into its steps, line by line as SQL*Plus does:
// - a statement ends at a ";" that ends a line (blanks and comments may follow) or at a line
//   holding only "/"; a PL/SQL unit (CREATE [OR REPLACE] [EDITIONABLE | NONEDITIONABLE]
//   PROCEDURE, FUNCTION, PACKAGE [BODY], TRIGGER or TYPE [BODY], or a block that starts with
//   BEGIN or DECLARE) ends only at the "/" line;
// - quotes ('...', q'[...]', "...") and comments (--, /* */) hide ";" and "/" lines;
// - SQL*Plus commands at the start of a statement (REM, PROMPT, SET, SPOOL, COLUMN, DEFINE and
//   the other display settings) are skipped, "-" at a line's end continuing them; @, @@ and
//   START include, WHENEVER SQLERROR and EXIT or QUIT control the run;
// - blank lines inside a statement belong to it, and a "/" line after an ended statement does
//   not run it again.
// Lines end at LF or CR LF; a UTF-8 byte order mark is ignored. Text that is never ended (a
// statement, a quote or a comment running to the end of the file) becomes a Problem.
std::vector<TScriptItem> SplitScript(std::string_view text);

} // namespace quorvex
