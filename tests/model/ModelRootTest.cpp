#include "dictionary/DBOraClass.h"
#include "persistence/LiveObjects.h"

#include <gtest/gtest.h>

namespace quorvex {
namespace {

void Fill(TDBNewOracle& root)
{
    for (int i = 1; i <= 3; ++i) {
        TOwnerItem* owner = root.Owners().NewItem();
        owner->OwnerNo = i;
        owner->OwnerName = "USER" + std::to_string(i);
    }
    for (int i = 1; i <= 4; ++i) {
        TObjectItem* object = root.Objects().NewItem();
        object->ObjectNo = i;
        object->ObjectType = ObjectTypes::Table;
        object->ObjectFields().NewItem()->FieldName = "A";
        object->ObjectIndexes();
    }
    root.SchemaLoaded = 45000.5;
    root.SourceLoaded = 45000.75;
}

TEST(ModelRoot, ClearEmptiesBothListsAndForgetsReadTimes)
{
    TDBNewOracle root;
    root.UserName = "SCOTT";
    root.UserNo = "31";
    root.UseRule = true;
    const auto empty = LiveObjectCount();
    Fill(root);
    // 3 owners; 4 objects, each with a column list holding one column and an index list.
    EXPECT_EQ(LiveObjectCount(), empty + 3 + 4 * 4);

    TOwnerList* owners = &root.Owners();
    TObjectList* objects = &root.Objects();
    root.Clear();
    EXPECT_EQ(root.Owners().Count(), 0);
    EXPECT_EQ(root.Objects().Count(), 0);
    EXPECT_EQ(root.SchemaLoaded, 0);
    EXPECT_EQ(root.SourceLoaded, 0);
    EXPECT_EQ(LiveObjectCount(), empty);
    // The lists stay and the login settings are kept.
    EXPECT_EQ(&root.Owners(), owners);
    EXPECT_EQ(&root.Objects(), objects);
    EXPECT_EQ(root.UserName, "SCOTT");
    EXPECT_EQ(root.UserNo, "31");
    EXPECT_TRUE(root.UseRule);

    // A cleared model fills and clears again.
    Fill(root);
    EXPECT_EQ(root.Objects().Count(), 4);
    root.Clear();
    EXPECT_EQ(root.Objects().Count(), 0);
    EXPECT_EQ(LiveObjectCount(), empty);
}

TEST(ModelRoot, DestroyingAFilledModelFreesEverything)
{
    const auto before = LiveObjectCount();
    {
        TDBNewOracle root;
        Fill(root);
    }
    EXPECT_EQ(LiveObjectCount(), before);
}

} // namespace
} // namespace quorvex
