#include "TriggerItem.h"

namespace quorvex {

const TClassInfo& TTriggerItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo("TTriggerItem", &TNameStateItem::StaticClass(),
                                                 &CreateInstance<TTriggerItem>, {});
    return info;
}

std::string TTriggerItem::GetKey() const
{
    return "Trigger : " + ObjectName;
}

std::string TTriggerItem::GetDisplayText() const
{
    return "CREATE OR REPLACE TRIGGER " + ObjectText;
}

} // namespace quorvex
