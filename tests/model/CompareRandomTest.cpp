// The list comparisons, and through them the line comparison, checked on many random inputs
// against a deliberately naive second implementation written step by step as the rules read:
// the look-ahead advances one position at a time, the lists are walked one item at a time.
// The library's faster walk (an index for long look-aheads, keys folded once) must agree.

#include "ModelBuilder.h"
#include "model/FieldList.h"
#include "model/ObjectList.h"
#include "model/TriggerList.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace quorvex {
namespace {

// ---- The reference ----

std::string Fold(std::string text)
{
    for (char& c : text)
        c = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
    return text;
}

// Lines at CR LF, CR or LF; no empty line after a final break.
std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines(1);
    for (size_t k = 0; k < text.size(); ++k) {
        if (text[k] == '\r' || text[k] == '\n') {
            k += text[k] == '\r' && k + 1 < text.size() && text[k + 1] == '\n';
            lines.emplace_back();
        } else {
            lines.back() += text[k];
        }
    }
    if (lines.back().empty())
        lines.pop_back();
    return lines;
}

// The walk of the line and column comparisons over n and m elements: 'P' pairs a[i] with
// b[j] (`same`), 'R' removes a[i], 'A' adds b[j]. On a mismatch the look-ahead for an equal
// element (`equal`) steps one position at a time, a removal run tested before an insertion
// run; `none` is what a mismatch without a run gives.
template <class Same, class Equal>
std::string Walk(size_t n, size_t m, Same same, Equal equal, const char* none)
{
    std::string ops;
    size_t i = 0;
    size_t j = 0;
    const auto step = [&](char op) {
        ops += op;
        i += op != 'A';
        j += op != 'R';
    };
    while (i < n || j < m) {
        if (i == n || j == m || same(i, j)) {
            step(i == n ? 'A' : j == m ? 'R' : 'P');
            continue;
        }
        size_t i2 = i + 1;
        size_t j2 = j + 1;
        char run = 0;
        while (run == 0 && (i2 < n || j2 < m)) {
            if (i2 < n && equal(i2, j))
                run = 'R';
            else if (i2 < n)
                ++i2;
            if (run == 0 && j2 < m && equal(i, j2))
                run = 'A';
            else if (run == 0 && j2 < m)
                ++j2;
        }
        if (run == 0) {
            step(none[0]);
            step(none[1]);
            continue;
        }
        while (run == 'R' ? i < i2 : j < j2)
            step(run);
        step('P');
    }
    return ops;
}

const char* MarkOf(char op)
{
    return op == 'P' ? "[ ] " : op == 'R' ? "[-] " : "[+] ";
}

// The report, one entry a line, and the merged list, "id state comparison text" a line.
struct Result {
    std::string Report;
    std::string Merged;
};

struct RefItem {
    int Id;
    std::string Name; // columns match by name
    std::string Key;
    std::string Text;
};

// An item marked `op`, its creating text compared line by line with its counterpart's or,
// without one, reported whole as one entry.
void Mark(const RefItem& item, char op, const RefItem* other, Result& result)
{
    result.Report += MarkOf(op) + item.Key + "\n";
    int state = op == 'P' ? 0 : op == 'R' ? 4 : 3;
    std::string text;
    const auto a = SplitLines(item.Text);
    if (other == nullptr) {
        for (const auto& line : a)
            text += (text.empty() ? "" : "\r\n") + (MarkOf(op) + line);
        result.Report += text.empty() ? "" : text + "\n";
    } else {
        const auto b = SplitLines(other->Text);
        const auto same = [&](size_t x, size_t y) { return Fold(a[x]) == Fold(b[y]); };
        const auto equal = [&](size_t x, size_t y) { return a[x] == b[y]; };
        size_t i = 0;
        size_t j = 0;
        for (const char op2 : Walk(a.size(), b.size(), same, equal, "RA")) {
            const std::string& line = op2 == 'A' ? b[j] : a[i];
            result.Report += MarkOf(op2) + line + "\n";
            text += MarkOf(op2) + line + "\r\n";
            state = op2 != 'P' && !line.empty() ? 5 : state;
            i += op2 != 'A';
            j += op2 != 'R';
        }
    }
    result.Merged += std::to_string(item.Id) + " " + std::to_string(state) + " " + text + "\n";
}

// Columns: in column order, matched by exact name; a mismatch without a run adds, then
// removes. Any other list: both sides sorted by folded key (equal keys in list order), matched
// by key.
Result CompareListsLiterally(std::vector<RefItem> mine, std::vector<RefItem> theirs, bool columns)
{
    const auto less = [](const RefItem& x, const RefItem& y) { return Fold(x.Key) < Fold(y.Key); };
    std::string ops;
    if (columns) {
        const auto equal = [&](size_t x, size_t y) { return mine[x].Name == theirs[y].Name; };
        ops = Walk(mine.size(), theirs.size(), equal, equal, "AR");
    } else {
        std::stable_sort(mine.begin(), mine.end(), less);
        std::stable_sort(theirs.begin(), theirs.end(), less);
        for (size_t i = 0, j = 0; i < mine.size() || j < theirs.size();) {
            const bool add = i == mine.size() || (j < theirs.size() && less(theirs[j], mine[i]));
            ops += add ? 'A' : j == theirs.size() || less(mine[i], theirs[j]) ? 'R' : 'P';
            i += ops.back() != 'A';
            j += ops.back() != 'R';
        }
    }
    Result result;
    size_t i = 0;
    size_t j = 0;
    for (const char op : ops) {
        Mark(op == 'A' ? theirs[j] : mine[i], op, op == 'P' ? &theirs[j] : nullptr, result);
        i += op != 'A';
        j += op != 'R';
    }
    return result;
}

// ---- Random inputs ----

using Rng = std::mt19937_64;

int Uniform(Rng& rng, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(rng);
}

std::string Pick(Rng& rng, const std::vector<std::string>& choices)
{
    return choices[static_cast<size_t>(Uniform(rng, 0, static_cast<int>(choices.size()) - 1))];
}

enum class Kind { Lines, Columns, Keyed };

struct Shape {
    const char* Name;
    Kind What;
    std::uint64_t Seed;
    int Rounds;
    int Length;                        // 0: mostly a handful, sometimes enough for the index
    std::vector<std::string> Alphabet; // the lines, or the names of the items
    int EditRate;                      // 0: two unrelated sides; n: the other an edited copy
};

// A line (sometimes in upper case), or the stored properties of a column or a trigger.
std::string Draw(Rng& rng, const Shape& shape)
{
    const std::string pick = Pick(rng, shape.Alphabet);
    if (shape.What == Kind::Lines)
        return Uniform(rng, 0, 3) > 0 ? pick : Fold(pick);
    if (shape.What == Kind::Keyed)
        return "ObjectName=" + pick +
               "|ObjectText=" + Pick(rng, {"X", "x", "Y", "X\r\nY", "", "x\r\nZ\r\nY"});
    // Defaults vary the column's line, in letter case only or with a second line.
    return "FieldNo=" + std::to_string(Uniform(rng, 1, 12)) + "|FieldName=" + pick +
           "|FieldType=" + Pick(rng, {"12", "1", "96"}) + "|Length=" + Pick(rng, {"10", "20"}) +
           "|DefaultVal=" + Pick(rng, {"", "", "'x'", "'X'", "SYSDATE\r\n-- set", "0\r\n"});
}

// One side: random elements, or an edited copy of `base` (elements dropped, inserted,
// replaced, or copied from far ahead).
std::vector<std::string> Side(Rng& rng, const Shape& shape, const std::vector<std::string>* base)
{
    std::vector<std::string> side;
    const int kind = Uniform(rng, 0, 19);
    const int length = shape.Length > 0 ? shape.Length
                       : kind < 14      ? Uniform(rng, 0, 7)
                       : kind < 19      ? Uniform(rng, 20, 60)
                                        : Uniform(rng, 100, 250);
    for (int k = 0; base == nullptr && k < length; ++k)
        side.push_back(Draw(rng, shape));
    for (size_t k = 0; base != nullptr && k < base->size(); ++k) {
        const int edit = Uniform(rng, 0, shape.EditRate - 1);
        if (edit == 1 || edit == 2)
            side.push_back(Draw(rng, shape));
        if (edit == 3)
            side.push_back(Pick(rng, *base));
        if (edit != 0 && edit != 2)
            side.push_back((*base)[k]);
    }
    return side;
}

// Lines as the text of a procedure, joined by a random mix of CR LF, CR and LF, sometimes
// with a final break; short ones one time in four under another name, so that they have no
// counterpart.
std::vector<std::string> AsProcedure(Rng& rng, const std::vector<std::string>& lines)
{
    const std::vector<std::string> breaks = {"\r\n", "\r", "\n"};
    std::string text =
        lines.size() > 100 || Uniform(rng, 0, 3) > 0 ? "ObjectName=P" : "ObjectName=Q";
    text += "|ObjectType=7|ObjectText=";
    for (size_t k = 0; k < lines.size(); ++k)
        text += (k > 0 ? Pick(rng, breaks) : std::string()) + lines[k];
    return {lines.empty() || Uniform(rng, 0, 2) > 0 ? text : text + Pick(rng, breaks)};
}

// Object numbers that tell where a merged item came from: this list or a copy of the other's.
constexpr int kMine = 100000;
constexpr int kTheirs = 200000;

template <class List>
void ExpectSameComparison(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    List lists[2];
    std::vector<RefItem> refs[2];
    std::vector<const TDefaultItem*> items[2];
    for (int side = 0; side < 2; ++side) {
        for (const auto& props : side == 0 ? a : b) {
            auto* item = test::AddItem(lists[side], props);
            item->ObjectNo = (side == 0 ? kMine : kTheirs) + int(items[side].size());
            item->ObjectState = 1; // always overwritten by the comparison
            const TPropInfo* name = item->ClassInfo().FindProp("FieldName");
            refs[side].push_back({item->ObjectNo, name ? std::string(name->GetText(*item)) : "",
                                  item->GetKey(), item->GetCreatingText()});
            items[side].push_back(item);
        }
    }
    const Result expected =
        CompareListsLiterally(refs[0], refs[1], std::is_same_v<List, TFieldList>);
    TReportLines report;
    lists[0].Compare(&lists[1], report, " ");
    Result actual;
    for (size_t k = 0; k < report.Count(); ++k)
        actual.Report += std::string(report[k]) + "\n";
    for (int k = 0; k < lists[0].Count(); ++k) {
        const TDefaultItem* item = lists[0].Items(k);
        actual.Merged += std::to_string(item->ObjectNo) + " " + std::to_string(item->ObjectState) +
                         " " + item->ComparisonText() + "\n";
        // This list's own items stay; the other's are copies.
        const bool own = item->ObjectNo < kTheirs;
        const size_t at = size_t(item->ObjectNo - (own ? kMine : kTheirs));
        ASSERT_LT(at, items[own ? 0 : 1].size()) << k;
        const TDefaultItem* source = items[own ? 0 : 1][at];
        ASSERT_TRUE((item == source) == own && item->GetKey() + item->GetCreatingText() ==
                                                   source->GetKey() + source->GetCreatingText())
            << k;
    }
    ASSERT_EQ(actual.Report, expected.Report);
    ASSERT_EQ(actual.Merged, expected.Merged);
}

// The lines or names "<prefix>0" to "<prefix><count - 1>", and an empty one.
std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> names(1);
    for (int k = 0; k < count; ++k)
        names.push_back(prefix + std::to_string(k));
    return names;
}

// Texts of a handful of lines from a small alphabet; a text against an edited copy of itself
// (long runs of equal lines, changes between); long texts of many distinct lines.
// Columns whose names match exactly ("a" and "A" differ); long lists of distinct names, as in
// a real table, with runs found far ahead through the index. Keyed lists whose order depends
// on letter case and on "_" against letters and digits.
const Shape kShapes[] = {
    // clang-format off
    {"SmallAlphabet", Kind::Lines, 20240611, 8000, 0,
     {"X", "x", "Y", "Z", "W", "", " ", "X ", "\r", "\n"}, 0},
    {"EditedText", Kind::Lines, 99, 800, 0, Numbered("line ", 40), 10},
    {"LongManyDistinctLines", Kind::Lines, 4243, 2, 3000, Numbered("x := ", 3000), 0},
    {"UnrelatedColumns", Kind::Columns, 12345, 3000, 0, {"A", "B", "C", "D", "a", ""}, 0},
    {"EditedColumns", Kind::Columns, 54321, 2000, 0, {"A", "B", "C", "D", "a", ""}, 8},
    {"LongColumnLists", Kind::Columns, 2718, 4, 1500, Numbered("C", 100000), 50},
    {"KeyedLists", Kind::Keyed, 31337, 3000, 0,
     {"a", "A", "b", "B", "_", "a_", "A1", "ab", "AB", "", " "}, 0},
    // clang-format on
};

class CompareRandom : public testing::TestWithParam<size_t> {};

TEST_P(CompareRandom, AgreesWithTheReference)
{
    const Shape& shape = kShapes[GetParam()];
    Rng rng(shape.Seed);
    for (int round = 0; round < shape.Rounds && !HasFatalFailure(); ++round) {
        SCOPED_TRACE(round);
        const auto mine = Side(rng, shape, nullptr);
        const auto theirs = Side(rng, shape, shape.EditRate > 0 ? &mine : nullptr);
        if (shape.What == Kind::Lines)
            ExpectSameComparison<TObjectList>(AsProcedure(rng, mine), AsProcedure(rng, theirs));
        else if (shape.What == Kind::Columns)
            ExpectSameComparison<TFieldList>(mine, theirs);
        else
            ExpectSameComparison<TTriggerList>(mine, theirs);
    }
}

INSTANTIATE_TEST_SUITE_P(Shapes, CompareRandom, testing::Range(size_t{0}, std::size(kShapes)),
                         [](const auto& info) { return std::string(kShapes[info.param].Name); });

} // namespace
} // namespace quorvex
