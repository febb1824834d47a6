#include "model/FieldItem.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvex {
namespace {

struct TypeCase {
    std::int32_t fieldType;
    std::int32_t length;
    std::int32_t precision;
    std::int32_t scale;
    const char* expected;
};

// One row per data type, with lengths, precisions and scales chosen distinct so a text that
// prints the wrong one of them shows.
const TypeCase kTypeCases[] = {
    {1, 30, 7, 3, "VARCHAR2(30)"},
    {2, 22, 10, 0, "NUMBER(10,0)"},
    {2, 22, 7, 2, "NUMBER(7,2)"},
    {2, 22, 126, -1, "FLOAT(22,126)"},
    {2, 22, 0, -1, "FLOAT(22,0)"},
    {2, 22, -1, -1, "NUMBER(22)"},
    {2, 21, -1, -5, "NUMBER(21)"},
    {8, 0, 5, 6, "LONG"},
    {9, 40, 5, 6, "VARCHAR(40)"},
    {12, 7, 5, 6, "DATE"},
    {23, 255, 5, 6, "RAW"},
    {24, 0, 5, 6, "LONG RAW"},
    {69, 6, 5, 6, "ROWID"},
    {96, 1, 5, 6, "CHAR(1)"},
    {105, 255, 5, 6, "MLSLABEL"},
    {106, 255, 5, 6, "MLSLABEL"},
    {3, 4, 5, 6, "UNDEFINED(4,5,6)"},
    {0, 22, -1, -1, "UNDEFINED(22,-1,-1)"},
    {104, 1, 2, 3, "UNDEFINED(1,2,3)"},
    {107, 1, 2, 3, "UNDEFINED(1,2,3)"},
    {-2, 0, 0, 0, "UNDEFINED(0,0,0)"},
};

class FieldTypeText : public testing::TestWithParam<TypeCase> {};

TEST_P(FieldTypeText, NamesTheDataType)
{
    const TypeCase& c = GetParam();
    TFieldItem field;
    field.FieldType = c.fieldType;
    field.Length = c.length;
    field.Precision = c.precision;
    field.Scale = c.scale;
    EXPECT_EQ(field.TypeText(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(EveryType, FieldTypeText, testing::ValuesIn(kTypeCases));

struct NullDefaultCase {
    std::int32_t null;
    const char* defaultVal;
    const char* expected;
};

const NullDefaultCase kNullDefaultCases[] = {
    {0, "", "NUMBER(1,0)"},
    {-1, "", "NUMBER(1,0)"},
    {1, "", "NUMBER(1,0) NOT NULL"},
    {2, "", "NUMBER(1,0) NOT NULL"},
    {0, "0", "NUMBER(1,0) DEFAULT 0"},
    {1, "0", "NUMBER(1,0) NOT NULL DEFAULT 0"},
    {-7, "0", "NUMBER(1,0) DEFAULT 0"},
    // The default is appended exactly as the dictionary holds it, blanks included.
    {0, " ", "NUMBER(1,0) DEFAULT  "},
    {0, "   ", "NUMBER(1,0) DEFAULT    "},
    {1, " 1 + 2\n", "NUMBER(1,0) NOT NULL DEFAULT  1 + 2\n"},
};

class FieldNullDefault : public testing::TestWithParam<NullDefaultCase> {};

TEST_P(FieldNullDefault, FollowTheType)
{
    const NullDefaultCase& c = GetParam();
    TFieldItem field;
    field.FieldType = 2;
    field.Length = 22;
    field.Precision = 1;
    field.Scale = 0;
    field.Null = c.null;
    field.DefaultVal = c.defaultVal;
    EXPECT_EQ(field.TypeText(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(NullAndDefault, FieldNullDefault, testing::ValuesIn(kNullDefaultCases));

TFieldItem& MakeEname(TFieldItem& field)
{
    field.FieldNo = 7;
    field.FieldName = "ENAME";
    field.FieldType = 1;
    field.Length = 10;
    field.Null = 1;
    field.DefaultVal = "'X'";
    return field;
}

TEST(FieldItem, CreatingTextIsNameBlankTypeText)
{
    TFieldItem field;
    MakeEname(field);
    EXPECT_EQ(field.GetCreatingText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'");

    TFieldItem unnamed;
    unnamed.FieldType = 12;
    EXPECT_EQ(unnamed.GetCreatingText(), " DATE");
}

TEST(FieldItem, KeyHasColumnNumberOfAtLeastTwoDigits)
{
    struct {
        std::int32_t fieldNo;
        const char* name;
        const char* expected;
    } const cases[] = {
        {7, "ENAME", "Field07 : ENAME"}, {0, "A", "Field00 : A"},    {10, "SAL", "Field10 : SAL"},
        {99, "B", "Field99 : B"},        {123, "X", "Field123 : X"}, {1000, "", "Field1000 : "},
    };
    for (const auto& c : cases) {
        TFieldItem field;
        field.FieldNo = c.fieldNo;
        field.FieldName = c.name;
        field.ObjectNo = 5; // the key holds no object number
        EXPECT_EQ(field.GetKey(), c.expected) << c.fieldNo;
    }
}

TEST(FieldItem, DisplayTextIsCreatingTextCrLfComment)
{
    TFieldItem field;
    MakeEname(field);
    field.CommentText = "Employee name";
    EXPECT_EQ(field.GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\nEmployee name");

    field.CommentText.clear();
    EXPECT_EQ(field.GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\n");
}

TEST(FieldItem, StoredTextIsNotPartOfAnyText)
{
    TFieldItem field;
    MakeEname(field);
    field.ObjectText = "ignored";
    EXPECT_EQ(field.GetCreatingText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'");
    EXPECT_EQ(field.GetDisplayText(), "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\n");
}

} // namespace
} // namespace quorvex
