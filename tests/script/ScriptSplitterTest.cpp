// Script texts split into their steps, each case one expected text: a step a line "LINE| what",
// a statement's further lines as they are.
#include "dictionary/ScriptSplitter.h"

#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

std::string Dump(const std::vector<TScriptItem>& items)
{
    // By TScriptItem::TKind: a statement shows its text alone.
    constexpr std::string_view kShown[] = {"",     "include ", "stop on error", "continue on error",
                                           "exit", "problem: "};
    std::string text;
    for (const TScriptItem& item : items)
        text += std::to_string(item.Line) + "| " +
                std::string(kShown[static_cast<int>(item.Kind)]) + item.Text + "\n";
    return text;
}

struct TSplitCase {
    std::string Script;
    std::string Expected;
};

const TSplitCase kCases[] = {
    // ";" at a line's end or a "/" line ends SQL; blank lines stay; the ";" is dropped.
    {"create table A (X number);\n"
     "CREATE TABLE B (\n  Y NUMBER\n\n)\n/\n"
     "  select 1 from dual ;  -- done\n"
     "SELECT 1; SELECT 2\nFROM dual;\n",
     "1| create table A (X number)\n"
     "2| CREATE TABLE B (\n  Y NUMBER\n\n)\n"
     "7| select 1 from dual\n"
     "8| SELECT 1; SELECT 2\nFROM dual\n"},
    // PL/SQL units end only at the "/" line and keep their text; a "/" after an ended statement
    // runs nothing again.
    {"CREATE PROCEDURE p IS\nBEGIN\n  NULL; -- inner ; ends nothing\nEND;\n/\n"
     "create or replace\n  nonEditionable package body pk as\n"
     "  procedure q is begin null; end;\nend pk;\n/\n"
     "begin p; end;\n/\n"
     "DECLARE\n  n NUMBER;\nBEGIN NULL; END;\n/\n"
     "Create Or Replace Type t As Object (a NUMBER);\n/\n"
     "CREATE TRIGGER tr BEFORE INSERT ON a FOR EACH ROW\nBEGIN NULL; END;\n/\n"
     "CREATE OR REPLACE VIEW v AS SELECT 1 x FROM dual;\n/\n",
     "1| CREATE PROCEDURE p IS\nBEGIN\n  NULL; -- inner ; ends nothing\nEND;\n"
     "6| create or replace\n  nonEditionable package body pk as\n"
     "  procedure q is begin null; end;\nend pk;\n"
     "11| begin p; end;\n"
     "13| DECLARE\n  n NUMBER;\nBEGIN NULL; END;\n"
     "17| Create Or Replace Type t As Object (a NUMBER);\n"
     "19| CREATE TRIGGER tr BEFORE INSERT ON a FOR EACH ROW\nBEGIN NULL; END;\n"
     "22| CREATE OR REPLACE VIEW v AS SELECT 1 x FROM dual\n"},
    // Quotes and comments hide ";" and "/" lines; comments before a statement are not part of it.
    {"INSERT INTO \"A;B\" VALUES ('x;\n/\ny;', 'it''s;');\n"
     "SELECT q'[it's;]', Nq'{;}' FROM dual -- not the end;\nWHERE 1 = 1 /* ; */;\n"
     "/* a comment\n/\nover lines */ -- and another\n"
     "SELECT 2\n/* between\n/\nclauses */ FROM dual;\n"
     "-- CREATE TABLE gone (x NUMBER);\n/* c */ DROP TABLE \"Q\"\"T\";\n",
     "1| INSERT INTO \"A;B\" VALUES ('x;\n/\ny;', 'it''s;')\n"
     "4| SELECT q'[it's;]', Nq'{;}' FROM dual -- not the end;\nWHERE 1 = 1 /* ; */\n"
     "9| SELECT 2\n/* between\n/\nclauses */ FROM dual\n"
     "14| DROP TABLE \"Q\"\"T\"\n"},
    // SQL*Plus commands, in any case and abbreviated: display settings are skipped (continued
    // by " -", but not a remark or prompt), the rest control the run; SET TRANSACTION is SQL.
    {"REM a remark; not run\nrem\nREMARK\nPRO tables -\nCREATE TABLE t (a NUMBER);\n"
     "set linesize 200 -\n  pagesize 0\nSPOOL out.log\ncol x format a10\nDEFINE x = 1\n"
     "whenever sqlerror exit sql.sqlcode rollback\nWHENEVER OSERROR EXIT\n"
     "SET TRANSACTION READ ONLY;\n@one\n  @@ sub/two.sql\nSTART three\nsta four arg\n"
     "WHENEVER SQLERROR CONTINUE\nEXIT;\nquit\n",
     "5| CREATE TABLE t (a NUMBER)\n"
     "11| stop on error\n"
     "13| SET TRANSACTION READ ONLY\n"
     "14| include one\n15| include sub/two.sql\n16| include three\n17| include four\n"
     "18| continue on error\n19| exit\n20| exit\n"},
    // CR LF line ends and a byte order mark.
    {"\xEF\xBB\xBF"
     "CREATE TABLE a (x NUMBER);\r\n\r\nBEGIN\r\n  NULL;\r\nEND;\r\n/\r\nSELECT 1\r\nFROM dual\r\n"
     "/\r\n",
     "1| CREATE TABLE a (x NUMBER)\n3| BEGIN\n  NULL;\nEND;\n7| SELECT 1\nFROM dual\n"},
    // Text never ended is reported where it begins, not run.
    {"CREATE TABLE a (x NUMBER);\nSELECT 1 FROM dual\n",
     "1| CREATE TABLE a (x NUMBER)\n2| problem: the statement is not ended by \";\" or a \"/\" "
     "line before the end of the file; it was not run\n"},
    {"CREATE PROCEDURE p IS BEGIN NULL; END;\n",
     "1| problem: the statement is not ended by \";\" or a \"/\" line before the end of the file; "
     "it was not run\n"},
    {"SELECT 1,\n'abc;\n/\n",
     "2| problem: the quoted text begun here is not closed by the end of the file; the statement "
     "from line 1 was not run\n"},
    {"SELECT \"x;\n",
     "1| problem: the quoted name begun here is not closed by the end of the file; "
     "the statement from line 1 was not run\n"},
    {"SELECT 1 FROM dual;\n/* open\nSELECT 2;\n",
     "1| SELECT 1 FROM dual\n2| problem: the comment begun here is not closed by the end of the "
     "file\n"},
    {"@\nSTART\n", "1| problem: @ needs the name of a script file\n"
                   "2| problem: START needs the name of a script file\n"},
};

TEST(ScriptSplitter, ScriptTextsIntoSteps)
{
    for (const TSplitCase& c : kCases)
        EXPECT_EQ(Dump(SplitScript(c.Script)), c.Expected) << "the script:\n" << c.Script;
}

} // namespace
} // namespace quorvex::test
