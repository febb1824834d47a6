#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// Splits a text into lines at CR LF, CR or LF. A break at the very end adds no empty line;
// an empty text has no lines. The views point into `text`.
std::vector<std::string_view> SplitLines(std::string_view text);

// Turns every lone CR or LF into CR LF.
std::string NormalizeLineBreaks(std::string_view text);

} // namespace quorvex
