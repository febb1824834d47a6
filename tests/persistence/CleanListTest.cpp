// The owning list: positions, ownership, lookup by OID and sorting.
#include "persistence/CleanList.h"

#include "TestClasses.h"
#include "model/OwnerList.h"
#include "persistence/Exceptions.h"
#include "persistence/LiveObjects.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <random>
#include <vector>

namespace quorvex::test {
namespace {

std::unique_ptr<TCleanItem> Item(std::int32_t oid)
{
    auto item = std::make_unique<TRecordingItem>();
    item->OID = oid;
    return item;
}

void Fill(TCleanList& list, const std::vector<std::int32_t>& oids)
{
    for (std::int32_t oid : oids)
        list.Add(Item(oid));
}

std::vector<std::int32_t> OIDs(const TCleanList& list)
{
    std::vector<std::int32_t> oids;
    for (int i = 0; i < list.Count(); ++i)
        oids.push_back(list.Items(i)->OID);
    return oids;
}

TEST(CleanListTest, FindByOIDOnSortedListsOfEverySize)
{
    for (int size = 0; size <= 40; ++size) {
        TCleanList list;
        std::vector<std::int32_t> oids;
        for (int i = 0; i < size; ++i)
            oids.push_back(2 * i + 1);
        Fill(list, oids);
        for (int i = 0; i < size; ++i) {
            const TCleanItem* found = list.FindByOID(2 * i + 1);
            ASSERT_NE(found, nullptr) << size << " " << i;
            EXPECT_EQ(found, list.Items(i));
        }
        // Every gap, both ends and the extremes find nothing.
        for (std::int32_t missing = -2; missing <= 2 * size + 2; missing += 2)
            EXPECT_EQ(list.FindByOID(missing), nullptr) << size << " " << missing;
        EXPECT_EQ(list.FindByOID(INT32_MIN), nullptr);
        EXPECT_EQ(list.FindByOID(INT32_MAX), nullptr);
    }
}

TEST(CleanListTest, FindByOIDWithExtremeOIDs)
{
    TCleanList list;
    Fill(list, {INT32_MIN, INT32_MIN + 1, -1, 0, 1, INT32_MAX - 1, INT32_MAX});
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.FindByOID(list.Items(i)->OID), list.Items(i)) << i;
    EXPECT_EQ(list.FindByOID(2), nullptr);
    EXPECT_EQ(list.FindByOID(-2), nullptr);

    TCleanList one;
    Fill(one, {INT32_MIN});
    EXPECT_EQ(one.FindByOID(INT32_MIN), one.Items(0));
    EXPECT_EQ(one.FindByOID(INT32_MAX), nullptr);
}

TEST(CleanListTest, ClearFreesFromTheLastItem)
{
    const auto before = LiveObjectCount();
    {
        TCleanList list;
        Fill(list, {1, 2, 3, 4, 5});
        EXPECT_EQ(LiveObjectCount(), before + 6);
        TRecordingItem::DestroyedOIDs().clear();
        list.Clear();
        EXPECT_EQ(list.Count(), 0);
        EXPECT_EQ(TRecordingItem::DestroyedOIDs(), (std::vector<std::int32_t>{5, 4, 3, 2, 1}));
        EXPECT_EQ(LiveObjectCount(), before + 1);

        // Destroying a list frees its items the same way.
        Fill(list, {7, 8, 9});
        TRecordingItem::DestroyedOIDs().clear();
    }
    EXPECT_EQ(TRecordingItem::DestroyedOIDs(), (std::vector<std::int32_t>{9, 8, 7}));
    EXPECT_EQ(LiveObjectCount(), before);
}

TEST(CleanListTest, DeleteHandsTheItemBackAndRemoveFreesIt)
{
    TCleanList list;
    Fill(list, {10, 20, 30, 40});
    const TCleanItem* third = list.Items(2);
    const auto before = LiveObjectCount();

    std::unique_ptr<TCleanItem> taken = list.Delete(2);
    EXPECT_EQ(taken.get(), third);
    EXPECT_EQ(OIDs(list), (std::vector<std::int32_t>{10, 20, 40}));
    EXPECT_EQ(LiveObjectCount(), before); // still alive, now owned here
    taken.reset();
    EXPECT_EQ(LiveObjectCount(), before - 1);

    EXPECT_EQ(list.Remove(list.Items(1)), 1);
    EXPECT_EQ(OIDs(list), (std::vector<std::int32_t>{10, 40}));
    EXPECT_EQ(LiveObjectCount(), before - 2);

    TRecordingItem stranger;
    EXPECT_EQ(list.Remove(&stranger), -1);
    EXPECT_EQ(list.Remove(nullptr), -1);
    EXPECT_EQ(list.Count(), 2);
}

TEST(CleanListTest, MoveAndInsertPositions)
{
    const struct {
        int From, To;
        std::vector<std::int32_t> Expected;
    } moves[] = {
        {0, 4, {1, 2, 3, 4, 0}}, {4, 0, {4, 0, 1, 2, 3}}, {1, 3, {0, 2, 3, 1, 4}},
        {3, 1, {0, 3, 1, 2, 4}}, {2, 2, {0, 1, 2, 3, 4}},
    };
    for (const auto& m : moves) {
        TCleanList list;
        Fill(list, {0, 1, 2, 3, 4});
        list.Move(m.From, m.To);
        EXPECT_EQ(OIDs(list), m.Expected) << m.From << "->" << m.To;
    }

    TCleanList list;
    Fill(list, {1, 3});
    list.Insert(0, Item(0));
    list.Insert(2, Item(2));
    list.Insert(4, Item(4)); // at the count: appends
    EXPECT_EQ(OIDs(list), (std::vector<std::int32_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(list.Add(Item(5)), 5);
}

TEST(CleanListTest, PositionsOutsideTheListRaiseListErrors)
{
    TCleanList list;
    Fill(list, {1, 2, 3});
    const auto before = LiveObjectCount();
    EXPECT_THROW(list.Items(-1), EListError);
    EXPECT_THROW(list.Items(3), EListError);
    EXPECT_THROW(list.Delete(3), EListError);
    EXPECT_THROW(list.Delete(-1), EListError);
    EXPECT_THROW(list.Move(3, 0), EListError);
    EXPECT_THROW(list.Move(0, 3), EListError);
    EXPECT_THROW(list.Move(-1, 0), EListError);
    EXPECT_THROW(list.Insert(4, Item(9)), EListError);
    EXPECT_THROW(list.Insert(-1, Item(9)), EListError);
    EXPECT_EQ(OIDs(list), (std::vector<std::int32_t>{1, 2, 3}));
    EXPECT_EQ(LiveObjectCount(), before); // refused items are not leaked

    TCleanList empty;
    EXPECT_THROW(empty.Items(0), EListError);
    EXPECT_THROW(empty.Delete(0), EListError);
    EXPECT_EQ(empty.FindByOID(0), nullptr);
}

TEST(CleanListTest, TypedListsRefuseItemsOfAnotherClass)
{
    TOwnerList owners;
    const auto before = LiveObjectCount();
    auto plain = std::make_unique<TCleanItem>();
    EXPECT_THROW(owners.Add(std::move(plain)), EListError);
    EXPECT_THROW(owners.Insert(0, std::make_unique<TCleanItem>()), EListError);
    EXPECT_EQ(owners.Count(), 0);
    EXPECT_EQ(LiveObjectCount(), before);

    EXPECT_EQ(owners.NewItem()->ClassName(), "TOwnerItem");
    TCleanList list;
    EXPECT_EQ(list.NewItem()->ClassName(), "TCleanItem");
    EXPECT_EQ(LiveObjectCount(), before + 3); // two items and the second list
}

TEST(CleanListTest, CompareOIDsOrdersEveryPair)
{
    TCleanItem low, high, zero, same;
    low.OID = INT32_MIN;
    high.OID = INT32_MAX;
    zero.OID = 0;
    same.OID = INT32_MAX;
    EXPECT_LT(CompareOIDs(&low, &high), 0);
    EXPECT_GT(CompareOIDs(&high, &low), 0);
    EXPECT_LT(CompareOIDs(&low, &zero), 0);
    EXPECT_GT(CompareOIDs(&high, &zero), 0);
    EXPECT_EQ(CompareOIDs(&high, &same), 0);
    EXPECT_EQ(CompareOIDs(nullptr, nullptr), 0);
    EXPECT_LT(CompareOIDs(nullptr, &low), 0);
    EXPECT_GT(CompareOIDs(&low, nullptr), 0);
}

TEST(CleanListTest, SortByOIDThenFind)
{
    std::vector<std::int32_t> oids = {INT32_MAX,       0,      INT32_MIN,     -1,           1,
                                      70000 * 256 + 3, -40000, INT32_MIN + 1, INT32_MAX - 1};
    std::mt19937 random(42);
    for (int round = 0; round < 20; ++round) {
        std::shuffle(oids.begin(), oids.end(), random);
        TCleanList list;
        Fill(list, oids);
        list.Sort(CompareOIDs);
        std::vector<std::int32_t> sorted = oids;
        std::sort(sorted.begin(), sorted.end());
        ASSERT_EQ(OIDs(list), sorted);
        for (std::int32_t oid : oids) {
            ASSERT_NE(list.FindByOID(oid), nullptr) << oid;
            EXPECT_EQ(list.FindByOID(oid)->OID, oid);
        }
    }
}

TEST(CleanListTest, SortKeepsItemsThatCompareEqualInOrder)
{
    TCleanList list;
    Fill(list, {2, 1, 2, 1, 2});
    std::vector<const TCleanItem*> twos, ones;
    for (int i = 0; i < list.Count(); ++i)
        (list.Items(i)->OID == 2 ? twos : ones).push_back(list.Items(i));
    list.Sort(CompareOIDs);
    EXPECT_EQ(list.Items(0), ones[0]);
    EXPECT_EQ(list.Items(1), ones[1]);
    EXPECT_EQ(list.Items(2), twos[0]);
    EXPECT_EQ(list.Items(3), twos[1]);
    EXPECT_EQ(list.Items(4), twos[2]);
}

} // namespace
} // namespace quorvex::test
