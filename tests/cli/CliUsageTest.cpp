#include "cli/Cli.h"

#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

// Lines longer than 80 columns wrap before an option.
const char* const kSynopsis =
    "Usage: quorvex-cli compare CURRENT TARGET [-o FILE]\n"
    "       quorvex-cli compare --db ALIAS USER PASSWORD TARGET [-o FILE]\n"
    "           [--include-sys] [--rule] [--ordered] [--no-source]\n"
    "       quorvex-cli export ALIAS USER PASSWORD OUT.OBJ [--include-sys] [--rule]\n"
    "           [--ordered] [--no-source]\n"
    "       quorvex-cli aliases\n"
    "       quorvex-cli text SNAPSHOT OUT.TXT\n"
    "       quorvex-cli sql ALIAS USER PASSWORD STATEMENT\n"
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

struct TResult {
    int Code = -1;
    std::string Out;
    std::string Err;
};

TResult RunTool(const std::vector<std::string>& args)
{
    std::ostringstream out;
    std::ostringstream err;
    TCliEnvironment environment;
    environment.Now = [] { return TLocalTime{}; };
    TResult result;
    result.Code = RunCli(args, out, err, environment);
    result.Out = out.str();
    result.Err = err.str();
    return result;
}

TEST(CliUsage, HelpText)
{
    EXPECT_EQ(
        UsageText(),
        std::string(kSynopsis) +
            "\n"
            "Commands:\n"
            "  compare  Compare two models and print the changes that turn the model of\n"
            "           CURRENT into the model of TARGET: \"[-] \" lines to remove, \"[+] \"\n"
            "           lines to add, \"[ ] \" lines unchanged. With --db, CURRENT is read\n"
            "           from the database as export reads it.\n"
            "  export   Log in to the database ALIAS as USER, read its structure and stored\n"
            "           source and write the model to the snapshot file OUT.OBJ. A PASSWORD\n"
            "           of \"-\" is taken from the environment variable QUORVEX_PASSWORD.\n"
            "  aliases  List the database aliases, one a line: name, driver and backend\n"
            "           separated by tabs.\n"
            "  text     Write the creating text of every object in SNAPSHOT to the text file\n"
            "           OUT.TXT, with its constraints, columns, indexes and triggers.\n"
            "  sql      Log in to the database ALIAS as USER and run STATEMENT (\"-\": read it\n"
            "           from standard input) as a text pane does: text whose first character\n"
            "           is S or s is a query, printed as a line of column names and a line\n"
            "           per row, fields separated by tabs, nulls empty; a first line \"*NAME\"\n"
            "           queries the table NAME; any other statement runs and prints OK.\n"
            "  diagram  Draw an ER diagram of the tables of the database ALIAS (logged in as\n"
            "           USER, read as export --no-source reads) or of the snapshot FILE. The\n"
            "           steps (--table to --load-layout) run in the order given, as in the\n"
            "           diagram window; then the picture (-o, no table selected) and layout\n"
            "           are written, and the Automatic SQL statement of every table, with\n"
            "           each table's \"tabN.*\", printed (--sql) or run (--run).\n"
            "\n"
            "Options:\n"
            "  -o, --output FILE         compare: write the report to FILE, not to standard\n"
            "                            output; diagram: draw the diagram into FILE, a\n"
            "                            .bmp, .png, .svg or .pdf file; FILE is replaced\n"
            "                            only once it is wholly written\n"
            "      --db                  compare: read the current model from the database\n"
            "                            ALIAS as USER with PASSWORD, not from the\n"
            "                            snapshot CURRENT\n"
            "      --include-sys         read every owner, not only the user's schema\n"
            "      --rule                prefix the dictionary queries with the rule hint\n"
            "      --ordered             prefix the dictionary queries with the ordered\n"
            "                            hint; --rule wins when both are given\n"
            "      --no-source           read the structure only, without the stored source\n"
            "      --table NAME          diagram: add a box for the table NAME where the\n"
            "                            next table goes, as a drop from the tree does\n"
            "      --references NAME     diagram: References on the table NAME, its box\n"
            "                            added first when missing\n"
            "      --referenced-by NAME  diagram: Referenced By on the table NAME, its box\n"
            "                            added first when missing\n"
            "      --all                 diagram: a box for every table of the model in\n"
            "                            model order, then References on each\n"
            "      --mask TEXT           diagram: the field display mask of the tables\n"
            "                            added after it (not those of a layout)\n"
            "      --hide-fields         diagram: the tables added after it show no rows\n"
            "                            (not those of a layout)\n"
            "      --zoom N              diagram: show the diagram at 1/N; N is 1, 2, 4,\n"
            "                            8 or 16\n"
            "      --load-layout FILE    diagram: add the tables and lines of the layout\n"
            "                            FILE, reading the tables from the database\n"
            "      --save-layout FILE    diagram: save the layout to FILE\n"
            "      --sql                 diagram: print the Automatic SQL statement of\n"
            "                            every table, one line each\n"
            "      --run                 diagram: run that statement and print its rows\n"
            "                            as sql does\n"
            "      --snapshot FILE       diagram: take the tables from the snapshot FILE,\n"
            "                            without a database\n"
            "  -h, --help                show this help and exit\n"
            "      --version             show the version and exit\n"
            "\n"
            "Exit status:\n"
            "  0  success; for compare: no line is to be removed or added\n"
            "  1  compare: the models differ\n"
            "  2  wrong arguments, a file that cannot be read or written, or a failed\n"
            "     login or database read\n");
}

TEST(CliUsage, HelpGoesToStdoutAndExitsZero)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--help"},
                                                 {"-h"},
                                                 {"compare", "--help"},
                                                 {"text", "x.OBJ", "-h"},
                                                 {"compare", "a", "b", "c", "--help"}}) {
        const TResult result = RunTool(args);
        EXPECT_EQ(result.Code, ExitCodes::Success) << args.front();
        EXPECT_EQ(result.Out, UsageText());
        EXPECT_EQ(result.Err, "");
    }
}

TEST(CliUsage, VersionIsTheProjectVersion)
{
    const TResult result = RunTool({"--version"});
    EXPECT_EQ(result.Code, ExitCodes::Success);
    EXPECT_EQ(result.Out, "quorvex-cli " QUORVEX_EXPECTED_VERSION "\n");
    EXPECT_EQ(result.Err, "");
    EXPECT_TRUE(std::regex_match(result.Out, std::regex(R"(quorvex-cli \d+\.\d+\.\d+\.\d+\n)")))
        << result.Out;
    EXPECT_EQ(CliVersion(), QUORVEX_EXPECTED_VERSION);
}

TEST(CliUsage, WrongArgumentsExitTwoWithTheProblemAndTheSynopsis)
{
    struct {
        std::vector<std::string> Args;
        const char* Problem;
    } const cases[] = {
        {{}, "no command given"},
        {{"diff", "a.OBJ", "b.OBJ"}, "unknown command \"diff\""},
        {{"COMPARE", "a.OBJ", "b.OBJ"}, "unknown command \"COMPARE\""},
        {{"--verbose"}, "unknown option --verbose"},
        {{"--version", "x"}, "unexpected operand \"x\""},
        {{"compare"}, "compare: missing operand CURRENT"},
        {{"compare", "a.OBJ"}, "compare: missing operand TARGET"},
        {{"compare", "a.OBJ", "b.OBJ", "c.OBJ"}, "compare: unexpected operand \"c.OBJ\""},
        {{"compare", "a.OBJ", "b.OBJ", "-x"}, "unknown option -x"},
        {{"compare", "a.OBJ", "b.OBJ", "-o"}, "option -o needs a FILE"},
        {{"compare", "-o", "r1", "-o", "r2", "a.OBJ", "b.OBJ"}, "option -o given twice"},
        {{"compare", "--", "--help"}, "compare: missing operand TARGET"},
        {{"text", "a.OBJ"}, "text: missing operand OUT.TXT"},
        {{"text", "a.OBJ", "a.TXT", "-o", "r.TXT"}, "unknown option -o"},
    };
    for (const auto& c : cases) {
        const TResult result = RunTool(c.Args);
        EXPECT_EQ(result.Code, ExitCodes::Error) << c.Problem;
        EXPECT_EQ(result.Out, "") << c.Problem;
        EXPECT_EQ(result.Err, "quorvex-cli: " + std::string(c.Problem) + "\n" + kSynopsis);
    }
}

TEST(CliUsage, OperandAfterDoubleDashMayLookLikeAnOption)
{
    // "--" lets a file named like an option through; it then fails as a file, not as usage.
    const TResult result = RunTool({"compare", "--", "-a.OBJ", "-b.OBJ"});
    EXPECT_EQ(result.Code, ExitCodes::Error);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Cannot open file -a.OBJ\n");
}

} // namespace
} // namespace quorvex
