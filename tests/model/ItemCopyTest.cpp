// Copies of items (Assign), an object's sub-lists and table text, and clearing the model root.

#include "DumpModel.h"
#include "ModelBuilder.h"
#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>
#include <set>

namespace quorvex {
namespace {

using test::AddItem;
using test::DumpModel;

std::string Value(const TStreamed& object, const TPropInfo& prop)
{
    return prop.Kind == TPropKind::Text ? std::string(prop.GetText(object))
                                        : std::to_string(prop.GetInt(object));
}

// Every stored property except nested objects, as "Name=value" lines.
std::string StoredValues(const TStreamed& object)
{
    std::string text;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        if (prop.Kind != TPropKind::Object)
            text += std::string(prop.Name) + "=" + Value(object, prop) + "\n";
    }
    return text;
}

// Gives every writable property a value of its own, derived from `seed`, so a copy that misses
// or swaps a property shows.
void FillAll(TStreamed& object, int seed)
{
    int n = 1000 * seed;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        ++n;
        if (prop.Kind == TPropKind::Text && prop.Writable())
            prop.SetText(object, std::string(prop.Name) + " " + std::to_string(n));
        else if (prop.Kind == TPropKind::Integer && prop.Writable())
            prop.SetInt(object, n);
        else if (prop.Kind == TPropKind::Boolean && prop.Writable())
            prop.SetInt(object, seed % 2);
    }
}

const std::vector<const TClassInfo*> kItemClasses = {
    &TCleanItem::StaticClass(),      &TDefaultItem::StaticClass(),   &TCommentItem::StaticClass(),
    &TFieldItem::StaticClass(),      &TNameStateItem::StaticClass(), &TTableItem::StaticClass(),
    &TConstraintItem::StaticClass(), &TIndexItem::StaticClass(),     &TTriggerItem::StaticClass(),
    &TObjectItem::StaticClass(),     &TOwnerItem::StaticClass(),
};

TEST(ItemAssign, SameClassCopiesTheStoredPropertiesButKeepsSome)
{
    // Properties a copy leaves as they were: a comment's column number (its copy is that of
    // TDefaultItem), a constraint's Columns (carried in files, not copied), an owner's number
    // and name (its copy is that of TCleanItem: the OID only).
    const std::set<std::string> kept = {"TCommentItem.FieldNo", "TConstraintItem.Columns",
                                        "TOwnerItem.OwnerNo", "TOwnerItem.OwnerName"};
    for (const TClassInfo* info : kItemClasses) {
        auto source = info->Create();
        auto target = info->Create();
        auto before = info->Create();
        FillAll(*source, 1);
        FillAll(*target, 2);
        FillAll(*before, 2);
        target->Assign(*source);
        for (const TPropInfo& prop : info->Props) {
            const std::string name = info->Name + "." + std::string(prop.Name);
            if (prop.Kind == TPropKind::Object || !prop.Writable())
                continue;
            EXPECT_EQ(Value(*target, prop), Value(kept.count(name) != 0 ? *before : *source, prop))
                << name;
        }
    }
}

TEST(ItemAssign, NonItemSourceAbortsAndLeavesTargetAsItWas)
{
    const std::vector<const TClassInfo*> sources = {
        &TCleanList::StaticClass(), &TFieldList::StaticClass(), &TObjectList::StaticClass(),
        &TStreamed::StaticClass(), &TDBNewOracle::StaticClass()};
    for (const TClassInfo* targetInfo : kItemClasses) {
        for (const TClassInfo* sourceInfo : sources) {
            SCOPED_TRACE(sourceInfo->Name + " -> " + targetInfo->Name);
            auto target = targetInfo->Create();
            FillAll(*target, 3);
            const std::string before = StoredValues(*target);
            try {
                target->Assign(*sourceInfo->Create());
                ADD_FAILURE() << "no exception";
            } catch (const EAbort& e) {
                EXPECT_EQ(std::string(e.what()),
                          "Cannot assign a " + sourceInfo->Name + " to a " + targetInfo->Name);
            }
            EXPECT_EQ(StoredValues(*target), before);
            if (auto* object = dynamic_cast<TObjectItem*>(target.get())) {
                EXPECT_EQ(object->FieldsIfAny(), nullptr);
            }
        }
    }
}

TEST(ItemAssign, ComparisonTextIsNeverCopied)
{
    TFieldItem source;
    source.SetComparisonText("[+] ENAME VARCHAR2(10)");
    TFieldItem blank;
    blank.Assign(source);
    EXPECT_EQ(blank.ComparisonText(), "");
    TFieldItem marked;
    marked.SetComparisonText("[-] OLD");
    marked.Assign(source);
    EXPECT_EQ(marked.ComparisonText(), "[-] OLD");
}

// A table with two columns, a constraint, a trigger and an index, each carrying a comparison
// text that must not travel with the copies.
void MakeEmp(TObjectItem& emp)
{
    test::SetProps(emp, "OID=100|ObjectNo=100|ObjectName=EMP|ObjectType=2|CommentText=Employees");
    emp.SetComparisonText("[ ] EMP");
    AddItem(emp.ObjectFields(), "FieldNo=1|FieldName=EMPNO|FieldType=1|Length=10")
        ->SetComparisonText("[+] x");
    AddItem(emp.ObjectFields(), "FieldNo=2|FieldName=ENAME|FieldType=1|Length=11");
    AddItem(emp.ObjectConstraints(), "ObjectName=EMP_PK|TableName=EMP|ConstType=2")
        ->SetComparisonText("[+] x");
    AddItem(emp.ObjectTriggers(), "ObjectName=EMP_BI|ObjectText=EMP_BI BEFORE INSERT ON EMP");
    AddItem(emp.ObjectIndexes(), "ObjectName=EMP_I1|TableName=EMP|IndexFields=ENAME");
}

TEST(ObjectAssign, AppendsCopiesOfTheSubListsAfterExistingItems)
{
    TObjectItem emp;
    MakeEmp(emp);
    const std::string source = DumpModel(emp);
    TObjectItem target;
    test::SetProps(target, "ObjectType=2|ObjectName=OLD|CommentText=old comment");
    AddItem(target.ObjectFields(), "FieldNo=1|FieldName=OLDCOL|FieldType=12");
    AddItem(target.ObjectIndexes(), "ObjectName=OLD_I");

    target.Assign(emp);
    EXPECT_EQ(DumpModel(target),
              "TObjectItem Table : EMP [0]\n"
              "    | CREATE TABLE EMP (\n"
              "    |  OLDCOL DATE\n"
              "    | ,EMPNO VARCHAR2(10)\n"
              "    | ,ENAME VARCHAR2(11));\n"
              "  ObjectConstraints:\n"
              "    TConstraintItem Constraint : PRIMARY KEY [0]\n"
              "        | ALTER TABLE EMP ADD CONSTRAINT EMP_PK PRIMARY KEY;\n"
              "  ObjectFields:\n"
              "    TFieldItem Field01 : OLDCOL [0]\n"
              "        | OLDCOL DATE\n"
              "    TFieldItem Field01 : EMPNO [0]\n"
              "        | EMPNO VARCHAR2(10)\n"
              "    TFieldItem Field02 : ENAME [0]\n"
              "        | ENAME VARCHAR2(11)\n"
              "  ObjectIndexes:\n"
              "    TIndexItem Index : OLD_I [0]\n"
              "        | CREATE INDEX OLD_I ON  ();\n"
              "    TIndexItem Index : EMP_I1 [0]\n"
              "        | CREATE INDEX EMP_I1 ON EMP (ENAME);\n"
              "  ObjectTriggers:\n"
              "    TTriggerItem Trigger : EMP_BI [0]\n"
              "        | CREATE OR REPLACE TRIGGER EMP_BI BEFORE INSERT ON EMP\n");
    EXPECT_EQ(target.GetDisplayText(), "Employees");
    EXPECT_EQ(target.OID, 100);
    EXPECT_EQ(DumpModel(emp), source); // the source is untouched

    // An object copying itself appends each of its items once.
    emp.Assign(emp);
    EXPECT_EQ(emp.ObjectFields().Count(), 4);
    EXPECT_EQ(emp.ObjectFields().Items(3)->GetKey(), "Field02 : ENAME");
    EXPECT_EQ(emp.ObjectConstraints().Count(), 2);
    EXPECT_EQ(emp.ObjectTriggers().Count(), 2);
    EXPECT_EQ(emp.ObjectIndexes().Count(), 2);

    // A source that is no object: its properties by name, the sub-lists left alone.
    TNameStateItem view;
    test::SetProps(view, "ObjectName=V|ObjectType=4|ObjectText=select 1 from dual");
    emp.Assign(view);
    EXPECT_EQ(emp.GetKey(), "View : V");
    EXPECT_EQ(emp.CommentText, "Employees");
    EXPECT_EQ(emp.ObjectFields().Count(), 4);
}

TEST(ObjectItem, TableListsItsColumnsInListOrder)
{
    TObjectItem t;
    test::SetProps(t, "ObjectType=2|ObjectName=T|ObjectText=ignored");
    t.ObjectFields(); // present but empty
    EXPECT_EQ(t.GetCreatingText(), "CREATE TABLE T ();");
    AddItem(t.ObjectFields(), "FieldNo=3|FieldName=C|FieldType=96|Length=1");
    EXPECT_EQ(t.GetCreatingText(), "CREATE TABLE T (\r\n C CHAR(1));");
    AddItem(t.ObjectFields(), "FieldNo=1|FieldName=A|FieldType=12|Null=1");
    AddItem(t.ObjectFields(), "FieldNo=2|FieldName=B|FieldType=2|Length=22|Precision=-1|Scale=-1");
    EXPECT_EQ(t.GetCreatingText(),
              "CREATE TABLE T (\r\n C CHAR(1)\r\n,A DATE NOT NULL\r\n,B NUMBER(22));");
    // Columns show only in tables.
    for (int type : {ObjectTypes::View, ObjectTypes::Synonym, ObjectTypes::Index, 0}) {
        t.ObjectType = type;
        EXPECT_EQ(t.GetCreatingText().find("DATE"), std::string::npos) << type;
    }
}

TEST(ObjectItem, SubListsAreCreatedOnFirstUseOnlyAndFreedWithTheObject)
{
    const auto before = LiveObjectCount();
    {
        TObjectItem object;
        object.ObjectType = ObjectTypes::Table;
        // Texts and keys do not create them.
        object.GetCreatingText();
        object.GetDisplayText();
        object.GetKey();
        for (const char* name :
             {"ObjectFields", "ObjectConstraints", "ObjectTriggers", "ObjectIndexes"}) {
            SCOPED_TRACE(name);
            const TPropInfo* prop = TObjectItem::StaticClass().FindProp(name);
            ASSERT_NE(prop, nullptr);
            EXPECT_EQ(prop->GetObject(object), nullptr);
            TStreamed* list = prop->ObtainObject(object);
            ASSERT_NE(list, nullptr);
            EXPECT_EQ(prop->GetObject(object), list);
            EXPECT_EQ(prop->ObtainObject(object), list); // created once
            EXPECT_EQ(list->ClassInfo().Name, prop->ObjectClass()->Name);
        }
        EXPECT_EQ(object.FieldsIfAny(), &object.ObjectFields());
        EXPECT_EQ(object.ConstraintsIfAny(), &object.ObjectConstraints());
        EXPECT_EQ(object.TriggersIfAny(), &object.ObjectTriggers());
        EXPECT_EQ(object.IndexesIfAny(), &object.ObjectIndexes());
        EXPECT_EQ(object.IndexesIfAny()->ClassName(), "TIndexList");
        object.ObjectFields().NewItem();
        object.ObjectIndexes().NewItem();
        EXPECT_EQ(LiveObjectCount(), before + 1 + 4 + 2);
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

void Fill(TDBNewOracle& root)
{
    for (int i = 1; i <= 3; ++i)
        AddItem(root.Owners(), "OwnerNo=" + std::to_string(i) + "|OwnerName=U");
    for (int i = 1; i <= 4; ++i) {
        TObjectItem* object = AddItem(root.Objects(), "ObjectType=2|ObjectNo=" + std::to_string(i));
        object->ObjectFields().NewItem()->FieldName = "A";
        object->ObjectIndexes();
    }
    root.SchemaLoaded = 45000.5;
    root.SourceLoaded = 45000.75;
}

TEST(ModelRoot, ClearFreesEverythingButKeepsTheListsAndLoginSettings)
{
    const auto empty = LiveObjectCount();
    {
        TDBNewOracle root;
        root.UserName = "SCOTT";
        root.UserNo = "31";
        root.UseRule = true;
        const auto filledFrom = LiveObjectCount();
        Fill(root);
        EXPECT_EQ(LiveObjectCount(), filledFrom + 3 + 4 * 4);
        TOwnerList* owners = &root.Owners();
        TObjectList* objects = &root.Objects();
        root.Clear();
        EXPECT_EQ(root.Owners().Count() + root.Objects().Count(), 0);
        EXPECT_EQ(root.SchemaLoaded, 0);
        EXPECT_EQ(root.SourceLoaded, 0);
        EXPECT_EQ(LiveObjectCount(), filledFrom);
        EXPECT_EQ(&root.Owners(), owners);
        EXPECT_EQ(&root.Objects(), objects);
        EXPECT_EQ(root.UserName, "SCOTT");
        EXPECT_EQ(root.UserNo, "31");
        EXPECT_TRUE(root.UseRule);
        // A cleared model fills again, and is freed whole when destroyed.
        Fill(root);
        EXPECT_EQ(root.Objects().Count(), 4);
    }
    EXPECT_EQ(LiveObjectCount(), empty);
}

} // namespace
} // namespace quorvex
