// Streamed classes: the registry, creation by name, the live counter, and the owning list
// (positions, ownership, lookup by OID, sorting).
#include "SnapshotBytes.h"
#include "persistence/CleanList.h"

#include <climits>
#include <functional>

namespace quorvex::test {
namespace {

TEST(ClassRegistryTest, ClassesByNameAndObjectsNotFreed)
{
    // Every model class is created by name; a prefix or an extension of a name is another name.
    RegisterDictionaryClasses();
    for (const std::string name :
         {"TStreamed",       "TCleanItem",   "TCleanList",   "TDefaultItem", "TDefaultList",
          "TCommentItem",    "TCommentList", "TFieldItem",   "TFieldList",   "TConstraintItem",
          "TConstraintList", "TTriggerItem", "TTriggerList", "TIndexItem",   "TIndexList",
          "TObjectItem",     "TObjectList",  "TOwnerItem",   "TOwnerList",   "TDBNewOracle"})
        EXPECT_EQ(CreateByName(name)->ClassName(), name);
    for (const std::string name : {"TNoSuchItem", "TOwnerItem2", "TOwnerIte", ""})
        EXPECT_EQ(ErrorOf<EClassNotFound>([&] { CreateByName(name); }),
                  "Class " + name + " not found");
    // The message shown at exit while model objects are alive.
    ASSERT_EQ(ObjectsNotFreedMessage(), std::nullopt) << "an earlier test leaked";
    const TDBNewOracle model; // with its two lists
    EXPECT_EQ(ObjectsNotFreedMessage(), "Objects not freed : 3");
}

std::unique_ptr<TCleanItem> Item(std::int32_t oid)
{
    auto item = std::make_unique<TCleanItem>();
    item->OID = oid;
    return item;
}

TCleanList& Fill(TCleanList& list, std::initializer_list<std::int32_t> oids)
{
    for (std::int32_t oid : oids)
        list.Add(Item(oid));
    return list;
}

std::string OIDText(const TCleanList& list)
{
    std::string text;
    for (int i = 0; i < list.Count(); ++i)
        text += " " + std::to_string(list.Items(i)->OID);
    return text;
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
}

TEST(CleanListTest, PositionsOwnershipAndListErrors)
{
    using L = TCleanList;
    const std::pair<std::function<int(L&)>, std::string> cases[] = {
        // clang-format off
        {[](L& l) { return l.Move(0, 4), 0; }, "0: 1 2 3 4 0"},
        {[](L& l) { return l.Move(1, 3), 0; }, "0: 0 2 3 1 4"},
        {[](L& l) { return l.Move(3, 1), 0; }, "0: 0 3 1 2 4"},
        {[](L& l) { return l.Insert(0, Item(9)), 0; }, "0: 9 0 1 2 3 4"},
        {[](L& l) { return l.Insert(2, Item(9)), 0; }, "0: 0 1 9 2 3 4"},
        {[](L& l) { return l.Insert(5, Item(9)), 0; }, "0: 0 1 2 3 4 9"}, // at the count: appends
        {[](L& l) { return l.Add(Item(9)); }, "5: 0 1 2 3 4 9"},
        {[](L& l) { return l.Delete(3)->OID; }, "3: 0 1 2 4"}, // handed back, freed here
        {[](L& l) { return l.Remove(l.Items(1)); }, "1: 0 2 3 4"},
        {[](L& l) { return l.Remove(Item(1).get()); }, "-1: 0 1 2 3 4"},
        {[](L& l) { return l.Clear(), 0; }, "0:"},
        {[](L& l) { return l.Items(-1)->OID; }, "List index out of bounds (-1)"},
        {[](L& l) { return l.Items(5)->OID; }, "List index out of bounds (5)"},
        {[](L& l) { return l.Move(0, 5), 0; }, "List index out of bounds (5)"},
        {[](L& l) { return l.Insert(6, Item(9)), 0; }, "List index out of bounds (6)"},
        {[](L& l) { return l.Insert(-1, Item(9)), 0; }, "List index out of bounds (-1)"},
        // clang-format on
    };
    for (const auto& [action, expected] : cases) {
        TCleanList list;
        Fill(list, {0, 1, 2, 3, 4});
        const auto before = LiveObjectCount();
        std::string result;
        try {
            result = std::to_string(action(list)) + ":";
            result += OIDText(list);
        } catch (const EListError& e) {
            result = e.what();
        }
        EXPECT_EQ(result, expected);
        EXPECT_EQ(LiveObjectCount(), before + list.Count() - 5) << expected; // nothing leaked
    }
    TOwnerList owners;
    for (const auto& add : {std::function<void()>([&] { owners.Add(Item(9)); }),
                            std::function<void()>([&] { owners.Insert(0, Item(9)); })})
        EXPECT_EQ(ErrorOf<EListError>(add), "A TCleanItem cannot be held in a TOwnerList");
    EXPECT_EQ(owners.NewItem()->ClassName(), "TOwnerItem");
    EXPECT_EQ(owners.Count(), 1);
}

TEST(CleanListTest, SortOrdersTheExtremesAndKeepsEqualItemsInOrder)
{
    TCleanList list;
    Fill(list, {INT32_MAX, 0, INT32_MIN, -1, 1, INT32_MAX - 1, INT32_MIN + 1}).Sort(CompareOIDs);
    EXPECT_EQ(OIDText(list), " -2147483648 -2147483647 -1 0 1 2147483646 2147483647");
    EXPECT_LT(CompareOIDs(list.Items(0), list.Items(6)), 0); // a difference would overflow
    for (int i = 0; i < list.Count(); ++i)
        EXPECT_EQ(list.FindByOID(list.Items(i)->OID), list.Items(i));
    list.Clear();
    Fill(list, {21, 10, 32, 22, 11, 31}).Sort([](const TCleanItem* a, const TCleanItem* b) {
        return a->OID / 10 - b->OID / 10;
    });
    EXPECT_EQ(OIDText(list), " 10 11 21 22 32 31");
}

} // namespace
} // namespace quorvex::test
