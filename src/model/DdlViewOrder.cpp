#include "DdlViewOrder.h"

#include <functional>
#include <set>

namespace quorvex::ddl {

namespace {

bool IsNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
           c == '$' || c == '#';
}

// Every identifier of the text, unquoted ones in upper case.
std::set<std::string> NamesIn(const std::string& text)
{
    std::set<std::string> names;
    size_t i = 0;
    const auto skipTo = [&](std::string_view end) {
        const size_t at = text.find(end, i);
        i = at == std::string::npos ? text.size() : at + end.size();
    };
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\'') {
            // A doubled quote inside a literal reads as the end of one and the start of the next.
            ++i;
            skipTo("'");
        } else if (text.compare(i, 2, "--") == 0) {
            skipTo("\n");
        } else if (text.compare(i, 2, "/*") == 0) {
            skipTo("*/");
        } else if (c == '"') {
            const size_t end = text.find('"', i + 1);
            const size_t stop = end == std::string::npos ? text.size() : end;
            names.insert(text.substr(i + 1, stop - i - 1));
            i = stop + 1;
        } else if (IsNameChar(c)) {
            std::string name;
            for (; i < text.size() && IsNameChar(text[i]); ++i)
                name +=
                    static_cast<char>(text[i] >= 'a' && text[i] <= 'z' ? text[i] - 32 : text[i]);
            names.insert(std::move(name));
        } else {
            ++i;
        }
    }
    return names;
}

} // namespace

std::vector<size_t> ViewCreationOrder(const std::vector<std::string>& names,
                                      const std::vector<std::string>& queries)
{
    std::vector<std::vector<size_t>> uses(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        const std::set<std::string> named = NamesIn(queries[i]);
        for (size_t j = 0; j < names.size(); ++j) {
            if (j != i && named.contains(names[j]))
                uses[i].push_back(j);
        }
    }
    enum class TMark { None, Visiting, Done };
    std::vector<TMark> marks(names.size(), TMark::None);
    std::vector<size_t> order;
    order.reserve(names.size());
    const std::function<void(size_t)> visit = [&](size_t i) {
        if (marks[i] != TMark::None)
            return; // done, or on the path: the cycle is broken here
        marks[i] = TMark::Visiting;
        for (const size_t used : uses[i])
            visit(used);
        marks[i] = TMark::Done;
        order.push_back(i);
    };
    for (size_t i = 0; i < names.size(); ++i)
        visit(i);
    return order;
}

} // namespace quorvex::ddl
