#include "IndexItem.h"

#include "ObjectState.h"

namespace quorvex {

const TClassInfo& TIndexItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TIndexItem", &TTableItem::StaticClass(), &CreateInstance<TIndexItem>,
                      {TextProp<&TIndexItem::IndexFields>("IndexFields")});
    return info;
}

void TIndexItem::Assign(const TStreamed& source)
{
    TTableItem::Assign(source);
    CopyPropertyByName(source, "IndexFields");
}

void TIndexItem::Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                         const TItemTexts& own)
{
    TDefaultItem::Compare(other, report, mark, own);
    if (ObjectState == ObjectStates::Changed)
        ObjectState = ObjectStates::ChangedIndex;
}

std::string TIndexItem::GetCreatingText() const
{
    return "CREATE INDEX " + ObjectName + " ON " + TableName + " (" + IndexFields + ");";
}

std::string TIndexItem::GetKey() const
{
    return "Index : " + ObjectName;
}

std::string TIndexItem::GetDisplayText() const
{
    return GetCreatingText();
}

} // namespace quorvex
