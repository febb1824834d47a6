// quorvex-cli script run in process through RunCli on a copy of the demo database of each test.
// A run's arguments are one text split at blanks (a '...' part is one argument), "@" standing for
// the test's folder in them and in the outputs, so that every case is one row: arguments, exit
// status, both outputs.
#include "DemoCopy.h"
#include "DiskFull.h"
#include "TestSupport.h"
#include "cli/Cli.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace quorvex::test {
namespace {

struct TRun {
    std::string Args;
    int Status = 0;
    std::string Err = "";
    std::string Out = "";
    bool Terminal = false; // standard error is a terminal
};

class ScriptRun : public testing::Test {
protected:
    void SetUp() override
    {
        CopyDemoDatabase(m_dir.File("demo"));
        WriteFileBytes(m_dir.File("aliases.ini"), "[DEMO]\nDRIVER=ORACLE\nBACKEND=EMBEDDED\nPATH=" +
                                                      m_dir.File("demo") + "\n");
        setenv("QUORVEX_ALIASES", m_dir.File("aliases.ini").c_str(), 1);
    }

    void Write(const std::string& name, std::string_view text) const
    {
        std::filesystem::create_directories(std::filesystem::path(m_dir.File(name)).parent_path());
        WriteFileBytes(m_dir.File(name), text);
    }

    std::string Placed(std::string text, const std::string& from, const std::string& to) const
    {
        for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at))
            text.replace(at, from.size(), to), at += to.size();
        return text;
    }

    void Check(const TRun& expected) const
    {
        const std::string line = Placed(expected.Args, "@", m_dir.Path().string());
        std::vector<std::string> words;
        for (size_t at = 0; at < line.size(); ++at) {
            const size_t quoted = line[at] == '\'' ? 1 : 0;
            const size_t end = std::min(line.find(quoted ? '\'' : ' ', at + quoted), line.size());
            if (end > at)
                words.push_back(line.substr(at + quoted, end - at - quoted));
            at = end;
        }
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunCli(words, out, err, {{}, expected.Terminal}), expected.Status)
            << expected.Args;
        EXPECT_EQ(Placed(err.str(), m_dir.Path().string(), "@"), expected.Err) << expected.Args;
        EXPECT_EQ(Placed(out.str(), m_dir.Path().string(), "@"), expected.Out) << expected.Args;
    }

    TempDir m_dir;
};

TEST_F(ScriptRun, IncludedScriptsRunInOrder)
{
    Write("main.sql", "REM the notes\nSET ECHO ON\n@@sub/tables\n"
                      "INSERT INTO NOTES VALUES (2, 'b;\n/\nc');\n@data.sql\n");
    Write("sub/tables.sql", "CREATE TABLE NOTES (   -- what was said\n  ID NUMBER(4),\n"
                            "  /* may hold ; */ BODY VARCHAR2(20)\n)\n/\n"
                            "CREATE INDEX NOTES_ID ON NOTES (ID);\n"
                            "CREATE VIEW NOTE_IDS AS SELECT ID FROM NOTES;\n");
    Write("data.sql", "insert into notes values (1, 'a');\r\nDROP TABLE BONUS;\r\n");
    Check({"script DEMO SCOTT tiger @/main.sql", 0, "6 statements run, 0 failed\n"});
    Check({"sql DEMO SCOTT tiger 'SELECT * FROM NOTES ORDER BY ID'", 0, "",
           "ID\tBODY\n1\ta\n2\tb;\n/\nc\n"});
}

TEST_F(ScriptRun, FailuresAreReportedWhereTheyAreAndTheRunGoesOn)
{
    Write("main.sql", "CREATE TABLE T1 (A NUMBER);\n\nDROP TABLE MISSING;\n@sub/more\n"
                      "@nowhere.sql\n@@main\nSELEC 1 FROM DUAL\n/\n"
                      "INSERT INTO T1 VALUES ('unended);\n");
    Write("sub/more.sql", "INSERT INTO T1 VALUES (1);\n\n  CREATE TABLE T1 (A NUMBER)\n/\n");
    // What the engine keeps nothing of is accepted with a warning, which is no failure.
    Write("second.sql", "INSERT INTO T1 VALUES (2);\ngrant select on T1 to HR;\n");
    Check({"script DEMO SCOTT tiger @/main.sql @/second.sql", 1,
           "@/main.sql:3: ORA-00942: table or view does not exist\n"
           "@/sub/more.sql:3: ORA-00955: name is already used by an existing object\n"
           "@/main.sql:5: Cannot open the script file \"@/nowhere.sql\": No such file or "
           "directory\n"
           "@/main.sql:6: the script \"@/main.sql\" is already running; including it again "
           "would never end\n"
           "@/main.sql:7: near \"SELEC\": syntax error\n"
           "@/main.sql:9: the quoted text begun here is not closed by the end of the file; the "
           "statement from line 9 was not run\n"
           "@/second.sql:2: warning: GRANT accepted and ignored: the embedded engine does not "
           "keep it\n"
           "7 statements run, 6 failed\n"});
    Check({"sql DEMO SCOTT tiger 'SELECT * FROM T1'", 0, "", "A\n1\n2\n"});
}

// On a terminal, progress is one line rewritten in place and cleared before a failure shows.
TEST_F(ScriptRun, StopOnErrorAndExitEndTheRun)
{
    Write("a.sql",
          "CREATE TABLE T1 (A NUMBER);\nDROP TABLE MISSING;\nINSERT INTO T1 VALUES (1);\n");
    Write("stop.sql", "whenever sqlerror exit failure\nDROP TABLE MISSING;\nDROP TABLE DEPT;\n");
    Write("exit.sql", "DROP TABLE EMP;\nEXIT\nDROP TABLE DEPT;\n");
    const std::string missing = ":2: ORA-00942: table or view does not exist\n";
    const TRun runs[] = {
        {"script DEMO SCOTT tiger @/a.sql --stop-on-error @/a.sql", 1,
         "\r@/a.sql: statement 1 of 3\x1b[K\r@/a.sql: statement 2 of 3\x1b[K\r\x1b[K@/a.sql" +
             missing + "2 statements run, 1 failed\n",
         "", true},
        {"script DEMO SCOTT tiger @/stop.sql @/a.sql", 1,
         "@/stop.sql" + missing + "1 statement run, 1 failed\n"},
        {"script DEMO SCOTT tiger @/exit.sql @/stop.sql", 0, "1 statement run, 0 failed\n"},
        {"sql DEMO SCOTT tiger 'SELECT * FROM DEPT'", 0, "",
         "DEPTNO\tDNAME\tLOC\n10\tACCOUNTING\tNEW YORK\n20\tRESEARCH\tDALLAS\n"
         "30\tSALES\tCHICAGO\n40\tOPERATIONS\tBOSTON\n"},
    };
    for (const TRun& run : runs)
        Check(run);
}

TEST_F(ScriptRun, UsersComeAndGoMidScript)
{
    Write("users.sql", "CREATE TABLE SCOTT.NOTES (A NUMBER);\nCREATE USER BOB IDENTIFIED BY bob;\n"
                       "CREATE TABLE BOB.T (A NUMBER);\nINSERT INTO BOB.T VALUES (1);\n"
                       "INSERT INTO SCOTT.NOTES SELECT A FROM BOB.T;\nDROP USER BOB CASCADE;\n");
    Check({"script DEMO SYSTEM manager @/users.sql", 0, "6 statements run, 0 failed\n"});
    Check({"sql DEMO SCOTT tiger 'SELECT * FROM NOTES'", 0, "", "A\n1\n"});
    Check({"sql DEMO BOB bob 'SELECT 1 FROM DUAL'", 2,
           "ORA-01017: invalid username/password; logon denied\n"});
}

// A script's statements are committed together: when that fails, the database is as it was
// before the run and the report says what was undone.
TEST_F(ScriptRun, AFailedCommitLeavesTheDatabaseAsItWas)
{
    std::string script;
    for (int i = 1; i <= 20; ++i)
        script += "CREATE TABLE T" + std::to_string(i) + " (A NUMBER PRIMARY KEY);\n";
    Write("a.sql", script);
    std::uintmax_t largest = 0;
    for (const auto& entry : std::filesystem::directory_iterator(m_dir.File("demo")))
        largest = std::max(largest, entry.file_size());
    const std::string before = FolderContents(m_dir.File("demo"));
    {
        const TDiskFull full(largest);
        Check({"script DEMO SCOTT tiger @/a.sql", 1,
               "@/a.sql:20: disk I/O error; the work of the last 20 statements could not be "
               "committed and was undone\n20 statements run, 1 failed\n"});
    }
    EXPECT_EQ(FolderContents(m_dir.File("demo")), before);
}

TEST_F(ScriptRun, RunsThatCannotStartRunNothing)
{
    Write("a.sql", "CREATE TABLE T1 (A NUMBER);\n");
    Write("nul.sql", std::string("SELECT 1 FROM DUAL;\nSELECT '\0';\n", 32));
    Write("wide.sql", "\xFF\xFE"
                      "C");
    Write("huge.sql", "");
    std::filesystem::resize_file(m_dir.File("huge.sql"), (64 << 20) + 1);
    std::filesystem::create_directory(m_dir.File("folder.sql"));
    const auto refused = [](const std::string& file, const std::string& why) {
        return "The script file \"@/" + file + "\" " + why + "\n";
    };
    const TRun runs[] = {
        {"script DEMO SCOTT tiger @/a.sql @/none.sql", 2,
         "Cannot open the script file \"@/none.sql\": No such file or directory\n"},
        {"script DEMO SCOTT tiger @/a.sql @/nul.sql", 2,
         refused("nul.sql", "holds a NUL byte on line 2; it is no text script")},
        {"script DEMO SCOTT tiger @/wide.sql", 2,
         refused("wide.sql", "is UTF-16 text; save it as UTF-8 to run it")},
        {"script DEMO SCOTT tiger @/huge.sql", 2,
         refused("huge.sql", "is larger than 64 MiB; split it into smaller scripts")},
        {"script DEMO SCOTT tiger @/folder.sql", 2, refused("folder.sql", "is a folder")},
        {"script DEMO SCOTT lion @/a.sql", 2,
         "ORA-01017: invalid username/password; logon denied\n"},
        {"sql DEMO SCOTT tiger 'SELECT * FROM T1'", 2, "no such table: T1\n"},
    };
    for (const TRun& run : runs)
        Check(run);
}

TEST_F(ScriptRun, IncludesNestAtMostTwentyDeepAndTenThousandInAll)
{
    for (int i = 1; i < 21; ++i)
        Write("d" + std::to_string(i) + ".sql", "@d" + std::to_string(i + 1) + "\n");
    Write("d21.sql", "DROP TABLE BONUS;\n");
    Check({"script DEMO SCOTT tiger @/d2.sql", 0, "1 statement run, 0 failed\n"});
    Check({"script DEMO SCOTT tiger @/d1.sql", 1,
           "@/d20.sql:1: the script \"@/d21.sql\" would be nested more than 20 scripts "
           "deep; it was not run\n0 statements run, 1 failed\n"});
    // 101 times 100 empty scripts: the 10001st is the first of the hundredth few.sql.
    std::string few;
    std::string bomb = "@few\n";
    for (int i = 0; i < 100; ++i)
        few += "@none\n", bomb += "@few\n";
    Write("few.sql", few);
    Write("none.sql", "");
    Write("bomb.sql", bomb);
    Check({"script DEMO SCOTT tiger @/bomb.sql", 1,
           "@/few.sql:1: more than 10000 scripts included in one run; the run ends here\n"
           "0 statements run, 1 failed\n"});
}

} // namespace
} // namespace quorvex::test
