#include "CompactText.h"

#include <cstring>
#include <ostream>

namespace quorvex {

void TCompactText::Assign(std::string_view text)
{
    if (text.empty()) {
        m_block.reset();
        return;
    }
    // Built aside first: `text` may view this very block.
    auto block = std::make_unique_for_overwrite<char[]>(kHeader + text.size());
    const std::size_t length = text.size();
    std::memcpy(block.get(), &length, kHeader);
    std::memcpy(block.get() + kHeader, text.data(), length);
    m_block = std::move(block);
}

std::ostream& operator<<(std::ostream& out, const TCompactText& text)
{
    return out << text.View();
}

} // namespace quorvex
