#pragma once

#include "persistence/CleanItem.h"

#include <string>

namespace quorvex {

// A schema user. Owners take no part in a comparison and have no creating text.
class TOwnerItem : public TCleanItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    virtual std::string GetName() const { return OwnerName; }

    std::int32_t OwnerNo = 0;
    std::string OwnerName;
};

} // namespace quorvex
