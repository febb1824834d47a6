#include "FieldItem.h"

#include <charconv>
#include <initializer_list>
#include <string_view>

namespace quorvex {

const TClassInfo& TFieldItem::StaticClass()
{
    static const TClassInfo info = MakeClassInfo(
        "TFieldItem", &TCommentItem::StaticClass(), &CreateInstance<TFieldItem>,
        {TextProp<&TFieldItem::FieldName>("FieldName"),
         IntegerProp<&TFieldItem::FieldType>("FieldType"),
         IntegerProp<&TFieldItem::Length>("Length"),
         IntegerProp<&TFieldItem::Precision>("Precision"), IntegerProp<&TFieldItem::Scale>("Scale"),
         IntegerProp<&TFieldItem::Null>("Null"), TextProp<&TFieldItem::DefaultVal>("DefaultVal"),
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

namespace {

// The texts are built by appending to one string: a comparison of a large model builds the
// text of every column several times.
void AppendNumber(std::string& text, std::int32_t value)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    text.append(digits, end);
}

void AppendNumbers(std::string& text, const char* head, std::initializer_list<std::int32_t> values)
{
    text += head;
    const char* separator = "";
    for (const std::int32_t value : values) {
        text += separator;
        AppendNumber(text, value);
        separator = ",";
    }
    text += ')';
}

void AppendTypeText(const TFieldItem& field, std::string& text)
{
    switch (field.FieldType) {
    case 1:
        AppendNumbers(text, "VARCHAR2(", {field.Length});
        break;
    case 2:
        if (field.Scale >= 0)
            AppendNumbers(text, "NUMBER(", {field.Precision, field.Scale});
        else if (field.Precision >= 0)
            AppendNumbers(text, "FLOAT(", {field.Length, field.Precision});
        else
            AppendNumbers(text, "NUMBER(", {field.Length});
        break;
    case 8:
        text += "LONG";
        break;
    case 9:
        AppendNumbers(text, "VARCHAR(", {field.Length});
        break;
    case 12:
        text += "DATE";
        break;
    case 23:
        text += "RAW";
        break;
    case 24:
        text += "LONG RAW";
        break;
    case 69:
        text += "ROWID";
        break;
    case 96:
        AppendNumbers(text, "CHAR(", {field.Length});
        break;
    case 105:
    case 106:
        text += "MLSLABEL";
        break;
    default:
        AppendNumbers(text, "UNDEFINED(", {field.Length, field.Precision, field.Scale});
        break;
    }
    if (field.Null > 0)
        text += " NOT NULL";
    if (!field.DefaultVal.empty()) {
        text += " DEFAULT ";
        text += field.DefaultVal;
    }
}

} // namespace

std::string TFieldItem::TypeText() const
{
    std::string text;
    AppendTypeText(*this, text);
    return text;
}

std::string TFieldItem::GetCreatingText() const
{
    std::string text;
    text.reserve(FieldName.size() + DefaultVal.size() + 40);
    text += FieldName;
    text += ' ';
    AppendTypeText(*this, text);
    return text;
}

std::string TFieldItem::GetKey() const
{
    // "Field" and the number with at least two digits ("%2.2d").
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, FieldNo).ptr;
    std::string_view number(digits, static_cast<size_t>(end - digits));
    std::string key;
    key.reserve(FieldName.size() + 16);
    key += "Field";
    if (number.starts_with('-')) {
        key += '-';
        number.remove_prefix(1);
    }
    if (number.size() < 2)
        key += '0';
    key += number;
    key += " : ";
    key += FieldName;
    return key;
}

std::string TFieldItem::GetDisplayText() const
{
    std::string text = GetCreatingText();
    text += "\r\n";
    text += CommentText;
    return text;
}

} // namespace quorvex
