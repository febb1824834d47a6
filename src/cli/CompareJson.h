#pragma once

#include "ReportClock.h"

#include <functional>
#include <string>
#include <string_view>

namespace quorvex {

class TDBNewOracle;

// What a JSON comparison report opens with.
struct TCompareJsonHeader {
    std::string Source; // the current model's source: a snapshot file or alias/user
    std::string Target; // the snapshot file compared with
    TLocalTime Date;
    bool Changes = false; // some line is to be removed or added
};

// Writes a comparison as JSON (docs/compare-report.schema.json): the header, then one entry
// per object of the current model's merged list (after CompareObjectLists) with its kind,
// owner, name, state and the lines to remove and to add, its columns, triggers, indexes and
// constraints included. Unchanged objects only with `all`. Objects are written one at a time
// through `write`: a large schema's report is too big to build as one text.
void WriteCompareJson(const TDBNewOracle& current, const TDBNewOracle& target,
                      const TCompareJsonHeader& header, bool all,
                      const std::function<void(std::string_view)>& write);

// A local time as RFC 3339, "2026-12-06T17:40:12+01:00".
std::string Rfc3339(const TLocalTime& time);

} // namespace quorvex
