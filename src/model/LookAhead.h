#pragma once

#include <span>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace quorvex {

// Resolves a mismatch between a[i] and b[j] in a walk over two sequences: the nearest removal
// run (a[i + d] == b[j]) and the nearest insertion run (a[i] == b[j + d]), d >= 1, compared
// exactly. A removal run wins over an insertion run of the same length. This is the result of
// stepping both look-aheads one position at a time, found through an index of positions, so a
// walk over long sequences with little in common stays near linear.
class TLookAhead {
public:
    enum class TRun { None, Removal, Insertion };
    struct TResult {
        TRun Run = TRun::None;
        int Distance = 0;
    };

    TLookAhead(std::span<const std::string_view> a, std::span<const std::string_view> b);

    TResult Find(int i, int j);

private:
    using TPositions = std::unordered_map<std::string_view, std::vector<int>>;
    static int NextDistance(std::span<const std::string_view> seq, const TPositions& index,
                            int from, std::string_view value);
    void BuildIndex();

    std::span<const std::string_view> m_a;
    std::span<const std::string_view> m_b;
    bool m_indexed = false;
    TPositions m_aPositions;
    TPositions m_bPositions;
};

} // namespace quorvex
