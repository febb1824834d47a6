#pragma once

#include "DefaultList.h"
#include "ObjectItem.h"

namespace quorvex {

// The objects of every loaded owner together.
class TObjectList : public TTypedList<TObjectItem, TDefaultList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
