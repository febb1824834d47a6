#pragma once

#include "NameStateItem.h"

namespace quorvex {

// An item that belongs to a table (constraints and indexes).
class TTableItem : public TNameStateItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;

    std::string TableName;
};

} // namespace quorvex
