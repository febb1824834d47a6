#include "ConstraintItem.h"

#include "ObjectState.h"

namespace quorvex {

const TClassInfo& TConstraintItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo(
        "TConstraintItem", &TTableItem::StaticClass(), &CreateInstance<TConstraintItem>,
        {IntegerProp<&TConstraintItem::ConstNo>("ConstNo"),
         IntegerProp<&TConstraintItem::ConstType>("ConstType"),
         IntegerProp<&TConstraintItem::RefObjectNo>("RefObjectNo"),
         IntegerProp<&TConstraintItem::RefConstNo>("RefConstNo"),
         TextProp<&TConstraintItem::RefRules>("RefRules"),
         TextProp<&TConstraintItem::Condition>("Condition"),
         IntegerProp<&TConstraintItem::Match>("Match"),
         BooleanProp<&TConstraintItem::RefAct>("RefAct"),
         TextProp<&TConstraintItem::Columns>("Columns"),
         TextProp<&TConstraintItem::RefFields>("RefFields"),
         TextProp<&TConstraintItem::RefObjName>("RefObjName")});
    return info;
}

void TConstraintItem::Assign(const TStreamed& source)
{
    TTableItem::Assign(source);
    for (const char* name : {"ConstNo", "ConstType", "RefObjectNo", "RefConstNo", "RefRules",
                             "Condition", "Match", "RefAct", "RefFields", "RefObjName"})
        CopyPropertyByName(source, name);
}

std::string_view ConstraintTypeName(int constType) noexcept
{
    switch (constType) {
    case 1:
        return "User Check";
    case 2:
        return "Primary Key";
    case 3:
        return "Unique Key";
    case 4:
        return "Restriction";
    case 5:
        return "Validation";
    case 6:
        return "Access";
    case 7:
        return "Null Check";
    default:
        return {};
    }
}

void TConstraintItem::Compare(TDefaultItem* other, TReportLines& report, std::string_view mark,
                              const TItemTexts& own)
{
    TDefaultItem::Compare(other, report, mark, own);
    if (ObjectState == ObjectStates::Changed && other != nullptr &&
        other->GetDisplayText() == own.Display)
        ObjectState = ObjectStates::Normal;
}

std::string TConstraintItem::DefinitionText() const
{
    switch (ConstType) {
    case 1:
        return Condition;
    case 2:
        return "PRIMARY KEY";
    case 3:
        return "UNIQUE KEY";
    case 4: {
        std::string text = "REFERENCES ";
        text += RefObjName;
        text += " (";
        text += RefFields;
        text += RefAct ? ") ON DELETE CASCADE" : ")";
        return text;
    }
    case 5:
        return "WITH CHECK OPTION";
    case 6:
        return "WITH READ ONLY";
    case 7:
        return RefFields + " IS NOT NULL";
    default:
        return {};
    }
}

std::string TConstraintItem::GetDisplayText() const
{
    std::string text = DefinitionText();
    if (ObjectState == ObjectStates::Disabled)
        text += " [DISABLED]";
    return text;
}

std::string TConstraintItem::GetKey() const
{
    return "Constraint : " + GetDisplayText();
}

std::string TConstraintItem::GetCreatingText() const
{
    if (ConstType < 1 || ConstType > 7)
        return {};
    std::string text = (ConstType == 5 || ConstType == 6 ? "ALTER VIEW " : "ALTER TABLE ") +
                       TableName + " ADD CONSTRAINT " + ObjectName;
    if (ConstType == 1)
        text.append(" AS ").append(Condition);
    else if (ConstType == 7)
        text += " CHECK (\"" + RefFields + "\" IS NOT NULL)";
    else
        text.append(" ").append(DefinitionText()); // not " " + ...: GCC 12 -O3 -Wrestrict
    if (ObjectState == ObjectStates::Disabled)
        text += " DISABLE";
    return text + ";";
}

} // namespace quorvex
