#include "FieldList.h"

namespace quorvex {

const TClassInfo& TFieldList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TFieldList", TCommentList::StaticClass(), &CreateInstance<TFieldList>,
                          [] { return &TFieldItem::StaticClass(); });
    return info;
}

} // namespace quorvex
