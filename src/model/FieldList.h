#pragma once

#include "CommentList.h"
#include "FieldItem.h"

namespace quorvex {

// A table's columns in column order; a comparison never reorders it.
class TFieldList : public TTypedList<TFieldItem, TCommentList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
