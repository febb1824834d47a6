#pragma once

#include <string_view>

namespace quorvex {

// ObjectState values: dictionary status and comparison marks share one integer.
namespace ObjectStates {
inline constexpr int Normal = 0;       // normal or unchanged
inline constexpr int Invalid = 1;      // invalid object
inline constexpr int Disabled = 2;     // disabled constraint
inline constexpr int Added = 3;        // only in the compared file
inline constexpr int Removed = 4;      // only in the current model
inline constexpr int Changed = 5;      // a non-empty line of its text differs
inline constexpr int ChangedIndex = 6; // an index that changed
} // namespace ObjectStates

// Comparison marks, four characters each.
namespace Marks {
inline constexpr std::string_view Unchanged = "[ ] ";
inline constexpr std::string_view Removed = "[-] ";
inline constexpr std::string_view Added = "[+] ";
} // namespace Marks

// "[-] " gives Removed, "[+] " Added, anything else Normal; the match is exact.
int MarkState(std::string_view mark) noexcept;

} // namespace quorvex
