#pragma once

#include <cstddef>
#include <cstring>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>

namespace quorvex {

// A text held by one pointer, for item members that are empty in most items (a column's
// default and comment): empty it takes 8 bytes and no heap block, where std::string takes 32
// bytes in every item. A model holds a million columns. Reads like a std::string_view; assign
// any text to it.
class TCompactText {
public:
    TCompactText() noexcept = default;
    explicit TCompactText(std::string_view text) { Assign(text); }
    TCompactText(const TCompactText& other) { Assign(other.View()); }
    TCompactText(TCompactText&& other) noexcept = default;
    ~TCompactText() = default;

    TCompactText& operator=(const TCompactText& other)
    {
        if (this != &other)
            Assign(other.View());
        return *this;
    }
    TCompactText& operator=(TCompactText&& other) noexcept = default;
    TCompactText& operator=(std::string_view text)
    {
        Assign(text);
        return *this;
    }

    bool empty() const noexcept { return m_block == nullptr; }
    std::size_t size() const noexcept
    {
        std::size_t length = 0;
        if (m_block)
            std::memcpy(&length, m_block.get(), kHeader);
        return length;
    }
    void clear() noexcept { m_block.reset(); }

    // Not terminated by a zero byte, like any string_view.
    std::string_view View() const noexcept
    {
        return m_block ? std::string_view(m_block.get() + kHeader, size()) : std::string_view();
    }
    operator std::string_view() const noexcept { return View(); }
    operator std::string() const { return std::string(View()); }

    friend bool operator==(const TCompactText& a, std::string_view b) noexcept
    {
        return a.View() == b;
    }
    friend bool operator==(const TCompactText& a, const TCompactText& b) noexcept
    {
        return a.View() == b.View();
    }

private:
    // The block holds the length, then the bytes; an empty text holds no block.
    static constexpr std::size_t kHeader = sizeof(std::size_t);

    void Assign(std::string_view text);

    std::unique_ptr<char[]> m_block;
};

std::ostream& operator<<(std::ostream& out, const TCompactText& text);

} // namespace quorvex
