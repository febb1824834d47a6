#include "CliTestModels.h"
#include "TestSupport.h"
#include "cli/Cli.h"
#include "model/ObjectList.h"
#include "persistence/SnapshotWriter.h"

#include <clocale>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace quorvex {
namespace {

TLocalTime At(int hour, int minute, int second, int milliseconds)
{
    TLocalTime time;
    time.Tm.tm_year = 2024 - 1900;
    time.Tm.tm_mon = 2; // March
    time.Tm.tm_mday = 14;
    time.Tm.tm_wday = 4;
    time.Tm.tm_yday = 73;
    time.Tm.tm_hour = hour;
    time.Tm.tm_min = minute;
    time.Tm.tm_sec = second;
    time.Milliseconds = milliseconds;
    return time;
}

const std::string kRule(80, '-');

std::string Header(const std::string& current, const std::string& target,
                   const std::string& dateTime)
{
    return "To convert \"" + current + "\" into \"" + target + "\" on " + dateTime +
           " apply the following changes.\r\n"
           "[-] Remove this line.\r\n"
           "[+] Add this line.\r\n" +
           kRule + "\r\n";
}

struct TResult {
    int Code = -1;
    std::string Out;
    std::string Err;
};

class CliCompare : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The expected dates below are in the C locale's formats.
        std::setlocale(LC_TIME, "C");
        m_current = m_dir.File("CURRENT.OBJ");
        m_target = m_dir.File("TARGET.OBJ");
        test::WriteCurrentSnapshot(m_current);
        test::WriteTargetSnapshot(m_target);
    }

    TResult Run(const std::vector<std::string>& args, TLocalTime now = At(9, 26, 53, 120))
    {
        std::ostringstream out;
        std::ostringstream err;
        TCliEnvironment environment;
        environment.Now = [now] { return now; };
        TResult result;
        result.Code = RunCli(args, out, err, environment);
        result.Out = out.str();
        result.Err = err.str();
        return result;
    }

    test::TempDir m_dir;
    std::string m_current;
    std::string m_target;
};

// The report of the current model against itself.
const char* const kUnchangedLines = "[ ] Table : EMP\r\n"
                                    "[ ]  Source\r\n"
                                    "[ ] CREATE TABLE EMP (\r\n"
                                    "[ ]  EMPNO NUMBER(4,0) NOT NULL\r\n"
                                    "[ ] ,ENAME VARCHAR2(10));\r\n"
                                    "[ ] Field01 : EMPNO\r\n"
                                    "[ ] EMPNO NUMBER(4,0) NOT NULL\r\n"
                                    "[ ] Field02 : ENAME\r\n"
                                    "[ ] ENAME VARCHAR2(10)\r\n"
                                    "[ ] View : V_EMP\r\n"
                                    "[ ] SELECT EMPNO\r\n"
                                    "[ ] FROM EMP\r\n";

// The current model against the target: DEPT comes in at its sorted place with its text as
// one entry of two lines, EMP's last line and its renamed column change, and V_EMP, whose
// text differs only in letter case, keeps the current model's lines.
const char* const kChangedLines = "[+] Table : DEPT\r\n"
                                  "[+]  Source\r\n"
                                  "[+] CREATE TABLE DEPT (\r\n"
                                  "[+]  DEPTNO NUMBER(2,0) NOT NULL);\r\n"
                                  "[+] Field01 : DEPTNO\r\n"
                                  "[+] DEPTNO NUMBER(2,0) NOT NULL\r\n"
                                  "[ ] Table : EMP\r\n"
                                  "[ ]  Source\r\n"
                                  "[ ] CREATE TABLE EMP (\r\n"
                                  "[ ]  EMPNO NUMBER(4,0) NOT NULL\r\n"
                                  "[-] ,ENAME VARCHAR2(10));\r\n"
                                  "[+] ,EMP_NAME VARCHAR2(10));\r\n"
                                  "[ ] Field01 : EMPNO\r\n"
                                  "[ ] EMPNO NUMBER(4,0) NOT NULL\r\n"
                                  "[+] Field02 : EMP_NAME\r\n"
                                  "[+] EMP_NAME VARCHAR2(10)\r\n"
                                  "[-] Field02 : ENAME\r\n"
                                  "[-] ENAME VARCHAR2(10)\r\n"
                                  "[ ] View : V_EMP\r\n"
                                  "[ ] SELECT EMPNO\r\n"
                                  "[ ] FROM EMP\r\n";

TEST_F(CliCompare, IdenticalModelsExitZeroWithOnlyUnchangedLines)
{
    const std::string copy = m_dir.File("COPY.OBJ");
    test::WriteCurrentSnapshot(copy);

    const TResult result = Run({"compare", m_current, copy});

    EXPECT_EQ(result.Code, ExitCodes::Success);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out,
              Header(m_current, copy, "03/14/24 09:26:53") + std::string(kUnchangedLines));
}

TEST_F(CliCompare, FileWithItselfHasNoChanges)
{
    const TResult result = Run({"compare", m_target, m_target});

    EXPECT_EQ(result.Code, ExitCodes::Success);
    const std::string header = Header(m_target, m_target, "03/14/24 09:26:53");
    ASSERT_TRUE(result.Out.starts_with(header)) << result.Out;
    std::istringstream lines(result.Out.substr(header.size()));
    int count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        EXPECT_TRUE(line.starts_with("[ ] ")) << line;
        EXPECT_TRUE(line.ends_with("\r")) << line;
    }
    EXPECT_EQ(count, 18);
}

TEST_F(CliCompare, ChangedModelExitsOneWithTheWholeReport)
{
    const TResult result = Run({"compare", m_current, m_target});

    EXPECT_EQ(result.Code, ExitCodes::Changes);
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(result.Out,
              Header(m_current, m_target, "03/14/24 09:26:53") + std::string(kChangedLines));
}

TEST_F(CliCompare, HeaderNamesTheOperandsAsGiven)
{
    // A name is shown as given, not resolved.
    std::filesystem::create_directory(m_current + ".d");
    const std::string dotted = m_dir.File("CURRENT.OBJ.d/../TARGET.OBJ");

    const TResult result = Run({"compare", m_current, dotted});

    EXPECT_EQ(result.Code, ExitCodes::Changes);
    EXPECT_TRUE(result.Out.starts_with("To convert \"" + m_current + "\" into \"" + dotted +
                                       "\" on 03/14/24 09:26:53 apply the following changes.\r\n"))
        << result.Out;
}

TEST_F(CliCompare, HeaderLeavesOutTheTimeAtExactlyMidnight)
{
    const TResult midnight = Run({"compare", m_current, m_current}, At(0, 0, 0, 0));
    EXPECT_EQ(midnight.Code, ExitCodes::Success);
    EXPECT_EQ(midnight.Out, Header(m_current, m_current, "03/14/24") + kUnchangedLines);

    const TResult quarterSecond = Run({"compare", m_current, m_current}, At(0, 0, 0, 250));
    EXPECT_TRUE(
        quarterSecond.Out.starts_with("To convert \"" + m_current + "\" into \"" + m_current +
                                      "\" on 03/14/24 00:00:00 apply the following changes.\r\n"))
        << quarterSecond.Out;

    const TResult oneSecond = Run({"compare", m_current, m_current}, At(0, 0, 1, 0));
    EXPECT_TRUE(oneSecond.Out.starts_with("To convert \"" + m_current + "\" into \"" + m_current +
                                          "\" on 03/14/24 00:00:01 apply the following changes."))
        << oneSecond.Out;
}

TEST(ReportDateTime, ShortDateAndLongTimeOfTheLocale)
{
    std::setlocale(LC_TIME, "C");
    EXPECT_EQ(FormatReportDateTime(At(23, 59, 59, 999)), "03/14/24 23:59:59");
    EXPECT_EQ(FormatReportDateTime(At(12, 0, 0, 0)), "03/14/24 12:00:00");
    EXPECT_EQ(FormatReportDateTime(At(0, 0, 0, 0)), "03/14/24");
    EXPECT_EQ(FormatReportDateTime(At(0, 1, 0, 0)), "03/14/24 00:01:00");
}

TEST_F(CliCompare, OutputOptionWritesTheReportToAFileAndNothingToStdout)
{
    const std::string report = m_dir.File("REPORT.TXT");
    test::WriteFileBytes(report, "an earlier report");

    const TResult result = Run({"compare", m_current, m_target, "-o", report});

    EXPECT_EQ(result.Code, ExitCodes::Changes);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "");
    EXPECT_EQ(test::ReadFileBytes(report),
              Header(m_current, m_target, "03/14/24 09:26:53") + std::string(kChangedLines));

    // The long spelling, before the operands, and the exit status of an unchanged model.
    const TResult same = Run({"compare", "--output=" + report, m_target, m_target});
    EXPECT_EQ(same.Code, ExitCodes::Success);
    EXPECT_EQ(same.Out, "");
    EXPECT_TRUE(test::ReadFileBytes(report).starts_with(
        Header(m_target, m_target, "03/14/24 09:26:53") + "[ ] Table : DEPT\r\n"));

    // Only the report file is left in the folder: the temporary file was renamed into place.
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_dir.Path()))
        ++files;
    EXPECT_EQ(files, 3);
}

TEST_F(CliCompare, FailedCompareKeepsAnEarlierReport)
{
    const std::string report = m_dir.File("REPORT.TXT");
    test::WriteFileBytes(report, "an earlier report");
    const std::string missing = m_dir.File("MISSING.OBJ");

    const TResult result = Run({"compare", m_current, missing, "-o", report});

    EXPECT_EQ(result.Code, ExitCodes::Error);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Cannot open file " + missing + "\n");
    EXPECT_EQ(test::ReadFileBytes(report), "an earlier report");
}

TEST_F(CliCompare, ReportFileThatCannotBeCreatedIsAnError)
{
    const std::string report = m_dir.File("NO_SUCH_FOLDER/REPORT.TXT");

    const TResult result = Run({"compare", m_current, m_target, "-o", report});

    EXPECT_EQ(result.Code, ExitCodes::Error);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Cannot create file " + report + "\n");
}

TEST_F(CliCompare, MissingFileExitsTwoWithItsMessage)
{
    const std::string missing = m_dir.File("MISSING.OBJ");

    const TResult current = Run({"compare", missing, m_target});
    EXPECT_EQ(current.Code, ExitCodes::Error);
    EXPECT_EQ(current.Out, "");
    EXPECT_EQ(current.Err, "Cannot open file " + missing + "\n");

    const TResult target = Run({"compare", m_current, missing});
    EXPECT_EQ(target.Code, ExitCodes::Error);
    EXPECT_EQ(target.Out, "");
    EXPECT_EQ(target.Err, "Cannot open file " + missing + "\n");
}

TEST_F(CliCompare, SnapshotOfAnotherRootClassIsRefused)
{
    TObjectList objects;
    objects.NewItem()->ObjectName = "EMP";
    const std::string list = m_dir.File("LIST.OBJ");
    SaveToFile(objects, list);

    const TResult result = Run({"compare", m_current, list});

    EXPECT_EQ(result.Code, ExitCodes::Error);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Incompatible classes. TObjectList <> TDBNewOracle\n");
}

TEST_F(CliCompare, FileThatIsNoSnapshotIsRefused)
{
    const std::string text = m_dir.File("NOTES.TXT");
    test::WriteFileBytes(text, "CREATE TABLE EMP (EMPNO NUMBER);\r\n");

    const TResult result = Run({"compare", text, m_target});

    EXPECT_EQ(result.Code, ExitCodes::Error);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "Invalid stream format\n");
}

TEST_F(CliCompare, TextCommandWritesTheCreatingTexts)
{
    const std::string out = m_dir.File("SCOTT.TXT");

    const TResult result = Run({"text", m_current, out});

    EXPECT_EQ(result.Code, ExitCodes::Success);
    EXPECT_EQ(result.Out, "");
    EXPECT_EQ(result.Err, "");
    // Objects in stored order, each followed by its columns; the view's LF becomes CR LF and
    // the owner writes nothing.
    EXPECT_EQ(test::ReadFileBytes(out), "SELECT EMPNO\r\n"
                                        "FROM EMP\r\n"
                                        "CREATE TABLE EMP (\r\n"
                                        " EMPNO NUMBER(4,0) NOT NULL\r\n"
                                        ",ENAME VARCHAR2(10));\r\n"
                                        "EMPNO NUMBER(4,0) NOT NULL\r\n"
                                        "ENAME VARCHAR2(10)\r\n");
}

TEST_F(CliCompare, TextCommandOfAnEmptyModelWritesAnEmptyFile)
{
    const std::string empty = m_dir.File("EMPTY.OBJ");
    SaveToFile(TDBNewOracle(), empty);
    const std::string out = m_dir.File("EMPTY.TXT");
    test::WriteFileBytes(out, "old text");

    const TResult result = Run({"text", empty, out});

    EXPECT_EQ(result.Code, ExitCodes::Success);
    EXPECT_EQ(test::ReadFileBytes(out), "");
}

TEST_F(CliCompare, TextCommandFailuresExitTwo)
{
    const std::string missing = m_dir.File("MISSING.OBJ");
    const std::string out = m_dir.File("OUT.TXT");

    const TResult noSnapshot = Run({"text", missing, out});
    EXPECT_EQ(noSnapshot.Code, ExitCodes::Error);
    EXPECT_EQ(noSnapshot.Err, "Cannot open file " + missing + "\n");
    EXPECT_FALSE(std::filesystem::exists(out));

    const std::string unwritable = m_dir.File("NO_SUCH_FOLDER/OUT.TXT");
    const TResult noFolder = Run({"text", m_current, unwritable});
    EXPECT_EQ(noFolder.Code, ExitCodes::Error);
    EXPECT_EQ(noFolder.Out, "");
    EXPECT_EQ(noFolder.Err, "Cannot create file " + unwritable + "\n");
}

} // namespace
} // namespace quorvex
