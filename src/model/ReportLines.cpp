#include "ReportLines.h"

namespace quorvex {

void TReportLines::Add(std::string_view line)
{
    m_buffer.append(line);
    m_ends.push_back(m_buffer.size());
}

void TReportLines::Add(std::string_view prefix, std::string_view line)
{
    m_buffer.append(prefix);
    m_buffer.append(line);
    m_ends.push_back(m_buffer.size());
}

std::string_view TReportLines::operator[](size_t index) const noexcept
{
    const size_t begin = index == 0 ? 0 : m_ends[index - 1];
    return std::string_view(m_buffer).substr(begin, m_ends[index] - begin);
}

std::string TReportLines::Text() const
{
    std::string text;
    text.reserve(m_buffer.size() + 2 * m_ends.size());
    for (size_t i = 0; i < Count(); ++i) {
        text.append((*this)[i]);
        text.append("\r\n");
    }
    return text;
}

} // namespace quorvex
