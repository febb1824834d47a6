#pragma once

#include "DefaultItem.h"

namespace quorvex {

// An item with a name and an object kind; its key is its name.
class TNameStateItem : public TDefaultItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;
    std::string GetKey() const override { return ObjectName; }

    std::string ObjectName;
    std::int32_t ObjectType = 0;
};

} // namespace quorvex
