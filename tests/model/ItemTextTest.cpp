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

using test::MakeWithProps;

std::unique_ptr<TDefaultItem> MakeItem(const TClassInfo& info, std::string_view props)
{
    return std::unique_ptr<TDefaultItem>(static_cast<TDefaultItem*>(
        MakeWithProps(info, props).release())); // every class below is a TDefaultItem
}

struct TextCase {
    const TClassInfo& (*classInfo)();
    const char* props;
    const char* key;
    const char* creating;
    const char* display; // nullptr: the creating text
};

const auto kField = &TFieldItem::StaticClass;
const auto kConstraint = &TConstraintItem::StaticClass;

const TextCase kTextCases[] = {
    // A plain item: the object number in decimal, and its stored text.
    {&TDefaultItem::StaticClass, "ObjectNo=12|OID=99|OwnerNo=98|ObjectText=line 1\r\nline 2 ", "12",
     "line 1\r\nline 2 ", nullptr},
    {&TDefaultItem::StaticClass, "ObjectNo=-5", "-5", "", nullptr},
    {&TDefaultItem::StaticClass, "ObjectNo=2147483647", "2147483647", "", nullptr},
    {&TNameStateItem::StaticClass, "ObjectName=Emp|ObjectNo=12|ObjectType=2|ObjectText=x", "Emp",
     "x", nullptr},
    // Columns: "Field" and the column number of at least two digits; the stored text unused.
    {kField,
     "FieldNo=7|FieldName=ENAME|FieldType=1|Length=10|Null=1|DefaultVal='X'|CommentText=Employee "
     "name|ObjectText=ignored|ObjectNo=5",
     "Field07 : ENAME", "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'",
     "ENAME VARCHAR2(10) NOT NULL DEFAULT 'X'\r\nEmployee name"},
    {kField, "FieldNo=0|FieldName=A|FieldType=12", "Field00 : A", "A DATE", "A DATE\r\n"},
    {kField, "FieldNo=10|FieldName=SAL|FieldType=12", "Field10 : SAL", "SAL DATE", "SAL DATE\r\n"},
    {kField, "FieldNo=123|FieldName=X|FieldType=12", "Field123 : X", "X DATE", "X DATE\r\n"},
    {kField, "FieldNo=-5|FieldType=12", "Field-05 : ", " DATE", " DATE\r\n"},
    {&TIndexItem::StaticClass,
     "ObjectName=EMP_I2|TableName=EMP|IndexFields=DEPTNO,SAL DESC|ObjectText=stored|ObjectNo=42",
     "Index : EMP_I2", "CREATE INDEX EMP_I2 ON EMP (DEPTNO,SAL DESC);", nullptr},
    {&TIndexItem::StaticClass, "", "Index : ", "CREATE INDEX  ON  ();", nullptr},
    {&TTriggerItem::StaticClass,
     "ObjectName=EMP_BI|ObjectNo=42|ObjectText=EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\nEND;",
     "Trigger : EMP_BI", "CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\r\nBEGIN\r\nEND;",
     nullptr},
    {&TTriggerItem::StaticClass, "ObjectName=T", "Trigger : T", "CREATE OR REPLACE TRIGGER ",
     nullptr},
    // Constraints: the key is the definition, not the name; cascading only for references.
    {kConstraint,
     "ObjectName=N|TableName=T|ConstType=4|RefObjName=R|RefFields=A,B|RefAct=1|ObjectState=2",
     "Constraint : REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]",
     "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE DISABLE;",
     "REFERENCES R (A,B) ON DELETE CASCADE [DISABLED]"},
    {kConstraint, "ObjectName=N|TableName=T|ConstType=4|RefObjName=R|RefFields=A,B|RefAct=1",
     "Constraint : REFERENCES R (A,B) ON DELETE CASCADE",
     "ALTER TABLE T ADD CONSTRAINT N REFERENCES R (A,B) ON DELETE CASCADE;",
     "REFERENCES R (A,B) ON DELETE CASCADE"},
    {kConstraint, "ObjectName=N|TableName=T|ConstType=2|ObjectState=2|RefFields=ID",
     "Constraint : PRIMARY KEY [DISABLED]", "ALTER TABLE T ADD CONSTRAINT N PRIMARY KEY DISABLE;",
     "PRIMARY KEY [DISABLED]"},
    {kConstraint, "ConstType=1", "Constraint : ", "ALTER TABLE  ADD CONSTRAINT  AS ;", ""},
    {kConstraint, "ConstType=7", "Constraint :  IS NOT NULL",
     "ALTER TABLE  ADD CONSTRAINT  CHECK (\"\" IS NOT NULL);", " IS NOT NULL"},
};

TEST(ItemTexts, KeyCreatingAndDisplayText)
{
    for (const TextCase& c : kTextCases) {
        SCOPED_TRACE(c.props);
        auto item = MakeItem(c.classInfo(), c.props);
        EXPECT_EQ(item->GetKey(), c.key);
        EXPECT_EQ(item->GetCreatingText(), c.creating);
        EXPECT_EQ(item->GetDisplayText(), c.display != nullptr ? c.display : c.creating);
        // The comparison text is shown elsewhere, never as part of the item's own texts.
        item->SetComparisonText("[+] other");
        EXPECT_EQ(item->GetCreatingText(), c.creating);
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

struct ConstraintCase {
    int constType;
    const char* typeName;
    const char* definition; // display text when enabled
    const char* creating;   // creating text when enabled, without ";"
};

TEST(ItemTexts, ConstraintTypesEnabledAndDisabled)
{
    const ConstraintCase cases[] = {
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
    };
    for (const ConstraintCase& c : cases) {
        EXPECT_EQ(ConstraintTypeName(c.constType), c.typeName);
        // Any state but 2 prints as enabled, the comparison marks included.
        for (int state : {0, 1, 2, 3, 4, 5, 6}) {
            SCOPED_TRACE(testing::Message() << c.constType << " state " << state);
            const std::string disabled = state == ObjectStates::Disabled ? " [DISABLED]" : "";
            // Every field is filled: only the type decides which show (RefAct only in references).
            auto item = MakeItem(TConstraintItem::StaticClass(),
                                 "ObjectName=C1|TableName=EMP|Condition=SAL > 0|RefObjName=DEPT|"
                                 "RefFields=DEPTNO,LOC|RefRules=rules|Columns=COLUMNS|"
                                 "ObjectText=stored|RefAct=" +
                                     std::to_string(c.constType == 4 ? 0 : 1) +
                                     "|ConstType=" + std::to_string(c.constType) +
                                     "|ObjectState=" + std::to_string(state));
            EXPECT_EQ(item->GetDisplayText(), c.definition + disabled);
            EXPECT_EQ(item->GetKey(), "Constraint : " + (c.definition + disabled));
            const bool hasStatement = c.constType >= 1 && c.constType <= 7;
            EXPECT_EQ(item->GetCreatingText(),
                      hasStatement
                          ? c.creating + std::string(disabled.empty() ? "" : " DISABLE") + ";"
                          : "");
        }
    }
    for (int type : {-1, 9, 100})
        EXPECT_EQ(ConstraintTypeName(type), "") << type;
}

TEST(ItemTexts, ColumnTypeNullAndDefault)
{
    struct {
        std::int32_t type, length, precision, scale, null;
        const char* defaultVal;
        const char* expected;
    } const cases[] = {
        // Lengths, precisions and scales distinct, so a text printing the wrong one shows.
        {1, 30, 7, 3, 0, "", "VARCHAR2(30)"},
        {2, 22, 10, 0, 0, "", "NUMBER(10,0)"},
        {2, 22, 7, 2, 0, "", "NUMBER(7,2)"},
        {2, 22, 126, -1, 0, "", "FLOAT(22,126)"},
        {2, 22, 0, -1, 0, "", "FLOAT(22,0)"},
        {2, 22, -1, -1, 0, "", "NUMBER(22)"},
        {2, 21, -1, -5, 0, "", "NUMBER(21)"},
        {8, 0, 5, 6, 0, "", "LONG"},
        {9, 40, 5, 6, 0, "", "VARCHAR(40)"},
        {12, 7, 5, 6, 0, "", "DATE"},
        {23, 255, 5, 6, 0, "", "RAW"},
        {24, 0, 5, 6, 0, "", "LONG RAW"},
        {69, 6, 5, 6, 0, "", "ROWID"},
        {96, 1, 5, 6, 0, "", "CHAR(1)"},
        {105, 255, 5, 6, 0, "", "MLSLABEL"},
        {106, 255, 5, 6, 0, "", "MLSLABEL"},
        {3, 4, 5, 6, 0, "", "UNDEFINED(4,5,6)"},
        {0, 22, -1, -1, 0, "", "UNDEFINED(22,-1,-1)"},
        {104, 1, 2, 3, 0, "", "UNDEFINED(1,2,3)"},
        {107, 1, 2, 3, 0, "", "UNDEFINED(1,2,3)"},
        {-2, 0, 0, 0, 0, "", "UNDEFINED(0,0,0)"},
        {2, 22, 1, 0, -1, "", "NUMBER(1,0)"},
        {2, 22, 1, 0, 1, "", "NUMBER(1,0) NOT NULL"},
        {2, 22, 1, 0, 2, "", "NUMBER(1,0) NOT NULL"},
        {2, 22, 1, 0, 0, "0", "NUMBER(1,0) DEFAULT 0"},
        {2, 22, 1, 0, 1, "0", "NUMBER(1,0) NOT NULL DEFAULT 0"},
        {2, 22, 1, 0, -7, "0", "NUMBER(1,0) DEFAULT 0"},
        // The default is appended exactly as the dictionary holds it, blanks included.
        {2, 22, 1, 0, 0, " ", "NUMBER(1,0) DEFAULT  "},
        {2, 22, 1, 0, 1, " 1 + 2\n", "NUMBER(1,0) NOT NULL DEFAULT  1 + 2\n"},
    };
    for (const auto& c : cases) {
        TFieldItem field;
        field.FieldType = c.type;
        field.Length = c.length;
        field.Precision = c.precision;
        field.Scale = c.scale;
        field.Null = c.null;
        field.DefaultVal = c.defaultVal;
        EXPECT_EQ(field.TypeText(), c.expected);
    }
}

int Sign(int value)
{
    return (value > 0) - (value < 0);
}

TEST(ItemTexts, KeysCompareAsUpperCaseAsciiText)
{
    struct {
        const char* a;
        const char* b;
        int sign;
    } const cases[] = {
        {"EMP", "emp", 0},
        {"Emp_Ix", "EMP_IX", 0},
        {"DEPT", "EMP", -1},
        {"a", "B", -1},
        {"EMP", "EMP2", -1},
        {"", "A", -1},
        {"", "", 0},
        {"EMP_", "EMP", 1},
        // Letters fold to upper case, so "_" sorts after every letter, lower case ones too.
        {"A_B", "ABC", 1},
        {"a_", "AZ", 1},
        {"EMP_IX", "EMPNO_IX", 1},
        {"A1", "A_", -1},
        {"A z", "A_", -1},
        {"A ", "A1", -1},
    };
    for (const auto& c : cases) {
        TNameStateItem a;
        TNameStateItem b;
        a.ObjectName = c.a;
        b.ObjectName = c.b;
        EXPECT_EQ(Sign(CompareKeys(&a, &b)), c.sign) << c.a << " / " << c.b;
        EXPECT_EQ(Sign(CompareKeys(&b, &a)), -c.sign) << c.b << " / " << c.a;
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
}

TEST(ItemTexts, OnlyExactMarksGiveAState)
{
    struct {
        const char* mark;
        int state;
    } const cases[] = {
        {"[-] ", 4},  {"[+] ", 3}, {"[ ] ", 0}, {"[+]", 0}, {"[-]", 0},     {"[+]  ", 0},
        {" [+] ", 0}, {"[*] ", 0}, {"", 0},     {" ", 0},   {"[+] EMP", 0}, {"[-]  ", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MarkState(c.mark), c.state) << "'" << c.mark << "'";
}

template <class List>
std::string NewItemClassName()
{
    List list;
    return list.NewItem()->ClassName();
}

TEST(ItemTexts, NewItemCreatesTheListsItemClass)
{
    EXPECT_EQ(NewItemClassName<TDefaultList>(), "TDefaultItem");
    EXPECT_EQ(NewItemClassName<TCommentList>(), "TCommentItem");
    EXPECT_EQ(NewItemClassName<TFieldList>(), "TFieldItem");
    EXPECT_EQ(NewItemClassName<TConstraintList>(), "TConstraintItem");
    EXPECT_EQ(NewItemClassName<TTriggerList>(), "TTriggerItem");
    EXPECT_EQ(NewItemClassName<TIndexList>(), "TIndexItem");
    EXPECT_EQ(NewItemClassName<TObjectList>(), "TObjectItem");
    EXPECT_EQ(NewItemClassName<TOwnerList>(), "TOwnerItem");
}

TEST(CompactText, HoldsAnyBytesAndCopiesIndependently)
{
    TCompactText text;
    EXPECT_TRUE(text.empty());
    EXPECT_EQ(text, "");
    // 8-bit texts: zero bytes and bytes above 127 are text like any other.
    const std::string bytes("a\0b\xFF\x80 ", 6);
    text = bytes;
    EXPECT_EQ(text.size(), 6u);
    EXPECT_EQ(std::string(text), bytes);
    text = std::string(70000, 'L'); // lengths beyond 8 and 16 bits
    EXPECT_EQ(text.size(), 70000u);
    text = std::string();
    EXPECT_TRUE(text.empty());

    text = "ABCDEFGHIJ";
    text = text.View().substr(3, 4); // a part of itself
    EXPECT_EQ(text, "DEFG");
    const TCompactText& same = text;
    text = same;
    EXPECT_EQ(text, "DEFG");

    TCompactText copy(text);
    copy = "changed";
    EXPECT_EQ(text, "DEFG");
    TCompactText assigned;
    assigned = text;
    text.clear();
    EXPECT_EQ(assigned, "DEFG");
    EXPECT_FALSE(assigned == "DEFGH");
    EXPECT_FALSE(assigned == TCompactText());
    EXPECT_TRUE(TCompactText() == TCompactText(""));
    TCompactText moved(std::move(assigned));
    EXPECT_EQ(moved, TCompactText("DEFG"));
    EXPECT_TRUE(assigned.empty()); // NOLINT(bugprone-use-after-move): moved-from is empty

    std::string line = "DEFAULT ";
    line += TCompactText("'X'");
    std::ostringstream out;
    out << line << '|' << TCompactText() << '|';
    EXPECT_EQ(out.str(), "DEFAULT 'X'||");
}

} // namespace
} // namespace quorvex
