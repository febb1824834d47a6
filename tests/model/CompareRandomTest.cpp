// The line comparison and the column list comparison checked against the step-by-step
// reference in LiteralComparison.cpp on many random inputs: same report lines, comparison
// texts, states and merged column order.

#include "LiteralComparison.h"
#include "model/DefaultItem.h"
#include "model/FieldList.h"
#include "model/LineComparison.h"
#include "model/ObjectState.h"
#include "model/TriggerList.h"

#include <gtest/gtest.h>
#include <random>
#include <string>
#include <vector>

namespace quorvex {
namespace {

using test::LiteralCompareColumns;
using test::LiteralCompareLines;
using test::LiteralItem;
using test::LiteralMarkedText;

using Rng = std::mt19937_64;

// Object numbers that tell where a merged item came from: this list or a copy of the other's.
constexpr int kMyIds = 100000;
constexpr int kTheirIds = 200000;

int Uniform(Rng& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

// Lines drawn from `alphabet`, joined by a random mix of CR LF, CR and LF, sometimes with a
// final break.
std::string TextFromLines(Rng& rng, int count, const std::vector<std::string>& alphabet)
{
    static const char* const breaks[] = {"\r\n", "\r", "\n"};
    std::string text;
    for (int k = 0; k < count; ++k) {
        if (k > 0)
            text += breaks[Uniform(rng, 0, 2)];
        text +=
            alphabet[static_cast<size_t>(Uniform(rng, 0, static_cast<int>(alphabet.size()) - 1))];
    }
    if (count > 0 && Uniform(rng, 0, 2) == 0)
        text += breaks[Uniform(rng, 0, 2)];
    return text;
}

// Raw characters including breaks: empty lines, CR LF pairs split across lines and the like.
std::string CharacterSoup(Rng& rng, int length)
{
    static const char chars[] = {'X', 'x', 'Y', ' ', '\r', '\n', '\r', '\n'};
    std::string text;
    for (int k = 0; k < length; ++k)
        text += chars[Uniform(rng, 0, 7)];
    return text;
}

// Mostly a handful of lines; about a quarter long enough that the look-ahead uses its index.
int RandomLength(Rng& rng)
{
    const int kind = Uniform(rng, 0, 19);
    if (kind < 14)
        return Uniform(rng, 0, 7);
    if (kind < 19)
        return Uniform(rng, 20, 60);
    return Uniform(rng, 100, 250);
}

std::vector<std::string> ReportEntries(const TReportLines& report, size_t from)
{
    std::vector<std::string> entries;
    for (size_t k = from; k < report.Count(); ++k)
        entries.emplace_back(report[k]);
    return entries;
}

// Compares one pair of texts both ways: CompareLines directly and through two items.
void ExpectSameLineComparison(const std::string& current, const std::string& other)
{
    SCOPED_TRACE(testing::Message() << "current=" << testing::PrintToString(current)
                                    << " other=" << testing::PrintToString(other));
    const test::LiteralLineResult expected = LiteralCompareLines(current, other);

    TReportLines report;
    report.Add("before");
    const TLineComparison result = CompareLines(current, other, report);
    ASSERT_EQ(report[0], "before");
    ASSERT_EQ(ReportEntries(report, 1), expected.Report);
    ASSERT_EQ(result.ComparisonText, expected.ComparisonText);
    ASSERT_EQ(result.Changed, expected.Changed);

    TDefaultItem mine;
    TDefaultItem theirs;
    mine.ObjectText = current;
    theirs.ObjectText = other;
    mine.ObjectState = ObjectStates::Invalid; // left alone unless a line changed
    TReportLines itemReport;
    mine.Compare(&theirs, itemReport, Marks::Unchanged);
    ASSERT_EQ(ReportEntries(itemReport, 0), expected.Report);
    ASSERT_EQ(mine.ComparisonText(), expected.ComparisonText);
    ASSERT_EQ(mine.ObjectState, expected.Changed ? ObjectStates::Changed : ObjectStates::Invalid);
    ASSERT_EQ(theirs.ObjectState, 0);

    // Without counterpart: the whole text, marked, as one entry.
    for (const std::string mark : {"[-] ", "[+] "}) {
        TDefaultItem alone;
        alone.ObjectText = current;
        alone.ObjectState = ObjectStates::Invalid;
        TReportLines aloneReport;
        alone.Compare(nullptr, aloneReport, mark);
        const std::string text = LiteralMarkedText(current, mark);
        ASSERT_EQ(alone.ComparisonText(), text);
        ASSERT_EQ(ReportEntries(aloneReport, 0),
                  text.empty() ? std::vector<std::string>{} : std::vector<std::string>{text});
        ASSERT_EQ(alone.ObjectState, ObjectStates::Invalid);
    }
}

TEST(CompareRandom, LiteralReferenceSplitsAsDocumented)
{
    // The reference itself must read texts the documented way, or agreeing with it proves
    // nothing.
    struct {
        const char* text;
        std::vector<std::string> lines;
    } const cases[] = {
        {"", {}},
        {"X", {"X"}},
        {"X\r\n", {"X"}},
        {"X\r\nY", {"X", "Y"}},
        {"X\rY\nZ", {"X", "Y", "Z"}},
        {"X\n\rY", {"X", "", "Y"}},
        {"\r\n", {""}},
        {"\r\n\r\n", {"", ""}},
        {"\n\n", {"", ""}},
        {"X\r\r", {"X", ""}},
        {"X\r\n\r", {"X", ""}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(test::LiteralSplitLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(CompareRandom, LinesOverSmallAlphabet)
{
    const std::vector<std::string> alphabet = {"X", "x", "Y", "y", "Z", "W", "", " ", "X "};
    Rng rng(20240611);
    for (int round = 0; round < 6000; ++round) {
        const std::string current = TextFromLines(rng, RandomLength(rng), alphabet);
        const std::string other = TextFromLines(rng, RandomLength(rng), alphabet);
        ExpectSameLineComparison(current, other);
        if (HasFatalFailure())
            return;
    }
}

TEST(CompareRandom, LinesAsCharacterSoup)
{
    Rng rng(777);
    for (int round = 0; round < 4000; ++round) {
        const std::string current = CharacterSoup(rng, Uniform(rng, 0, 14));
        const std::string other = CharacterSoup(rng, Uniform(rng, 0, 14));
        ExpectSameLineComparison(current, other);
        if (HasFatalFailure())
            return;
    }
}

TEST(CompareRandom, EditedCopiesOfOneText)
{
    // A text against an edited copy of itself: the usual case, long runs of equal lines with
    // removals, insertions, replacements and case changes between them.
    std::vector<std::string> alphabet;
    for (int k = 0; k < 40; ++k)
        alphabet.push_back("line " + std::to_string(k));
    alphabet.emplace_back("");
    Rng rng(99);
    for (int round = 0; round < 800; ++round) {
        std::vector<std::string> a;
        const int count = RandomLength(rng) + 1;
        for (int k = 0; k < count; ++k)
            a.push_back(alphabet[static_cast<size_t>(Uniform(rng, 0, 40))]);
        std::vector<std::string> b;
        for (const auto& line : a) {
            switch (Uniform(rng, 0, 9)) {
            case 0: // removed
                break;
            case 1: // another line inserted before it
                b.push_back(alphabet[static_cast<size_t>(Uniform(rng, 0, 40))]);
                b.push_back(line);
                break;
            case 2: // replaced
                b.push_back(alphabet[static_cast<size_t>(Uniform(rng, 0, 40))]);
                break;
            case 3: // different letter case
                b.push_back(line.empty() ? line : "LINE" + line.substr(4));
                break;
            default:
                b.push_back(line);
                break;
            }
        }
        std::string current;
        std::string other;
        for (const auto& line : a)
            current += line + "\r\n";
        for (const auto& line : b)
            other += line + "\r\n";
        ExpectSameLineComparison(current, other);
        if (HasFatalFailure())
            return;
    }
}

TEST(CompareRandom, LongTexts)
{
    Rng rng(4242);
    // Few distinct lines: runs are found close by.
    const std::vector<std::string> small = {"BEGIN", "begin", "END;", "  NULL;", ""};
    for (int round = 0; round < 3; ++round) {
        ExpectSameLineComparison(TextFromLines(rng, 5000, small), TextFromLines(rng, 5000, small));
        if (HasFatalFailure())
            return;
    }
    // Many distinct lines: little in common, most mismatches are exhausted look-aheads.
    std::vector<std::string> large;
    for (int k = 0; k < 3000; ++k)
        large.push_back("x := " + std::to_string(k) + ";");
    for (int round = 0; round < 2; ++round) {
        ExpectSameLineComparison(TextFromLines(rng, 3000, large), TextFromLines(rng, 2500, large));
        if (HasFatalFailure())
            return;
    }
}

// ---- Columns ----

struct ColumnShape {
    int Id;
    int FieldNo;
    std::string Name;
    int Type;
    int Length;
    std::string Default;
};

ColumnShape RandomColumn(Rng& rng, int id)
{
    // Names match exactly: "a" and "A" are different columns.
    static const char* const names[] = {"A", "B", "C", "D", "a", ""};
    // Defaults vary the column's line, in letter case only or with a second line.
    static const char* const defaults[] = {"", "", "'x'", "'X'", "SYSDATE\r\n-- set", "0\r\n"};
    static const int types[] = {12, 1, 1, 96};
    static const int lengths[] = {10, 20};
    return ColumnShape{id,
                       Uniform(rng, 1, 12),
                       names[Uniform(rng, 0, 5)],
                       types[Uniform(rng, 0, 3)],
                       lengths[Uniform(rng, 0, 1)],
                       defaults[Uniform(rng, 0, 5)]};
}

TFieldItem* AddColumn(TFieldList& list, const ColumnShape& shape)
{
    TFieldItem* item = list.NewItem();
    item->ObjectNo = shape.Id;
    item->FieldNo = shape.FieldNo;
    item->FieldName = shape.Name;
    item->FieldType = shape.Type;
    item->Length = shape.Length;
    item->DefaultVal = shape.Default;
    item->ObjectState = ObjectStates::Invalid; // always overwritten by the comparison
    return item;
}

LiteralItem ReferenceColumn(const TFieldItem& item)
{
    return LiteralItem{item.ObjectNo, item.FieldName, item.GetKey(), item.GetCreatingText()};
}

void ExpectSameColumnComparison(const std::vector<ColumnShape>& mineSpecs,
                                const std::vector<ColumnShape>& theirSpecs)
{
    TFieldList mine;
    TFieldList theirs;
    std::vector<LiteralItem> mineRef;
    std::vector<LiteralItem> theirRef;
    std::vector<const TFieldItem*> mineItems;
    std::vector<const TFieldItem*> theirItems;
    std::string names[2];
    for (const auto& s : mineSpecs) {
        mineItems.push_back(AddColumn(mine, s));
        mineRef.push_back(ReferenceColumn(*mineItems.back()));
        names[0] += "[" + s.Name + "]";
    }
    for (const auto& s : theirSpecs) {
        theirItems.push_back(AddColumn(theirs, s));
        theirRef.push_back(ReferenceColumn(*theirItems.back()));
        names[1] += "[" + s.Name + "]";
    }
    SCOPED_TRACE("mine " + names[0] + " theirs " + names[1]);
    const test::LiteralListResult expected = LiteralCompareColumns(mineRef, theirRef);

    TReportLines report;
    mine.Compare(&theirs, report, " ");

    ASSERT_EQ(ReportEntries(report, 0), expected.Report);
    ASSERT_EQ(mine.Count(), static_cast<int>(expected.Merged.size()));
    for (int k = 0; k < mine.Count(); ++k) {
        SCOPED_TRACE(k);
        const TFieldItem* item = mine.Items(k);
        const auto& want = expected.Merged[static_cast<size_t>(k)];
        ASSERT_EQ(item->ObjectNo, want.Id);
        ASSERT_EQ(item->ObjectState, want.State);
        ASSERT_EQ(item->ComparisonText(), want.ComparisonText);
        if (want.Id < kTheirIds) {
            // One of this list's own columns, not a copy of it.
            ASSERT_EQ(item, mineItems[static_cast<size_t>(want.Id - kMyIds)]);
        } else {
            // A copy of the other list's column, which stays where it was.
            const TFieldItem* source = theirItems[static_cast<size_t>(want.Id - kTheirIds)];
            ASSERT_NE(item, source);
            ASSERT_EQ(item->GetKey(), source->GetKey());
            ASSERT_EQ(item->GetCreatingText(), source->GetCreatingText());
        }
    }
    ASSERT_EQ(theirs.Count(), static_cast<int>(theirSpecs.size()));
    for (int k = 0; k < theirs.Count(); ++k) {
        ASSERT_EQ(theirs.Items(k), theirItems[static_cast<size_t>(k)]);
        ASSERT_EQ(theirs.Items(k)->ObjectState, ObjectStates::Invalid);
        ASSERT_EQ(theirs.Items(k)->ComparisonText(), "");
    }
}

void RunColumnRounds(std::uint64_t seed, int rounds, bool related)
{
    Rng rng(seed);
    for (int round = 0; round < rounds; ++round) {
        std::vector<ColumnShape> mine;
        std::vector<ColumnShape> theirs;
        const int n = RandomLength(rng);
        for (int k = 0; k < n; ++k)
            mine.push_back(RandomColumn(rng, kMyIds + k));
        if (related) {
            // An edited copy: columns kept, dropped, inserted, retyped.
            for (const auto& c : mine) {
                const int edit = Uniform(rng, 0, 7);
                if (edit == 0)
                    continue;
                if (edit == 1)
                    theirs.push_back(RandomColumn(rng, 0));
                ColumnShape copy = c;
                if (edit == 2)
                    copy.Type = 12;
                theirs.push_back(copy);
            }
            for (size_t k = 0; k < theirs.size(); ++k)
                theirs[k].Id = kTheirIds + static_cast<int>(k);
        } else {
            const int m = RandomLength(rng);
            for (int k = 0; k < m; ++k)
                theirs.push_back(RandomColumn(rng, kTheirIds + k));
        }
        ExpectSameColumnComparison(mine, theirs);
        if (testing::Test::HasFatalFailure())
            return;
    }
}

TEST(CompareRandom, UnrelatedColumnLists)
{
    RunColumnRounds(12345, 3000, false);
}

TEST(CompareRandom, EditedColumnLists)
{
    RunColumnRounds(54321, 2000, true);
}

TEST(CompareRandom, LongColumnLists)
{
    // Distinct names, as in a real table: long runs found far ahead through the index.
    Rng rng(2718);
    for (int round = 0; round < 4; ++round) {
        std::vector<ColumnShape> mine;
        std::vector<ColumnShape> theirs;
        for (int k = 0; k < 1500; ++k) {
            ColumnShape c = RandomColumn(rng, kMyIds + k);
            c.Name = "C" + std::to_string(k);
            mine.push_back(c);
        }
        for (const auto& c : mine) {
            const int edit = Uniform(rng, 0, 49);
            if (edit == 0)
                continue; // dropped
            if (edit == 1) {
                // A block of new columns.
                for (int k = Uniform(rng, 1, 30); k > 0; --k) {
                    ColumnShape added = RandomColumn(rng, 0);
                    added.Name = "N" + std::to_string(Uniform(rng, 0, 99999));
                    theirs.push_back(added);
                }
            }
            if (edit == 2) {
                // Moved far ahead: found by a long look-ahead.
                ColumnShape moved = mine[static_cast<size_t>(Uniform(rng, 0, 1499))];
                theirs.push_back(moved);
            }
            theirs.push_back(c);
        }
        for (size_t k = 0; k < theirs.size(); ++k)
            theirs[k].Id = kTheirIds + static_cast<int>(k);
        ExpectSameColumnComparison(mine, theirs);
        if (HasFatalFailure())
            return;
    }
}

// ---- Lists matched by key ----

TEST(CompareRandom, KeyedListsAgainstReference)
{
    // Names whose order depends on letter case and on "_" against letters and digits.
    static const char* const names[] = {"a", "A", "b", "B", "_", "a_", "A1", "ab", "AB", "", " "};
    static const char* const texts[] = {"X", "x", "Y", "X\r\nY", "", "x\r\nZ\r\nY"};
    Rng rng(31337);
    for (int round = 0; round < 3000; ++round) {
        TTriggerList mine;
        TTriggerList theirs;
        std::vector<test::LiteralItem> mineRef;
        std::vector<test::LiteralItem> theirRef;
        std::vector<const TTriggerItem*> mineItems;
        const auto fill = [&](TTriggerList& list, std::vector<test::LiteralItem>& ref, int firstId,
                              std::vector<const TTriggerItem*>* items) {
            const int count = RandomLength(rng);
            for (int k = 0; k < count; ++k) {
                TTriggerItem* item = list.NewItem();
                item->ObjectNo = firstId + k;
                item->ObjectName = names[Uniform(rng, 0, 10)];
                item->ObjectText = texts[Uniform(rng, 0, 5)];
                item->ObjectState = ObjectStates::Invalid;
                ref.push_back(
                    {item->ObjectNo, item->ObjectName, item->GetKey(), item->GetCreatingText()});
                if (items != nullptr)
                    items->push_back(item);
            }
        };
        fill(mine, mineRef, kMyIds, &mineItems);
        fill(theirs, theirRef, kTheirIds, nullptr);
        const test::LiteralListResult expected = test::LiteralCompareKeyed(mineRef, theirRef);

        TReportLines report;
        mine.Compare(&theirs, report, " ");
        ASSERT_EQ(ReportEntries(report, 0), expected.Report) << "round " << round;
        ASSERT_EQ(mine.Count(), static_cast<int>(expected.Merged.size()));
        for (int k = 0; k < mine.Count(); ++k) {
            const auto& want = expected.Merged[static_cast<size_t>(k)];
            ASSERT_EQ(mine.Items(k)->ObjectNo, want.Id) << "round " << round << " item " << k;
            ASSERT_EQ(mine.Items(k)->ObjectState, want.State) << "round " << round;
            ASSERT_EQ(mine.Items(k)->ComparisonText(), want.ComparisonText) << "round " << round;
            if (want.Id < kTheirIds) {
                ASSERT_EQ(mine.Items(k), mineItems[static_cast<size_t>(want.Id - kMyIds)]);
            }
        }
    }
}

} // namespace
} // namespace quorvex
