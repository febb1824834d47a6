#include "LineComparison.h"

#include "LookAhead.h"
#include "ObjectState.h"
#include "TextLines.h"
#include "persistence/AsciiText.h"

#include <span>
#include <vector>

namespace quorvex {

namespace {

class TLineWalk {
public:
    TLineWalk(TReportLines& report, size_t expectedSize)
        : m_report(report)
    {
        m_result.ComparisonText.reserve(expectedSize);
    }

    void Output(std::string_view mark, std::string_view line)
    {
        m_result.ComparisonText.append(mark);
        m_result.ComparisonText.append(line);
        m_result.ComparisonText.append("\r\n");
        m_report.Add(mark, line);
        if (mark != Marks::Unchanged && !line.empty())
            m_result.Changed = true;
    }

    void MarkChanged() { m_result.Changed = true; }
    TLineComparison Take() { return std::move(m_result); }

private:
    TReportLines& m_report;
    TLineComparison m_result;
};

bool HasLineBreak(std::string_view text) noexcept
{
    for (const char c : text) {
        if (c == '\r' || c == '\n')
            return true;
    }
    return false;
}

TLineComparison CompareLineLists(std::span<const std::string_view> a,
                                 std::span<const std::string_view> b, size_t currentSize,
                                 TReportLines& report)
{
    const int n = static_cast<int>(a.size());
    const int m = static_cast<int>(b.size());
    // Room for every current line unchanged, the usual outcome.
    TLineWalk walk(report, currentSize + 6 * a.size());
    TLookAhead lookAhead(a, b);

    int i = 0;
    int j = 0;
    while (i < n || j < m) {
        if (i >= n) {
            walk.Output(Marks::Added, b[j++]);
        } else if (j >= m) {
            walk.Output(Marks::Removed, a[i++]);
        } else if (SameTextAscii(a[i], b[j])) {
            walk.Output(Marks::Unchanged, a[i++]);
            ++j;
        } else {
            const auto found = lookAhead.Find(i, j);
            switch (found.Run) {
            case TLookAhead::TRun::Removal:
                for (const int end = i + found.Distance; i < end; ++i)
                    walk.Output(Marks::Removed, a[i]);
                break;
            case TLookAhead::TRun::Insertion:
                for (const int end = j + found.Distance; j < end; ++j)
                    walk.Output(Marks::Added, b[j]);
                break;
            case TLookAhead::TRun::None:
                walk.MarkChanged();
                walk.Output(Marks::Removed, a[i++]);
                walk.Output(Marks::Added, b[j++]);
                continue;
            }
            // Resynchronised on the line that matched.
            walk.Output(Marks::Unchanged, a[i++]);
            ++j;
        }
    }
    return walk.Take();
}

} // namespace

TLineComparison CompareLines(std::string_view current, std::string_view other, TReportLines& report)
{
    // Most compared texts (columns, constraints, indexes) are one line or none: they need no
    // line vectors.
    if (!HasLineBreak(current) && !HasLineBreak(other)) {
        const std::string_view a[1] = {current};
        const std::string_view b[1] = {other};
        return CompareLineLists(std::span(a, current.empty() ? 0 : 1),
                                std::span(b, other.empty() ? 0 : 1), current.size(), report);
    }
    const std::vector<std::string_view> a = SplitLines(current);
    const std::vector<std::string_view> b = SplitLines(other);
    return CompareLineLists(a, b, current.size(), report);
}

} // namespace quorvex
