#pragma once

#include "CommentItem.h"
#include "DefaultList.h"

namespace quorvex {

class TCommentList : public TTypedList<TCommentItem, TDefaultList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }
};

} // namespace quorvex
