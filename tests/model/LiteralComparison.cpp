#include "LiteralComparison.h"

#include <cstddef>

namespace quorvex::test {

namespace {

const std::string kSame = "[ ] ";
const std::string kRemoved = "[-] ";
const std::string kAdded = "[+] ";

bool SameIgnoringCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t k = 0; k < a.size(); ++k) {
        char x = a[k];
        char y = b[k];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

int StateOfMark(const std::string& mark)
{
    if (mark == kRemoved)
        return 4;
    if (mark == kAdded)
        return 3;
    return 0;
}

struct LineWalk {
    LiteralLineResult Result;

    void Out(const std::string& mark, const std::string& line)
    {
        Result.ComparisonText += mark + line + "\r\n";
        Result.Report.push_back(mark + line);
        if (mark != kSame && !line.empty())
            Result.Changed = true;
    }
};

// The item comparison of a column with its counterpart or with nothing.
void CompareItem(const LiteralItem& item, const LiteralItem* other, const std::string& mark,
                 LiteralListResult& result, LiteralMergedItem& merged)
{
    merged.ComparisonText.clear();
    if (other == nullptr) {
        std::string text = LiteralMarkedText(item.Text, mark);
        if (text.empty())
            return;
        result.Report.push_back(text);
        merged.ComparisonText = text;
        return;
    }
    LiteralLineResult lines = LiteralCompareLines(item.Text, other->Text);
    for (auto& line : lines.Report)
        result.Report.push_back(line);
    if (lines.Changed)
        merged.State = 5;
    merged.ComparisonText = lines.ComparisonText;
}

} // namespace

std::vector<std::string> LiteralSplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::string line;
    bool open = false; // characters seen since the last break
    for (std::size_t k = 0; k < text.size(); ++k) {
        const char c = text[k];
        if (c == '\r') {
            lines.push_back(line);
            line.clear();
            open = false;
            if (k + 1 < text.size() && text[k + 1] == '\n')
                ++k;
        } else if (c == '\n') {
            lines.push_back(line);
            line.clear();
            open = false;
        } else {
            line += c;
            open = true;
        }
    }
    if (open)
        lines.push_back(line);
    return lines;
}

std::string LiteralMarkedText(std::string_view text, const std::string& mark)
{
    const std::vector<std::string> lines = LiteralSplitLines(text);
    std::string joined;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        if (k > 0)
            joined += "\r\n";
        joined += mark + lines[k];
    }
    return joined;
}

LiteralLineResult LiteralCompareLines(std::string_view current, std::string_view other)
{
    const std::vector<std::string> a = LiteralSplitLines(current);
    const std::vector<std::string> b = LiteralSplitLines(other);
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    LineWalk walk;
    int i = 0;
    int j = 0;
    while (i < n || j < m) {
        if (i >= n) {
            walk.Out(kAdded, b[j]);
            ++j;
        } else if (j >= m) {
            walk.Out(kRemoved, a[i]);
            ++i;
        } else if (SameIgnoringCase(a[i], b[j])) {
            walk.Out(kSame, a[i]);
            ++i;
            ++j;
        } else {
            int i2 = i + 1;
            int j2 = j + 1;
            bool found = false;
            while (i2 < n || j2 < m) {
                if (i2 < n && a[i2] == b[j]) {
                    for (; i < i2; ++i)
                        walk.Out(kRemoved, a[i]);
                    found = true;
                    break;
                } else if (i2 < n) {
                    ++i2;
                }
                if (j2 < m && a[i] == b[j2]) {
                    for (; j < j2; ++j)
                        walk.Out(kAdded, b[j]);
                    found = true;
                    break;
                } else if (j2 < m) {
                    ++j2;
                }
            }
            if (found) {
                walk.Out(kSame, a[i]);
            } else {
                walk.Result.Changed = true;
                walk.Out(kRemoved, a[i]);
                walk.Out(kAdded, b[j]);
            }
            ++i;
            ++j;
        }
    }
    return walk.Result;
}

LiteralListResult LiteralCompareColumns(const std::vector<LiteralItem>& mine,
                                        const std::vector<LiteralItem>& theirs)
{
    struct Entry {
        const LiteralItem* Column;
        LiteralMergedItem Merged;
    };
    LiteralListResult result;
    std::vector<Entry> self;
    for (const auto& c : mine)
        self.push_back({&c, {c.Id, 0, {}}});
    int n = static_cast<int>(self.size());
    const int m = static_cast<int>(theirs.size());
    int i = 0;
    int j = 0;

    const auto mark = [&](Entry& e, const std::string& mk, const LiteralItem* other) {
        e.Merged.State = StateOfMark(mk);
        result.Report.push_back(mk + e.Column->Key);
        CompareItem(*e.Column, other, mk, result, e.Merged);
    };
    // Step 1: a copy of other[j] at position i.
    const auto insertCopy = [&] {
        self.insert(self.begin() + i, Entry{&theirs[j], {theirs[j].Id, 0, {}}});
        ++n;
        mark(self[i], kAdded, nullptr);
        ++i;
        ++j;
    };
    // Step 2.
    const auto removeOne = [&] {
        mark(self[i], kRemoved, nullptr);
        ++i;
    };
    // Step 3.
    const auto pair = [&] {
        mark(self[i], kSame, &theirs[j]);
        ++i;
        ++j;
    };

    while (i < n || j < m) {
        if (i >= n) {
            insertCopy();
        } else if (j >= m) {
            removeOne();
        } else if (self[i].Column->Name == theirs[j].Name) {
            pair();
        } else {
            int i2 = i + 1;
            int j2 = j + 1;
            int run = 0; // 1 removal, 2 insertion
            while (i2 < n || j2 < m) {
                if (i2 < n && self[i2].Column->Name == theirs[j].Name) {
                    run = 1;
                    break;
                } else if (i2 < n) {
                    ++i2;
                }
                if (j2 < m && theirs[j2].Name == self[i].Column->Name) {
                    run = 2;
                    break;
                } else if (j2 < m) {
                    ++j2;
                }
            }
            if (run == 1) {
                while (i < i2)
                    removeOne();
                pair();
            } else if (run == 2) {
                while (j < j2)
                    insertCopy();
                pair();
            } else {
                insertCopy();
                removeOne();
            }
        }
    }
    for (auto& e : self)
        result.Merged.push_back(e.Merged);
    return result;
}

namespace {

int CompareKeysLiteral(const std::string& a, const std::string& b)
{
    std::string x = a;
    std::string y = b;
    for (char& ch : x)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 32);
    for (char& ch : y)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 32);
    for (std::size_t k = 0; k < x.size() && k < y.size(); ++k) {
        const auto cx = static_cast<unsigned char>(x[k]);
        const auto cy = static_cast<unsigned char>(y[k]);
        if (cx != cy)
            return cx < cy ? -1 : 1;
    }
    if (x.size() == y.size())
        return 0;
    return x.size() < y.size() ? -1 : 1;
}

// Insertion sort: plainly stable.
std::vector<const LiteralItem*> SortedByKey(const std::vector<LiteralItem>& items)
{
    std::vector<const LiteralItem*> sorted;
    for (const auto& item : items) {
        auto at = sorted.end();
        while (at != sorted.begin() && CompareKeysLiteral((*(at - 1))->Key, item.Key) > 0)
            --at;
        sorted.insert(at, &item);
    }
    return sorted;
}

} // namespace

LiteralListResult LiteralCompareKeyed(const std::vector<LiteralItem>& mine,
                                      const std::vector<LiteralItem>& theirs)
{
    LiteralListResult result;
    const std::vector<const LiteralItem*> a = SortedByKey(mine);
    const std::vector<const LiteralItem*> b = SortedByKey(theirs);
    const auto mark = [&](const LiteralItem& item, const std::string& mk,
                          const LiteralItem* other) {
        LiteralMergedItem merged{item.Id, StateOfMark(mk), {}};
        result.Report.push_back(mk + item.Key);
        CompareItem(item, other, mk, result, merged);
        result.Merged.push_back(merged);
    };
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() || j < b.size()) {
        const int c = i >= a.size()   ? 1
                      : j >= b.size() ? -1
                                      : CompareKeysLiteral(a[i]->Key, b[j]->Key);
        if (c == 0) {
            mark(*a[i], kSame, b[j]);
            ++i;
            ++j;
        } else if (c < 0) {
            mark(*a[i], kRemoved, nullptr);
            ++i;
        } else {
            mark(*b[j], kAdded, nullptr);
            ++j;
        }
    }
    return result;
}

} // namespace quorvex::test
