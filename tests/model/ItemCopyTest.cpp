// Copies of items (Assign), an object's sub-lists created on first use, and clearing the model
// root.

#include "DumpModel.h"
#include "ModelBuilder.h"
#include "dictionary/DBOraClass.h"
#include "persistence/Exceptions.h"

#include <gtest/gtest.h>
#include <set>

namespace quorvex {
namespace {

using test::AddItem;
using test::DumpModel;

// The writable stored properties but nested objects, as "Name=value" lines: those named in
// `names` as "Class.Name" when `named`, the others when not.
std::string Values(const TStreamed& object, const std::set<std::string>& names = {},
                   bool named = false)
{
    std::string text;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        if (prop.Kind == TPropKind::Object || !prop.Writable() ||
            (names.count(object.ClassName() + "." + std::string(prop.Name)) != 0) != named)
            continue;
        text += std::string(prop.Name) + "=" +
                (prop.Kind == TPropKind::Text ? std::string(prop.GetText(object))
                                              : std::to_string(prop.GetInt(object))) +
                "\n";
    }
    return text;
}

// Gives every writable property a value of its own, derived from `seed`, so a copy that misses
// or swaps a property shows.
void FillAll(TStreamed& object, int seed)
{
    int n = 1000 * seed;
    for (const TPropInfo& prop : object.ClassInfo().Props) {
        if (prop.Kind == TPropKind::Text && prop.Writable())
            prop.SetText(object, std::string(prop.Name) + std::to_string(++n));
        else if (prop.Kind != TPropKind::Object && prop.Writable())
            prop.SetInt(object, prop.Kind == TPropKind::Boolean ? seed % 2 : ++n);
    }
}

TEST(ItemAssign, CopiesTheStoredPropertiesOfItemsOnly)
{
    // Left as they were: a comment's column number (its copy is that of TDefaultItem), a
    // constraint's Columns (carried in files, not copied), an owner's number and name (its
    // copy is that of TCleanItem: the OID only).
    const std::set<std::string> kept = {"TCommentItem.FieldNo", "TConstraintItem.Columns",
                                        "TOwnerItem.OwnerNo", "TOwnerItem.OwnerName"};
    // clang-format off
    const TClassInfo* nonItems[] = {&TCleanList::StaticClass(), &TFieldList::StaticClass(),
        &TObjectList::StaticClass(), &TStreamed::StaticClass(), &TDBNewOracle::StaticClass()};
    for (const TClassInfo* info : {&TCleanItem::StaticClass(), &TDefaultItem::StaticClass(),
         &TCommentItem::StaticClass(), &TFieldItem::StaticClass(), &TNameStateItem::StaticClass(),
         &TTableItem::StaticClass(), &TConstraintItem::StaticClass(), &TIndexItem::StaticClass(),
         &TTriggerItem::StaticClass(), &TObjectItem::StaticClass(), &TOwnerItem::StaticClass()}) {
        // clang-format on
        auto source = info->Create();
        auto target = info->Create();
        FillAll(*source, 1);
        FillAll(*target, 2);
        const std::string keptValues = Values(*target, kept, true);
        target->Assign(*source);
        EXPECT_EQ(Values(*target, kept), Values(*source, kept)) << info->Name;
        EXPECT_EQ(Values(*target, kept, true), keptValues) << info->Name;
        // A source that is no item aborts the copy and leaves the target as it was.
        const std::string unchanged = Values(*target);
        for (const TClassInfo* nonItem : nonItems) {
            try {
                target->Assign(*nonItem->Create());
                ADD_FAILURE() << "no exception";
            } catch (const EAbort& e) {
                EXPECT_EQ(std::string(e.what()),
                          "Cannot assign a " + nonItem->Name + " to a " + info->Name);
            }
        }
        EXPECT_EQ(Values(*target), unchanged);
    }
}

TEST(ObjectAssign, AppendsCopiesOfTheSubListsAfterExistingItems)
{
    // Each item of the source carries a comparison text, which a copy never takes.
    TObjectItem emp;
    test::SetProps(emp, "OID=100|ObjectName=EMP|ObjectType=2|CommentText=Employees");
    emp.SetComparisonText("[ ] EMP");
    AddItem(emp.ObjectFields(), "FieldNo=1|FieldName=EMPNO|FieldType=1|Length=10")
        ->SetComparisonText("[+] x");
    AddItem(emp.ObjectIndexes(), "ObjectName=EMP_I1|TableName=EMP|IndexFields=ENAME")
        ->SetComparisonText("[+] x");
    const std::string source = DumpModel(emp);
    TObjectItem target;
    test::SetProps(target, "ObjectType=2|ObjectName=OLD|CommentText=old comment");
    AddItem(target.ObjectFields(), "FieldNo=1|FieldName=OLDCOL|FieldType=12");

    target.Assign(emp);
    EXPECT_EQ(DumpModel(target), "TObjectItem Table : EMP [0]\n"
                                 "    | CREATE TABLE EMP (\n"
                                 "    |  OLDCOL DATE\n"
                                 "    | ,EMPNO VARCHAR2(10));\n"
                                 "  ObjectFields:\n"
                                 "    TFieldItem Field01 : OLDCOL [0]\n"
                                 "        | OLDCOL DATE\n"
                                 "    TFieldItem Field01 : EMPNO [0]\n"
                                 "        | EMPNO VARCHAR2(10)\n"
                                 "  ObjectIndexes:\n"
                                 "    TIndexItem Index : EMP_I1 [0]\n"
                                 "        | CREATE INDEX EMP_I1 ON EMP (ENAME);\n");
    EXPECT_EQ(target.GetDisplayText() + std::to_string(target.OID), "Employees100");
    EXPECT_EQ(DumpModel(emp), source); // the source is untouched

    // An object copying itself appends each of its items once.
    emp.Assign(emp);
    EXPECT_EQ(emp.ObjectFields().Count() + emp.ObjectIndexes().Count(), 4);
}

TEST(ObjectItem, SubListsAreCreatedOnFirstUseOnly)
{
    TObjectItem object;
    object.ObjectType = ObjectTypes::Table;
    object.GetCreatingText(); // texts do not create them
    for (const char* name :
         {"ObjectFields", "ObjectConstraints", "ObjectTriggers", "ObjectIndexes"}) {
        const TPropInfo* prop = TObjectItem::StaticClass().FindProp(name);
        ASSERT_NE(prop, nullptr) << name;
        EXPECT_EQ(prop->GetObject(object), nullptr) << name;
        const TStreamed* list = prop->ObtainObject(object);
        EXPECT_TRUE(prop->ObtainObject(object) == list && prop->GetObject(object) == list) << name;
        EXPECT_EQ(list->ClassInfo().Name, prop->ObjectClass()->Name) << name;
    }
}

TEST(ModelRoot, ClearEmptiesTheListsAndReadTimesButKeepsTheLogin)
{
    TDBNewOracle root;
    root.UserName = "SCOTT";
    root.UseRule = true;
    const TStreamed* owners = &root.Owners();
    AddItem(root.Owners(), "OwnerName=U");
    AddItem(root.Objects(), "ObjectType=2")->ObjectFields().NewItem();
    root.SchemaLoaded = root.SourceLoaded = 45000.5;
    root.Clear();
    EXPECT_EQ(root.Owners().Count() + root.Objects().Count(), 0);
    EXPECT_EQ(root.SchemaLoaded + root.SourceLoaded, 0);
    EXPECT_TRUE(owners == &root.Owners() && root.UserName == "SCOTT" && root.UseRule);
}

} // namespace
} // namespace quorvex
