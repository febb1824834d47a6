#include "FieldItem.h"

#include <cstdio>

namespace quorvex {

const TClassInfo& TFieldItem::StaticClass()
{
    static const TClassInfo info =
        MakeClassInfo("TFieldItem", &TCommentItem::StaticClass(), &CreateInstance<TFieldItem>,
                      {TextProp<&TFieldItem::FieldName>("FieldName"),
                       IntegerProp<&TFieldItem::FieldType>("FieldType"),
                       IntegerProp<&TFieldItem::Length>("Length"),
                       IntegerProp<&TFieldItem::Precision>("Precision"),
                       IntegerProp<&TFieldItem::Scale>("Scale"),
                       IntegerProp<&TFieldItem::Null>("Null"),
                       TextProp<&TFieldItem::DefaultVal>("DefaultVal"),
                       TextProp<&TFieldItem::CommentText>("CommentText")});
    return info;
}

void TFieldItem::Assign(const TStreamed& source)
{
    TDefaultItem::Assign(source);
    for (const char* name : {"FieldNo", "FieldName", "FieldType", "Length", "Precision", "Scale",
                             "Null", "DefaultVal", "CommentText"})
        CopyPropertyByName(source, name);
}

std::string TFieldItem::TypeText() const
{
    using std::to_string;
    std::string text;
    switch (FieldType) {
    case 1:
        text = "VARCHAR2(" + to_string(Length) + ")";
        break;
    case 2:
        if (Scale >= 0)
            text = "NUMBER(" + to_string(Precision) + "," + to_string(Scale) + ")";
        else if (Precision >= 0)
            text = "FLOAT(" + to_string(Length) + "," + to_string(Precision) + ")";
        else
            text = "NUMBER(" + to_string(Length) + ")";
        break;
    case 8:
        text = "LONG";
        break;
    case 9:
        text = "VARCHAR(" + to_string(Length) + ")";
        break;
    case 12:
        text = "DATE";
        break;
    case 23:
        text = "RAW";
        break;
    case 24:
        text = "LONG RAW";
        break;
    case 69:
        text = "ROWID";
        break;
    case 96:
        text = "CHAR(" + to_string(Length) + ")";
        break;
    case 105:
    case 106:
        text = "MLSLABEL";
        break;
    default:
        text = "UNDEFINED(" + to_string(Length) + "," + to_string(Precision) + "," +
               to_string(Scale) + ")";
        break;
    }
    if (Null > 0)
        text += " NOT NULL";
    if (!DefaultVal.empty())
        text += " DEFAULT " + DefaultVal;
    return text;
}

std::string TFieldItem::GetCreatingText() const
{
    return FieldName + " " + TypeText();
}

std::string TFieldItem::GetKey() const
{
    char number[16];
    std::snprintf(number, sizeof number, "%2.2d", static_cast<int>(FieldNo));
    return "Field" + std::string(number) + " : " + FieldName;
}

std::string TFieldItem::GetDisplayText() const
{
    return GetCreatingText() + "\r\n" + CommentText;
}

} // namespace quorvex
