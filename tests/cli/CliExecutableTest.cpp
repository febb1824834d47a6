#include "CliExecutable.h"

#include "CliTestModels.h"
#include "dictionary/DBOraClass.h"
#include "persistence/SnapshotReader.h"
#include "persistence/SnapshotWriter.h"

#include <gtest/gtest.h>
#include <regex>
#include <string>

namespace quorvex {
namespace {

using test::CliExecutable;
using test::CliLiveExecutable;
using test::Quoted;

TEST_F(CliExecutable, SameModelExitsZero)
{
    ASSERT_EQ(Run("compare " + Quoted(m_current) + " " + Quoted(m_current)), 0) << m_err;
    EXPECT_EQ(m_err, "");
    // The date and time are in the user's locale; the rest of the header is fixed.
    EXPECT_TRUE(std::regex_search(m_out, std::regex("^To convert \"[^\"]*CURRENT\\.OBJ\" into "
                                                    "\"[^\"]*CURRENT\\.OBJ\" on [^\r\n]+ apply "
                                                    "the following changes\\.\r\n")))
        << m_out;
    const std::string rule = std::string(80, '-') + "\r\n";
    const size_t body = m_out.find(rule);
    ASSERT_NE(body, std::string::npos) << m_out;
    const std::string lines = "\r\n" + m_out.substr(body + rule.size());
    EXPECT_TRUE(lines.starts_with("\r\n[ ] Table : EMP\r\n")) << lines;
    EXPECT_EQ(lines.find("\r\n[+] "), std::string::npos) << lines;
    EXPECT_EQ(lines.find("\r\n[-] "), std::string::npos) << lines;
}

TEST_F(CliExecutable, ChangedModelExitsOne)
{
    ASSERT_EQ(Run("compare " + Quoted(m_current) + " " + Quoted(m_target)), 1) << m_err;
    EXPECT_EQ(m_err, "");
    EXPECT_NE(m_out.find("\r\n[+] Table : DEPT\r\n"), std::string::npos) << m_out;
    EXPECT_TRUE(m_out.ends_with("[ ] FROM EMP\r\n")) << m_out;

    const std::string report = m_dir.File("REPORT.TXT");
    ASSERT_EQ(
        Run("compare -o " + Quoted(report) + " " + Quoted(m_current) + " " + Quoted(m_target)), 1);
    EXPECT_EQ(m_out, "");
    EXPECT_TRUE(test::ReadFileBytes(report).ends_with("[ ] FROM EMP\r\n"));
}

TEST_F(CliExecutable, ErrorsExitTwo)
{
    const std::string missing = m_dir.File("MISSING.OBJ");
    EXPECT_EQ(Run("compare " + Quoted(m_current) + " " + Quoted(missing)), 2);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "Cannot open file " + missing + "\n");

    EXPECT_EQ(Run("frobnicate"), 2);
    EXPECT_EQ(m_out, "");
    EXPECT_TRUE(m_err.starts_with("quorvex-cli: unknown command \"frobnicate\"\nUsage: ")) << m_err;

    EXPECT_EQ(Run("--version"), 0);
    EXPECT_EQ(m_out, "quorvex-cli " QUORVEX_EXPECTED_VERSION "\n");
}

TEST_F(CliLiveExecutable, ExportedSnapshotComparesEqualToItself)
{
    ASSERT_EQ(Run("export DEMO SCOTT tiger " + Quoted(m_snapshot)), 0) << m_err;
    EXPECT_EQ(m_out, "");
    // Standard error is a file here, not a terminal: one caption a line.
    EXPECT_EQ(m_err, test::ReadingCaptions(true));

    ASSERT_EQ(Run("compare " + Quoted(m_snapshot) + " " + Quoted(m_snapshot)), 0) << m_err;
    const std::string rule = std::string(80, '-') + "\r\n";
    const size_t body = m_out.find(rule);
    ASSERT_NE(body, std::string::npos) << m_out;
    const std::string lines = "\r\n" + m_out.substr(body + rule.size());
    // Sorted by kind and name.
    EXPECT_TRUE(lines.starts_with("\r\n[ ] Sequence : EMPNO_SEQ\r\n")) << lines;
    EXPECT_NE(lines.find("\r\n[ ] Table : DEPT\r\n"), std::string::npos) << lines;
    EXPECT_EQ(lines.find("\r\n[+] "), std::string::npos) << lines;
    EXPECT_EQ(lines.find("\r\n[-] "), std::string::npos) << lines;
    // Only "[ ] " lines.
    EXPECT_EQ(std::regex_search(lines, std::regex("\r\n(?!\\[ \\] )[^\r]")), false) << lines;
}

TEST_F(CliLiveExecutable, DatabaseComparedWithAnEditedSnapshotExitsOne)
{
    ASSERT_EQ(Run("export --no-source DEMO SCOTT tiger " + Quoted(m_snapshot)), 0) << m_err;
    auto model = CreateFromFile<TDBNewOracle>(m_snapshot);
    model->Objects().Remove(model->Objects().Items(0)); // DEPT
    SaveToFile(*model, m_snapshot);

    // The password comes from the environment, so it does not show in the process list.
    m_environment += "QUORVEX_PASSWORD=tiger ";
    ASSERT_EQ(Run("compare --db DEMO SCOTT - " + Quoted(m_snapshot)), 1) << m_err;
    EXPECT_TRUE(m_out.starts_with("To convert \"DEMO.SCOTT\" into ")) << m_out;
    EXPECT_NE(m_out.find("\r\n[-] Table : DEPT\r\n"), std::string::npos) << m_out;
}

TEST_F(CliLiveExecutable, RefusedLoginExitsTwoWithTheMessage)
{
    EXPECT_EQ(Run("export DEMO SCOTT wrong " + Quoted(m_snapshot)), 2);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "ORA-01017: invalid username/password; logon denied\n");
    EXPECT_EQ(Run("compare --db DEMO SCOTT wrong " + Quoted(m_current)), 2);
    EXPECT_EQ(m_out, "");
    EXPECT_EQ(m_err, "ORA-01017: invalid username/password; logon denied\n");
}

TEST_F(CliLiveExecutable, ListsTheAliases)
{
    ASSERT_EQ(Run("aliases"), 0) << m_err;
    EXPECT_EQ(m_out, test::kLiveDemoAliasList);
    EXPECT_EQ(m_err, "");
}

} // namespace
} // namespace quorvex
