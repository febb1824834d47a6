#pragma once

#include "OwnerItem.h"
#include "persistence/CleanList.h"

namespace quorvex {

class TOwnerList : public TTypedList<TOwnerItem, TCleanList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
