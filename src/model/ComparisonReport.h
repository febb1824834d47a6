#pragma once

#include "ReportLines.h"

#include <string>
#include <string_view>

namespace quorvex {

class TObjectList;

// The four lines that open a comparison report: what is converted into what and when, the
// two marks, and a rule of 80 dashes.
void AddComparisonHeader(TReportLines& report, std::string_view sourceName,
                         std::string_view fileName, std::string_view dateTime);

// Compares the current model's objects with a loaded model's (mark " "), marking and merging
// the current list and appending every report line.
void CompareObjectLists(TObjectList& current, TObjectList& loaded, TReportLines& report);

// True when a line after the four header lines begins with "[-] " or "[+] ".
bool ReportHasChanges(const TReportLines& report);

} // namespace quorvex
