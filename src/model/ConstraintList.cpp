#include "ConstraintList.h"

namespace quorvex {

const TClassInfo& TConstraintList::StaticClass()
{
    static const TClassInfo info = MakeListClassInfo(
        "TConstraintList", TDefaultList::StaticClass(), &CreateInstance<TConstraintList>,
        [] { return &TConstraintItem::StaticClass(); });
    return info;
}

} // namespace quorvex
