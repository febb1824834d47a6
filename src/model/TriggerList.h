#pragma once

#include "DefaultList.h"
#include "TriggerItem.h"

namespace quorvex {

class TTriggerList : public TTypedList<TTriggerItem, TDefaultList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
