#include "ComparisonReport.h"

#include "ObjectList.h"
#include "ObjectState.h"

#include <string>

namespace quorvex {

void AddComparisonHeader(TReportLines& report, std::string_view sourceName,
                         std::string_view fileName, std::string_view dateTime)
{
    std::string first = "To convert \"";
    first.append(sourceName);
    first.append("\" into \"");
    first.append(fileName);
    first.append("\" on ");
    first.append(dateTime);
    first.append(" apply the following changes.");
    report.Add(first);
    report.Add("[-] Remove this line.");
    report.Add("[+] Add this line.");
    report.Add(std::string(80, '-'));
}

void CompareObjectLists(TObjectList& current, TObjectList& loaded, TReportLines& report)
{
    current.Compare(&loaded, report, " ");
}

bool ReportHasChanges(const TReportLines& report)
{
    for (size_t i = 4; i < report.Count(); ++i) {
        const std::string_view line = report[i];
        if (line.starts_with(Marks::Removed) || line.starts_with(Marks::Added))
            return true;
    }
    return false;
}

} // namespace quorvex
