#pragma once

#include "CommentItem.h"
#include "CompactText.h"

namespace quorvex {

// A table column. FieldNo is the column number; FieldType the dictionary's type number.
class TFieldItem : public TCommentItem {
public:
    static const TClassInfo& StaticClass();
    const TClassInfo& ClassInfo() const override { return StaticClass(); }

    void Assign(const TStreamed& source) override;
    std::string GetCreatingText() const override; // name, blank, TypeText
    std::string GetKey() const override;          // "Field07 : ENAME"
    std::string GetDisplayText() const override;  // creating text, CR LF, comment

    // The data type with its NOT NULL and DEFAULT parts, as in a CREATE TABLE statement.
    std::string TypeText() const;

    // The numbers come first so that they fill the padding after FieldNo: a model holds a
    // million columns, and this saves 16 bytes of heap for each.
    std::int32_t FieldType = 0;
    std::int32_t Length = 0;
    std::int32_t Precision = 0; // negative when the dictionary has none
    std::int32_t Scale = 0;     // negative when the dictionary has none
    std::int32_t Null = 0;      // greater than 0 when the column is mandatory
    std::string FieldName;
    // Empty for most columns, so held compactly.
    TCompactText DefaultVal;
    TCompactText CommentText;
};

} // namespace quorvex
