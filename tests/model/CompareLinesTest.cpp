// The line-by-line comparison of two creating texts, the report lines and the report header.

#include "model/ComparisonReport.h"
#include "model/DefaultItem.h"
#include "model/LineComparison.h"
#include "model/ObjectState.h"
#include "model/ReportLines.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvex {
namespace {

// The report entries, each followed by "\n".
std::string Entries(const TReportLines& report, size_t from = 0)
{
    std::string text;
    for (size_t k = from; k < report.Count(); ++k)
        text += std::string(report[k]) + "\n";
    return text;
}

std::string WithCrLf(std::string text)
{
    for (size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 2))
        text.replace(at, 1, "\r\n");
    return text;
}

TEST(CompareLines, ReportTextAndState)
{
    struct {
        const char* current;
        const char* other;
        const char* report; // one entry a line; the comparison text has CR LF instead
        bool changed;
    } const cases[] = {
        {"X\r\nY", "X\r\nY", "[ ] X\n[ ] Y\n", false},
        // Letter case only: reported as in the current text.
        {"select X\r\nfrom dual", "SELECT x\r\nFROM DUAL", "[ ] select X\n[ ] from dual\n", false},
        {"X\r\nY", "X\r\nZ\r\nY", "[ ] X\n[+] Z\n[ ] Y\n", true},
        {"X\r\nZ\r\nY", "X\r\nY", "[ ] X\n[-] Z\n[ ] Y\n", true},
        {"X\r\nY", "Z\r\nW", "[-] X\n[+] Z\n[-] Y\n[+] W\n", true},
        {"", "X\r\nY", "[+] X\n[+] Y\n", true},
        {"X\r\nY\r\n", "", "[-] X\n[-] Y\n", true},
        {"", "", "", false},
        // Empty lines alone are no change.
        {"X\r\n\r\nY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false},
        {"X\r\nY", "X\r\n\r\nY", "[ ] X\n[+] \n[ ] Y\n", false},
        {"X", "X\r\n\r\n", "[ ] X\n[+] \n", false},
        // A removal run wins over an insertion run of the same length; a nearer insertion run
        // over a farther removal run.
        {"P\r\nQ\r\nR", "Q\r\nP\r\nR", "[-] P\n[ ] Q\n[+] P\n[ ] R\n", true},
        {"P\r\nX\r\nY\r\nQ", "Q\r\nZ\r\nP", "[+] Q\n[+] Z\n[ ] P\n[-] X\n[-] Y\n[-] Q\n", true},
        {"A\r\nB\r\nC\r\nD", "D", "[-] A\n[-] B\n[-] C\n[ ] D\n", true},
        // The look-ahead matches letter case exactly.
        {"P\r\nx", "X", "[-] P\n[+] X\n[-] x\n", true},
        {"\r\nQ", "Z", "[-] \n[+] Z\n[-] Q\n", true},
        {"X ", "X", "[-] X \n[+] X\n", true},
        // Any line break style; lone breaks give empty lines.
        {"X\rY\nZ\r\n", "X\nY\r\nZ\r", "[ ] X\n[ ] Y\n[ ] Z\n", false},
        {"X\n\rY", "X\r\nY", "[ ] X\n[-] \n[ ] Y\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.current) + " / " + testing::PrintToString(c.other));
        TReportLines report;
        report.Add("earlier entry");
        const TLineComparison result = CompareLines(c.current, c.other, report);
        EXPECT_EQ(Entries(report), std::string("earlier entry\n") + c.report);
        EXPECT_EQ(result.ComparisonText, WithCrLf(c.report));
        EXPECT_EQ(result.Changed, c.changed);

        // Through items: the state becomes 5 only when changed, and is otherwise left alone.
        TDefaultItem mine;
        TDefaultItem theirs;
        mine.ObjectText = c.current;
        theirs.ObjectText = c.other;
        mine.ObjectState = ObjectStates::Invalid;
        mine.SetComparisonText("left from an earlier comparison");
        TReportLines itemReport;
        mine.Compare(&theirs, itemReport, Marks::Unchanged);
        EXPECT_EQ(Entries(itemReport), c.report);
        EXPECT_EQ(mine.ComparisonText(), WithCrLf(c.report));
        EXPECT_EQ(mine.ObjectState, c.changed ? ObjectStates::Changed : ObjectStates::Invalid);
        EXPECT_EQ(theirs.ObjectText, c.other);
    }
}

TEST(CompareItem, WithoutCounterpartGivesOneMarkedEntry)
{
    struct {
        const char* text;
        const char* mark;
        const char* entry; // "": nothing reported
    } const cases[] = {
        {"X\r\nY", "[+] ", "[+] X\r\n[+] Y"},
        {"X\rY\n", "[-] ", "[-] X\r\n[-] Y"},
        {"X\r\n\r\nY\r\n", "[-] ", "[-] X\r\n[-] \r\n[-] Y"},
        {"\r\n", "[+] ", "[+] "},
        {"SINGLE", " ", " SINGLE"},
        {"", "[+] ", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::string(c.text)));
        TDefaultItem item;
        item.ObjectText = c.text;
        item.ObjectState = ObjectStates::Invalid;
        item.SetComparisonText("stale");
        TReportLines report;
        item.Compare(nullptr, report, c.mark);
        EXPECT_EQ(Entries(report), c.entry[0] == 0 ? "" : c.entry + std::string("\n"));
        EXPECT_EQ(item.ComparisonText(), c.entry);
        // The caller sets the state; comparing with nothing leaves it.
        EXPECT_EQ(item.ObjectState, ObjectStates::Invalid);
    }
}

TEST(ComparisonReport, HeaderEntriesTextAndChanges)
{
    TReportLines report;
    EXPECT_FALSE(ReportHasChanges(report));
    AddComparisonHeader(report, "ORCL.SCOTT", "/tmp/prod.OBJ", "12/03/2024 14:05:09");
    report.Add("[ ] ", "Table : EMP");
    report.Add("");
    report.Add("[ ] -- [-] inside a line\r\n[ ] b");
    report.Add("[+]");
    EXPECT_EQ(report.Text(), "To convert \"ORCL.SCOTT\" into \"/tmp/prod.OBJ\" on 12/03/2024 "
                             "14:05:09 apply the following changes.\r\n[-] Remove this line.\r\n"
                             "[+] Add this line.\r\n" +
                                 std::string(80, '-') +
                                 "\r\n[ ] Table : EMP\r\n\r\n[ ] -- [-] inside a line\r\n[ ] "
                                 "b\r\n[+]\r\n");
    ASSERT_EQ(report.Count(), 8u);
    EXPECT_EQ(report[6], "[ ] -- [-] inside a line\r\n[ ] b");
    // The header's own marks, marks inside a line and a bare mark are no change.
    EXPECT_FALSE(ReportHasChanges(report));
    for (const char* change : {"[-] X", "[+] X\r\n[+] Y"}) {
        TReportLines changed = report;
        changed.Add(change);
        EXPECT_TRUE(ReportHasChanges(changed)) << change;
    }
}

} // namespace
} // namespace quorvex
