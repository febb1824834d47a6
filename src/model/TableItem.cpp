#include "TableItem.h"

namespace quorvex {

const TClassInfo& TTableItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TTableItem", &TNameStateItem::StaticClass(), &CreateInstance<TTableItem>,
                      {TextProp<&TTableItem::TableName>("TableName")});
    return info;
}

void TTableItem::Assign(const TStreamed& source)
{
    TNameStateItem::Assign(source);
    CopyPropertyByName(source, "TableName");
}

} // namespace quorvex
