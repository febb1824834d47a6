#pragma once

#include "ConstraintItem.h"
#include "DefaultList.h"

namespace quorvex {

class TConstraintList : public TTypedList<TConstraintItem, TDefaultList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
