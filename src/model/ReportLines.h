#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quorvex {

// The lines of a comparison report, in order. One entry may itself hold several lines joined
// by CR LF (the text of an item without counterpart). Entries are kept in one buffer: a
// comparison of a large schema produces millions of them.
class TReportLines {
public:
    void Add(std::string_view line);
    // Adds prefix + line as one entry without building a temporary.
    void Add(std::string_view prefix, std::string_view line);

    size_t Count() const noexcept { return m_ends.size(); }
    std::string_view operator[](size_t index) const noexcept;
    bool Empty() const noexcept { return m_ends.empty(); }

    // Every entry followed by CR LF: the text the Description pane and the command-line tool
    // show.
    std::string Text() const;

private:
    std::string m_buffer;
    std::vector<size_t> m_ends;
};

} // namespace quorvex
