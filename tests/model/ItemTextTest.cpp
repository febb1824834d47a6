// Keys, creating texts and display texts of every item kind, the column type texts, key order,
// comparison marks and the compact text the items hold.

#include "ModelBuilder.h"
#include "model/CommentList.h"
#include "model/CompactText.h"
#include "model/ConstraintList.h"
#include "model/FieldList.h"
#include "model/IndexList.h"
#include "model/ObjectList.h"
#include "model/ObjectState.h"
#include "model/OwnerList.h"
#include "model/TriggerList.h"

#include <gtest/gtest.h>
#include <sstream>

namespace quorvex {
namespace {

struct TextCase {
    const TClassInfo& (*classInfo)();
    const char* props;
    const char* key;
    const char* creating;
    const char* display; // nullptr: the creating text
};

const auto kField = &TFieldItem::StaticClass;
const auto kConstraint = &TConstraintItem::StaticClass;

// Every kind's key, creating and display text beyond what the comparison tests show: a plain
// item's key is its object number in decimal, a column's has the column number of at least
// two digits and its display text adds the comment, empty fields still give the frame.
const TextCase kTextCases[] = {
    {&TDefaultItem::StaticClass, "ObjectNo=-5|OID=99|OwnerNo=98|ObjectText=line 1\r\nline 2 ", "-5",
     "line 1\r\nline 2 ", nullptr},
    {&TNameStateItem::StaticClass, "ObjectName=Emp|ObjectNo=12|ObjectText=x", "Emp", "x", nullptr},
    {kField,
     "FieldNo=7|FieldName=ENAME|FieldType=1|Length=10|Null=1|DefaultVal='X'|CommentText=Employee "
     "name|ObjectText=ignored|ObjectNo=5",
     "Field07 : ENAME", "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'",
     "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\nEmployee name"},
    {kField, "FieldNo=10|FieldType=12", "Field10 : ", " DATE", " DATE\r\n"},
    {kField, "FieldNo=123|FieldName=X|FieldType=12", "Field123 : X", "X DATE", "X DATE\r\n"},
    {&TIndexItem::StaticClass, "ObjectText=stored", "Index : ", "CREATE INDEX  ON  ();", nullptr},
    {&TTriggerItem::StaticClass, "ObjectName=T", "Trigger : T", "CREATE OR REPLACE TRIGGER ",
     nullptr},
    {kConstraint,
     "ObjectName=N|TableName=T|ConstType=4|RefObjName=R|RefFields=A,B|RefAct=1|ObjectState=2",
     "Constraint : REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]",
     "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE DISABLE;",
     "REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]"},
    {kConstraint, "ConstType=7", "Constraint :  IS NOT NULL",
     "ALTER TABLE  ADD CONSTRAINT  CHECK (\"\" IS NOT NULL);", " IS NOT NULL"},
};

TEST(ItemTexts, KeyCreatingAndDisplayText)
{
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(c.props);
        const auto object = test::MakeWithProps(c.classInfo(), c.props);
        const auto* item = static_cast<const TDefaultItem*>(object.get());
        EXPECT_EQ(item->GetKey(), c.key);
        EXPECT_EQ(item->GetCreatingText(), c.creating);
        EXPECT_EQ(item->GetDisplayText(), c.display != nullptr ? c.display : c.creating);
    }
}

TEST(ItemTexts, ObjectKinds)
{
    const char* const kinds[] = {
        "",          "Index",    "Table",          "", "View",         "Synonym", "Sequence",
        "Procedure", "Function", "Package Header", "", "Package Body", "Trigger", ""};
    for (int type = -1; type <= 13; ++type) {
        SCOPED_TRACE(type);
        const std::string kind = type < 0 ? "" : kinds[type];
        EXPECT_EQ(KindName(type), kind);
        TObjectItem object;
        object.ObjectType = type;
        object.ObjectName = "X";
        object.ObjectText = "create or replace view X as\r\n  select 1 from dual ";
        object.CommentText = "the comment";
        const std::string creating = type == ObjectTypes::Table     ? "CREATE TABLE X ();"
                                     : type == ObjectTypes::Synonym ? "CREATE SYNONYM X;"
                                                                    : object.ObjectText;
        EXPECT_EQ(object.GetKey(), kind + " : X");
        EXPECT_EQ(object.GetCreatingText(), creating);
        EXPECT_EQ(object.GetDisplayText(), type == ObjectTypes::Table ? "the comment" : creating);
    }
    EXPECT_EQ(KindName(2147483647), "");
}

TEST(ItemTexts, ConstraintTypesEnabledAndDisabled)
{
    struct {
        int constType;
        const char* typeName;
        const char* definition; // display text when enabled
        const char* creating;   // creating text when enabled, without ";"
    } const cases[] = {
        // clang-format off
        {0, "", "", ""},
        {1, "User Check", "SAL > 0", "ALTER TABLE EMP ADD CONSTRAINT C1 AS SAL > 0"},
        {2, "Primary Key", "PRIMARY KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 PRIMARY KEY"},
        {3, "Unique Key", "UNIQUE KEY", "ALTER TABLE EMP ADD CONSTRAINT C1 UNIQUE KEY"},
        {4, "Restriction", "REFERENCES DEPT (DEPTNO,LOC)", "ALTER TABLE EMP ADD CONSTRAINT C1 REFERENCES DEPT (DEPTNO,LOC)"},
        {5, "Validation", "WITH CHECK OPTION", "ALTER VIEW EMP ADD CONSTRAINT C1 WITH CHECK OPTION"},
        {6, "Access", "WITH READ ONLY", "ALTER VIEW EMP ADD CONSTRAINT C1 WITH READ ONLY"},
        {7, "Null Check", "DEPTNO,LOC IS NOT NULL", "ALTER TABLE EMP ADD CONSTRAINT C1 CHECK (\"DEPTNO,LOC\" IS NOT NULL)"},
        {8, "", "", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ConstraintTypeName(c.constType), c.typeName);
        // Any state but 2 prints as enabled, the comparison marks included.
        for (int state : {0, 1, 2, 3, 4, 5, 6}) {
            SCOPED_TRACE(testing::Message() << c.constType << " state " << state);
            // Every field is filled: only the type decides which show (RefAct only in references).
            TConstraintItem item;
            test::SetProps(item, "ObjectName=C1|TableName=EMP|Condition=SAL > 0|RefObjName=DEPT|"
                                 "RefFields=DEPTNO,LOC|RefRules=rules|Columns=C|ObjectText=stored");
            item.RefAct = c.constType != 4;
            item.ConstType = c.constType;
            item.ObjectState = state;
            const bool disabled = state == ObjectStates::Disabled;
            EXPECT_EQ(item.GetDisplayText(),
                      c.definition + std::string(disabled ? " [DISABLED]" : ""));
            EXPECT_EQ(item.GetKey(), "Constraint : " + item.GetDisplayText());
            EXPECT_EQ(item.GetCreatingText(),
                      *c.creating ? c.creating + std::string(disabled ? " DISABLE;" : ";") : "");
        }
    }
    for (int type : {-1, 9, 100})
        EXPECT_EQ(ConstraintTypeName(type), "") << type;
}

TEST(ItemTexts, ColumnTypeNullAndDefault)
{
    // Lengths, precisions and scales distinct, so a text printing the wrong one shows.
    struct {
        std::int32_t type, length, precision, scale;
        const char* expected;
    } const types[] = {
        // clang-format off
        {1, 30, 7, 3, "VARCHAR2(30)"},  {2, 22, 10, 0, "NUMBER(10,0)"},  {2, 22, 7, 2, "NUMBER(7,2)"},
        {2, 22, 126, -1, "FLOAT(22,126)"}, {2, 22, 0, -1, "FLOAT(22,0)"}, {2, 22, -1, -1, "NUMBER(22)"},
        {2, 21, -1, -5, "NUMBER(21)"},  {8, 0, 5, 6, "LONG"},  {9, 40, 5, 6, "VARCHAR(40)"},
        {12, 7, 5, 6, "DATE"},  {23, 255, 5, 6, "RAW"},  {24, 0, 5, 6, "LONG RAW"},
        {69, 6, 5, 6, "ROWID"},  {96, 1, 5, 6, "CHAR(1)"},  {105, 255, 5, 6, "MLSLABEL"},
        {106, 255, 5, 6, "MLSLABEL"},  {3, 4, 5, 6, "UNDEFINED(4,5,6)"},
        {0, 22, -1, -1, "UNDEFINED(22,-1,-1)"},  {104, 1, 2, 3, "UNDEFINED(1,2,3)"},
        {107, 1, 2, 3, "UNDEFINED(1,2,3)"},  {-2, 0, 0, 0, "UNDEFINED(0,0,0)"},
        // clang-format on
    };
    for (const auto& c : types) {
        TFieldItem field;
        field.FieldType = c.type;
        field.Length = c.length;
        field.Precision = c.precision;
        field.Scale = c.scale;
        EXPECT_EQ(field.TypeText(), c.expected);
    }
    // The default is appended exactly as the dictionary holds it, blanks included.
    struct {
        std::int32_t null;
        const char* defaultVal;
        const char* expected;
    } const nullDefaults[] = {
        // clang-format off
        {-1, "", "DATE"},  {1, "", "DATE NOT NULL"},  {2, "", "DATE NOT NULL"},
        {0, "0", "DATE DEFAULT 0"},  {1, "0", "DATE NOT NULL DEFAULT 0"},  {-7, "0", "DATE DEFAULT 0"},
        {0, " ", "DATE DEFAULT  "},  {1, " 1 + 2\n", "DATE NOT NULL DEFAULT  1 + 2\n"},
        // clang-format on
    };
    for (const auto& c : nullDefaults) {
        TFieldItem field;
        field.FieldType = 12;
        field.Null = c.null;
        field.DefaultVal = c.defaultVal;
        EXPECT_EQ(field.TypeText(), c.expected);
    }
}

TEST(ItemTexts, KeysCompareAsUpperCaseAsciiTextAndMarksGiveStates)
{
    struct {
        const char* a;
        const char* b;
        int sign;
    } const cases[] = {
        // Letters fold to upper case, so "_" sorts after every letter, lower case ones too.
        // clang-format off
        {"EMP", "emp", 0}, {"Emp_Ix", "EMP_IX", 0}, {"DEPT", "EMP", -1}, {"a", "B", -1}, {"", "", 0},
        {"EMP", "EMP2", -1}, {"", "A", -1}, {"EMP_", "EMP", 1}, {"A_B", "ABC", 1}, {"a_", "AZ", 1},
        {"EMP_IX", "EMPNO_IX", 1}, {"A1", "A_", -1}, {"A z", "A_", -1}, {"A ", "A1", -1},
        // clang-format on
    };
    for (const auto& c : cases) {
        TNameStateItem a;
        TNameStateItem b;
        a.ObjectName = c.a;
        b.ObjectName = c.b;
        const int forward = CompareKeys(&a, &b);
        const int backward = CompareKeys(&b, &a);
        EXPECT_EQ((forward > 0) - (forward < 0), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ((backward > 0) - (backward < 0), -c.sign) << c.b << " / " << c.a;
    }
    // Numbers compare as text, not by value; absent items come first.
    TDefaultItem twelve;
    TDefaultItem nine;
    twelve.ObjectNo = 12;
    nine.ObjectNo = 9;
    EXPECT_LT(CompareKeys(&twelve, &nine), 0);
    EXPECT_EQ(CompareKeys(nullptr, nullptr), 0);
    EXPECT_LT(CompareKeys(nullptr, &nine), 0);
    EXPECT_GT(CompareKeys(&nine, nullptr), 0);

    // Only the exact marks give a state.
    for (const char* mark : {"[ ] ", "[+]", "[-]", "[+]  ", " [+] ", "[*] ", "", " ", "[+] EMP"})
        EXPECT_EQ(MarkState(mark), 0) << "'" << mark << "'";
    EXPECT_EQ(MarkState("[-] "), 4);
    EXPECT_EQ(MarkState("[+] "), 3);
}

TEST(ItemTexts, NewItemCreatesTheListsItemClass)
{
    const std::pair<const TClassInfo& (*)(), const char*> lists[] = {
        // clang-format off
        {&TDefaultList::StaticClass, "TDefaultItem"}, {&TCommentList::StaticClass, "TCommentItem"},
        {&TFieldList::StaticClass, "TFieldItem"}, {&TConstraintList::StaticClass, "TConstraintItem"},
        {&TTriggerList::StaticClass, "TTriggerItem"}, {&TIndexList::StaticClass, "TIndexItem"},
        {&TObjectList::StaticClass, "TObjectItem"}, {&TOwnerList::StaticClass, "TOwnerItem"},
        // clang-format on
    };
    for (const auto& [list, item] : lists)
        EXPECT_EQ(dynamic_cast<TCleanList&>(*list().Create()).NewItem()->ClassName(), item);
}

TEST(CompactText, HoldsAnyBytesAndCopiesIndependently)
{
    // 8-bit texts: zero bytes and bytes above 127 are text like any other; lengths beyond 8
    // and 16 bits.
    for (const std::string& bytes :
         {std::string("a\0b\xFF\x80 ", 6), std::string(70000, 'L'), std::string()}) {
        TCompactText text;
        text = "before";
        text = bytes;
        EXPECT_EQ(text.size(), bytes.size());
        EXPECT_EQ(std::string(text), bytes);
        EXPECT_EQ(text.empty(), bytes.empty());
    }
    TCompactText text("ABCDEFGHIJ");
    text = text.View().substr(3, 4); // a part of itself
    const TCompactText& same = text;
    text = same;
    TCompactText copy(text);
    copy = "changed";
    TCompactText moved(std::move(copy));
    std::ostringstream out;
    out << text << '|' << moved << '|' << copy; // NOLINT(bugprone-use-after-move): it is empty
    EXPECT_EQ(out.str(), "DEFG|changed|");
    EXPECT_TRUE(text == TCompactText("DEFG"));
    EXPECT_FALSE(text == "DEFGH");
    EXPECT_TRUE(TCompactText() == TCompactText(""));
}

} // namespace
} // namespace quorvex
