// The line-by-line comparison of two creating texts, key order, the report lines and the
// report header.

#include "model/ComparisonReport.h"
#include "model/DefaultItem.h"
#include "model/IndexItem.h"
#include "model/LineComparison.h"
#include "model/ObjectState.h"
#include "model/ReportLines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorvex {
namespace {

std::vector<std::string> Entries(const TReportLines& report)
{
    std::vector<std::string> entries;
    for (size_t k = 0; k < report.Count(); ++k)
        entries.emplace_back(report[k]);
    return entries;
}

// The comparison text the report lines give: each followed by CR LF.
std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

struct LineCase {
    const char* name;
    const char* current;
    const char* other;
    std::vector<std::string> report;
    bool changed;
};

const LineCase kLineCases[] = {
    {"identical", "X\r\nY", "X\r\nY", {"[ ] X", "[ ] Y"}, false},
    {"letter case only, reported as in the current text",
     "select X\r\nfrom dual",
     "SELECT x\r\nFROM DUAL",
     {"[ ] select X", "[ ] from dual"},
     false},
    {"line added, then the matched line unchanged",
     "X\r\nY",
     "X\r\nZ\r\nY",
     {"[ ] X", "[+] Z", "[ ] Y"},
     true},
    {"line removed, then the matched line unchanged",
     "X\r\nZ\r\nY",
     "X\r\nY",
     {"[ ] X", "[-] Z", "[ ] Y"},
     true},
    {"nothing in common", "X\r\nY", "Z\r\nW", {"[-] X", "[+] Z", "[-] Y", "[+] W"}, true},
    {"all added", "", "X\r\nY", {"[+] X", "[+] Y"}, true},
    {"all removed", "X\r\nY\r\n", "", {"[-] X", "[-] Y"}, true},
    {"both empty", "", "", {}, false},
    {"only an empty line removed", "X\r\n\r\nY", "X\r\nY", {"[ ] X", "[-] ", "[ ] Y"}, false},
    {"only an empty line added", "X\r\nY", "X\r\n\r\nY", {"[ ] X", "[+] ", "[ ] Y"}, false},
    {"empty line added at the end", "X", "X\r\n\r\n", {"[ ] X", "[+] "}, false},
    {"removal run wins over an insertion run of the same length",
     "P\r\nQ\r\nR",
     "Q\r\nP\r\nR",
     {"[-] P", "[ ] Q", "[+] P", "[ ] R"},
     true},
    {"nearer insertion run wins over a farther removal run",
     "P\r\nX\r\nY\r\nQ",
     "Q\r\nZ\r\nP",
     {"[+] Q", "[+] Z", "[ ] P", "[-] X", "[-] Y", "[-] Q"},
     true},
    {"longer removal run", "A\r\nB\r\nC\r\nD", "D", {"[-] A", "[-] B", "[-] C", "[ ] D"}, true},
    {"look-ahead matches letter case exactly", "P\r\nx", "X", {"[-] P", "[+] X", "[-] x"}, true},
    {"exhausted look-ahead with an empty line", "\r\nQ", "Z", {"[-] ", "[+] Z", "[-] Q"}, true},
    {"trailing blank is a difference", "X ", "X", {"[-] X ", "[+] X"}, true},
    {"any line break style", "X\rY\nZ\r\n", "X\nY\r\nZ\r", {"[ ] X", "[ ] Y", "[ ] Z"}, false},
    {"lone breaks give empty lines", "X\n\rY", "X\r\nY", {"[ ] X", "[-] ", "[ ] Y"}, false},
};

class LineComparisonCases : public testing::TestWithParam<LineCase> {};

TEST_P(LineComparisonCases, ReportTextAndState)
{
    const LineCase& c = GetParam();
    TReportLines report;
    report.Add("earlier entry");
    const TLineComparison result = CompareLines(c.current, c.other, report);
    std::vector<std::string> expected = {"earlier entry"};
    expected.insert(expected.end(), c.report.begin(), c.report.end());
    EXPECT_EQ(Entries(report), expected);
    EXPECT_EQ(result.ComparisonText, Joined(c.report));
    EXPECT_EQ(result.Changed, c.changed);

    // Through items: the state becomes 5 only when changed, and is otherwise left alone.
    TDefaultItem mine;
    TDefaultItem theirs;
    mine.ObjectText = c.current;
    theirs.ObjectText = c.other;
    mine.ObjectState = ObjectStates::Normal;
    mine.SetComparisonText("left from an earlier comparison");
    TReportLines itemReport;
    mine.Compare(&theirs, itemReport, Marks::Unchanged);
    EXPECT_EQ(Entries(itemReport), c.report);
    EXPECT_EQ(mine.ComparisonText(), Joined(c.report));
    EXPECT_EQ(mine.ObjectState, c.changed ? ObjectStates::Changed : ObjectStates::Normal);
    EXPECT_EQ(theirs.ObjectText, c.other);
}

INSTANTIATE_TEST_SUITE_P(Compare, LineComparisonCases, testing::ValuesIn(kLineCases),
                         [](const testing::TestParamInfo<LineCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p != 0; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

TEST(CompareItem, WithoutCounterpartGivesOneMarkedEntry)
{
    struct {
        const char* text;
        const char* mark;
        const char* entry; // nullptr: nothing reported
    } const cases[] = {
        {"X\r\nY", "[+] ", "[+] X\r\n[+] Y"},
        {"X\rY\n", "[-] ", "[-] X\r\n[-] Y"},
        {"X\r\n\r\nY\r\n", "[-] ", "[-] X\r\n[-] \r\n[-] Y"},
        {"\r\n", "[+] ", "[+] "},
        {"SINGLE", " ", " SINGLE"},
        {"", "[+] ", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        TDefaultItem item;
        item.ObjectText = c.text;
        item.ObjectState = ObjectStates::Invalid;
        item.SetComparisonText("stale");
        TReportLines report;
        item.Compare(nullptr, report, c.mark);
        if (c.entry == nullptr) {
            EXPECT_EQ(report.Count(), 0u);
            EXPECT_EQ(item.ComparisonText(), "");
        } else {
            EXPECT_EQ(Entries(report), std::vector<std::string>{c.entry});
            EXPECT_EQ(item.ComparisonText(), c.entry);
        }
        // The caller sets the state; comparing with nothing leaves it.
        EXPECT_EQ(item.ObjectState, ObjectStates::Invalid);
    }
}

TEST(CompareItem, IndexChangeIsMarkedAsIndexChange)
{
    TIndexItem mine;
    mine.ObjectName = "EMP_NAME";
    mine.TableName = "EMP";
    mine.IndexFields = "NAME";
    TIndexItem theirs;
    theirs.Assign(mine);
    theirs.IndexFields = "NAME,ID";
    TReportLines report;
    mine.Compare(&theirs, report, Marks::Unchanged);
    EXPECT_EQ(Entries(report),
              (std::vector<std::string>{"[-] CREATE INDEX EMP_NAME ON EMP (NAME);",
                                        "[+] CREATE INDEX EMP_NAME ON EMP (NAME,ID);"}));
    EXPECT_EQ(mine.ObjectState, ObjectStates::ChangedIndex);

    // Letter case only: unchanged, state as it was.
    TIndexItem same;
    same.Assign(mine);
    same.ObjectState = ObjectStates::Normal;
    theirs.IndexFields = "name";
    TReportLines sameReport;
    same.Compare(&theirs, sameReport, Marks::Unchanged);
    EXPECT_EQ(Entries(sameReport),
              std::vector<std::string>{"[ ] CREATE INDEX EMP_NAME ON EMP (NAME);"});
    EXPECT_EQ(same.ObjectState, ObjectStates::Normal);
}

TEST(CompareKeys, FoldsLettersToUpperCase)
{
    struct {
        const char* a;
        const char* b;
        int sign;
    } const cases[] = {
        {"EMP", "EMP", 0},
        {"emp", "EMP", 0},
        {"Emp_Ix", "EMP_IX", 0},
        {"A", "B", -1},
        {"a", "B", -1},
        {"B", "a", 1},
        {"AB", "ABC", -1},
        {"", "A", -1},
        // "_" is above every letter once letters are upper case.
        {"EMP_IX", "EMPNO_IX", 1},
        {"emp_ix", "EMPNO_IX", 1},
        {"A_", "Az", 1},
        {"A1", "A_", -1},
        {"A ", "A1", -1},
    };
    for (const auto& c : cases) {
        TIndexItem a;
        TIndexItem b;
        a.ObjectName = c.a;
        b.ObjectName = c.b;
        const int result = CompareKeys(&a, &b);
        EXPECT_EQ((result > 0) - (result < 0), c.sign) << c.a << " vs " << c.b;
        const int reverse = CompareKeys(&b, &a);
        EXPECT_EQ((reverse > 0) - (reverse < 0), -c.sign) << c.b << " vs " << c.a;
    }
    TIndexItem any;
    EXPECT_LT(CompareKeys(nullptr, &any), 0);
    EXPECT_GT(CompareKeys(&any, nullptr), 0);
    EXPECT_EQ(CompareKeys(nullptr, nullptr), 0);
}

TEST(MarkState, ExactMarksOnly)
{
    EXPECT_EQ(MarkState("[ ] "), 0);
    EXPECT_EQ(MarkState("[-] "), 4);
    EXPECT_EQ(MarkState("[+] "), 3);
    EXPECT_EQ(MarkState(" "), 0);
    EXPECT_EQ(MarkState("[+]"), 0);
    EXPECT_EQ(MarkState("[-]  "), 0);
}

TEST(ReportLines, EntriesAndText)
{
    TReportLines report;
    EXPECT_TRUE(report.Empty());
    EXPECT_EQ(report.Text(), "");
    report.Add("first");
    report.Add("[+] ", "second");
    report.Add("");
    report.Add("[+] a\r\n[+] b");
    ASSERT_EQ(report.Count(), 4u);
    EXPECT_FALSE(report.Empty());
    EXPECT_EQ(report[0], "first");
    EXPECT_EQ(report[1], "[+] second");
    EXPECT_EQ(report[2], "");
    EXPECT_EQ(report[3], "[+] a\r\n[+] b");
    EXPECT_EQ(report.Text(), "first\r\n[+] second\r\n\r\n[+] a\r\n[+] b\r\n");
}

TEST(ComparisonReport, HeaderLines)
{
    TReportLines report;
    AddComparisonHeader(report, "ORCL.SCOTT", "/tmp/prod.OBJ", "12/03/2024 14:05:09");
    EXPECT_EQ(Entries(report),
              (std::vector<std::string>{
                  "To convert \"ORCL.SCOTT\" into \"/tmp/prod.OBJ\" on 12/03/2024 14:05:09 apply "
                  "the following changes.",
                  "[-] Remove this line.", "[+] Add this line.", std::string(80, '-')}));
}

TEST(ComparisonReport, HasChangesLooksPastTheHeader)
{
    TReportLines report;
    EXPECT_FALSE(ReportHasChanges(report));
    AddComparisonHeader(report, "a", "b", "c");
    EXPECT_FALSE(ReportHasChanges(report)); // the header's own marks do not count
    report.Add("[ ] Table : EMP");
    report.Add("[ ]  Source");
    report.Add("[ ] -- [-] inside a line");
    EXPECT_FALSE(ReportHasChanges(report));

    TReportLines removed = report;
    removed.Add("[-] X");
    EXPECT_TRUE(ReportHasChanges(removed));
    TReportLines added = report;
    added.Add("[+] X\r\n[+] Y");
    EXPECT_TRUE(ReportHasChanges(added));
    TReportLines markOnly = report;
    markOnly.Add("[+]");
    EXPECT_FALSE(ReportHasChanges(markOnly));
}

} // namespace
} // namespace quorvex
