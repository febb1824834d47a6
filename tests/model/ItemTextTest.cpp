// Keys, creating texts and display texts of every item kind, the column type texts, key order,
// comparison marks and the compact text the items hold.

#include "ModelBuilder.h"
#include "model/CompactText.h"
#include "model/ObjectItem.h"
#include "model/ObjectState.h"

#include <gtest/gtest.h>
#include <tuple>

namespace quorvex {
namespace {

TEST(ItemTexts, KeyCreatingAndDisplayText)
{
    // What the comparison tests do not show: a plain item's key is its object number in
    // decimal, a column's has the column number of at least two digits and its display text
    // adds the comment, empty fields still give the frame. Display "=": the creating text.
    const auto plain = &TDefaultItem::StaticClass;
    const auto field = &TFieldItem::StaticClass;
    const auto constraint = &TConstraintItem::StaticClass;
    const auto object = &TObjectItem::StaticClass;
    const std::tuple<const TClassInfo& (*)(), const char*, const char*, const char*, const char*>
        cases[] = {
            // clang-format off
            {plain, "ObjectNo=-5|OID=99|OwnerNo=98|ObjectText=line 1\r\nline 2 ", "-5",
             "line 1\r\nline 2 ", "="},
            {&TNameStateItem::StaticClass, "ObjectName=Emp|ObjectNo=12|ObjectText=x", "Emp", "x",
             "="},
            {field, "FieldNo=7|FieldName=ENAME|FieldType=1|Length=10|Null=1|DefaultVal='X'|"
             "CommentText=Employee name|ObjectText=ignored|ObjectNo=5", "Field07 : ENAME",
             "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'",
             "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\nEmployee name"},
            {field, "FieldNo=10|FieldType=12", "Field10 : ", " DATE", " DATE\r\n"},
            {field, "FieldNo=123|FieldName=X|FieldType=12", "Field123 : X", "X DATE", "X DATE\r\n"},
            {&TIndexItem::StaticClass, "ObjectText=s", "Index : ", "CREATE INDEX  ON  ();", "="},
            {&TTriggerItem::StaticClass, "ObjectName=T", "Trigger : T",
             "CREATE OR REPLACE TRIGGER ", "="},
            {constraint, "ObjectName=N|TableName=T|ConstType=4|RefObjName=R|RefFields=A,B|RefAct=1|"
             "ObjectState=2", "Constraint : REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]",
             "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE DISABLE;",
             "REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]"},
            {constraint, "ConstType=7", "Constraint :  IS NOT NULL",
             "ALTER TABLE  ADD CONSTRAINT  CHECK (\"\" IS NOT NULL);", " IS NOT NULL"},
            // Objects: a table's display text is its comment; an unknown kind shows its text.
            {object, "ObjectType=2|ObjectName=X|ObjectText=t|CommentText=c", "Table : X",
             "CREATE TABLE X ();", "c"},
            {object, "ObjectType=3|ObjectName=X|ObjectText=t|CommentText=c", " : X", "t", "="},
            // clang-format on
        };
    for (const auto& [classInfo, props, key, creating, display] : cases) {
        SCOPED_TRACE(props);
        const auto object = test::MakeWithProps(classInfo(), props);
        const auto& item = static_cast<const TDefaultItem&>(*object);
        EXPECT_EQ(item.GetKey(), key);
        EXPECT_EQ(item.GetCreatingText(), creating);
        EXPECT_EQ(item.GetDisplayText(), std::string(display) == "=" ? creating : display);
    }
}

TEST(ItemTexts, KindNames)
{
    const char* const kinds[] = {
        "",          "Index",    "Table",          "", "View",         "Synonym", "Sequence",
        "Procedure", "Function", "Package Header", "", "Package Body", "Trigger", ""};
    for (int type = 0; type <= 13; ++type)
        EXPECT_EQ(KindName(type), kinds[type]) << type;
    EXPECT_EQ(KindName(2147483647), "");
}

TEST(ItemTexts, ConstraintTypesEnabledAndDisabled)
{
    // Type, its name, the display text and the creating text (without ";") when enabled.
    const std::tuple<int, const char*, const char*, const char*> cases[] = {
        // clang-format off
        {0, "", "", ""},
        {1, "User Check", "SAL > 0", "ALTER TABLE EMP ADD CONSTRAINT C1 AS SAL > 0"},
        {2, "Primary Key", "PRIMARY KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 PRIMARY KEY"},
        {3, "Unique Key", "UNIQUE KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 UNIQUE KEY"},
        {4, "Restriction", "REFERENCES DEPT (DEPTNO,LOC)",
            "ALTER TABLE EMP ADD CONSTRAINT C1 REFERENCES DEPT (DEPTNO,LOC)"},
        {5, "Validation", "WITH CHECK OPTION",
            "ALTER VIEW EMP ADD CONSTRAINT C1 WITH CHECK OPTION"},
        {6, "Access", "WITH READ ONLY", "ALTER VIEW EMP ADD CONSTRAINT C1 WITH READ ONLY"},
        {7, "Null Check", "DEPTNO,LOC IS NOT NULL",
            "ALTER TABLE EMP ADD CONSTRAINT C1 CHECK (\"DEPTNO,LOC\" IS NOT NULL)"},
        {8, "", "", ""},
        // clang-format on
    };
    for (const auto& [type, typeName, definition, creating] : cases) {
        EXPECT_EQ(ConstraintTypeName(type), typeName);
        // Any state but 2 prints as enabled, the comparison marks included.
        for (int state : {0, 1, 2, 3, 4, 5, 6}) {
            SCOPED_TRACE(testing::Message() << type << " state " << state);
            // Every field is filled: only the type decides which show (RefAct only in references).
            TConstraintItem item;
            test::SetProps(item, "ObjectName=C1|TableName=EMP|Condition=SAL > 0|RefObjName=DEPT|"
                                 "RefFields=DEPTNO,LOC|RefRules=rules|Columns=C|ObjectText=stored");
            item.RefAct = type != 4;
            item.ConstType = type;
            item.ObjectState = state;
            const bool disabled = state == ObjectStates::Disabled;
            EXPECT_EQ(item.GetDisplayText(),
                      definition + std::string(disabled ? " [DISABLED]" : ""));
            EXPECT_EQ(item.GetKey(), "Constraint : " + item.GetDisplayText());
            EXPECT_EQ(item.GetCreatingText(),
                      *creating ? creating + std::string(disabled ? " DISABLE;" : ";") : "");
        }
    }
}

TEST(ItemTexts, ColumnTypeNullAndDefault)
{
    // Type, length, precision and scale (the latter three distinct so that a text printing the
    // wrong one shows), null and default (appended exactly as the dictionary holds it).
    const std::tuple<int, int, int, int, int, const char*, const char*> cases[] = {
        // clang-format off
        {1, 30, 7, 3, 0, "", "VARCHAR2(30)"}, {2, 22, 10, 0, 0, "", "NUMBER(10,0)"},
        {2, 22, 7, 2, 0, "", "NUMBER(7,2)"}, {2, 22, 126, -1, 0, "", "FLOAT(22,126)"},
        {2, 22, 0, -1, 0, "", "FLOAT(22,0)"}, {2, 22, -1, -1, 0, "", "NUMBER(22)"},
        {2, 21, -1, -5, 0, "", "NUMBER(21)"}, {8, 0, 5, 6, 0, "", "LONG"},
        {9, 40, 5, 6, 0, "", "VARCHAR(40)"}, {12, 7, 5, 6, 0, "", "DATE"},
        {23, 255, 5, 6, 0, "", "RAW"}, {24, 0, 5, 6, 0, "", "LONG RAW"},
        {69, 6, 5, 6, 0, "", "ROWID"}, {96, 1, 5, 6, 0, "", "CHAR(1)"},
        {105, 255, 5, 6, 0, "", "MLSLABEL"}, {106, 255, 5, 6, 0, "", "MLSLABEL"},
        {3, 4, 5, 6, 0, "", "UNDEFINED(4,5,6)"}, {0, 22, -1, -1, 0, "", "UNDEFINED(22,-1,-1)"},
        {104, 1, 2, 3, 0, "", "UNDEFINED(1,2,3)"}, {107, 1, 2, 3, 0, "", "UNDEFINED(1,2,3)"},
        {-2, 0, 0, 0, 0, "", "UNDEFINED(0,0,0)"}, {12, 0, 0, 0, -1, "", "DATE"},
        {12, 0, 0, 0, 1, "", "DATE NOT NULL"}, {12, 0, 0, 0, 2, "", "DATE NOT NULL"},
        {12, 0, 0, 0, 0, "0", "DATE DEFAULT 0"}, {12, 0, 0, 0, 1, "0", "DATE NOT NULL DEFAULT 0"},
        {12, 0, 0, 0, -7, "0", "DATE DEFAULT 0"}, {12, 0, 0, 0, 0, " ", "DATE DEFAULT  "},
        {12, 0, 0, 0, 1, " 1 + 2\n", "DATE NOT NULL DEFAULT  1 + 2\n"},
        // clang-format on
    };
    for (const auto& [type, length, precision, scale, null, defaultVal, expected] : cases) {
        TFieldItem field;
        test::SetProps(field,
                       "FieldType=" + std::to_string(type) + "|Length=" + std::to_string(length) +
                           "|Precision=" + std::to_string(precision) +
                           "|Scale=" + std::to_string(scale) + "|Null=" + std::to_string(null));
        field.DefaultVal = defaultVal;
        EXPECT_EQ(field.TypeText(), expected);
    }
}

TEST(ItemTexts, KeysCompareAsUpperCaseAsciiTextAndMarksGiveStates)
{
    // Letters fold to upper case, so "_" sorts after every letter, lower case ones too.
    const std::tuple<const char*, const char*, int> cases[] = {
        // clang-format off
        {"EMP", "emp", 0}, {"Emp_Ix", "EMP_IX", 0}, {"DEPT", "EMP", -1}, {"a", "B", -1},
        {"", "", 0}, {"EMP", "EMP2", -1}, {"", "A", -1}, {"EMP_", "EMP", 1}, {"A_B", "ABC", 1},
        {"a_", "AZ", 1}, {"EMP_IX", "EMPNO_IX", 1}, {"A1", "A_", -1}, {"A z", "A_", -1},
        {"A ", "A1", -1},
        // clang-format on
    };
    for (const auto& [a, b, sign] : cases) {
        TNameStateItem first;
        TNameStateItem second;
        first.ObjectName = a;
        second.ObjectName = b;
        const int forward = CompareKeys(&first, &second);
        const int backward = CompareKeys(&second, &first);
        EXPECT_EQ((forward > 0) - (forward < 0), sign) << a << " / " << b;
        EXPECT_EQ((backward > 0) - (backward < 0), -sign) << b << " / " << a;
    }
    // Numbers compare as text, not by value; absent items come first.
    const auto twelve = test::MakeWithProps(TDefaultItem::StaticClass(), "ObjectNo=12");
    const auto nine = test::MakeWithProps(TDefaultItem::StaticClass(), "ObjectNo=9");
    const auto* item = static_cast<const TCleanItem*>(nine.get());
    EXPECT_LT(CompareKeys(static_cast<const TCleanItem*>(twelve.get()), item), 0);
    EXPECT_TRUE(CompareKeys(nullptr, nullptr) == 0 && CompareKeys(nullptr, item) < 0 &&
                CompareKeys(item, nullptr) > 0);

    // Only the exact marks give a state.
    for (const char* mark : {"[ ] ", "[+]", "[-]", "[+]  ", " [+] ", "[*] ", "", " ", "[+] EMP"})
        EXPECT_EQ(MarkState(mark), 0) << "'" << mark << "'";
    EXPECT_EQ(MarkState("[-] "), 4);
    EXPECT_EQ(MarkState("[+] "), 3);
}

TEST(CompactText, HoldsAnyBytesAndCopiesIndependently)
{
    // 8-bit texts: zero bytes and bytes above 127 are text like any other; lengths beyond 8
    // and 16 bits.
    for (const std::string& bytes :
         {std::string("a\0b\xFF\x80 ", 6), std::string(70000, 'L'), std::string()}) {
        TCompactText text("before");
        text = bytes;
        EXPECT_TRUE(text == bytes && text.size() == bytes.size() && text.empty() == bytes.empty());
    }
    TCompactText text("ABCDEFGHIJ");
    text = text.View().substr(3, 4); // a part of itself
    const TCompactText& same = text;
    text = same;
    TCompactText copy(text);
    copy = "changed";
    EXPECT_EQ(testing::PrintToString(text) + std::string(copy), "DEFGchanged"); // also streams
    EXPECT_TRUE(text == TCompactText("DEFG") && !(text == "DEFGH"));
}

} // namespace
} // namespace quorvex
