#include "OwnerList.h"

namespace quorvex {

const TClassInfo& TOwnerList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TOwnerList", TCleanList::StaticClass(), &CreateInstance<TOwnerList>,
                          [] { return &TOwnerItem::StaticClass(); });
    return info;
}

} // namespace quorvex
