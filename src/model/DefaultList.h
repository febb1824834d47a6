#pragma once

#include "DefaultItem.h"
#include "persistence/CleanList.h"

namespace quorvex {

// A list of schema items; the base of every list that takes part in a model comparison.
class TDefaultList : public TTypedList<TDefaultItem, TCleanList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
