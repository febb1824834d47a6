#pragma once

#include "PropInfo.h"

#include <memory>
#include <string>
#include <vector>

namespace quorvex {

class TStreamed;

// What the snapshot writer, reader, Assign-by-name and the text report know of a class:
// its name, its base, how to create it, and its stored properties (inherited ones included)
// in the order they are written: ascending name, ASCII letters folded to upper case.
struct TClassInfo {
    std::string Name;
    const TClassInfo* Parent = nullptr;
    std::unique_ptr<TStreamed> (*Create)() = nullptr;
    std::vector<TPropInfo> Props;
    // For lists: the class of the items it may hold; nullptr for anything that is not a list.
    const TClassInfo* (*ItemClass)() = nullptr;

    bool InheritsFrom(const TClassInfo& ancestor) const noexcept;
    bool IsList() const noexcept { return ItemClass != nullptr; }
    // Case-insensitive lookup; nullptr when the class has no such property.
    const TPropInfo* FindProp(std::string_view name) const noexcept;
};

// Builds a class description: the parent's properties plus `own`, sorted into stored order.
TClassInfo MakeClassInfo(std::string name, const TClassInfo* parent,
                         std::unique_ptr<TStreamed> (*create)(), std::vector<TPropInfo> own);

template <class T>
std::unique_ptr<TStreamed> CreateInstance()
{
    return std::make_unique<T>();
}

} // namespace quorvex
