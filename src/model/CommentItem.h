#pragma once

#include "DefaultItem.h"

namespace quorvex {

// A comment read from the dictionary: on an object (FieldNo 0) or on one of its columns.
class TCommentItem : public TDefaultItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    std::int32_t FieldNo = 0;
};

} // namespace quorvex
