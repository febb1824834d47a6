#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// Text comparison with ASCII letters folded to upper case and every other byte compared as
// an unsigned value, so "_" sorts after the letters. Property order and item keys use it.
constexpr char UpperAscii(char c) noexcept
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - ('a' - 'A')) : c;
}

// Negative, zero or positive; a text that is a prefix of another comes first.
int CompareTextAscii(std::string_view a, std::string_view b) noexcept;

bool SameTextAscii(std::string_view a, std::string_view b) noexcept;

// The text with ASCII letters in upper case; other bytes unchanged (Oracle's unquoted names).
std::string UpperAsciiText(std::string_view text);

} // namespace quorvex
