#include "ObjectList.h"

namespace quorvex {

const TClassInfo& TObjectList::StaticClass()
{
    static const TClassInfo info =
        MakeListClassInfo("TObjectList", TDefaultList::StaticClass(), &CreateInstance<TObjectList>,
                          [] { return &TObjectItem::StaticClass(); });
    return info;
}

} // namespace quorvex
