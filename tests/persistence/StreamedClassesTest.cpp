// Streamed classes: the registry, creation by name, copying, the live counter, and the owning list
// (positions, ownership, lookup by OID, sorting).
#include "SnapshotBytes.h"
#include "persistence/CleanList.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>

namespace quorvex::test {
namespace {

TEST(ClassRegistryTest, EveryModelClassIsCreatedByNameInAnyLetterCase)
{
    RegisterDictionaryClasses();
    const auto before = LiveObjectCount();
    for (const std::string name :
         {"TStreamed", "TCleanItem", "TCleanList", "TDefaultItem", "TDefaultList", "TCommentItem",
          "TCommentList", "TFieldItem", "TFieldList", "TConstraintItem", "TConstraintList",
          "TTriggerItem", "TTriggerList", "TIndexItem", "TIndexList", "TObjectItem", "TObjectList",
          "TOwnerItem", "TOwnerList"}) {
        std::string lower = name;
        std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
        EXPECT_EQ(CreateByName(lower)->ClassName(), name);
    }
    // The root created by name has its two lists, as after its constructor.
    const auto root = CreateByName("TDBNEWORACLE");
    EXPECT_EQ(static_cast<const TDBNewOracle&>(*root).Owners().Count(), 0);
    EXPECT_EQ(LiveObjectCount(), before + 3);
    for (const std::string name : {"TNoSuchItem", "TOwnerItem2", "TOwnerIte", ""})
        EXPECT_EQ(ErrorOf<EClassNotFound>([&] { CreateByName(name); }),
                  "Class " + name + " not found");
}

TEST(ClassRegistryTest, AssignAcceptsOnlyItemsAndLiveObjectsAreCounted)
{
    ASSERT_EQ(ObjectsNotFreedMessage(), std::nullopt) << "an earlier test leaked";
    {
        TCleanItem item;
        TOwnerItem owner;
        owner.OID = 7;
        owner.OwnerName = "SCOTT";
        EXPECT_EQ(ErrorOf<EAbort>([&] { item.Assign(TCleanList()); }),
                  "Cannot assign a TCleanList to a TCleanItem");
        EXPECT_EQ(ErrorOf<EAbort>([&] { owner.Assign(TStreamed()); }),
                  "Cannot assign a TStreamed to a TOwnerItem");
        EXPECT_EQ(owner.OwnerName, "SCOTT");
        item.Assign(owner); // any item is accepted and gives its OID
        EXPECT_EQ(item.OID, 7);
        EXPECT_EQ(ObjectsNotFreedMessage(), "Objects not freed : 2");
        TDBNewOracle model;
        EXPECT_EQ(ObjectsNotFreedMessage(), "Objects not freed : 5");
    }
    EXPECT_EQ(ObjectsNotFreedMessage(), std::nullopt);
}

// An item that notes its OID when freed, to observe the freeing order.
std::vector<std::int32_t> g_freed;
struct TRecordingItem : TCleanItem {
    ~TRecordingItem() override { g_freed.push_back(OID); }
};

using TOIDs = std::vector<std::int32_t>;

std::unique_ptr<TCleanItem> Item(std::int32_t oid)
{
    auto item = std::make_unique<TRecordingItem>();
    item->OID = oid;
    return item;
}

TCleanList& Fill(TCleanList& list, const TOIDs& oids)
{
    for (std::int32_t oid : oids)
        list.Add(Item(oid));
    return list;
}

TOIDs OIDs(const TCleanList& list)
{
    TOIDs oids;
    for (int i = 0; i < list.Count(); ++i)
        oids.push_back(list.Items(i)->OID);
    return oids;
}

TEST(CleanListTest, FindByOIDOnSortedListsOfEverySize)
{
    for (int size = 0; size <= 40; ++size) {
        TCleanList list;
        for (int i = 0; i < size; ++i)
            list.Add(Item(2 * i + 1));
        for (int i = 0; i < size; ++i)
            EXPECT_EQ(list.FindByOID(2 * i + 1), list.Items(i)) << size << " " << i;
        // Every gap, both ends and the extremes find nothing.
        for (std::int32_t missing = -2; missing <= 2 * size + 2; missing += 2)
            EXPECT_EQ(list.FindByOID(missing), nullptr) << size << " " << missing;
        EXPECT_EQ(list.FindByOID(INT32_MIN), list.FindByOID(INT32_MAX)) << size;
    }
    TCleanList list;
    Fill(list, {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX});
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.FindByOID(list.Items(i)->OID), list.Items(i)) << i;
    EXPECT_EQ(list.FindByOID(2), nullptr);
}

TEST(CleanListTest, ItemsAreOwnedAndFreedFromTheLast)
{
    const auto before = LiveObjectCount();
    {
        TCleanList list;
        Fill(list, {10, 20, 30, 40, 50});
        const TCleanItem* third = list.Items(2);
        std::unique_ptr<TCleanItem> taken = list.Delete(2);
        EXPECT_EQ(taken.get(), third);
        EXPECT_EQ(LiveObjectCount(), before + 6); // still alive, now owned here
        taken.reset();
        EXPECT_EQ(list.Remove(list.Items(1)), 1);
        EXPECT_EQ(list.Remove(nullptr), -1);
        EXPECT_EQ(list.Remove(Item(99).get()), -1);
        EXPECT_EQ(OIDs(list), (TOIDs{10, 40, 50}));
        EXPECT_EQ(LiveObjectCount(), before + 4);
        g_freed.clear();
        list.Clear();
        EXPECT_EQ(g_freed, (TOIDs{50, 40, 10}));
        EXPECT_EQ(LiveObjectCount(), before + 1);
        Fill(list, {7, 8, 9}); // destroying a list frees its items the same way
        g_freed.clear();
    }
    EXPECT_EQ(g_freed, (TOIDs{9, 8, 7}));
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CleanListTest, MoveAndInsertPositions)
{
    // clang-format off
    const std::tuple<int, int, TOIDs> moves[] = {
        {0, 4, {1, 2, 3, 4, 0}}, {4, 0, {4, 0, 1, 2, 3}}, {1, 3, {0, 2, 3, 1, 4}},
        {3, 1, {0, 3, 1, 2, 4}}, {2, 2, {0, 1, 2, 3, 4}}};
    // clang-format on
    for (const auto& [from, to, expected] : moves) {
        TCleanList list;
        Fill(list, {0, 1, 2, 3, 4}).Move(from, to);
        EXPECT_EQ(OIDs(list), expected) << from << "->" << to;
    }
    TCleanList list;
    Fill(list, {1, 3});
    list.Insert(0, Item(0));
    list.Insert(2, Item(2));
    list.Insert(4, Item(4)); // at the count: appends
    EXPECT_EQ(OIDs(list), (TOIDs{0, 1, 2, 3, 4}));
    EXPECT_EQ(list.Add(Item(5)), 5);
}

TEST(CleanListTest, PositionsOutsideTheListAndItemsOfAnotherClassAreRefused)
{
    TCleanList list;
    Fill(list, {1, 2, 3});
    TOwnerList owners;
    const auto before = LiveObjectCount();
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Items(3), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Move(3, 0), EListError);
    EXPECT_THROW(list.Move(0, 3), EListError);
    EXPECT_THROW(list.Insert(4, Item(9)), EListError);
    EXPECT_THROW(list.Insert(-1, Item(9)), EListError);
    EXPECT_THROW(owners.Add(Item(9)), EListError);
    EXPECT_THROW(owners.Insert(0, Item(9)), EListError);
    EXPECT_EQ(OIDs(list), (TOIDs{1, 2, 3}));
    EXPECT_EQ(owners.Count(), 0);
    EXPECT_EQ(LiveObjectCount(), before); // refused items are not leaked
    EXPECT_EQ(owners.NewItem()->ClassName(), "TOwnerItem");
}

TEST(CleanListTest, SortByOIDHandlesTheExtremesAndIsStable)
{
    TCleanItem low, high;
    low.OID = INT32_MIN;
    high.OID = INT32_MAX;
    EXPECT_LT(CompareOIDs(&low, &high), 0); // no overflow in the difference
    EXPECT_GT(CompareOIDs(&high, &low), 0);
    EXPECT_EQ(CompareOIDs(&high, &high), 0);
    EXPECT_LT(CompareOIDs(nullptr, &low), 0);
    EXPECT_GT(CompareOIDs(&low, nullptr), 0);
    EXPECT_EQ(CompareOIDs(nullptr, nullptr), 0);

    TCleanList list;
    Fill(list, {INT32_MAX, 0, INT32_MIN, -1, 1, 17920003, -40000, INT32_MIN + 1}).Sort(CompareOIDs);
    EXPECT_EQ(OIDs(list), (TOIDs{INT32_MIN, INT32_MIN + 1, -40000, -1, 0, 1, 17920003, INT32_MAX}));
    // Items that compare equal keep their order.
    list.Clear();
    Fill(list, {21, 10, 32, 22, 11, 31}).Sort([](const TCleanItem* a, const TCleanItem* b) {
        return a->OID / 10 - b->OID / 10;
    });
    EXPECT_EQ(OIDs(list), (TOIDs{10, 11, 21, 22, 32, 31}));
}

} // namespace
} // namespace quorvex::test
