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
            "\n"
            "Options:\n"
            "  -o, --output FILE  write the report to FILE instead of standard output; FILE is\n"
            "                     replaced only once the whole report is written\n"
            "      --db           compare: read the current model from the database\n"
            "                     ALIAS as USER with PASSWORD, not from the snapshot CURRENT\n"
            "      --include-sys  read every owner, not only the user's schema\n"
            "      --rule         prefix the dictionary queries with the rule hint\n"
            "      --ordered      prefix the dictionary queries with the ordered hint; --rule\n"
            "                     wins when both are given\n"
            "      --no-source    read the structure only, without the stored source\n"
            "  -h, --help         show this help and exit\n"
            "      --version      show the version and exit\n"
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
