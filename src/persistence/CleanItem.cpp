#include "CleanItem.h"

#include "Exceptions.h"

namespace quorvex {

const TClassInfo& TCleanItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TCleanItem", &TStreamed::StaticClass(), &CreateInstance<TCleanItem>,
                      {IntegerProp<&TCleanItem::OID>("OID")});
    return info;
}

void TCleanItem::Assign(const TStreamed& source)
{
    if (!source.InheritsFrom(TCleanItem::StaticClass()))
        throw EAbort(messages::CannotAssign(source.ClassName(), ClassName()));
    OID = static_cast<const TCleanItem&>(source).OID;
}

int CompareOIDs(const TCleanItem* a, const TCleanItem* b)
{
    if (a == nullptr || b == nullptr)
        return CompareAbsent(a, b);
    if (a->OID == b->OID)
        return 0;
    return a->OID < b->OID ? -1 : 1;
}

} // namespace quorvex
