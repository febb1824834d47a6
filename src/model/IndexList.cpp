#include "IndexList.h"

namespace quorvex {

const TClassInfo& TIndexList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TIndexList", TDefaultList::StaticClass(), &CreateInstance<TIndexList>,
                          [] { return &TIndexItem::StaticClass(); });
    return info;
}

} // namespace quorvex
