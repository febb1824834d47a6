// quorvex-cli run in process through RunCli, its clock fixed at 03/14/24 09:26:53.120, and the
// built executable run through the shell. A run's arguments are one text split at blanks (a
// '...' part is one argument) and "@" stands for the test's own folder, so that every case is
// one table row: the arguments, the exit status and both whole outputs.
#include "cli/Cli.h"

#include "DemoCopy.h"
#include "ModelBuilder.h"
#include "TestSupport.h"
#include "cli/JsonText.h"
#include "model/ObjectList.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <QString>
#include <QSvgRenderer>
#include <algorithm>
#include <clocale>
#include <filesystem>
#include <gtest/gtest.h>
#include <iomanip>
#include <regex>
#include <sstream>
#include <sys/wait.h>

namespace quorvex::test {
namespace {

// Wrong arguments are answered with the problem and this synopsis, wrapped at 80 columns.
const std::string kSynopsis =
    "Usage: quorvex-cli compare CURRENT TARGET [-o FILE] [--format FORMAT] [--all]\n"
    "       quorvex-cli compare --db ALIAS USER PASSWORD TARGET [-o FILE]\n"
    "           [--format FORMAT] [--all] [--include-sys] [--rule] [--ordered]\n"
    "           [--no-source]\n"
    "       quorvex-cli export ALIAS USER PASSWORD OUT.OBJ [--include-sys] [--rule]\n"
    "           [--ordered] [--no-source]\n"
    "       quorvex-cli aliases\n"
    "       quorvex-cli text SNAPSHOT OUT.TXT\n"
    "       quorvex-cli ddl SNAPSHOT OUT.SQL\n"
    "       quorvex-cli ddl --db ALIAS USER PASSWORD OUT.SQL [--include-sys] [--rule]\n"
    "           [--ordered] [--no-source]\n"
    "       quorvex-cli sql ALIAS USER PASSWORD STATEMENT [--format FORMAT]\n"
    "       quorvex-cli script ALIAS USER PASSWORD FILE... [--stop-on-error]\n"
    "       quorvex-cli diagram ALIAS USER PASSWORD [--table NAME]...\n"
    "           [--references NAME]... [--referenced-by NAME]... [--all]\n"
    "           [--mask TEXT]... [--hide-fields] [--zoom N]...\n"
    "           [--load-layout FILE]... [--save-layout FILE] [-o FILE] [--sql]\n"
    "           [--run]\n"
    "       quorvex-cli diagram --snapshot FILE [--table NAME]...\n"
    "           [--references NAME]... [--referenced-by NAME]... [--all]\n"
    "           [--mask TEXT]... [--hide-fields] [--zoom N]...\n"
    "           [--load-layout FILE]... [--save-layout FILE] [-o FILE] [--sql]\n"
    "           [--run]\n"
    "       quorvex-cli --help | --version\n";
std::string Usage(const std::string& problem)
{
    return "quorvex-cli: " + problem + "\n" + kSynopsis;
}
const std::string kRefused = "ORA-01017: invalid username/password; logon denied\n";

// Reading the structure, one caption a line, and then the source.
const std::string kCaptions =
    "Reading Owners...\nSorting Owners...\nReading Objects...\nSorting Objects...\n"
    "Reading Triggers...\nReading Views...\nReading Fields...\nSorting Fields...\n"
    "Reading Comments...\nSorting Comments...\nReading Constraints...\nReading Sequences...\n"
    "Attaching Comments...\nAttaching Fields...\nAttaching Constraints...\nReading Indexes...\n";
const std::string kSourceCaptions =
    kCaptions + "Reading Source...\nSorting Source...\nAttaching Source...\n";

std::string Header(const std::string& current, const std::string& target)
{
    return "To convert \"" + current + "\" into \"" + target +
           "\" on 03/14/24 09:26:53 apply the following changes.\r\n[-] Remove this line.\r\n"
           "[+] Add this line.\r\n" +
           std::string(80, '-') + "\r\n";
}

// The current model against itself.
const std::string kUnchanged =
    "[ ] Table : EMP\r\n[ ]  Source\r\n[ ] CREATE TABLE EMP (\r\n"
    "[ ]  EMPNO NUMBER(4,0) NOT NULL\r\n[ ] ,ENAME VARCHAR2(10));\r\n[ ] Field01 : EMPNO\r\n"
    "[ ] EMPNO NUMBER(4,0) NOT NULL\r\n[ ] Field02 : ENAME\r\n[ ] ENAME VARCHAR2(10)\r\n"
    "[ ] View : V_EMP\r\n[ ] SELECT EMPNO\r\n[ ] FROM EMP\r\n";

// The current model against the target: DEPT comes in at its sorted place with its text as one
// entry of two lines, EMP's last line and its renamed column change, and V_EMP, whose text
// differs only in letter case, keeps the current model's lines.
const std::string kChanged =
    "[+] Table : DEPT\r\n[+]  Source\r\n[+] CREATE TABLE DEPT (\r\n"
    "[+]  DEPTNO NUMBER(2,0) NOT NULL);\r\n[+] Field01 : DEPTNO\r\n"
    "[+] DEPTNO NUMBER(2,0) NOT NULL\r\n[ ] Table : EMP\r\n[ ]  Source\r\n"
    "[ ] CREATE TABLE EMP (\r\n[ ]  EMPNO NUMBER(4,0) NOT NULL\r\n[-] ,ENAME VARCHAR2(10));\r\n"
    "[+] ,EMP_NAME VARCHAR2(10));\r\n[ ] Field01 : EMPNO\r\n[ ] EMPNO NUMBER(4,0) NOT NULL\r\n"
    "[+] Field02 : EMP_NAME\r\n[+] EMP_NAME VARCHAR2(10)\r\n[-] Field02 : ENAME\r\n"
    "[-] ENAME VARCHAR2(10)\r\n[ ] View : V_EMP\r\n[ ] SELECT EMPNO\r\n[ ] FROM EMP\r\n";

// The comparison as JSON: DEPT added, EMP changed (its text's last line and its column), V_EMP
// unchanged, listed only with --all.
const std::string kChangedJson = R"json({
  "source": "@CUR.OBJ",
  "target": "@TGT.OBJ",
  "date": "2024-03-14T09:26:53+00:00",
  "changes": true,
  "items": [
    {
      "kind": "Table",
      "owner": "SCOTT",
      "name": "DEPT",
      "state": "added",
      "removed": [],
      "added": [
        "CREATE TABLE DEPT (",
        " DEPTNO NUMBER(2,0) NOT NULL);",
        "DEPTNO NUMBER(2,0) NOT NULL"
      ]
    },
    {
      "kind": "Table",
      "owner": "SCOTT",
      "name": "EMP",
      "state": "changed",
      "removed": [
        ",ENAME VARCHAR2(10));",
        "ENAME VARCHAR2(10)"
      ],
      "added": [
        ",EMP_NAME VARCHAR2(10));",
        "EMP_NAME VARCHAR2(10)"
      ]
    },
    {
      "kind": "View",
      "owner": "SCOTT",
      "name": "V_EMP",
      "state": "unchanged",
      "removed": [],
      "added": []
    }
  ]
}
)json";

const std::string kReversedJson = R"json({
  "source": "@TGT.OBJ",
  "target": "@CUR.OBJ",
  "date": "2024-03-14T09:26:53+00:00",
  "changes": true,
  "items": [
    {
      "kind": "Table",
      "owner": "SCOTT",
      "name": "DEPT",
      "state": "removed",
      "removed": [
        "CREATE TABLE DEPT (",
        " DEPTNO NUMBER(2,0) NOT NULL);",
        "DEPTNO NUMBER(2,0) NOT NULL"
      ],
      "added": []
    },
    {
      "kind": "Table",
      "owner": "SCOTT",
      "name": "EMP",
      "state": "changed",
      "removed": [
        ",EMP_NAME VARCHAR2(10));",
        "EMP_NAME VARCHAR2(10)"
      ],
      "added": [
        ",ENAME VARCHAR2(10));",
        "ENAME VARCHAR2(10)"
      ]
    }
  ]
}
)json";

TLocalTime March14(int hour, int minute, int second, int milliseconds)
{
    TLocalTime time;
    time.Tm.tm_year = 124, time.Tm.tm_mon = 2, time.Tm.tm_mday = 14;
    time.Tm.tm_hour = hour, time.Tm.tm_min = minute, time.Tm.tm_sec = second;
    time.Milliseconds = milliseconds;
    return time;
}

// A table's row, or what a run gave.
struct TCliCase {
    std::string Args;
    int Code = -1;
    std::string Out = "";
    std::string Err = "";
};

class CliTest : public ::testing::Test {
protected:
    // The current model: a view V_EMP stored before the table EMP (EMPNO NUMBER(4,0) NOT NULL,
    // ENAME VARCHAR2(10)). The target: EMP's ENAME renamed EMP_NAME, V_EMP's text differing
    // only in letter case, and a new table DEPT (DEPTNO NUMBER(2,0) NOT NULL).
    void SetUp() override
    {
        std::setlocale(LC_TIME, "C");
        const auto number = [](TFieldItem* f, int precision) {
            f->FieldType = 2, f->Length = 22, f->Precision = precision, f->Null = 1;
        };
        SchemaBuilder b;
        b.Schema().UserName = "SCOTT";
        b.Owner(1, "SCOTT");
        TObjectItem* view = b.Object(ObjectTypes::View, "V_EMP");
        view->ObjectText = "SELECT EMPNO\nFROM EMP";
        TObjectItem* emp = b.Object(ObjectTypes::Table, "EMP");
        number(b.Column(*emp, "EMPNO"), 4);
        TFieldItem* ename = b.Column(*emp, "ENAME");
        SaveToFile(b.Schema(), At("@CUR.OBJ"));
        ename->FieldName = "EMP_NAME";
        view->ObjectText = "select empno\nFROM EMP";
        number(b.Column(*b.Object(ObjectTypes::Table, "DEPT"), "DEPTNO"), 2);
        SaveToFile(b.Schema(), At("@TGT.OBJ"));
    }

    std::string At(std::string text) const
    {
        const std::string folder = m_dir.File("");
        for (size_t i = 0; (i = text.find('@', i)) != std::string::npos; i += folder.size())
            text.replace(i, 1, folder);
        return text;
    }
    // In process: blanks separate the arguments, except inside '...', as in the shell.
    TCliCase Run(const std::string& args, bool terminal = false) const
    {
        std::istringstream in(At(args));
        std::vector<std::string> words;
        for (std::string word; in >> std::quoted(word, '\'');)
            words.push_back(word);
        std::ostringstream out, err;
        const int code =
            RunCli(words, out, err, {[] { return March14(9, 26, 53, 120); }, terminal});
        return {args, code, out.str(), err.str()};
    }
    // Through the shell; `shell` goes before the executable: assignments, env, a redirection.
    TCliCase Exe(const std::string& args, const std::string& shell = "") const
    {
        const std::string command =
            At(shell) + "'" QUORVEX_CLI_EXECUTABLE "' " + At(args + " >@out 2>@err");
        const int status = std::system(command.c_str());
        if (status == -1 || !WIFEXITED(status))
            return {};
        return {args, WEXITSTATUS(status), ReadFileBytes(At("@out")), ReadFileBytes(At("@err"))};
    }

    void Check(const TCliCase& run, const TCliCase& expected) const
    {
        EXPECT_EQ(run.Code, expected.Code) << run.Err;
        EXPECT_EQ(run.Out, At(expected.Out));
        EXPECT_EQ(run.Err, At(expected.Err));
    }

    TempDir m_dir;
};

// No row's run changes KEEP=1.TXT or makes NEW.
TEST_F(CliTest, EveryCommandsExitStatusAndOutputs)
{
    WriteFileBytes(At("@KEEP=1.TXT"), "earlier");
    WriteFileBytes(At("@NOTES.TXT"), "CREATE TABLE EMP (EMPNO NUMBER);\r\n");
    WriteFileBytes(At("@b"), std::string("0=TGDBTable\0", 12));
    SaveToFile(TObjectList(), At("@LIST.OBJ"));
    SchemaBuilder noColumns; // a table no script can create
    noColumns.Object(ObjectTypes::Table, "T");
    SaveToFile(noColumns.Schema(), At("@BAD.OBJ"));
    const std::string help = UsageText();
    const std::string diagram = "diagram --sql --save-layout @NEW ";
    const std::string db = diagram + "DEMO SCOTT tiger ";
    const std::string sql = "sql DEMO scott tiger ";
    const TCliCase cases[] = {
        {"", 2, "", Usage("no command given")},
        {"COMPARE a b", 2, "", Usage("unknown command \"COMPARE\"")},
        {"--verbose", 2, "", Usage("unknown option --verbose")},
        {"--version x", 2, "", Usage("unexpected operand \"x\"")},
        {"compare a", 2, "", Usage("compare: missing operand TARGET")},
        {"compare a b c", 2, "", Usage("compare: unexpected operand \"c\"")},
        {"compare -- --help", 2, "", Usage("compare: missing operand TARGET")},
        {"compare --db DEMO SCOTT tiger", 2, "", Usage("compare: missing operand TARGET")},
        {"compare --rule a b", 2, "", Usage("compare: option --rule needs --db")},
        {"aliases DEMO", 2, "", Usage("aliases: unexpected operand \"DEMO\"")},
        {"text a b -o r", 2, "", Usage("unknown option -o")},
        // A long option's name ends at its first "=", a short one's never; a value that looks
        // like an option is taken for a forgotten value.
        {"compare --outputs=x a b", 2, "", Usage("unknown option --outputs")},
        {"compare -o=x a b", 2, "", Usage("unknown option -o=x")},
        {"compare a b -o", 2, "", Usage("option -o needs a FILE")},
        {"compare -o --db a b", 2, "", Usage("option -o needs a FILE")},
        {"compare --output= a b", 2, "", Usage("option --output needs a FILE")},
        {"compare -o r1 --output r2 a b", 2, "", Usage("option --output given twice")},
        {"compare --db=yes a b", 2, "", Usage("option --db takes no value")},
        {"compare a b --format xml", 2, "",
         Usage("compare: unknown format \"xml\"; use text or json")},
        {"compare a b --all", 2, "", Usage("compare: option --all needs --format json")},
        {"sql A U P x --format=tsv", 2, "",
         Usage("sql: unknown format \"tsv\"; use text, csv or json")},
        // After "--" a file may be named like an option: it fails as a file.
        {"compare -- -a.OBJ -b.OBJ", 2, "", "Cannot open file -a.OBJ\n"},
        {"compare @MISSING.OBJ @TGT.OBJ", 2, "", "Cannot open file @MISSING.OBJ\n"},
        {"compare @CUR.OBJ @MISSING.OBJ -o @KEEP=1.TXT", 2, "", "Cannot open file @MISSING.OBJ\n"},
        {"compare @CUR.OBJ @TGT.OBJ -o @NO/R.TXT", 2, "", "Cannot create file @NO/R.TXT\n"},
        {"compare @CUR.OBJ @LIST.OBJ", 2, "",
         "Incompatible classes. TObjectList <> TDBNewOracle\n"},
        {"compare @NOTES.TXT @TGT.OBJ", 2, "", "Invalid stream format\n"},
        {"text @MISSING.OBJ @NEW", 2, "", "Cannot open file @MISSING.OBJ\n"},
        {"text @CUR.OBJ @NO/OUT.TXT", 2, "", "Cannot create file @NO/OUT.TXT\n"},
        {"ddl @MISSING.OBJ @NEW", 2, "", "Cannot open file @MISSING.OBJ\n"},
        {"ddl @CUR.OBJ @NO/OUT.SQL", 2, "", "Cannot create file @NO/OUT.SQL\n"},
        {"ddl @BAD.OBJ @KEEP=1.TXT", 2, "", "The table T has no columns in the model\n"},
        {"export DEMO SCOTT - @NEW", 2, "",
         "The password \"-\" is taken from QUORVEX_PASSWORD, which is not set\n"},
        // With every owner read, the phases absorb the refusal; the database time reports it.
        {"export --include-sys DEMO SCOTT lion @NEW", 2, "", kCaptions + kRefused},
        {"export NOPE SCOTT tiger @NEW", 2, "", "Alias NOPE not found\n"},
        // The database is read first: a refused login fails before any file is read.
        {"compare --db DEMO SCOTT lion @MISSING.OBJ", 2, "", kRefused},
        {"sql DEMO scott wrong x", 2, "", kRefused},
        {db + "--table EMP --table NOPE", 2, "", "The schema has no table \"NOPE\"\n"},
        {db + "--referenced-by emp", 2, "", "The schema has no table \"emp\"\n"},
        {db + "--zoom 3", 2, "", "--zoom takes 1, 2, 4, 8 or 16, not \"3\"\n"},
        {db + "--load-layout @none.LYT", 2, "", "Cannot open file @none.LYT\n"},
        {db + "--load-layout @b", 2, "", "\"@b\" is not a layout file: it holds binary data\n"},
        {db + "-o @NO/x.svg", 2, "",
         "Cannot create file \"@NO/x.svg\". No such file or directory\n"},
        {db + "-o x.jpg", 2, "", "The picture \"x.jpg\" must end in .bmp, .png, .svg or .pdf\n"},
        {diagram + "DEMO SCOTT wrong", 2, "", kRefused},
        {diagram + "--snapshot @none.OBJ", 2, "", "Cannot open file @none.OBJ\n"},
        {diagram + "--snapshot @none.OBJ --load-layout x.LYT", 2, "",
         "--load-layout reads the layout's tables from a database; it cannot be used with "
         "--snapshot\n"},
        {diagram + "--snapshot @none.OBJ --run", 2, "",
         "--run needs a database; it cannot be used with --snapshot\n"},
        {"compare @CUR.OBJ @CUR.OBJ", 0, Header("@CUR.OBJ", "@CUR.OBJ") + kUnchanged},
        // The names are shown as given, not resolved.
        {"compare @CUR.OBJ @./TGT.OBJ", 1, Header("@CUR.OBJ", "@./TGT.OBJ") + kChanged},
        {"compare @CUR.OBJ @TGT.OBJ --format json --all", 1, kChangedJson},
        // Without --all only what changed; the other way round DEPT is to be removed.
        {"compare @TGT.OBJ @CUR.OBJ --format json", 1, kReversedJson},
        {"compare @CUR.OBJ @CUR.OBJ --format json", 0,
         "{\n  \"source\": \"@CUR.OBJ\",\n  \"target\": \"@CUR.OBJ\",\n  \"date\": "
         "\"2024-03-14T09:26:53+00:00\",\n  \"changes\": false,\n  \"items\": []\n}\n"},
        {"--help", 0, help},
        {"text x.OBJ -h", 0, help},
        {"compare a b c --help", 0, help},
        {"--version", 0, "quorvex-cli " QUORVEX_EXPECTED_VERSION "\n"},
        {"aliases", 0,
         "DEMO\tORACLE\tEMBEDDED\nPROD\tORACLE\tOCI\nREPORTS\tORACLE\tODBC\n"
         "LEGACY\tSYBASE\tEMBEDDED\n"},
        {"text @CUR.OBJ @CUR.TXT", 0},
        {"ddl @CUR.OBJ @CUR.SQL", 0},
        {"ddl --db DEMO SCOTT tiger @S.SQL", 0, "", kSourceCaptions},
        // The rows below and the checks after the table read A.OBJ, B.OBJ and R.TXT.
        {"export DEMO scott tiger @A.OBJ", 0, "", kSourceCaptions},
        {"export --include-sys --rule --ordered --no-source DEMO system manager @B.OBJ", 0, "",
         kCaptions},
        // SCOTT stores no source, so the structure alone equals the snapshot.
        {"compare --db -o @R.TXT --no-source DEMO SCOTT tiger @A.OBJ", 0, "", kCaptions},
        {"diagram --snapshot @A.OBJ --table EMP --references EMP --sql", 0,
         "SELECT\ntab0.*\n,tab1.*\nFROM\nEMP tab0\n,DEPT tab1\nWHERE\n(tab0.DEPTNO=tab1.DEPTNO)\n"},
        {sql + "*DEPT", 0,
         "DEPTNO\tDNAME\tLOC\n10\tACCOUNTING\tNEW YORK\n20\tRESEARCH\tDALLAS\n"
         "30\tSALES\tCHICAGO\n40\tOPERATIONS\tBOSTON\n"},
        // Nulls are empty fields; a lower case "select" is a query too.
        {sql + "'select ENAME, COMM, MGR from EMP\nwhere EMPNO in (7839, 7499) order by EMPNO'", 0,
         "ENAME\tCOMM\tMGR\nALLEN\t300\t7698\nKING\t\t\n"},
        {sql + "--format csv 'select ENAME, COMM, \\'a,\"b\\' AS \"Q,R\" from EMP where EMPNO in "
               "(7839, 7499) order by EMPNO'",
         0, "ENAME,COMM,\"Q,R\"\r\nALLEN,300,\"a,\"\"b\"\r\nKING,,\"a,\"\"b\"\r\n"},
        {sql + "--format json 'select ENAME, COMM from EMP where EMPNO in (7839, 7499) order by "
               "EMPNO'",
         0,
         "{\n  \"columns\": [\"ENAME\", \"COMM\"],\n  \"rows\": [\n    [\"ALLEN\", \"300\"],\n"
         "    [\"KING\", null]\n  ]\n}\n"},
        {sql + "--format json 'select ENAME from EMP where EMPNO = 0'", 0,
         "{\n  \"columns\": [\"ENAME\"],\n  \"rows\": []\n}\n"},
        {sql + "'CREATE TABLE NOTES (ID NUMBER(4) PRIMARY KEY)'", 0, "OK\n"},
        // A leading blank makes a statement of a query, as in a text pane.
        {sql + "' SELECT 1 FROM DUAL'", 0, "OK\n"},
        {sql + "--format json 'DROP TABLE NOTES'", 0, "{\"ok\": true}\n"},
        {sql + "'SELECT * FROM NOWHERE'", 2, "", "no such table: NOWHERE\n"},
        {sql + "'DROP TABLE NOWHERE'", 2, "", "ORA-00942: table or view does not exist\n"},
        {sql + "''", 2, "", "The statement is empty\n"},
        {sql + "'\nSELECT 1 FROM DUAL'", 2, "", "The first line of the statement is empty\n"},
    };
    for (const TCliCase& c : cases) {
        SCOPED_TRACE(c.Args);
        Check(Run(c.Args), c);
        EXPECT_EQ(ReadFileBytes(At("@KEEP=1.TXT")), "earlier");
        EXPECT_FALSE(std::filesystem::exists(At("@NEW")));
    }
    // The help's synopsis; an option's help continues under its start; an option shows once.
    EXPECT_TRUE(help.starts_with(kSynopsis + "\nCommands:\n"));
    EXPECT_NE(help.find("\n  -o, --output FILE         compare: write the report to FILE, not to "
                        "standard\n                            output;"),
              std::string::npos);
    EXPECT_EQ(help.find("--include-sys  "), help.rfind("--include-sys  "));
    // Operands around an option; only a long option's first "=" ends its name, so the value
    // may hold another. The report replaces the earlier one.
    Check(Run("compare @CUR.OBJ --output=@KEEP=1.TXT @TGT.OBJ"), {"", 1});
    EXPECT_EQ(ReadFileBytes(At("@KEEP=1.TXT")), At(Header("@CUR.OBJ", "@TGT.OBJ") + kChanged));
    EXPECT_TRUE(
        ReadFileBytes(At("@R.TXT"))
            .starts_with(At(Header("DEMO.SCOTT", "@A.OBJ")) + "[ ] Sequence : EMPNO_SEQ\r\n"));
    // Objects in stored order, each followed by its columns; the view's LF becomes CR LF and
    // the owner writes nothing.
    EXPECT_EQ(ReadFileBytes(At("@CUR.TXT")),
              "SELECT EMPNO\r\nFROM EMP\r\nCREATE TABLE EMP (\r\n EMPNO NUMBER(4,0) NOT NULL\r\n"
              ",ENAME VARCHAR2(10));\r\nEMPNO NUMBER(4,0) NOT NULL\r\nENAME VARCHAR2(10)\r\n");
    // The user's schema unqualified, the table before the view stored ahead of it.
    EXPECT_EQ(ReadFileBytes(At("@CUR.SQL")),
              "-- Tables\nCREATE TABLE EMP (\n  EMPNO NUMBER(4) NOT NULL,\n  ENAME VARCHAR2(10)\n"
              ");\n\n-- Views\nCREATE OR REPLACE VIEW V_EMP AS\nSELECT EMPNO\nFROM EMP;\n");
    EXPECT_NE(ReadFileBytes(At("@S.SQL"))
                  .find("ALTER TABLE EMP ADD CONSTRAINT PK_EMP PRIMARY KEY (EMPNO);\n"),
              std::string::npos);
    // Every file written went through a temporary file, renamed into place or removed.
    for (const auto& file : std::filesystem::directory_iterator(m_dir.Path()))
        EXPECT_EQ(file.path().string().find(".tmp-"), std::string::npos) << file.path();
    // The snapshots hold the user, the reading switches, whether structure and source were
    // read, and how many owners and objects.
    for (const auto& [file, summary] :
         {std::pair("@A.OBJ", "SCOTT 59 000 11 1/5"), std::pair("@B.OBJ", "SYSTEM  111 10 4/32")}) {
        const auto m = CreateFromFile<TDBNewOracle>(At(file));
        std::ostringstream text;
        text << m->UserName << ' ' << m->UserNo << ' ' << m->IncludeSys << m->UseRule
             << m->UseOrdered << ' ' << (m->SchemaLoaded > 0) << (m->SourceLoaded > 0) << ' '
             << m->Owners().Count() << '/' << m->Objects().Count();
        EXPECT_EQ(text.str(), summary);
    }
}

// JSON texts are UTF-8 whatever bytes a snapshot holds: valid UTF-8 passes, any other byte is
// read as Latin-1; quotes, backslashes and control characters are escaped.
TEST(JsonText, QuotedTextsAreAlwaysValidUtf8)
{
    const std::pair<std::string, std::string> cases[] = {
        {"", R"("")"},
        {"say \"hi\" \\ now\t\r\n\x01\x1f\x7f", R"("say \"hi\" \\ now\t\r\n\u0001\u001f)"
                                                "\x7f\""},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
         "\"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80\""},
        {"caf\xe9", "\"caf\xc3\xa9\""},
        // Overlong, surrogate, past U+10FFFF and cut short: each byte on its own.
        {"\xc0\x80", "\"\xc3\x80\xc2\x80\""},
        {"\xed\xa0\x80", "\"\xc3\xad\xc2\xa0\xc2\x80\""},
        {"\xf4\x90\x80\x80", "\"\xc3\xb4\xc2\x90\xc2\x80\xc2\x80\""},
        {"\xe2\x82", "\"\xc3\xa2\xc2\x82\""},
    };
    for (const auto& [text, quoted] : cases)
        EXPECT_EQ(JsonQuoted(text), quoted) << Hex(text);
}

TEST_F(CliTest, ReportDateAndTimeInTheLocaleFormats)
{
    // The time is left out only at exactly midnight.
    EXPECT_EQ(FormatReportDateTime(March14(0, 0, 0, 0)), "03/14/24");
    EXPECT_EQ(FormatReportDateTime(March14(0, 0, 0, 250)), "03/14/24 00:00:00");
    EXPECT_EQ(FormatReportDateTime(March14(0, 0, 1, 0)), "03/14/24 00:00:01");
    EXPECT_EQ(FormatReportDateTime(March14(0, 1, 0, 0)), "03/14/24 00:01:00");
}

TEST_F(CliTest, TerminalProgressIsOneLineRewrittenInPlace)
{
    const std::string shown = std::regex_replace(kCaptions, std::regex("(.+)\n"), "\r$1\x1b[K");
    Check(Run("export --no-source DEMO SCOTT tiger @A.OBJ", true), {"", 0, "", shown + "\r\x1b[K"});
    // A refused login fails before the first caption: the message stands alone.
    Check(Run("export DEMO SCOTT lion @NEW", true), {"", 2, "", kRefused});
}

// The executable: exit statuses, standard input, plain progress lines when standard error is
// no terminal, and a diagram drawn without a display, platform or desktop session.
TEST_F(CliTest, ExecutableExitStatusesAndOutputs)
{
    const std::pair<const char*, TCliCase> cases[] = {
        {"", {"compare @CUR.OBJ @CUR.OBJ -o @R.TXT", 0}},
        {"", {"compare @CUR.OBJ @TGT.OBJ -o @R.TXT", 1}},
        {"", {"compare @CUR.OBJ @MISSING.OBJ", 2, "", "Cannot open file @MISSING.OBJ\n"}},
        // Without a file of its own the built-in DEMO is the only alias.
        {"QUORVEX_ALIASES=@none.ini ", {"aliases", 0, "DEMO\tORACLE\tEMBEDDED\n"}},
        {"", {"export DEMO SCOTT tiger @A.OBJ", 0, "", kSourceCaptions}},
        // A password from the environment does not show in the process list.
        {"QUORVEX_PASSWORD=tiger ",
         {"compare --db DEMO SCOTT - @A.OBJ -o @R.TXT", 0, "", kSourceCaptions}},
        {"printf 'SELECT DNAME FROM DEPT\\r\\nWHERE DEPTNO = 10\\r\\n' | ",
         {"sql DEMO scott tiger -", 0, "DNAME\nACCOUNTING\n"}},
    };
    for (const auto& [shell, expected] : cases) {
        SCOPED_TRACE(expected.Args);
        Check(Exe(expected.Args, shell), expected);
    }
    const TCliCase run = Exe("diagram DEMO SCOTT - --references EMP --zoom 2 -o @s.svg "
                             "--save-layout @s.LYT --run",
                             "env -u QT_QPA_PLATFORM -u DISPLAY -u WAYLAND_DISPLAY "
                             "-u XDG_RUNTIME_DIR QUORVEX_PASSWORD=tiger ");
    Check(run, {"", 0, run.Out});
    // Every employee joined to the department: a header and 14 rows.
    EXPECT_TRUE(run.Out.starts_with("EMPNO\tENAME\tJOB\tMGR\tHIREDATE\tSAL\tCOMM\tDEPTNO\tDEPTNO\t"
                                    "DNAME\tLOC\n"));
    EXPECT_EQ(std::count(run.Out.begin(), run.Out.end(), '\n'), 15);
    EXPECT_TRUE(QSvgRenderer(QString::fromStdString(At("@s.svg"))).isValid());
    EXPECT_TRUE(ReadFileBytes(At("@s.LYT")).starts_with("0=TGDBTable\r\n0TableName=EMP\r\n"));
}

// HR's schema through its DDL script: exported, the user dropped and created again on a copy of
// the demo database, the schema built again by the script, exported again, and the two snapshots
// compared equal.
TEST_F(CliTest, DdlScriptBuildsTheSchemaAgain)
{
    CopyDemoDatabase(At("@copy"));
    WriteFileBytes(At("@copy.ini"), At("[COPY]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=@copy\n"));
    WriteFileBytes(At("@USERS.SQL"), "DROP USER HR CASCADE;\nCREATE USER HR IDENTIFIED BY hr;\n");
    const std::string copy = "QUORVEX_ALIASES=@copy.ini ";
    const std::pair<std::string, TCliCase> steps[] = {
        {copy, {"export COPY HR hr @BEFORE.OBJ", 0, "", kSourceCaptions}},
        {copy, {"ddl --db COPY HR hr @HR.SQL", 0, "", kSourceCaptions}},
        {copy, {"script COPY SYSTEM manager @USERS.SQL", 0, "", "2 statements run, 0 failed\n"}},
        {copy, {"sql COPY HR hr 'SELECT * FROM EMPLOYEES'", 2, "", "no such table: EMPLOYEES\n"}},
        {copy, {"script COPY HR hr @HR.SQL", 0, "", "79 statements run, 0 failed\n"}},
        {copy, {"export COPY HR hr @AFTER.OBJ", 0, "", kSourceCaptions}},
        {"", {"compare @BEFORE.OBJ @AFTER.OBJ -o @R.TXT", 0}},
    };
    for (const auto& [shell, step] : steps) {
        SCOPED_TRACE(step.Args);
        Check(Exe(step.Args, shell), step);
    }
}

} // namespace
} // namespace quorvex::test
