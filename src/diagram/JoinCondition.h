#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Splits a column list at commas and blanks; a double-quoted name stays whole, quotes included.
std::vector<std::string> SplitColumnList(std::string_view text);

// The join condition of a reference from table `first` (foreign-key columns `fk`) to table
// `second` (key columns `key`): the columns paired in order, "(A.X=B.Y) AND (...)", and each
// further run of key-length foreign-key columns an alternative joined by OR. Empty when either
// list is empty: no column pair can be formed.
std::string JoinCondition(std::string_view first, std::string_view second, std::string_view key,
                          std::string_view fk);

} // namespace quorvex
