// Class registry, creation by name, stored-property order, copying and the live counter.
#include "persistence/ClassRegistry.h"

#include "TestClasses.h"
#include "dictionary/DBOraClass.h"
#include "model/ConstraintItem.h"
#include "model/FieldItem.h"
#include "model/IndexItem.h"
#include "model/ObjectItem.h"
#include "model/OwnerItem.h"
#include "model/TriggerItem.h"
#include "persistence/CleanList.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace quorvex::test {
namespace {

class ClassRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { RegisterAllTestClasses(); }
};

std::vector<std::string> PropertyNames(const TClassInfo& info)
{
    std::vector<std::string> names;
    for (const TPropInfo& p : info.Props)
        names.emplace_back(p.Name);
    return names;
}

TEST_F(ClassRegistryTest, PropertiesEnumerateInFileOrder)
{
    using Names = std::vector<std::string>;
    const struct {
        const TClassInfo& Info;
        Names Expected;
    } cases[] = {
        {TDBNewOracle::StaticClass(),
         {"IncludeSys", "Objects", "Owners", "SchemaLoaded", "SourceLoaded", "UseOrdered",
          "UserName", "UserNo", "UseRule", "Version"}},
        {TObjectItem::StaticClass(),
         {"CommentText", "ObjectConstraints", "ObjectFields", "ObjectIndexes", "ObjectName",
          "ObjectNo", "ObjectState", "ObjectText", "ObjectTriggers", "ObjectType", "OID", "OwnerNo",
          "Version"}},
        {TFieldItem::StaticClass(),
         {"CommentText", "DefaultVal", "FieldName", "FieldNo", "FieldType", "Length", "Null",
          "ObjectNo", "ObjectState", "ObjectText", "OID", "OwnerNo", "Precision", "Scale",
          "Version"}},
        {TConstraintItem::StaticClass(),
         {"Columns",     "Condition",  "ConstNo",     "ConstType",  "Match",
          "ObjectName",  "ObjectNo",   "ObjectState", "ObjectText", "ObjectType",
          "OID",         "OwnerNo",    "RefAct",      "RefConstNo", "RefFields",
          "RefObjectNo", "RefObjName", "RefRules",    "TableName",  "Version"}},
        {TIndexItem::StaticClass(),
         {"IndexFields", "ObjectName", "ObjectNo", "ObjectState", "ObjectText", "ObjectType", "OID",
          "OwnerNo", "TableName", "Version"}},
        {TTriggerItem::StaticClass(),
         {"ObjectName", "ObjectNo", "ObjectState", "ObjectText", "ObjectType", "OID", "OwnerNo",
          "Version"}},
        {TOwnerItem::StaticClass(), {"OID", "OwnerName", "OwnerNo", "Version"}},
        {TOwnerList::StaticClass(), {"Version"}},
        {TSampleObject::StaticClass(),
         {"Caption", "Enabled", "Letter", "Number", "Stamp", "Styles", "Version"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PropertyNames(c.Info), c.Expected) << c.Info.Name;
}

TEST_F(ClassRegistryTest, PropertyKindsOfTheModelRoot)
{
    const TClassInfo& info = TDBNewOracle::StaticClass();
    const struct {
        const char* Name;
        TPropKind Kind;
    } cases[] = {{"IncludeSys", TPropKind::Boolean},    {"Objects", TPropKind::Object},
                 {"Owners", TPropKind::Object},         {"SchemaLoaded", TPropKind::DateTime},
                 {"SourceLoaded", TPropKind::DateTime}, {"UseOrdered", TPropKind::Boolean},
                 {"UserName", TPropKind::Text},         {"UserNo", TPropKind::Text},
                 {"UseRule", TPropKind::Boolean},       {"Version", TPropKind::Integer}};
    for (const auto& c : cases) {
        const TPropInfo* p = info.FindProp(c.Name);
        ASSERT_NE(p, nullptr) << c.Name;
        EXPECT_EQ(p->Kind, c.Kind) << c.Name;
    }
    // Lookup ignores case; Version cannot be written.
    ASSERT_NE(info.FindProp("userno"), nullptr);
    EXPECT_EQ(info.FindProp("userno")->Name, "UserNo");
    EXPECT_FALSE(info.FindProp("VERSION")->Writable());
    EXPECT_EQ(info.FindProp("User"), nullptr);
}

TEST_F(ClassRegistryTest, EveryModelClassIsRegistered)
{
    for (const char* name :
         {"TStreamed",       "TCleanItem",   "TCleanList",   "TDefaultItem", "TDefaultList",
          "TCommentItem",    "TCommentList", "TFieldItem",   "TFieldList",   "TConstraintItem",
          "TConstraintList", "TTriggerItem", "TTriggerList", "TIndexItem",   "TIndexList",
          "TObjectItem",     "TObjectList",  "TOwnerItem",   "TOwnerList",   "TDBNewOracle"}) {
        const TClassInfo* info = FindClass(name);
        ASSERT_NE(info, nullptr) << name;
        EXPECT_EQ(info->Name, name);
    }
}

TEST_F(ClassRegistryTest, CreateByNameIgnoresCase)
{
    const auto before = LiveObjectCount();
    for (const char* name : {"TOwnerItem", "towneritem", "TOWNERITEM", "tOwNeRiTeM"}) {
        const auto created = CreateByName(name);
        EXPECT_EQ(created->ClassName(), "TOwnerItem") << name;
        EXPECT_EQ(LiveObjectCount(), before + 1);
    }
    // The root created by name has its lists, as after its constructor.
    const auto root = CreateByName("tdbneworacle");
    ASSERT_EQ(root->ClassName(), "TDBNewOracle");
    const auto& model = static_cast<const TDBNewOracle&>(*root);
    const TPropInfo* owners = model.ClassInfo().FindProp("Owners");
    EXPECT_NE(owners->GetObject(model), nullptr);
    EXPECT_EQ(model.Owners().Count(), 0);
    EXPECT_EQ(LiveObjectCount(), before + 3); // the root and its two lists
}

TEST_F(ClassRegistryTest, UnknownClassNamesAreNotFound)
{
    for (const std::string name : {"TNoSuchItem", "TOwnerItem2", "TOwnerIte", ""}) {
        try {
            CreateByName(name);
            ADD_FAILURE() << name;
        } catch (const EClassNotFound& e) {
            EXPECT_EQ(std::string(e.what()), "Class " + name + " not found");
        }
    }
}

TEST_F(ClassRegistryTest, AssignAcceptsOnlyItems)
{
    TCleanItem target;
    target.OID = 7;
    const TCleanList list;
    try {
        target.Assign(list);
        ADD_FAILURE() << "assigned";
    } catch (const EAbort& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot assign a TCleanList to a TCleanItem");
    }
    EXPECT_EQ(target.OID, 7);

    TOwnerItem owner;
    owner.OID = 7;
    owner.OwnerName = "SCOTT";
    const TStreamed plain;
    try {
        owner.Assign(plain);
        ADD_FAILURE() << "assigned";
    } catch (const EAbort& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot assign a TStreamed to a TOwnerItem");
    }
    EXPECT_EQ(owner.OID, 7);
    EXPECT_EQ(owner.OwnerName, "SCOTT");

    // Any item is accepted and gives its OID.
    owner.OID = 12;
    target.Assign(owner);
    EXPECT_EQ(target.OID, 12);
}

TEST_F(ClassRegistryTest, ObjectsNotFreedMessage)
{
    ASSERT_EQ(LiveObjectCount(), 0) << "an earlier test leaked";
    EXPECT_EQ(ObjectsNotFreedMessage(), std::nullopt);
    {
        TCleanList list;
        list.NewItem();
        list.NewItem();
        EXPECT_EQ(ObjectsNotFreedMessage(), "Objects not freed : 3");
        TDBNewOracle model;
        EXPECT_EQ(ObjectsNotFreedMessage(), "Objects not freed : 6");
    }
    EXPECT_EQ(ObjectsNotFreedMessage(), std::nullopt);
}

} // namespace
} // namespace quorvex::test
