#pragma once

#include <string>
#include <string_view>

namespace quorvex {

// `text` as a JSON string literal, quotes included. Valid UTF-8 passes through; any other byte
// is taken as Latin-1, which older snapshots hold, so the output is always valid UTF-8.
std::string JsonQuoted(std::string_view text);

} // namespace quorvex
