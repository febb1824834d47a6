#include "TriggerList.h"

namespace quorvex {

const TClassInfo& TTriggerList::StaticClass()
{
    static const TClassInfo info = MakeListClassInfo("TTriggerList", TDefaultList::StaticClass(),
                                                     &CreateInstance<TTriggerList>,
                                                     [] { return &TTriggerItem::StaticClass(); });
    return info;
}

} // namespace quorvex
