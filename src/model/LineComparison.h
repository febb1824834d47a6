#pragma once

#include "ReportLines.h"

#include <string>
#include <string_view>

namespace quorvex {

// The outcome of comparing two texts line by line.
struct TLineComparison {
    std::string ComparisonText; // every line with its mark, each followed by CR LF
    bool Changed = false;       // a non-empty line was removed or added, or lines were exhausted
};

// Walks the lines of `current` and `other`: lines equal ignoring ASCII letter case are
// unchanged (reported as in `current`); a mismatch is resolved by the nearest removal or
// insertion run of exactly equal lines, else the pair is reported removed and added.
// Appends "[ ] ", "[-] " and "[+] " lines to the report.
TLineComparison CompareLines(std::string_view current, std::string_view other,
                             TReportLines& report);

} // namespace quorvex
