#include "model/ObjectItem.h"

#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>
#include <string>

namespace quorvex {
namespace {

void AddColumn(TObjectItem& table, std::int32_t no, const char* name, std::int32_t type,
               std::int32_t length, std::int32_t precision, std::int32_t scale, std::int32_t null)
{
    TFieldItem* field = table.ObjectFields().NewItem();
    field->FieldNo = no;
    field->FieldName = name;
    field->FieldType = type;
    field->Length = length;
    field->Precision = precision;
    field->Scale = scale;
    field->Null = null;
}

TEST(ObjectItem, KindNames)
{
    struct {
        int type;
        const char* name;
    } const cases[] = {
        {1, "Index"},
        {2, "Table"},
        {4, "View"},
        {5, "Synonym"},
        {6, "Sequence"},
        {7, "Procedure"},
        {8, "Function"},
        {9, "Package Header"},
        {11, "Package Body"},
        {12, "Trigger"},
        {0, ""},
        {3, ""},
        {10, ""},
        {13, ""},
        {-1, ""},
        {2147483647, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KindName(c.type), c.name) << c.type;
}

struct KindCase {
    int type;
    const char* key;
    const char* creating; // nullptr: the stored text unchanged
};

const KindCase kKindCases[] = {
    {ObjectTypes::Index, "Index : X", nullptr},
    {ObjectTypes::Table, "Table : X", "CREATE TABLE X ();"},
    {ObjectTypes::View, "View : X", nullptr},
    {ObjectTypes::Synonym, "Synonym : X", "CREATE SYNONYM X;"},
    {ObjectTypes::Sequence, "Sequence : X", nullptr},
    {ObjectTypes::Procedure, "Procedure : X", nullptr},
    {ObjectTypes::Function, "Function : X", nullptr},
    {ObjectTypes::PackageHeader, "Package Header : X", nullptr},
    {ObjectTypes::PackageBody, "Package Body : X", nullptr},
    {ObjectTypes::Trigger, "Trigger : X", nullptr},
    {0, " : X", nullptr},
    {3, " : X", nullptr},
    {10, " : X", nullptr},
    {99, " : X", nullptr},
};

class ObjectKindTexts : public testing::TestWithParam<KindCase> {};

TEST_P(ObjectKindTexts, KeyCreatingAndDisplayText)
{
    const KindCase& c = GetParam();
    const std::string stored = "create or replace view X as\r\n  select 1 from dual ";
    TObjectItem object;
    object.ObjectType = c.type;
    object.ObjectName = "X";
    object.ObjectText = stored;
    object.CommentText = "the comment";
    object.ObjectNo = 77;

    const std::string creating = c.creating != nullptr ? c.creating : stored;
    EXPECT_EQ(object.GetKey(), c.key);
    EXPECT_EQ(object.GetCreatingText(), creating);
    EXPECT_EQ(object.GetDisplayText(),
              c.type == ObjectTypes::Table ? std::string("the comment") : creating);
}

INSTANTIATE_TEST_SUITE_P(EveryKind, ObjectKindTexts, testing::ValuesIn(kKindCases));

TEST(ObjectItem, TableCreatingTextListsColumnsOnePerLine)
{
    TObjectItem emp;
    emp.ObjectType = ObjectTypes::Table;
    emp.ObjectName = "EMP";
    emp.ObjectText = "ignored";
    AddColumn(emp, 1, "EMPNO", 2, 22, 4, 0, 1);
    AddColumn(emp, 2, "ENAME", 1, 10, -1, -1, 0);
    EXPECT_EQ(emp.GetCreatingText(),
              "CREATE TABLE EMP (\r\n EMPNO NUMBER(4,0) NOT NULL\r\n,ENAME VARCHAR2(10));");
    EXPECT_EQ(emp.GetKey(), "Table : EMP");

    TObjectItem one;
    one.ObjectType = ObjectTypes::Table;
    one.ObjectName = "T";
    AddColumn(one, 1, "D", 12, 7, -1, -1, 0);
    EXPECT_EQ(one.GetCreatingText(), "CREATE TABLE T (\r\n D DATE);");
}

TEST(ObjectItem, TableColumnsFollowListOrder)
{
    TObjectItem t;
    t.ObjectType = ObjectTypes::Table;
    t.ObjectName = "T";
    AddColumn(t, 3, "C", 96, 1, -1, -1, 0);
    AddColumn(t, 1, "A", 12, 7, -1, -1, 1);
    AddColumn(t, 2, "B", 2, 22, -1, -1, 0);
    EXPECT_EQ(t.GetCreatingText(),
              "CREATE TABLE T (\r\n C CHAR(1)\r\n,A DATE NOT NULL\r\n,B NUMBER(22));");
}

TEST(ObjectItem, TableWithEmptyColumnListHasEmptyParentheses)
{
    TObjectItem t;
    t.ObjectType = ObjectTypes::Table;
    t.ObjectName = "T";
    t.ObjectFields(); // present but empty
    EXPECT_EQ(t.GetCreatingText(), "CREATE TABLE T ();");
}

TEST(ObjectItem, ColumnsShowOnlyInTables)
{
    for (int type : {ObjectTypes::View, ObjectTypes::Synonym, ObjectTypes::Index, 0}) {
        TObjectItem object;
        object.ObjectType = type;
        object.ObjectName = "V";
        object.ObjectText = "text";
        AddColumn(object, 1, "A", 12, 7, -1, -1, 0);
        EXPECT_EQ(object.GetCreatingText().find("DATE"), std::string::npos) << type;
    }
}

TEST(ObjectItem, SubListsStartAbsent)
{
    TObjectItem object;
    EXPECT_EQ(object.FieldsIfAny(), nullptr);
    EXPECT_EQ(object.ConstraintsIfAny(), nullptr);
    EXPECT_EQ(object.TriggersIfAny(), nullptr);
    EXPECT_EQ(object.IndexesIfAny(), nullptr);

    // Texts and keys do not create them.
    object.ObjectType = ObjectTypes::Table;
    object.GetCreatingText();
    object.GetDisplayText();
    object.GetKey();
    EXPECT_EQ(object.FieldsIfAny(), nullptr);

    TIndexList& indexes = object.ObjectIndexes();
    EXPECT_EQ(indexes.Count(), 0);
    EXPECT_EQ(object.IndexesIfAny(), &indexes);
    EXPECT_EQ(&object.ObjectIndexes(), &indexes); // created once
    EXPECT_EQ(object.FieldsIfAny(), nullptr);
    EXPECT_EQ(object.ConstraintsIfAny(), nullptr);
    EXPECT_EQ(object.TriggersIfAny(), nullptr);

    object.ObjectFields();
    object.ObjectConstraints();
    object.ObjectTriggers();
    EXPECT_EQ(object.FieldsIfAny(), &object.ObjectFields());
    EXPECT_EQ(object.ConstraintsIfAny(), &object.ObjectConstraints());
    EXPECT_EQ(object.TriggersIfAny(), &object.ObjectTriggers());
}

TEST(ObjectItem, ReadingASubListPropertyCreatesIt)
{
    TObjectItem object;
    for (const char* name :
         {"ObjectFields", "ObjectConstraints", "ObjectTriggers", "ObjectIndexes"}) {
        const TPropInfo* prop = TObjectItem::StaticClass().FindProp(name);
        ASSERT_NE(prop, nullptr) << name;
        ASSERT_EQ(prop->Kind, TPropKind::Object) << name;
        EXPECT_EQ(prop->GetObject(object), nullptr) << name;
        TStreamed* list = prop->ObtainObject(object);
        ASSERT_NE(list, nullptr) << name;
        EXPECT_EQ(prop->GetObject(object), list) << name;
        EXPECT_EQ(prop->ObtainObject(object), list) << name;
        EXPECT_EQ(list->ClassInfo().Name, prop->ObjectClass()->Name) << name;
    }
    EXPECT_EQ(object.FieldsIfAny()->ClassName(), "TFieldList");
    EXPECT_EQ(object.ConstraintsIfAny()->ClassName(), "TConstraintList");
    EXPECT_EQ(object.TriggersIfAny()->ClassName(), "TTriggerList");
    EXPECT_EQ(object.IndexesIfAny()->ClassName(), "TIndexList");
}

TEST(ObjectItem, DestroyingFreesItsSubLists)
{
    const auto before = LiveObjectCount();
    {
        TObjectItem object;
        EXPECT_EQ(object.ObjectIndexes().Count(), 0);
        EXPECT_EQ(LiveObjectCount(), before + 2); // the object and its index list
    }
    EXPECT_EQ(LiveObjectCount(), before);

    {
        TObjectItem object;
        AddColumn(object, 1, "A", 12, 7, -1, -1, 0);
        AddColumn(object, 2, "B", 12, 7, -1, -1, 0);
        object.ObjectConstraints().NewItem();
        object.ObjectTriggers().NewItem();
        object.ObjectIndexes().NewItem();
        EXPECT_EQ(LiveObjectCount(), before + 1 + 4 + 5);
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

} // namespace
} // namespace quorvex
