#include "JoinCondition.h"

namespace quorvex {

std::vector<std::string> SplitColumnList(std::string_view text)
{
    std::vector<std::string> items;
    std::string current;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (!quoted && (c == ',' || c == ' ')) {
            if (!current.empty())
                items.push_back(std::move(current));
            current.clear();
            continue;
        }
        current += c;
    }
    if (!current.empty())
        items.push_back(std::move(current));
    return items;
}

std::string JoinCondition(std::string_view first, std::string_view second, std::string_view key,
                          std::string_view fk)
{
    const std::vector<std::string> f = SplitColumnList(fk);
    const std::vector<std::string> k = SplitColumnList(key);
    if (f.empty() || k.empty())
        return {};
    const bool moreF = f.size() > k.size();
    const bool compound = k.size() > 1;
    std::string text = compound ? (moreF ? "(((" : "((") : (moreF ? "((" : "(");
    size_t j = 0;
    for (size_t i = 0; i < f.size(); ++i) {
        if (i >= 1) {
            if (j == 0)
                text += !compound || !moreF ? ") OR (" : ")) OR ((";
            else
                text += ") AND (";
        }
        text.append(first).append(".").append(f[i]).append("=");
        text.append(second).append(".").append(k[j]);
        if (++j == k.size())
            j = 0;
    }
    text += compound ? (moreF ? ")))" : "))") : (moreF ? "))" : ")");
    return text;
}

} // namespace quorvex
