#pragma once

#include <string>
#include <string_view>

// Names and literals as a DDL script writes them, so that Oracle reads back the very name the
// dictionary holds.
namespace quorvex::ddl {

// The name as it stands when it is a plain upper-case identifier that is no reserved word,
// else in double quotes (lower case, blanks, special characters, reserved words).
std::string QuotedName(std::string_view name);

// `owner`.`name`, each part quoted as needed; the name alone when `owner` is empty.
std::string QualifiedName(std::string_view owner, std::string_view name);

// A single-quoted SQL literal, quotes inside doubled.
std::string StringLiteral(std::string_view text);

// Whether Oracle made the name up (SYS_C and digits), as it does for a column's NOT NULL.
bool IsGeneratedName(std::string_view name) noexcept;

} // namespace quorvex::ddl
