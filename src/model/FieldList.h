#pragma once

#include "CommentList.h"
#include "FieldItem.h"

namespace quorvex {

// A table's columns in column order; a comparison never reorders it.
class TFieldList : public TTypedList<TFieldItem, TCommentList> {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    // Column by column in column order, matched by exact FieldName; a mismatch is resolved by
    // the nearest run of removed or added columns. Neither list is sorted.
    void Compare(TDefaultList* other, TReportLines& report, std::string_view mark) override;
};

} // namespace quorvex
