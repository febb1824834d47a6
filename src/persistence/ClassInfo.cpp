#include "ClassInfo.h"

#include "AsciiText.h"

#include <algorithm>

namespace quorvex {

bool TClassInfo::InheritsFrom(const TClassInfo& ancestor) const noexcept
{
    for (const TClassInfo* c = this; c != nullptr; c = c->Parent) {
        if (c == &ancestor)
            return true;
    }
    return false;
}

const TPropInfo* TClassInfo::FindProp(std::string_view name) const noexcept
{
    const auto it = std::lower_bound(
        Props.begin(), Props.end(), name,
        [](const TPropInfo& p, std::string_view n) { return CompareTextAscii(p.Name, n) < 0; });
    if (it != Props.end() && SameTextAscii(it->Name, name))
        return &*it;
    return nullptr;
}

TClassInfo MakeClassInfo(std::string name, const TClassInfo* parent,
                         std::unique_ptr<TStreamed> (*create)(), std::vector<TPropInfo> own)
{
    TClassInfo info;
    info.Name = std::move(name);
    info.Parent = parent;
    info.Create = create;
    if (parent != nullptr) {
        info.Props = parent->Props;
        info.ItemClass = parent->ItemClass;
    }
    for (auto& p : own) {
        // A redeclared property replaces the inherited one.
        std::erase_if(info.Props,
                      [&](const TPropInfo& q) { return SameTextAscii(q.Name, p.Name); });
        info.Props.push_back(p);
    }
    std::stable_sort(info.Props.begin(), info.Props.end(),
                     [](const TPropInfo& a, const TPropInfo& b) {
                         return CompareTextAscii(a.Name, b.Name) < 0;
                     });
    return info;
}

} // namespace quorvex
