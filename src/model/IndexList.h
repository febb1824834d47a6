#pragma once

#include "DefaultList.h"
#include "IndexItem.h"

namespace quorvex {

class TIndexList : public TTypedList<TIndexItem, TDefaultList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
