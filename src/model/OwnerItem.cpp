#include "OwnerItem.h"

namespace quorvex {

const TClassInfo& TOwnerItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TOwnerItem", &TCleanItem::StaticClass(), &CreateInstance<TOwnerItem>,
                      {IntegerProp<&TOwnerItem::OwnerNo>("OwnerNo"),
                       TextProp<&TOwnerItem::OwnerName>("OwnerName")});
    return info;
}

} // namespace quorvex
