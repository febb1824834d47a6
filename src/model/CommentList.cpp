#include "CommentList.h"

namespace quorvex {

const TClassInfo& TCommentList::StaticClass()
{
    static const TClassInfo info = MakeListClassInfo("TCommentList", TDefaultList::StaticClass(),
                                                     &CreateInstance<TCommentList>,
                                                     [] { return &TCommentItem::StaticClass(); });
    return info;
}

} // namespace quorvex
