#include "NameStateItem.h"

namespace quorvex {

const TClassInfo& TNameStateItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo(
        "TNameStateItem", &TDefaultItem::StaticClass(), &CreateInstance<TNameStateItem>,
        {TextProp<&TNameStateItem::ObjectName>("ObjectName"),
         IntegerProp<&TNameStateItem::ObjectType>("ObjectType")});
    return info;
}

void TNameStateItem::Assign(const TStreamed& source)
{
    TDefaultItem::Assign(source);
    CopyPropertyByName(source, "ObjectName");
    CopyPropertyByName(source, "ObjectType");
}

} // namespace quorvex
