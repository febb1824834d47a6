#include "DefaultList.h"

namespace quorvex {

const TClassInfo& TDefaultList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TDefaultList", TCleanList::StaticClass(), &CreateInstance<TDefaultList>,
                          [] { return &TDefaultItem::StaticClass(); });
    return info;
}

} // namespace quorvex
