// Declared column types as the dictionary keeps them.
#include "engine/emulation/OracleTypes.h"

#include <gtest/gtest.h>

namespace quorvex::emulation {
namespace {

struct TypeCase {
    const char* Declared;
    TOracleColumnType Expected;
};

class OracleType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(OracleType, MapsToTheDictionaryForm)
{
    const TOracleColumnType type = OracleColumnType(GetParam().Declared);
    const TOracleColumnType& expected = GetParam().Expected;
    EXPECT_EQ(type.TypeNo, expected.TypeNo) << GetParam().Declared;
    EXPECT_EQ(type.Length, expected.Length) << GetParam().Declared;
    EXPECT_EQ(type.Precision, expected.Precision) << GetParam().Declared;
    EXPECT_EQ(type.Scale, expected.Scale) << GetParam().Declared;
    EXPECT_EQ(type.CharsetForm, expected.CharsetForm) << GetParam().Declared;
}

INSTANTIATE_TEST_SUITE_P(
    Types, OracleType,
    ::testing::Values(
        TypeCase{"VARCHAR2(30)", {1, 30, {}, {}, 0}},
        TypeCase{"varchar2 ( 14 BYTE )", {1, 14, {}, {}, 0}},
        TypeCase{"VARCHAR(10)", {1, 10, {}, {}, 0}}, TypeCase{"NVARCHAR2(10)", {1, 20, {}, {}, 2}},
        TypeCase{"CHAR(2)", {96, 2, {}, {}, 0}}, TypeCase{"CHAR", {96, 1, {}, {}, 0}},
        TypeCase{"NUMBER", {2, 22, {}, {}, 0}}, TypeCase{"NUMBER(4)", {2, 22, 4, 0, 0}},
        TypeCase{"NUMBER(7,2)", {2, 22, 7, 2, 0}}, TypeCase{"NUMBER(*,0)", {2, 22, {}, 0, 0}},
        TypeCase{"NUMERIC", {2, 22, {}, 0, 0}}, TypeCase{"INTEGER", {2, 22, {}, 0, 0}},
        TypeCase{"DECIMAL(10,3)", {2, 22, 10, 3, 0}}, TypeCase{"FLOAT", {2, 22, 126, {}, 0}},
        TypeCase{"DATE", {12, 7, {}, {}, 0}}, TypeCase{"LONG", {8, 0, {}, {}, 0}},
        TypeCase{"LONG RAW", {24, 0, {}, {}, 0}}, TypeCase{"RAW(16)", {23, 16, {}, {}, 0}},
        TypeCase{"CLOB", {112, 4000, {}, {}, 0}}, TypeCase{"BLOB", {113, 4000, {}, {}, 0}},
        TypeCase{"TIMESTAMP", {180, 11, {}, 6, 0}}, TypeCase{"TIMESTAMP(3)", {180, 11, {}, 3, 0}},
        TypeCase{"TEXT", {1, 4000, {}, {}, 0}}, TypeCase{"", {1, 4000, {}, {}, 0}},
        TypeCase{"GEOMETRY", {1, 4000, {}, {}, 0}}));

} // namespace
} // namespace quorvex::emulation
