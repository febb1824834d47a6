// The commands that read a live database, run in process on the demo database: export,
// compare --db and aliases, with their progress, switches, passwords and errors.
#include "CliLiveDatabase.h"
#include "cli/Cli.h"
#include "dictionary/DBOraClass.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

struct TResult {
    int Code = -1;
    std::string Out;
    std::string Err;
};

// Every line of a comparison report after its header.
std::vector<std::string> ReportBody(const std::string& report)
{
    const std::string rule = std::string(80, '-') + "\r\n";
    const size_t start = report.find(rule);
    std::vector<std::string> lines;
    if (start == std::string::npos)
        return lines;
    std::istringstream body(report.substr(start + rule.size()));
    for (std::string line; std::getline(body, line);)
        lines.push_back(line);
    return lines;
}

class CliLive : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("QUORVEX_ALIASES", test::TLiveDemo::Get().AliasFile().c_str(), 1);
        unsetenv("QUORVEX_PASSWORD");
    }
    void TearDown() override
    {
        unsetenv("QUORVEX_ALIASES");
        unsetenv("QUORVEX_PASSWORD");
    }

    static TResult Run(const std::vector<std::string>& args, bool terminal = false)
    {
        std::ostringstream out;
        std::ostringstream err;
        TCliEnvironment environment;
        environment.Now = [] { return TLocalTime{}; };
        environment.ErrIsTerminal = terminal;
        TResult result;
        result.Code = RunCli(args, out, err, environment);
        result.Out = out.str();
        result.Err = err.str();
        return result;
    }

    std::unique_ptr<TDBNewOracle> Export(const std::vector<std::string>& options,
                                         const std::string& user, const std::string& password)
    {
        std::vector<std::string> args{"export"};
        args.insert(args.end(), options.begin(), options.end());
        args.insert(args.end(), {"DEMO", user, password, m_snapshot});
        m_last = Run(args);
        if (m_last.Code != ExitCodes::Success)
            return nullptr;
        return CreateFromFile<TDBNewOracle>(m_snapshot);
    }

    test::TempDir m_dir;
    std::string m_snapshot = m_dir.File("demo.OBJ");
    TResult m_last;
};

TEST_F(CliLive, ExportReadsStructureAndSourceAndWritesTheSnapshot)
{
    const auto model = Export({}, "scott", "tiger");
    ASSERT_NE(model, nullptr) << m_last.Err;
    EXPECT_EQ(m_last.Out, "");
    // Not a terminal: one caption a line, in reading order.
    EXPECT_EQ(m_last.Err, test::ReadingCaptions(true));
    EXPECT_EQ(model->UserName, "SCOTT");
    EXPECT_EQ(model->UserNo, "59");
    EXPECT_FALSE(model->IncludeSys);
    EXPECT_FALSE(model->UseRule);
    EXPECT_FALSE(model->UseOrdered);
    EXPECT_GT(model->SchemaLoaded, 0);
    EXPECT_GT(model->SourceLoaded, 0);
    ASSERT_EQ(model->Owners().Count(), 1);
    ASSERT_EQ(model->Objects().Count(), 5);
    const TObjectItem* emp = model->Objects().Items(1);
    EXPECT_EQ(emp->ObjectName, "EMP");
    ASSERT_NE(emp->IndexesIfAny(), nullptr);
    EXPECT_EQ(emp->IndexesIfAny()->Count(), 2);
    ASSERT_NE(emp->FieldsIfAny(), nullptr);
    EXPECT_EQ(emp->FieldsIfAny()->Count(), 8);
}

TEST_F(CliLive, ReadingSwitchesGoToTheReaderAndIntoTheSnapshot)
{
    const auto model =
        Export({"--include-sys", "--rule", "--ordered", "--no-source"}, "system", "manager");
    ASSERT_NE(model, nullptr) << m_last.Err;
    EXPECT_EQ(m_last.Err, test::ReadingCaptions(false));
    EXPECT_EQ(model->UserName, "SYSTEM");
    EXPECT_EQ(model->UserNo, "");
    EXPECT_TRUE(model->IncludeSys);
    EXPECT_TRUE(model->UseRule);
    EXPECT_TRUE(model->UseOrdered);
    EXPECT_GT(model->SchemaLoaded, 0);
    EXPECT_EQ(model->SourceLoaded, 0);
    EXPECT_EQ(model->Owners().Count(), 4); // SYS, SYSTEM, HR, SCOTT
    bool packageBody = false;
    for (int i = 0; i < model->Objects().Count(); ++i) {
        const TObjectItem* object = model->Objects().Items(i);
        if (object->ObjectType == 11) {
            packageBody = true;
            EXPECT_EQ(object->ObjectText, ""); // no source was read
        }
    }
    EXPECT_TRUE(packageBody);
}

TEST_F(CliLive, TerminalProgressIsOneLineRewrittenInPlace)
{
    m_last = Run({"export", "--no-source", "DEMO", "SCOTT", "tiger", m_snapshot}, true);
    ASSERT_EQ(m_last.Code, ExitCodes::Success) << m_last.Err;
    std::string expected;
    std::istringstream captions(test::ReadingCaptions(false));
    for (std::string caption; std::getline(captions, caption);)
        expected += "\r" + caption + "\x1b[K";
    EXPECT_EQ(m_last.Err, expected + "\r\x1b[K");
}

TEST_F(CliLive, PasswordFromTheEnvironment)
{
    setenv("QUORVEX_PASSWORD", "tiger", 1);
    const auto model = Export({"--no-source"}, "SCOTT", "-");
    ASSERT_NE(model, nullptr) << m_last.Err;
    EXPECT_EQ(model->UserNo, "59");

    unsetenv("QUORVEX_PASSWORD");
    const TResult unset = Run({"export", "DEMO", "SCOTT", "-", m_dir.File("other.OBJ")});
    EXPECT_EQ(unset.Code, ExitCodes::Error);
    EXPECT_EQ(unset.Out, "");
    EXPECT_EQ(unset.Err, "The password \"-\" is taken from QUORVEX_PASSWORD, which is not set\n");
    EXPECT_FALSE(std::filesystem::exists(m_dir.File("other.OBJ")));
}

TEST_F(CliLive, RefusedLoginAndUnknownAliasExitTwo)
{
    const TResult refused = Run({"export", "DEMO", "SCOTT", "lion", m_snapshot}, true);
    EXPECT_EQ(refused.Code, ExitCodes::Error);
    EXPECT_EQ(refused.Out, "");
    // The login fails before the first caption: the message stands alone.
    EXPECT_EQ(refused.Err, "ORA-01017: invalid username/password; logon denied\n");
    EXPECT_FALSE(std::filesystem::exists(m_snapshot));

    const TResult system = Run({"export", "--include-sys", "DEMO", "SCOTT", "lion", m_snapshot});
    EXPECT_EQ(system.Code, ExitCodes::Error);
    // With every owner read, the phases absorb the refusal; the database time reports it.
    EXPECT_EQ(system.Err, test::ReadingCaptions(false) +
                              "ORA-01017: invalid username/password; logon denied\n");
    EXPECT_FALSE(std::filesystem::exists(m_snapshot));

    const TResult unknown = Run({"export", "NOPE", "SCOTT", "tiger", m_snapshot});
    EXPECT_EQ(unknown.Code, ExitCodes::Error);
    EXPECT_EQ(unknown.Err, "Alias NOPE not found\n");

    const TResult compare = Run({"compare", "--db", "DEMO", "SCOTT", "lion", m_snapshot});
    EXPECT_EQ(compare.Code, ExitCodes::Error);
    EXPECT_EQ(compare.Out, "");
    EXPECT_EQ(compare.Err, "ORA-01017: invalid username/password; logon denied\n");
}

TEST_F(CliLive, CompareTheDatabaseWithItsOwnSnapshot)
{
    ASSERT_NE(Export({}, "SCOTT", "tiger"), nullptr) << m_last.Err;
    const TResult result = Run({"compare", "--db", "DEMO", "scott", "tiger", m_snapshot});
    ASSERT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_EQ(result.Err, test::ReadingCaptions(true));
    EXPECT_TRUE(result.Out.starts_with("To convert \"DEMO.SCOTT\" into \"" + m_snapshot + "\" on "))
        << result.Out;
    const auto lines = ReportBody(result.Out);
    ASSERT_FALSE(lines.empty());
    for (const std::string& line : lines)
        EXPECT_TRUE(line.starts_with("[ ] ")) << line;
    EXPECT_EQ(lines.front(), "[ ] Sequence : EMPNO_SEQ\r");
    EXPECT_NE(std::find(lines.begin(), lines.end(), "[ ] Table : EMP\r"), lines.end());
}

TEST_F(CliLive, CompareTheDatabaseWithAnEditedSnapshot)
{
    auto model = Export({}, "SCOTT", "tiger");
    ASSERT_NE(model, nullptr) << m_last.Err;
    // The snapshot lacks BONUS and has EMP's ENAME renamed.
    for (int i = 0; i < model->Objects().Count(); ++i) {
        TObjectItem* object = model->Objects().Items(i);
        if (object->ObjectName == "EMP")
            object->ObjectFields().Items(1)->FieldName = "EMP_NAME";
    }
    for (int i = 0; i < model->Objects().Count(); ++i) {
        if (model->Objects().Items(i)->ObjectName == "BONUS")
            model->Objects().Remove(model->Objects().Items(i));
    }
    SaveToFile(*model, m_snapshot);

    const std::string report = m_dir.File("report.txt");
    const TResult result =
        Run({"compare", "--db", "-o", report, "--no-source", "DEMO", "SCOTT", "tiger", m_snapshot});
    ASSERT_EQ(result.Code, ExitCodes::Changes) << result.Err;
    EXPECT_EQ(result.Out, "");
    const std::string text = test::ReadFileBytes(report);
    EXPECT_NE(text.find("\r\n[-] Table : BONUS\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[-] ,ENAME VARCHAR2(10)\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\r\n[+] ,EMP_NAME VARCHAR2(10)\r\n"), std::string::npos) << text;
}

TEST_F(CliLive, AliasesWithDriverAndBackend)
{
    const TResult result = Run({"aliases"});
    EXPECT_EQ(result.Code, ExitCodes::Success) << result.Err;
    EXPECT_EQ(result.Out, test::kLiveDemoAliasList);
    EXPECT_EQ(result.Err, "");

    // Without a file of its own the built-in DEMO is the only alias.
    setenv("QUORVEX_ALIASES", m_dir.File("missing.ini").c_str(), 1);
    const TResult builtIn = Run({"aliases"});
    EXPECT_EQ(builtIn.Code, ExitCodes::Success) << builtIn.Err;
    EXPECT_EQ(builtIn.Out, "DEMO\tORACLE\tEMBEDDED\n");
}

TEST_F(CliLive, LiveOperandsAndSwitchesAreChecked)
{
    struct {
        std::vector<std::string> Args;
        const char* Problem;
    } const cases[] = {
        {{"export", "DEMO", "SCOTT", "tiger"}, "export: missing operand OUT.OBJ"},
        {{"export", "DEMO"}, "export: missing operand USER"},
        {{"compare", "--db", "DEMO", "SCOTT", "tiger"}, "compare: missing operand TARGET"},
        {{"compare", "--db", "DEMO", "SCOTT", "tiger", "a.OBJ", "b.OBJ"},
         "compare: unexpected operand \"b.OBJ\""},
        {{"compare", "--rule", "a.OBJ", "b.OBJ"}, "compare: option --rule needs --db"},
        {{"compare", "a.OBJ", "b.OBJ", "--no-source"}, "compare: option --no-source needs --db"},
        {{"export", "-o", "r.txt", "DEMO", "SCOTT", "tiger", "x.OBJ"}, "unknown option -o"},
        {{"export", "--db", "DEMO", "SCOTT", "tiger", "x.OBJ"}, "unknown option --db"},
        {{"aliases", "DEMO"}, "aliases: unexpected operand \"DEMO\""},
    };
    for (const auto& c : cases) {
        const TResult result = Run(c.Args);
        EXPECT_EQ(result.Code, ExitCodes::Error) << c.Problem;
        EXPECT_EQ(result.Out, "") << c.Problem;
        EXPECT_TRUE(result.Err.starts_with("quorvex-cli: " + std::string(c.Problem) + "\nUsage: "))
            << result.Err;
    }
}

} // namespace
} // namespace quorvex
