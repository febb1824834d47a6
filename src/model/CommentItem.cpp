#include "CommentItem.h"

namespace quorvex {

const TClassInfo& TCommentItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TCommentItem", &TDefaultItem::StaticClass(), &CreateInstance<TCommentItem>,
                      {IntegerProp<&TCommentItem::FieldNo>("FieldNo")});
    return info;
}

} // namespace quorvex
