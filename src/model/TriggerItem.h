#pragma once

#include "NameStateItem.h"

namespace quorvex {

// A trigger of a table; ObjectText holds its definition and body.
class TTriggerItem : public TNameStateItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    std::string GetKey() const override;         // "Trigger : " + name
    std::string GetDisplayText() const override; // "CREATE OR REPLACE TRIGGER " + text
};

} // namespace quorvex
