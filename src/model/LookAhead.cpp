#include "LookAhead.h"

#include <algorithm>

namespace quorvex {

namespace {
// Below this many pairs a plain scan is cheaper than building the index.
constexpr size_t kIndexThreshold = 1024;
} // namespace

TLookAhead::TLookAhead(std::span<const std::string_view> a, std::span<const std::string_view> b)
    : m_a(a)
    , m_b(b)
{
}

void TLookAhead::BuildIndex()
{
    for (int p = 0; p < static_cast<int>(m_a.size()); ++p)
        m_aPositions[m_a[p]].push_back(p);
    for (int p = 0; p < static_cast<int>(m_b.size()); ++p)
        m_bPositions[m_b[p]].push_back(p);
    m_indexed = true;
}

// Distance from `from` to the next position after it holding `value`, or 0 when none.
int TLookAhead::NextDistance(std::span<const std::string_view> seq, const TPositions& index,
                             int from, std::string_view value)
{
    if (index.empty()) {
        for (size_t p = static_cast<size_t>(from) + 1; p < seq.size(); ++p) {
            if (seq[p] == value)
                return static_cast<int>(p) - from;
        }
        return 0;
    }
    const auto it = index.find(value);
    if (it == index.end())
        return 0;
    const auto next = std::upper_bound(it->second.begin(), it->second.end(), from);
    return next == it->second.end() ? 0 : *next - from;
}

TLookAhead::TResult TLookAhead::Find(int i, int j)
{
    if (!m_indexed && m_a.size() * m_b.size() > kIndexThreshold)
        BuildIndex();
    const int removal = NextDistance(m_a, m_aPositions, i, m_b[static_cast<size_t>(j)]);
    const int insertion = NextDistance(m_b, m_bPositions, j, m_a[static_cast<size_t>(i)]);
    if (removal > 0 && (insertion == 0 || removal <= insertion))
        return {TRun::Removal, removal};
    if (insertion > 0)
        return {TRun::Insertion, insertion};
    return {};
}

} // namespace quorvex
