#pragma once

// A deliberately naive second implementation of the line comparison and of the column list
// comparison, written step by step as the rules read: the look-ahead advances one position
// at a time, inserted columns are placed into the list at the current position. The
// randomized tests check the library's faster walk against it.

#include <string>
#include <string_view>
#include <vector>

namespace quorvex::test {

// Lines at CR LF, CR or LF; no empty line after a final break; none for an empty text.
std::vector<std::string> LiteralSplitLines(std::string_view text);

struct LiteralLineResult {
    std::vector<std::string> Report;
    std::string ComparisonText;
    bool Changed = false;
};

LiteralLineResult LiteralCompareLines(std::string_view current, std::string_view other);

// The text of an item without counterpart: every line with the mark, joined by CR LF.
std::string LiteralMarkedText(std::string_view text, const std::string& mark);

struct LiteralItem {
    int Id = 0;       // identifies the item in the merged result
    std::string Name; // columns match by name

    std::string Key;
    std::string Text; // creating text
};

struct LiteralMergedItem {
    int Id = 0;
    int State = 0;
    std::string ComparisonText;
};

struct LiteralListResult {
    std::vector<std::string> Report;
    std::vector<LiteralMergedItem> Merged;
};

// Columns: in column order, matched by exact name, mismatches resolved by look-ahead.
LiteralListResult LiteralCompareColumns(const std::vector<LiteralItem>& mine,
                                        const std::vector<LiteralItem>& theirs);

// Any other list: both sides in ascending key order (ASCII letters in upper case, equal keys
// in list order), matched by key.
LiteralListResult LiteralCompareKeyed(const std::vector<LiteralItem>& mine,
                                      const std::vector<LiteralItem>& theirs);

} // namespace quorvex::test
